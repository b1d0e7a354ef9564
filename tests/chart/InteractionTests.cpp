// The chart under the user's hand: mouse, wheel, keys and scroll bar in
// each mode, and what the parent hears of it.

#include "CEdit.h"
#include "CMenu.h"
#include "ChartTestSupport.h"
#include "Cursor.h"
#include "DCEx.h"
#include "ModalSeam.h"
#include "PersonInput.h"
#include "WindowDC.h"
#include "XGraphLabel.h"

#include <QAbstractSlider>
#include <QScrollBar>

using namespace charttest;

namespace {

// A laid-out chart in a mode, with the shared drag records cleared.
struct ModeChart : PlainChart
{
    explicit ModeChart(UINT command = ID_XGRAPH_SELECT)
    {
        CXGraph::s_draggedMarker = DraggedMarker{};
        CXGraph::s_editedPoint = EditedPoint{};
        Paint();
        chart.SendMessage(WM_COMMAND, command, 0);
        Paint();
        DeliverPosted();
        parent.received.clear();
    }
    CPoint At(double x, double y)
    {
        CXGraphDataSerie& series = chart.SeriesAt(0);
        return chart.SeriesPointToPixel(series, {x, y});
    }
    CPoint PlotCentre() const { return chart.GetPlotRect().CenterPoint(); }
};

int Counter(int& counter)
{
    return ++counter;
}

CXGraph* g_chartOpened = nullptr;
int g_chartPageRuns = 0;
void CountChartPage(CXGraph* graph, CXGraphAxis*, CXGraphDataSerie*)
{
    g_chartOpened = graph;
    ++g_chartPageRuns;
}

int g_labelDialogRuns = 0;
void CountLabelDialog(CXGraphLabel*)
{
    ++g_labelDialogRuns;
}

} // namespace

TEST(ZoomTest, ABandNarrowerThanFifteenPixelsDoesNothing)
{
    ModeChart shown(ID_XGRAPH_ZOOM);
    const CPoint from = shown.PlotCentre();
    shown.Press(from);
    shown.Drag(from + CPoint(14, 40));
    shown.Release(from + CPoint(14, 40));
    shown.DeliverPosted();
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_ZOOMED), 0);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMax, 100);
    EXPECT_TRUE(shown.chart.XAxisAt(0).m_zoomHistory.empty());
}

TEST(ZoomTest, TwoZoomsAndTwoStepsBackRestoreTheRanges)
{
    ModeChart shown(ID_XGRAPH_ZOOM);
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    CXGraphAxis& y = shown.chart.YAxisAt(0);
    const CPoint from = shown.At(20, 2);
    const CPoint to = shown.At(60, 8);
    shown.Press(from);
    shown.Drag(to);
    shown.Paint();
    shown.Release(to);
    EXPECT_NEAR(x.m_viewMin, 20, 0.5);
    EXPECT_NEAR(x.m_viewMax, 60, 0.5);
    EXPECT_NEAR(y.m_viewMin, 2, 0.1);
    EXPECT_NEAR(y.m_viewMax, 8, 0.1);
    const double firstMin = x.m_viewMin;
    shown.Paint();
    shown.Press(shown.PlotCentre());
    shown.Release(shown.PlotCentre() + CPoint(40, 40));
    EXPECT_GT(x.m_viewMin, firstMin);
    EXPECT_EQ(x.m_zoomHistory.size(), 2u);

    for (int i = 0; i < 2; ++i)
        shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM_BACK, 0);
    EXPECT_EQ(x.m_viewMin, 0);
    EXPECT_EQ(x.m_viewMax, 100);
    EXPECT_EQ(y.m_viewMin, 0);
    EXPECT_EQ(y.m_viewMax, 10);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM_BACK, 0);
    EXPECT_EQ(x.m_viewMax, 100);
    shown.DeliverPosted();
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_ZOOMED), 2 + 3);
}

