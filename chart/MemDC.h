#pragma once

#include "CBitmap.h"
#include "CDC.h"

// Double buffering for a paint: drawing goes into a bitmap the size of the
// paint's clip box, which is copied back when the helper goes out of scope.
// When printing it draws straight into the paint device context.
class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* paintDC);
    ~CMemDC() override;

    // The part copied back, when not the whole clip box.
    CRect m_rect;

private:
    CDC* m_paintDC;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CRect m_clipBox;
    bool m_buffered = false;
};
