#include "app/controls/window_layout.h"

#include <cmath>

namespace sw {

namespace {

// Far beyond any screen; also keeps the conversion to int defined.
constexpr double OutOfRange = 16777215;

std::optional<int> scaled(double factor, int design, double lowest)
{
    const double value = std::floor(factor * design);
    if (!(value >= lowest && value <= OutOfRange))
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

LayoutFactors layoutFactors(double outerWidth, double outerHeight)
{
    const double byWidth = outerWidth / DesignWidth;
    const double byHeight = outerHeight / DesignHeight;
    return {byWidth, (outerHeight - HeightAllowance) / DesignHeight,
            static_cast<float>(byWidth <= byHeight ? byWidth : byHeight)};
}

Placement placeControl(const DesignControl& control, const LayoutFactors& factors)
{
    Placement placement;
    if (!sizesItself(control.kind)) {
        placement.width = scaled(factors.scaleX, control.width, 0);
        placement.height = scaled(factors.scaleY, control.height, 0);
    }
    placement.left = scaled(factors.scaleX, control.left, -OutOfRange);
    placement.top = scaled(factors.scaleY, control.top, -OutOfRange);
    if (const int base = layoutFontBase(control.kind); base > 0)
        placement.fontSize = scaled(factors.fontScale, base, 1);
    return placement;
}

} // namespace sw