TEST(CursorModeTest, DraggingRightToLeftSelectsWithMinimumBelowMaximum)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    const CPoint from = shown.At(70, 5);
    const CPoint to = shown.At(30, 5);
    shown.Press(from);
    shown.Drag(to);
    ASSERT_FALSE(shown.parent.cursorNotes.empty());
    const CursorNotify& note = shown.parent.cursorNotes.back();
    EXPECT_EQ(note.hdr.code, XGN_CURSOR_MOVED);
    EXPECT_EQ(note.hdr.hwndFrom, &shown.chart);
    EXPECT_EQ(note.hdr.idFrom, 100u);
    EXPECT_EQ(note.selecting, 1);
    EXPECT_LT(note.selectionMin, note.selectionMax);
    EXPECT_NEAR(note.selectionMin, 30, 0.5);
    EXPECT_NEAR(note.selectionMax, 70, 0.5);
    EXPECT_NEAR(note.cursorX, 30, 0.5);
    shown.Release(to);
    // A move without the button reports, but no longer selects.
    shown.Move(shown.At(50, 5));
    EXPECT_EQ(shown.parent.cursorNotes.back().selecting, 0);
    EXPECT_NEAR(shown.parent.cursorNotes.back().selectionMax, 70, 0.5);
    shown.DeliverPosted();
    EXPECT_GE(shown.parent.Count(WM_XGRAPH_CURSOR), 2);
}

TEST(CursorModeTest, DraggingTheSelectionLeavesTheBandAPaintWouldDraw)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    shown.chart.SetCursorFlags(0);
    shown.Paint();
    shown.Press(shown.At(50, 5));
    for (double x : {70.0, 60.0, 30.0, 45.0, 20.0})
        shown.Drag(shown.At(x, 5));
    // A row below the read-out label, which a paint draws over the band.
    const int row = shown.chart.GetPlotRect().top + 60;
    const QImage dragged = shown.chart.GetBackingImage()->copy();
    shown.Paint();
    const QImage painted = *shown.chart.GetBackingImage();
    for (int x = shown.chart.GetPlotRect().left; x < shown.chart.GetPlotRect().right; ++x)
        ASSERT_EQ(dragged.pixel(x, row), painted.pixel(x, row)) << x;
    // The band runs from 20 to 50.
    EXPECT_NE(painted.pixel(shown.At(35, 5).x, row), painted.pixel(shown.At(55, 5).x, row));
    shown.Release(shown.At(20, 5));
}

TEST(CursorModeTest, CursorLinesDrawnTwiceEraseThemselves)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    shown.chart.SetCursorFlags(CursorHLine | CursorVLine);
    shown.Paint();
    const QImage before = shown.chart.GetBackingImage()->copy();
    const CPoint at = shown.PlotCentre() + CPoint(0, -60);
    shown.Move(at);
    const QImage drawn = shown.chart.GetBackingImage()->copy();
    EXPECT_NE(drawn, before);
    // The vertical line inverts the plot colour under it.
    EXPECT_NE(drawn.pixel(at.x, shown.chart.GetPlotRect().top + 5),
              before.pixel(at.x, shown.chart.GetPlotRect().top + 5));
    CClientDC client(&shown.chart);
    CDCEx dc(&client);
    // Drawn over itself the cursor goes, leaving the picture as it was:
    // choosing cursor mode again forgets the lines on the window, and the
    // next drawing inverts them away.
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    ASSERT_FALSE(shown.chart.IsCursorDrawn());
    shown.chart.DrawCursor(&dc);
    EXPECT_EQ(*shown.chart.GetBackingImage(), before);
}

TEST(CursorModeTest, ArrowKeysMoveTheCursorAndLeaveTheAxes)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    // A cursor that follows no curve: Up and Down move it freely.
    shown.chart.SetFixedCursorSeries(-1);
    shown.chart.SetSnapCursor(false);
    shown.Move(shown.PlotCentre());
    const CPoint before = shown.chart.GetMousePoint();
    shown.Key(Qt::Key_Left);
    EXPECT_EQ(shown.chart.GetMousePoint().x, before.x - 1);
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.chart.GetMousePoint().y, before.y + 1);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMax, 100);
    EXPECT_EQ(shown.chart.YAxisAt(0).m_viewMax, 10);
}

