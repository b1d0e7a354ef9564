#include "CDC.h"

#include "SystemMetrics.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

QRect RectOf(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

Qt::BrushStyle HatchStyle(int hatch)
{
    switch (hatch) {
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    case HS_DIAGCROSS:
        return Qt::DiagCrossPattern;
    default:
        return Qt::HorPattern;
    }
}

QBrush ToQBrush(const CBrush* brush)
{
    if (brush == nullptr || !brush->IsCreated() || brush->m_kind == CBrush::hollow)
        return Qt::NoBrush;
    switch (brush->m_kind) {
    case CBrush::hatched:
        return QBrush(ToQColor(brush->m_colour), HatchStyle(brush->m_hatch));
    case CBrush::halftone:
        return QBrush(Qt::white, Qt::Dense4Pattern);
    default:
        return QBrush(ToQColor(brush->m_colour));
    }
}

bool IsNullPen(const CPen* pen)
{
    return pen == nullptr || !pen->IsCreated() || pen->m_style == PS_NULL;
}

// The desktop's dash patterns of one-pixel pens, in pixels.
QVector<qreal> DashPattern(int style)
{
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// Text split into lines the way DrawText does: at line breaks unless single
// line, and at word boundaries to fit the width with word break.
QStringList SplitLines(const QString& text, UINT format, const QFontMetrics& metrics, int width)
{
    QString cleaned = text;
    if ((format & DT_EXPANDTABS) != 0)
        cleaned.replace('\t', QString(8, ' '));
    if ((format & DT_SINGLELINE) != 0) {
        cleaned.replace("\r\n", " ");
        cleaned.replace('\n', ' ');
        cleaned.replace('\r', ' ');
        return {cleaned};
    }
    cleaned.replace("\r\n", "\n");
    cleaned.replace('\r', '\n');
    const QStringList paragraphs = cleaned.split('\n');
    if ((format & DT_WORDBREAK) == 0)
        return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        const QStringList words = paragraph.split(' ');
        QString line;
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + ' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

// Removes the '&' prefixes ("&&" stands for one '&').
QString WithoutPrefixes(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        result += text[i];
    }
    return result;
}

} // namespace

CDC::CDC()
{
    ResetState();
}

CDC::~CDC()
{
    if (m_ctx.use_count() == 1)
        EndPainting();
}

void CDC::Attach(CDC* other)
{
    if (other == nullptr)
        return;
    m_ctx = other->m_ctx;
    m_attribDC = other->m_attribDC;
}

void CDC::Detach()
{
    m_ctx = std::make_shared<Context>();
    ResetState();
}

void CDC::ResetState()
{
    m_ctx->state = State();
    m_ctx->state.pen = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_ctx->state.brush = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    m_ctx->state.font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    m_ctx->saved.clear();
}

bool CDC::BeginPainting(QPaintDevice* device)
{
    EndPainting();
    if (device == nullptr)
        return false;
    m_ctx->painter = std::make_unique<QPainter>();
    if (!m_ctx->painter->begin(device)) {
        m_ctx->painter.reset();
        return false;
    }
    m_ctx->device = device;
    ResetState();
    m_ctx->painter->setRenderHint(QPainter::Antialiasing, false);
    m_ctx->painter->setRenderHint(QPainter::TextAntialiasing, true);
    ApplyTransform();
    ApplyClip();
    return true;
}

void CDC::EndPainting()
{
    if (m_ctx->painter) {
        if (m_ctx->painter->isActive())
            m_ctx->painter->end();
        m_ctx->painter.reset();
    }
    m_ctx->device = nullptr;
    m_ctx->hasBaseClip = false;
    m_ctx->baseClip = QRegion();
}

void CDC::SetBaseClip(const QRegion& deviceRegion)
{
    m_ctx->hasBaseClip = true;
    m_ctx->baseClip = deviceRegion;
    ApplyClip();
}

bool CDC::CreateScreenDC()
{
    m_ctx->scratch = QImage(1, 1, QImage::Format_RGB32);
    m_ctx->scratch.fill(Qt::white);
    m_ctx->screen = true;
    return BeginPainting(&m_ctx->scratch);
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    m_ctx->defaultBitmap.CreateCompatibleBitmap(nullptr, 1, 1);
    m_ctx->memory = true;
    if (!BeginPainting(m_ctx->defaultBitmap.GetImage()))
        return FALSE;
    m_ctx->state.bitmap = &m_ctx->defaultBitmap;
    return TRUE;
}

bool CDC::AttachPrinter(QPrinter* printer)
{
    EndPainting();
    m_ctx->printer = printer;
    m_ctx->pagesStarted = 0;
    return printer != nullptr;
}

int CDC::StartDoc(const DOCINFO* info)
{
    if (m_ctx->printer == nullptr)
        return -1;
    if (info != nullptr && info->lpszDocName != nullptr)
        m_ctx->printer->setDocName(CString(info->lpszDocName).ToQString());
    if (!BeginPainting(m_ctx->printer))
        return -1;
    m_ctx->pagesStarted = 0;
    return 1;
}

int CDC::StartPage()
{
    // A page already begun stays the page: starting it again is refused
    // rather than leaving a blank page behind.
    if (m_ctx->printer == nullptr || !m_ctx->painter || m_ctx->pageStarted)
        return -1;
    // The printer starts on its first page; later pages are asked for.
    if (m_ctx->pagesStarted > 0 && !m_ctx->printer->newPage())
        return -1;
    ++m_ctx->pagesStarted;
    m_ctx->pageStarted = true;
    return 1;
}

int CDC::EndPage()
{
    if (!m_ctx->pageStarted)
        return -1;
    m_ctx->pageStarted = false;
    return 1;
}

int CDC::EndDoc()
{
    if (m_ctx->printer == nullptr || !m_ctx->painter)
        return -1;
    const bool ended = m_ctx->painter->end();
    m_ctx->painter.reset();
    m_ctx->device = nullptr;
    return ended ? 1 : -1;
}

int CDC::AbortDoc()
{
    if (m_ctx->printer == nullptr)
        return -1;
    m_ctx->printer->abort();
    EndPainting();
    return 1;
}

// Objects ------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_ctx->state.pen;
    if (pen != nullptr)
        m_ctx->state.pen = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_ctx->state.brush;
    if (brush != nullptr)
        m_ctx->state.brush = brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_ctx->state.font;
    if (font != nullptr)
        m_ctx->state.font = font;
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    CBitmap* old = m_ctx->state.bitmap;
    if (bitmap == nullptr || !m_ctx->memory || bitmap->GetImage()->isNull())
        return old;
    // Drawing now goes to the bitmap; the state stays as it was.
    const State kept = m_ctx->state;
    const std::vector<State> saved = m_ctx->saved;
    if (m_ctx->painter && m_ctx->painter->isActive())
        m_ctx->painter->end();
    m_ctx->painter = std::make_unique<QPainter>();
    if (!m_ctx->painter->begin(bitmap->GetImage())) {
        m_ctx->painter.reset();
        return nullptr;
    }
    m_ctx->device = bitmap->GetImage();
    m_ctx->painter->setRenderHint(QPainter::Antialiasing, false);
    m_ctx->state = kept;
    m_ctx->saved = saved;
    m_ctx->state.bitmap = bitmap;
    ApplyTransform();
    ApplyClip();
    return old;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* stock = GetStockObject(index);
    if (auto* pen = dynamic_cast<CPen*>(stock))
        return SelectObject(pen);
    if (auto* brush = dynamic_cast<CBrush*>(stock))
        return SelectObject(brush);
    if (auto* font = dynamic_cast<CFont*>(stock))
        return SelectObject(font);
    return nullptr;
}

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush halftone = [] {
        CBrush brush;
        brush.CreateHalftoneBrush();
        return brush;
    }();
    return &halftone;
}

