#include "ChartDialogTemplates.h"

#include "CDialog.h"

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
            {Kind::Static, 0xFFFF, CRect(10, 12, 90, 30), "Kind:"},
            {Kind::DropDownList, 6034, CRect(100, 10, 250, 32), ""},
            {Kind::Static, 0xFFFF, CRect(10, 44, 90, 62), "Points:"},
            {Kind::Edit, 6063, CRect(100, 42, 220, 62), ""},
            {Kind::Spin, 6064, CRect(220, 42, 236, 62), "", 6063},
            {Kind::PushButton, IDOK, CRect(90, 84, 170, 110), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(175, 84, 250, 110), "Cancel"},
        };
        RegisterDialogTemplate(average);

        DialogTemplate trend;
        trend.id = IDD_TREND;
        trend.caption = "Trend";
        trend.size = CSize(260, 120);
        trend.controls = {
            {Kind::Static, 0xFFFF, CRect(10, 12, 120, 30), "Coefficients:"},
            {Kind::Edit, 6082, CRect(130, 10, 220, 30), ""},
            {Kind::Spin, 6084, CRect(220, 10, 236, 30), "", 6082},
            {Kind::Static, 0xFFFF, CRect(10, 44, 120, 62), "Forecast points:"},
            {Kind::Edit, 6079, CRect(130, 42, 220, 62), ""},
            {Kind::Spin, 6069, CRect(220, 42, 236, 62), "", 6079},
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
            {Kind::Tab, 6073, CRect(0, 0, 420, 400), ""},
        };
        RegisterDialogTemplate(page);

        DialogTemplate chart;
        chart.id = IDD_CHART;
        chart.caption = "Chart";
        chart.size = CSize(400, 300);
        chart.controls = {
            {Kind::Static, 0xFFFF, CRect(10, 12, 110, 30), "Background:"},
            {Kind::Custom, 6047, CRect(120, 8, 200, 32), ""},
            {Kind::Static, 0xFFFF, CRect(10, 44, 110, 62), "Frame:"},
            {Kind::Custom, 6048, CRect(120, 40, 200, 64), ""},
            {Kind::Static, 0xFFFF, CRect(10, 76, 110, 94), "Plot area:"},
            {Kind::Custom, 6049, CRect(120, 72, 200, 96), ""},
            {Kind::CheckBox, 6050, CRect(220, 10, 390, 30), "Show legend"},
            {Kind::DropDownList, 6051, CRect(240, 38, 390, 62), ""},
            {Kind::CheckBox, 6052, CRect(220, 72, 390, 92), "Double buffering"},
            {Kind::CheckBox, 6076, CRect(220, 102, 390, 122), "Snap cursor"},
            {Kind::Static, 0xFFFF, CRect(240, 132, 334, 150), "Snap distance:"},
            {Kind::Edit, 6075, CRect(336, 130, 374, 150), ""},
            {Kind::Spin, 6074, CRect(374, 130, 390, 150), "", 6075},
            {Kind::Static, 0xFFFF, CRect(10, 168, 80, 186), "Series:"},
            {Kind::DropDownList, 6057, CRect(90, 164, 390, 188), ""},
            {Kind::Static, 0xFFFF, CRect(10, 200, 80, 218), "X axis:"},
            {Kind::DropDownList, 6055, CRect(90, 196, 390, 220), ""},
            {Kind::Static, 0xFFFF, CRect(10, 232, 80, 250), "Y axis:"},
            {Kind::DropDownList, 6070, CRect(90, 228, 390, 252), ""},
            {Kind::PushButton, IDOK, CRect(140, 266, 220, 292), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(225, 266, 305, 292), "Cancel"},
            {Kind::PushButton, 5002, CRect(310, 266, 390, 292), "Apply"},
        };
        RegisterDialogTemplate(chart);

        DialogTemplate label;
        label.id = IDD_LABEL;
        label.caption = "Label";
        label.size = CSize(330, 200);
        label.controls = {
            {Kind::CheckBox, 6054, CRect(10, 10, 150, 30), "Border"},
            {Kind::CheckBox, 6078, CRect(170, 10, 320, 30), "Transparent"},
            {Kind::Static, 0xFFFF, CRect(10, 44, 100, 62), "Fill colour:"},
            {Kind::Custom, 6007, CRect(110, 40, 190, 64), ""},
            {Kind::Static, 0xFFFF, CRect(10, 76, 100, 94), "Alignment:"},
            {Kind::DropDownList, 6056, CRect(110, 72, 320, 96), ""},
            {Kind::Static, 0xFFFF, CRect(10, 108, 100, 126), "Series:"},
            {Kind::DropDownList, 6071, CRect(110, 104, 320, 128), ""},
            {Kind::PushButton, 6068, CRect(200, 40, 320, 64), "Font..."},
            {Kind::PushButton, IDOK, CRect(70, 164, 150, 190), "OK"},
            {Kind::PushButton, IDCANCEL, CRect(155, 164, 235, 190), "Cancel"},
            {Kind::PushButton, 5002, CRect(240, 164, 320, 190), "Apply"},
        };
        RegisterDialogTemplate(label);

        RegisterAxisDialogTemplate();
        RegisterCurveDialogTemplate();
        return true;
    }();
    (void)registered;
}

} // namespace Resources
