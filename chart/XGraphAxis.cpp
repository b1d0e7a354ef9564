#include "XGraphAxis.h"

#include "ArchiveLimits.h"
#include "BrushSelector.h"
#include "CArchive.h"
#include "COleDateTime.h"
#include "DCEx.h"
#include "DisplayFormat.h"
#include "Exceptions.h"
#include "FontSelector.h"
#include "PenSelector.h"
#include "PixelLimits.h"
#include "QuickFont.h"
#include "XGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CXGraphAxis, CXGraphObject)

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
// More ticks than this on one axis is not a usable step.
constexpr double kMaxTicks = 10000.0;
// 1970-01-01 as an OLE date.
constexpr double kUnixEpoch = 25569.0;
constexpr std::size_t kMarkerRecordSize = 120;

void CreateAxisFont(CFont& font, int height, int weight)
{
    font.CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
}

// The extent of a text in the selected font; labels may have line breaks.
CSize MeasureText(CDCEx* dc, const CString& text)
{
    CRect rect(0, 0, 0, 0);
    dc->DrawText(text, &rect, DT_CALCRECT | DT_NOPREFIX);
    return CSize(rect.Width(), rect.Height());
}

CSize MeasureOnScreen(CFont* font, const CString& text)
{
    CDCEx screen;
    screen.CreateScreenDC();
    screen.SelectObject(font);
    return MeasureText(&screen, text);
}

// The remainder of a after taking whole steps off its magnitude, found the
// way the steps are laid: adding the step until the next would pass |a|.
// Counts beyond a million steps are not laid one by one.
double StepRemainder(double a, double step)
{
    const double magnitude = std::fabs(a);
    double accumulated = 0.0;
    if (magnitude / step <= 1e6) {
        while (accumulated + step <= magnitude)
            accumulated += step;
    } else {
        accumulated = std::floor(magnitude / step) * step;
    }
    const double sign = a < 0 ? -1.0 : (a > 0 ? 1.0 : 0.0);
    return a - sign * accumulated;
}

// A tick laid by adding steps from the minimum meets zero only up to the
// sum's rounding; such a tick is labelled as zero, not as "-0.0".
double TickValue(double value, double step)
{
    return std::fabs(value) < step * 1e-9 ? 0.0 : value;
}

std::int64_t RoundedSeconds(double days)
{
    const double seconds = days * 86400.0;
    const double limit = 9.0e18;
    if (!(std::fabs(seconds) < limit))
        return 0;
    return static_cast<std::int64_t>(seconds + (seconds >= 0 ? 0.5 : -0.5));
}

void SerializeInt(CArchive& archive, int& value)
{
    if (archive.IsStoring())
        archive.WriteValue<std::int32_t>(value);
    else
        value = archive.ReadValue<std::int32_t>();
}

void SerializeDouble(CArchive& archive, double& value)
{
    if (archive.IsStoring())
        archive.WriteValue<double>(value);
    else
        value = archive.ReadValue<double>();
}

void SerializeString(CArchive& archive, CString& text)
{
    if (archive.IsStoring())
        archive.WriteString(text);
    else
        text = archive.ReadString();
}

void SerializeFont(CArchive& archive, CFont& font)
{
    if (archive.IsStoring()) {
        archive.Write(&font.m_logFont, sizeof(LOGFONT));
    } else {
        LOGFONT logFont{};
        archive.Read(&logFont, sizeof(LOGFONT));
        ClampFont(logFont);
        font.CreateFontIndirect(&logFont);
    }
}

std::int32_t ReadCount(CArchive& archive)
{
    const auto count = archive.ReadValue<std::int32_t>();
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException, {},
                                "The chart axis holds a negative number of records.");
    return count;
}

// How many labels of a size fit along an axis of that many pixels, at
// least two; a label without extent counts as one pixel.
int LabelsAlong(double pixels, int labelSize)
{
    return std::max(2, ToPixel(pixels / std::max(1, labelSize)));
}

} // namespace

CXGraphAxis::CXGraphAxis()
    : m_fullMin(kLargest), m_fullMax(-kLargest), m_viewMin(kLargest), m_viewMax(-kLargest),
      m_title(" "), m_displayFormat("%5.1f")
{
    CreateAxisFont(m_labelFont, 13, FW_NORMAL);
    CreateAxisFont(m_titleFont, 14, FW_BOLD);
}

CXGraphAxis::CXGraphAxis(const CXGraphAxis& other) = default;

CXGraphAxis& CXGraphAxis::operator=(const CXGraphAxis& other) = default;

CRect CXGraphAxis::PlotRect() const
{
    return m_graph != nullptr ? m_graph->GetPlotRect() : CRect();
}

// Ranges ---------------------------------------------------------------------

