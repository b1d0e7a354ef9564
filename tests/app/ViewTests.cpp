// The analysis view end to end: a document opened from a file, the real
// view driven through its commands and the notifications of its panes,
// dialogs answered through the seam.

#include "CDC.h"
#include "CFileDialog.h"
#include "CPrintDialog.h"
#include "ExposureSummary.h"
#include "ExposureSummaryDlg.h"
#include "MetricCatalogue.h"
#include "ModalSeam.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "NolvexView.h"
#include "PersonInput.h"
#include "ResourceIds.h"
#include "WindowClass.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The value of a data type at a sample in the made-up tests.
float ValueOf(int dataType, int sample)
{
    return static_cast<float>(dataType) + static_cast<float>(sample) * 0.01f;
}

// A file with two tests of 1000 and 300 samples, the first with a marker.
QString WriteSampleFile(const QTemporaryDir& directory)
{
    CNolvexDoc document;
    const int counts[] = {1000, 300};
    CNolvexTest* last = nullptr;
    for (int t = 0; t < 2; ++t) {
        CNolvexTest* test = document.AddTestAfter(last);
        last = test;
        test->name = CString::Formatted("Test %d", t + 1);
        test->info = t == 0 ? CString("Foundry") : CString("Sawmill");
        test->testNumber = 7 + t;
        float values[MetricCatalogue::kMetricCount];
        for (int i = 0; i < counts[t]; ++i) {
            for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
                values[d] = ValueOf(d, i);
            test->AppendSample(values);
        }
    }
    document.firstTest->AppendMarker(250, 3);
    const QString path = directory.filePath("sample.nolvex");
    EXPECT_TRUE(document.OnSaveDocument(CString::FromQString(path)));
    return path;
}

// An opened document shown in a view inside a parent window.
struct Opened
{
    QTemporaryDir directory;
    CNolvexDoc document;
    CWnd frame;
    CNolvexView view;

    Opened()
    {
        EXPECT_TRUE(document.OnOpenDocument(CString::FromQString(WriteSampleFile(directory))));
        EXPECT_TRUE(frame.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 900, 600),
                                 nullptr, 0));
        view.SetDocument(&document);
        EXPECT_TRUE(view.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE,
                                CRect(0, 0, 900, 600), &frame, 0xE900));
        view.OnInitialUpdate();
        EXPECT_TRUE(PersonInput::ShowAndActivate(frame));
    }
    void Command(UINT id) { view.SendMessage(WM_COMMAND, id, 0); }
    // A second view of the document, as Window > New Window makes one.
    bool ShowSecondView(CNolvexView& second)
    {
        second.SetDocument(&document);
        if (!second.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 600),
                           &frame, 0xE901))
            return false;
        second.OnInitialUpdate();
        return true;
    }
    CNolvexTest& Test(int position) { return *document.GetTest(position); }
    // The chart's cursor record as the chart sends it.
    void Cursor(double x, double selectionMin, double selectionMax, int selecting = 0)
    {
        CXGraph& chart = view.GetChart();
        CursorNotify notify{};
        notify.hdr = {&chart, static_cast<UINT_PTR>(chart.GetDlgCtrlID()), XGN_CURSOR_MOVED};
        notify.cursorX = x;
        notify.selectionMin = selectionMin;
        notify.selectionMax = selectionMax;
        notify.selecting = selecting;
        chart.GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(chart.GetDlgCtrlID()),
                                       reinterpret_cast<LPARAM>(&notify));
    }
    // Picks a data type in a row's choice cell as the user does.
    void ChooseDataType(int row, const CString& name)
    {
        CXListCtrl& list = view.GetList();
        CRect cell;
        list.GetSubItemRect(row, CNolvexView::kDataTypeColumn, LVIR_BOUNDS, cell);
        PersonInput::Click(
            PersonInput::OnScreen(list, QPoint(cell.CenterPoint().x, cell.CenterPoint().y)));
        CDropDownList* dropDown = list.GetDropDown();
        ASSERT_NE(dropDown, nullptr);
        // Home, then Down to the entry, then Enter, all from the keyboard.
        const int wanted = dropDown->FindStringExact(name);
        ASSERT_GE(wanted, 0);
        PersonInput::Key(Qt::Key_Home);
        for (int i = 0; i < wanted; ++i)
            PersonInput::Key(Qt::Key_Down);
        PersonInput::Key(Qt::Key_Return);
        // The list finishes the choice on its timers: wait for them, however
        // slow the machine (a tool such as valgrind slows it a lot).
        const bool finished = QTest::qWaitFor(
            [&] {
                return list.GetDropDown() == nullptr &&
                       list.GetItemText(row, CNolvexView::kDataTypeColumn) == name;
            },
            10000);
        EXPECT_TRUE(finished) << "the choice of " << name.ToUtf8() << " did not finish";
        QTest::qWait(150);
    }
    CString Cell(int row, int column) { return view.GetList().GetItemText(row, column); }
};

} // namespace

