// The Curve tab: what it loads from a series, what it enables, what Apply
// writes back, the curves its buttons add and how its lists draw.

#include "CDC.h"
#include "ChartDialogTemplates.h"
#include "ChartTestChart.h"
#include "CurveDlg.h"
#include "DialogControlIds.h"
#include "ModalSeam.h"
#include "MovingAvgDlg.h"
#include "SystemMetrics.h"
#include "TrendDlg.h"
#include "XGraph.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// The curve dialog, telling whether it was ended.
class ObservedCurveDlg : public CCurveDlg
{
public:
    using CDialog::IsEnded;
};

// A chart of three series "Left", "Middle" and "Right"; the middle one has
// middleCount points on y = 2x.
class CurveDialogTest : public ::testing::Test
{
protected:
    void SetUpChart(int middleCount)
    {
        const char* names[] = {"Left", "Middle", "Right"};
        for (int series = 0; series < 3; ++series) {
            const int count = series == 1 ? middleCount : 10;
            std::vector<DataPoint> points;
            for (int i = 0; i < count; ++i)
                points.push_back({static_cast<double>(i), 2.0 * i});
            chart.SetSeriesData(points.data(), count, series, 0, 0, true);
            chart.SeriesAt(series).SetName(names[series]);
        }
    }

    void SetUp() override { SetUpChart(40); }

    // The Curve tab as the sheet creates it, on series `index`.
    void Open(int index)
    {
        dialog.m_pSeries = &chart.SeriesAt(index);
        ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    }

    static void Click(CDialog& shown, UINT id)
    {
        static_cast<QAbstractButton*>(shown.GetDlgItem(id)->GetClientWidget())->click();
    }
    // Chooses an entry of a drop-down list as the user does.
    static void Choose(CDialog& shown, UINT id, int entry)
    {
        auto* list = static_cast<QComboBox*>(shown.GetDlgItem(id)->GetClientWidget());
        list->setCurrentIndex(entry);
        Q_EMIT list->activated(entry);
    }
    bool Enabled(UINT id) const { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    bool ApplyEnabled() const { return Enabled(IDC_APPLY); }
    std::vector<CString> Entries(UINT id) const
    {
        std::vector<CString> entries;
        CDialogItem* list = dialog.GetDlgItem(id);
        for (int i = 0; i < list->GetCount(); ++i)
            entries.push_back(chartdlgtest::EntryText(list, i));
        return entries;
    }

    CXGraph chart;
    ObservedCurveDlg dialog;
};

QRgb Rgb(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF;
}

QRgb PixelAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

// The fill-to list ----------------------------------------------------------

TEST_F(CurveDialogTest, TheFillToListOffersTheOtherSeriesAndMapsTheChoiceBack)
{
    // The middle series fills to itself by default: no other series.
    Open(1);
    EXPECT_EQ(Entries(IDC_CURVE_FILL_TO), (std::vector<CString>{"1 Left", "3 Right"}));
    EXPECT_EQ(dialog.GetDlgItem(IDC_CURVE_FILL_TO)->GetCurSel(), -1);

    Choose(dialog, IDC_CURVE_FILL_TO, 1);
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(chart.SeriesAt(1).m_fillToSeries, 2);

    dialog.GetDlgItem(IDC_CURVE_FILL_TO)->SetCurSel(-1);
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(chart.SeriesAt(1).m_fillToSeries, -1);

    // Switching to the first series lists the two others and shows its
    // fill-to series.
    chart.SeriesAt(0).m_fillToSeries = 2;
    dialog.m_pSeries = &chart.SeriesAt(0);
    dialog.LoadFromSeries();
    EXPECT_EQ(Entries(IDC_CURVE_FILL_TO), (std::vector<CString>{"2 Middle", "3 Right"}));
    EXPECT_EQ(dialog.GetDlgItem(IDC_CURVE_FILL_TO)->GetCurSel(), 1);

    // A fill-to series the chart does not have shows none and becomes the
    // bottom of the plot.
    chart.SeriesAt(0).m_fillToSeries = 7;
    dialog.LoadFromSeries();
    EXPECT_EQ(dialog.GetDlgItem(IDC_CURVE_FILL_TO)->GetCurSel(), -1);
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(chart.SeriesAt(0).m_fillToSeries, -1);
}

// Enabling and the apply button ------------------------------------------------

TEST_F(CurveDialogTest, FillAndSymbolControlsFollowTheirSwitchesAtOnce)
{
    Open(1);
    // The fill style radios: six hatch styles and solid.
    const std::vector<UINT> fillStyles = dialog.RadioGroup(IDC_CURVE_FILL_HORIZONTAL);
    ASSERT_EQ(fillStyles.size(), 7u);
    auto fillControlsEnabled = [&](bool expected) {
        for (UINT id : fillStyles)
            EXPECT_EQ(Enabled(id), expected) << id;
        EXPECT_EQ(Enabled(IDC_CURVE_TRANSPARENT_FILL), expected);
        EXPECT_EQ(Enabled(IDC_CURVE_FILL_TO), expected);
    };
    fillControlsEnabled(false);
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_NUMBERED));
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_CUSTOM));
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_LIST));

    Click(dialog, IDC_CURVE_FILL);
    fillControlsEnabled(true);
    Click(dialog, IDC_CURVE_FILL);
    fillControlsEnabled(false);

    Click(dialog, IDC_CURVE_SHOW_SYMBOLS);
    EXPECT_TRUE(Enabled(IDC_CURVE_SYMBOL_NUMBERED));
    EXPECT_TRUE(Enabled(IDC_CURVE_SYMBOL_CUSTOM));
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_LIST));
    Click(dialog, IDC_CURVE_SYMBOL_CUSTOM);
    EXPECT_TRUE(Enabled(IDC_CURVE_SYMBOL_LIST));
    Click(dialog, IDC_CURVE_SHOW_SYMBOLS);
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_CUSTOM));
    EXPECT_FALSE(Enabled(IDC_CURVE_SYMBOL_LIST));

    // A series that fills and draws the chart's symbols loads enabled.
    CXGraphDataSerie& right = chart.SeriesAt(2);
    right.m_fill = true;
    right.m_showCurveSymbols = true;
    right.m_symbolKind = CXGraphDataSerie::symbolCustom;
    dialog.m_pSeries = &right;
    dialog.LoadFromSeries();
    fillControlsEnabled(true);
    EXPECT_TRUE(Enabled(IDC_CURVE_SYMBOL_LIST));
}

