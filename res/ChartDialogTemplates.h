#pragma once

#include "WinTypes.h"

// The chart's dialog templates by number.
namespace Resources {

constexpr UINT IDD_CHART_PAGE = 5000;
constexpr UINT IDD_CURVE = 5004;
constexpr UINT IDD_AXIS = 5007;
constexpr UINT IDD_CHART = 5011;
constexpr UINT IDD_LABEL = 5012;
constexpr UINT IDD_MOVING_AVERAGE = 5013;
constexpr UINT IDD_TREND = 5014;

// Registers the templates of the chart's dialogs (once).
void RegisterChartDialogTemplates();
// The templates of the axis and curve tabs, registered by the above.
void RegisterAxisDialogTemplate();
void RegisterCurveDialogTemplate();

} // namespace Resources