TEST(AnalysisViewTest, TheTreeListsTheTestsUnderTests)
{
    Opened opened;
    CPropTree& tree = opened.view.GetTree();
    CPropTreeItem* root = tree.GetRootItem()->GetChild();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetLabelText(), CString("Tests"));
    EXPECT_EQ(root->GetInfoText(), CString("This is a root level item"));
    CPropTreeItem* first = root->GetChild();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetLabelText(), CString("Test 1"));
    EXPECT_EQ(first->GetInfoText(), CString("Foundry - 7"));
    EXPECT_EQ(CString(reinterpret_cast<const char16_t*>(first->GetValue())),
              CString("Foundry - 7"));
    EXPECT_EQ(first->GetSibling()->GetInfoText(), CString("Sawmill - 8"));
    EXPECT_EQ(tree.GetFocusedItem(), first);
    EXPECT_EQ(opened.view.GetCurrentTest(), &opened.Test(0));
    // The list has its five columns, the chart its placeholder series.
    EXPECT_EQ(opened.view.GetList().GetColumnCount(), 5);
    auto* header =
        dynamic_cast<CHeaderCtrl*>(opened.view.GetList().GetDlgItem(CListCtrl::kHeaderId));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemText(3), CString("Avg Selection Value"));
    EXPECT_EQ(opened.view.GetChart().GetSeriesCount(), 1);
    EXPECT_EQ(opened.view.GetChart().XAxisAt(0).m_viewMax, 60);
    EXPECT_FALSE(opened.view.GetChart().IsInteractive());
}

TEST(AnalysisViewTest, PanesAreLaidOutInTwoSplitters)
{
    Opened opened;
    CSimpleSplitter* outer = opened.view.GetOuterSplitter();
    CSimpleSplitter* inner = opened.view.GetInnerSplitter();
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->GetProportion(0), 8192);
    EXPECT_EQ(inner->GetProportion(0), 22938);
    EXPECT_EQ(opened.view.GetTree().GetParent(), outer);
    EXPECT_EQ(opened.view.GetChart().GetParent(), inner);
    EXPECT_EQ(opened.view.GetList().GetParent(), inner);
}

TEST(AddMetricTest, TwelveMetricsTakeThePaletteInTurnAndStartAgain)
{
    Opened opened;
    const int turn = MetricPalette::CurrentTurn();
    for (int i = 0; i < 12; ++i)
        opened.Command(ID_EDIT_ADD_METRIC);
    CXListCtrl& list = opened.view.GetList();
    ASSERT_EQ(list.GetItemCount(), 12);
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(opened.Cell(row, 0), CString("Select"));
        EXPECT_EQ(list.GetCell(row, 0)->textColour,
                  MetricPalette::ColourOfTurn((turn + row) % MetricPalette::kColourCount));
        EXPECT_EQ(opened.Cell(row, 1), CString("A fast"));
    }
    EXPECT_EQ(list.GetCell(11, 0)->textColour, list.GetCell(0, 0)->textColour);
    // Every metric is plotted, newest first, over the test's time.
    CXGraph& chart = opened.view.GetChart();
    EXPECT_EQ(chart.GetSeriesCount(), 12);
    EXPECT_EQ(chart.SeriesAt(0).m_count, 1000);
    EXPECT_DOUBLE_EQ(chart.SeriesAt(0).m_points[999].fXVal, 99.9);
    EXPECT_EQ(chart.SeriesAt(0).GetName(), CString("A fast"));
    EXPECT_EQ(chart.GetMode(), ModeCursor);
    // The marker shows as a band on the time axis.
    ASSERT_EQ(chart.XAxisAt(0).m_colorRanges.size(), 1u);
    EXPECT_DOUBLE_EQ(chart.XAxisAt(0).m_colorRanges[0].from, 25.0);
    EXPECT_EQ(CString(chart.XAxisAt(0).m_colorRanges[0].label), CString("3"));
}

