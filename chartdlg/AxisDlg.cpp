#include "AxisDlg.h"

#include "CDC.h"
#include "ChartDialogTemplates.h"
#include "DialogControlIds.h"
#include "XGraph.h"
#include "XGraphAxis.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400.0;
// The lengths of the step units of the unit list, in seconds.
constexpr long long kUnitSeconds[] = {1, 60, 3600, 86400};
constexpr int kSecondsUnit = 0;
constexpr int kHoursUnit = 2;
constexpr int kDaysUnit = 3;
constexpr int kMaxStepCount = 22118400;
constexpr int kMaxDecimals = 6;

// The grid style entries: a line in the pen style 6 pixels below the top.
constexpr int kStyleEntryHeight = 16;

// What a numeric axis offers when the user turns date-time on, so that the
// labels do not come out empty.
const char* const kDefaultDateTimeFormat = "%H:%M:%S";

// A step in days as whole seconds (rounded half away from zero), told as a
// count of the largest unit it is a multiple of and exceeds.
void StepAsCountAndUnit(double stepDays, int& count, int& unit)
{
    const double raw = stepDays * kSecondsPerDay;
    // A step that is no number or far too large shows as 0 seconds, which
    // the count's range check refuses.
    const long long seconds = std::isfinite(raw) && std::fabs(raw) < 1e15 ? std::llround(raw) : 0;
    unit = kSecondsUnit;
    for (int candidate = kDaysUnit; candidate > kSecondsUnit; --candidate) {
        const long long length = kUnitSeconds[candidate];
        if (seconds > length && seconds % length == 0) {
            unit = candidate;
            break;
        }
    }
    count = static_cast<int>(std::clamp<long long>(seconds / kUnitSeconds[unit], INT_MIN, INT_MAX));
}

double StepInDays(int count, int unit)
{
    const int index = std::clamp(unit, kSecondsUnit, kDaysUnit);
    return static_cast<double>(count) * static_cast<double>(kUnitSeconds[index]) / kSecondsPerDay;
}

// A date-time format as it is typed: each line break as backslash-n.
CString LineBreaksAsEscapes(const CString& format)
{
    std::u16string typed;
    for (char16_t each : format.Text()) {
        if (each == u'\n')
            typed += u"\\n";
        else
            typed += each;
    }
    return CString(std::move(typed));
}

CString EscapesAsLineBreaks(const CString& typed)
{
    const std::u16string& text = typed.Text();
    std::u16string format;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
            format += u'\n';
            ++i;
        } else {
            format += text[i];
        }
    }
    return CString(std::move(format));
}

// The decimals of a numeric display format: the number after its first
// ".", or the default 1 when it has none.
int DecimalsOf(const CString& format)
{
    const std::u16string& text = format.Text();
    const std::size_t dot = text.find(u'.');
    if (dot == std::u16string::npos)
        return 1;
    int decimals = 0;
    for (std::size_t i = dot + 1; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        // Capped: anything past the allowed range is refused on Apply anyway.
        decimals = std::min(decimals * 10 + (text[i] - u'0'), 1000);
    return decimals;
}

// Exponent labels for values that fixed-point labels of width 5 would show
// as a long row of digits or as zero.
bool NeedsExponent(double value)
{
    const double magnitude = std::fabs(value);
    return magnitude > 1e6 || (magnitude > 0.0 && magnitude < 1e-6);
}

CString NumericFormat(int decimals, double minimum, double maximum)
{
    if (NeedsExponent(minimum) || NeedsExponent(maximum))
        return CString::Formatted("%%5.%de", decimals);
    return CString::Formatted("%%5.%df", decimals);
}

// The date of one picker with the time of day of the other.
double CombineDateAndTime(const COleDateTime& date, const COleDateTime& time)
{
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), time.GetHour(),
                        time.GetMinute(), time.GetSecond());
}

