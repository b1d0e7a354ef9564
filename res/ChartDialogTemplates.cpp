#include "ChartDialogTemplates.h"

#include "CDialog.h"
#include "DialogControlIds.h"

namespace Resources {

void RegisterChartDialogTemplates()
{
    static const bool registered = [] {
        using Kind = DialogControlKind;
        DialogTemplate average;
        average.id = IDD_MOVING_AVERAGE;
        average.caption = "Moving Average";
        average.size = CSize(260, 120);
        average.controls = {
            {Kind::Static, IDC_STATIC, CRect(10, 12, 90, 30), "Kind:"},
            {Kind::DropDownList, IDC_MOVING_AVERAGE_KIND, CRect(100, 10, 250, 32), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 44, 90, 62), "Points:"},
            {Kind::Edit, IDC_MOVING_AVERAGE_POINTS, CRect(100, 42, 220, 62), ""},
            {Kind::Spin, IDC_MOVING_AVERAGE_POINTS_SPIN, CRect(220, 42, 236, 62), "",
             IDC_MOVING_AVERAGE_POINTS},
            {Kind::PushButton, IDOK, CRect(90, 84, 170, 110), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(175, 84, 250, 110), "Cancel"},
        };
        RegisterDialogTemplate(average);

        DialogTemplate trend;
        trend.id = IDD_TREND;
        trend.caption = "Trend";
        trend.size = CSize(260, 120);
        trend.controls = {
            {Kind::Static, IDC_STATIC, CRect(10, 12, 120, 30), "Coefficients:"},
            {Kind::Edit, IDC_TREND_COEFFICIENTS, CRect(130, 10, 220, 30), ""},
            {Kind::Spin, IDC_TREND_COEFFICIENTS_SPIN, CRect(220, 10, 236, 30), "",
             IDC_TREND_COEFFICIENTS},
            {Kind::Static, IDC_STATIC, CRect(10, 44, 120, 62), "Forecast points:"},
            {Kind::Edit, IDC_TREND_FORECAST_POINTS, CRect(130, 42, 220, 62), ""},
            {Kind::Spin, IDC_TREND_FORECAST_POINTS_SPIN, CRect(220, 42, 236, 62), "",
             IDC_TREND_FORECAST_POINTS},
            {Kind::PushButton, IDOK, CRect(90, 84, 170, 110), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(175, 84, 250, 110), "Cancel"},
        };
        RegisterDialogTemplate(trend);
        DialogTemplate page;
        page.id = IDD_CHART_PAGE;
        page.caption = "Chart Properties";
        page.size = CSize(420, 400);
        // The sheet grows the tab control to its largest tab.
        page.controls = {
            {Kind::Tab, IDC_CHART_PAGE_TABS, CRect(0, 0, 420, 400), ""},
        };
        RegisterDialogTemplate(page);

        DialogTemplate chart;
        chart.id = IDD_CHART;
        chart.caption = "Chart";
        chart.size = CSize(400, 300);
        chart.controls = {
            {Kind::Static, IDC_STATIC, CRect(10, 12, 110, 30), "Background:"},
            {Kind::Custom, IDC_CHART_BACKGROUND_COLOUR, CRect(120, 8, 200, 32), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 44, 110, 62), "Frame:"},
            {Kind::Custom, IDC_CHART_FRAME_COLOUR, CRect(120, 40, 200, 64), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 76, 110, 94), "Plot area:"},
            {Kind::Custom, IDC_CHART_PLOT_COLOUR, CRect(120, 72, 200, 96), ""},
            {Kind::CheckBox, IDC_CHART_SHOW_LEGEND, CRect(220, 10, 390, 30), "Show legend"},
            {Kind::DropDownList, IDC_CHART_LEGEND_POSITION, CRect(240, 38, 390, 62), ""},
            {Kind::CheckBox, IDC_CHART_DOUBLE_BUFFER, CRect(220, 72, 390, 92), "Double buffering"},
            {Kind::CheckBox, IDC_CHART_SNAP_CURSOR, CRect(220, 102, 390, 122), "Snap cursor"},
            {Kind::Static, IDC_STATIC, CRect(240, 132, 334, 150), "Snap distance:"},
            {Kind::Edit, IDC_CHART_SNAP_DISTANCE, CRect(336, 130, 374, 150), ""},
            {Kind::Spin, IDC_CHART_SNAP_DISTANCE_SPIN, CRect(374, 130, 390, 150), "",
             IDC_CHART_SNAP_DISTANCE},
            {Kind::Static, IDC_STATIC, CRect(10, 168, 80, 186), "Series:"},
            {Kind::DropDownList, IDC_CHART_SERIES, CRect(90, 164, 390, 188), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 200, 80, 218), "X axis:"},
            {Kind::DropDownList, IDC_CHART_X_AXIS, CRect(90, 196, 390, 220), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 232, 80, 250), "Y axis:"},
            {Kind::DropDownList, IDC_CHART_Y_AXIS, CRect(90, 228, 390, 252), ""},
            {Kind::PushButton, IDOK, CRect(140, 266, 220, 292), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(225, 266, 305, 292), "Cancel"},
            {Kind::PushButton, IDC_APPLY, CRect(310, 266, 390, 292), "Apply"},
        };
        RegisterDialogTemplate(chart);

        DialogTemplate label;
        label.id = IDD_LABEL;
        label.caption = "Label";
        label.size = CSize(330, 200);
        label.controls = {
            {Kind::CheckBox, IDC_LABEL_BORDER, CRect(10, 10, 150, 30), "Border"},
            {Kind::CheckBox, IDC_LABEL_TRANSPARENT, CRect(170, 10, 320, 30), "Transparent"},
            {Kind::Static, IDC_STATIC, CRect(10, 44, 100, 62), "Fill colour:"},
            {Kind::Custom, IDC_LABEL_FILL_COLOUR, CRect(110, 40, 190, 64), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 76, 100, 94), "Alignment:"},
            {Kind::DropDownList, IDC_LABEL_ALIGNMENT, CRect(110, 72, 320, 96), ""},
            {Kind::Static, IDC_STATIC, CRect(10, 108, 100, 126), "Series:"},
            {Kind::DropDownList, IDC_LABEL_SERIES, CRect(110, 104, 320, 128), ""},
            {Kind::PushButton, IDC_LABEL_FONT, CRect(200, 40, 320, 64), "Font..."},
            {Kind::PushButton, IDOK, CRect(70, 164, 150, 190), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(155, 164, 235, 190), "Cancel"},
            {Kind::PushButton, IDC_APPLY, CRect(240, 164, 320, 190), "Apply"},
        };
        RegisterDialogTemplate(label);

        RegisterAxisDialogTemplate();
        RegisterCurveDialogTemplate();
        return true;
    }();
    (void)registered;
}

} // namespace Resources