bool CXGraphAxis::NormalizeRange(double& minimum, double& maximum)
{
    // Refuses reversed ranges and ranges that are not numbers.
    if (!(minimum <= maximum) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return false;
    if (m_linear != 0) {
        if (minimum == maximum) {
            // One unit either side; a value too large to move by one unit
            // moves by a millionth of itself.
            const double widening = std::max(1.0, std::fabs(minimum) * 1e-6);
            minimum -= widening;
            maximum += widening;
        }
    } else if (minimum == maximum) {
        // A decade either side.
        minimum *= 0.1;
        maximum *= 10.0;
    }
    if ((std::fabs(minimum) > 1e6 || std::fabs(maximum) > 1e6) && !m_dateTime)
        m_displayFormat = "%5.2e";
    if (m_linear == 0) {
        minimum = std::max(minimum, kLogFloorMin);
        maximum = std::max(maximum, kLogFloorMax);
    }
    return true;
}

void CXGraphAxis::EstimateStep()
{
    m_stepEstimated = true;
    if (m_graph != nullptr && m_graph->GetSafeHwnd() != nullptr && m_graph->IsWindowVisible())
        StepFromLabelSize();
    else
        m_step = (m_viewMax - m_viewMin) / 10.0;
}

bool CXGraphAxis::SetFullRange(double minimum, double maximum)
{
    if (!NormalizeRange(minimum, maximum))
        return false;
    m_fullMin = m_viewMin = minimum;
    m_fullMax = m_viewMax = maximum;
    if (m_linear != 0)
        EstimateStep();
    else
        m_step = 0.0;
    UpdateScrollBar();
    return true;
}

bool CXGraphAxis::SetViewRange(double minimum, double maximum, double step)
{
    if (!NormalizeRange(minimum, maximum))
        return false;
    m_viewMin = minimum;
    m_viewMax = maximum;
    if (m_linear == 0) {
        m_step = 0.0;
    } else if (step != 0.0) {
        m_step = step;
        m_stepEstimated = false;
    } else {
        EstimateStep();
    }
    return true;
}

void CXGraphAxis::UpdateScrollBar()
{
    // The scroll bar moves along the X axes; a Y range does not belong on it.
    if (m_graph == nullptr || m_orientation != horizontal ||
        m_graph->GetScrollBar().GetSafeHwnd() == nullptr)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = ToScrollUnits(10.0 * m_graph->GetXExtentMin());
    info.nMax = ToScrollUnits(10.0 * m_graph->GetXExtentMax());
    info.nPage = static_cast<UINT>(std::max(0, ToScrollUnits(10.0 * (m_viewMax - m_viewMin))));
    info.nPos = ToScrollUnits(10.0 * m_viewMin);
    m_graph->GetScrollBar().SetScrollInfo(&info, TRUE);
}

void CXGraphAxis::StepFromLabelSize()
{
    m_stepEstimated = true;
    const CRect plot = PlotRect();
    int extent = 0;
    int label = 0;
    // The margins are those of the last drawing, or as loaded before any.
    if (m_orientation == vertical) {
        extent = plot.bottom - ToPixel(plot.top + m_endMargin + m_symbolSpace);
        label = MeasureLabelHeight();
    } else {
        extent = ToPixel(plot.right - m_endMargin - m_symbolSpace) - plot.left;
        label = MeasureLabelWidth();
    }
    if (extent == 0)
        extent = 1;
    if (extent < 0) {
        // No plot laid out yet: a tenth of the range.
        m_step = (m_viewMax - m_viewMin) / 10.0;
        return;
    }
    m_step = (m_viewMax - m_viewMin) / extent * label;
}

double CXGraphAxis::StepForLength(double pixels)
{
    const double span = m_viewMax - m_viewMin;
    if (!(span > 0) || !std::isfinite(span) || !(pixels > 0))
        return m_step;
    const CSize gap = MeasureOnScreen(&m_labelFont, "W");
    const double spacing = m_orientation == vertical
                               ? MeasureLabelHeight() + gap.cy / 2.0
                               : static_cast<double>(MeasureLabelWidth() + gap.cx);
    const int labels = std::max(1, ToPixel(pixels / std::max(1.0, spacing)));
    if (m_dateTime) {
        const double step = TimeStep(labels, m_viewMin, m_viewMax);
        return step > 0 ? step : m_step;
    }
    const double step = NiceStep(span / labels);
    return step > 0 ? step : m_step;
}

double CXGraphAxis::FirstTick(double step) const
{
    // A step the user gave counts from the minimum; an estimated one from
    // the multiples of the step (whole seconds for a date-time axis), so
    // that the labels read 0, 5, 10 whatever the range.
    if (!m_stepEstimated || m_autoScale || !(step > 0))
        return m_viewMin;
    if (m_dateTime) {
        const std::int64_t seconds = RoundedSeconds(step);
        if (seconds <= 0)
            return m_viewMin;
        const std::int64_t from = RoundedSeconds(m_viewMin - kUnixEpoch);
        // In doubles: the next multiple of a step of billions of years
        // would not fit the seconds.
        double first = static_cast<double>(from / seconds) * static_cast<double>(seconds);
        if (first < static_cast<double>(from))
            first += static_cast<double>(seconds);
        return kUnixEpoch + first / 86400.0;
    }
    const double first = std::ceil(m_viewMin / step - 1e-9) * step;
    return std::isfinite(first) ? first : m_viewMin;
}

CString CXGraphAxis::FormatLabel(double value) const
{
    if (m_dateTime)
        return COleDateTime(value).Format(m_displayFormat);
    return FormatDisplayValue(m_displayFormat, value);
}

int CXGraphAxis::MeasureLabelWidth()
{
    const CSize low = MeasureOnScreen(&m_labelFont, FormatLabel(m_viewMin));
    const CSize high = MeasureOnScreen(&m_labelFont, FormatLabel(m_viewMax));
    return std::max(low.cx, high.cx) + m_labelGap;
}

int CXGraphAxis::MeasureLabelHeight()
{
    return MeasureOnScreen(&m_labelFont, FormatLabel(m_fullMin)).cy + m_labelGap;
}

CSize CXGraphAxis::MeasureTitle()
{
    return MeasureOnScreen(&m_titleFont, m_title);
}

// Auto-scaling ---------------------------------------------------------------

double CXGraphAxis::NiceStep(double raw)
{
    if (!(raw > 0) || !std::isfinite(raw))
        return 0.0;
    int exponent = 0;
    if (raw >= 1) {
        while (raw >= 1) {
            raw *= 0.1;
            ++exponent;
        }
        raw *= 10;
        --exponent;
    } else {
        while (raw < 1) {
            raw *= 10;
            --exponent;
        }
    }
    double multiple = 10;
    if (raw <= 1)
        multiple = 1;
    else if (raw <= 2)
        multiple = 2;
    else if (raw <= 5)
        multiple = 5;
    const double result = std::pow(10.0, exponent) * multiple;
    return result == 0.0 ? 0.1 : result;
}

void CXGraphAxis::AlignToStep(double& minimum, double& maximum, double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return;
    double remainder = StepRemainder(minimum - step, step);
    if (remainder != 0)
        minimum = minimum - step - remainder;
    remainder = StepRemainder(maximum + step, step);
    if (remainder != 0)
        maximum = maximum + step - remainder;
}

double CXGraphAxis::TimeStep(int n, double minimum, double maximum)
{
    static const double kSteps[] = {
        0,       1,        2,        5,        10,        15,        20,        30,         60,
        120,     300,      600,      900,      1800,      3600,      7200,      14400,      28800,
        36000,   43200,    86400,    172800,   345600,    604800,    1209600,   2419200,    4838400,
        7257600, 15724800, 31449600, 62899200, 157248000, 314496000, 628992000, 1572480000, -1};
    double perLabel = 0.0;
    if (n > 0)
        perLabel = static_cast<double>(RoundedSeconds(maximum - minimum) / n);
    for (int i = 1; kSteps[i] >= 0; ++i) {
        if (kSteps[i - 1] < perLabel && perLabel <= kSteps[i])
            return kSteps[i] / 86400.0;
    }
    return perLabel / 86400.0;
}

void CXGraphAxis::AlignToTimeStep(double& minimum, double& maximum, double step)
{
    const double stepSeconds = step * 86400.0;
    if (!(stepSeconds >= 1) || stepSeconds > 9e18)
        return;
    const auto whole = static_cast<std::int64_t>(stepSeconds);
    // The multiples in doubles: the one above the maximum may not fit the
    // seconds.
    std::int64_t seconds = RoundedSeconds(minimum - kUnixEpoch);
    if (seconds % whole != 0)
        minimum = kUnixEpoch +
                  static_cast<double>(seconds / whole) * static_cast<double>(whole) / 86400.0;
    seconds = RoundedSeconds(maximum - kUnixEpoch);
    if (seconds % whole != 0)
        maximum = kUnixEpoch +
                  (static_cast<double>(seconds / whole) + 1) * static_cast<double>(whole) / 86400.0;
}

void CXGraphAxis::AutoScale(CDCEx* dc)
{
    if (m_linear == 0) {
        // Whole decades; the clamps keep the logarithm defined.
        m_viewMin = std::pow(10.0, std::floor(std::log10(std::max(m_viewMin, kLogFloorMin))));
        m_viewMax = std::pow(10.0, std::ceil(std::log10(std::max(m_viewMax, kLogFloorMax))));
        return;
    }
    if (!(m_viewMax > m_viewMin))
        return;
    const CRect plot = PlotRect();
    int n = 0;
    if (m_orientation == vertical) {
        m_endMargin = 2 * m_tickLength;
        m_symbolSpace = LayoutSeriesSymbols(dc, false);
        n = LabelsAlong(plot.bottom - static_cast<int>(plot.top + m_endMargin + m_symbolSpace),
                        MeasureLabelHeight());
    } else {
        m_endMargin = 4 * m_tickLength;
        m_symbolSpace = LayoutSeriesSymbols(dc, false);
        n = LabelsAlong(static_cast<int>(plot.right - m_endMargin - m_symbolSpace) - plot.left,
                        MeasureLabelWidth());
    }
    if (m_dateTime) {
        const double step = TimeStep(n, m_viewMin, m_viewMax);
        if (step > 0) {
            m_step = step;
            AlignToTimeStep(m_viewMin, m_viewMax, m_step);
        }
        return;
    }
    const double raw = (m_viewMax - m_viewMin) / n;
    if (raw != 0) {
        const double step = NiceStep(raw);
        if (step > 0) {
            m_step = step;
            AlignToStep(m_viewMin, m_viewMax, m_step);
        }
    }
}

double CXGraphAxis::TickStep() const
{
    const double span = m_viewMax - m_viewMin;
    if (!(span > 0) || !std::isfinite(span))
        return 0.0;
    if (m_step > 0 && std::isfinite(m_step) && span / m_step <= kMaxTicks)
        return m_step;
    const double nice = NiceStep(span / 10.0);
    return nice > 0 && span / nice <= kMaxTicks ? nice : 0.0;
}

// Mapping --------------------------------------------------------------------

POINT CXGraphAxis::ValueToPoint(const DataPoint& point)
{
    return MapOnScale(point, m_linear != 0 ? Scale::linear : Scale::logarithmic);
}

double CXGraphAxis::LogFraction(double value) const
{
    // Values at or below zero have no logarithm: they map as the smallest
    // values the range setters allow.
    const double low = std::log10(std::max(m_viewMin, kLogFloorMin));
    const double high = std::log10(std::max(m_viewMax, kLogFloorMax));
    return (std::log10(std::max(value, kLogFloorMin)) - low) / (high - low);
}

POINT CXGraphAxis::MapOnScale(const DataPoint& point, Scale scale)
{
    const CRect plot = PlotRect();
    m_span = m_viewMax - m_viewMin;
    const double value = m_orientation == horizontal ? point.fXVal : point.fYVal;
    const double offset = scale == Scale::linear ? m_length / m_span * (value - m_viewMin)
                                                 : LogFraction(value) * m_length;
    POINT pixel{0, 0};
    if (m_orientation == horizontal)
        pixel.x = ToPixel(offset + plot.left);
    else
        pixel.y = ToPixel(plot.bottom - offset);
    return pixel;
}

double CXGraphAxis::PointToValue(int pixel)
{
    const CRect plot = PlotRect();
    m_span = m_viewMax - m_viewMin;
    const int distance = m_orientation == horizontal ? pixel - plot.left : plot.bottom - pixel;
    if (m_linear != 0)
        return m_viewMin + distance / (m_length / m_span);
    const double low = std::log10(std::max(m_viewMin, kLogFloorMin));
    const double high = std::log10(std::max(m_viewMax, kLogFloorMax));
    return std::pow(10.0, low + (high - low) * distance / m_length);
}

// Decorations ----------------------------------------------------------------

void CXGraphAxis::SetColorRange(int index, double from, double to, int style, const CString& label)
{
    const int count = static_cast<int>(m_colorRanges.size());
    if (index < 0 || index > count)
        return;
    AxisColorRange range;
    range.from = from;
    range.to = to;
    range.colour1 = RGB(255, 255, 0);
    range.colour2 = RGB(255, 255, 0);
    range.style = style;
    const int length = std::min(label.GetLength(), 261);
    std::memcpy(range.label, label.GetString(), static_cast<std::size_t>(length) * 2);
    if (index == count)
        m_colorRanges.push_back(range);
    else
        m_colorRanges[static_cast<std::size_t>(index)] = range;
    if (m_graph != nullptr && m_graph->GetSafeHwnd() != nullptr)
        m_graph->Invalidate();
}

void CXGraphAxis::SetMarker(int index, double value)
{
    const int count = static_cast<int>(m_markers.size());
    if (index < 0 || index > count)
        return;
    AxisMarker marker;
    marker.value = value;
    m_labelFont.GetLogFont(&marker.font);
    if (m_orientation == horizontal) {
        marker.font.lfEscapement = 900;
        marker.font.lfOrientation = 900;
        marker.font.lfClipPrecision = CLIP_LH_ANGLES;
    }
    if (index == count)
        m_markers.push_back(marker);
    else
        m_markers[static_cast<std::size_t>(index)] = marker;
    if (m_graph != nullptr && m_graph->GetSafeHwnd() != nullptr)
        m_graph->Invalidate();
}

void CXGraphAxis::RemoveMarker(int index)
{
    if (index < 0 || index >= static_cast<int>(m_markers.size()))
        return;
    m_markers.erase(m_markers.begin() + index);
}

// Drawing --------------------------------------------------------------------

CDCEx* CXGraphAxis::DrawingTarget(CDCEx* dc, CDCEx& scratch) const
{
    // An invisible axis lays itself out on a scratch context, so that the
    // curves bound to it are placed while nothing of it shows.
    if (m_visible)
        return dc;
    scratch.CreateCompatibleDC(dc);
    scratch.m_scaled = dc->m_scaled;
    scratch.m_scaleX = dc->m_scaleX;
    scratch.m_scaleY = dc->m_scaleY;
    scratch.m_whiteBackground = dc->m_whiteBackground;
    return &scratch;
}

void CXGraphAxis::Draw(CDCEx* dc)
{
    CDCEx scratch;
    CDCEx* target = DrawingTarget(dc, scratch);
    if (m_autoScale)
        AutoScale(target);
    m_span = m_viewMax - m_viewMin;
    target->SetTextColor(RGB(0, 0, 0));
    if (m_linear == 0) {
        DrawLogScale(target);
        return;
    }
    if (m_orientation == vertical)
        DrawVertical(target, Scale::linear, true);
    else
        DrawHorizontal(target, Scale::linear, true);
}

void CXGraphAxis::DrawLogScale(CDCEx* dc)
{
    if (m_orientation == vertical)
        DrawVertical(dc, Scale::logarithmic, true);
    else
        DrawHorizontal(dc, Scale::logarithmic, true);
}

std::vector<DecadeTick> CXGraphAxis::DecadeTicks(double minimum, double maximum)
{
    std::vector<DecadeTick> ticks;
    const double low = std::max(minimum, kLogFloorMin);
    const double high = std::max(maximum, kLogFloorMax);
    if (!std::isfinite(low) || !std::isfinite(high))
        return ticks;
    // Decades by their exponent, so that each is the exact power of ten
    // and a decade-aligned end is not lost to rounding.
    const int first = static_cast<int>(std::floor(std::log10(low)));
    const int end = static_cast<int>(std::ceil(std::log10(high)));
    for (int exponent = first; exponent < end; ++exponent) {
        const double decade = std::pow(10.0, exponent);
        for (int multiple = 1; multiple <= 9; ++multiple) {
            const double value = multiple * decade;
            if (value >= low && value <= high)
                ticks.push_back({value, multiple == 1});
        }
    }
    return ticks;
}

COLORREF CXGraphAxis::TextBackground(CDCEx* dc) const
{
    if (dc->m_whiteBackground || m_graph == nullptr)
        return RGB(255, 255, 255);
    // The labels and titles stand on the frame, not on the chart's
    // background around it.
    return m_labelBackground;
}

void CXGraphAxis::DrawVerticalTick(CDCEx* dc, double value, double y, bool labelled)
{
    const CRect plot = PlotRect();
    const int row = ToPixel(y);
    // Labels right-aligned left of the line, or left-aligned right of it;
    // the grid runs across the plot away from them.
    const bool left = m_placement == placementLeft;
    const int edge = left ? m_originX - m_labelGap : m_originX + m_labelGap;
    if (labelled) {
        const CString label = FormatLabel(value);
        const CSize extent = MeasureText(dc, label);
        const int half = extent.cy / 2;
        const int labelTop = ToPixel(y - half);
        CRect rect = left ? CRect(edge - extent.cx, labelTop, edge, labelTop + extent.cy)
                          : CRect(edge, labelTop, edge + extent.cx, labelTop + extent.cy);
        dc->DrawText(label, &rect, (left ? DT_RIGHT : DT_LEFT) | DT_NOPREFIX);
    }
    CPenSelector pen(dc, m_gridColour, 1, m_gridStyle);
    dc->SetBkMode(TRANSPARENT);
    dc->MoveTo(edge, row);
    if (m_grid && row != m_originY)
        dc->LineTo(left ? plot.right : plot.left, row);
    else
        dc->LineTo(m_originX, row);
}

void CXGraphAxis::DrawHorizontalTick(CDCEx* dc, double value, double x, bool labelled)
{
    const int column = ToPixel(x);
    if (labelled) {
        const CString label = FormatLabel(value);
        const CSize extent = MeasureText(dc, label);
        const int half = extent.cx / 2;
        // As wide as the text, so that an odd width does not clip its last
        // column.
        const int labelLeft = ToPixel(x - half);
        CRect rect(labelLeft, m_originY + m_labelGap, labelLeft + extent.cx,
                   m_originY + m_labelGap + extent.cy);
        dc->DrawText(label, &rect, DT_CENTER | DT_NOPREFIX);
    }
    CPenSelector pen(dc, m_gridColour, 1, m_gridStyle);
    dc->SetBkMode(TRANSPARENT);
    dc->MoveTo(column, m_originY + m_labelGap);
    if (m_grid && column != m_originX)
        dc->LineTo(column, m_farEdge);
    else
        dc->LineTo(column, m_originY);
}

void CXGraphAxis::DrawVertical(CDCEx* dc, Scale scale, bool markers)
{
    const CRect plot = PlotRect();
    m_endMargin = 2 * m_tickLength;
    m_symbolSpace = LayoutSeriesSymbols(dc, false);
    if (!m_title.IsEmpty())
        m_endMargin += MeasureTitle().cy;
    const int top = static_cast<int>(m_farEdge + m_symbolSpace);
    m_length = ToPixel(plot.bottom - (plot.top + m_endMargin + m_symbolSpace));
    const double pixels = m_originY - top - m_endMargin;
    if (scale == Scale::linear && m_stepEstimated && !m_autoScale)
        m_step = StepForLength(pixels);
    const double step = scale == Scale::linear ? TickStep() : 0.0;
    const double pixelStep = step > 0 ? pixels / (m_span / step) : 0.0;

    DrawColorRanges(dc, scale);
    if (markers)
        DrawMarkers(dc);
    m_symbolSpace = LayoutSeriesSymbols(dc, true);

    dc->SetBkColor(TextBackground(dc));
    dc->SetBkMode(OPAQUE);
    {
        CFontSelector titleFont(dc, &m_titleFont);
        const CSize title = MeasureTitle();
        if (m_placement == placementLeft) {
            CRect rect(m_originX - m_labelGap - title.cx, top, m_originX - m_labelGap,
                       top + title.cy);
            dc->DrawText(m_title, &rect, DT_RIGHT | DT_NOPREFIX);
        } else if (m_placement == placementRight) {
            CRect rect(m_originX + m_labelGap, top, m_originX + m_labelGap + title.cx,
                       top + title.cy);
            dc->DrawText(m_title, &rect, DT_LEFT | DT_NOPREFIX);
        }
    }
    if (m_placement == placementLeft || m_placement == placementRight) {
        CFontSelector labelFont(dc, &m_labelFont);
        if (scale == Scale::logarithmic) {
            for (const DecadeTick& tick : DecadeTicks(m_viewMin, m_viewMax))
                DrawVerticalTick(dc, tick.value, MapOnScale({0, tick.value}, scale).y, tick.decade);
        } else if (step > 0) {
            const double first = FirstTick(step);
            double y = m_originY - (first - m_viewMin) / step * pixelStep;
            int ticks = 0;
            for (double value = first; value <= m_viewMax && ticks <= kMaxTicks;
                 value += step, y -= pixelStep, ++ticks) {
                DrawVerticalTick(dc, TickValue(value, step), y, true);
                // A step lost in the magnitude of the value would never end.
                if (value + step == value)
                    break;
            }
        }
    }
    {
        CPenSelector pen(dc, m_colour, 1, PS_SOLID);
        dc->MoveTo(m_originX, m_originY);
        dc->LineTo(m_originX, top);
        DrawArrow(dc, m_originX, top, true);
    }
    m_rect = CRect(m_originX - 5, top, m_originX + 5, m_originY);
}

void CXGraphAxis::DrawHorizontal(CDCEx* dc, Scale scale, bool markers)
{
    const CRect plot = PlotRect();
    m_endMargin = 4 * m_tickLength;
    m_symbolSpace = LayoutSeriesSymbols(dc, false);
    if (!m_title.IsEmpty())
        m_endMargin += MeasureTitle().cx;
    const int endX = static_cast<int>(plot.right - m_symbolSpace);
    const int run = endX - m_originX;
    if (scale == Scale::linear && m_stepEstimated && !m_autoScale)
        m_step = StepForLength(run - m_endMargin);
    const double step = scale == Scale::linear ? TickStep() : 0.0;
    const double pixelStep = step > 0 ? (run - m_endMargin) / (m_span / step) : 0.0;
    m_length = ToPixel(run - m_endMargin);

    DrawColorRanges(dc, scale);
    if (markers)
        DrawMarkers(dc);
    m_symbolSpace = LayoutSeriesSymbols(dc, true);

    dc->SetBkColor(TextBackground(dc));
    dc->SetBkMode(OPAQUE);
    {
        CFontSelector titleFont(dc, &m_titleFont);
        const CSize title = MeasureTitle();
        CRect rect(endX - title.cx, m_originY + m_labelGap, endX,
                   m_originY + m_labelGap + title.cy);
        dc->DrawText(m_title, &rect, DT_LEFT | DT_NOPREFIX);
    }
    {
        CFontSelector labelFont(dc, &m_labelFont);
        if (scale == Scale::logarithmic) {
            for (const DecadeTick& tick : DecadeTicks(m_viewMin, m_viewMax))
                DrawHorizontalTick(dc, tick.value, MapOnScale({tick.value, 0}, scale).x,
                                   tick.decade);
        } else if (step > 0) {
            const double first = FirstTick(step);
            double x = m_originX + (first - m_viewMin) / step * pixelStep;
            int ticks = 0;
            // No label at the right end: the loop stops short of it.
            for (double value = first; value < m_viewMax && ticks <= kMaxTicks;
                 value += step, x += pixelStep, ++ticks) {
                DrawHorizontalTick(dc, TickValue(value, step), x, true);
                if (value + step == value)
                    break;
            }
        }
    }
    {
        CPenSelector pen(dc, m_colour, 1, PS_SOLID);
        dc->MoveTo(m_originX, m_originY);
        dc->LineTo(endX, m_originY);
        DrawArrow(dc, endX, m_originY, false);
    }
    m_rect = CRect(m_originX, m_originY - 5, endX, m_originY + 5);
}

void CXGraphAxis::DrawArrow(CDCEx* dc, int x, int y, bool up)
{
    const int size = m_tickLength;
    for (int k = 0; k < size; ++k) {
        if (up) {
            dc->MoveTo(x - k, y + k);
            dc->LineTo(x + k, y + k);
        } else {
            dc->MoveTo(x - size + k, y - size + k);
            dc->LineTo(x - size + k, y + size - k);
        }
    }
}

void CXGraphAxis::DrawColorRanges(CDCEx* dc, Scale scale)
{
    if (m_colorRanges.empty())
        return;
    const CRect plot = PlotRect();
    CQuickFont font("Arial", 12, FW_BOLD);
    CFontSelector selectFont(dc, &font);
    dc->SetBkMode(TRANSPARENT);
    for (const AxisColorRange& range : m_colorRanges) {
        // The band's pixels along the axis, from its low end up to (not
        // including) its high end; at least one pixel wide so that a short
        // band (a 0.1 s marker of a day-long test) stays visible.
        int low = 0;
        int high = 0;
        int first = 0;
        int last = 0;
        if (m_orientation == vertical) {
            const int from = MapOnScale({0, range.from}, scale).y;
            const int to = MapOnScale({0, range.to}, scale).y;
            low = std::min(from, to);
            high = std::max(from, to);
            first = plot.top;
            last = plot.bottom;
        } else {
            const int from = MapOnScale({range.from, 0}, scale).x;
            const int to = MapOnScale({range.to, 0}, scale).x;
            low = std::min(from, to);
            high = std::max(from, to);
            first = plot.left;
            last = plot.right;
        }
        if (high < first || low > last)
            continue;
        low = std::clamp(low, first, last);
        high = std::clamp(high, first, last);
        if (high <= low) {
            if (low == last)
                --low;
            high = low + 1;
        }
        const CRect band = m_orientation == vertical ? CRect(plot.left, low, plot.right, high)
                                                     : CRect(low, plot.top, high, plot.bottom);
        if (range.style == 6 && range.colour1 == range.colour2) {
            CBrush brush(range.colour1);
            dc->FillRect(&band, &brush);
        } else if (range.style >= 0 && range.style <= 5) {
            CPenSelector pen(dc, range.colour1, 1, PS_SOLID);
            CBrushSelector brush(dc, range.style, range.colour1);
            dc->Rectangle(&band);
        }
        std::size_t length = 0;
        while (length < 261 && range.label[length] != 0)
            ++length;
        if (length == 0)
            continue;
        // The label only where it fits inside the band.
        const CString label(range.label, length);
        CRect inset = band;
        inset.DeflateRect(2, 2);
        const CSize size = dc->GetTextExtent(label);
        if (size.cx <= inset.Width() && size.cy <= inset.Height())
            dc->DrawText(label, &inset, 0);
    }
}

void CXGraphAxis::DrawMarkers(CDCEx* dc)
{
    if (m_markers.empty())
        return;
    const CRect plot = PlotRect();
    CQuickFont fallback("Arial", 12, FW_BOLD);
    CFontSelector selectFallback(dc, &fallback);
    dc->SetBkMode(TRANSPARENT);
    for (const AxisMarker& marker : m_markers) {
        CQuickFont font(marker.font);
        if (m_orientation == vertical) {
            const int y = ValueToPoint({0, marker.value}).y;
            if (y < plot.top || y > plot.bottom)
                continue;
            {
                CPenSelector pen(dc, marker.colour, LOWORD(marker.penWidth), marker.penStyle);
                dc->MoveTo(plot.left, y);
                dc->LineTo(plot.right, y);
            }
            CFontSelector selectFont(dc, &font);
            if (marker.showValue)
                dc->TextOut(plot.left, y, FormatLabel(marker.value));
            if (!marker.label.IsEmpty()) {
                const int height = dc->GetTextExtent("W").cy;
                CRect rect(plot.left, y - height, plot.right, y);
                dc->DrawText(marker.label, &rect, DT_RIGHT | DT_SINGLELINE);
            }
        } else {
            const int x = ValueToPoint({marker.value, 0}).x;
            if (x < plot.left || x > plot.right)
                continue;
            {
                CPenSelector pen(dc, marker.colour, LOWORD(marker.penWidth), marker.penStyle);
                dc->MoveTo(x, plot.bottom);
                dc->LineTo(x, plot.top);
            }
            CFontSelector selectFont(dc, &font);
            if (marker.showValue)
                dc->TextOut(x, plot.bottom, FormatLabel(marker.value));
            if (!marker.label.IsEmpty()) {
                // The text rises along the left of the line and ends a
                // letter below the plot top.
                const CSize letter = dc->GetTextExtent("W");
                const int length = dc->GetTextExtent(marker.label).cx;
                dc->TextOut(x - letter.cy, plot.top + letter.cx + length, marker.label);
            }
        }
    }
}

int CXGraphAxis::LayoutSeriesSymbols(CDCEx* dc, bool draw)
{
    if (!m_showSymbols)
        return 0;
    const int size = m_symbolSize;
    int taken = 0;
    if (m_graph != nullptr) {
        const int self = m_graph->IndexOfAxis(this);
        const CRect plot = PlotRect();
        for (int i = 0; i < m_graph->GetSeriesCount(); ++i) {
            CXGraphDataSerie& series = m_graph->SeriesAt(i);
            if (!series.m_visible)
                continue;
            const int bound = m_orientation == vertical ? series.m_yAxis : series.m_xAxis;
            if (bound != self)
                continue;
            if (draw) {
                int x = 0;
                int y = 0;
                if (m_orientation == vertical) {
                    const int column = taken % 3;
                    const int row = taken / 3;
                    x = m_placement != placementRight ? m_originX - size / 2 - column * size
                                                      : m_originX - size / 2 + column * size;
                    y = m_farEdge + row * size;
                } else {
                    x = plot.right - (taken / 2 + 1) * size;
                    y = m_originY + (taken % 2) * size - size / 2;
                }
                const int number = series.m_symbolKind != CXGraphDataSerie::symbolNumbered
                                       ? series.m_symbolNumber
                                       : i;
                series.DrawSymbol(this, number, size,
                                  series.m_symbolKind == CXGraphDataSerie::symbolCustom, x, y,
                                  series.m_colour, dc);
            }
            ++taken;
        }
    }
    if (m_orientation == vertical)
        return size * ((taken + 2) / 3);
    return size * (1 + (taken + 1) / 2);
}

// Serialization --------------------------------------------------------------

void CXGraphAxis::Serialize(CArchive& archive)
{
    SerializeFlag(archive, m_autoScale);
    SerializeFlag(archive, m_visible);
    SerializeFlag(archive, m_grid);
    SerializeString(archive, m_displayFormat);
    SerializeString(archive, m_title);
    SerializeDouble(archive, m_fullMax);
    SerializeDouble(archive, m_fullMin);
    SerializeDouble(archive, m_viewMax);
    SerializeDouble(archive, m_viewMin);
    SerializeDouble(archive, m_step);
    SerializeInt(archive, m_originY);
    SerializeInt(archive, m_originX);
    SerializeInt(archive, m_orientation);
    SerializeInt(archive, m_tickLength);
    SerializeInt(archive, m_labelGap);
    int colour = static_cast<int>(m_colour);
    SerializeInt(archive, colour);
    m_colour = static_cast<COLORREF>(colour);
    int gridColour = static_cast<int>(m_gridColour);
    SerializeInt(archive, gridColour);
    m_gridColour = static_cast<COLORREF>(gridColour);
    SerializeInt(archive, m_gridStyle);
    SerializeDouble(archive, m_endMargin);
    SerializeFlag(archive, m_dateTime);
    SerializeDouble(archive, m_symbolSpace);
    SerializeDouble(archive, m_span);
    SerializeInt(archive, m_length);
    SerializeInt(archive, m_symbolSize);
    SerializeInt(archive, m_placement);
    SerializeFlag(archive, m_showSymbols);

    if (archive.IsStoring()) {
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_colorRanges.size()));
        for (const AxisColorRange& range : m_colorRanges)
            archive.Write(&range, sizeof(AxisColorRange));
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_markers.size()));
        for (const AxisMarker& marker : m_markers) {
            BYTE record[kMarkerRecordSize] = {};
            std::memcpy(record + 0, &marker.value, 8);
            std::memcpy(record + 8, &marker.colour, 4);
            record[12] = marker.stored ? 1 : 0;
            record[13] = marker.showValue ? 1 : 0;
            std::memcpy(record + 16, &marker.penStyle, 4);
            std::memcpy(record + 20, &marker.penWidth, 4);
            std::memcpy(record + 24, &marker.font, sizeof(LOGFONT));
            archive.Write(record, sizeof record);
        }
    } else {
        m_colorRanges.clear();
        const std::int32_t rangeCount = ReadCount(archive);
        for (std::int32_t i = 0; i < rangeCount; ++i) {
            AxisColorRange range;
            archive.Read(&range, sizeof(AxisColorRange));
            range.label[261] = 0;
            range.style = KnownChoice(range.style, HS_HORIZONTAL, 6, 6);
            m_colorRanges.push_back(range);
        }
        m_markers.clear();
        const std::int32_t markerCount = ReadCount(archive);
        for (std::int32_t i = 0; i < markerCount; ++i) {
            BYTE record[kMarkerRecordSize];
            archive.Read(record, sizeof record);
            AxisMarker marker;
            std::memcpy(&marker.value, record + 0, 8);
            std::memcpy(&marker.colour, record + 8, 4);
            marker.stored = record[12] != 0;
            marker.showValue = record[13] != 0;
            std::memcpy(&marker.penStyle, record + 16, 4);
            std::memcpy(&marker.penWidth, record + 20, 4);
            std::memcpy(&marker.font, record + 24, sizeof(LOGFONT));
            marker.penStyle = KnownChoice(marker.penStyle, PS_SOLID, PS_INSIDEFRAME, PS_SOLID);
            marker.penWidth = ClampedInt(marker.penWidth, 0, kMaxLineWidth);
            ClampFont(marker.font);
            m_markers.push_back(marker);
        }
    }
    SerializeFont(archive, m_labelFont);
    SerializeFont(archive, m_titleFont);
    if (archive.IsLoading())
        KeepLoadedValuesDrawable();
}

