#pragma once

#include "WinTypes.h"

// The commands of the analysis view.
constexpr UINT ID_EDIT_ADD_METRIC = 32772;
constexpr UINT ID_EDIT_REMOVE_METRIC = 32773;
constexpr UINT ID_EDIT_ZOOM_IN = 32776;
constexpr UINT ID_EDIT_ZOOM_OUT = 32777;
constexpr UINT ID_EDIT_CUT_SELECTION = 32778;
constexpr UINT ID_FILE_EXPORT_CSV = 32782;
constexpr UINT ID_VIEW_EXPOSURE_SUMMARY = 32790;
