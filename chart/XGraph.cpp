#include "XGraph.h"

#include "ArchiveLimits.h"
#include "CArchive.h"
#include "Cursor.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "PixelLimits.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"
#include "XGraphBitmap.h"
#include "XGraphDataNotation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

IMPLEMENT_DYNAMIC(CXGraph, CWnd)

namespace {

// Colours of new series, by series number modulo 12.
constexpr COLORREF kSeriesPalette[12] = {RGB(128, 0, 0),   RGB(255, 0, 0),   RGB(128, 128, 0),
                                         RGB(255, 255, 0), RGB(0, 128, 0),   RGB(0, 255, 0),
                                         RGB(0, 128, 128), RGB(0, 255, 255), RGB(0, 0, 128),
                                         RGB(0, 0, 255),   RGB(128, 0, 128), RGB(255, 0, 255)};

void RegisterChartClass()
{
    WNDCLASS existing;
    if (GetClassInfo(CXGraph::kClassName, &existing))
        return;
    WNDCLASS windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = CXGraph::kClassName;
    if (RegisterClass(&windowClass) == 0)
        throw CResourceException("The chart window class could not be registered.");
}

} // namespace

CXGraph::CXGraph()
{
    RegisterChartClass();
    m_readout.m_rect = CRect(100, 100, 200, 175);
    m_readout.m_visible = false;
    m_readout.m_border = true;
    m_readout.m_editable = false;
    m_readout.m_graph = this;
    m_objects.AddHead(&m_readout);
}

CXGraph::~CXGraph()
{
    ClearChart();
    m_objects.RemoveAll();
}

// Data -----------------------------------------------------------------------

CXGraphDataSerie* CXGraph::SetSeriesData(DataPoint* points, int count, int series, int xAxis,
                                         int yAxis, bool copy)
{
    if (points == nullptr || count <= 0)
        return nullptr;
    // An index beyond the next one is refused instead of reaching past the
    // lists.
    if (series < 0 || series > GetSeriesCount() || xAxis < 0 || xAxis > GetXAxisCount() ||
        yAxis < 0 || yAxis > GetYAxisCount())
        return nullptr;
    if (xAxis == GetXAxisCount()) {
        CXGraphAxis axis;
        axis.m_orientation = CXGraphAxis::horizontal;
        axis.m_graph = this;
        m_xAxes.push_back(axis);
    }
    if (yAxis == GetYAxisCount()) {
        CXGraphAxis axis;
        axis.m_orientation = CXGraphAxis::vertical;
        axis.m_graph = this;
        m_yAxes.push_back(axis);
    }
    if (series != GetSeriesCount()) {
        CXGraphDataSerie& existing = SeriesAt(series);
        existing.m_xAxis = xAxis;
        existing.m_yAxis = yAxis;
        // The series never takes ownership of the caller's array: asked to
        // copy, it copies.
        if (copy) {
            existing.CopyPoints(points, count);
        } else {
            existing.ReleasePoints();
            existing.m_points = points;
            existing.m_count = count;
        }
    } else {
        CXGraphDataSerie added;
        added.m_xAxis = xAxis;
        added.m_yAxis = yAxis;
        added.m_index = series;
        if (copy) {
            added.CopyPoints(points, count);
        } else {
            added.m_points = points;
            added.m_count = count;
        }
        added.m_colour = kSeriesPalette[GetSeriesCount() % 12];
        m_series.push_back(std::move(added));
    }
    CXGraphDataSerie& result = SeriesAt(series);
    result.m_graph = this;

    CXGraphAxis& horizontalAxis = XAxisAt(xAxis);
    CXGraphAxis& verticalAxis = YAxisAt(yAxis);
    double xMin = horizontalAxis.m_fullMin;
    double xMax = horizontalAxis.m_fullMax;
    double yMin = verticalAxis.m_fullMin;
    double yMax = verticalAxis.m_fullMax;
    for (int i = 0; i < count; ++i) {
        const DataPoint& point = result.m_points[i];
        // A value that is no number has no place on an axis.
        if (!std::isfinite(point.fXVal) || !std::isfinite(point.fYVal))
            continue;
        if (point.fXVal < xMin)
            xMin = point.fXVal;
        if (point.fXVal > xMax)
            xMax = point.fXVal;
        if (point.fYVal < yMin)
            yMin = point.fYVal;
        if (point.fYVal > yMax)
            yMax = point.fYVal;
    }
    horizontalAxis.SetFullRange(xMin, xMax);
    verticalAxis.SetFullRange(yMin, yMax);

    if (GetSeriesCount() == 1) {
        m_xExtentMax = horizontalAxis.m_viewMax;
        m_xExtentMin = horizontalAxis.m_viewMin;
    } else {
        m_xExtentMax = std::max(m_xExtentMax, horizontalAxis.m_viewMax);
        m_xExtentMin = std::min(m_xExtentMin, horizontalAxis.m_viewMin);
    }
    if (m_scrollBar.GetSafeHwnd() != nullptr) {
        SCROLLINFO info{};
        info.cbSize = sizeof(SCROLLINFO);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        info.nMin = ToScrollUnits(m_xExtentMin * 10);
        info.nMax = ToScrollUnits(m_xExtentMax * 10);
        info.nPage =
            static_cast<UINT>(std::max(0, ToScrollUnits((m_xExtentMax - m_xExtentMin) * 10)));
        info.nPos = 0;
        info.nTrackPos = 0;
        m_scrollBar.SetScrollInfo(&info, TRUE);
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return &result;
}

int CXGraph::IndexOfAxis(const CXGraphAxis* axis) const
{
    for (std::size_t i = 0; i < m_xAxes.size(); ++i)
        if (&m_xAxes[i] == axis)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < m_yAxes.size(); ++i)
        if (&m_yAxes[i] == axis)
            return static_cast<int>(i);
    return -1;
}

