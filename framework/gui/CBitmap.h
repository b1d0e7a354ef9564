#pragma once

#include "CGdiObject.h"

#include <QImage>

class CDC;

// A bitmap of 32-bit pixels. Its bits, as GetBitmapBits gives them, are rows
// from the top, 4 bytes a pixel in the order blue, green, red, unused.
class CBitmap : public CGdiObject
{
public:
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // Only 32 bits per pixel and one plane are supported.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    int GetBitmap(BITMAP* bitmap) const;
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);

    QImage* GetImage() { return &m_image; }
    const QImage* GetImage() const { return &m_image; }

protected:
    void Reset() override { m_image = QImage(); }

private:
    QImage m_image;
};
