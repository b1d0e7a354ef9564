// How the chart paints itself: layout of legend, axes and plot, the curves,
// the interactive overlays and the objects, on the screen and on paper.

#include "XGraph.h"

#include "BrushSelector.h"
#include "COleDateTime.h"
#include "CPrintDialog.h"
#include "DCEx.h"
#include "DisplayFormat.h"
#include "FontSelector.h"
#include "MemDC.h"
#include "ModalSeam.h"
#include "PenSelector.h"
#include "PixelLimits.h"
#include "QuickFont.h"
#include "SystemMetrics.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// The brush the selection band inverts the plot with.
constexpr COLORREF kBandBrush = RGB(10, 10, 10);

// A read-out line: the fixed text, the axis' (checked) number format, then
// the rest, filled with a number, a value and a title.
CString FormatWithAxis(const char* before, const CString& displayFormat, const char* after,
                       int number, double value, const CString& title)
{
    const std::string format =
        std::string(before) + SafeDisplayFormat(displayFormat).ToUtf8() + std::string(after);
    CString text;
    text.Format(format.c_str(), number, value, title.ToUtf8().c_str());
    return text;
}

// A date for the read-out: line breaks of the pattern become spaces.
CString DateText(const CXGraphAxis& axis, double value)
{
    std::u16string pattern = axis.m_displayFormat.Text();
    std::replace(pattern.begin(), pattern.end(), u'\r', u' ');
    std::replace(pattern.begin(), pattern.end(), u'\n', u' ');
    return COleDateTime(value).Format(CString(pattern));
}

CString AxisValueText(const CXGraphAxis& axis, double value)
{
    if (axis.m_dateTime)
        return DateText(axis, value);
    return FormatDisplayValue(axis.m_displayFormat, value);
}

int ClampedPointIndex(const CXGraph& graph, int series, double x)
{
    const int count = const_cast<CXGraph&>(graph).SeriesAt(series).m_count;
    return std::clamp(graph.FindPointIndex(series, x), 0, std::max(count - 1, 0));
}

} // namespace

PrintLook CXGraph::ScreenLook() const
{
    PrintLook look;
    look.colours = m_colours;
    look.showLegend = m_showLegend;
    return look;
}

void CXGraph::PaintChart(CDC* paintDC)
{
    m_lastCursorPoint = CPoint(-1, -1);
    if (paintDC == nullptr)
        return;
    std::unique_ptr<CMemDC> buffer;
    std::unique_ptr<CDCEx> wrapper;
    if (m_doubleBuffer) {
        buffer = std::make_unique<CMemDC>(paintDC);
        wrapper = std::make_unique<CDCEx>(buffer.get());
    } else {
        wrapper = std::make_unique<CDCEx>(paintDC);
    }
    CDCEx* dc = wrapper.get();
    const int saved = dc->SaveDC();
    CRect area;
    GetClientRect(&area);
    area.bottom -= kScrollBarHeight;
    LayoutAndDraw(dc, area, ScreenLook());
    dc->RestoreDC(saved);
    wrapper.reset();
    // Copies the picture to the window.
    buffer.reset();
    if (m_scrollBar.GetSafeHwnd() != nullptr) {
        m_scrollBar.Invalidate();
        m_scrollBar.UpdateWindow();
    }
}

void CXGraph::PaintPage(CDCEx* dc, const CRect& page, const PrintLook& look)
{
    LayoutAndDraw(dc, page, look);
}