void DDX_Picker(CDataExchange* pDX, UINT id, COleDateTime& value)
{
    pDX->m_idLastControl = id;
    CDialogItem* picker = pDX->m_pDlgWnd->GetDlgItem(id);
    if (picker == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = picker->GetTime();
    else
        picker->SetTime(value);
}

// SetViewRange refuses a minimum above the maximum: tell the user rather
// than leave the range silently as it was.
void DDV_RangeInOrder(CDataExchange* pDX, double minimum, double maximum)
{
    if (!pDX->m_bSaveAndValidate || minimum <= maximum)
        return;
    AfxMessageBox("Please enter a minimum that is not greater than the maximum.",
                  MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_StepNotNegative(CDataExchange* pDX, double step)
{
    if (!pDX->m_bSaveAndValidate || step >= 0.0)
        return;
    AfxMessageBox("Please enter a step of 0 (estimated) or more.", MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

CAxisDlg::CAxisDlg(CWnd* parent) : CChartObjectDlg(Resources::IDD_AXIS, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CAxisDlg";
}

BOOL CAxisDlg::OnInitDialog()
{
    // The texts of the lists; the grid styles are drawn, their names only
    // name the entries.
    for (const char* unit : {"seconds", "minutes", "hours", "days"})
        GetDlgItem(IDC_AXIS_STEP_UNIT)->AddString(unit);
    for (const char* placement : {"left", "right", "automatic"})
        GetDlgItem(IDC_AXIS_PLACEMENT)->AddString(placement);
    for (const char* style : {"solid", "dash", "dot", "dash-dot", "dash-dot-dot"})
        GetDlgItem(IDC_AXIS_GRID_STYLE)->AddString(style);
    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    m_colourButton.Create(buttonStyle, GetTemplateRect(IDC_AXIS_COLOUR), this, IDC_AXIS_COLOUR);
    m_gridColourButton.Create(buttonStyle, GetTemplateRect(IDC_AXIS_GRID_COLOUR), this,
                              IDC_AXIS_GRID_COLOUR);
    // Does what the base's loading does (controls filled as changes of
    // nobody, apply disabled), with the axis read first.
    LoadFromAxis();
    return TRUE;
}

void CAxisDlg::LoadFromAxis()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_pAxis != nullptr)
        ReadAxis();
    m_loading = true;
    GetDlgItem(IDC_AXIS_DECIMALS_SPIN)->SetRange32(0, kMaxDecimals);
    GetDlgItem(IDC_AXIS_TICK_LENGTH_SPIN)->SetRange32(1, 10);
    GetDlgItem(IDC_AXIS_LABEL_GAP_SPIN)->SetRange32(1, 10);
    GetDlgItem(IDC_AXIS_SYMBOL_SIZE_SPIN)->SetRange32(1, 20);
    UpdateData(FALSE);
    m_loading = false;
    UpdateEnabling();
    EnableApply(false);
}

void CAxisDlg::ReadAxis()
{
    const CXGraphAxis& axis = *m_pAxis;
    m_title = axis.m_title;
    m_visible = axis.m_visible ? 1 : 0;
    m_autoScale = axis.m_autoScale ? 1 : 0;
    m_dateTime = axis.m_dateTime ? 1 : 0;
    m_grid = axis.m_grid ? 1 : 0;
    m_showSymbols = axis.m_showSymbols ? 1 : 0;
    m_viewMin = axis.m_viewMin;
    m_viewMax = axis.m_viewMax;
    m_step = axis.m_step;
    m_colour = axis.m_colour;
    m_gridColour = axis.m_gridColour;
    m_tickLength = axis.m_tickLength;
    m_labelGap = axis.m_labelGap;
    m_symbolSize = axis.m_symbolSize;
    m_gridStyle = axis.m_gridStyle;
    m_placement = axis.m_placement;
    if (axis.m_dateTime) {
        m_dateTimeFormat = LineBreaksAsEscapes(axis.m_displayFormat);
        m_decimals = 1;
        StepAsCountAndUnit(axis.m_step, m_stepCount, m_stepUnit);
        m_minDate = m_minTime = COleDateTime(axis.m_viewMin);
        m_maxDate = m_maxTime = COleDateTime(axis.m_viewMax);
    } else {
        m_dateTimeFormat = kDefaultDateTimeFormat;
        m_decimals = DecimalsOf(axis.m_displayFormat);
        m_stepCount = 1;
        m_stepUnit = kHoursUnit;
        const COleDateTime now = COleDateTime::GetCurrentTime();
        m_minDate = m_minTime = m_maxDate = m_maxTime = now;
    }
}

void CAxisDlg::DoDataExchange(CDataExchange* pDX)
{
    const bool saving = pDX->m_bSaveAndValidate != FALSE;
    DDX_Text(pDX, IDC_AXIS_TITLE, m_title);
    DDX_Check(pDX, IDC_AXIS_VISIBLE, m_visible);
    DDX_Check(pDX, IDC_AXIS_AUTO_SCALE, m_autoScale);
    DDX_Check(pDX, IDC_AXIS_DATE_TIME, m_dateTime);
    DDX_Check(pDX, IDC_AXIS_GRID, m_grid);
    DDX_Check(pDX, IDC_AXIS_SHOW_SYMBOLS, m_showSymbols);

    // Every field is loaded; a field the check boxes leave disabled is
    // neither taken nor validated, as its value is not written and the user
    // could not correct it.
    if (!saving || (m_autoScale == 0 && m_dateTime == 0)) {
        DDX_Text(pDX, IDC_AXIS_MINIMUM, m_viewMin);
        DDX_Text(pDX, IDC_AXIS_MAXIMUM, m_viewMax);
        DDV_RangeInOrder(pDX, m_viewMin, m_viewMax);
        DDX_Text(pDX, IDC_AXIS_STEP, m_step);
        DDV_StepNotNegative(pDX, m_step);
    }
    if (!saving || (m_autoScale == 0 && m_dateTime != 0)) {
        DDX_Picker(pDX, IDC_AXIS_FROM_DATE, m_minDate);
        DDX_Picker(pDX, IDC_AXIS_FROM_TIME, m_minTime);
        DDX_Picker(pDX, IDC_AXIS_TO_DATE, m_maxDate);
        DDX_Picker(pDX, IDC_AXIS_TO_TIME, m_maxTime);
        DDV_RangeInOrder(pDX, CombineDateAndTime(m_minDate, m_minTime),
                         CombineDateAndTime(m_maxDate, m_maxTime));
        DDX_Text(pDX, IDC_AXIS_STEP_COUNT, m_stepCount);
        DDV_MinMaxInt(pDX, m_stepCount, 1, kMaxStepCount);
        DDX_CBIndex(pDX, IDC_AXIS_STEP_UNIT, m_stepUnit);
    }
    if (!saving || m_dateTime == 0) {
        DDX_Text(pDX, IDC_AXIS_DECIMALS, m_decimals);
        DDV_MinMaxInt(pDX, m_decimals, 0, kMaxDecimals);
    }
    if (!saving || m_dateTime != 0)
        DDX_Text(pDX, IDC_AXIS_DATE_TIME_FORMAT, m_dateTimeFormat);

    DDX_Text(pDX, IDC_AXIS_TICK_LENGTH, m_tickLength);
    DDV_MinMaxInt(pDX, m_tickLength, 1, 10);
    DDX_Text(pDX, IDC_AXIS_LABEL_GAP, m_labelGap);
    DDV_MinMaxInt(pDX, m_labelGap, 1, 10);
    DDX_Text(pDX, IDC_AXIS_SYMBOL_SIZE, m_symbolSize);
    DDV_MinMaxInt(pDX, m_symbolSize, 1, 20);
    DDX_CBIndex(pDX, IDC_AXIS_GRID_STYLE, m_gridStyle);
    DDX_CBIndex(pDX, IDC_AXIS_PLACEMENT, m_placement);
    if (saving) {
        m_colour = m_colourButton.GetColour();
        m_gridColour = m_gridColourButton.GetColour();
    } else {
        m_colourButton.SetColour(m_colour);
        m_gridColourButton.SetColour(m_gridColour);
    }
}

BOOL CAxisDlg::Apply()
{
    if (m_pAxis == nullptr || !UpdateData(TRUE))
        return FALSE;
    CXGraphAxis& axis = *m_pAxis;
    // A list left without a selection keeps the axis' value.
    if (m_gridStyle >= 0)
        axis.m_gridStyle = m_gridStyle;
    axis.m_title = m_title;
    axis.m_autoScale = m_autoScale != 0;
    axis.m_visible = m_visible != 0;
    if (m_autoScale == 0) {
        // Validated above: finite and in order, so the axis takes them.
        if (m_dateTime != 0)
            axis.SetViewRange(CombineDateAndTime(m_minDate, m_minTime),
                              CombineDateAndTime(m_maxDate, m_maxTime),
                              StepInDays(m_stepCount, m_stepUnit));
        else
            axis.SetViewRange(m_viewMin, m_viewMax, m_step);
    }
    axis.m_grid = m_grid != 0;
    if (m_placement >= 0)
        axis.m_placement = m_placement;
    if (m_dateTime != 0)
        axis.m_displayFormat = EscapesAsLineBreaks(m_dateTimeFormat);
    else
        axis.m_displayFormat = NumericFormat(m_decimals, axis.m_viewMin, axis.m_viewMax);
    axis.m_colour = m_colour;
    axis.m_gridColour = m_gridColour;
    axis.m_tickLength = m_tickLength;
    axis.m_labelGap = m_labelGap;
    axis.m_symbolSize = m_symbolSize;
    axis.m_dateTime = m_dateTime != 0;
    axis.m_showSymbols = m_showSymbols != 0;
    if (axis.m_graph != nullptr && axis.m_graph->GetSafeHwnd() != nullptr)
        axis.m_graph->Invalidate();
    EnableApply(false);
    return TRUE;
}

BOOL CAxisDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_AXIS_LABEL_FONT || id == IDC_AXIS_TITLE_FONT)) {
        ChooseFont(id);
        return TRUE;
    }
    return CChartObjectDlg::OnCommand(wParam, lParam);
}

