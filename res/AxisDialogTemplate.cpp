#include "ChartDialogTemplates.h"

#include "CDialog.h"
#include "DialogControlIds.h"

namespace Resources {

// The Axis tab: what the axis shows on the left, its look on the right, the
// numeric range beside the date-time range, the sizes below.
void RegisterAxisDialogTemplate()
{
    using Kind = DialogControlKind;
    DialogTemplate axis;
    axis.id = IDD_AXIS;
    axis.caption = "Axis";
    axis.size = CSize(520, 392);
    axis.controls = {
        // What the axis shows.
        {Kind::Static, IDC_STATIC, CRect(10, 12, 80, 30), "Title:"},
        {Kind::Edit, IDC_AXIS_TITLE, CRect(85, 10, 250, 30), ""},
        {Kind::CheckBox, IDC_AXIS_VISIBLE, CRect(10, 40, 125, 60), "Visible"},
        {Kind::CheckBox, IDC_AXIS_AUTO_SCALE, CRect(130, 40, 250, 60), "Auto scale"},
        {Kind::CheckBox, IDC_AXIS_DATE_TIME, CRect(10, 64, 125, 84), "Date/time"},
        {Kind::CheckBox, IDC_AXIS_GRID, CRect(130, 64, 250, 84), "Grid"},
        {Kind::CheckBox, IDC_AXIS_SHOW_SYMBOLS, CRect(10, 88, 250, 108), "Show symbols"},

        // Its look.
        {Kind::Static, IDC_STATIC, CRect(270, 14, 350, 32), "Colour:"},
        {Kind::Custom, IDC_AXIS_COLOUR, CRect(355, 10, 450, 34), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 42, 350, 60), "Grid colour:"},
        {Kind::Custom, IDC_AXIS_GRID_COLOUR, CRect(355, 38, 450, 62), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 70, 350, 88), "Grid style:"},
        {Kind::OwnerDrawList, IDC_AXIS_GRID_STYLE, CRect(355, 66, 510, 90), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 98, 350, 116), "Placement:"},
        {Kind::DropDownList, IDC_AXIS_PLACEMENT, CRect(355, 94, 510, 118), ""},

        // The numeric range.
        {Kind::Static, IDC_STATIC, CRect(10, 134, 250, 152), "Numeric range"},
        {Kind::Static, IDC_STATIC, CRect(10, 162, 80, 180), "Minimum:"},
        {Kind::Edit, IDC_AXIS_MINIMUM, CRect(85, 160, 250, 180), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 188, 80, 206), "Maximum:"},
        {Kind::Edit, IDC_AXIS_MAXIMUM, CRect(85, 186, 250, 206), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 214, 80, 232), "Step:"},
        {Kind::Edit, IDC_AXIS_STEP, CRect(85, 212, 250, 232), ""},
        {Kind::Static, IDC_STATIC, CRect(10, 240, 80, 258), "Decimals:"},
        {Kind::Edit, IDC_AXIS_DECIMALS, CRect(85, 238, 140, 258), ""},
        {Kind::Spin, IDC_AXIS_DECIMALS_SPIN, CRect(140, 238, 156, 258), "", IDC_AXIS_DECIMALS},

        // The date-time range.
        {Kind::Static, IDC_STATIC, CRect(270, 134, 510, 152), "Date/time range"},
        {Kind::Static, IDC_STATIC, CRect(270, 162, 325, 180), "From:"},
        {Kind::DatePicker, IDC_AXIS_FROM_DATE, CRect(330, 160, 425, 180), ""},
        {Kind::TimePicker, IDC_AXIS_FROM_TIME, CRect(430, 160, 510, 180), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 188, 325, 206), "To:"},
        {Kind::DatePicker, IDC_AXIS_TO_DATE, CRect(330, 186, 425, 206), ""},
        {Kind::TimePicker, IDC_AXIS_TO_TIME, CRect(430, 186, 510, 206), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 214, 325, 232), "Step:"},
        {Kind::Edit, IDC_AXIS_STEP_COUNT, CRect(330, 212, 400, 232), ""},
        {Kind::DropDownList, IDC_AXIS_STEP_UNIT, CRect(405, 210, 510, 234), ""},
        {Kind::Static, IDC_STATIC, CRect(270, 240, 325, 258), "Format:"},
        {Kind::Edit, IDC_AXIS_DATE_TIME_FORMAT, CRect(330, 238, 510, 258), ""},

        // Sizes and fonts.
        {Kind::Static, IDC_STATIC, CRect(10, 276, 100, 294), "Tick length:"},
        {Kind::Edit, IDC_AXIS_TICK_LENGTH, CRect(105, 274, 155, 294), ""},
        {Kind::Spin, IDC_AXIS_TICK_LENGTH_SPIN, CRect(155, 274, 171, 294), "",
         IDC_AXIS_TICK_LENGTH},
        {Kind::Static, IDC_STATIC, CRect(10, 302, 100, 320), "Label gap:"},
        {Kind::Edit, IDC_AXIS_LABEL_GAP, CRect(105, 300, 155, 320), ""},
        {Kind::Spin, IDC_AXIS_LABEL_GAP_SPIN, CRect(155, 300, 171, 320), "", IDC_AXIS_LABEL_GAP},
        {Kind::Static, IDC_STATIC, CRect(10, 328, 100, 346), "Symbol size:"},
        {Kind::Edit, IDC_AXIS_SYMBOL_SIZE, CRect(105, 326, 155, 346), ""},
        {Kind::Spin, IDC_AXIS_SYMBOL_SIZE_SPIN, CRect(155, 326, 171, 346), "",
         IDC_AXIS_SYMBOL_SIZE},
        {Kind::PushButton, IDC_AXIS_LABEL_FONT, CRect(270, 272, 390, 298), "Label font..."},
        {Kind::PushButton, IDC_AXIS_TITLE_FONT, CRect(395, 272, 510, 298), "Title font..."},

        {Kind::PushButton, IDOK, CRect(260, 358, 340, 384), "OK"},
        {Kind::PushButton, IDCANCEL, CRect(345, 358, 425, 384), "Cancel"},
        {Kind::PushButton, IDC_APPLY, CRect(430, 358, 510, 384), "Apply"},
    };
    RegisterDialogTemplate(axis);
}

} // namespace Resources
