#pragma once

#include "CFont.h"
#include "CString.h"
#include "XGraphObject.h"

#include <memory>

class CEdit;

// A text box on the chart: filled or transparent, framed or not, optionally
// joined by a line to the middle point of a series.
class CXGraphLabel : public CXGraphObject
{
    DECLARE_DYNAMIC(CXGraphLabel)
public:
    CXGraphLabel();
    ~CXGraphLabel() override;
    CXGraphLabel(const CXGraphLabel&) = delete;
    CXGraphLabel& operator=(const CXGraphLabel&) = delete;

    void Draw(CDCEx* dc) override;
    void Serialize(CArchive& archive) override;
    // Edits the text in place in an edit control over the label.
    void Edit() override;
    // Takes the edited text and closes the edit control.
    void EndEdit() override;
    // "Properties" at the mouse, opening the label dialog.
    void ShowContextMenu() override;

    // The id of the in-place edit control.
    static constexpr UINT kEditId = 0xFFFE;
    // The command of the context menu's "Properties".
    static constexpr UINT kPropertiesCommand = 40006;

    CString m_text{" "};
    CFont m_font;
    COLORREF m_fillColour;
    COLORREF m_textColour = 0;
    bool m_border = true;
    bool m_transparent = false;
    // DrawText flags.
    UINT m_textFormat = 0;
    // The series the connector line leads to, or -1.
    int m_attachedSeries = -1;
    // While editing.
    std::unique_ptr<CEdit> m_edit;
};
