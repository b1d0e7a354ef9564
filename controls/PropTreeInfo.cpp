#include "PropTreeInfo.h"

#include "PropTree.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

namespace {

// The texts shown while no row has the focus.
const CString kNoItemTitle = "No Item Selected";
const CString kNoItemDescription = "Select an item to see it's description";

} // namespace

BOOL CPropTreeInfo::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(AfxRegisterWndClass(0), "", style, rect, parent, id);
}

CString CPropTreeInfo::GetTitle() const
{
    const CPropTreeItem* focused = m_tree != nullptr ? m_tree->GetFocusedItem() : nullptr;
    return focused != nullptr ? focused->GetLabelText() : kNoItemTitle;
}

CString CPropTreeInfo::GetDescription() const
{
    const CPropTreeItem* focused = m_tree != nullptr ? m_tree->GetFocusedItem() : nullptr;
    return focused != nullptr ? focused->GetInfoText() : kNoItemDescription;
}

BOOL CPropTreeInfo::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPropTreeInfo::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CRect edge = client;
    dc.DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    CRect text = client;
    text.DeflateRect(4, 4);
    const bool enabled = m_tree == nullptr || m_tree->IsWindowEnabled();
    dc.SetTextColor(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc.SetBkMode(TRANSPARENT);
    const CString title = GetTitle();
    const CString description = GetDescription();
    CFont* old = dc.SelectObject(CPropTree::GetBoldFont());
    CRect titleRect = text;
    const int titleHeight = dc.DrawText(title, &titleRect, DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(CPropTree::GetNormalFont());
    CRect descriptionRect = text;
    descriptionRect.top += titleHeight;
    dc.DrawText(description, &descriptionRect, DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(old);
}
