#pragma once

#include "XGraphObject.h"

class CBitmapEx;

// A picture on the chart, stretched into the object's rectangle.
class CXGraphBitmap : public CXGraphObject
{
    DECLARE_DYNAMIC(CXGraphBitmap)
public:
    CXGraphBitmap();
    ~CXGraphBitmap() override;
    CXGraphBitmap(const CXGraphBitmap&) = delete;
    CXGraphBitmap& operator=(const CXGraphBitmap&) = delete;

    void Draw(CDCEx* dc) override;
    void Serialize(CArchive& archive) override;

    // Hands the picture over; owned pictures are deleted with the object.
    void SetBitmap(CBitmapEx* bitmap, bool owned);

    CBitmapEx* m_bitmap = nullptr;
    bool m_ownsBitmap = false;
    bool m_border = true;
};
