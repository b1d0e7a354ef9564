// The Axis tab: loading an axis into its fields, which fields the auto-scale
// and date-time check boxes leave in use, the date-time step as count and
// unit, the label formats written on Apply, refused values, the font
// buttons and the drawn grid-style entries.

#include "AxisDlg.h"
#include "ChartDialogTemplates.h"
#include "ColourPopup.h"
#include "DialogControlIds.h"
#include "XGraphAxis.h"

#include "CFont.h"
#include "CFontDialog.h"
#include "ModalSeam.h"
#include "SystemMetrics.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

// An axis with auto-scale off over [0, 100] in steps of 10.
CXGraphAxis ManualAxis()
{
    CXGraphAxis axis;
    axis.m_autoScale = false;
    axis.SetViewRange(0.0, 100.0, 10.0);
    return axis;
}

// A date-time axis over one day from 2024-03-05 with the given step in days.
CXGraphAxis DateTimeAxis(double stepDays)
{
    CXGraphAxis axis;
    axis.m_dateTime = true;
    axis.m_autoScale = false;
    axis.SetViewRange(COleDateTime(2024, 3, 5, 0, 0, 0), COleDateTime(2024, 3, 6, 0, 0, 0),
                      stepDays);
    axis.m_displayFormat = "%d.%m.%Y\n%H:%M";
    return axis;
}

// The tab as the sheet shows it, on the axis.
// The axis tab, telling whether it was ended.
class ObservedAxisDlg : public CAxisDlg
{
public:
    using CDialog::IsEnded;
};

struct OpenTab
{
    explicit OpenTab(CXGraphAxis& axis)
    {
        dialog.m_pAxis = &axis;
        EXPECT_TRUE(dialog.CreateDialogWindow(nullptr));
    }
    void Click(UINT id)
    {
        static_cast<QAbstractButton*>(dialog.GetDlgItem(id)->GetClientWidget())->click();
    }
    bool Enabled(UINT id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    CString Text(UINT id) { return dialog.GetDlgItemText(id); }
    void Type(UINT id, const char* text) { dialog.SetDlgItemText(id, text); }
    // What the user picks in a date or time picker.
    void Pick(UINT id, const COleDateTime& time)
    {
        static_cast<QDateTimeEdit*>(dialog.GetDlgItem(id)->GetClientWidget())
            ->setDateTime(QDateTime(QDate(time.GetYear(), time.GetMonth(), time.GetDay()),
                                    QTime(time.GetHour(), time.GetMinute(), time.GetSecond())));
    }

    ObservedAxisDlg dialog;
};

// Collects the messages the dialog gives and answers them with OK.
struct Messages
{
    std::vector<CString> texts;
    ScopedModalResponder responder{[this](const ModalRequest& request) -> INT_PTR {
        texts.push_back(request.text);
        return IDOK;
    }};
};

} // namespace

TEST(AxisDialogTest, ADateTimeStepShowsAsACountOfTheLargestUnitItExceedsAndDivides)
{
    struct Case
    {
        double seconds;
        const char* count;
        int unit;
    };
    // 89.5 s rounds half away from zero; a whole day does not exceed a day.
    for (const Case& each : {Case{7200, "2", 2}, Case{90, "90", 0}, Case{3 * 86400, "3", 3},
                             Case{89.5, "90", 0}, Case{86400, "24", 2}, Case{1800, "30", 1}}) {
        CXGraphAxis axis = DateTimeAxis(each.seconds / 86400.0);
        OpenTab tab(axis);
        EXPECT_EQ(tab.Text(IDC_AXIS_STEP_COUNT), CString(each.count)) << each.seconds;
        EXPECT_EQ(tab.dialog.GetDlgItem(IDC_AXIS_STEP_UNIT)->GetCurSel(), each.unit)
            << each.seconds;
        // Decimals show 1 on a date-time axis.
        EXPECT_EQ(tab.Text(IDC_AXIS_DECIMALS), CString("1"));
    }
    CXGraphAxis axis = DateTimeAxis(1.0);
    OpenTab tab(axis);
    tab.Type(IDC_AXIS_STEP_COUNT, "45");
    tab.dialog.GetDlgItem(IDC_AXIS_STEP_UNIT)->SetCurSel(1);
    ASSERT_TRUE(tab.dialog.Apply());
    EXPECT_DOUBLE_EQ(axis.m_step, 45 * 60 / 86400.0);
}

