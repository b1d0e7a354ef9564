// How the chart answers the mouse, the wheel, the keys and its scroll bar:
// cursor and selection, zoom and its history, pan, measures, point editing
// and the hit test that selects axes, marker lines, objects, curves and
// legend lines.

#include "XGraph.h"

#include "Cursor.h"
#include "DCEx.h"
#include "WindowDC.h"

#include <algorithm>
#include <cmath>

DraggedMarker CXGraph::s_draggedMarker;
EditedPoint CXGraph::s_editedPoint;
PointEdited CXGraph::s_pointEdited;

namespace {

// Whether point lies on the segment: inside its box grown by 2 pixels and
// less than 2 pixels from its line.
bool NearSegment(const CurveSegment& segment, CPoint point)
{
    CRect box(std::min(segment.x1, segment.x2), std::min(segment.y1, segment.y2),
              std::max(segment.x1, segment.x2), std::max(segment.y1, segment.y2));
    box.InflateRect(2, 2);
    if (!box.PtInRect(point))
        return false;
    const double dx = segment.x2 - segment.x1;
    const double dy = segment.y2 - segment.y1;
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return std::hypot(point.x - segment.x1, point.y - segment.y1) < 2;
    const double distance =
        std::fabs(dy * point.x - dx * point.y + segment.x2 * segment.y1 - segment.y2 * segment.x1) /
        length;
    return distance < 2;
}

bool SameMarker(const DraggedMarker& a, const void* graph, int orientation, int axis, int marker)
{
    return a.graph == graph && a.orientation == orientation && a.axis == axis && a.marker == marker;
}

} // namespace

// Buttons --------------------------------------------------------------------

void CXGraph::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    SetCapture();
    if (m_mode == ModeCursor) {
        CClientDC client(this);
        CDCEx dc(&client);
        DrawSelectionBand(&dc);
        if (!m_xAxes.empty())
            m_selectionStart = m_selectionEnd = m_xAxes[0].PointToValue(point.x);
    }
    m_buttonDownPoint = point;
    if (m_mode == ModeMeasure) {
        SnapMeasurePoint(point);
        m_buttonDownPoint = point;
    }
    m_leftButtonDown = true;
    m_currentObject = nullptr;
    POSITION position = m_objects.GetHeadPosition();
    while (position != nullptr) {
        auto* object = static_cast<CXGraphObject*>(m_objects.GetNext(position));
        // What is not shown takes no clicks (the read-out outside cursor
        // mode keeps its last place).
        if (!object->m_visible)
            continue;
        if (object->m_rect.PtInRect(point))
            m_currentObject = object;
        if (object->m_trackerShown &&
            object->m_tracker.HitTest(point) != CRectTracker::hitNothing) {
            ReleaseCapture();
            if (object->m_tracker.Track(this, point, FALSE, nullptr) && object->m_movable &&
                object->m_sizable) {
                object->m_rect = object->m_tracker.m_rect;
                InvalidateRect(nullptr, FALSE);
            }
        }
    }
}

void CXGraph::OnLButtonUp(UINT, CPoint point)
{
    if (!m_leftButtonDown)
        return;
    ReleaseCapture();
    m_panAnchor = CPoint(0, 0);
    m_buttonUpPoint = point;
    m_mousePoint = point;
    m_leftButtonDown = false;
    if (m_mode == ModeMeasure) {
        SnapMeasurePoint(point);
        m_measures.push_back(m_measure);
    }
    if (m_mode == ModeZoom) {
        // The band as it stands when the button is let go.
        m_zoomRect = CRect(m_buttonDownPoint, point);
        m_zoomRect.NormalizeRect();
        m_zoomRect.IntersectRect(m_zoomRect, m_plotRect);
        ZoomToRect();
    }
    if (m_mode == ModeSelect || m_mode == ModeEditPoints)
        HitTest(false, false);
    Invalidate();
}

void CXGraph::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_mode != ModeSelect)
        return;
    m_mousePoint = point;
    m_activeTracker = nullptr;
    HitTest(true, false);
}

void CXGraph::OnRButtonDown(UINT, CPoint)
{
    m_rightButtonDown = true;
    m_panAnchor = CPoint(0, 0);
}

