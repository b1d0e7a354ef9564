#pragma once

class CXGraph;
class CXGraphAxis;
class CXGraphDataSerie;
class CXGraphLabel;

// The chart's property dialogs, run modally: the chart properties sheet for
// the chart and, optionally, one axis or one series, and the label dialog.
// The dialogs install them; without one nothing is shown.
using ChartPageRunner = void (*)(CXGraph* graph, CXGraphAxis* axis, CXGraphDataSerie* series);
using LabelDialogRunner = void (*)(CXGraphLabel* label);

void SetChartPageRunner(ChartPageRunner runner);
void RunChartPage(CXGraph* graph, CXGraphAxis* axis, CXGraphDataSerie* series);
void SetLabelDialogRunner(LabelDialogRunner runner);
void RunLabelDialog(CXGraphLabel* label);
