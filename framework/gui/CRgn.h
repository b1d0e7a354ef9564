#pragma once

#include "CGdiObject.h"

#include <QRegion>

// A region in device coordinates, for clipping.
class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom)
    {
        m_region = QRegion(left, top, right - left, bottom - top);
        m_created = true;
        return TRUE;
    }
    BOOL CreateRectRgnIndirect(const RECT* rect)
    {
        return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
    }

    QRegion m_region;

protected:
    void Reset() override { m_region = QRegion(); }
};