// State --------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF colour)
{
    return std::exchange(m_ctx->state.textColour, colour);
}

COLORREF CDC::SetBkColor(COLORREF colour)
{
    return std::exchange(m_ctx->state.backColour, colour);
}

int CDC::SetBkMode(int mode)
{
    return std::exchange(m_ctx->state.backMode, mode);
}

int CDC::SetROP2(int rop)
{
    return std::exchange(m_ctx->state.rop2, rop);
}

UINT CDC::SetTextAlign(UINT align)
{
    return std::exchange(m_ctx->state.textAlign, align);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint old = m_ctx->state.windowOrigin;
    m_ctx->state.windowOrigin = CPoint(x, y);
    ApplyTransform();
    return old;
}

int CDC::SaveDC()
{
    m_ctx->saved.push_back(m_ctx->state);
    return static_cast<int>(m_ctx->saved.size());
}

BOOL CDC::RestoreDC(int savedLevel)
{
    if (m_ctx->saved.empty())
        return FALSE;
    const int level =
        savedLevel < 0 ? static_cast<int>(m_ctx->saved.size()) + 1 + savedLevel : savedLevel;
    if (level < 1 || level > static_cast<int>(m_ctx->saved.size()))
        return FALSE;
    m_ctx->state = m_ctx->saved[static_cast<std::size_t>(level - 1)];
    m_ctx->saved.resize(static_cast<std::size_t>(level - 1));
    ApplyTransform();
    ApplyClip();
    return TRUE;
}