void CXGraph::LayoutAndDraw(CDCEx* dc, const CRect& area, const PrintLook& look)
{
    const bool white = dc->m_whiteBackground;
    dc->FillSolidRect(&area, white ? kWhite : look.colours.background);

    CRect inner(area.left + kMarginLeft, area.top + kMarginTop, area.right - kMarginRight,
                area.bottom - kMarginBottom);
    if (look.showLegend)
        DrawLegend(dc, inner);
    dc->FillSolidRect(&inner, white ? kWhite : look.colours.frame);

    // Automatic Y axes go left and right in turn, the first one left.
    int nextSide = CXGraphAxis::placementLeft;
    for (CXGraphAxis& axis : m_yAxes) {
        if (axis.m_placement == CXGraphAxis::placementAuto) {
            axis.m_placement = nextSide;
            nextSide = nextSide == CXGraphAxis::placementLeft ? CXGraphAxis::placementRight
                                                              : CXGraphAxis::placementLeft;
        }
    }
    // The sums of the axes' widths and heights stay pixel coordinates,
    // however many axes with however long labels and titles there are.
    int left = inner.left;
    for (CXGraphAxis& axis : m_yAxes) {
        if (axis.m_placement != CXGraphAxis::placementLeft)
            continue;
        if (axis.m_visible)
            left = ToPixel(
                static_cast<double>(left) +
                std::max(axis.MeasureLabelWidth(), axis.m_tickLength + axis.MeasureTitle().cx) +
                m_axisGap);
        axis.m_originX = left;
        axis.m_rect = inner;
    }
    int right = inner.right;
    for (CXGraphAxis& axis : m_yAxes) {
        if (axis.m_placement != CXGraphAxis::placementRight)
            continue;
        if (axis.m_visible)
            right = ToPixel(static_cast<double>(right) -
                            std::max(axis.MeasureLabelWidth(), axis.MeasureTitle().cx) - m_axisGap);
        axis.m_originX = right;
        axis.m_rect = inner;
    }
    int bottom = inner.bottom;
    for (CXGraphAxis& axis : m_xAxes) {
        if (axis.m_visible)
            bottom = ToPixel(static_cast<double>(bottom) - axis.MeasureLabelHeight() - m_axisGap);
        axis.m_originY = bottom;
        axis.m_originX = left;
        axis.m_rect = inner;
    }
    m_plotRect = CRect(left + 1, inner.top, right, bottom);
    for (CXGraphAxis& axis : m_yAxes) {
        axis.m_originY = bottom;
        axis.m_farEdge = m_plotRect.top;
    }
    for (CXGraphAxis& axis : m_xAxes)
        axis.m_farEdge = m_plotRect.top;
    for (auto* axes : {&m_yAxes, &m_xAxes})
        for (CXGraphAxis& axis : *axes)
            axis.m_labelBackground = look.colours.frame;

    const COLORREF plotColour = look.colours.plot;
    DrawPlotContents(dc, plotColour);
    if (m_mode == ModeCursor)
        DrawSelectionBand(dc, plotColour);
    if (m_mode == ModeZoom && m_leftButtonDown)
        DrawZoomRect(dc, plotColour);
    if (m_mode == ModeMeasure && m_leftButtonDown)
        DrawMeasure(dc, CRect(0, 0, 0, 0), plotColour);
    if (m_mode == ModeCursor)
        DrawCursor(dc);
    POSITION position = m_objects.GetHeadPosition();
    while (position != nullptr)
        static_cast<CXGraphObject*>(m_objects.GetNext(position))->Draw(dc);
    DrawPageLines(dc, look.lines);
    if (m_showEditedValue) {
        CQuickFont font("Arial", 13, FW_NORMAL);
        CFontSelector selectFont(dc, &font);
        dc->SetBkMode(TRANSPARENT);
        dc->TextOut(m_mousePoint.x + 10, m_mousePoint.y, CString::Formatted("%.2f", m_editedValue));
    }
}

void CXGraph::DrawPageLines(CDCEx* dc, const std::vector<PageLine>& lines)
{
    int top = 10;
    for (const PageLine& line : lines) {
        CXGraphLabel label;
        SetUpTextLabel(label, top, top + 30, line.colour, line.text);
        label.Draw(dc);
        top += 30;
    }
}

void CXGraph::DrawPlotContents(CDCEx* dc, COLORREF plotColour)
{
    dc->FillSolidRect(&m_plotRect, dc->m_whiteBackground ? kWhite : plotColour);
    for (CXGraphAxis& axis : m_yAxes)
        axis.Draw(dc);
    for (CXGraphAxis& axis : m_xAxes)
        axis.Draw(dc);

    dc->IntersectClipRect(&m_plotRect);
    for (CXGraphDataSerie& series : m_series)
        if (series.m_visible)
            series.Draw(dc);
    for (CXGraphDataSerie& series : m_series)
        if (series.m_visible && series.m_showCurveSymbols)
            series.DrawCurveSymbols(dc);
    DrawMeasures(dc, plotColour);
}

