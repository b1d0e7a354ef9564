#include "TrendDlg.h"

#include "ChartDialogTemplates.h"
#include "DialogControlIds.h"

CTrendDlg::CTrendDlg(CWnd* parent) : CDialog(Resources::IDD_TREND, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CTrendDlg";
}

BOOL CTrendDlg::OnInitDialog()
{
    GetDlgItem(IDC_TREND_COEFFICIENTS_SPIN)->SetRange32(2, 20);
    // A range past 16 bits.
    GetDlgItem(IDC_TREND_FORECAST_POINTS_SPIN)->SetRange32(0, kMaxForecast);
    return CDialog::OnInitDialog();
}

void CTrendDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_TREND_COEFFICIENTS, m_coefficients);
    DDV_MinMaxInt(pDX, m_coefficients, 2, 20);
    DDX_Text(pDX, IDC_TREND_FORECAST_POINTS, m_forecast);
    DDV_MinMaxInt(pDX, m_forecast, 0, kMaxForecast);
}