TEST(KeyTest, OutsideCursorModeArrowsMoveAndPlusAndMinusZoom)
{
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.Key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 10);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMax, 110);
    shown.Key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMin, -1);
    shown.Key(Qt::Key_Home);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_EQ(shown.chart.YAxisAt(0).m_viewMin, 0);
    shown.chart.XAxisAt(0).m_span = 100;
    shown.chart.YAxisAt(0).m_span = 10;
    shown.Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 10);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMax, 90);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMax, 9);
    // Zooming out takes a tenth of the span as the last paint saw it.
    shown.Paint();
    shown.Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_NEAR(shown.chart.XAxisAt(0).m_viewMin, 2, 1e-9);
    EXPECT_NEAR(shown.chart.XAxisAt(0).m_viewMax, 98, 1e-9);
}

TEST(WheelTest, ShiftScrollsTheYAxesAndPlainScrollsTheXAxes)
{
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.Wheel(shown.PlotCentre(), -120, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMin, -1);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMax, 9);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_FALSE(shown.chart.YAxisAt(0).m_autoScale);
    shown.Wheel(shown.PlotCentre(), 120);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 10);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMax, 110);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMin, -1);
}

TEST(ScrollBarTest, PagingGoesPastTheEndAndLinesStopAtTheLastPage)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(1001, 0, 0.1, 0, 0.1);
    shown.chart.SetSeriesData(points.data(), 1001, 0, 0, 0, false);
    // Showing 0 to 20 of 0 to 100 s: the bar counts tenths.
    shown.chart.XAxisAt(0).SetFullRange(0, 20);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    shown.chart.GetScrollBar().GetScrollInfo(&info, SIF_ALL);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 1000);
    EXPECT_EQ(info.nPage, 200u);
    auto* bar = static_cast<QScrollBar*>(shown.chart.GetScrollBar().GetClientWidget());
    for (int i = 0; i < 4; ++i)
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 80);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    // Past the end of the data.
    EXPECT_GT(shown.chart.XAxisAt(0).m_viewMax, 100);

    shown.chart.XAxisAt(0).SetFullRange(75, 95);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 77);
    for (int i = 0; i < 5; ++i)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 80);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMax, 100);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 60);
}

TEST(PanTest, DraggingInPanModeMovesEveryAxisWithTheMouse)
{
    ModeChart shown(ID_XGRAPH_PAN);
    const CPoint from = shown.At(50, 5);
    const CPoint to = shown.At(40, 6);
    // The first move takes hold one pixel on, the second pans the rest.
    shown.Press(from);
    shown.Drag(from + CPoint(1, 0));
    shown.Drag(to);
    shown.Release(to);
    EXPECT_NEAR(shown.chart.XAxisAt(0).m_viewMin, 10, 0.5);
    EXPECT_NEAR(shown.chart.YAxisAt(0).m_viewMin, -1, 0.1);
    EXPECT_FALSE(shown.chart.HoldsPanAnchor());
}

TEST(PanTest, RightButtonPansInCursorModeEndWithTheButton)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    shown.chart.SetCursorFlags(0);
    shown.DeliverPosted();
    auto rightDrag = [&](CPoint from, CPoint to) {
        shown.Mouse(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
        shown.Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::RightButton);
        shown.Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
    };
    // Two presses that each move a pixel: the first move only takes hold,
    // so neither pans, however far apart they are.
    rightDrag(shown.At(20, 2), shown.At(20, 2) + CPoint(1, 0));
    shown.Move(shown.At(70, 7));
    rightDrag(shown.At(70, 7), shown.At(70, 7) + CPoint(1, 0));
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_viewMin, 0);
    EXPECT_FALSE(shown.chart.HoldsPanAnchor());
    // A real right-button drag still pans.
    const CPoint from = shown.At(50, 5);
    const CPoint to = shown.At(40, 5);
    shown.Mouse(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    shown.Mouse(QEvent::MouseMove, from + CPoint(1, 0), Qt::NoButton, Qt::RightButton);
    shown.Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::RightButton);
    shown.Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
    EXPECT_NEAR(shown.chart.XAxisAt(0).m_viewMin, 10, 0.5);
}

