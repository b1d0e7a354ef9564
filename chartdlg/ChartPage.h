#pragma once

#include "CDialog.h"

class CAxisDlg;
class CChartDlg;
class CCurveDlg;
class CXGraph;
class CXGraphAxis;
class CXGraphDataSerie;

// The chart properties sheet: a tab control with the tabs "Chart", "Axis"
// and "Curve", each a child dialog that writes its values straight into the
// chart. The caller sets the chart and, where known, the axis or series to
// show first, and runs it with DoModal; the tabs' OK and Cancel end it.
class CChartPage : public CDialog
{
public:
    explicit CChartPage(CWnd* parent = nullptr);
    ~CChartPage() override;
    CChartPage(const CChartPage&) = delete;
    CChartPage& operator=(const CChartPage&) = delete;

    BOOL OnInitDialog() override;

    // Shows the tab at index (0 "Chart", 1 "Axis", 2 "Curve").
    void ShowTab(int index);
    // The index of the tab shown.
    int GetShownTab() const;
    // Makes an axis or a series the one its tab edits, and reloads the tab.
    void SetCurrentAxis(CXGraphAxis* axis);
    void SetCurrentSeries(CXGraphDataSerie* series);

    CChartDlg* m_pChartTab;
    CCurveDlg* m_pCurveTab;
    CAxisDlg* m_pAxisTab;

    CXGraph* m_pGraph = nullptr;
    CXGraphAxis* m_pCurrentAxis = nullptr;
    CXGraphDataSerie* m_pCurrentSeries = nullptr;

protected:
    void OnOK() override;
    void OnCancel() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    CDialog* TabDialog(int index) const;
};
