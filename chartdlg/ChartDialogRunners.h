#pragma once

// Lets the chart run its property dialogs: the chart properties sheet for
// the chart, an axis or a series, and the label dialog. A program that
// hosts an interactive chart calls this once before the user can reach
// them.
void InstallChartDialogs();
