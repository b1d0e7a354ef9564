#pragma once

#include "COleDateTime.h"
#include "ChartObjectDlg.h"
#include "ColorButton.h"

class CXGraphAxis;

// The Axis tab of the chart properties sheet: edits one X or Y axis. A
// numeric axis takes its range as numbers, a date-time axis as dates and
// times of day with a step counted in seconds, minutes, hours or days; while
// auto-scale is on the axis finds its range itself. Fonts are written at
// once, everything else on Apply.
class CAxisDlg : public CChartObjectDlg
{
public:
    explicit CAxisDlg(CWnd* parent = nullptr);

    // The axis edited, set before the dialog is created.
    CXGraphAxis* m_pAxis = nullptr;

    // Loads every control from the axis and enables the fields that apply
    // to it; the sheet calls it when it switches the tab to another axis.
    void LoadFromAxis();
    // Saves and validates the controls and writes them into the axis;
    // FALSE, with nothing written, when a value does not pass.
    BOOL Apply() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(UINT id) override;
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure) override;
    void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem) override;

private:
    // Copies the axis into the members.
    void ReadAxis();
    // Enables the range, step, decimals, placement and format fields that
    // the auto-scale and date-time check boxes leave in use.
    void UpdateEnabling();
    // Runs the font dialog for the label font or the title font, as the
    // button says, and re-creates that font of the axis from the answer.
    void ChooseFont(UINT button);
    void EnableControl(UINT id, bool enable);

    CString m_title;
    int m_visible = 1;
    int m_autoScale = 1;
    int m_dateTime = 0;
    int m_grid = 1;
    int m_showSymbols = 1;
    double m_viewMin = 0.0;
    double m_viewMax = 1.0;
    double m_step = 0.1;
    // The pickers: the date of the first and the time of day of the second
    // make one end of a date-time range.
    COleDateTime m_minDate;
    COleDateTime m_minTime;
    COleDateTime m_maxDate;
    COleDateTime m_maxTime;
    int m_stepCount = 1;
    // 0 seconds, 1 minutes, 2 hours, 3 days.
    int m_stepUnit = 2;
    int m_decimals = 1;
    // As the user types it: line breaks as backslash-n.
    CString m_dateTimeFormat;
    int m_tickLength = 5;
    int m_labelGap = 5;
    int m_symbolSize = 10;
    COLORREF m_colour = 0;
    COLORREF m_gridColour = 0;
    int m_gridStyle = PS_DOT;
    int m_placement = 2;

    CColorButton m_colourButton;
    CColorButton m_gridColourButton;
};