TEST_F(CurveDialogTest, ApplyIsDisabledUntilTheNextChange)
{
    Open(1);
    EXPECT_FALSE(ApplyEnabled());
    dialog.SetDlgItemText(IDC_CURVE_NAME, "Renamed");
    EXPECT_TRUE(ApplyEnabled());
    Click(dialog, IDC_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(chart.SeriesAt(1).GetName(), CString("Renamed"));
    // A colour chosen in the colour button is a change too.
    dialog.SendMessage(CPN_SELENDOK, RGB(1, 2, 3), IDC_CURVE_COLOUR);
    EXPECT_TRUE(ApplyEnabled());

    // Switching to another series starts over.
    dialog.m_pSeries = &chart.SeriesAt(0);
    dialog.LoadFromSeries();
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(dialog.GetDlgItemText(IDC_CURVE_NAME), CString("Left"));
}

TEST_F(CurveDialogTest, EveryFieldAppliedLandsInTheSeries)
{
    Open(1);
    dialog.SetDlgItemText(IDC_CURVE_NAME, "Edited");
    Click(dialog, IDC_CURVE_VISIBLE);
    dialog.ColourButton().SetColour(RGB(10, 20, 30));
    Choose(dialog, IDC_CURVE_DRAW_MODE, 1);
    dialog.SetDlgItemText(IDC_CURVE_LINE_WIDTH, "4");
    Choose(dialog, IDC_CURVE_LINE_STYLE, 3);
    Click(dialog, IDC_CURVE_SHOW_SYMBOLS);
    Click(dialog, IDC_CURVE_SYMBOL_CUSTOM);
    Choose(dialog, IDC_CURVE_SYMBOL_LIST, 5);
    dialog.SetDlgItemText(IDC_CURVE_SYMBOL_SIZE, "17");
    Click(dialog, IDC_CURVE_FILL);
    Click(dialog, IDC_CURVE_FILL_CROSS);
    Click(dialog, IDC_CURVE_TRANSPARENT_FILL);
    Choose(dialog, IDC_CURVE_FILL_TO, 0);
    Click(dialog, IDC_APPLY);

    const CXGraphDataSerie& series = chart.SeriesAt(1);
    EXPECT_EQ(series.GetName(), CString("Edited"));
    EXPECT_FALSE(series.m_visible);
    EXPECT_EQ(series.m_colour, RGB(10, 20, 30));
    EXPECT_EQ(series.m_drawMode, 1);
    EXPECT_EQ(series.m_lineWidth, 4);
    EXPECT_EQ(series.m_penStyle, 3);
    EXPECT_TRUE(series.m_showCurveSymbols);
    EXPECT_EQ(series.m_symbolKind, 1);
    EXPECT_EQ(series.m_symbolNumber, 5);
    EXPECT_EQ(series.m_symbolSize, 17);
    EXPECT_TRUE(series.m_fill);
    EXPECT_EQ(series.m_fillStyle, HS_CROSS);
    EXPECT_FALSE(series.m_transparentFill);
    EXPECT_EQ(series.m_fillToSeries, 0);
}

// Which way the lines of a hatch style run: '/' when they rise from left
// to right, '\\' when they fall.
char HatchDirection(int style)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc;
    EXPECT_TRUE(dc.BeginPainting(&image));
    CBrush brush;
    brush.CreateHatchBrush(style, RGB(0, 0, 0));
    const CRect all(0, 0, 32, 32);
    dc.FillRect(&all, &brush);
    dc.EndPainting();
    int rising = 0;
    int falling = 0;
    for (int y = 1; y < 31; ++y)
        for (int x = 1; x < 31; ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                continue;
            rising += image.pixel(x + 1, y - 1) == qRgb(0, 0, 0) ? 1 : 0;
            falling += image.pixel(x + 1, y + 1) == qRgb(0, 0, 0) ? 1 : 0;
        }
    return rising > falling ? '/' : '\\';
}

