#pragma once

#include "CString.h"
#include "Geometry.h"

class CWnd;

// A tooltip: a short text shown near the mouse for the tool under it.
class CToolTipCtrl
{
public:
    // Shows the text at a point of the window (client coordinates); an
    // empty text hides the tip.
    void Show(CWnd* window, const CString& text, CPoint at);
    void Hide();
    int GetToolId() const { return m_tool; }
    void SetToolId(int tool) { m_tool = tool; }

private:
    int m_tool = 0;
};
