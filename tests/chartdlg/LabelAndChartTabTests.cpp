// The label dialog and the "Chart" tab on their own: what they load, what
// Apply writes, when Apply is enabled, the font through the font dialog,
// and the label's "Properties" reaching the dialog.

#include "CFontDialog.h"
#include "ChartDialogRunners.h"
#include "ChartDialogTemplates.h"
#include "ChartDialogs.h"
#include "ChartDlg.h"
#include "ChartTestChart.h"
#include "DialogControlIds.h"
#include "LabelDlg.h"
#include "ModalSeam.h"
#include "PersonInput.h"
#include "XGraphLabel.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using chartdlgtest::Choose;
using chartdlgtest::ThreeSeriesChart;

namespace {

bool ApplyEnabled(CDialog& dialog)
{
    return dialog.GetDlgItem(IDC_APPLY)->IsWindowEnabled() != FALSE;
}

void Click(CDialog& dialog, UINT id)
{
    CDialogItem* item = dialog.GetDlgItem(id);
    if (item->Kind() == DialogControlKind::CheckBox)
        item->SetCheck(item->GetCheck() != 0 ? 0 : 1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item));
}

} // namespace

TEST(LabelDialogTest, ItLoadsTheLabelAndApplyWritesItBack)
{
    ThreeSeriesChart shown;
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 200, 80), "Shift change");
    label->m_border = true;
    label->m_transparent = false;
    label->m_textFormat = DT_CENTER | DT_WORDBREAK;
    label->m_fillColour = RGB(255, 255, 200);
    label->m_attachedSeries = 1;

    CLabelDlg dialog(&shown.chart);
    dialog.m_pLabel = label;
    ASSERT_TRUE(dialog.CreateDialogWindow(&shown.parent));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_LABEL_BORDER), 1u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_LABEL_TRANSPARENT), 0u);
    EXPECT_EQ(dialog.GetDlgItem(IDC_LABEL_ALIGNMENT)->GetCurSel(), 1);
    CDialogItem* series = dialog.GetDlgItem(IDC_LABEL_SERIES);
    ASSERT_EQ(series->GetCount(), 3);
    EXPECT_EQ(chartdlgtest::EntryText(series, 0), CString("01 LAF"));
    EXPECT_EQ(chartdlgtest::EntryText(series, 2), CString("03 TWA"));
    EXPECT_EQ(series->GetCurSel(), 1);
    EXPECT_EQ(dialog.m_fillButton.GetColour(), RGB(255, 255, 200));
    EXPECT_FALSE(ApplyEnabled(dialog));

    Click(dialog, IDC_LABEL_TRANSPARENT);
    EXPECT_TRUE(ApplyEnabled(dialog));
    Click(dialog, IDC_LABEL_BORDER);
    Choose(dialog, IDC_LABEL_ALIGNMENT, 2);
    Choose(dialog, IDC_LABEL_SERIES, 2);
    dialog.m_fillButton.SetColour(RGB(0, 128, 0));
    Click(dialog, IDC_APPLY);
    EXPECT_FALSE(ApplyEnabled(dialog));
    EXPECT_FALSE(label->m_border);
    EXPECT_TRUE(label->m_transparent);
    // The alignment is replaced; word breaking stays.
    EXPECT_EQ(label->m_textFormat, static_cast<UINT>(DT_RIGHT | DT_WORDBREAK));
    EXPECT_EQ(label->m_attachedSeries, 2);
    EXPECT_EQ(label->m_fillColour, RGB(0, 128, 0));
}

