#pragma once

#include <QRect>

// Design values are in twips, 1/1440 inch; the screen's logical dots per inch turn them into
// pixels (15 twips a pixel at 96 dpi).
namespace sw {

inline constexpr double TwipsPerInch = 1440;

inline int twipsToPixels(double twips, double dpi)
{
    return qRound(twips * dpi / TwipsPerInch);
}

inline double pixelsToTwips(int pixels, double dpi)
{
    return pixels * TwipsPerInch / dpi;
}

inline QRect twipsToPixels(int left, int top, int width, int height, double dpiX, double dpiY)
{
    return {twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
            twipsToPixels(height, dpiY)};
}

} // namespace sw