TEST(DataTypeTest, ChoosingLeq1kHzPlotsDataType46AndKeepsTheTimeRange)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.Command(ID_EDIT_ZOOM_IN);
    const double low = opened.view.GetChart().XAxisAt(0).m_viewMin;
    const double high = opened.view.GetChart().XAxisAt(0).m_viewMax;
    opened.ChooseDataType(0, "Leq 1kHz");
    EXPECT_EQ(opened.document.firstMetric->dataType, 46);
    EXPECT_EQ(opened.view.GetChart().SeriesAt(0).GetName(), CString("Leq 1kHz"));
    EXPECT_EQ(opened.view.GetChart().SeriesAt(0).m_points[5].fYVal, ValueOf(46, 5));
    EXPECT_EQ(opened.view.GetChart().XAxisAt(0).m_viewMin, low);
    EXPECT_EQ(opened.view.GetChart().XAxisAt(0).m_viewMax, high);
}

TEST(CursorReadoutTest, TheCursorShowsTheValueOfItsSample)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.Cursor(12.37, 0, 0);
    EXPECT_EQ(opened.Cell(0, 2), CString::Formatted("%.2lf", ValueOf(0, 123)));
    // Past the end of the test there is no value.
    opened.Cursor(100.0, 0, 0);
    EXPECT_TRUE(opened.Cell(0, 2).IsEmpty());
    opened.Cursor(-0.5, 0, 0);
    EXPECT_TRUE(opened.Cell(0, 2).IsEmpty());
}

TEST(CursorReadoutTest, TheSelectionAverageNeedsTwoSamples)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.Cursor(1.0, 1.0, 1.05);
    EXPECT_TRUE(opened.Cell(0, 3).IsEmpty());
    EXPECT_EQ(opened.Test(0).selectionStart, 10);
    EXPECT_EQ(opened.Test(0).selectionEnd, 10);
    // 1.0 to 2.0 s: samples 10 to 20, their plain mean.
    opened.Cursor(1.0, 1.0, 2.0);
    double sum = 0;
    for (int i = 10; i <= 20; ++i)
        sum += ValueOf(0, i);
    EXPECT_EQ(opened.Cell(0, 3), CString::Formatted("%.2lf", sum / 11));
    // A selection past the end stops at the last sample.
    opened.Cursor(1.0, 90.0, 500.0);
    EXPECT_EQ(opened.Test(0).selectionEnd, 999);
}