TEST(MeasureTest, AMeasureRunsFromCurveToCurve)
{
    ModeChart shown(ID_XGRAPH_MEASURE);
    const CPoint from = shown.At(20, 2) + CPoint(0, 4);
    const CPoint to = shown.At(60, 6) + CPoint(0, -4);
    shown.Press(from);
    shown.Drag(to);
    shown.Release(to);
    ASSERT_EQ(shown.chart.GetMeasures().size(), 1u);
    const MeasureRecord& measure = shown.chart.GetMeasures()[0];
    EXPECT_EQ(measure.startSeries, 0);
    EXPECT_EQ(measure.endSeries, 0);
    EXPECT_NEAR(measure.startPoint, 20, 1);
    EXPECT_NEAR(measure.endPoint, 60, 1);
    shown.Paint();
}

TEST(SelectTest, ClickingAnAxisSelectsItAndTellsTheParent)
{
    ModeChart shown(ID_XGRAPH_SELECT);
    CXGraphAxis& y = shown.chart.YAxisAt(0);
    const CPoint onAxis(y.m_originX, shown.PlotCentre().y);
    shown.Click(onAxis);
    shown.DeliverPosted();
    EXPECT_TRUE(y.m_selected);
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_YAXIS_CLICKED), 1);
    // Clicking away from a selected axis leaves a marker line there.
    shown.Click(shown.At(50, 7));
    EXPECT_FALSE(y.m_selected);
    ASSERT_EQ(y.m_markers.size(), 1u);
    EXPECT_NEAR(y.m_markers[0].value, 7, 0.1);
}

TEST(SelectTest, ClickingACurveSelectsItsSeries)
{
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.Click(shown.At(50, 5));
    shown.DeliverPosted();
    EXPECT_EQ(shown.chart.GetSelectedSeries(), 0);
    EXPECT_TRUE(shown.chart.SeriesAt(0).m_selected);
    ASSERT_EQ(shown.parent.Count(WM_XGRAPH_SERIES_CLICKED), 1);
    shown.Click(shown.At(50, 9));
    EXPECT_FALSE(shown.chart.SeriesAt(0).m_selected);
}

TEST(SelectTest, DoubleClickingEmptyChartOpensTheProperties)
{
    SetChartPageRunner(CountChartPage);
    g_chartPageRuns = 0;
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.DoubleClick(shown.At(50, 9));
    shown.DeliverPosted();
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_CHART_OPEN), 1);
    EXPECT_EQ(g_chartPageRuns, 1);
    EXPECT_EQ(g_chartOpened, &shown.chart);
    SetChartPageRunner(nullptr);
}

TEST(SelectTest, ThePropertiesCommandOpensWhatLiesUnderTheLastMousePoint)
{
    SetChartPageRunner(CountChartPage);
    g_chartPageRuns = 0;
    g_chartOpened = nullptr;
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.Move(shown.At(50, 9));
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_PROPERTIES, 0);
    shown.DeliverPosted();
    EXPECT_EQ(g_chartPageRuns, 1);
    EXPECT_EQ(g_chartOpened, &shown.chart);
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_CHART_OPEN), 1);
    SetChartPageRunner(nullptr);
}

TEST(EditPointsTest, DraggingAPointChangesItAndReportsIt)
{
    ModeChart shown(ID_XGRAPH_EDIT_POINTS);
    const CPoint on = shown.At(50, 5);
    shown.Press(on);
    shown.Release(on);
    shown.Paint();
    ASSERT_EQ(shown.chart.GetSelectedSeries(), 0);
    shown.Press(on);
    shown.Drag(on);
    shown.Drag(on + CPoint(0, -30));
    shown.DeliverPosted();
    const Posted* edited = nullptr;
    for (const Posted& posted : shown.parent.received)
        if (posted.message == WM_XGRAPH_POINT_EDITED)
            edited = &posted;
    ASSERT_NE(edited, nullptr);
    const auto* record = reinterpret_cast<const PointEdited*>(edited->wParam);
    EXPECT_EQ(record->series, 0);
    EXPECT_GT(record->newY, record->oldY);
    EXPECT_EQ(shown.points[static_cast<std::size_t>(record->point)].fYVal, record->newY);
    EXPECT_TRUE(shown.chart.IsEditedValueShown());
    shown.Release(on + CPoint(0, -30));
}

