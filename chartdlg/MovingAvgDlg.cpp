#include "MovingAvgDlg.h"

#include "ChartDialogTemplates.h"
#include "DialogControlIds.h"

CMovingAvgDlg::CMovingAvgDlg(CWnd* parent) : CDialog(Resources::IDD_MOVING_AVERAGE, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CMovingAvgDlg";
}

BOOL CMovingAvgDlg::OnInitDialog()
{
    // The words the averages are named by.
    for (const char* kind : {"simple", "linear", "exponential", "triangular", "sine weighted"})
        GetDlgItem(IDC_MOVING_AVERAGE_KIND)->AddString(kind);
    GetDlgItem(IDC_MOVING_AVERAGE_POINTS_SPIN)->SetRange32(1, m_maximum);
    return CDialog::OnInitDialog();
}

void CMovingAvgDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, IDC_MOVING_AVERAGE_KIND, m_kind);
    DDX_Text(pDX, IDC_MOVING_AVERAGE_POINTS, m_window);
    DDV_MinMaxInt(pDX, m_window, 1, m_maximum);
}