void CAxisDlg::OnControlChanged(UINT id)
{
    // A colour button's click only opens its pop-up; the chosen colour
    // comes as its own message.
    if (id == IDC_AXIS_COLOUR || id == IDC_AXIS_GRID_COLOUR)
        return;
    CChartObjectDlg::OnControlChanged(id);
    UpdateEnabling();
}

void CAxisDlg::ChooseFont(UINT button)
{
    if (m_pAxis == nullptr)
        return;
    CFont& font = button == IDC_AXIS_LABEL_FONT ? m_pAxis->m_labelFont : m_pAxis->m_titleFont;
    if (!ChooseFontFor(font, nullptr))
        return;
    if (m_pAxis->m_graph != nullptr && m_pAxis->m_graph->GetSafeHwnd() != nullptr)
        m_pAxis->m_graph->Invalidate();
    UpdateEnabling();
}

void CAxisDlg::EnableControl(UINT id, bool enable)
{
    if (CDialogItem* item = GetDlgItem(id))
        item->EnableWindow(enable ? TRUE : FALSE);
}

void CAxisDlg::UpdateEnabling()
{
    const bool autoScale = IsDlgButtonChecked(IDC_AXIS_AUTO_SCALE) != 0;
    const bool dateTime = IsDlgButtonChecked(IDC_AXIS_DATE_TIME) != 0;
    for (UINT id : {IDC_AXIS_MINIMUM, IDC_AXIS_MAXIMUM, IDC_AXIS_STEP})
        EnableControl(id, !autoScale && !dateTime);
    for (UINT id : {IDC_AXIS_FROM_DATE, IDC_AXIS_FROM_TIME, IDC_AXIS_TO_DATE, IDC_AXIS_TO_TIME,
                    IDC_AXIS_STEP_COUNT, IDC_AXIS_STEP_UNIT})
        EnableControl(id, dateTime && !autoScale);
    for (UINT id : {IDC_AXIS_DECIMALS, IDC_AXIS_DECIMALS_SPIN, IDC_AXIS_PLACEMENT})
        EnableControl(id, !dateTime);
    EnableControl(IDC_AXIS_DATE_TIME_FORMAT, dateTime);
}

void CAxisDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure)
{
    if (id == static_cast<int>(IDC_AXIS_GRID_STYLE))
        measure->itemHeight = kStyleEntryHeight;
}

void CAxisDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem)
{
    if (id == static_cast<int>(IDC_AXIS_GRID_STYLE))
        DrawLineStyleEntry(drawItem);
}