TEST_F(CurveDialogTest, EachDiagonalFillDrawsTheLinesItsCaptionShows)
{
    Open(1);
    Click(dialog, IDC_CURVE_FILL);
    for (const UINT radio : {IDC_CURVE_FILL_FALLING_DIAGONAL, IDC_CURVE_FILL_RISING_DIAGONAL}) {
        const std::string caption = dialog.GetDlgItemText(radio).ToUtf8();
        ASSERT_EQ(caption.rfind("Diagonal ", 0), 0u) << caption;
        Click(dialog, radio);
        Click(dialog, IDC_APPLY);
        EXPECT_EQ(HatchDirection(chart.SeriesAt(1).m_fillStyle), caption.back()) << caption;
    }
}

TEST_F(CurveDialogTest, AFieldOutOfRangeKeepsTheDialogOpenAndWritesNothing)
{
    dialog.m_pSeries = &chart.SeriesAt(1);
    std::vector<CString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            messages.push_back(request.text);
            return IDOK;
        }
        EXPECT_EQ(request.text, CString("CCurveDlg"));
        EXPECT_EQ(request.templateId, Resources::IDD_CURVE);
        auto* shown = static_cast<ObservedCurveDlg*>(request.dialogObject);
        shown->SetDlgItemText(IDC_CURVE_NAME, "Never");
        for (const char* width : {"0", "6"}) {
            shown->SetDlgItemText(IDC_CURVE_LINE_WIDTH, width);
            Click(*shown, IDOK);
            EXPECT_FALSE(shown->IsEnded()) << width;
        }
        shown->SetDlgItemText(IDC_CURVE_LINE_WIDTH, "5");
        shown->SetDlgItemText(IDC_CURVE_SYMBOL_SIZE, "21");
        Click(*shown, IDOK);
        EXPECT_FALSE(shown->IsEnded());
        EXPECT_EQ(chart.SeriesAt(1).GetName(), CString("Middle"));
        EXPECT_EQ(chart.SeriesAt(1).m_lineWidth, 1);

        shown->SetDlgItemText(IDC_CURVE_SYMBOL_SIZE, "20");
        Click(*shown, IDOK);
        EXPECT_TRUE(shown->IsEnded());
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(messages, (std::vector<CString>{"Please enter an integer between 1 and 5.",
                                              "Please enter an integer between 1 and 5.",
                                              "Please enter an integer between 1 and 20."}));
    EXPECT_EQ(chart.SeriesAt(1).GetName(), CString("Never"));
    EXPECT_EQ(chart.SeriesAt(1).m_lineWidth, 5);
    EXPECT_EQ(chart.SeriesAt(1).m_symbolSize, 20);
}

// Derived curves ---------------------------------------------------------------

