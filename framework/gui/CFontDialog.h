#pragma once

#include "CString.h"
#include "Gdi.h"
#include "ModalSeam.h"

class CWnd;

// What the font dialog offers.
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;

// The font dialog's settings and answer: the font as a LOGFONT and, with
// effects, the text colour.
struct CHOOSEFONT
{
    DWORD Flags = 0;
    COLORREF rgbColors = 0;
    LOGFONT* lpLogFont = nullptr;
};

// The system's font dialog, through the modal seam as "CFontDialog": the
// faces, styles and sizes of the screen fonts and, with CF_EFFECTS,
// underline, strike-out and a text colour. A responder answers it by
// setting m_lf (and m_cf.rgbColors) and returning IDOK.
class CFontDialog
{
public:
    explicit CFontDialog(const LOGFONT* initial = nullptr,
                         DWORD flags = CF_EFFECTS | CF_SCREENFONTS, CWnd* parent = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    INT_PTR DoModal();
    void GetCurrentFont(LOGFONT* logFont) const;
    COLORREF GetColor() const { return m_cf.rgbColors; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf{};

private:
    INT_PTR ShowForReal();

    CWnd* m_parent;
};

// The LOGFONT of a Qt font: the character height in pixels (negative), the
// weight, the effects and the face.
LOGFONT LogFontFromQFont(const class QFont& font);