void CXGraph::DrawLegend(CDCEx* dc, CRect& inner)
{
    CQuickFont font("Arial", 13, FW_NORMAL);
    CFontSelector selectFont(dc, &font);
    std::vector<CString> lines;
    std::vector<int> heights;
    int widest = 0;
    int total = 0;
    for (CXGraphDataSerie& series : m_series) {
        if (!series.m_visible)
            continue;
        const CString line = CString::Formatted("%02d %s", IndexOfSeries(&series) + 1,
                                                series.GetName().ToUtf8().c_str());
        const CSize extent = dc->GetTextExtent(line);
        widest = std::max(widest, static_cast<int>(extent.cx));
        total += extent.cy;
        lines.push_back(line);
        heights.push_back(extent.cy);
    }
    CRect box;
    if (m_legendPosition == LegendLeft) {
        box = CRect(inner.left + 10, inner.top + 10, inner.left + 10 + widest + 16,
                    inner.top + total + 12);
        inner.left += widest + 36;
    } else {
        box = CRect(inner.right - widest - 26, inner.top + 10, inner.right - 10,
                    inner.top + total + 12);
        inner.right -= widest + 36;
    }
    const COLORREF background = dc->m_whiteBackground ? kWhite : GetSysColor(COLOR_WINDOW);
    {
        CPenSelector pen(dc, kBlack, 1, PS_SOLID);
        CBrushSelector brush(dc, background);
        dc->Rectangle(&box);
    }
    box.DeflateRect(1, 1);

    m_legendEntries.clear();
    dc->SetBkMode(OPAQUE);
    dc->SetTextColor(kBlack);
    int offset = 0;
    std::size_t line = 0;
    for (CXGraphDataSerie& series : m_series) {
        if (!series.m_visible)
            continue;
        const int height = heights[line];
        CRect lineRect(box.left + 12, box.top + offset, box.right, box.top + offset + height);
        m_legendEntries.push_back({lineRect, &series});
        // The previous line's sample fill changed the background colour.
        dc->SetBkColor(background);
        dc->DrawText(lines[line], &lineRect, DT_LEFT | DT_NOPREFIX);
        if (series.m_selected)
            dc->DrawFocusRect(&lineRect);
        const COLORREF sample = dc->m_whiteBackground ? kBlack : series.m_colour;
        const int number = series.m_symbolNumber;
        if (series.m_symbolKind != CXGraphDataSerie::symbolNumbered && number >= 0 && number < 8 &&
            m_symbolProcedures[static_cast<std::size_t>(number)] != nullptr) {
            m_symbolProcedures[static_cast<std::size_t>(number)](box.left + 1, box.top + offset + 2,
                                                                 8, sample, 0, dc);
        } else {
            const CRect sampleRect(box.left + 2, box.top + offset + 1, box.left + 10,
                                   box.top + offset + height - 2);
            dc->FillSolidRect(&sampleRect, sample);
        }
        offset += height;
        ++line;
    }
}

void CXGraph::DrawMeasures(CDCEx* dc, COLORREF plotColour)
{
    for (const MeasureRecord& measure : m_measures) {
        if (!IsPlottable(measure.startSeries) || !IsPlottable(measure.endSeries))
            continue;
        CXGraphDataSerie& start = SeriesAt(measure.startSeries);
        CXGraphDataSerie& end = SeriesAt(measure.endSeries);
        if (measure.startPoint < 0 || measure.startPoint >= start.m_count || measure.endPoint < 0 ||
            measure.endPoint >= end.m_count)
            continue;
        const CPoint from = SeriesPointToPixel(start, start.m_points[measure.startPoint]);
        const CPoint to = SeriesPointToPixel(end, end.m_points[measure.endPoint]);
        DrawMeasure(dc, CRect(from.x, from.y, to.x, to.y), plotColour);
    }
}

