#pragma once

#include "WinTypes.h"

// The ids of the controls of the program's dialogs, one name for each
// control: the templates make the controls under these ids, the dialogs and
// the tests find them by them. Names are IDC_, the dialog, then what the
// control is; a spin control is named after the edit it steps, with _SPIN.
// Some chart dialogs use the same number for their like controls (6010 is
// the axis' title and the curve's name): each keeps its own name.

// Every static text of a template: texts are never looked up by id.
constexpr UINT IDC_STATIC = 0xFFFF;
// The apply button of the chart's property dialogs.
constexpr UINT IDC_APPLY = 5002;

// The chart properties sheet: the tab control that holds the tabs.
constexpr UINT IDC_CHART_PAGE_TABS = 6073;

// The Chart tab.
constexpr UINT IDC_CHART_BACKGROUND_COLOUR = 6047;
constexpr UINT IDC_CHART_FRAME_COLOUR = 6048;
constexpr UINT IDC_CHART_PLOT_COLOUR = 6049;
constexpr UINT IDC_CHART_SHOW_LEGEND = 6050;
constexpr UINT IDC_CHART_LEGEND_POSITION = 6051;
constexpr UINT IDC_CHART_DOUBLE_BUFFER = 6052;
constexpr UINT IDC_CHART_SNAP_CURSOR = 6076;
constexpr UINT IDC_CHART_SNAP_DISTANCE = 6075;
constexpr UINT IDC_CHART_SNAP_DISTANCE_SPIN = 6074;
// The lists that choose the series and axes the other tabs edit.
constexpr UINT IDC_CHART_SERIES = 6057;
constexpr UINT IDC_CHART_X_AXIS = 6055;
constexpr UINT IDC_CHART_Y_AXIS = 6070;

// The Axis tab: what the axis shows.
constexpr UINT IDC_AXIS_TITLE = 6010;
constexpr UINT IDC_AXIS_VISIBLE = 6009;
constexpr UINT IDC_AXIS_AUTO_SCALE = 6039;
constexpr UINT IDC_AXIS_DATE_TIME = 6015;
constexpr UINT IDC_AXIS_GRID = 6014;
constexpr UINT IDC_AXIS_SHOW_SYMBOLS = 6058;
// Its look.
constexpr UINT IDC_AXIS_COLOUR = 6007;
constexpr UINT IDC_AXIS_GRID_COLOUR = 6033;
constexpr UINT IDC_AXIS_GRID_STYLE = 6072;
constexpr UINT IDC_AXIS_PLACEMENT = 6077;
// The numeric range.
constexpr UINT IDC_AXIS_MINIMUM = 6040;
constexpr UINT IDC_AXIS_MAXIMUM = 6013;
constexpr UINT IDC_AXIS_STEP = 6024;
constexpr UINT IDC_AXIS_DECIMALS = 6016;
constexpr UINT IDC_AXIS_DECIMALS_SPIN = 6017;
// The date-time range: each end is a date picker and a time picker.
constexpr UINT IDC_AXIS_FROM_DATE = 6025;
constexpr UINT IDC_AXIS_FROM_TIME = 6026;
constexpr UINT IDC_AXIS_TO_DATE = 6029;
constexpr UINT IDC_AXIS_TO_TIME = 6030;
constexpr UINT IDC_AXIS_STEP_COUNT = 6081;
constexpr UINT IDC_AXIS_STEP_UNIT = 6083;
constexpr UINT IDC_AXIS_DATE_TIME_FORMAT = 6046;
// Sizes and fonts.
constexpr UINT IDC_AXIS_TICK_LENGTH = 6018;
constexpr UINT IDC_AXIS_TICK_LENGTH_SPIN = 6019;
constexpr UINT IDC_AXIS_LABEL_GAP = 6020;
constexpr UINT IDC_AXIS_LABEL_GAP_SPIN = 6021;
constexpr UINT IDC_AXIS_SYMBOL_SIZE = 6022;
constexpr UINT IDC_AXIS_SYMBOL_SIZE_SPIN = 6023;
constexpr UINT IDC_AXIS_LABEL_FONT = 6001;
constexpr UINT IDC_AXIS_TITLE_FONT = 6002;

