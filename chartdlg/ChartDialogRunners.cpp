#include "ChartDialogRunners.h"

#include "ChartDialogs.h"
#include "LabelDlg.h"
#include "XGraph.h"
#include "XGraphLabel.h"

namespace {

void RunLabelDialogFor(CXGraphLabel* label)
{
    CLabelDlg dialog(label->m_graph);
    dialog.m_pLabel = label;
    dialog.DoModal();
    if (label->m_graph != nullptr && label->m_graph->GetSafeHwnd() != nullptr)
        label->m_graph->Invalidate();
}

} // namespace

void InstallChartDialogs()
{
    SetLabelDialogRunner(RunLabelDialogFor);
}