TEST(ZoomCommandTest, ZoomInAndOutScaleTheTimeAxisFromItsLeftEnd)
{
    Opened opened;
    CXGraphAxis& x = opened.view.GetChart().XAxisAt(0);
    ASSERT_EQ(x.m_viewMin, 0);
    ASSERT_EQ(x.m_viewMax, 60);
    opened.Command(ID_EDIT_ZOOM_IN);
    EXPECT_DOUBLE_EQ(x.m_viewMax, 39.999996);
    EXPECT_EQ(x.m_viewMin, 0);
    opened.Command(ID_EDIT_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(x.m_viewMax, 59.999994);
}

TEST(CutCommandTest, RightAfterOpeningNothingIsCut)
{
    Opened opened;
    opened.Command(ID_EDIT_CUT_SELECTION);
    EXPECT_EQ(opened.Test(0).sampleCount, 1000);
    EXPECT_FALSE(opened.document.IsModified());
}

TEST(CutCommandTest, ACutUpdatesTheCumulativeValueAndIsSavedAsCut)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.ChooseDataType(0, "A leq");
    const float before = opened.Test(0).Value(2, 999);
    EXPECT_EQ(opened.Cell(0, 4), CString::Formatted("%.2lf", before));
    opened.Cursor(5.0, 1.0, 5.0);
    opened.Command(ID_EDIT_CUT_SELECTION);
    CNolvexTest& test = opened.Test(0);
    EXPECT_EQ(test.sampleCount, 1000 - 41);
    EXPECT_TRUE(opened.document.IsModified());
    EXPECT_EQ(
        opened.Cell(0, 4),
        CString::Formatted("%.2lf", static_cast<double>(test.Value(2, test.sampleCount - 1))));
    EXPECT_EQ(opened.view.GetChart().SeriesAt(0).m_count, 1000 - 41);

    const QString path = opened.directory.filePath("cut.nolvex");
    ASSERT_TRUE(opened.document.OnSaveDocument(CString::FromQString(path)));
    CNolvexDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(CString::FromQString(path)));
    CNolvexTest* again = reopened.GetTest(0);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->sampleCount, test.sampleCount);
    for (int d = 0; d < MetricCatalogue::kMetricCount; d += 7)
        for (int i = 0; i < again->sampleCount; i += 97)
            EXPECT_EQ(again->Value(d, i), test.Value(d, i)) << d << " " << i;
}

TEST(ExportCommandTest, ExportWritesTheCurrentTestToTheChosenFile)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    const QString path = opened.directory.filePath("out.csv");
    int asked = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        ++asked;
        EXPECT_EQ(request.text, CString("CFileDialog"));
        auto* dialog = static_cast<CFileDialog*>(request.dialogObject);
        EXPECT_EQ(dialog->m_defaultExtension, CString("csv"));
        EXPECT_EQ(dialog->m_filter, CString("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||"));
        EXPECT_NE(dialog->m_flags & OFN_OVERWRITEPROMPT, 0u);
        dialog->m_path = CString::FromQString(path);
        return IDOK;
    });
    opened.Command(ID_FILE_EXPORT_CSV);
    EXPECT_EQ(asked, 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("Test 1"));
    EXPECT_TRUE(content.contains("A fast"));
    // Name, info, test number and the metric names, then one line a sample.
    EXPECT_EQ(content.count('\n'), 4 + 1000);
}

TEST(ExportCommandTest, WithTheTestsRowFocusedNoDialogOpens)
{
    Opened opened;
    int asked = 0;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR {
        ++asked;
        return IDCANCEL;
    });
    opened.view.GetTree().FocusItem(opened.view.GetTree().GetRootItem()->GetChild());
    EXPECT_EQ(opened.view.GetCurrentTest(), nullptr);
    opened.Command(ID_FILE_EXPORT_CSV);
    EXPECT_EQ(asked, 0);
}

TEST(ExportCommandTest, AnUnwritablePlaceIsReportedAndNothingIsLost)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    CString reported;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            reported = request.text;
            return IDOK;
        }
        static_cast<CFileDialog*>(request.dialogObject)->m_path = "/nonexistent/dir/out.csv";
        return IDOK;
    });
    opened.Command(ID_FILE_EXPORT_CSV);
    EXPECT_FALSE(reported.IsEmpty());
    EXPECT_EQ(opened.Test(0).sampleCount, 1000);
    EXPECT_EQ(opened.view.GetList().GetItemCount(), 1);
}

