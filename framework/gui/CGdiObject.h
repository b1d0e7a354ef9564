#pragma once

#include "CObject.h"
#include "Gdi.h"

// A drawing object (pen, brush, font, bitmap, region): a plain description
// that device contexts read when they draw with it.
class CGdiObject : public CObject
{
public:
    ~CGdiObject() override = default;
    // Whether the object was created (and not deleted).
    bool IsCreated() const { return m_created; }
    BOOL DeleteObject();

protected:
    virtual void Reset() {}
    bool m_created = false;
};

// The program-wide stock object of that number (WHITE_BRUSH, NULL_PEN,
// ANSI_VAR_FONT, ...), or null.
CGdiObject* GetStockObject(int index);
