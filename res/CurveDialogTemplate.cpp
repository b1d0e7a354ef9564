#include "ChartDialogTemplates.h"

#include "CDialog.h"
#include "DialogControlIds.h"

namespace Resources {

void RegisterCurveDialogTemplate()
{
    using Kind = DialogControlKind;
    DialogTemplate curve;
    curve.id = IDD_CURVE;
    curve.caption = "Curve";
    curve.size = CSize(470, 340);
    curve.controls = {
        // The line.
        {Kind::Static, IDC_STATIC, CRect(10, 12, 88, 30), "Name:"},
        {Kind::Edit, IDC_CURVE_NAME, CRect(92, 10, 210, 30), ""},
        {Kind::CheckBox, IDC_CURVE_VISIBLE, CRect(10, 40, 100, 58), "Visible"},
        {Kind::Static, IDC_STATIC, CRect(110, 40, 155, 58), "Colour:"},
        {Kind::Custom, IDC_CURVE_COLOUR, CRect(160, 36, 210, 60), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 72, 88, 90), "Draw mode:"},
        {Kind::DropDownList, IDC_CURVE_DRAW_MODE, CRect(92, 70, 210, 92), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 104, 88, 122), "Line width:"},
        {Kind::Edit, IDC_CURVE_LINE_WIDTH, CRect(92, 102, 194, 122), ""},
        {Kind::Spin, IDC_CURVE_LINE_WIDTH_SPIN, CRect(194, 102, 210, 122), "",
         IDC_CURVE_LINE_WIDTH},
        {Kind::Static, IDC_STATIC, CRect(10, 134, 88, 152), "Line style:"},
        {Kind::OwnerDrawList, IDC_CURVE_LINE_STYLE, CRect(92, 132, 210, 154), ""},
        // The symbols along the curve.
        {Kind::CheckBox, IDC_CURVE_SHOW_SYMBOLS, CRect(10, 168, 210, 186), "Show symbols on curve"},
        {Kind::RadioButton, IDC_CURVE_SYMBOL_NUMBERED, CRect(25, 192, 210, 210), "Numbered square"},
        {Kind::RadioButton, IDC_CURVE_SYMBOL_CUSTOM, CRect(25, 216, 103, 234), "Symbol:"},
        {Kind::OwnerDrawList, IDC_CURVE_SYMBOL_LIST, CRect(106, 214, 210, 236), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 248, 88, 266), "Symbol size:"},
        {Kind::Edit, IDC_CURVE_SYMBOL_SIZE, CRect(92, 246, 194, 266), ""},
        {Kind::Spin, IDC_CURVE_SYMBOL_SIZE_SPIN, CRect(194, 246, 210, 266), "",
         IDC_CURVE_SYMBOL_SIZE},
        // The fill.
        {Kind::CheckBox, IDC_CURVE_FILL, CRect(230, 10, 460, 28), "Fill"},
        {Kind::RadioButton, IDC_CURVE_FILL_HORIZONTAL, CRect(245, 32, 335, 50), "Horizontal"},
        {Kind::RadioButton, IDC_CURVE_FILL_VERTICAL, CRect(340, 32, 460, 50), "Vertical"},
        // Hatch style 2 falls from left to right, style 3 rises.
        {Kind::RadioButton, IDC_CURVE_FILL_FALLING_DIAGONAL, CRect(245, 54, 335, 72),
         "Diagonal \\"},
        {Kind::RadioButton, IDC_CURVE_FILL_RISING_DIAGONAL, CRect(340, 54, 460, 72), "Diagonal /"},
        {Kind::RadioButton, IDC_CURVE_FILL_CROSS, CRect(245, 76, 335, 94), "Cross"},
        {Kind::RadioButton, IDC_CURVE_FILL_DIAGONAL_CROSS, CRect(340, 76, 460, 94),
         "Diagonal cross"},
        {Kind::RadioButton, IDC_CURVE_FILL_SOLID, CRect(245, 98, 335, 116), "Solid"},
        {Kind::CheckBox, IDC_CURVE_TRANSPARENT_FILL, CRect(230, 122, 460, 140), "Transparent fill"},
        {Kind::Static, IDC_STATIC, CRect(230, 148, 290, 166), "Fill to:"},
        {Kind::DropDownList, IDC_CURVE_FILL_TO, CRect(295, 146, 460, 168), ""},
        // Curves derived from this one.
        {Kind::PushButton, IDC_CURVE_ADD_MOVING_AVERAGE, CRect(230, 184, 460, 208),
         "Add Moving Average..."},
        {Kind::PushButton, IDC_CURVE_ADD_LINEAR_TREND, CRect(230, 212, 460, 236),
         "Add Linear Trend..."},
        {Kind::PushButton, IDC_CURVE_ADD_CUBIC_TREND, CRect(230, 240, 460, 264),
         "Add Cubic Trend..."},
        {Kind::PushButton, IDC_CURVE_ADD_POLYNOMIAL_TREND, CRect(230, 268, 460, 292),
         "Add Polynomial Trend..."},
        {Kind::PushButton, IDOK, CRect(220, 306, 295, 332), "OK"},
        {Kind::PushButton, IDCANCEL, CRect(302, 306, 377, 332), "Cancel"},
        {Kind::PushButton, IDC_APPLY, CRect(385, 306, 460, 332), "Apply"},
    };
    RegisterDialogTemplate(curve);
}

} // namespace Resources