TEST(AxisDialogTest, AutoScaleAndDateTimeDecideWhichFieldsAreInUse)
{
    CXGraphAxis axis = ManualAxis();
    OpenTab tab(axis);
    EXPECT_TRUE(tab.Enabled(IDC_AXIS_MINIMUM) && tab.Enabled(IDC_AXIS_MAXIMUM) &&
                tab.Enabled(IDC_AXIS_STEP));
    EXPECT_FALSE(tab.Enabled(IDC_AXIS_FROM_DATE) || tab.Enabled(IDC_AXIS_STEP_COUNT) ||
                 tab.Enabled(IDC_AXIS_DATE_TIME_FORMAT));
    EXPECT_TRUE(tab.Enabled(IDC_AXIS_DECIMALS) && tab.Enabled(IDC_AXIS_PLACEMENT));

    tab.Type(IDC_AXIS_MINIMUM, "-50");
    tab.Click(IDC_AXIS_AUTO_SCALE);
    EXPECT_FALSE(tab.Enabled(IDC_AXIS_MINIMUM) || tab.Enabled(IDC_AXIS_MAXIMUM) ||
                 tab.Enabled(IDC_AXIS_STEP));
    // With auto-scale on, Apply leaves the range to the axis' own scaling.
    ASSERT_TRUE(tab.dialog.Apply());
    EXPECT_TRUE(axis.m_autoScale);
    EXPECT_EQ(axis.m_viewMin, 0.0);
    EXPECT_EQ(axis.m_viewMax, 100.0);

    tab.Click(IDC_AXIS_DATE_TIME);
    EXPECT_FALSE(tab.Enabled(IDC_AXIS_FROM_DATE) || tab.Enabled(IDC_AXIS_TO_TIME) ||
                 tab.Enabled(IDC_AXIS_STEP_COUNT));
    EXPECT_TRUE(tab.Enabled(IDC_AXIS_DATE_TIME_FORMAT));
    EXPECT_FALSE(tab.Enabled(IDC_AXIS_DECIMALS) || tab.Enabled(IDC_AXIS_DECIMALS_SPIN) ||
                 tab.Enabled(IDC_AXIS_PLACEMENT));
    tab.Click(IDC_AXIS_AUTO_SCALE);
    for (UINT id : {IDC_AXIS_FROM_DATE, IDC_AXIS_FROM_TIME, IDC_AXIS_TO_DATE, IDC_AXIS_TO_TIME,
                    IDC_AXIS_STEP_COUNT, IDC_AXIS_STEP_UNIT})
        EXPECT_TRUE(tab.Enabled(id)) << id;
    EXPECT_FALSE(tab.Enabled(IDC_AXIS_MINIMUM));
}

