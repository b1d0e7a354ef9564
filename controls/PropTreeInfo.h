#pragma once

#include "CWnd.h"

class CPropTree;

// The description pane of the property tree: the focused row's label in
// bold and its description below.
class CPropTreeInfo : public CWnd
{
public:
    static constexpr UINT kId = 0xFFFF;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetPropOwner(CPropTree* tree) { m_tree = tree; }
    // What the pane shows: the focused row's label and description, or the
    // texts for no row.
    CString GetTitle() const;
    CString GetDescription() const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    CPropTree* m_tree = nullptr;
};
