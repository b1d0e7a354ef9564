#pragma once

// What the chart's objects accept when they load from an archive. Each value
// is brought into the range drawing can take right after it is read, so that
// a damaged file cannot overflow the drawing arithmetic, divide by zero or
// make a drawing loop run for ever. Everything the chart and its dialogs
// set lies inside these ranges, so that stored charts load unchanged.

#include "CArchive.h"
#include "CString.h"
#include "Gdi.h"
#include "Geometry.h"
#include "PixelLimits.h"

#include <algorithm>
#include <cstdint>

// Pixel sizes of decorations: the dialogs offer 1 to 10 (ticks, label gaps),
// 1 to 5 (lines) and 1 to 20 (symbols); ten times that is still drawn in
// a moment, and sums of them stay far from overflowing.
constexpr int kMaxTickLength = 100;
constexpr int kMaxLabelGap = 100;
constexpr int kMaxLineWidth = 100;
constexpr int kMaxSymbolSize = 100;
// A font taller than any screen; the font dialog offers up to 683 pixels.
constexpr int kMaxFontHeight = 1000;
// Texts drawn on the chart: their lines times the line height fit an int.
constexpr int kMaxTextLength = 65535;
// The picture object's bitmap: its sides and its bytes.
constexpr int kMaxBitmapSide = 16384;
constexpr std::uint64_t kMaxBitmapBytes = 256u * 1024 * 1024;
// The records of a stored chart.
constexpr std::int32_t kMaxAxes = 256;
constexpr std::int32_t kMaxSeries = 4096;
constexpr std::int32_t kMaxObjects = 4096;

// A loaded whole number within [minimum, maximum].
inline int ClampedInt(std::int32_t value, int minimum, int maximum)
{
    return std::clamp<int>(value, minimum, maximum);
}

// A loaded pixel coordinate or length, within the range ToPixel gives.
inline int ClampedPixel(std::int32_t value)
{
    return ClampedInt(value, -kPixelLimit, kPixelLimit);
}

// A loaded choice among minimum to maximum (a style, a mode, a side); any
// other number is the fallback.
inline int KnownChoice(std::int32_t value, int minimum, int maximum, int fallback)
{
    return value >= minimum && value <= maximum ? value : fallback;
}

// A loaded number within [minimum, maximum]; infinities go to the nearer
// end and a value that is no number becomes the fallback.
inline double ClampedDouble(double value, double minimum, double maximum, double fallback)
{
    if (value != value)
        return fallback;
    return std::clamp(value, minimum, maximum);
}

// A loaded rectangle whose sides are drawable coordinates.
inline CRect ClampedRect(const CRect& rect)
{
    return CRect(ClampedPixel(rect.left), ClampedPixel(rect.top), ClampedPixel(rect.right),
                 ClampedPixel(rect.bottom));
}

// The size of a loaded font within what a font can be drawn at, and its
// angles (tenths of a degree) within a turn either way.
inline void ClampFont(LOGFONT& font)
{
    font.lfHeight = ClampedInt(font.lfHeight, -kMaxFontHeight, kMaxFontHeight);
    font.lfWidth = ClampedInt(font.lfWidth, -kMaxFontHeight, kMaxFontHeight);
    font.lfEscapement = ClampedInt(font.lfEscapement, -3600, 3600);
    font.lfOrientation = ClampedInt(font.lfOrientation, -3600, 3600);
}

// A loaded text, cut at the longest the chart draws.
inline CString ClampedText(const CString& text)
{
    if (text.GetLength() <= kMaxTextLength)
        return text;
    return CString(text.GetString(), static_cast<std::size_t>(kMaxTextLength));
}

// A stored number of records, refused when negative or above the maximum:
// the records that follow could not be read otherwise.
inline std::int32_t ReadRecordCount(CArchive& archive, std::int32_t maximum, const char* records)
{
    const auto count = archive.ReadValue<std::int32_t>();
    if (count < 0 || count > maximum)
        archive.ThrowGenericError(CString::Formatted("The chart declares %d %s; it holds 0 to %d.",
                                                     count, records, maximum));
    return count;
}
