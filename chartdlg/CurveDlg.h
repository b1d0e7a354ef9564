#pragma once

#include "ChartObjectDlg.h"
#include "ColorButton.h"

#include <vector>

class CXGraph;
class CXGraphDataSerie;

// The Curve tab of the chart properties sheet: the name, look, symbols and
// fill of one series of the chart, and buttons that add a moving average
// or a trend line of it to the chart as a series of its own.
class CCurveDlg : public CChartObjectDlg
{
public:
    explicit CCurveDlg(CWnd* parent = nullptr);

    // The series edited, set before creation.
    CXGraphDataSerie* m_pSeries = nullptr;

    // Loads every control from the series, the fill-to list included, and
    // enables the controls that apply to it; the sheet calls it when it
    // switches the tab to another series.
    void LoadFromSeries();
    BOOL Apply() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CColorButton& ColourButton() { return m_colourButton; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(UINT id) override;
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure) override;
    void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem) override;

private:
    CXGraph* Graph() const;
    // The edited series' position in the chart's list, or -1.
    int SeriesPosition() const;
    void CopyFromSeries();
    // One entry per other series of the chart; shows the entry of the
    // series given, or none.
    void FillFillToList(int fillToSeries);
    // The series the fill-to list's current entry stands for, or -1.
    int ChosenFillToSeries() const;
    // Enables the fill and symbol controls as the check boxes and radios
    // now stand.
    void UpdateEnabling();
    void EnableControl(UINT id, bool enable);

    void AddMovingAverage();
    // The trend of the button's kind: linear, cubic or polynomial.
    void AddTrend(UINT button);
    // The chart's list may have moved: finds the edited series again by
    // its position (the old pointer must not be read) and offers the new
    // series in the fill-to list.
    void SeriesAdded(CXGraph* graph, int position);

    void DrawSymbolEntry(LPDRAWITEMSTRUCT drawItem);

    CColorButton m_colourButton;
    // The series index each entry of the fill-to list stands for.
    std::vector<int> m_fillToEntries;

    // The controls' values.
    CString m_name;
    int m_visible = 1;
    int m_drawMode = 0;
    int m_lineWidth = 1;
    int m_penStyle = 0;
    int m_showSymbols = 0;
    int m_symbolKind = 0;
    int m_symbolNumber = 0;
    int m_symbolSize = 10;
    int m_fill = 0;
    int m_fillStyle = 6;
    int m_transparentFill = 1;
    int m_fillToEntry = -1;
};