void CXGraph::OnRButtonUp(UINT, CPoint point)
{
    m_mousePoint = point;
    HitTest(false, false);
    m_rightButtonDown = false;
    // A right-button pan ends with the button: the next one takes hold anew.
    m_panAnchor = CPoint(0, 0);
    if (m_mode == ModeCursor) {
        m_lastCursorPoint = CPoint(-1, -1);
        Invalidate();
    }
    // A chart that is not interactive opens and posts nothing for a click.
    if (!m_interactive)
        return;
    if (m_currentObject != nullptr && m_currentObject->m_visible &&
        m_currentObject->m_rect.PtInRect(point))
        m_currentObject->ShowContextMenu();
    else
        PostToParent(WM_XGRAPH_RBUTTONUP, 0);
}

// Moving ---------------------------------------------------------------------

void CXGraph::OnMouseMove(UINT flags, CPoint point)
{
    m_leftButtonDown = (flags & MK_LBUTTON) != 0;
    if (m_mode == ModeMeasure && m_leftButtonDown)
        SnapMeasurePoint(point);
    m_mousePoint = point;
    if (m_mode == ModeCursor) {
        CClientDC client(this);
        CDCEx dc(&client);
        DrawCursor(&dc);
        const double x = m_xAxes.empty() ? 0.0 : m_xAxes[0].PointToValue(m_mousePoint.x);
        PostToParent(WM_XGRAPH_CURSOR, 0);
        int selecting = 0;
        if (m_leftButtonDown) {
            MoveSelectionEnd(&dc, x);
            selecting = 1;
        }
        if (CWnd* parent = GetParent()) {
            CursorNotify notify{};
            notify.hdr.hwndFrom = this;
            notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            notify.hdr.code = XGN_CURSOR_MOVED;
            notify.cursorX = x;
            notify.selectionMin = std::min(m_selectionStart, m_selectionEnd);
            notify.selectionMax = std::max(m_selectionStart, m_selectionEnd);
            notify.selecting = selecting;
            parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                reinterpret_cast<LPARAM>(&notify));
        }
    }
    // While points are edited the full test runs on every move: it drags
    // the point.
    m_mouseOverObject = HitTest(false, m_mode != ModeEditPoints) != 0;
    if (((m_leftButtonDown && m_mode == ModePan) || (m_rightButtonDown && m_mode == ModeCursor)) &&
        m_plotRect.PtInRect(point)) {
        if (m_panAnchor != CPoint(0, 0))
            PanBy(point);
        else
            m_panAnchor = point;
    }
    if (m_leftButtonDown && (m_mode == ModeZoom || m_mode == ModeMeasure)) {
        if (m_doubleBuffer) {
            Invalidate(FALSE);
        } else {
            CClientDC client(this);
            CDCEx dc(&client);
            if (m_mode == ModeZoom)
                DrawZoomRect(&dc, m_colours.plot);
            else
                DrawMeasure(&dc, CRect(0, 0, 0, 0), m_colours.plot);
        }
    }
}

void CXGraph::PanBy(CPoint point)
{
    for (CXGraphAxis& axis : m_yAxes) {
        const double shift = axis.PointToValue(point.y) - axis.PointToValue(m_panAnchor.y);
        axis.SetViewRange(axis.m_viewMin - shift, axis.m_viewMax - shift, 0);
    }
    for (CXGraphAxis& axis : m_xAxes) {
        const double shift = axis.PointToValue(point.x) - axis.PointToValue(m_panAnchor.x);
        axis.SetViewRange(axis.m_viewMin - shift, axis.m_viewMax - shift, 0);
    }
    m_panAnchor = point;
    Invalidate();
}

