// The toolbar's nine 40 x 34 images, drawn as the program's own: open,
// save, save as, print, add metric, remove metric, zoom in, zoom out and
// cut selection. The first pixel of each bitmap is the transparent colour.

#include "Resources.h"

#include <QPainter>
#include <QPainterPath>

namespace Resources {

namespace {

constexpr QRgb kTransparent = qRgb(255, 0, 255);

void Wave(QPainter& painter, int x, QColor colour)
{
    QPainterPath path;
    path.moveTo(x + 4, 24);
    path.cubicTo(x + 10, 6, x + 16, 30, x + 22, 14);
    path.cubicTo(x + 25, 8, x + 28, 12, x + 30, 16);
    painter.setPen(QPen(colour, 2.2));
    painter.drawPath(path);
}

void Sign(QPainter& painter, int x, bool plus, QColor colour)
{
    painter.setPen(QPen(colour, 3));
    painter.drawLine(x + 24, 26, x + 34, 26);
    if (plus)
        painter.drawLine(x + 29, 21, x + 29, 31);
}

void Magnifier(QPainter& painter, int x, bool plus, QColor ink)
{
    painter.setPen(QPen(ink, 2.5));
    painter.setBrush(QColor(220, 240, 255));
    painter.drawEllipse(QRectF(x + 8, 5, 18, 18));
    painter.setPen(QPen(ink, 4.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x + 23, 20), QPointF(x + 32, 29));
    painter.setPen(QPen(ink, 2.5));
    painter.drawLine(x + 12, 14, x + 22, 14);
    if (plus)
        painter.drawLine(x + 17, 9, x + 17, 19);
}

void DrawButtons(QPainter& painter, QColor ink, QColor accent, QColor paper)
{
    // Open: a folder.
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(accent.lighter(150));
    painter.drawRect(QRectF(6, 11, 26, 17));
    painter.setBrush(accent);
    painter.drawPolygon(
        QPolygonF({QPointF(6, 28), QPointF(11, 16), QPointF(36, 16), QPointF(31, 28)}));
    // Save and save as: a disk.
    for (int x : {40, 80}) {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(QColor(60, 90, 160));
        painter.drawRect(QRectF(x + 8, 5, 24, 24));
        painter.setBrush(paper);
        painter.drawRect(QRectF(x + 12, 5, 16, 9));
        painter.drawRect(QRectF(x + 12, 19, 16, 10));
    }
    painter.setPen(QPen(QColor(200, 60, 40), 2.5));
    painter.drawLine(114, 31, 124, 21);
    // Print: a printer with its page.
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(paper);
    painter.drawRect(QRectF(128, 4, 16, 12));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawRect(QRectF(124, 14, 24, 11));
    painter.setBrush(paper);
    painter.drawRect(QRectF(128, 22, 16, 9));
    // Add and remove metric: a curve with a plus or a minus.
    Wave(painter, 160, accent);
    Sign(painter, 160, true, QColor(30, 140, 40));
    Wave(painter, 200, accent);
    Sign(painter, 200, false, QColor(200, 40, 30));
    // Zoom in and out.
    Magnifier(painter, 240, true, ink);
    Magnifier(painter, 280, false, ink);
    // Cut selection: scissors over a selected band.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(accent.red(), accent.green(), accent.blue(), 90));
    painter.drawRect(QRectF(324, 4, 12, 26));
    painter.setPen(QPen(ink, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(324, 20, 7, 7));
    painter.drawEllipse(QRectF(333, 20, 7, 7));
    painter.drawLine(329, 20, 338, 5);
    painter.drawLine(335, 20, 326, 5);
}

} // namespace

QImage ToolbarBitmap(UINT id)
{
    QImage image(9 * kButtonWidth, kButtonHeight, QImage::Format_RGB32);
    image.fill(kTransparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (id == IDB_TOOLBAR_DISABLED)
        DrawButtons(painter, QColor(128, 128, 128), QColor(160, 160, 160), QColor(210, 210, 210));
    else if (id == IDB_TOOLBAR_HOT)
        DrawButtons(painter, QColor(0, 0, 0), QColor(255, 170, 0), QColor(255, 255, 230));
    else
        DrawButtons(painter, QColor(40, 40, 40), QColor(230, 150, 20), QColor(255, 255, 255));
    painter.end();
    // Antialiased edges blend into the transparent colour; the corner stays
    // exactly it.
    image.setPixel(0, 0, kTransparent);
    return image;
}

} // namespace Resources
