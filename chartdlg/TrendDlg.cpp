#include "TrendDlg.h"

#include "ChartDialogTemplates.h"

namespace {

constexpr UINT kCoefficientEdit = 6082;
constexpr UINT kCoefficientSpin = 6084;
constexpr UINT kForecastEdit = 6079;
constexpr UINT kForecastSpin = 6069;

} // namespace

CTrendDlg::CTrendDlg(CWnd* parent) : CDialog(Resources::IDD_TREND, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CTrendDlg";
}

BOOL CTrendDlg::OnInitDialog()
{
    GetDlgItem(kCoefficientSpin)->SetRange32(2, 20);
    // A range past 16 bits.
    GetDlgItem(kForecastSpin)->SetRange32(0, kMaxForecast);
    return CDialog::OnInitDialog();
}

void CTrendDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kCoefficientEdit, m_coefficients);
    DDV_MinMaxInt(pDX, m_coefficients, 2, 20);
    DDX_Text(pDX, kForecastEdit, m_forecast);
    DDV_MinMaxInt(pDX, m_forecast, 0, kMaxForecast);
}
