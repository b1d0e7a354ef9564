#include "ChartDialogTemplates.h"

#include "CDialog.h"

namespace Resources {

// The Axis tab: what the axis shows on the left, its look on the right, the
// numeric range beside the date-time range, the sizes below.
void RegisterAxisDialogTemplate()
{
    using Kind = DialogControlKind;
    constexpr UINT kStatic = 0xFFFF;
    DialogTemplate axis;
    axis.id = IDD_AXIS;
    axis.caption = "Axis";
    axis.size = CSize(520, 392);
    axis.controls = {
        // What the axis shows.
        {Kind::Static, kStatic, CRect(10, 12, 80, 30), "Title:"},
        {Kind::Edit, 6010, CRect(85, 10, 250, 30), ""},
        {Kind::CheckBox, 6009, CRect(10, 40, 125, 60), "Visible"},
        {Kind::CheckBox, 6039, CRect(130, 40, 250, 60), "Auto scale"},
        {Kind::CheckBox, 6015, CRect(10, 64, 125, 84), "Date/time"},
        {Kind::CheckBox, 6014, CRect(130, 64, 250, 84), "Grid"},
        {Kind::CheckBox, 6058, CRect(10, 88, 250, 108), "Show symbols"},

        // Its look.
        {Kind::Static, kStatic, CRect(270, 14, 350, 32), "Colour:"},
        {Kind::Custom, 6007, CRect(355, 10, 450, 34), ""},
        {Kind::Static, kStatic, CRect(270, 42, 350, 60), "Grid colour:"},
        {Kind::Custom, 6033, CRect(355, 38, 450, 62), ""},
        {Kind::Static, kStatic, CRect(270, 70, 350, 88), "Grid style:"},
        {Kind::OwnerDrawList, 6072, CRect(355, 66, 510, 90), ""},
        {Kind::Static, kStatic, CRect(270, 98, 350, 116), "Placement:"},
        {Kind::DropDownList, 6077, CRect(355, 94, 510, 118), ""},

        // The numeric range.
        {Kind::Static, kStatic, CRect(10, 134, 250, 152), "Numeric range"},
        {Kind::Static, kStatic, CRect(10, 162, 80, 180), "Minimum:"},
        {Kind::Edit, 6040, CRect(85, 160, 250, 180), ""},
        {Kind::Static, kStatic, CRect(10, 188, 80, 206), "Maximum:"},
        {Kind::Edit, 6013, CRect(85, 186, 250, 206), ""},
        {Kind::Static, kStatic, CRect(10, 214, 80, 232), "Step:"},
        {Kind::Edit, 6024, CRect(85, 212, 250, 232), ""},
        {Kind::Static, kStatic, CRect(10, 240, 80, 258), "Decimals:"},
        {Kind::Edit, 6016, CRect(85, 238, 140, 258), ""},
        {Kind::Spin, 6017, CRect(140, 238, 156, 258), "", 6016},

        // The date-time range.
        {Kind::Static, kStatic, CRect(270, 134, 510, 152), "Date/time range"},
        {Kind::Static, kStatic, CRect(270, 162, 325, 180), "From:"},
        {Kind::DatePicker, 6025, CRect(330, 160, 425, 180), ""},
        {Kind::TimePicker, 6026, CRect(430, 160, 510, 180), ""},
        {Kind::Static, kStatic, CRect(270, 188, 325, 206), "To:"},
        {Kind::DatePicker, 6029, CRect(330, 186, 425, 206), ""},
        {Kind::TimePicker, 6030, CRect(430, 186, 510, 206), ""},
        {Kind::Static, kStatic, CRect(270, 214, 325, 232), "Step:"},
        {Kind::Edit, 6081, CRect(330, 212, 400, 232), ""},
        {Kind::DropDownList, 6083, CRect(405, 210, 510, 234), ""},
        {Kind::Static, kStatic, CRect(270, 240, 325, 258), "Format:"},
        {Kind::Edit, 6046, CRect(330, 238, 510, 258), ""},

        // Sizes and fonts.
        {Kind::Static, kStatic, CRect(10, 276, 100, 294), "Tick length:"},
        {Kind::Edit, 6018, CRect(105, 274, 155, 294), ""},
        {Kind::Spin, 6019, CRect(155, 274, 171, 294), "", 6018},
        {Kind::Static, kStatic, CRect(10, 302, 100, 320), "Label gap:"},
        {Kind::Edit, 6020, CRect(105, 300, 155, 320), ""},
        {Kind::Spin, 6021, CRect(155, 300, 171, 320), "", 6020},
        {Kind::Static, kStatic, CRect(10, 328, 100, 346), "Symbol size:"},
        {Kind::Edit, 6022, CRect(105, 326, 155, 346), ""},
        {Kind::Spin, 6023, CRect(155, 326, 171, 346), "", 6022},
        {Kind::PushButton, 6001, CRect(270, 272, 390, 298), "Label font..."},
        {Kind::PushButton, 6002, CRect(395, 272, 510, 298), "Title font..."},

        {Kind::PushButton, IDOK, CRect(260, 358, 340, 384), "OK"},
        {Kind::PushButton, IDCANCEL, CRect(345, 358, 425, 384), "Cancel"},
        {Kind::PushButton, 5002, CRect(430, 358, 510, 384), "Apply"},
    };
    RegisterDialogTemplate(axis);
}

} // namespace Resources
