#pragma once

#include "CString.h"

#include <vector>

class CNolvexDoc;

// Draws the page the program's Print gives for a test and metrics into a
// PDF or PNG file: the view's chart of the metrics, painted by the chart's
// page printing in the printed look, without any window. testPosition
// counts from 0; the data types come in the order of the list's rows, the
// first on top. Returns an empty text, or what went wrong.
CString RenderPage(CNolvexDoc& document, int testPosition, const std::vector<int>& dataTypes,
                   const CString& output);