TEST(PrintCommandTest, APrintedPageCarriesALinePerCumulativeMetric)
{
    Opened opened;
    for (int i = 0; i < 3; ++i)
        opened.Command(ID_EDIT_ADD_METRIC);
    // Rows 0, 1, 2 are the metrics added first, second, third.
    opened.ChooseDataType(0, "A leq");
    opened.ChooseDataType(1, "Proj Dose A");
    opened.ChooseDataType(2, "TWA");
    const QString path = opened.directory.filePath("print.pdf");
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        auto* dialog = static_cast<CPrintDialog*>(request.dialogObject);
        dialog->GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
        dialog->GetPrinter()->setOutputFileName(path);
        return IDOK;
    });
    const double low = opened.view.GetChart().XAxisAt(0).m_viewMin;
    opened.Command(ID_FILE_PRINT);
    const CNolvexTest& test = opened.Test(0);
    const std::vector<CString> expected = {
        CString::Formatted("TWA: %.2lf", static_cast<double>(test.Value(21, 999))),
        CString::Formatted("A leq: %.2lf", static_cast<double>(test.Value(2, 999)))};
    EXPECT_EQ(opened.view.GetPrintedLines(), expected);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_EQ(content.count("/Type /Page\n"), 1);
    // The screen look and the view come back.
    CXGraph& chart = opened.view.GetChart();
    EXPECT_EQ(chart.GetColours().plot, RGB(210, 210, 210));
    EXPECT_FALSE(chart.IsLegendShown());
    EXPECT_TRUE(chart.IsDoubleBuffered());
    EXPECT_EQ(chart.GetObjectCount(), 1);
    EXPECT_EQ(chart.XAxisAt(0).m_viewMin, low);
}

TEST(TwoViewsTest, RemovingAMetricInOneViewLeavesTheOtherSound)
{
    Opened opened;
    CNolvexView second;
    ASSERT_TRUE(opened.ShowSecondView(second));
    opened.Command(ID_EDIT_ADD_METRIC);
    second.SendMessage(WM_COMMAND, ID_EDIT_ADD_METRIC, 0);
    second.RebuildChart();
    EXPECT_EQ(second.GetChart().GetSeriesCount(), 2);
    // The first view removes its metric.
    opened.view.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    CNolvexMetric* removed = reinterpret_cast<CNolvexMetric*>(opened.view.GetList().GetRowData(0));
    opened.Command(ID_EDIT_REMOVE_METRIC);
    EXPECT_EQ(opened.view.GetList().GetItemCount(), 0);
    ASSERT_NE(opened.document.firstMetric, nullptr);
    EXPECT_EQ(opened.document.firstMetric->next, nullptr);
    EXPECT_NE(opened.document.firstMetric, removed);
    // The second view plots only what is left and keeps its own row.
    EXPECT_EQ(second.GetChart().GetSeriesCount(), 1);
    EXPECT_EQ(second.GetChart().SeriesAt(0).m_points, opened.document.firstMetric->points.get());
    ASSERT_EQ(second.GetList().GetItemCount(), 1);
    EXPECT_EQ(reinterpret_cast<CNolvexMetric*>(second.GetList().GetRowData(0)),
              opened.document.firstMetric);
    second.GetChart().Invalidate();
    second.GetChart().UpdateWindow();
    // Without a selected row nothing is removed.
    second.SendMessage(WM_COMMAND, ID_EDIT_REMOVE_METRIC, 0);
    EXPECT_EQ(second.GetList().GetItemCount(), 1);
}

TEST(PrintCommandTest, APreviewPageIsDrawnAsThePrintedOne)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.ChooseDataType(0, "A leq");
    int previews = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CPrintPreview"));
        ++previews;
        return IDCANCEL;
    });
    opened.Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(previews, 1);
    // What the preview window asks to paint, on its own printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(opened.directory.filePath("preview.pdf"));
    opened.view.PrintOn(&printer);
    ASSERT_EQ(opened.view.GetPrintedLines().size(), 1u);
    EXPECT_TRUE(QFile::exists(opened.directory.filePath("preview.pdf")));
}

TEST(TwoViewsTest, RemovingAMetricInOneViewKeepsTheOthersTimeRange)
{
    Opened opened;
    CNolvexView second;
    ASSERT_TRUE(opened.ShowSecondView(second));
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.Command(ID_EDIT_ADD_METRIC);
    second.RebuildChart();
    // Each view shows a range of its own.
    second.GetChart().XAxisAt(0).SetFullRange(20, 45);
    opened.view.GetChart().XAxisAt(0).SetFullRange(10, 30);
    opened.view.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    opened.Command(ID_EDIT_REMOVE_METRIC);
    EXPECT_EQ(second.GetChart().XAxisAt(0).m_viewMin, 20);
    EXPECT_EQ(second.GetChart().XAxisAt(0).m_viewMax, 45);
    EXPECT_EQ(opened.view.GetChart().XAxisAt(0).m_viewMin, 10);
    EXPECT_EQ(opened.view.GetChart().XAxisAt(0).m_viewMax, 30);
}