TEST(LabelInteractionTest, RightClickingALabelOpensItsMenuOnlyAfterPressingOnIt)
{
    SetLabelDialogRunner(CountLabelDialog);
    g_labelDialogRuns = 0;
    int menus = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.kind, ModalRequest::popupMenu);
        const auto* menu = static_cast<const CMenu*>(request.dialogObject);
        EXPECT_EQ(menu->Items().at(0).text, CString("Properties"));
        Counter(menus);
        return CXGraphLabel::kPropertiesCommand;
    });
    ModeChart shown(ID_XGRAPH_SELECT);
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 180, 80), "note");
    const CPoint inside(140, 60);
    // No press on the label yet: the parent hears of the right click.
    shown.RightClick(inside);
    shown.DeliverPosted();
    EXPECT_EQ(menus, 0);
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_RBUTTONUP), 1);
    // The right click selected the label and showed its tracker.
    EXPECT_TRUE(label->m_trackerShown);
    shown.PressTracked(inside);
    shown.Release(inside);
    EXPECT_TRUE(label->m_selected);
    shown.RightClick(inside);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(g_labelDialogRuns, 1);
    SetLabelDialogRunner(nullptr);
}

TEST(LabelInteractionTest, DoubleClickingALabelEditsItsTextInPlace)
{
    ModeChart shown(ID_XGRAPH_SELECT);
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 180, 80), "before");
    shown.DoubleClick(CPoint(140, 60));
    ASSERT_TRUE(label->m_editing);
    ASSERT_NE(label->m_edit, nullptr);
    EXPECT_EQ(label->m_edit->GetDlgCtrlID(), 0xFFFE);
    CString text;
    label->m_edit->GetWindowText(text);
    EXPECT_EQ(text, CString("before"));
    label->m_edit->SetWindowText("after");
    // A click elsewhere ends the editing and keeps the text.
    shown.Click(shown.At(50, 9));
    EXPECT_FALSE(label->m_editing);
    EXPECT_EQ(label->m_edit, nullptr);
    EXPECT_EQ(label->m_text, CString("after"));
}

TEST(LabelInteractionTest, DeleteRemovesATrackedLabelButNeverTheReadout)
{
    ModeChart shown(ID_XGRAPH_CURSOR);
    // In cursor mode the read-out label shows; make it the tracked object.
    shown.Move(shown.PlotCentre());
    CXGraphLabel& readout = shown.chart.Readout();
    ASSERT_TRUE(readout.m_visible);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_SELECT, 0);
    readout.m_visible = true;
    const CPoint onReadout = readout.m_rect.CenterPoint();
    shown.Click(onReadout);
    shown.PressTracked(onReadout);
    EXPECT_EQ(shown.chart.GetCurrentObject(), &readout);
    EXPECT_TRUE(readout.m_trackerShown);
    shown.Key(Qt::Key_Delete);
    EXPECT_EQ(shown.chart.GetObjectCount(), 1);

    CXGraphLabel* label = shown.chart.AddLabel(CRect(250, 150, 300, 190), "x");
    shown.Click(CPoint(270, 170));
    EXPECT_TRUE(label->m_trackerShown);
    shown.PressTracked(CPoint(270, 170));
    shown.Key(Qt::Key_Delete);
    EXPECT_EQ(shown.chart.GetObjectCount(), 1);
    EXPECT_EQ(shown.chart.GetCurrentObject(), nullptr);
}