// The Curve tab: the line.
constexpr UINT IDC_CURVE_NAME = 6010;
constexpr UINT IDC_CURVE_VISIBLE = 6009;
constexpr UINT IDC_CURVE_COLOUR = 6007;
constexpr UINT IDC_CURVE_DRAW_MODE = 6034;
constexpr UINT IDC_CURVE_LINE_WIDTH = 6035;
constexpr UINT IDC_CURVE_LINE_WIDTH_SPIN = 6006;
constexpr UINT IDC_CURVE_LINE_STYLE = 6008;
// The symbols along the curve: a numbered square, or the symbol of the
// list.
constexpr UINT IDC_CURVE_SHOW_SYMBOLS = 6038;
constexpr UINT IDC_CURVE_SYMBOL_NUMBERED = 6062;
constexpr UINT IDC_CURVE_SYMBOL_CUSTOM = 6059;
constexpr UINT IDC_CURVE_SYMBOL_LIST = 6060;
constexpr UINT IDC_CURVE_SYMBOL_SIZE = 6022;
constexpr UINT IDC_CURVE_SYMBOL_SIZE_SPIN = 6023;
// The fill, with one radio per fill style: hatch styles 0 to 5, then solid.
constexpr UINT IDC_CURVE_FILL = 6011;
constexpr UINT IDC_CURVE_FILL_HORIZONTAL = 6045;
constexpr UINT IDC_CURVE_FILL_VERTICAL = 6027;
constexpr UINT IDC_CURVE_FILL_FALLING_DIAGONAL = 6028;
constexpr UINT IDC_CURVE_FILL_RISING_DIAGONAL = 6042;
constexpr UINT IDC_CURVE_FILL_CROSS = 6043;
constexpr UINT IDC_CURVE_FILL_DIAGONAL_CROSS = 6031;
constexpr UINT IDC_CURVE_FILL_SOLID = 6032;
constexpr UINT IDC_CURVE_TRANSPARENT_FILL = 6012;
constexpr UINT IDC_CURVE_FILL_TO = 6085;
// The buttons that add curves derived from this one.
constexpr UINT IDC_CURVE_ADD_MOVING_AVERAGE = 6065;
constexpr UINT IDC_CURVE_ADD_LINEAR_TREND = 6066;
constexpr UINT IDC_CURVE_ADD_CUBIC_TREND = 6067;
constexpr UINT IDC_CURVE_ADD_POLYNOMIAL_TREND = 6080;

// The Label dialog.
constexpr UINT IDC_LABEL_BORDER = 6054;
constexpr UINT IDC_LABEL_TRANSPARENT = 6078;
constexpr UINT IDC_LABEL_FILL_COLOUR = 6007;
constexpr UINT IDC_LABEL_ALIGNMENT = 6056;
constexpr UINT IDC_LABEL_SERIES = 6071;
constexpr UINT IDC_LABEL_FONT = 6068;

// The Moving Average dialog.
constexpr UINT IDC_MOVING_AVERAGE_KIND = 6034;
constexpr UINT IDC_MOVING_AVERAGE_POINTS = 6063;
constexpr UINT IDC_MOVING_AVERAGE_POINTS_SPIN = 6064;

// The Trend dialog.
constexpr UINT IDC_TREND_COEFFICIENTS = 6082;
constexpr UINT IDC_TREND_COEFFICIENTS_SPIN = 6084;
constexpr UINT IDC_TREND_FORECAST_POINTS = 6079;
constexpr UINT IDC_TREND_FORECAST_POINTS_SPIN = 6069;

// The Exposure Summary window.
constexpr UINT IDC_EXPOSURE_SUMMARY_TEST = 6100;
constexpr UINT IDC_EXPOSURE_SUMMARY_TABLE = 6101;
constexpr UINT IDC_EXPOSURE_SUMMARY_COPY = 6102;