TEST(LabelDialogTest, OnlyAColourChosenInThePopUpEnablesApply)
{
    ThreeSeriesChart shown;
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 200, 80), "Shift change");
    label->m_fillColour = RGB(255, 255, 200);
    // The dialog in a window of its own, clear of the chart.
    CWnd host;
    ASSERT_TRUE(
        host.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(600, 0, 1100, 400), nullptr, 0));
    CLabelDlg dialog(&shown.chart);
    dialog.m_pLabel = label;
    ASSERT_TRUE(dialog.CreateDialogWindow(&host));
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(PersonInput::ShowAndActivate(host));
    const QPoint onButton = PersonInput::OnScreen(dialog.m_fillButton, QPoint(10, 8));
    auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    };

    // Opened and left with Escape: nothing changed.
    PersonInput::Click(onButton);
    ASSERT_NE(dialog.m_fillButton.GetPopup(), nullptr);
    PersonInput::Key(Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialog.m_fillButton.GetPopup(), nullptr);
    EXPECT_EQ(dialog.m_fillButton.GetColour(), RGB(255, 255, 200));
    EXPECT_FALSE(ApplyEnabled(dialog));

    // Opened and a colour clicked: a change to apply.
    PersonInput::Click(onButton);
    CColourPopup* popup = dialog.m_fillButton.GetPopup();
    ASSERT_NE(popup, nullptr);
    PersonInput::Click(
        PersonInput::OnScreen(*popup, QPoint(popup->GetEntryRect(0).CenterPoint().x,
                                             popup->GetEntryRect(0).CenterPoint().y)));
    settle();
    EXPECT_NE(dialog.m_fillButton.GetColour(), RGB(255, 255, 200));
    EXPECT_TRUE(ApplyEnabled(dialog));
}

TEST(LabelDialogTest, TheFontButtonSetsFontAndTextColourAtOnce)
{
    ThreeSeriesChart shown;
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 200, 80), "Peak");
    LOGFONT before{};
    label->m_font.GetLogFont(&before);
    CLabelDlg dialog(&shown.chart);
    dialog.m_pLabel = label;
    ASSERT_TRUE(dialog.CreateDialogWindow(&shown.parent));
    bool asked = false;
    {
        ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
            EXPECT_EQ(request.text, CString("CFontDialog"));
            auto* fonts = static_cast<CFontDialog*>(request.dialogObject);
            EXPECT_EQ(fonts->m_cf.Flags & (CF_SCREENFONTS | CF_EFFECTS),
                      static_cast<DWORD>(CF_SCREENFONTS | CF_EFFECTS));
            EXPECT_EQ(fonts->m_lf.lfHeight, before.lfHeight);
            fonts->m_lf.lfHeight = -31;
            fonts->m_lf.lfItalic = 1;
            fonts->m_cf.rgbColors = RGB(0, 0, 160);
            asked = true;
            return IDOK;
        });
        Click(dialog, IDC_LABEL_FONT);
    }
    EXPECT_TRUE(asked);
    LOGFONT after{};
    label->m_font.GetLogFont(&after);
    EXPECT_EQ(after.lfHeight, -31);
    EXPECT_EQ(after.lfItalic, 1);
    EXPECT_EQ(label->m_textColour, RGB(0, 0, 160));
    EXPECT_TRUE(ApplyEnabled(dialog));
}

TEST(LabelDialogTest, PropertiesOfALabelRunTheDialogAndOkApplies)
{
    InstallChartDialogs();
    ThreeSeriesChart shown;
    CXGraphLabel* label = shown.chart.AddLabel(CRect(100, 40, 200, 80), "Note");
    label->m_border = true;
    int shownDialogs = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CLabelDlg"));
        EXPECT_EQ(request.templateId, Resources::IDD_LABEL);
        auto* dialog = static_cast<CLabelDlg*>(request.dialogObject);
        EXPECT_EQ(dialog->m_pLabel, label);
        dialog->CheckDlgButton(IDC_LABEL_BORDER, 0);
        ++shownDialogs;
        return IDOK;
    });
    RunLabelDialog(label);
    EXPECT_EQ(shownDialogs, 1);
    EXPECT_FALSE(label->m_border);
    SetLabelDialogRunner(nullptr);
}