int CXGraph::IndexOfSeries(const CXGraphDataSerie* series) const
{
    for (std::size_t i = 0; i < m_series.size(); ++i)
        if (&m_series[i] == series)
            return static_cast<int>(i);
    return -1;
}

int CXGraph::FindPointIndex(int series, double x) const
{
    if (series < 0 || series >= static_cast<int>(m_series.size()))
        return 0;
    const CXGraphDataSerie& data = m_series[static_cast<std::size_t>(series)];
    const DataPoint* points = data.m_points;
    const int count = data.m_count;
    if (points == nullptr || count <= 0)
        return 0;
    // The estimate needs two points a distance apart; otherwise the walk
    // starts at the first point.
    int estimate = 0;
    if (count >= 2) {
        const double spacing = std::fabs(points[1].fXVal - points[0].fXVal);
        const double guess = (x - points[0].fXVal) / spacing;
        if (spacing > 0 && std::isfinite(guess))
            estimate = static_cast<int>(std::clamp(guess, 0.0, static_cast<double>(count - 1)));
    }
    if (x < points[estimate].fXVal) {
        while (estimate > 0 && x < points[estimate].fXVal)
            --estimate;
    } else {
        while (estimate < count && x >= points[estimate].fXVal)
            ++estimate;
    }
    return estimate;
}

bool CXGraph::IsPlottable(const CXGraphDataSerie& series) const
{
    return series.m_points != nullptr && series.m_count > 0 && series.m_xAxis >= 0 &&
           series.m_xAxis < GetXAxisCount() && series.m_yAxis >= 0 &&
           series.m_yAxis < GetYAxisCount();
}

bool CXGraph::IsPlottable(int series) const
{
    return series >= 0 && series < GetSeriesCount() &&
           IsPlottable(m_series[static_cast<std::size_t>(series)]);
}

CPoint CXGraph::SeriesPointToPixel(const CXGraphDataSerie& series, const DataPoint& point)
{
    if (series.m_xAxis < 0 || series.m_xAxis >= GetXAxisCount() || series.m_yAxis < 0 ||
        series.m_yAxis >= GetYAxisCount())
        return CPoint(0, 0);
    return CPoint(XAxisAt(series.m_xAxis).ValueToPoint(point).x,
                  YAxisAt(series.m_yAxis).ValueToPoint(point).y);
}

// Objects --------------------------------------------------------------------

void CXGraph::SetUpTextLabel(CXGraphLabel& label, int rowTop, int rowBottom, COLORREF colour,
                             const CString& text)
{
    label.m_rect = CRect(55, rowTop, 500, rowBottom);
    label.m_text = text;
    label.m_font.CreateFont(30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                            "Times New Roman");
    label.m_textColour = colour;
    label.m_transparent = true;
    label.m_border = false;
    label.m_graph = this;
}

