#include "CBitmap.h"
#include "CBrush.h"
#include "CDC.h"
#include "CFont.h"
#include "CGdiObject.h"
#include "CPen.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>

BOOL CGdiObject::DeleteObject()
{
    if (!m_created)
        return FALSE;
    Reset();
    m_created = false;
    return TRUE;
}

CGdiObject* GetStockObject(int index)
{
    static CBrush white(RGB(255, 255, 255));
    static CBrush lightGrey(RGB(192, 192, 192));
    static CBrush grey(RGB(128, 128, 128));
    static CBrush darkGrey(RGB(64, 64, 64));
    static CBrush black(RGB(0, 0, 0));
    static CBrush hollow = [] {
        CBrush brush;
        brush.CreateHollowBrush();
        return brush;
    }();
    static CPen whitePen(PS_SOLID, 1, RGB(255, 255, 255));
    static CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
    static CPen nullPen(PS_NULL, 1, RGB(0, 0, 0));
    static CFont variableFont = [] {
        CFont font;
        font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                        "MS Sans Serif");
        return font;
    }();
    static CFont guiFont = [] {
        CFont font;
        font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                        "MS Shell Dlg");
        return font;
    }();
    switch (index) {
    case WHITE_BRUSH:
        return &white;
    case LTGRAY_BRUSH:
        return &lightGrey;
    case GRAY_BRUSH:
        return &grey;
    case DKGRAY_BRUSH:
        return &darkGrey;
    case BLACK_BRUSH:
        return &black;
    case NULL_BRUSH:
        return &hollow;
    case WHITE_PEN:
        return &whitePen;
    case BLACK_PEN:
        return &blackPen;
    case NULL_PEN:
        return &nullPen;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
        return &variableFont;
    case DEFAULT_GUI_FONT:
        return &guiFont;
    default:
        return nullptr;
    }
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    m_style = style;
    m_width = width;
    m_colour = colour;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    m_kind = solid;
    m_colour = colour;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF colour)
{
    m_kind = hatched;
    m_hatch = std::clamp(hatch, HS_HORIZONTAL, HS_DIAGCROSS);
    m_colour = colour;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateHalftoneBrush()
{
    m_kind = halftone;
    m_colour = RGB(255, 255, 255);
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateHollowBrush()
{
    m_kind = hollow;
    m_created = true;
    return TRUE;
}

void SetFaceName(LOGFONT* logFont, const CString& face)
{
    std::memset(logFont->lfFaceName, 0, sizeof logFont->lfFaceName);
    const int length = std::min(face.GetLength(), 31);
    for (int i = 0; i < length; ++i)
        logFont->lfFaceName[i] = face[i];
}

CString FaceNameOf(const LOGFONT& logFont)
{
    std::size_t length = 0;
    while (length < 32 && logFont.lfFaceName[length] != 0)
        ++length;
    return CString(logFont.lfFaceName, length);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (logFont == nullptr)
        return FALSE;
    m_logFont = *logFont;
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const CString& face)
{
    LOGFONT logFont{height,        width,     escapement,     orientation, weight,
                    italic,        underline, strikeOut,      charSet,     outPrecision,
                    clipPrecision, quality,   pitchAndFamily, {}};
    SetFaceName(&logFont, face);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    if (!m_created || logFont == nullptr)
        return 0;
    *logFont = m_logFont;
    return static_cast<int>(sizeof(LOGFONT));
}

QFont CFont::ToQFont() const
{
    QFont font(FaceNameOf(m_logFont).ToQString());
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(m_logFont.lfWeight == 0 ? QFont::Normal
                                           : static_cast<QFont::Weight>(std::clamp<int>(
                                                 m_logFont.lfWeight / 10 * 10, 100, 900)));
    font.setItalic(m_logFont.lfItalic != 0);
    font.setUnderline(m_logFont.lfUnderline != 0);
    font.setStrikeOut(m_logFont.lfStrikeOut != 0);
    font.setStyleStrategy(m_logFont.lfQuality == ANTIALIASED_QUALITY ? QFont::PreferAntialias
                                                                     : QFont::PreferDefault);
    const int height = m_logFont.lfHeight;
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: find the character height whose cell is that tall.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, (height * height + cell / 2) / cell));
    } else {
        font.setPixelSize(13);
    }
    return font;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    if (width <= 0 || height <= 0)
        return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_image.isNull())
        return FALSE;
    m_image.fill(Qt::black);
    m_created = true;
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0 || planes != 1 || bitsPerPixel != 32)
        return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_image.isNull())
        return FALSE;
    m_image.fill(Qt::black);
    m_created = true;
    if (bits != nullptr)
        SetBitmapBits(static_cast<DWORD>(width) * 4 * static_cast<DWORD>(height), bits);
    return TRUE;
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap)
{
    if (bitmap == nullptr || bitmap->bmWidthBytes != bitmap->bmWidth * 4)
        return FALSE;
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel,
                        bitmap->bmBits);
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    if (!m_created || bitmap == nullptr)
        return 0;
    *bitmap = BITMAP{0, m_image.width(), m_image.height(), m_image.width() * 4, 1, 32, nullptr};
    return static_cast<int>(sizeof(BITMAP));
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    if (!m_created || bits == nullptr)
        return 0;
    const auto rowBytes = static_cast<DWORD>(m_image.width()) * 4;
    DWORD copied = 0;
    auto* out = static_cast<unsigned char*>(bits);
    for (int y = 0; y < m_image.height() && copied < count; ++y) {
        const DWORD piece = std::min(rowBytes, count - copied);
        std::memcpy(out + copied, m_image.constScanLine(y), piece);
        copied += piece;
    }
    return copied;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    if (!m_created || bits == nullptr)
        return 0;
    const auto rowBytes = static_cast<DWORD>(m_image.width()) * 4;
    DWORD copied = 0;
    const auto* in = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < m_image.height() && copied < count; ++y) {
        const DWORD piece = std::min(rowBytes, count - copied);
        std::memcpy(m_image.scanLine(y), in + copied, piece);
        copied += piece;
    }
    return copied;
}
