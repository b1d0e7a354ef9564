#pragma once

#include "Geometry.h"
#include "WinTypes.h"

#include <QImage>

#include <vector>

class CBitmap;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR32 = 0x0020;

// Images of one size, added from bitmaps cut into cells and read by index;
// with a mask colour, pixels of that colour are left out.
class CImageList
{
public:
    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    // Cuts the bitmap into cells of the list's width; returns the index of
    // the first, or -1.
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(const QImage& image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    const QImage& Image(int index) const { return m_images.at(static_cast<std::size_t>(index)); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<QImage> m_images;
};
