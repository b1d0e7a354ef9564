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
        RegisterAxisDialogTemplate();
        RegisterCurveDialogTemplate();
        return true;
    }();
    (void)registered;
}

} // namespace Resources