void CDC::ApplyTransform()
{
    if (!m_ctx->painter)
        return;
    m_ctx->painter->setTransform(
        QTransform::fromTranslate(-m_ctx->state.windowOrigin.x, -m_ctx->state.windowOrigin.y));
}

QRegion CDC::EffectiveClip() const
{
    if (m_ctx->hasBaseClip && m_ctx->state.clipped)
        return m_ctx->baseClip.intersected(m_ctx->state.clip);
    if (m_ctx->hasBaseClip)
        return m_ctx->baseClip;
    return m_ctx->state.clip;
}

void CDC::ApplyClip()
{
    if (!m_ctx->painter)
        return;
    if (!m_ctx->hasBaseClip && !m_ctx->state.clipped) {
        m_ctx->painter->setClipping(false);
        return;
    }
    // The clip is given in device coordinates.
    const QTransform transform = m_ctx->painter->transform();
    m_ctx->painter->resetTransform();
    // Qt ignores a complex region set right after clipping was switched off
    // unless clipping is switched back on first.
    m_ctx->painter->setClipping(true);
    m_ctx->painter->setClipRegion(EffectiveClip());
    m_ctx->painter->setTransform(transform);
}

QPoint CDC::ToDevice(int x, int y) const
{
    return QPoint(x - m_ctx->state.windowOrigin.x, y - m_ctx->state.windowOrigin.y);
}

QRect CDC::ToDevice(const RECT& rect) const
{
    const QPoint topLeft = ToDevice(rect.left, rect.top);
    return QRect(topLeft.x(), topLeft.y(), rect.right - rect.left, rect.bottom - rect.top);
}

QImage* CDC::GetImage() const
{
    if (m_ctx->device == nullptr || m_ctx->device->devType() != QInternal::Image)
        return nullptr;
    return static_cast<QImage*>(m_ctx->device);
}

bool CDC::IsImage() const
{
    return GetImage() != nullptr;
}

void CDC::PrepareRop(int rop2)
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    // Raster operations exist on images only; printers draw plainly.
    if (IsImage()) {
        switch (rop2) {
        case R2_NOTXORPEN:
            mode = QPainter::RasterOp_NotSourceXorDestination;
            break;
        case R2_XORPEN:
            mode = QPainter::RasterOp_SourceXorDestination;
            break;
        case R2_NOT:
            mode = QPainter::RasterOp_NotDestination;
            break;
        default:
            break;
        }
    }
    m_ctx->painter->setCompositionMode(mode);
}

bool CDC::InvertsOnPaper() const
{
    const int rop2 = m_ctx->state.rop2;
    return !IsImage() && (rop2 == R2_NOTXORPEN || rop2 == R2_XORPEN);
}