TEST(ChartTabTest, ItLoadsTheChartAndClearingTheLegendDisablesItsPosition)
{
    ThreeSeriesChart shown;
    shown.chart.ShowLegend(true);
    shown.chart.SetLegendPosition(0);
    shown.chart.SetSnapRange(25);
    ChartColours colours = shown.chart.GetColours();
    colours.plot = RGB(10, 20, 30);
    shown.chart.SetColours(colours);
    CChartDlg tab;
    tab.m_pGraph = &shown.chart;
    ASSERT_TRUE(tab.CreateDialogWindow(&shown.parent));
    tab.ShowWindow(SW_SHOW);
    EXPECT_EQ(tab.GetDlgItemText(IDC_CHART_SNAP_DISTANCE), CString("25"));
    EXPECT_EQ(tab.m_plotButton.GetColour(), RGB(10, 20, 30));
    EXPECT_EQ(chartdlgtest::EntryText(tab.GetDlgItem(IDC_CHART_SERIES), 1), CString("2 LCpeak"));
    EXPECT_EQ(chartdlgtest::EntryText(tab.GetDlgItem(IDC_CHART_X_AXIS), 0), CString("1 Time"));
    EXPECT_EQ(chartdlgtest::EntryText(tab.GetDlgItem(IDC_CHART_Y_AXIS), 0), CString("1 dB"));
    EXPECT_TRUE(tab.GetDlgItem(IDC_CHART_LEGEND_POSITION)->IsWindowEnabled());
    EXPECT_FALSE(ApplyEnabled(tab));
    EXPECT_EQ(chartdlgtest::SpinRange(tab.GetDlgItem(IDC_CHART_SNAP_DISTANCE_SPIN)),
              std::make_pair(0, 100));
    EXPECT_EQ(tab.GetDlgItemText(IDC_CHART_SNAP_DISTANCE), CString("25"));

    Click(tab, IDC_CHART_SHOW_LEGEND);
    EXPECT_FALSE(tab.GetDlgItem(IDC_CHART_LEGEND_POSITION)->IsWindowEnabled());
    EXPECT_TRUE(ApplyEnabled(tab));
    // Nothing is written before Apply.
    EXPECT_TRUE(shown.chart.IsLegendShown());
    Click(tab, IDC_CHART_SHOW_LEGEND);
    EXPECT_TRUE(tab.GetDlgItem(IDC_CHART_LEGEND_POSITION)->IsWindowEnabled());
}

TEST(ChartTabTest, ApplyWritesTheChartAndDisablesItselfUntilTheNextChange)
{
    ThreeSeriesChart shown;
    shown.chart.SetDoubleBuffer(true);
    shown.chart.SetSnapCursor(true);
    CChartDlg tab;
    tab.m_pGraph = &shown.chart;
    ASSERT_TRUE(tab.CreateDialogWindow(&shown.parent));
    tab.ShowWindow(SW_SHOW);
    Click(tab, IDC_CHART_DOUBLE_BUFFER);
    Click(tab, IDC_CHART_SNAP_CURSOR);
    Choose(tab, IDC_CHART_LEGEND_POSITION, 0);
    tab.SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "40");
    tab.m_backgroundButton.SetColour(RGB(1, 2, 3));
    Click(tab, IDC_APPLY);
    EXPECT_FALSE(ApplyEnabled(tab));
    EXPECT_FALSE(shown.chart.IsDoubleBuffered());
    EXPECT_FALSE(shown.chart.IsCursorSnapped());
    EXPECT_EQ(shown.chart.GetLegendPosition(), 0);
    EXPECT_EQ(shown.chart.GetSnapRange(), 40);
    EXPECT_EQ(shown.chart.GetColours().background, RGB(1, 2, 3));
    // A colour chosen in a colour button is a change.
    tab.SendMessage(CPN_SELENDOK, RGB(9, 9, 9), IDC_CHART_PLOT_COLOUR);
    EXPECT_TRUE(ApplyEnabled(tab));
}

TEST(ChartTabTest, ASnapDistanceOutOfRangeIsRefusedAndNotApplied)
{
    ThreeSeriesChart shown;
    shown.chart.SetSnapRange(10);
    CChartDlg tab;
    tab.m_pGraph = &shown.chart;
    ASSERT_TRUE(tab.CreateDialogWindow(&shown.parent));
    tab.ShowWindow(SW_SHOW);
    std::vector<CString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        messages.push_back(request.text);
        return IDOK;
    });
    tab.SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "101");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), CString("Please enter an integer between 0 and 100."));
    messages.clear();
    Click(tab, IDC_APPLY);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(shown.chart.GetSnapRange(), 10);
}