TEST(AxisDialogTest, TheNumericFormatTakesTheDecimalsAndTurnsToExponentsForExtremeRanges)
{
    struct Case
    {
        const char* minimum;
        const char* maximum;
        const char* decimals;
        const char* format;
    };
    for (const Case& each :
         {Case{"0", "2000000", "2", "%5.2e"}, Case{"0", "2000000", "3", "%5.3e"},
          Case{"-3e6", "0", "0", "%5.0e"}, Case{"0", "5e-7", "4", "%5.4e"},
          Case{"0", "10", "4", "%5.4f"}, Case{"-1000000", "1000000", "1", "%5.1f"}}) {
        CXGraphAxis axis = ManualAxis();
        OpenTab tab(axis);
        tab.Type(IDC_AXIS_MINIMUM, each.minimum);
        tab.Type(IDC_AXIS_MAXIMUM, each.maximum);
        tab.Type(IDC_AXIS_DECIMALS, each.decimals);
        ASSERT_TRUE(tab.dialog.Apply());
        EXPECT_EQ(axis.m_displayFormat, CString(each.format)) << each.maximum;
    }
    // The decimals are read back from the format.
    CXGraphAxis axis = ManualAxis();
    axis.m_displayFormat = "%5.3e";
    OpenTab tab(axis);
    EXPECT_EQ(tab.Text(IDC_AXIS_DECIMALS), CString("3"));
}

TEST(AxisDialogTest, ApplyWritesTheFieldsAndIsDisabledUntilTheNextChange)
{
    CXGraphAxis axis = ManualAxis();
    OpenTab tab(axis);
    EXPECT_FALSE(tab.Enabled(IDC_APPLY));
    tab.Type(IDC_AXIS_TITLE, "Level dB(A)");
    EXPECT_TRUE(tab.Enabled(IDC_APPLY));
    tab.Type(IDC_AXIS_TICK_LENGTH, "8");
    tab.dialog.GetDlgItem(IDC_AXIS_GRID_STYLE)->SetCurSel(PS_DASHDOT);
    tab.dialog.GetDlgItem(IDC_AXIS_PLACEMENT)->SetCurSel(1);
    tab.dialog.CWnd::GetDlgItem(IDC_AXIS_GRID_COLOUR)
        ->SendMessage(CPN_SELENDOK, RGB(10, 20, 30), 0);
    tab.Click(IDC_APPLY);
    EXPECT_FALSE(tab.Enabled(IDC_APPLY));
    EXPECT_EQ(axis.m_title, CString("Level dB(A)"));
    EXPECT_EQ(axis.m_tickLength, 8);
    EXPECT_EQ(axis.m_gridStyle, PS_DASHDOT);
    EXPECT_EQ(axis.m_placement, 1);
    EXPECT_EQ(axis.m_gridColour, RGB(10, 20, 30));

    // A chosen colour and a picked date are changes too.
    tab.dialog.CWnd::GetDlgItem(IDC_AXIS_COLOUR)->SendMessage(CPN_SELENDOK, RGB(200, 0, 0), 0);
    EXPECT_TRUE(tab.Enabled(IDC_APPLY));
    tab.Click(IDC_APPLY);
    EXPECT_EQ(axis.m_colour, RGB(200, 0, 0));
    tab.Pick(IDC_AXIS_FROM_DATE, COleDateTime(2020, 1, 1, 0, 0, 0));
    EXPECT_TRUE(tab.Enabled(IDC_APPLY));

    // Switching the tab to another axis loads it afresh.
    CXGraphAxis other = DateTimeAxis(2.0);
    other.m_title = "Time";
    tab.dialog.m_pAxis = &other;
    tab.dialog.LoadFromAxis();
    EXPECT_EQ(tab.Text(IDC_AXIS_TITLE), CString("Time"));
    EXPECT_EQ(tab.dialog.IsDlgButtonChecked(IDC_AXIS_DATE_TIME), 1u);
    EXPECT_TRUE(tab.Enabled(IDC_AXIS_FROM_DATE));
    EXPECT_FALSE(tab.Enabled(IDC_APPLY));
}