void CXGraph::ZoomToRect()
{
    if (m_zoomRect.Width() < 15 || m_zoomRect.Height() < 15)
        return;
    for (CXGraphAxis& axis : m_yAxes) {
        const double low = axis.PointToValue(std::min(m_zoomRect.bottom, m_plotRect.bottom));
        const double high = axis.PointToValue(std::max(m_zoomRect.top, m_plotRect.top));
        if (high == low)
            continue;
        axis.m_zoomHistory.push_back({axis.m_viewMin, axis.m_viewMax});
        axis.m_viewMin = low;
        axis.m_viewMax = high;
        axis.StepFromLabelSize();
    }
    for (CXGraphAxis& axis : m_xAxes) {
        const double low = axis.PointToValue(std::max(m_zoomRect.left, m_plotRect.left));
        const double high = axis.PointToValue(std::min(m_zoomRect.right, m_plotRect.right));
        if (high == low)
            continue;
        axis.m_zoomHistory.push_back({axis.m_viewMin, axis.m_viewMax});
        axis.m_viewMin = low;
        axis.m_viewMax = high;
        axis.StepFromLabelSize();
    }
    PostToParent(WM_XGRAPH_ZOOMED, 0);
    m_zoomRect.SetRectEmpty();
}

void CXGraph::SnapMeasurePoint(CPoint& point)
{
    // Decided once: the point being snapped is the press or the end.
    const bool start = point == m_buttonDownPoint;
    int best = 10000000;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CXGraphDataSerie& series = SeriesAt(i);
        if (!IsPlottable(series))
            continue;
        const int index =
            std::clamp(FindPointIndex(i, XAxisAt(series.m_xAxis).PointToValue(point.x)), 0,
                       series.m_count - 1);
        const int y = YAxisAt(series.m_yAxis).ValueToPoint(series.m_points[index]).y;
        if (std::abs(y - point.y) >= best)
            continue;
        best = std::abs(y - point.y);
        if (start) {
            m_measure.startSeries = i;
            m_measure.startPoint = index;
            m_cursorSeries = i;
        } else {
            m_measure.endSeries = i;
            m_measure.endPoint = index;
            m_measureEndSeries = i;
        }
        point.y = y;
    }
}

// Wheel, keys and scroll bar -------------------------------------------------

BOOL CXGraph::OnMouseWheel(UINT flags, short delta, CPoint)
{
    std::vector<CXGraphAxis>& axes = (flags & MK_SHIFT) != 0 ? m_yAxes : m_xAxes;
    for (CXGraphAxis& axis : axes) {
        axis.m_autoScale = false;
        const double shift = (axis.m_viewMax - axis.m_viewMin) / 10.0;
        if (delta < 0)
            axis.SetViewRange(axis.m_viewMin - shift, axis.m_viewMax - shift, 0);
        else if (delta > 0)
            axis.SetViewRange(axis.m_viewMin + shift, axis.m_viewMax + shift, 0);
    }
    Invalidate();
    return TRUE;
}

void CXGraph::OnKeyUp(UINT key, UINT repeatCount, UINT flags)
{
    const bool cursor = m_mode == ModeCursor;
    // Moves both ends of every axis of a list by a tenth of its span, one
    // end against the other for zooming.
    const auto step = [](std::vector<CXGraphAxis>& axes, double low, double high) {
        for (CXGraphAxis& axis : axes) {
            const double tenth = axis.m_span / 10.0;
            axis.SetViewRange(axis.m_viewMin + low * tenth, axis.m_viewMax + high * tenth, 0);
        }
    };
    switch (key) {
    case VK_HOME:
        ResetAxesToFullRange();
        break;
    case VK_LEFT:
        if (cursor)
            --m_mousePoint.x;
        else
            step(m_xAxes, 1, 1);
        break;
    case VK_RIGHT:
        if (cursor)
            ++m_mousePoint.x;
        else
            step(m_xAxes, -1, -1);
        break;
    case VK_UP:
        if (cursor)
            --m_mousePoint.y;
        else
            step(m_yAxes, -1, -1);
        break;
    case VK_DOWN:
        if (cursor)
            ++m_mousePoint.y;
        else
            step(m_yAxes, 1, 1);
        break;
    case VK_ADD:
        step(m_xAxes, 1, -1);
        step(m_yAxes, 1, -1);
        break;
    case VK_SUBTRACT:
        step(m_xAxes, -1, 1);
        step(m_yAxes, -1, 1);
        break;
    default:
        CWnd::OnKeyUp(key, repeatCount, flags);
        return;
    }
    Invalidate();
}

