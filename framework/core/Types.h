#pragma once

#include <cstdint>

// The plain types of the framework's C-style interfaces.

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;

// A colour as 0x00BBGGRR: red in the lowest byte.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF colour)
{
    return static_cast<int>(colour & 0xFF);
}
constexpr int GetGValue(COLORREF colour)
{
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF colour)
{
    return static_cast<int>((colour >> 16) & 0xFF);
}
