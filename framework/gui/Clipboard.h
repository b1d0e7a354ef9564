#pragma once

#include "CString.h"

// Puts text on the desktop's clipboard, for pasting into other programs
// (a spreadsheet takes tab-separated lines as rows and columns).
void SetClipboardText(const CString& text);