TEST(CumulativeValueTest, ChoosingAnotherTestShowsItsLastValues)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    opened.ChooseDataType(0, "A leq");
    EXPECT_EQ(opened.Cell(0, 4), CString::Formatted("%.2lf", ValueOf(2, 999)));
    // Down in the tree focuses the second test, as a person moves there.
    opened.view.GetTree().GetList().SetFocus();
    PersonInput::Key(Qt::Key_Down);
    ASSERT_EQ(opened.view.GetCurrentTest(), &opened.Test(1));
    EXPECT_EQ(opened.Cell(0, 4), CString::Formatted("%.2lf", ValueOf(2, 299)));
}

namespace {

// The runs of inked columns (or rows) of an area of an image, where runs
// closer than three pixels belong together: the labels drawn there.
std::vector<std::pair<int, int>> InkRuns(const QImage& image, QRect area, bool columns)
{
    std::vector<std::pair<int, int>> runs;
    const int first = columns ? area.left() : area.top();
    const int last = columns ? area.right() : area.bottom();
    int lastInk = -100;
    for (int along = first; along <= last; ++along) {
        bool ink = false;
        const int from = columns ? area.top() : area.left();
        const int to = columns ? area.bottom() : area.right();
        for (int across = from; across <= to && !ink; ++across) {
            const QRgb pixel = columns ? image.pixel(along, across) : image.pixel(across, along);
            ink = qGray(pixel) < 100;
        }
        if (!ink)
            continue;
        if (along - lastInk > 3)
            runs.push_back({along, along});
        else
            runs.back().second = along;
        lastInk = along;
    }
    return runs;
}

} // namespace

TEST(AxisLabelTest, TheLabelsNeverRunTogetherAtAnyWidthOrLength)
{
    Opened opened;
    opened.Command(ID_EDIT_ADD_METRIC);
    CXGraph& chart = opened.view.GetChart();
    // The first metric's time axis starts at the first sample.
    EXPECT_EQ(chart.XAxisAt(0).m_viewMin, 0.0);
    EXPECT_DOUBLE_EQ(chart.XAxisAt(0).m_viewMax, 99.9);
    for (const double seconds : {10.0, 600.0, 8 * 3600.0, 24 * 3600.0}) {
        chart.XAxisAt(0).SetFullRange(0, seconds);
        for (const int width : {600, 1000, 1600, 2400}) {
            opened.frame.MoveWindow(0, 0, width, 600);
            opened.view.MoveWindow(0, 0, width, 600);
            chart.Invalidate();
            chart.UpdateWindow();
            const QImage& image = *chart.GetBackingImage();
            CXGraphAxis& x = chart.XAxisAt(0);
            CXGraphAxis& y = chart.YAxisAt(0);
            const std::string where = std::to_string(seconds) + " s at " + std::to_string(width);
            // Along the time axis, left of its title.
            const int labelTop = x.m_originY + x.m_labelGap;
            const QRect row(x.m_originX - 20, labelTop,
                            x.m_originX + x.m_length - (x.m_originX - 20),
                            x.MeasureLabelHeight() - 6);
            const auto labels = InkRuns(image, row, true);
            ASSERT_GE(labels.size(), 2u) << where;
            const int widest = x.MeasureLabelWidth() - x.m_labelGap;
            int gap = INT_MAX;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                EXPECT_LE(labels[i].second - labels[i].first + 1, widest)
                    << where << ": labels run together";
                if (i > 0)
                    gap = std::min(gap, labels[i].first - labels[i - 1].second);
            }
            EXPECT_GE(gap, 8) << where;
            // Down the value axis, in the column of its labels.
            const QRect column(y.m_originX - y.m_labelGap - (y.MeasureLabelWidth() - y.m_labelGap),
                               y.m_farEdge + static_cast<int>(y.m_endMargin),
                               y.MeasureLabelWidth() - y.m_labelGap,
                               y.m_originY - y.m_farEdge - static_cast<int>(y.m_endMargin) + 8);
            const auto values = InkRuns(image, column, false);
            ASSERT_GE(values.size(), 2u) << where;
            for (const auto& [top, bottom] : values)
                EXPECT_LE(bottom - top + 1, y.MeasureLabelHeight())
                    << where << ": values run together";
        }
    }
}

