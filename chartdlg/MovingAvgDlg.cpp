#include "MovingAvgDlg.h"

#include "ChartDialogTemplates.h"

namespace {

constexpr UINT kKindList = 6034;
constexpr UINT kWindowEdit = 6063;
constexpr UINT kWindowSpin = 6064;

} // namespace

CMovingAvgDlg::CMovingAvgDlg(CWnd* parent) : CDialog(Resources::IDD_MOVING_AVERAGE, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CMovingAvgDlg";
}

BOOL CMovingAvgDlg::OnInitDialog()
{
    // The words the averages are named by.
    for (const char* kind : {"simple", "linear", "exponential", "triangular", "sine weighted"})
        GetDlgItem(kKindList)->AddString(kind);
    GetDlgItem(kWindowSpin)->SetRange32(1, m_maximum);
    return CDialog::OnInitDialog();
}

void CMovingAvgDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, kKindList, m_kind);
    DDX_Text(pDX, kWindowEdit, m_window);
    DDV_MinMaxInt(pDX, m_window, 1, m_maximum);
}