TEST_F(CurveDialogTest, TheMovingAverageButtonAddsTheAverageAsASeries)
{
    Open(1);
    {
        // Cancelled parameter dialogs add nothing.
        ScopedModalResponder cancel([](const ModalRequest&) -> INT_PTR { return IDCANCEL; });
        for (UINT button : {IDC_CURVE_ADD_MOVING_AVERAGE, IDC_CURVE_ADD_LINEAR_TREND,
                            IDC_CURVE_ADD_CUBIC_TREND, IDC_CURVE_ADD_POLYNOMIAL_TREND})
            Click(dialog, button);
        EXPECT_EQ(chart.GetSeriesCount(), 3);
    }
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CMovingAvgDlg"));
        auto* shown = static_cast<CMovingAvgDlg*>(request.dialogObject);
        EXPECT_EQ(shown->m_maximum, 20);
        EXPECT_EQ(shown->GetDlgItemText(IDC_MOVING_AVERAGE_POINTS), CString("10"));
        shown->GetDlgItem(IDC_MOVING_AVERAGE_KIND)->SetCurSel(AverageLinear);
        shown->SetDlgItemText(IDC_MOVING_AVERAGE_POINTS, "5");
        return IDOK;
    });
    Click(dialog, IDC_CURVE_ADD_MOVING_AVERAGE);
    ASSERT_EQ(chart.GetSeriesCount(), 4);
    const CXGraphDataSerie& average = chart.SeriesAt(3);
    EXPECT_EQ(average.GetName(), CString("Middle AVG, linear"));
    EXPECT_EQ(average.m_count, 40);
    EXPECT_EQ(average.m_points[39].fYVal, chart.SeriesAt(1).LinearMovingAverage(5)[39].fYVal);
    // The tab goes on with its series, wherever the chart's list moved it,
    // and offers the new one to fill to.
    EXPECT_EQ(dialog.m_pSeries, &chart.SeriesAt(1));
    EXPECT_EQ(Entries(IDC_CURVE_FILL_TO),
              (std::vector<CString>{"1 Left", "3 Right", "4 Middle AVG, linear"}));
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(CurveDialogTest, ADerivedCurveKeepsTheRangesSetInTheAxisTab)
{
    // Ranges as the Axis tab sets them, with auto-scaling off.
    CXGraphAxis& x = chart.XAxisAt(0);
    CXGraphAxis& y = chart.YAxisAt(0);
    x.m_autoScale = false;
    x.SetViewRange(5, 30, 5);
    y.m_autoScale = false;
    y.SetViewRange(10, 40, 10);
    Open(1);
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        if (request.text == CString("CTrendDlg"))
            static_cast<CDialog*>(request.dialogObject)
                ->SetDlgItemText(IDC_TREND_FORECAST_POINTS, "20");
        return IDOK;
    });
    Click(dialog, IDC_CURVE_ADD_MOVING_AVERAGE);
    Click(dialog, IDC_CURVE_ADD_LINEAR_TREND);
    ASSERT_EQ(chart.GetSeriesCount(), 5);
    EXPECT_EQ(x.m_viewMin, 5);
    EXPECT_EQ(x.m_viewMax, 30);
    EXPECT_EQ(x.m_step, 5);
    EXPECT_EQ(y.m_viewMin, 10);
    EXPECT_EQ(y.m_viewMax, 40);
    EXPECT_EQ(y.m_step, 10);
    // The whole of the new curves can still be reached: the forecast runs
    // past the data.
    EXPECT_GT(x.m_fullMax, 39);

    // An axis that scales itself takes in the new curve.
    y.m_autoScale = true;
    Click(dialog, IDC_CURVE_ADD_LINEAR_TREND);
    EXPECT_EQ(y.m_viewMin, y.m_fullMin);
    EXPECT_EQ(y.m_viewMax, y.m_fullMax);
}

TEST_F(CurveDialogTest, AMovingAverageOfAOnePointCurveOffersAWindowOfOne)
{
    // Half of one point is no window at all; one point is still a window.
    chart.ClearChart();
    SetUpChart(1);
    Open(1);
    int maximum = 0;
    CString window;
    std::vector<CString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            messages.push_back(request.text);
            return IDOK;
        }
        auto* shown = static_cast<CMovingAvgDlg*>(request.dialogObject);
        maximum = shown->m_maximum;
        window = shown->GetDlgItemText(IDC_MOVING_AVERAGE_POINTS);
        return IDOK;
    });
    Click(dialog, IDC_CURVE_ADD_MOVING_AVERAGE);
    EXPECT_EQ(maximum, 1);
    EXPECT_EQ(window, CString("1"));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(chart.GetSeriesCount(), 4);
    EXPECT_EQ(chart.SeriesAt(3).GetName(), CString("Middle AVG, simple"));
    EXPECT_EQ(chart.SeriesAt(3).m_count, 1);
}

