#include "ChartDialogs.h"

namespace {

ChartPageRunner& CurrentChartPageRunner()
{
    static ChartPageRunner runner = nullptr;
    return runner;
}

LabelDialogRunner& CurrentLabelDialogRunner()
{
    static LabelDialogRunner runner = nullptr;
    return runner;
}

} // namespace

void SetChartPageRunner(ChartPageRunner runner)
{
    CurrentChartPageRunner() = runner;
}

void RunChartPage(CXGraph* graph, CXGraphAxis* axis, CXGraphDataSerie* series)
{
    if (CurrentChartPageRunner() != nullptr)
        CurrentChartPageRunner()(graph, axis, series);
}

void SetLabelDialogRunner(LabelDialogRunner runner)
{
    CurrentLabelDialogRunner() = runner;
}

void RunLabelDialog(CXGraphLabel* label)
{
    if (CurrentLabelDialogRunner() != nullptr)
        CurrentLabelDialogRunner()(label);
}
