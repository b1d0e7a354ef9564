#include "XEdit.h"

// Registered on first use, so that they are ready whenever another part of
// the program asks for them.
UINT CXEdit::KillFocusMessage()
{
    static const UINT message = RegisterWindowMessage("WM_XEDIT_KILL_FOCUS");
    return message;
}

UINT CXEdit::EscapeMessage()
{
    static const UINT message = RegisterWindowMessage("WM_XEDIT_VK_ESCAPE");
    return message;
}

void CXEdit::TellOwner(UINT message)
{
    if (CWnd* owner = GetParent())
        owner->PostMessage(message, GetDlgCtrlID(), reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

void CXEdit::OnKillFocus(CWnd* newWindow)
{
    CEdit::OnKillFocus(newWindow);
    TellOwner(KillFocusMessage());
}

void CXEdit::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_ESCAPE) {
        TellOwner(EscapeMessage());
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
