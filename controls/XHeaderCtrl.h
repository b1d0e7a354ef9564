#pragma once

#include "CHeaderCtrl.h"

// The value list's own column header: flat columns in the button colours
// with their images, texts drawn with an end ellipsis, divider lines between
// columns and a 3-D frame around them all.
class CXHeaderCtrl : public CHeaderCtrl
{
public:
    CXHeaderCtrl();

    // Checked and unchecked box images of a column that shows a check box.
    static constexpr int kImageUnchecked = 1;
    static constexpr int kImageChecked = 2;

    COLORREF m_highlight = 0;
    COLORREF m_shadow = 0;
    COLORREF m_face = 0;
    COLORREF m_textColour = 0;
    BOOL m_drawDividers = TRUE;
    BOOL m_doubleBuffer = TRUE;
    // -1 takes the alignment from the column format.
    int m_forcedAlignment = -1;
    int m_spacing = 6;

protected:
    void OnPaint() override;
    void OnSysColorChange() override;

private:
    void ReadSysColors();
    void PaintColumns(CDC* dc, const CRect& clip);
};
