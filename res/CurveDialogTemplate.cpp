#include "ChartDialogTemplates.h"

#include "CDialog.h"

namespace Resources {

void RegisterCurveDialogTemplate()
{
    using Kind = DialogControlKind;
    constexpr UINT kCaption = 0xFFFF;
    DialogTemplate curve;
    curve.id = IDD_CURVE;
    curve.caption = "Curve";
    curve.size = CSize(470, 340);
    curve.controls = {
        // The line.
        {Kind::Static, kCaption, CRect(10, 12, 88, 30), "Name:"},
        {Kind::Edit, 6010, CRect(92, 10, 210, 30), ""},
        {Kind::CheckBox, 6009, CRect(10, 40, 100, 58), "Visible"},
        {Kind::Static, kCaption, CRect(110, 40, 155, 58), "Colour:"},
        {Kind::Custom, 6007, CRect(160, 36, 210, 60), ""},
        {Kind::Static, kCaption, CRect(10, 72, 88, 90), "Draw mode:"},
        {Kind::DropDownList, 6034, CRect(92, 70, 210, 92), ""},
        {Kind::Static, kCaption, CRect(10, 104, 88, 122), "Line width:"},
        {Kind::Edit, 6035, CRect(92, 102, 194, 122), ""},
        {Kind::Spin, 6006, CRect(194, 102, 210, 122), "", 6035},
        {Kind::Static, kCaption, CRect(10, 134, 88, 152), "Line style:"},
        {Kind::OwnerDrawList, 6008, CRect(92, 132, 210, 154), ""},
        // The symbols along the curve.
        {Kind::CheckBox, 6038, CRect(10, 168, 210, 186), "Show symbols on curve"},
        {Kind::RadioButton, 6062, CRect(25, 192, 210, 210), "Numbered square"},
        {Kind::RadioButton, 6059, CRect(25, 216, 103, 234), "Symbol:"},
        {Kind::OwnerDrawList, 6060, CRect(106, 214, 210, 236), ""},
        {Kind::Static, kCaption, CRect(10, 248, 88, 266), "Symbol size:"},
        {Kind::Edit, 6022, CRect(92, 246, 194, 266), ""},
        {Kind::Spin, 6023, CRect(194, 246, 210, 266), "", 6022},
        // The fill.
        {Kind::CheckBox, 6011, CRect(230, 10, 460, 28), "Fill"},
        {Kind::RadioButton, 6045, CRect(245, 32, 335, 50), "Horizontal"},
        {Kind::RadioButton, 6027, CRect(340, 32, 460, 50), "Vertical"},
        // Hatch style 2 falls from left to right, style 3 rises.
        {Kind::RadioButton, 6028, CRect(245, 54, 335, 72), "Diagonal \\"},
        {Kind::RadioButton, 6042, CRect(340, 54, 460, 72), "Diagonal /"},
        {Kind::RadioButton, 6043, CRect(245, 76, 335, 94), "Cross"},
        {Kind::RadioButton, 6031, CRect(340, 76, 460, 94), "Diagonal cross"},
        {Kind::RadioButton, 6032, CRect(245, 98, 335, 116), "Solid"},
        {Kind::CheckBox, 6012, CRect(230, 122, 460, 140), "Transparent fill"},
        {Kind::Static, kCaption, CRect(230, 148, 290, 166), "Fill to:"},
        {Kind::DropDownList, 6085, CRect(295, 146, 460, 168), ""},
        // Curves derived from this one.
        {Kind::PushButton, 6065, CRect(230, 184, 460, 208), "Add Moving Average..."},
        {Kind::PushButton, 6066, CRect(230, 212, 460, 236), "Add Linear Trend..."},
        {Kind::PushButton, 6067, CRect(230, 240, 460, 264), "Add Cubic Trend..."},
        {Kind::PushButton, 6080, CRect(230, 268, 460, 292), "Add Polynomial Trend..."},
        {Kind::PushButton, IDOK, CRect(220, 306, 295, 332), "OK"},
        {Kind::PushButton, IDCANCEL, CRect(302, 306, 377, 332), "Cancel"},
        {Kind::PushButton, 5002, CRect(385, 306, 460, 332), "Apply"},
    };
    RegisterDialogTemplate(curve);
}

} // namespace Resources
