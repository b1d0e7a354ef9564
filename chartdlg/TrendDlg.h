#pragma once

#include "CDialog.h"

// Asks for the number of coefficients of a polynomial trend and how many
// points to forecast past the curve's end.
class CTrendDlg : public CDialog
{
public:
    explicit CTrendDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_coefficients = 5;
    int m_forecast = 0;

    static constexpr int kMaxForecast = 100000000;
};