void CXGraph::DrawMeasure(CDCEx* dc, CRect rect, COLORREF plotColour)
{
    dc->SetBkColor(plotColour);
    CQuickFont font("Arial", -11, FW_BOLD);
    CFontSelector selectFont(dc, &font);
    if (rect.IsRectNull() && m_mode == ModeMeasure) {
        // The measure being dragged: from the press to the mouse.
        const auto clampX = [this](int x) {
            return std::clamp<int>(x, m_plotRect.left, m_plotRect.right);
        };
        const auto clampY = [this](int y) {
            return std::clamp<int>(y, m_plotRect.top, m_plotRect.bottom);
        };
        rect = CRect(clampX(m_buttonDownPoint.x), clampY(m_buttonDownPoint.y),
                     clampX(m_mousePoint.x), clampY(m_mousePoint.y));
        m_measureRect = rect;
    }
    const int x1 = rect.left;
    const int y1 = rect.top;
    const int x2 = rect.right;
    const int y2 = rect.bottom;
    {
        CPenSelector guide(dc, RGB(200, 200, 200), 1, PS_DOT);
        dc->MoveTo(m_plotRect.left, y1);
        dc->LineTo(m_plotRect.right, y1);
        dc->MoveTo(x2, m_plotRect.top);
        dc->LineTo(x2, m_plotRect.bottom);
    }
    {
        CPenSelector path(dc, RGB(255, 0, 0), 1, PS_DOT);
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y1);
        dc->LineTo(x2, y2);
    }
    // Arrowheads at the end of each leg, pointing along it.
    constexpr int kArrow = 6;
    if (x2 >= x1)
        DrawSymbolTriangleRight(x2 - kArrow, y1 - kArrow / 2, kArrow, RGB(255, 0, 0), 0, dc);
    else
        DrawSymbolTriangleLeft(x2, y1 - kArrow / 2, kArrow, RGB(255, 0, 0), 0, dc);
    if (y2 <= y1)
        DrawSymbolTriangleUp(x2 - kArrow / 2, y2, kArrow, RGB(255, 0, 0), 0, dc);
    else
        DrawSymbolTriangleDown(x2 - kArrow / 2, y2 - kArrow, kArrow, RGB(255, 0, 0), 0, dc);

    if (!IsPlottable(m_cursorSeries) || !IsPlottable(m_measureEndSeries))
        return;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kBlack);
    CXGraphDataSerie& start = SeriesAt(m_cursorSeries);
    CXGraphDataSerie& end = SeriesAt(m_measureEndSeries);
    CXGraphAxis& startX = XAxisAt(start.m_xAxis);
    CXGraphAxis& endX = XAxisAt(end.m_xAxis);
    CXGraphAxis& startY = YAxisAt(start.m_yAxis);
    const double fromX = startX.PointToValue(x1);
    const double toX = endX.PointToValue(x2);
    const double dx = toX - fromX;
    const CString dxText = startX.m_dateTime ? COleDateTimeSpan(dx).Format(startX.m_displayFormat)
                                             : FormatDisplayValue(startX.m_displayFormat, dx);
    if (dc->GetTextExtent(dxText).cx < std::abs(x2 - x1)) {
        CRect span(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
        dc->DrawText(dxText, &span, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    const double endY = end.m_points[ClampedPointIndex(*this, m_measureEndSeries, toX)].fYVal;
    const double startYValue =
        start.m_points[ClampedPointIndex(*this, m_cursorSeries, fromX)].fYVal;
    const CString dyText =
        FormatDisplayValue(startY.m_displayFormat, std::fabs(endY - startYValue)) + CString(" ") +
        startY.m_title;
    const CSize dyExtent = dc->GetTextExtent(dyText);
    if (dyExtent.cy < std::abs(y2 - y1))
        dc->TextOut(x2 + 4, (y1 + y2) / 2 - dyExtent.cy / 2, dyText);
}

CPoint CXGraph::SelectionBandColumns(double start, double end)
{
    if (m_xAxes.empty())
        return CPoint(0, 0);
    CXGraphAxis& axis = m_xAxes[0];
    const int left = std::clamp<int>(axis.ValueToPoint({std::min(start, end), 0}).x,
                                     m_plotRect.left, m_plotRect.right);
    const int right = std::clamp<int>(axis.ValueToPoint({std::max(start, end), 0}).x,
                                      m_plotRect.left, m_plotRect.right);
    return CPoint(left, right);
}

void CXGraph::InvertColumns(CDCEx* dc, int from, int to, COLORREF plotColour)
{
    if (to <= from)
        return;
    CBrushSelector brush(dc, kBandBrush);
    CPenSelector noPen(dc, 0, 1, PS_NULL);
    dc->SetBkColor(plotColour);
    const int oldRop = dc->SetROP2(R2_NOTXORPEN);
    // Without a pen a rectangle fills one pixel less each way: this covers
    // the columns from up to (not including) to, over the whole plot
    // height, as a framed rectangle would.
    dc->Rectangle(from, m_plotRect.top, to + 1, m_plotRect.bottom + 1);
    dc->SetROP2(oldRop);
}

void CXGraph::DrawSelectionBand(CDCEx* dc, COLORREF plotColour)
{
    if (m_xAxes.empty())
        return;
    const CPoint band = SelectionBandColumns(m_selectionStart, m_selectionEnd);
    if (dc->GetOutputDeviceCaps(TECHNOLOGY) == DT_RASPRINTER)
        DrawInvertedColumnsOnPaper(dc, band.x, band.y, plotColour);
    else
        InvertColumns(dc, band.x, band.y, plotColour);
}

void CXGraph::DrawInvertedColumnsOnPaper(CDCEx* dc, int from, int to, COLORREF plotColour)
{
    if (to <= from)
        return;
    // The plot's contents drawn again inside the band with every colour
    // inverted as the band's brush inverts it: the band and the curves in
    // it look as on the screen, and the page stays drawn in lines.
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(from, m_plotRect.top, to, m_plotRect.bottom + 1);
    dc->m_notXorWith = kBandBrush;
    DrawPlotContents(dc, plotColour);
    dc->m_notXorWith.reset();
    dc->RestoreDC(saved);
}

void CXGraph::MoveSelectionEnd(CDCEx* dc, double end)
{
    // Inverting only the columns that enter or leave the band gives the
    // same picture as erasing the old band and drawing the new one.
    const CPoint before = SelectionBandColumns(m_selectionStart, m_selectionEnd);
    m_selectionEnd = end;
    const CPoint after = SelectionBandColumns(m_selectionStart, m_selectionEnd);
    if (m_xAxes.empty())
        return;
    InvertColumns(dc, std::min(before.x, after.x), std::max(before.x, after.x), m_colours.plot);
    InvertColumns(dc, std::min(before.y, after.y), std::max(before.y, after.y), m_colours.plot);
}

void CXGraph::DrawZoomRect(CDCEx* dc, COLORREF plotColour)
{
    CRect rect(m_buttonDownPoint, m_mousePoint);
    rect.NormalizeRect();
    rect.IntersectRect(rect, m_plotRect);
    if (!m_doubleBuffer && !m_zoomRect.IsRectEmpty())
        dc->DrawFocusRect(&m_zoomRect);
    m_zoomRect = rect;
    if (m_doubleBuffer) {
        CBrushSelector brush(dc, RGB(150, 150, 255));
        CPenSelector noPen(dc, 0, 1, PS_NULL);
        dc->SetBkColor(plotColour);
        const int oldRop = dc->SetROP2(R2_NOTXORPEN);
        dc->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        dc->SetROP2(oldRop);
    }
    dc->DrawFocusRect(&rect);
}

void CXGraph::DrawCursor(CDCEx* dc)
{
    if (dc->IsPrinting())
        return;
    m_cursorSeries = -1;
    if (IsPlottable(m_fixedCursorSeries)) {
        CXGraphDataSerie& series = SeriesAt(m_fixedCursorSeries);
        m_cursorSeries = m_fixedCursorSeries;
        m_cursorX = XAxisAt(series.m_xAxis).PointToValue(m_mousePoint.x);
        const int point = ClampedPointIndex(*this, m_fixedCursorSeries, m_cursorX);
        m_cursorY = series.m_points[point].fYVal;
        m_mousePoint.y = YAxisAt(series.m_yAxis).ValueToPoint({0, m_cursorY}).y;
    } else if (m_snapCursor) {
        for (int i = 0; i < GetSeriesCount(); ++i) {
            if (!IsPlottable(i))
                continue;
            CXGraphDataSerie& series = SeriesAt(i);
            m_cursorX = XAxisAt(series.m_xAxis).PointToValue(m_mousePoint.x);
            const int point = ClampedPointIndex(*this, i, m_cursorX);
            m_cursorY = series.m_points[point].fYVal;
            const int y = YAxisAt(series.m_yAxis).ValueToPoint({0, m_cursorY}).y;
            if (std::abs(y - m_mousePoint.y) < m_snapRange) {
                m_cursorSeries = i;
                m_mousePoint.y = y;
                break;
            }
        }
    }
    CPenSelector pen(dc, kBlack, 1, PS_SOLID);
    const int oldRop = dc->SetROP2(R2_NOTXORPEN);
    const auto drawLines = [this, dc](CPoint at) {
        if ((m_cursorFlags & CursorVLine) != 0 && at.x >= m_plotRect.left &&
            at.x <= m_plotRect.right) {
            dc->MoveTo(at.x, m_plotRect.top);
            dc->LineTo(at.x, m_plotRect.bottom);
        }
        if ((m_cursorFlags & CursorHLine) != 0 && at.y >= m_plotRect.top &&
            at.y <= m_plotRect.bottom) {
            dc->MoveTo(m_plotRect.left, at.y);
            dc->LineTo(m_plotRect.right, at.y);
        }
    };
    if (m_lastCursorPoint != CPoint(-1, -1))
        drawLines(m_lastCursorPoint);
    drawLines(m_mousePoint);
    m_lastCursorPoint = m_mousePoint;
    dc->SetROP2(oldRop);
    if ((m_cursorFlags & CursorReadout) != 0)
        DrawCursorReadout(dc);
}

void CXGraph::DrawCursorReadout(CDCEx* dc)
{
    CString text;
    const auto addLine = [&text](const CString& line) {
        text += CString(" ") + line + CString("\r\n");
    };
    for (int i = 0; i < GetXAxisCount(); ++i) {
        CXGraphAxis& axis = XAxisAt(i);
        const double value = axis.PointToValue(m_mousePoint.x);
        if (axis.m_dateTime)
            addLine(CString::Formatted("X[%02d] : %s %s", i + 1,
                                       DateText(axis, value).ToUtf8().c_str(),
                                       axis.m_title.ToUtf8().c_str()));
        else
            addLine(FormatWithAxis("X[%02d] : ", axis.m_displayFormat, " %s", i + 1, value,
                                   axis.m_title));
    }
    for (int j = 0; j < GetYAxisCount(); ++j) {
        CXGraphAxis& axis = YAxisAt(j);
        addLine(FormatWithAxis("Y[%02d] : ", axis.m_displayFormat, " %s", j + 1,
                               axis.PointToValue(m_mousePoint.y), axis.m_title));
    }
    if (IsPlottable(m_cursorSeries)) {
        CXGraphDataSerie& series = SeriesAt(m_cursorSeries);
        const CXGraphAxis& xAxis = XAxisAt(series.m_xAxis);
        const CXGraphAxis& yAxis = YAxisAt(series.m_yAxis);
        const CString head = CString::Formatted("%s[%02d] : ", series.GetName().ToUtf8().c_str(),
                                                m_cursorSeries + 1);
        const CString yPart = FormatDisplayValue(yAxis.m_displayFormat, m_cursorY);
        const CString xPart = AxisValueText(xAxis, m_cursorX);
        addLine(head + xPart + CString(", ") + yPart);
    }
    m_readout.m_text = text;
    m_readout.m_visible = true;
    m_readout.Draw(dc);
}

// Printing -------------------------------------------------------------------

namespace {

// Scales the context from the screen's dots to the paper's and whitens it
// for a few-colour printer; the page in chart pixels.
CRect PreparePage(CDCEx* dc)
{
    dc->ComputeScaleFactors();
    dc->ComputeWhiteBackground();
    dc->m_scaled = true;
    return CRect(0, 0, static_cast<int>(dc->GetDeviceCaps(HORZRES) / dc->m_scaleX),
                 static_cast<int>(dc->GetDeviceCaps(VERTRES) / dc->m_scaleY));
}

} // namespace

void CXGraph::RenderPage(CDCEx* dc, const PrintLook& look, bool wholeJob)
{
    const CRect page = PreparePage(dc);
    if (!wholeJob) {
        PaintPage(dc, page, look);
        return;
    }
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    info.lpszDocName = u"Graph";
    if (dc->StartDoc(&info) > 0 && dc->StartPage() > 0) {
        PaintPage(dc, page, look);
        dc->EndPage();
        dc->EndDoc();
    } else {
        dc->AbortDoc();
    }
}

void CXGraph::RenderToDC(CDC* pDC)
{
    RenderToDC(pDC, ScreenLook());
}

void CXGraph::RenderToDC(CDC* pDC, const PrintLook& look)
{
    if (pDC == nullptr)
        return;
    CDCEx dc(pDC);
    dc.SetAttribDC(pDC->GetAttribDC());
    const bool preview = pDC->GetAttribDC() != nullptr && pDC->GetAttribDC() != pDC;
    if (preview) {
        dc.m_unscaledClip = true;
        RenderPage(&dc, look, false);
        return;
    }
    const CRect page = PreparePage(&dc);
    dc.StartPage();
    PaintPage(&dc, page, look);
    dc.EndPage();
    dc.EndDoc();
}

void CXGraph::PrintChart()
{
    CPrintDialog dialog(FALSE,
                        PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                            PD_NOSELECTION | PD_RETURNDC,
                        this);
    if (dialog.DoModal() != IDOK)
        return;
    CDC* printer = dialog.GetPrinterDC();
    if (printer == nullptr)
        return;
    CDCEx dc(printer);
    RenderPage(&dc, ScreenLook(), true);
}
