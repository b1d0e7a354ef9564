#include "XEdit.h"

namespace {

const UINT g_killFocus = RegisterWindowMessage("WM_XEDIT_KILL_FOCUS");
const UINT g_escape = RegisterWindowMessage("WM_XEDIT_VK_ESCAPE");

} // namespace

UINT CXEdit::KillFocusMessage()
{
    return g_killFocus;
}

UINT CXEdit::EscapeMessage()
{
    return g_escape;
}

void CXEdit::TellOwner(UINT message)
{
    if (CWnd* owner = GetParent())
        owner->PostMessage(message, GetDlgCtrlID(), reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

void CXEdit::OnKillFocus(CWnd* newWindow)
{
    CEdit::OnKillFocus(newWindow);
    TellOwner(g_killFocus);
}

void CXEdit::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_ESCAPE) {
        TellOwner(g_escape);
        return;
    }
    if (key == VK_RETURN && (GetStyle() & ES_MULTILINE) == 0) {
        // Done: the owner takes the focus back, and the edit hears that it
        // lost it.
        if (CWnd* owner = GetParent())
            owner->SetFocus();
        return;
    }
    CEdit::OnKeyDown(key, repeatCount, flags);
}