TEST_F(CurveDialogTest, TheTrendButtonsAddTrendCurvesWithTheirForecast)
{
    Open(1);
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CTrendDlg"));
        auto* shown = static_cast<CTrendDlg*>(request.dialogObject);
        shown->SetDlgItemText(IDC_TREND_COEFFICIENTS, "3");
        shown->SetDlgItemText(IDC_TREND_FORECAST_POINTS, "2");
        return IDOK;
    });
    Click(dialog, IDC_CURVE_ADD_LINEAR_TREND);
    Click(dialog, IDC_CURVE_ADD_CUBIC_TREND);
    Click(dialog, IDC_CURVE_ADD_POLYNOMIAL_TREND);
    ASSERT_EQ(chart.GetSeriesCount(), 6);
    EXPECT_EQ(chart.SeriesAt(3).GetName(), CString("Middle Trend (lin.)"));
    EXPECT_EQ(chart.SeriesAt(4).GetName(), CString("Middle Trend (cub.)"));
    EXPECT_EQ(chart.SeriesAt(5).GetName(), CString("Middle Trend (poly.) "));
    for (int added = 3; added < 6; ++added)
        EXPECT_EQ(chart.SeriesAt(added).m_count, 42) << added;
    // The line through y = 2x continues it.
    EXPECT_DOUBLE_EQ(chart.SeriesAt(3).m_points[41].fYVal, 82.0);
    EXPECT_EQ(chart.SeriesAt(1).m_polynomial.m_coefficientCount, 3);
    EXPECT_EQ(dialog.m_pSeries, &chart.SeriesAt(1));
}

// Owner-drawn lists ------------------------------------------------------------

TEST_F(CurveDialogTest, LineStyleEntriesDrawTheirPenSixPixelsBelowTheTop)
{
    Open(1);
    CDialogItem* styles = dialog.GetDlgItem(IDC_CURVE_LINE_STYLE);
    ASSERT_EQ(styles->GetCount(), 5);
    EXPECT_EQ(styles->GetItemHeight(), 16);

    const QImage solid = styles->RenderEntry(PS_SOLID, 100, 0);
    ASSERT_EQ(solid.size(), QSize(100, 16));
    const QRgb window = Rgb(GetSysColor(COLOR_WINDOW));
    EXPECT_NE(PixelAt(solid, 50, 6), window);
    EXPECT_EQ(PixelAt(solid, 50, 5), window);
    EXPECT_EQ(PixelAt(solid, 50, 7), window);

    const QImage selected = styles->RenderEntry(PS_SOLID, 100, ODS_SELECTED);
    EXPECT_EQ(PixelAt(selected, 50, 10), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_NE(PixelAt(selected, 50, 6), Rgb(GetSysColor(COLOR_HIGHLIGHT)));

    // A dashed line has gaps along its row.
    const QImage dashed = styles->RenderEntry(PS_DASH, 100, 0);
    int background = 0;
    for (int x = 0; x < 100; ++x)
        background += PixelAt(dashed, x, 6) == window ? 1 : 0;
    EXPECT_GT(background, 10);
    EXPECT_LT(background, 90);
}

namespace {

struct SymbolCall
{
    int x = -1;
    int y = -1;
    int size = -1;
    COLORREF colour = 0x123456;
};
SymbolCall g_symbolCall;

void RecordSymbol(int x, int y, int size, COLORREF colour, int, CDCEx*)
{
    g_symbolCall = {x, y, size, colour};
}

} // namespace

TEST_F(CurveDialogTest, SymbolEntriesDrawTheChartsSymbolInBlackOrGreyWhenDisabled)
{
    Open(1);
    CDialogItem* symbols = dialog.GetDlgItem(IDC_CURVE_SYMBOL_LIST);
    ASSERT_EQ(symbols->GetCount(), 8);
    EXPECT_EQ(symbols->GetItemHeight(), 16);

    // Entry 0 is the chart's square, filled black inside (2, 2)-(12, 12).
    const QImage square = symbols->RenderEntry(0, 60, 0);
    EXPECT_EQ(PixelAt(square, 7, 7), Rgb(RGB(0, 0, 0)));
    EXPECT_EQ(PixelAt(square, 20, 7), Rgb(GetSysColor(COLOR_WINDOW)));
    const QImage disabled = symbols->RenderEntry(0, 60, ODS_DISABLED);
    EXPECT_EQ(PixelAt(disabled, 7, 7), Rgb(GetSysColor(COLOR_INACTIVEBORDER)));

    // The chart's own procedure of that number draws it.
    chart.SetSymbolProcedure(6, &RecordSymbol);
    symbols->RenderEntry(6, 60, ODS_DISABLED);
    EXPECT_EQ(g_symbolCall.x, 2);
    EXPECT_EQ(g_symbolCall.y, 2);
    EXPECT_EQ(g_symbolCall.size, 10);
    EXPECT_EQ(g_symbolCall.colour, GetSysColor(COLOR_INACTIVEBORDER));
}