void CDC::PrepareLines()
{
    PrepareRop(m_ctx->state.rop2);
    m_ctx->painter->setBackground(ToQColor(m_ctx->state.backColour));
    m_ctx->painter->setBackgroundMode(m_ctx->state.backMode == OPAQUE ? Qt::OpaqueMode
                                                                      : Qt::TransparentMode);
    const CPen* pen = m_ctx->state.pen;
    if (IsNullPen(pen)) {
        m_ctx->painter->setPen(Qt::NoPen);
        return;
    }
    const int width = std::max(pen->m_width, 1);
    QColor colour = ToQColor(pen->m_colour);
    // What would invert what lies under it is drawn half transparent on
    // paper, so that what it covers stays visible.
    if (InvertsOnPaper())
        colour.setAlphaF(0.5f);
    QPen qpen(colour);
    qpen.setWidth(width == 1 ? 0 : width);
    qpen.setJoinStyle(width == 1 ? Qt::MiterJoin : Qt::RoundJoin);
    qpen.setCapStyle(width == 1 ? Qt::SquareCap : Qt::RoundCap);
    const QVector<qreal> dashes = DashPattern(pen->m_style);
    if (!dashes.isEmpty()) {
        QVector<qreal> scaled = dashes;
        for (qreal& length : scaled)
            length /= width;
        qpen.setDashPattern(scaled);
    }
    m_ctx->painter->setPen(qpen);
}

void CDC::PrepareFill(CBrush* brush)
{
    QBrush fill = ToQBrush(brush);
    const int rop2 = m_ctx->state.rop2;
    if (InvertsOnPaper()) {
        QColor colour = fill.color();
        colour.setAlphaF(0.5f);
        fill.setColor(colour);
    } else if (IsImage() && brush != nullptr && brush->m_kind == CBrush::hatched &&
               (rop2 == R2_NOTXORPEN || rop2 == R2_XORPEN)) {
        // A raster operation takes the transparent gaps of a hatch as black:
        // the gaps would be inverted too. The hatch becomes an opaque tile
        // whose gaps are the background colour when opaque, and otherwise
        // the colour that leaves a pixel as it is under the operation.
        QImage tile(8, 8, QImage::Format_RGB32);
        if (m_ctx->state.backMode == OPAQUE)
            tile.fill(ToQColor(m_ctx->state.backColour));
        else
            tile.fill(rop2 == R2_NOTXORPEN ? Qt::white : Qt::black);
        QPainter tilePainter(&tile);
        tilePainter.fillRect(tile.rect(), fill);
        tilePainter.end();
        fill = QBrush(tile);
    }
    m_ctx->painter->setBrush(fill);
    m_ctx->painter->setBackground(ToQColor(m_ctx->state.backColour));
    m_ctx->painter->setBackgroundMode(m_ctx->state.backMode == OPAQUE ? Qt::OpaqueMode
                                                                      : Qt::TransparentMode);
}

// Lines and shapes -----------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    return std::exchange(m_ctx->state.position, CPoint(x, y));
}

BOOL CDC::LineTo(int x, int y)
{
    const CPoint from = m_ctx->state.position;
    m_ctx->state.position = CPoint(x, y);
    if (!m_ctx->painter)
        return FALSE;
    PrepareLines();
    if (IsNullPen(m_ctx->state.pen))
        return TRUE;
    const int dx = x - from.x;
    const int dy = y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return TRUE;
    if (std::max(m_ctx->state.pen->m_width, 1) > 1) {
        m_ctx->painter->drawLine(from.x, from.y, x, y);
        return TRUE;
    }
    // One-pixel lines stop one step before their end point.
    const int endX =
        from.x + static_cast<int>(std::lround(static_cast<double>(dx) * (steps - 1) / steps));
    const int endY =
        from.y + static_cast<int>(std::lround(static_cast<double>(dy) * (steps - 1) / steps));
    if (endX == from.x && endY == from.y)
        m_ctx->painter->drawPoint(from.x, from.y);
    else
        m_ctx->painter->drawLine(from.x, from.y, endX, endY);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (points == nullptr || count < 2)
        return FALSE;
    const CPoint saved = m_ctx->state.position;
    MoveTo(points[0]);
    for (int i = 1; i < count; ++i)
        LineTo(points[i]);
    m_ctx->state.position = saved;
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (!m_ctx->painter)
        return FALSE;
    const QRect box = RectOf(left, top, right, bottom).normalized();
    if (box.width() < 2 || box.height() < 2)
        return TRUE;
    PrepareLines();
    PrepareFill(m_ctx->state.brush);
    if (IsNullPen(m_ctx->state.pen)) {
        // Without a pen the filled area is one pixel smaller.
        m_ctx->painter->setPen(Qt::NoPen);
        m_ctx->painter->drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
        return TRUE;
    }
    const int width = std::max(m_ctx->state.pen->m_width, 1);
    if (width == 1) {
        m_ctx->painter->drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
    } else {
        const int half = width / 2;
        m_ctx->painter->drawRect(
            QRectF(box.left() + half, box.top() + half, box.width() - width, box.height() - width));
    }
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_ctx->painter)
        return FALSE;
    const QRect box = RectOf(left, top, right, bottom).normalized();
    PrepareLines();
    PrepareFill(m_ctx->state.brush);
    m_ctx->painter->drawEllipse(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!m_ctx->painter || points == nullptr || count < 2)
        return FALSE;
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    PrepareLines();
    PrepareFill(m_ctx->state.brush);
    m_ctx->painter->drawPolygon(polygon, Qt::OddEvenFill);
    return TRUE;
}

