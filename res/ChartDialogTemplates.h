#pragma once

#include "WinTypes.h"

// The chart's dialog templates by number.
namespace Resources {

constexpr UINT IDD_MOVING_AVERAGE = 5013;
constexpr UINT IDD_TREND = 5014;

// Registers the templates of the chart's dialogs (once).
void RegisterChartDialogTemplates();

} // namespace Resources
