#pragma once

#include "CGdiObject.h"
#include "CString.h"

#include <QFont>

// A font as a LOGFONT describes it. The height is in device pixels: negative
// is the character height, positive the cell height (ascent and descent),
// zero a default size. Faces are asked for by name; fontconfig stands in
// metric-compatible ones for the desktop's faces.
class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const CString& face);
    int GetLogFont(LOGFONT* logFont) const;

    // The Qt font, sized in device pixels.
    QFont ToQFont() const;

    LOGFONT m_logFont{};
};

// Copies the face name into the fixed-size field.
void SetFaceName(LOGFONT* logFont, const CString& face);
CString FaceNameOf(const LOGFONT& logFont);
