#include "LabelDlg.h"

#include "ChartDialogTemplates.h"
#include "DialogControlIds.h"
#include "XGraph.h"
#include "XGraphLabel.h"

namespace {

// The list index of a label's DrawText alignment.
int AlignmentIndex(UINT format)
{
    if ((format & DT_RIGHT) != 0)
        return 2;
    if ((format & DT_CENTER) != 0)
        return 1;
    return 0;
}

UINT AlignmentFlags(int index)
{
    switch (index) {
    case 1:
        return DT_CENTER;
    case 2:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

} // namespace

CLabelDlg::CLabelDlg(CWnd* parent) : CChartObjectDlg(Resources::IDD_LABEL, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CLabelDlg";
}

BOOL CLabelDlg::OnInitDialog()
{
    m_fillButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(IDC_LABEL_FILL_COLOUR),
                        this, IDC_LABEL_FILL_COLOUR);
    for (const char* alignment : {"Left", "Centered", "Right"})
        GetDlgItem(IDC_LABEL_ALIGNMENT)->AddString(alignment);
    if (m_pLabel != nullptr) {
        m_border = m_pLabel->m_border ? 1 : 0;
        m_transparent = m_pLabel->m_transparent ? 1 : 0;
        m_textFormat = AlignmentIndex(m_pLabel->m_textFormat);
        m_fillColour = m_pLabel->m_fillColour;
        m_attachedSeries = m_pLabel->m_attachedSeries;
        if (CXGraph* graph = m_pLabel->m_graph) {
            for (int i = 0; i < graph->GetSeriesCount(); ++i)
                GetDlgItem(IDC_LABEL_SERIES)
                    ->AddString(CString::Formatted("%02d %s", i + 1,
                                                   graph->SeriesAt(i).GetName().ToUtf8().c_str()));
            if (m_attachedSeries >= graph->GetSeriesCount())
                m_attachedSeries = -1;
        }
    }
    m_fillButton.SetColour(m_fillColour);
    return CChartObjectDlg::OnInitDialog();
}

void CLabelDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_LABEL_BORDER, m_border);
    DDX_Check(pDX, IDC_LABEL_TRANSPARENT, m_transparent);
    DDX_CBIndex(pDX, IDC_LABEL_ALIGNMENT, m_textFormat);
    DDX_CBIndex(pDX, IDC_LABEL_SERIES, m_attachedSeries);
}

BOOL CLabelDlg::Apply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_fillColour = m_fillButton.GetColour();
    if (m_pLabel != nullptr) {
        m_pLabel->m_border = m_border != 0;
        m_pLabel->m_transparent = m_transparent != 0;
        m_pLabel->m_fillColour = m_fillColour;
        // The alignment replaces the old one; other DrawText flags stay.
        m_pLabel->m_textFormat =
            (m_pLabel->m_textFormat & ~static_cast<UINT>(DT_CENTER | DT_RIGHT)) |
            AlignmentFlags(m_textFormat);
        m_pLabel->m_attachedSeries = m_attachedSeries;
        if (m_pLabel->m_graph != nullptr)
            m_pLabel->m_graph->Invalidate();
    }
    EnableApply(false);
    return TRUE;
}

BOOL CLabelDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_LABEL_FONT && HIWORD(wParam) == BN_CLICKED) {
        ChooseFont();
        return TRUE;
    }
    return CChartObjectDlg::OnCommand(wParam, lParam);
}

void CLabelDlg::OnControlChanged(UINT id)
{
    // A click on the fill button only opens its pop-up; a colour chosen
    // there enables the apply button.
    if (id == IDC_LABEL_FILL_COLOUR)
        return;
    CChartObjectDlg::OnControlChanged(id);
}

void CLabelDlg::ChooseFont()
{
    if (m_pLabel == nullptr || !ChooseFontFor(m_pLabel->m_font, &m_pLabel->m_textColour))
        return;
    if (m_pLabel->m_graph != nullptr)
        m_pLabel->m_graph->Invalidate();
    EnableApply(true);
}
