#include "ChartDialogRunners.h"

#include "ChartDialogs.h"

void InstallChartDialogs()
{
    // The runners are set as each dialog joins the chart.
}
