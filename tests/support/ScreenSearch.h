#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

// Finding what a program shows, in a screenshot or a picture it wrote.
namespace ScreenSearch {

// The windows with a sunken edge (the view's tree, chart and list panes),
// largest first, within an area of the screen.
std::vector<QRect> SunkenPanes(const QImage& screen, QRect within);
// Rows of an area whose pixels all have one colour.
bool IsUniform(const QImage& image, QRect area, QRgb colour);
int CountColour(const QImage& image, QRect area, QRgb colour);
// The pixels of an area whose colour passes.
int Count(const QImage& image, QRect area, const std::function<bool(QRgb)>& passes);
// The first point of an area, row by row, whose colour passes; null when
// none does.
QPoint Find(const QImage& image, QRect area, const std::function<bool(QRgb)>& passes);
// Strongly red, as the first metric's texts are drawn.
bool IsRed(QRgb colour);
// The title bar of the active child window inside an area: the first band
// of rows that are mostly the blue of an active title; empty when none.
QRect ActiveTitleBar(const QImage& image, QRect area);
// The middle of the close button at the right end of a title bar: the
// rightmost white glyph on it.
QPoint CloseButton(const QImage& image, QRect titleBar);

// Whether a pixel is ink of one colour on paper of another. Smoothed text
// blends its colour into the paper, so a pixel counts when it lies on the
// way from the paper's colour to the ink's, at least half way: the strokes
// of any font pass, while the paper, other colours and faint lines do not.
bool IsInk(QRgb pixel, QRgb ink, QRgb paper);
// The bands of rows of an area that have a pixel that passes, top to bottom,
// each as its first and last row: the lines of text of a column of text.
struct RowBand
{
    int top = 0;
    int bottom = 0;
};
std::vector<RowBand> RowBands(const QImage& image, QRect area,
                              const std::function<bool(QRgb)>& passes);
// The longest unbroken line of one colour in an area, across or down, as a
// rectangle one pixel thick; empty when the area has none of the colour.
QRect LongestLine(const QImage& image, QRect area, QRgb colour, Qt::Orientation orientation);
// The rectangle of one colour whose top-left pixel is given: as far right
// and down from it as the colour goes.
QRect SolidRect(const QImage& image, QPoint topLeft);

} // namespace ScreenSearch
