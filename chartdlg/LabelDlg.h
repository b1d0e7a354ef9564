#pragma once

#include "ChartObjectDlg.h"
#include "ColorButton.h"

class CXGraphLabel;

// Edits a text label of the chart: its border, fill, text alignment, the
// series its connector leads to, and its font and text colour.
class CLabelDlg : public CChartObjectDlg
{
public:
    explicit CLabelDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL Apply() override;

    // The label edited; set by the label before DoModal.
    CXGraphLabel* m_pLabel = nullptr;

    int m_border = 0;
    int m_transparent = 0;
    // 0 left, 1 centred, 2 right.
    int m_textFormat = 0;
    // The index of the attached series, -1 for none.
    int m_attachedSeries = -1;
    COLORREF m_fillColour = 0;

    CColorButton m_fillButton;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(UINT id) override;

private:
    void ChooseFont();
};
