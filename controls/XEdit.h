#pragma once

#include "CEdit.h"

// The edit window of the value list's edit cells: an edit that tells its
// owner when editing ends. Losing the keyboard focus, or Enter in a
// single-line edit, which hands the focus back to the owner, posts the
// registered message "WM_XEDIT_KILL_FOCUS"; Escape posts
// "WM_XEDIT_VK_ESCAPE". Both carry the edit's id and the edit. They are
// posted, so that the owner may destroy the edit when they arrive.
class CXEdit : public CEdit
{
public:
    static UINT KillFocusMessage();
    static UINT EscapeMessage();

protected:
    void OnKillFocus(CWnd* newWindow) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;

private:
    void TellOwner(UINT message);
};
