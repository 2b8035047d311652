#pragma once

#include "app/controls/window_design.h"

#include <optional>

// The arithmetic of the layout rule: the window's whole picture scales with its outer size.
// Every value is computed afresh from the design table, so rounding never accumulates.
namespace sw {

inline constexpr double DesignWidth = 14070;   // outer width, twips
inline constexpr double DesignHeight = 11640;  // outer height, twips
inline constexpr double HeightAllowance = 330; // taken off the height for the vertical factor

struct LayoutFactors
{
    double scaleX;
    double scaleY;
    float fontScale; // kept in single precision, as the rule has always computed it
};

// The factors for an outer window size in twips.
LayoutFactors layoutFactors(double outerWidth, double outerHeight);

// What the layout sets on one control: twips relative to its container and a font size in
// points. An empty value is not set: the control does not take it (a self-sizing caption's
// size, a font the group keeps) or the toolkit would refuse it (a negative width or height, a
// font size of 0, a value far out of range).
struct Placement
{
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> fontSize;
};

Placement placeControl(const DesignControl& control, const LayoutFactors& factors);

} // namespace sw
