#pragma once

#include "PropTreeItem.h"

// A row whose value column shows a fixed text.
class CPropTreeItemStatic : public CPropTreeItem
{
public:
    ~CPropTreeItemStatic() override = default;

    void DrawValue(CDC* dc, const CRect& valueRect) override;
    // A pointer to the text.
    LPARAM GetValue() override;
    // Copies the zero-terminated UTF-16 text it points to; null is ignored.
    void SetValue(LPARAM value) override;

    const CString& GetStaticText() const { return m_text; }

private:
    CString m_text;
};