void CDC::FillRect(const RECT* rect, CBrush* brush)
{
    if (!m_ctx->painter || rect == nullptr)
        return;
    const QRect box = RectOf(rect->left, rect->top, rect->right, rect->bottom);
    if (box.isEmpty())
        return;
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_ctx->painter->setPen(Qt::NoPen);
    PrepareFill(brush);
    m_ctx->painter->drawRect(box);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour)
{
    FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                  colour);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour)
{
    // As on the desktop, the colour stays the background colour.
    SetBkColor(colour);
    if (!m_ctx->painter || width <= 0 || height <= 0)
        return;
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_ctx->painter->fillRect(QRect(x, y, width, height), ToQColor(colour));
}

void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
               bottomRight);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags)
{
    if (rect == nullptr)
        return FALSE;
    CRect box(*rect);
    const auto ring = [&](COLORREF topLeft, COLORREF bottomRight) {
        if ((flags & BF_TOP) != 0)
            FillSolidRect(box.left, box.top, box.Width(), 1, topLeft);
        if ((flags & BF_LEFT) != 0)
            FillSolidRect(box.left, box.top, 1, box.Height(), topLeft);
        if ((flags & BF_BOTTOM) != 0)
            FillSolidRect(box.left, box.bottom - 1, box.Width(), 1, bottomRight);
        if ((flags & BF_RIGHT) != 0)
            FillSolidRect(box.right - 1, box.top, 1, box.Height(), bottomRight);
        box.DeflateRect((flags & BF_LEFT) != 0 ? 1 : 0, (flags & BF_TOP) != 0 ? 1 : 0,
                        (flags & BF_RIGHT) != 0 ? 1 : 0, (flags & BF_BOTTOM) != 0 ? 1 : 0);
    };
    const COLORREF savedBack = GetBkColor();
    if ((edge & BDR_RAISEDOUTER) != 0)
        ring(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    else if ((edge & BDR_SUNKENOUTER) != 0)
        ring(GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    if ((edge & BDR_RAISEDINNER) != 0)
        ring(GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW));
    else if ((edge & BDR_SUNKENINNER) != 0)
        ring(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    if ((flags & BF_MIDDLE) != 0)
        FillSolidRect(&box, GetSysColor(COLOR_3DFACE));
    SetBkColor(savedBack);
    if ((flags & BF_ADJUST) != 0)
        *rect = box;
    return TRUE;
}

void CDC::DrawFocusRect(const RECT* rect)
{
    if (!m_ctx->painter || rect == nullptr)
        return;
    const QRect box = RectOf(rect->left, rect->top, rect->right, rect->bottom).normalized();
    if (box.width() < 1 || box.height() < 1)
        return;
    // Every other pixel of the frame, inverted.
    QPen dots(Qt::white);
    dots.setWidth(0);
    dots.setDashPattern({1, 1});
    m_ctx->painter->setPen(dots);
    m_ctx->painter->setBrush(Qt::NoBrush);
    m_ctx->painter->setBackgroundMode(Qt::TransparentMode);
    if (IsImage())
        m_ctx->painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else
        m_ctx->painter->setPen(QPen(Qt::black, 0, Qt::DotLine));
    m_ctx->painter->drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

BOOL CDC::DrawFrameControl(RECT* rect, UINT type, UINT state)
{
    if (rect == nullptr || type != DFC_BUTTON || !m_ctx->painter)
        return FALSE;
    // A check box: a sunken box, white inside (button face when inactive),
    // with a tick when checked.
    CRect box(*rect);
    if ((state & DFCS_FLAT) != 0) {
        Draw3dRect(&box, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
        box.DeflateRect(1, 1);
    } else {
        DrawEdge(&box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    FillSolidRect(&box, inactive ? GetSysColor(COLOR_3DFACE) : GetSysColor(COLOR_WINDOW));
    if ((state & DFCS_CHECKED) != 0) {
        const QColor ink = ToQColor(inactive ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
        m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_ctx->painter->setPen(QPen(ink, 0));
        const int w = box.Width();
        const int h = box.Height();
        const int x0 = box.left + w / 5;
        const int yMid = box.top + h / 2;
        const int x1 = box.left + w * 2 / 5;
        const int x2 = box.right - 1 - w / 5;
        for (int thickness = 0; thickness < 3; ++thickness) {
            m_ctx->painter->drawLine(x0, yMid + thickness - 1, x1,
                                     yMid + thickness + (x1 - x0) - 1);
            m_ctx->painter->drawLine(x1, yMid + thickness + (x1 - x0) - 1, x2,
                                     yMid + thickness + (x1 - x0) - 1 - (x2 - x1));
        }
    }
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (!m_ctx->painter)
        return FALSE;
    const QRect box = QRect(x, y, width, height).normalized();
    m_ctx->painter->setPen(Qt::NoPen);
    m_ctx->painter->setBackgroundMode(Qt::TransparentMode);
    switch (rop) {
    case PATCOPY:
        m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_ctx->painter->setBrush(ToQBrush(m_ctx->state.brush));
        break;
    case PATINVERT:
        m_ctx->painter->setCompositionMode(IsImage() ? QPainter::RasterOp_SourceXorDestination
                                                     : QPainter::CompositionMode_SourceOver);
        m_ctx->painter->setBrush(ToQBrush(m_ctx->state.brush));
        break;
    case DSTINVERT:
        if (!IsImage())
            return TRUE;
        m_ctx->painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        m_ctx->painter->setBrush(Qt::black);
        break;
    case BLACKNESS:
        m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_ctx->painter->setBrush(Qt::black);
        break;
    case WHITENESS:
        m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_ctx->painter->setBrush(Qt::white);
        break;
    default:
        return FALSE;
    }
    m_ctx->painter->drawRect(box);
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                 DWORD rop)
{
    return StretchBlt(x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, DWORD rop)
{
    if (!m_ctx->painter || source == nullptr || source->GetImage() == nullptr)
        return FALSE;
    if (rop != SRCCOPY && rop != SRCINVERT)
        return FALSE;
    const QPoint from = source->ToDevice(sourceX, sourceY);
    const QRect sourceRect(from.x(), from.y(), sourceWidth, sourceHeight);
    m_ctx->painter->setCompositionMode(rop == SRCINVERT && IsImage()
                                           ? QPainter::RasterOp_SourceXorDestination
                                           : QPainter::CompositionMode_Source);
    m_ctx->painter->drawImage(QRect(x, y, width, height), *source->GetImage(), sourceRect);
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour)
{
    if (!m_ctx->painter)
        return static_cast<COLORREF>(-1);
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_ctx->painter->fillRect(QRect(x, y, 1, 1), ToQColor(colour));
    return colour;
}

// Text ----------------------------------------------------------------------

CSize CDC::GetTextExtent(const CString& text) const
{
    const QFont font = m_ctx->state.font != nullptr ? m_ctx->state.font->ToQFont() : QFont();
    const QFontMetrics metrics(font);
    return CSize(metrics.horizontalAdvance(text.ToQString()), metrics.height());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* textMetrics) const
{
    if (textMetrics == nullptr)
        return FALSE;
    const QFont font = m_ctx->state.font != nullptr ? m_ctx->state.font->ToQFont() : QFont();
    const QFontMetrics metrics(font);
    *textMetrics = TEXTMETRIC{};
    textMetrics->tmHeight = metrics.height();
    textMetrics->tmAscent = metrics.ascent();
    textMetrics->tmDescent = metrics.descent();
    textMetrics->tmInternalLeading = metrics.height() - font.pixelSize();
    textMetrics->tmExternalLeading = metrics.leading();
    textMetrics->tmAveCharWidth = metrics.averageCharWidth();
    textMetrics->tmMaxCharWidth = metrics.maxWidth();
    textMetrics->tmWeight =
        m_ctx->state.font != nullptr ? m_ctx->state.font->m_logFont.lfWeight : FW_NORMAL;
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    if (!m_ctx->painter)
        return FALSE;
    const QFont font = m_ctx->state.font != nullptr ? m_ctx->state.font->ToQFont() : QFont();
    const QFontMetrics metrics(font);
    const QString line = text.ToQString();
    const int width = metrics.horizontalAdvance(line);
    const UINT align = m_ctx->state.textAlign;
    int left = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        left = -width / 2;
    else if ((align & TA_RIGHT) != 0)
        left = -width;
    int top = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = -metrics.ascent();
    else if ((align & TA_BOTTOM) != 0)
        top = -metrics.height();

    m_ctx->painter->save();
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The background is filled here when the mode is opaque; Qt must not
    // fill it again from a mode the last line or fill left on the painter.
    m_ctx->painter->setBackgroundMode(Qt::TransparentMode);
    m_ctx->painter->translate(x, y);
    const int escapement =
        m_ctx->state.font != nullptr ? m_ctx->state.font->m_logFont.lfEscapement : 0;
    // Escapement turns the text counter-clockwise in tenths of a degree.
    if (escapement != 0)
        m_ctx->painter->rotate(-escapement / 10.0);
    if (m_ctx->state.backMode == OPAQUE)
        m_ctx->painter->fillRect(QRect(left, top, width, metrics.height()),
                                 ToQColor(m_ctx->state.backColour));
    m_ctx->painter->setFont(font);
    m_ctx->painter->setPen(ToQColor(m_ctx->state.textColour));
    m_ctx->painter->drawText(QPoint(left, top + metrics.ascent()), line);
    m_ctx->painter->restore();
    return TRUE;
}

void CDC::DrawTextLine(const QString& line, const QRect& box, UINT format)
{
    const QFont font = m_ctx->state.font != nullptr ? m_ctx->state.font->ToQFont() : QFont();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(line);
    int left = box.left();
    if ((format & DT_CENTER) != 0)
        left = box.left() + (box.width() - width) / 2;
    else if ((format & DT_RIGHT) != 0)
        left = box.left() + box.width() - width;
    if (m_ctx->state.backMode == OPAQUE)
        m_ctx->painter->fillRect(QRect(left, box.top(), width, metrics.height()),
                                 ToQColor(m_ctx->state.backColour));
    m_ctx->painter->drawText(QPoint(left, box.top() + metrics.ascent()), line);
}

int CDC::DrawText(const CString& text, RECT* rect, UINT format)
{
    if (rect == nullptr)
        return 0;
    const QFont font = m_ctx->state.font != nullptr ? m_ctx->state.font->ToQFont() : QFont();
    const QFontMetrics metrics(font);
    QString content = text.ToQString();
    if ((format & DT_NOPREFIX) == 0)
        content = WithoutPrefixes(content);
    const QRect box = RectOf(rect->left, rect->top, rect->right, rect->bottom);
    QStringList lines = SplitLines(content, format, metrics, std::max(box.width(), 1));
    if ((format & DT_END_ELLIPSIS) != 0 && (format & DT_CALCRECT) == 0) {
        for (QString& line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, std::max(box.width(), 0));
    }
    const int lineHeight = metrics.height();
    const int totalHeight = lineHeight * static_cast<int>(lines.size());

    if ((format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + totalHeight;
        return totalHeight;
    }
    if (!m_ctx->painter)
        return totalHeight;

    int top = box.top();
    if ((format & DT_SINGLELINE) != 0) {
        if ((format & DT_VCENTER) != 0)
            top = box.top() + (box.height() - lineHeight) / 2;
        else if ((format & DT_BOTTOM) != 0)
            top = box.bottom() + 1 - lineHeight;
    }
    m_ctx->painter->save();
    m_ctx->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // As in TextOut: DrawTextLine fills the background itself.
    m_ctx->painter->setBackgroundMode(Qt::TransparentMode);
    if ((format & DT_NOCLIP) == 0)
        m_ctx->painter->setClipRect(box, Qt::IntersectClip);
    m_ctx->painter->setFont(font);
    m_ctx->painter->setPen(ToQColor(m_ctx->state.textColour));
    for (const QString& line : lines) {
        DrawTextLine(line, QRect(box.left(), top, box.width(), lineHeight), format);
        top += lineHeight;
    }
    m_ctx->painter->restore();
    return totalHeight;
}

// Clipping ------------------------------------------------------------------

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QRect deviceRect = ToDevice(CRect(left, top, right, bottom));
    const QRegion current =
        m_ctx->state.clipped
            ? m_ctx->state.clip
            : QRegion(m_ctx->device != nullptr
                          ? QRect(0, 0, m_ctx->device->width(), m_ctx->device->height())
                          : deviceRect);
    m_ctx->state.clip = current.intersected(deviceRect);
    m_ctx->state.clipped = true;
    ApplyClip();
    return m_ctx->state.clip.isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::SelectClipRgn(std::nullptr_t)
{
    m_ctx->state.clipped = false;
    m_ctx->state.clip = QRegion();
    ApplyClip();
    return SIMPLEREGION;
}

int CDC::GetClipBox(RECT* rect) const
{
    QRect bounds;
    if (m_ctx->hasBaseClip || m_ctx->state.clipped)
        bounds = EffectiveClip().boundingRect();
    else if (m_ctx->device != nullptr)
        bounds = QRect(0, 0, m_ctx->device->width(), m_ctx->device->height());
    const int dx = -m_ctx->state.windowOrigin.x;
    const int dy = -m_ctx->state.windowOrigin.y;
    if (bounds.isEmpty()) {
        *rect = CRect();
        return NULLREGION;
    }
    *rect = CRect(bounds.left() - dx, bounds.top() - dy, bounds.left() + bounds.width() - dx,
                  bounds.top() + bounds.height() - dy);
    return SIMPLEREGION;
}

// Device capabilities -----------------------------------------------------------

int CDC::DeviceCaps(const QPaintDevice* device, int index) const
{
    const bool printer = m_ctx->printer != nullptr;
    switch (index) {
    case LOGPIXELSX:
        return printer ? m_ctx->printer->resolution() : 96;
    case LOGPIXELSY:
        return printer ? m_ctx->printer->resolution() : 96;
    case HORZRES:
        if (printer)
            return m_ctx->printer->width();
        if (m_ctx->screen)
            return GetSystemMetrics(SM_CXSCREEN);
        return device != nullptr ? device->width() : 0;
    case VERTRES:
        if (printer)
            return m_ctx->printer->height();
        if (m_ctx->screen)
            return GetSystemMetrics(SM_CYSCREEN);
        return device != nullptr ? device->height() : 0;
    case HORZSIZE:
        return printer ? m_ctx->printer->widthMM()
                       : (DeviceCaps(device, HORZRES) * 254 + 480) / 960;
    case VERTSIZE:
        return printer ? m_ctx->printer->heightMM()
                       : (DeviceCaps(device, VERTRES) * 254 + 480) / 960;
    case NUMCOLORS:
        // True-colour devices answer -1; a printer that only prints grey is
        // a two-colour device.
        if (printer)
            return m_ctx->printer->colorMode() == QPrinter::GrayScale ? 2 : -1;
        return -1;
    case BITSPIXEL:
        if (printer)
            return m_ctx->printer->colorMode() == QPrinter::GrayScale ? 1 : 24;
        return 32;
    case PLANES:
        return 1;
    case TECHNOLOGY:
        return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    default:
        return 0;
    }
}

int CDC::GetDeviceCaps(int index) const
{
    if (m_attribDC != nullptr && m_attribDC != this)
        return m_attribDC->GetOutputDeviceCaps(index);
    return GetOutputDeviceCaps(index);
}

int CDC::GetOutputDeviceCaps(int index) const
{
    return DeviceCaps(m_ctx->device, index);
}