void CXGraphAxis::KeepLoadedValuesDrawable()
{
    m_displayFormat = ClampedText(m_displayFormat);
    m_title = ClampedText(m_title);
    // The ranges, the step and the span stay as stored, infinities and all:
    // an axis without data stores the largest numbers as its range and, once
    // its zoom was reset, an infinite step. Drawing takes a step only when
    // it gives a bounded number of ticks and maps what is no number or too
    // far away to the edge of what can be drawn.
    //
    // The margins are laid out again by every drawing, but step estimates
    // use them before.
    m_endMargin = ClampedDouble(m_endMargin, -kPixelLimit, kPixelLimit, 0.0);
    m_symbolSpace = ClampedDouble(m_symbolSpace, -kPixelLimit, kPixelLimit, 0.0);
    m_originX = ClampedPixel(m_originX);
    m_originY = ClampedPixel(m_originY);
    m_length = ClampedPixel(m_length);
    // The arrow is drawn a line per pixel of the tick length, and the gap
    // makes the label size that steps divide by.
    m_tickLength = ClampedInt(m_tickLength, 0, kMaxTickLength);
    m_labelGap = ClampedInt(m_labelGap, 0, kMaxLabelGap);
    m_symbolSize = ClampedInt(m_symbolSize, 0, kMaxSymbolSize);
    m_orientation = KnownChoice(m_orientation, horizontal, vertical, horizontal);
    // A vertical axis on no side would never be given its place.
    m_placement = KnownChoice(m_placement, placementLeft, placementAuto, placementAuto);
    m_gridStyle = KnownChoice(m_gridStyle, PS_SOLID, PS_INSIDEFRAME, PS_DOT);
}