TEST(LabelInteractionTest, TheHiddenReadoutTakesNoClicks)
{
    int menus = 0;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR { return Counter(menus); });
    ModeChart shown(ID_XGRAPH_CURSOR);
    shown.Move(shown.PlotCentre());
    CXGraphLabel& readout = shown.chart.Readout();
    ASSERT_TRUE(readout.m_visible);
    const CPoint onReadout = readout.m_rect.CenterPoint();
    // Leaving cursor mode hides the read-out; its old place is plot again.
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_SELECT, 0);
    shown.Paint();
    ASSERT_FALSE(readout.m_visible);
    shown.Click(onReadout);
    EXPECT_NE(shown.chart.GetCurrentObject(), &readout);
    EXPECT_FALSE(readout.m_trackerShown);
    shown.RightClick(onReadout);
    shown.DeliverPosted();
    EXPECT_EQ(menus, 0);
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_RBUTTONUP), 1);
}

TEST(NonInteractiveTest, ClicksNeitherSelectNorPostNorOpen)
{
    SetChartPageRunner(CountChartPage);
    g_chartPageRuns = 0;
    int menus = 0;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR { return Counter(menus); });
    ModeChart shown(ID_XGRAPH_SELECT);
    shown.chart.SetInteractive(false);
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 180, 80), "note");
    CXGraphAxis& y = shown.chart.YAxisAt(0);
    shown.Click(CPoint(y.m_originX, shown.PlotCentre().y));
    shown.Click(shown.At(50, 5));
    shown.DoubleClick(shown.At(50, 9));
    shown.Click(CPoint(140, 60));
    shown.RightClick(CPoint(140, 60));
    shown.DeliverPosted();
    EXPECT_FALSE(y.m_selected);
    EXPECT_FALSE(shown.chart.SeriesAt(0).m_selected);
    EXPECT_FALSE(label->m_selected);
    EXPECT_FALSE(label->m_trackerShown);
    EXPECT_EQ(shown.chart.GetSelectedSeries(), -1);
    for (UINT message = WM_XGRAPH_YAXIS_CLICKED; message <= WM_XGRAPH_RBUTTONUP; ++message)
        EXPECT_EQ(shown.parent.Count(message), 0) << message;
    EXPECT_EQ(g_chartPageRuns, 0);
    EXPECT_EQ(menus, 0);
    // The hand never shows over the label.
    shown.Move(CPoint(140, 60));
    EXPECT_NE(PersonInput::ShownCursor(shown.chart), Qt::PointingHandCursor);
    SetChartPageRunner(nullptr);
}

TEST(NonInteractiveTest, ZoomPanCursorAndKeysStillWork)
{
    ModeChart shown(ID_XGRAPH_ZOOM);
    shown.chart.SetInteractive(false);
    shown.Press(shown.At(20, 2));
    shown.Release(shown.At(60, 8));
    EXPECT_NEAR(shown.chart.XAxisAt(0).m_viewMin, 20, 0.5);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_RESET_ZOOM, 0);
    shown.Key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_viewMin, 10);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    shown.Paint();
    shown.Press(shown.At(30, 5));
    shown.Drag(shown.At(50, 5));
    ASSERT_FALSE(shown.parent.cursorNotes.empty());
    EXPECT_EQ(shown.parent.cursorNotes.back().selecting, 1);
}

TEST(CursorShapeTest, EachModeShowsItsCursor)
{
    ModeChart shown(ID_XGRAPH_PAN);
    shown.Move(shown.PlotCentre());
    EXPECT_EQ(PersonInput::ShownCursor(shown.chart), Qt::SizeAllCursor);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM, 0);
    shown.Move(shown.PlotCentre() + CPoint(1, 0));
    EXPECT_EQ(PersonInput::ShownCursor(shown.chart), Qt::CrossCursor);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_SELECT, 0);
    shown.chart.AddLabel(CRect(100, 40, 180, 80), "note");
    shown.Move(CPoint(140, 60));
    shown.Move(CPoint(141, 60));
    EXPECT_EQ(PersonInput::ShownCursor(shown.chart), Qt::PointingHandCursor);
}