TEST(AxisDialogTest, ARefusedValueKeepsTheDialogOpenAndWritesNothing)
{
    struct Case
    {
        UINT field;
        const char* text;
        const char* message;
    };
    for (const Case& each :
         {Case{IDC_AXIS_TICK_LENGTH, "11", "Please enter an integer between 1 and 10."},
          Case{IDC_AXIS_SYMBOL_SIZE, "0", "Please enter an integer between 1 and 20."},
          Case{IDC_AXIS_DECIMALS, "7", "Please enter an integer between 0 and 6."},
          Case{IDC_AXIS_MINIMUM, "inf", "Please enter a number."},
          Case{IDC_AXIS_MINIMUM, "500",
               "Please enter a minimum that is not greater than the maximum."},
          Case{IDC_AXIS_STEP, "-1", "Please enter a step of 0 (estimated) or more."}}) {
        CXGraphAxis axis = ManualAxis();
        OpenTab tab(axis);
        Messages messages;
        tab.Type(IDC_AXIS_TITLE, "New title");
        tab.Type(each.field, each.text);
        tab.Click(IDOK);
        EXPECT_FALSE(tab.dialog.IsEnded()) << each.text;
        ASSERT_EQ(messages.texts.size(), 1u) << each.text;
        EXPECT_EQ(messages.texts[0], CString(each.message));
        EXPECT_EQ(axis.m_title, CString(" "));
        EXPECT_EQ(axis.m_viewMax, 100.0);
        EXPECT_EQ(axis.m_tickLength, 5);
    }
    // The date-time count is checked only while it is in use.
    CXGraphAxis axis = DateTimeAxis(1.0);
    OpenTab tab(axis);
    Messages messages;
    tab.Type(IDC_AXIS_STEP_COUNT, "22118401");
    EXPECT_FALSE(tab.dialog.Apply());
    tab.Click(IDC_AXIS_AUTO_SCALE);
    EXPECT_TRUE(tab.dialog.Apply());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], CString("Please enter an integer between 1 and 22118400."));
}

TEST(AxisDialogTest, TheDateTimeFormatShowsLineBreaksAsBackslashN)
{
    CXGraphAxis axis = DateTimeAxis(1.0);
    OpenTab tab(axis);
    EXPECT_EQ(tab.Text(IDC_AXIS_DATE_TIME_FORMAT), CString("%d.%m.%Y\\n%H:%M"));
    tab.Type(IDC_AXIS_DATE_TIME_FORMAT, "%H:%M\\n%d %b\\n");
    ASSERT_TRUE(tab.dialog.Apply());
    EXPECT_EQ(axis.m_displayFormat, CString("%H:%M\n%d %b\n"));
}

TEST(AxisDialogTest, ModallyThePickersCombineDateAndTimeOfDayIntoTheViewRange)
{
    CXGraphAxis axis = DateTimeAxis(1.0 / 24);
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CAxisDlg"));
        EXPECT_EQ(request.templateId, Resources::IDD_AXIS);
        auto* shown = static_cast<CAxisDlg*>(request.dialogObject);
        EXPECT_EQ(shown->GetDlgItem(IDC_AXIS_TO_DATE)->GetTime().GetDay(), 6);
        shown->GetDlgItem(IDC_AXIS_FROM_DATE)->SetTime(COleDateTime(2024, 3, 5, 23, 59, 59));
        shown->GetDlgItem(IDC_AXIS_FROM_TIME)->SetTime(COleDateTime(2001, 1, 1, 6, 30, 0));
        shown->GetDlgItem(IDC_AXIS_TO_DATE)->SetTime(COleDateTime(2024, 3, 7, 0, 0, 0));
        shown->GetDlgItem(IDC_AXIS_TO_TIME)->SetTime(COleDateTime(1999, 12, 31, 18, 0, 15));
        return IDOK;
    });
    CAxisDlg dialog;
    dialog.m_pAxis = &axis;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NEAR(axis.m_viewMin, COleDateTime(2024, 3, 5, 6, 30, 0), 1e-9);
    EXPECT_NEAR(axis.m_viewMax, COleDateTime(2024, 3, 7, 18, 0, 15), 1e-9);
    EXPECT_DOUBLE_EQ(axis.m_step, 1.0 / 24);
}

