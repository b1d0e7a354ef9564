#include "ScreenSearch.h"

#include <algorithm>
#include <array>

namespace ScreenSearch {

namespace {

// The colours of a sunken window edge.
constexpr QRgb kShadow = 0xFFA0A0A0;
constexpr QRgb kDarkShadow = 0xFF696969;

QRgb At(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0;
    return image.pixel(x, y);
}

} // namespace

std::vector<QRect> SunkenPanes(const QImage& screen, QRect within)
{
    std::vector<QRect> panes;
    const QRect area = within.intersected(screen.rect());
    for (int y = area.top(); y < area.bottom(); ++y) {
        for (int x = area.left(); x < area.right(); ++x) {
            // The top-left corner: shadow outside, dark shadow inside, and
            // no shadow before it on either line.
            if (At(screen, x, y) != kShadow || At(screen, x + 1, y + 1) != kDarkShadow ||
                At(screen, x + 1, y) != kShadow || At(screen, x, y + 1) != kShadow ||
                At(screen, x - 1, y) == kShadow || At(screen, x, y - 1) == kShadow)
                continue;
            int right = x;
            while (At(screen, right + 1, y) == kShadow)
                ++right;
            int bottom = y;
            while (At(screen, x, bottom + 1) == kShadow)
                ++bottom;
            // The shadow lines stop one pixel before the far edges.
            const QRect pane(QPoint(x, y), QPoint(right + 1, bottom + 1));
            if (pane.width() >= 40 && pane.height() >= 40)
                panes.push_back(pane);
        }
    }
    std::sort(panes.begin(), panes.end(), [](const QRect& a, const QRect& b) {
        return a.width() * a.height() > b.width() * b.height();
    });
    return panes;
}

bool IsUniform(const QImage& image, QRect area, QRgb colour)
{
    return CountColour(image, area, colour) == area.width() * area.height();
}

int CountColour(const QImage& image, QRect area, QRgb colour)
{
    return Count(image, area, [colour](QRgb pixel) { return pixel == colour; });
}

int Count(const QImage& image, QRect area, const std::function<bool(QRgb)>& passes)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (passes(image.pixel(x, y)))
                ++count;
    return count;
}

QPoint Find(const QImage& image, QRect area, const std::function<bool(QRgb)>& passes)
{
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (passes(image.pixel(x, y)))
                return QPoint(x, y);
    return {};
}

bool IsRed(QRgb colour)
{
    return qRed(colour) > 200 && qGreen(colour) < 80 && qBlue(colour) < 80;
}

namespace {

bool IsTitleBlue(QRgb colour)
{
    return qBlue(colour) > 150 && qRed(colour) < 120 && qGreen(colour) > 80;
}

// The step from one colour to another, red, green and blue.
std::array<double, 3> ColourStep(QRgb from, QRgb to)
{
    return {static_cast<double>(qRed(to) - qRed(from)),
            static_cast<double>(qGreen(to) - qGreen(from)),
            static_cast<double>(qBlue(to) - qBlue(from))};
}

double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

QRect ActiveTitleBar(const QImage& image, QRect area)
{
    const QRect clipped = area.intersected(image.rect());
    int top = -1;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        int blue = 0;
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            blue += IsTitleBlue(image.pixel(x, y)) ? 1 : 0;
        const bool band = blue * 2 > clipped.width();
        if (band && top < 0)
            top = y;
        if (!band && top >= 0)
            return QRect(clipped.left(), top, clipped.width(), y - top);
    }
    return {};
}

QPoint CloseButton(const QImage& image, QRect titleBar)
{
    for (int x = titleBar.right(); x >= titleBar.left(); --x)
        for (int y = titleBar.top(); y <= titleBar.bottom(); ++y)
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                return QPoint(x - 3, titleBar.center().y());
    return {};
}

bool IsInk(QRgb pixel, QRgb ink, QRgb paper)
{
    const std::array<double, 3> way = ColourStep(paper, ink);
    const std::array<double, 3> seen = ColourStep(paper, pixel);
    const double squaredLength = Dot(way, way);
    if (squaredLength == 0.0)
        return false;
    // Where the pixel lies along the way (0 at the paper, 1 at the ink) and
    // how far off it, squared.
    const double along = Dot(seen, way) / squaredLength;
    double squaredOff = 0.0;
    for (std::size_t i = 0; i < 3; ++i)
        squaredOff += (seen[i] - along * way[i]) * (seen[i] - along * way[i]);
    // At least half way, and off the way by at most a tenth of its length.
    return along >= 0.5 && along <= 1.1 && squaredOff <= 0.01 * squaredLength;
}

std::vector<RowBand> RowBands(const QImage& image, QRect area,
                              const std::function<bool(QRgb)>& passes)
{
    std::vector<RowBand> bands;
    const QRect clipped = area.intersected(image.rect());
    bool inBand = false;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        bool hasInk = false;
        for (int x = clipped.left(); x <= clipped.right() && !hasInk; ++x)
            hasInk = passes(image.pixel(x, y));
        if (hasInk && !inBand)
            bands.push_back({y, y});
        if (hasInk)
            bands.back().bottom = y;
        inBand = hasInk;
    }
    return bands;
}

QRect LongestLine(const QImage& image, QRect area, QRgb colour, Qt::Orientation orientation)
{
    const QRect clipped = area.intersected(image.rect());
    const bool across = orientation == Qt::Horizontal;
    // Each row (across) or column (down) is walked along; a run of the colour
    // ends at another colour or at the area's end.
    const int lineCount = across ? clipped.height() : clipped.width();
    const int length = across ? clipped.width() : clipped.height();
    QRect longest;
    for (int line = 0; line < lineCount; ++line) {
        int runStart = 0;
        for (int along = 0; along <= length; ++along) {
            const QPoint at = across ? QPoint(clipped.left() + along, clipped.top() + line)
                                     : QPoint(clipped.left() + line, clipped.top() + along);
            if (along < length && image.pixel(at) == colour)
                continue;
            const int run = along - runStart;
            if (run > 0 && run > (across ? longest.width() : longest.height())) {
                longest = across ? QRect(clipped.left() + runStart, at.y(), run, 1)
                                 : QRect(at.x(), clipped.top() + runStart, 1, run);
            }
            runStart = along + 1;
        }
    }
    return longest;
}

QRect SolidRect(const QImage& image, QPoint topLeft)
{
    if (!image.rect().contains(topLeft))
        return {};
    const QRgb colour = image.pixel(topLeft);
    int right = topLeft.x();
    while (right + 1 < image.width() && image.pixel(right + 1, topLeft.y()) == colour)
        ++right;
    int bottom = topLeft.y();
    while (bottom + 1 < image.height() && image.pixel(topLeft.x(), bottom + 1) == colour)
        ++bottom;
    return QRect(topLeft, QPoint(right, bottom));
}

} // namespace ScreenSearch
