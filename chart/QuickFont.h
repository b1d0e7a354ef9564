#pragma once

#include "CFont.h"

// A font made in one line: a face, a height and a weight, with the default
// character set and antialiased quality; or from a font description.
class CQuickFont : public CFont
{
public:
    CQuickFont(const CString& face, int height, int weight);
    explicit CQuickFont(const LOGFONT& logFont);
};
