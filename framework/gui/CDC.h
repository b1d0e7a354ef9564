#pragma once

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"
#include "CString.h"
#include "Gdi.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <vector>

class QPaintDevice;
class QPrinter;

class CDC;

// A device context: draws with the selected pen, brush and font onto a paint
// device (a window's backing image, a bitmap, a printer or a PDF file),
// keeping the desktop's rules: a line leaves out its end pixel, filled
// rectangles leave out their right and bottom edges, raster operations
// (R2_NOTXORPEN, PATINVERT) are exact on images and plain drawing on
// printers. Logical coordinates are device pixels moved by the window
// origin.
class CDC
{
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Starts drawing on a device, with the default objects and state: black
    // pen, white brush, the system font, black text on an opaque white
    // background, R2_COPYPEN.
    bool BeginPainting(QPaintDevice* device);
    void EndPainting();
    // A clip in device coordinates that every clip stays within.
    void SetBaseClip(const QRegion& deviceRegion);
    QPainter* GetPainter() { return m_ctx->painter.get(); }

    // A device context of the 96-dpi screen, for measuring.
    bool CreateScreenDC();
    // A memory device context: draws into the bitmap selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    // Printing: the printer stays the caller's.
    bool AttachPrinter(QPrinter* printer);
    int StartDoc(const DOCINFO* info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    // Set by whoever prints with this device context.
    BOOL m_bPrinting = FALSE;
    BOOL IsPrinting() const { return m_bPrinting; }
    // Draws on the device of another device context, sharing its objects,
    // state and clip; the other keeps the device.
    void Attach(CDC* other);
    void Detach();

    // A separate device that answers GetDeviceCaps (print preview); null
    // for the output device itself.
    void SetAttribDC(CDC* attributes) { m_attribDC = attributes; }
    CDC* GetAttribDC() const { return m_attribDC; }

    // Objects. Each returns the object of its kind that was selected.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont() const { return m_ctx->state.font; }
    static CBrush* GetHalftoneBrush();

    // State.
    COLORREF SetTextColor(COLORREF colour);
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_ctx->state.backColour; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_ctx->state.backMode; }
    int SetROP2(int rop);
    int GetROP2() const { return m_ctx->state.rop2; }
    UINT SetTextAlign(UINT align);
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    // Returns the saved level; RestoreDC(-1) restores the last one saved.
    int SaveDC();
    BOOL RestoreDC(int savedLevel);

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect)
    {
        return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const RECT* rect)
    {
        return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL Polygon(const POINT* points, int count);
    void FillRect(const RECT* rect, CBrush* brush);
    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
    // A dotted frame drawn by inversion: drawing it twice takes it away.
    void DrawFocusRect(const RECT* rect);
    BOOL DrawFrameControl(RECT* rect, UINT type, UINT state);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop);
    COLORREF SetPixel(int x, int y, COLORREF colour);

    // Text.
    BOOL TextOut(int x, int y, const CString& text);
    // Returns the height of the text; DT_CALCRECT measures into rect instead
    // of drawing.
    int DrawText(const CString& text, RECT* rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // Clipping, in logical coordinates unless said otherwise.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect)
    {
        return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    // Takes the clipping region away (only the null region is selected).
    int SelectClipRgn(std::nullptr_t);
    int GetClipBox(RECT* rect) const;

    // From the attribute device (GetDeviceCaps) or the output device.
    int GetDeviceCaps(int index) const;
    int GetOutputDeviceCaps(int index) const;

    // Logical to device coordinates and back.
    QPoint ToDevice(int x, int y) const;
    QRect ToDevice(const RECT& rect) const;
    QImage* GetImage() const;

private:
    struct State
    {
        CPen* pen = nullptr;
        CBrush* brush = nullptr;
        CFont* font = nullptr;
        CBitmap* bitmap = nullptr;
        COLORREF textColour = 0;
        COLORREF backColour = 0xFFFFFF;
        int backMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        UINT textAlign = TA_LEFT | TA_TOP;
        CPoint windowOrigin;
        CPoint position;
        bool clipped = false;
        QRegion clip;
    };

    void ResetState();
    void ApplyTransform();
    void ApplyClip();
    QRegion EffectiveClip() const;
    void PrepareLines();
    void PrepareFill(CBrush* brush);
    void PrepareRop(int rop2);
    // Whether an inverting raster operation is asked of a device without
    // raster operations (paper).
    bool InvertsOnPaper() const;
    bool IsImage() const;
    int DeviceCaps(const QPaintDevice* device, int index) const;
    void DrawTextLine(const QString& line, const QRect& box, UINT format);

    // What a device context draws with. Device contexts attached to another
    // share it, as two wrappers of one desktop device context share its
    // selected objects and state.
    struct Context
    {
        std::unique_ptr<QPainter> painter;
        QPaintDevice* device = nullptr;
        QPrinter* printer = nullptr;
        bool screen = false;
        bool memory = false;
        bool pageStarted = false;
        int pagesStarted = 0;
        QImage scratch;
        CBitmap defaultBitmap;
        bool hasBaseClip = false;
        QRegion baseClip;
        State state;
        std::vector<State> saved;
    };
    std::shared_ptr<Context> m_ctx = std::make_shared<Context>();
    CDC* m_attribDC = nullptr;
};
