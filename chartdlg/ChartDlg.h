#pragma once

#include "ChartObjectDlg.h"
#include "ColorButton.h"

class CChartPage;
class CXGraph;

// The "Chart" tab of the chart properties sheet: the chart's colours, its
// legend, double buffering and cursor snapping, and the lists that choose
// which axis and which series the other tabs edit.
class CChartDlg : public CChartObjectDlg
{
public:
    explicit CChartDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL Apply() override;
    // Lists the chart's series again, showing the sheet's current one: the
    // Curve tab may have added averages and trends.
    void RefillSeriesList();

    // The chart edited and the sheet whose current axis and series the
    // lists choose; both set by the sheet.
    CXGraph* m_pGraph = nullptr;
    CChartPage* m_pPage = nullptr;

    int m_showLegend = 0;
    int m_legendPosition = 0;
    int m_doubleBuffer = 0;
    int m_snapCursor = 0;
    int m_snapRange = 0;
    int m_seriesIndex = -1;
    int m_xAxisIndex = -1;
    int m_yAxisIndex = -1;

    CColorButton m_backgroundButton;
    CColorButton m_frameButton;
    CColorButton m_plotButton;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(UINT id) override;

private:
    void OnXAxisChosen();
    void OnYAxisChosen();
    void OnSeriesChosen();
    void EnableLegendPosition();
};