TEST(MarkerBandTest, EveryMarkerOfADayLongTestShows)
{
    // A 24-hour test with a marker every 97 minutes and two a second apart.
    CNolvexDoc document;
    CNolvexTest* test = document.AddTestAfter(nullptr);
    test->name = "Shift";
    constexpr int kSamples = 24 * 36000;
    test->ReserveSamples(kSamples);
    float values[MetricCatalogue::kMetricCount];
    for (int i = 0; i < kSamples; ++i) {
        for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
            values[d] = 60.0f + static_cast<float>(i % 300) * 0.1f;
        test->AppendSample(values);
    }
    std::vector<int> markedSamples;
    for (int sample = 1000; sample < kSamples; sample += 97 * 600)
        markedSamples.push_back(sample);
    markedSamples.push_back(kSamples - 1);
    for (const int sample : markedSamples)
        ASSERT_TRUE(test->AppendMarker(sample, 5));

    CWnd frame;
    ASSERT_TRUE(
        frame.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 900, 600), nullptr, 0));
    CNolvexView view;
    view.SetDocument(&document);
    ASSERT_TRUE(view.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE,
                            CRect(0, 0, 900, 600), &frame, 0xE900));
    view.OnInitialUpdate();
    ASSERT_TRUE(PersonInput::ShowAndActivate(frame));
    view.SendMessage(WM_COMMAND, ID_EDIT_ADD_METRIC, 0);
    CXGraph& chart = view.GetChart();
    chart.Invalidate();
    chart.UpdateWindow();
    const QImage& image = *chart.GetBackingImage();
    const CRect plot = chart.GetPlotRect();
    // Each marker's band is a yellow column from the plot's top.
    for (const int sample : markedSamples) {
        const int x = chart.XAxisAt(0).ValueToPoint({sample / 10.0, 0}).x;
        int yellow = 0;
        for (int column = x - 1; column <= x + 1; ++column)
            yellow += image.pixel(column, plot.top + 2) == qRgb(255, 255, 0) ? 1 : 0;
        EXPECT_GE(yellow, 1) << "the marker at sample " << sample << " is not shown";
    }
}

namespace {

// The text a figure's line of the summary window shows in a column.
CString SummaryCell(const CExposureSummaryDlg& summary, const char* figure, int column)
{
    const CListCtrl& table = summary.GetTable();
    for (int row = 0; row < table.GetItemCount(); ++row)
        if (table.GetItemText(row, CExposureSummaryDlg::kFigureColumn) ==
            CString("    ") + CString(figure))
            return table.GetItemText(row, column);
    ADD_FAILURE() << "no line " << figure;
    return {};
}

// Waits out the summary window's pause after the last change.
void WaitForTheSummary()
{
    QTest::qWait(static_cast<int>(CExposureSummaryDlg::kRefreshDelayMs) + 150);
}

} // namespace