CXGraphLabel* CXGraph::AddTextLabel(int rowTop, int rowBottom, COLORREF colour, const CString& text)
{
    auto* label = new CXGraphLabel;
    SetUpTextLabel(*label, rowTop, rowBottom, colour, text);
    m_objects.AddTail(label);
    return label;
}

CXGraphLabel* CXGraph::AddLabel(const RECT& rect, const CString& text)
{
    auto* label = new CXGraphLabel;
    label->m_rect = rect;
    label->m_text = text;
    label->m_graph = this;
    m_objects.AddTail(label);
    return label;
}

CXGraphLabel* CXGraph::InsertCenteredLabel(const CString& text)
{
    const CPoint centre = m_plotRect.CenterPoint();
    return AddLabel(CRect(centre.x - 50, centre.y - 50, centre.x + 50, centre.y + 50), text);
}

CXGraphObject* CXGraph::ObjectAt(int index)
{
    const POSITION position = m_objects.FindIndex(index);
    return position != nullptr ? static_cast<CXGraphObject*>(m_objects.GetAt(position)) : nullptr;
}

void CXGraph::AddObject(CXGraphObject* object)
{
    object->m_graph = this;
    m_objects.AddTail(object);
}

void CXGraph::DetachObject(CXGraphObject* object)
{
    const POSITION position = m_objects.Find(object);
    if (position == nullptr || object == &m_readout)
        return;
    m_objects.RemoveAt(position);
    if (object == m_currentObject)
        m_currentObject = nullptr;
    if (m_activeTracker == &object->m_tracker)
        m_activeTracker = nullptr;
}

CXGraphAxis& CXGraph::AddYAxis()
{
    CXGraphAxis axis;
    axis.m_orientation = CXGraphAxis::vertical;
    axis.m_graph = this;
    m_yAxes.push_back(axis);
    return m_yAxes.back();
}

void CXGraph::SetSelection(double start, double end)
{
    m_selectionStart = start;
    m_selectionEnd = end;
}

SymbolProcedure CXGraph::GetSymbolProcedure(int number) const
{
    if (number < 0 || number >= static_cast<int>(m_symbolProcedures.size()))
        return nullptr;
    return m_symbolProcedures[static_cast<std::size_t>(number)];
}

void CXGraph::SetSymbolProcedure(int number, SymbolProcedure procedure)
{
    if (number >= 0 && number < static_cast<int>(m_symbolProcedures.size()))
        m_symbolProcedures[static_cast<std::size_t>(number)] = procedure;
}

void CXGraph::ClearChart()
{
    m_xAxes.clear();
    m_yAxes.clear();
    m_series.clear();
    // The legend points at the series; it is rebuilt by the next paint.
    m_legendEntries.clear();
    POSITION position = m_objects.GetHeadPosition();
    if (position != nullptr)
        m_objects.GetNext(position);
    while (position != nullptr) {
        const POSITION current = position;
        CObject* object = m_objects.GetNext(position);
        m_objects.RemoveAt(current);
        if (object == m_currentObject)
            m_currentObject = nullptr;
        if (m_activeTracker != nullptr &&
            m_activeTracker == &static_cast<CXGraphObject*>(object)->m_tracker)
            m_activeTracker = nullptr;
        delete object;
    }
    m_selectionStart = 0.0;
    m_selectionEnd = 0.0;
}

// Storing ---------------------------------------------------------------------

namespace {

// The kinds of stored free-standing objects.
enum StoredObjectKind : std::uint8_t
{
    storedLabel = 1,
    storedPicture = 2,
    storedNote = 3
};

// The kind an object is stored as, or 0 for one the chart does not store.
std::uint8_t StoredKindOf(CObject* object)
{
    if (object->IsKindOf(RUNTIME_CLASS(CXGraphLabel)))
        return storedLabel;
    if (object->IsKindOf(RUNTIME_CLASS(CXGraphBitmap)))
        return storedPicture;
    if (object->IsKindOf(RUNTIME_CLASS(CXGraphDataNotation)))
        return storedNote;
    return 0;
}

std::unique_ptr<CXGraphObject> NewStoredObject(CArchive& archive, std::uint8_t kind)
{
    switch (kind) {
    case storedLabel:
        return std::make_unique<CXGraphLabel>();
    case storedPicture:
        return std::make_unique<CXGraphBitmap>();
    case storedNote:
        return std::make_unique<CXGraphDataNotation>();
    default:
        archive.ThrowGenericError(
            CString::Formatted("The chart holds an object of unknown kind %d.", kind));
    }
}

template <typename T> void StoreAll(CArchive& archive, std::vector<T>& objects)
{
    archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(objects.size()));
    for (T& object : objects)
        object.Serialize(archive);
}

