#pragma once

// Conversions of chart values to integers that stay inside what drawing and
// scroll bars can take, so that values far outside the view never overflow.

// The largest pixel coordinate drawing is given: a billion either way, so
// that the difference of two coordinates still fits an int.
constexpr int kPixelLimit = 1000000000;

// A pixel coordinate, truncated toward zero, within a billion either way.
inline int ToPixel(double value)
{
    if (!(value > -kPixelLimit))
        return -kPixelLimit;
    if (value > kPixelLimit)
        return kPixelLimit;
    return static_cast<int>(value);
}

// A scroll bar position, truncated toward zero, within two billion.
inline int ToScrollUnits(double value)
{
    if (!(value > -2e9))
        return -2000000000;
    if (value > 2e9)
        return 2000000000;
    return static_cast<int>(value);
}