TEST(AxisDialogTest, TheFontButtonsChangeTheAxisFontsAtOnce)
{
    CXGraphAxis axis = ManualAxis();
    OpenTab tab(axis);
    bool accept = true;
    LONG openedOn = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CFontDialog"));
        auto* fonts = static_cast<CFontDialog*>(request.dialogObject);
        EXPECT_EQ(fonts->m_cf.Flags & (CF_SCREENFONTS | CF_EFFECTS), CF_SCREENFONTS | CF_EFFECTS);
        openedOn = fonts->m_lf.lfHeight;
        fonts->m_lf.lfHeight = -20;
        SetFaceName(&fonts->m_lf, "Liberation Serif");
        return accept ? IDOK : IDCANCEL;
    });
    tab.Click(IDC_AXIS_LABEL_FONT);
    EXPECT_EQ(openedOn, 13);
    EXPECT_EQ(axis.m_labelFont.m_logFont.lfHeight, -20);
    EXPECT_EQ(FaceNameOf(axis.m_labelFont.m_logFont), CString("Liberation Serif"));
    EXPECT_EQ(axis.m_titleFont.m_logFont.lfHeight, 14);

    accept = false;
    tab.Click(IDC_AXIS_TITLE_FONT);
    EXPECT_EQ(openedOn, 14);
    EXPECT_EQ(axis.m_titleFont.m_logFont.lfHeight, 14);
    EXPECT_EQ(FaceNameOf(axis.m_titleFont.m_logFont), CString("Arial"));
}

TEST(AxisDialogTest, EachGridStyleEntryIsALineInItsPenStyle)
{
    CXGraphAxis axis = ManualAxis();
    OpenTab tab(axis);
    CDialogItem* list = tab.dialog.GetDlgItem(IDC_AXIS_GRID_STYLE);
    ASSERT_EQ(list->GetCount(), 5);
    EXPECT_EQ(list->GetItemHeight(), 16);
    const QRgb window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    const QRgb highlight =
        qRgb(GetRValue(GetSysColor(COLOR_HIGHLIGHT)), GetGValue(GetSysColor(COLOR_HIGHLIGHT)),
             GetBValue(GetSysColor(COLOR_HIGHLIGHT))) &
        0xFFFFFF;
    // The lengths of the drawn and blank runs along the line's row.
    auto runs = [](const QImage& entry, QRgb background) {
        std::vector<int> lengths;
        bool drawn = false;
        for (int x = 0; x < entry.width(); ++x) {
            const bool here = (entry.pixel(x, 6) & 0xFFFFFF) != background;
            if (lengths.empty() || here != drawn)
                lengths.push_back(0);
            drawn = here;
            ++lengths.back();
        }
        return lengths;
    };
    std::vector<std::vector<int>> patterns;
    for (int style = 0; style < 5; ++style) {
        const QImage entry = list->RenderEntry(style, 120, 0);
        for (int y : {0, 5, 7, 15})
            EXPECT_EQ(entry.pixel(60, y) & 0xFFFFFF, window) << style;
        patterns.push_back(runs(entry, window));
    }
    EXPECT_EQ(patterns[0], std::vector<int>{120});
    // Dashes are long, dots short; dash-dot alternates the two and
    // dash-dot-dot puts two dots after each dash.
    EXPECT_GT(patterns[1][0], 2 * patterns[2][0]);
    EXPECT_GT(patterns[3][0], 2 * patterns[3][2]);
    EXPECT_EQ(patterns[4][2], patterns[4][4]);
    EXPECT_GT(patterns[4][0], 2 * patterns[4][2]);
    EXPECT_GT(patterns[1].size(), 4u);

    const QImage selected = list->RenderEntry(2, 120, ODS_SELECTED);
    EXPECT_EQ(selected.pixel(60, 2) & 0xFFFFFF, highlight);
    EXPECT_EQ(runs(selected, highlight), patterns[2]);
}