template <typename T>
std::vector<T> LoadAll(CArchive& archive, std::int32_t maximum, const char* records)
{
    const std::int32_t count = ReadRecordCount(archive, maximum, records);
    std::vector<T> objects;
    for (std::int32_t i = 0; i < count; ++i) {
        T object;
        object.Serialize(archive);
        objects.push_back(std::move(object));
    }
    return objects;
}

} // namespace

void CXGraph::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        StoreAll(archive, m_xAxes);
        StoreAll(archive, m_yAxes);
        StoreAll(archive, m_series);
        std::vector<std::pair<std::uint8_t, CXGraphObject*>> stored;
        POSITION position = m_objects.GetHeadPosition();
        while (position != nullptr) {
            CObject* object = m_objects.GetNext(position);
            const std::uint8_t kind = StoredKindOf(object);
            if (object != &m_readout && kind != 0)
                stored.emplace_back(kind, static_cast<CXGraphObject*>(object));
        }
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(stored.size()));
        for (auto& [kind, object] : stored) {
            archive.WriteValue<std::uint8_t>(kind);
            object->Serialize(archive);
        }
        return;
    }
    std::vector<CXGraphAxis> xAxes = LoadAll<CXGraphAxis>(archive, kMaxAxes, "X axes");
    std::vector<CXGraphAxis> yAxes = LoadAll<CXGraphAxis>(archive, kMaxAxes, "Y axes");
    std::vector<CXGraphDataSerie> series = LoadAll<CXGraphDataSerie>(archive, kMaxSeries, "series");
    const std::int32_t objectCount = ReadRecordCount(archive, kMaxObjects, "objects");
    std::vector<std::unique_ptr<CXGraphObject>> objects;
    for (std::int32_t i = 0; i < objectCount; ++i) {
        std::unique_ptr<CXGraphObject> object =
            NewStoredObject(archive, archive.ReadValue<std::uint8_t>());
        object->Serialize(archive);
        objects.push_back(std::move(object));
    }

    ClearChart();
    m_xAxes = std::move(xAxes);
    m_yAxes = std::move(yAxes);
    m_series = std::move(series);
    for (auto* axes : {&m_xAxes, &m_yAxes})
        for (CXGraphAxis& axis : *axes)
            axis.m_graph = this;
    for (CXGraphDataSerie& loaded : m_series)
        loaded.m_graph = this;
    for (std::unique_ptr<CXGraphObject>& object : objects) {
        object->m_graph = this;
        m_objects.AddTail(object.release());
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

bool CXGraph::SelectSeriesOnly(int index)
{
    if (index < 0 || index >= GetSeriesCount())
        return false;
    for (int i = 0; i < GetSeriesCount(); ++i)
        SeriesAt(i).m_selected = i == index;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return true;
}

bool CXGraph::SelectXAxisOnly(int index)
{
    if (index < 0 || index >= GetXAxisCount())
        return false;
    for (int i = 0; i < GetXAxisCount(); ++i)
        XAxisAt(i).m_selected = i == index;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return true;
}

bool CXGraph::SelectYAxisOnly(int index)
{
    if (index < 0 || index >= GetYAxisCount())
        return false;
    for (int i = 0; i < GetYAxisCount(); ++i)
        YAxisAt(i).m_selected = i == index;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return true;
}

// Commands -------------------------------------------------------------------

void CXGraph::PostToParent(UINT message, WPARAM wParam)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(message, wParam, reinterpret_cast<LPARAM>(this));
}

void CXGraph::HideReadout()
{
    m_readout.m_visible = false;
}

void CXGraph::ResetAxesToFullRange()
{
    for (auto* axes : {&m_xAxes, &m_yAxes})
        for (CXGraphAxis& axis : *axes) {
            axis.m_viewMin = axis.m_fullMin;
            axis.m_viewMax = axis.m_fullMax;
            axis.m_step = (axis.m_fullMax - axis.m_fullMin) / 10.0;
        }
}