BOOL CXGraph::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (m_activeTracker != nullptr && m_activeTracker->SetCursor(this, hitTest))
        return TRUE;
    switch (m_mode) {
    case ModePan:
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
    case ModeZoom:
        SetCursor(LoadCursor(nullptr, IDC_CROSS));
        return TRUE;
    case ModeSelect:
        if (HitTest(false, true) != 0) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case ModeEditPoints:
        if (m_selectedSeries >= 0) {
            SetCursor(LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CWnd::OnSetCursor(window, hitTest, message);
}

void CXGraph::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar)
{
    CWnd::OnHScroll(code, position, scrollBar);
    if (scrollBar != &m_scrollBar)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    m_scrollBar.GetScrollInfo(&info, SIF_ALL);
    const int page = static_cast<int>(info.nPage);
    const int maximum = info.nMax;
    int next = 0;
    switch (code) {
    case SB_LINEUP:
        next = std::max(0, static_cast<int>(info.nPos - page * 0.1));
        break;
    case SB_LINEDOWN:
        next = static_cast<int>(info.nPos + page * 0.1);
        if (next + page > maximum)
            next = maximum - page;
        next = std::max(0, next);
        break;
    case SB_PAGEUP:
        next = std::max(0, info.nPos - page);
        break;
    case SB_PAGEDOWN:
        next = info.nPos + page;
        break;
    case SB_THUMBTRACK:
        next = info.nTrackPos;
        if (next + page > maximum)
            next = maximum - page;
        next = std::max(0, next);
        break;
    default:
        return;
    }
    if (!m_xAxes.empty())
        m_xAxes[0].SetFullRange(next * 0.1, next * 0.1 + page * 0.1);
    m_scrollBar.Invalidate();
    Invalidate();
}

BOOL CXGraph::PreTranslateMessage(MSG* message)
{
    if ((message->message == WM_KEYDOWN || message->message == WM_KEYUP) &&
        message->wParam == VK_DELETE && m_currentObject != nullptr &&
        m_currentObject->m_trackerShown && m_currentObject != m_objects.GetHead()) {
        POSITION position = m_objects.GetHeadPosition();
        while (position != nullptr) {
            const POSITION current = position;
            if (m_objects.GetNext(position) == m_currentObject) {
                m_objects.RemoveAt(current);
                break;
            }
        }
        delete m_currentObject;
        m_currentObject = nullptr;
        m_activeTracker = nullptr;
        Invalidate();
    }
    return CWnd::PreTranslateMessage(message);
}

// Hit test -------------------------------------------------------------------

int CXGraph::HitTest(bool open, bool hoverOnly)
{
    if (!m_interactive)
        return 0;
    const CPoint mouse = m_mousePoint;
    if (hoverOnly) {
        if (IsAxisOrMarkerUnder(mouse) || IsObjectUnder(mouse))
            return 1;
        ForgetEditedPointUnlessDragging();
        return IsCurveUnder(mouse) || IsLegendLineUnder(mouse) ? 1 : 0;
    }
    bool hit = ClickAxes(mouse, open);
    const ObjectClick objects = ClickObjects(mouse, open);
    hit = objects.hit || hit;
    m_selectedSeries = -1;
    ForgetEditedPointUnlessDragging();
    if (!objects.tookClick)
        hit = ClickCurves(mouse, open) || hit;
    DragEditedPoint(mouse);
    if (!hit)
        hit = ClickLegend(mouse, open);
    if (!hit && open)
        OpenChartProperties();
    return hit ? 1 : 0;
}

// What lies under a point -----------------------------------------------------

CRect CXGraph::MarkerBand(CXGraphAxis& axis, const AxisMarker& marker) const
{
    if (axis.m_orientation == CXGraphAxis::vertical) {
        const int y = axis.ValueToPoint({0, marker.value}).y;
        return CRect(m_plotRect.left, y - 10, m_plotRect.right, y + 10);
    }
    const int x = axis.ValueToPoint({marker.value, 0}).x;
    return CRect(x - 10, m_plotRect.top, x + 10, m_plotRect.bottom);
}

bool CXGraph::IsAxisOrMarkerUnder(CPoint point)
{
    // A marker line can be grabbed when none is being dragged and the
    // button is up.
    const bool grabbable = m_mode == ModeSelect && s_draggedMarker.marker < 0 && !m_leftButtonDown;
    for (auto* axes : {&m_yAxes, &m_xAxes})
        for (CXGraphAxis& axis : *axes) {
            if (grabbable)
                for (const AxisMarker& marker : axis.m_markers)
                    if (MarkerBand(axis, marker).PtInRect(point))
                        return true;
            if (axis.m_rect.PtInRect(point))
                return true;
        }
    return false;
}

bool CXGraph::IsObjectUnder(CPoint point)
{
    POSITION position = m_objects.GetHeadPosition();
    while (position != nullptr) {
        auto* object = static_cast<CXGraphObject*>(m_objects.GetNext(position));
        if (object->m_rect.PtInRect(point) && object->m_visible)
            return true;
    }
    return false;
}

bool CXGraph::IsOnCurve(const CXGraphDataSerie& series, CPoint point)
{
    return std::any_of(
        series.m_segments.begin(), series.m_segments.end(),
        [point](const CurveSegment& segment) { return NearSegment(segment, point); });
}

bool CXGraph::IsCurveUnder(CPoint point) const
{
    return std::any_of(m_series.begin(), m_series.end(), [point](const CXGraphDataSerie& series) {
        return series.m_visible && IsOnCurve(series, point);
    });
}

bool CXGraph::IsLegendLineAt(const LegendEntry& entry, CPoint point) const
{
    // Entries of series that went since the last paint are skipped.
    return IndexOfSeries(entry.series) >= 0 && entry.rect.PtInRect(point);
}

bool CXGraph::IsLegendLineUnder(CPoint point) const
{
    return std::any_of(
        m_legendEntries.begin(), m_legendEntries.end(),
        [this, point](const LegendEntry& entry) { return IsLegendLineAt(entry, point); });
}

// What a click does -----------------------------------------------------------

bool CXGraph::ClickAxes(CPoint point, bool open)
{
    bool hit = false;
    // Y axes with horizontal marker bands, then X axes with vertical ones.
    for (int orientation : {CXGraphAxis::vertical, CXGraphAxis::horizontal}) {
        std::vector<CXGraphAxis>& axes = orientation == CXGraphAxis::vertical ? m_yAxes : m_xAxes;
        const bool vertical = orientation == CXGraphAxis::vertical;
        for (int d = 0; d < static_cast<int>(axes.size()); ++d) {
            CXGraphAxis& axis = axes[static_cast<std::size_t>(d)];
            if (m_mode == ModeSelect)
                ClickMarkers(axis, orientation, d, point);
            const bool inside = axis.m_rect.PtInRect(point);
            // A click beside a selected axis puts a marker line there.
            if (m_mode == ModeSelect && axis.m_selected && !inside)
                axis.SetMarker(static_cast<int>(axis.m_markers.size()),
                               axis.PointToValue(vertical ? point.y : point.x));
            axis.m_selected = inside;
            if (!inside)
                continue;
            hit = true;
            if (vertical)
                PostToParent(open ? WM_XGRAPH_YAXIS_OPEN : WM_XGRAPH_YAXIS_CLICKED,
                             static_cast<WPARAM>(d));
            else
                PostToParent(open ? WM_XGRAPH_XAXIS_OPEN : WM_XGRAPH_XAXIS_CLICKED,
                             static_cast<WPARAM>(d));
            if (open) {
                RunChartPage(this, &axis, nullptr);
                Invalidate();
            }
        }
    }
    return hit;
}

void CXGraph::ClickMarkers(CXGraphAxis& axis, int orientation, int index, CPoint point)
{
    const bool vertical = orientation == CXGraphAxis::vertical;
    for (int m = 0; m < static_cast<int>(axis.m_markers.size()); ++m) {
        AxisMarker& marker = axis.m_markers[static_cast<std::size_t>(m)];
        const bool inBand = MarkerBand(axis, marker).PtInRect(point);
        // The right button removes the line under it.
        if (m_rightButtonDown && inBand) {
            axis.RemoveMarker(m);
            Invalidate();
            return;
        }
        if (m_leftButtonDown) {
            if (s_draggedMarker.marker < 0 && inBand)
                s_draggedMarker = {this, orientation, index, m};
            if (SameMarker(s_draggedMarker, this, orientation, index, m)) {
                marker.value = axis.PointToValue(vertical ? point.y : point.x);
                Invalidate();
            }
        } else if (SameMarker(s_draggedMarker, this, orientation, index, m)) {
            s_draggedMarker = DraggedMarker{};
        }
    }
}

CXGraph::ObjectClick CXGraph::ClickObjects(CPoint point, bool open)
{
    // A click selects and tracks an object or, opened, edits it.
    ObjectClick click;
    POSITION position = m_objects.GetHeadPosition();
    while (position != nullptr) {
        auto* object = static_cast<CXGraphObject*>(m_objects.GetNext(position));
        const bool inside = object->m_rect.PtInRect(point) && object->m_visible;
        object->m_selected = inside;
        if (inside) {
            click.hit = true;
            if (open) {
                object->Edit();
                click.tookClick = true;
            }
            if (!object->m_editing && m_activeTracker == nullptr) {
                object->BeginTracking();
                m_activeTracker = &object->m_tracker;
                click.tookClick = true;
            }
            continue;
        }
        if (object->m_editing)
            object->EndEdit();
        if (object->m_trackerShown) {
            object->EndTracking();
            m_activeTracker = nullptr;
        }
    }
    return click;
}

void CXGraph::ForgetEditedPointUnlessDragging()
{
    if (!m_leftButtonDown)
        s_editedPoint = EditedPoint{};
}

bool CXGraph::ClickCurves(CPoint point, bool open)
{
    // Every visible curve is deselected; the first one under the point,
    // through the line pieces its last drawing recorded, is selected.
    bool found = false;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CXGraphDataSerie& series = SeriesAt(i);
        if (!series.m_visible)
            continue;
        series.m_selected = false;
        if (found || !IsOnCurve(series, point))
            continue;
        found = true;
        PostToParent(open ? WM_XGRAPH_SERIES_OPEN : WM_XGRAPH_SERIES_CLICKED,
                     static_cast<WPARAM>(i));
        m_selectedSeries = i;
        if (s_editedPoint.series < 0 && series.m_xAxis >= 0 && series.m_xAxis < GetXAxisCount())
            s_editedPoint = {
                i, FindPointIndex(
                       i, XAxisAt(series.m_xAxis).PointToValue(point.x - series.m_symbolSize / 2))};
        series.m_selected = true;
        if (open)
            RunChartPage(this, nullptr, &series);
    }
    return found;
}

