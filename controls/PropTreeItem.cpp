#include "PropTreeItem.h"

#include "CDC.h"
#include "PropTree.h"
#include "PropTreeItemStatic.h"

void CPropTreeItem::DrawValue(CDC*, const CRect&) {}

void CPropTreeItemStatic::DrawValue(CDC* dc, const CRect& valueRect)
{
    CFont* old = dc->SelectObject(CPropTree::GetNormalFont());
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    CRect rect = valueRect;
    dc->DrawText(m_text, &rect, DT_SINGLELINE | DT_VCENTER);
    dc->SelectObject(old);
}

LPARAM CPropTreeItemStatic::GetValue()
{
    return reinterpret_cast<LPARAM>(m_text.GetString());
}

void CPropTreeItemStatic::SetValue(LPARAM value)
{
    if (value != 0)
        m_text = CString(reinterpret_cast<const char16_t*>(value));
}