void CXGraph::ResetZoom()
{
    HideReadout();
    ResetAxesToFullRange();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CXGraph::ZoomBack()
{
    for (auto* axes : {&m_xAxes, &m_yAxes})
        for (CXGraphAxis& axis : *axes) {
            if (axis.m_zoomHistory.empty())
                continue;
            axis.m_viewMin = axis.m_zoomHistory.back().minimum;
            axis.m_viewMax = axis.m_zoomHistory.back().maximum;
            axis.m_zoomHistory.pop_back();
            axis.StepFromLabelSize();
        }
    PostToParent(WM_XGRAPH_ZOOMED, 0);
    m_zoomRect.SetRectEmpty();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CXGraph::SetMode(int mode)
{
    switch (mode) {
    case ModeSelect:
        m_mode = ModeSelect;
        HideReadout();
        break;
    case ModeZoom:
        m_mode = ModeZoom;
        HideReadout();
        m_zoomRect.SetRectEmpty();
        break;
    case ModePan:
    case ModeCursor:
        m_mode = mode;
        HideReadout();
        for (auto* axes : {&m_yAxes, &m_xAxes})
            for (CXGraphAxis& axis : *axes)
                axis.m_autoScale = false;
        if (mode == ModeCursor) {
            m_cursorSeries = m_fixedCursorSeries;
            m_lastCursorPoint = CPoint(-1, -1);
            if ((m_cursorFlags & CursorReadout) != 0)
                m_readout.m_rect = CRect(m_plotRect.left + 1, m_plotRect.top, m_plotRect.left + 150,
                                         m_plotRect.top + 50);
        }
        break;
    case ModeEditPoints:
        m_mode = ModeEditPoints;
        break;
    case ModeMeasure:
        m_mode = ModeMeasure;
        m_measureRect.SetRectEmpty();
        break;
    default:
        break;
    }
}

BOOL CXGraph::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const bool window = GetSafeHwnd() != nullptr;
    switch (LOWORD(wParam)) {
    case ID_XGRAPH_SELECT:
        SetMode(ModeSelect);
        break;
    case ID_XGRAPH_INSERT_LABEL:
        InsertCenteredLabel(CString());
        break;
    case ID_XGRAPH_ZOOM:
        SetMode(ModeZoom);
        break;
    case ID_XGRAPH_RESET_ZOOM:
        ResetZoom();
        return TRUE;
    case ID_XGRAPH_PAN:
        SetMode(ModePan);
        break;
    case ID_XGRAPH_CURSOR:
        SetMode(ModeCursor);
        break;
    case ID_XGRAPH_PRINT:
        PrintChart();
        return TRUE;
    case ID_XGRAPH_LINEAR_TREND:
        AddLinearTrend();
        return TRUE;
    case ID_XGRAPH_CUBIC_TREND:
        AddCubicTrend();
        return TRUE;
    case ID_XGRAPH_USER:
        PostToParent(WM_XGRAPH_USER_COMMAND, 0);
        return TRUE;
    case ID_XGRAPH_ZOOM_BACK:
        ZoomBack();
        return TRUE;
    case ID_XGRAPH_PROPERTIES:
        // Opens whatever lies under the last mouse point, as a double click.
        HitTest(true, false);
        return TRUE;
    case ID_XGRAPH_EDIT_POINTS:
        SetMode(ModeEditPoints);
        break;
    case ID_XGRAPH_MEASURE:
        SetMode(ModeMeasure);
        break;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
    if (window)
        Invalidate();
    return TRUE;
}

// Window messages ------------------------------------------------------------

int CXGraph::OnCreate(LPCREATESTRUCT create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    if (!m_scrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this,
                            XGRAPH_SCROLLBAR_ID))
        return -1;
    m_scrollBar.EnableWindow(TRUE);
    return 0;
}

void CXGraph::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_clientWidth = cx;
    m_clientHeight = cy;
    if (m_scrollBar.GetSafeHwnd() != nullptr)
        m_scrollBar.MoveWindow(0, cy - kScrollBarHeight, cx, kScrollBarHeight);
    Invalidate();
}

BOOL CXGraph::OnEraseBkgnd(CDC*)
{
    // The paint covers every pixel.
    return TRUE;
}

void CXGraph::OnPaint()
{
    CPaintDC paint(this);
    PaintChart(&paint);
}
