#include "ChartDialogRunners.h"

#include "ChartDialogs.h"
#include "ChartPage.h"
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

// The properties of the chart, an axis or a series: the sheet opens on
// the tab of what was given, and the chart shows what was applied.
void RunChartPageFor(CXGraph* graph, CXGraphAxis* axis, CXGraphDataSerie* series)
{
    CChartPage page(graph);
    page.m_pGraph = graph;
    page.m_pCurrentAxis = axis;
    page.m_pCurrentSeries = series;
    page.DoModal();
    if (graph != nullptr && graph->GetSafeHwnd() != nullptr)
        graph->Invalidate();
}

} // namespace

void InstallChartDialogs()
{
    SetChartPageRunner(RunChartPageFor);
    SetLabelDialogRunner(RunLabelDialogFor);
}
