#pragma once

#include "CDialog.h"

// Asks for the kind and the window of a moving average before it is
// computed from a curve.
class CMovingAvgDlg : public CDialog
{
public:
    explicit CMovingAvgDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // 0 simple, 1 linear, 2 exponential, 3 triangular, 4 sine weighted.
    int m_kind = 0;
    int m_window = 10;
    // The largest window the user may ask for.
    int m_maximum = 100;
};