void CXGraph::DragEditedPoint(CPoint point)
{
    m_showEditedValue = false;
    if (!m_leftButtonDown || m_mode != ModeEditPoints || !IsPlottable(s_editedPoint.series))
        return;
    CXGraphDataSerie& series = SeriesAt(s_editedPoint.series);
    if (s_editedPoint.point < 0 || s_editedPoint.point >= series.m_count)
        return;
    DataPoint& edited = series.m_points[s_editedPoint.point];
    s_pointEdited = {s_editedPoint.series, s_editedPoint.point, edited.fYVal,
                     YAxisAt(series.m_yAxis).PointToValue(point.y)};
    PostToParent(WM_XGRAPH_POINT_EDITED, reinterpret_cast<WPARAM>(&s_pointEdited));
    edited.fYVal = s_pointEdited.newY;
    m_editedValue = s_pointEdited.newY;
    m_showEditedValue = true;
    Invalidate();
}

bool CXGraph::ClickLegend(CPoint point, bool open)
{
    // Lines before the one under the point are deselected.
    for (LegendEntry& entry : m_legendEntries) {
        if (IndexOfSeries(entry.series) < 0)
            continue;
        const bool inside = entry.rect.PtInRect(point);
        entry.series->m_selected = inside;
        if (!inside)
            continue;
        if (open) {
            m_selectedSeries = IndexOfSeries(entry.series);
            RunChartPage(this, nullptr, entry.series);
        }
        return true;
    }
    return false;
}

void CXGraph::OpenChartProperties()
{
    PostToParent(WM_XGRAPH_CHART_OPEN, 0);
    RunChartPage(this, nullptr, nullptr);
}
