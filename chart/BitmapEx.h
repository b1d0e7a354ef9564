#pragma once

#include "CBitmap.h"

// The bitmap of the chart's picture object, able to store and load itself:
// type, width, height, bytes per row (32-bit each), planes, bits per pixel
// (16-bit each), then the rows of pixels.
class CBitmapEx : public CBitmap
{
    DECLARE_DYNAMIC(CBitmapEx)
public:
    void Serialize(CArchive& archive) override;
};
