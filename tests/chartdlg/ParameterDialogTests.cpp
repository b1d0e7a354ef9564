// The moving-average and trend dialogs: what they show, what they accept
// and what they refuse, answered through the modal seam.

#include "ChartDialogTemplates.h"
#include "ChartTestChart.h"
#include "DialogControlIds.h"
#include "ModalSeam.h"
#include "MovingAvgDlg.h"
#include "TrendDlg.h"

#include <gtest/gtest.h>

namespace {

// Runs a dialog whose answer types a text into a field and presses OK,
// collecting the messages the dialog gives.
template <typename Dialog>
INT_PTR RunTyping(Dialog& dialog, UINT field, const char* text, std::vector<CString>& messages)
{
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            messages.push_back(request.text);
            return IDOK;
        }
        static_cast<Dialog*>(request.dialogObject)->SetDlgItemText(field, text);
        return IDOK;
    });
    return dialog.DoModal();
}

} // namespace

TEST(MovingAverageDialogTest, ItOffersTheFiveKindsAndAWindowUpToItsMaximum)
{
    CMovingAvgDlg dialog;
    dialog.m_maximum = 40;
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CMovingAvgDlg"));
        EXPECT_EQ(request.templateId, Resources::IDD_MOVING_AVERAGE);
        auto* shown = static_cast<CMovingAvgDlg*>(request.dialogObject);
        CDialogItem* kinds = shown->GetDlgItem(IDC_MOVING_AVERAGE_KIND);
        EXPECT_EQ(kinds->GetCount(), 5);
        EXPECT_EQ(chartdlgtest::EntryText(kinds, 4), CString("sine weighted"));
        EXPECT_EQ(shown->GetDlgItemText(IDC_MOVING_AVERAGE_POINTS), CString("10"));
        EXPECT_EQ(chartdlgtest::SpinRange(shown->GetDlgItem(IDC_MOVING_AVERAGE_POINTS_SPIN)),
                  std::make_pair(1, 40));
        kinds->SetCurSel(2);
        shown->SetDlgItemText(IDC_MOVING_AVERAGE_POINTS, "25");
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_kind, 2);
    EXPECT_EQ(dialog.m_window, 25);
}

TEST(MovingAverageDialogTest, ItRefusesAWindowOfZeroAndOneAboveTheMaximum)
{
    for (const char* text : {"0", "101", "-3"}) {
        CMovingAvgDlg dialog;
        std::vector<CString> messages;
        EXPECT_EQ(RunTyping(dialog, IDC_MOVING_AVERAGE_POINTS, text, messages), IDCANCEL) << text;
        ASSERT_EQ(messages.size(), 1u) << text;
        EXPECT_EQ(messages[0], CString("Please enter an integer between 1 and 100."));
    }
    CMovingAvgDlg edge;
    std::vector<CString> messages;
    EXPECT_EQ(RunTyping(edge, IDC_MOVING_AVERAGE_POINTS, "100", messages), IDOK);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(edge.m_window, 100);
}

TEST(TrendDialogTest, CoefficientsAreTwoToTwentyAndForecastsUpToAHundredMillion)
{
    for (const char* text : {"1", "21"}) {
        CTrendDlg dialog;
        std::vector<CString> messages;
        EXPECT_EQ(RunTyping(dialog, IDC_TREND_COEFFICIENTS, text, messages), IDCANCEL);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], CString("Please enter an integer between 2 and 20."));
    }
    CTrendDlg far;
    std::vector<CString> messages;
    EXPECT_EQ(RunTyping(far, IDC_TREND_FORECAST_POINTS, "100000001", messages), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], CString("Please enter an integer between 0 and 100000000."));

    CTrendDlg accepted;
    messages.clear();
    EXPECT_EQ(RunTyping(accepted, IDC_TREND_FORECAST_POINTS, "100000000", messages), IDOK);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(accepted.m_forecast, 100000000);
    EXPECT_EQ(accepted.m_coefficients, 5);
}

TEST(TrendDialogTest, TheSpinsStepTheirFieldsWithinTheirRanges)
{
    CTrendDlg dialog;
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        auto* shown = static_cast<CTrendDlg*>(request.dialogObject);
        shown->GetDlgItem(IDC_TREND_COEFFICIENTS_SPIN)->SetPos32(25);
        EXPECT_EQ(shown->GetDlgItemText(IDC_TREND_COEFFICIENTS), CString("20"));
        shown->GetDlgItem(IDC_TREND_FORECAST_POINTS_SPIN)->SetPos32(70000);
        EXPECT_EQ(shown->GetDlgItemText(IDC_TREND_FORECAST_POINTS), CString("70000"));
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_coefficients, 20);
    EXPECT_EQ(dialog.m_forecast, 70000);
}
