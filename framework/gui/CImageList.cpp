#include "CImageList.h"

#include "CBitmap.h"

BOOL CImageList::Create(int width, int height, UINT, int, int)
{
    if (width <= 0 || height <= 0)
        return FALSE;
    m_width = width;
    m_height = height;
    m_images.clear();
    return TRUE;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    if (bitmap == nullptr || bitmap->GetImage() == nullptr || m_width <= 0)
        return -1;
    const QImage source = bitmap->GetImage()->convertToFormat(QImage::Format_ARGB32);
    const int first = GetImageCount();
    const QRgb masked = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    for (int x = 0; x + m_width <= source.width(); x += m_width) {
        QImage cell = source.copy(x, 0, m_width, m_height);
        for (int cy = 0; cy < cell.height(); ++cy)
            for (int cx = 0; cx < cell.width(); ++cx)
                if ((cell.pixel(cx, cy) & 0x00FFFFFF) == (masked & 0x00FFFFFF))
                    cell.setPixel(cx, cy, 0x00000000);
        m_images.push_back(cell);
    }
    return GetImageCount() > first ? first : -1;
}

int CImageList::Add(const QImage& image)
{
    if (image.isNull())
        return -1;
    m_images.push_back(image.convertToFormat(QImage::Format_ARGB32).scaled(m_width, m_height));
    return GetImageCount() - 1;
}