TEST(ExposureSummaryTest, TheWindowShowsTheTestAndFollowsTheSelectionOnceItRests)
{
    Opened opened;
    opened.Command(ID_VIEW_EXPOSURE_SUMMARY);
    CExposureSummaryDlg* summary = opened.view.GetExposureSummary();
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(summary->GetHostWidget()->isVisible());
    // Its own window, over the program's, which stays usable.
    EXPECT_TRUE(summary->GetHostWidget()->isWindow());
    EXPECT_FALSE(summary->GetHostWidget()->isModal());
    // Shown at once for the whole test; no selection yet.
    const CNolvexTest& test = opened.Test(0);
    EXPECT_EQ(SummaryCell(*summary, "Samples", CExposureSummaryDlg::kTestColumn), CString("1000"));
    const std::optional<double> laeq = SummarizeExposure(test).laeq;
    ASSERT_TRUE(laeq.has_value());
    EXPECT_EQ(SummaryCell(*summary, "LAeq", CExposureSummaryDlg::kTestColumn),
              CString::Formatted("%.2f", *laeq));
    EXPECT_EQ(SummaryCell(*summary, "LAeq", CExposureSummaryDlg::kSelectionColumn), CString());

    // A selection dragged out to 40 s: samples 200 to 400, shown once the
    // selection rests, not at every move.
    opened.Cursor(25.0, 20.0, 25.0, 1);
    opened.Cursor(30.0, 20.0, 40.0, 1);
    EXPECT_EQ(SummaryCell(*summary, "Samples", CExposureSummaryDlg::kSelectionColumn), CString());
    WaitForTheSummary();
    EXPECT_EQ(SummaryCell(*summary, "Samples", CExposureSummaryDlg::kSelectionColumn),
              CString("201"));
    EXPECT_EQ(SummaryCell(*summary, "LAeq", CExposureSummaryDlg::kSelectionColumn),
              CString::Formatted("%.2f", *SummarizeExposure(test, 200, 400).laeq));

    // Cut: the test's figures are those of what is left.
    opened.Command(ID_EDIT_CUT_SELECTION);
    WaitForTheSummary();
    EXPECT_EQ(SummaryCell(*summary, "Samples", CExposureSummaryDlg::kTestColumn), CString("799"));

    // Another test chosen in the tree, back in the program's window: its
    // figures.
    ASSERT_TRUE(PersonInput::ShowAndActivate(opened.frame));
    opened.view.GetTree().GetList().SetFocus();
    PersonInput::Key(Qt::Key_Down);
    ASSERT_EQ(opened.view.GetCurrentTest(), &opened.Test(1));
    WaitForTheSummary();
    EXPECT_EQ(SummaryCell(*summary, "Samples", CExposureSummaryDlg::kTestColumn), CString("300"));
}

TEST(ExposureSummaryTest, CopyPutsTheTableOnTheClipboardAsTabSeparatedLines)
{
    Opened opened;
    opened.Command(ID_VIEW_EXPOSURE_SUMMARY);
    CExposureSummaryDlg* summary = opened.view.GetExposureSummary();
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(PersonInput::ShowAndActivate(summary->GetHostWidget()));
    QApplication::clipboard()->clear();
    // Alt+C, the Copy button's key.
    PersonInput::Key(Qt::Key_C, Qt::AltModifier);
    // The button clicks itself a moment after its key, as it shows the press.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::clipboard()->text().isEmpty(); }, 2000));
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GT(lines.size(), 40);
    EXPECT_EQ(lines[0], "Figure\tUnit\tTest\tSelection");
    EXPECT_EQ(lines[1], "Range");
    EXPECT_EQ(lines[2], "Samples\t\t1000\t");
    const std::optional<double> laeq = SummarizeExposure(opened.Test(0)).laeq;
    EXPECT_TRUE(lines.contains(QString::asprintf("LAeq\tdB\t%.2f\t", *laeq)));
    // A dose of each profile.
    EXPECT_TRUE(lines.contains("OSHA PEL")) << lines.join('|').toStdString();
}

TEST(ExposureSummaryTest, OneWindowPerViewHiddenByEscapeAndClosedWithItsView)
{
    QPointer<QWidget> window;
    {
        Opened opened;
        opened.Command(ID_VIEW_EXPOSURE_SUMMARY);
        CExposureSummaryDlg* summary = opened.view.GetExposureSummary();
        ASSERT_NE(summary, nullptr);
        window = summary->GetHostWidget();
        ASSERT_TRUE(PersonInput::ShowAndActivate(window));
        PersonInput::Key(Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        // Asked again, the same window shows again.
        opened.Command(ID_VIEW_EXPOSURE_SUMMARY);
        EXPECT_EQ(opened.view.GetExposureSummary(), summary);
        EXPECT_TRUE(window->isVisible());
        // The desktop's close hides it as well.
        window->close();
        QCoreApplication::processEvents();
        EXPECT_FALSE(window->isVisible());
        opened.Command(ID_VIEW_EXPOSURE_SUMMARY);
        EXPECT_TRUE(window->isVisible());
    }
    // The view is gone, and its summary window with it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
