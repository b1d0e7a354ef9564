#pragma once

#include "CWnd.h"

#include <vector>

// A window split into two panes, side by side (orientation 1) or stacked
// (any other value), by a bar the user drags. Pane sizes are proportions of
// the whole in units of 1/32768, so that panes keep their shares when the
// splitter is resized; no pane shrinks below the minimum size. Notifications
// of the panes go on to the splitter's parent, so that nested splitters
// pass them up to the window that holds them.
class CSimpleSplitter : public CWnd
{
public:
    static constexpr int kWhole = 0x8000;
    static constexpr UINT kFirstPaneId = 0xE900;

    explicit CSimpleSplitter(int orientation);
    ~CSimpleSplitter() override;

    // Covers the parent's client area.
    BOOL Create(CWnd* parent);
    // Creates a window object as pane `index`, with a sunken edge.
    BOOL CreatePane(int index, CWnd* window, DWORD style, const CString& className);
    // Makes an existing window pane 1.
    void AttachPane(CWnd* window);
    // Shares in any unit, one per pane.
    void SetProportions(const std::vector<int>& values);
    void SetPaneFocus(int index);

    void RecalcLayout();
    void ResizePanes();

    int GetPaneCount() const { return m_paneCount; }
    CWnd* GetPane(int index) const { return m_panes.at(static_cast<std::size_t>(index)); }
    int GetProportion(int index) const { return m_proportions.at(static_cast<std::size_t>(index)); }
    int GetPosition(int index) const { return m_positions.at(static_cast<std::size_t>(index)); }
    bool IsDragging() const { return m_dragging; }

    int m_orientation;
    int m_paneCount = 2;
    int m_minimumPaneSize = 30;
    int m_barWidth = 3;

protected:
    BOOL OnNcCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnWindowPosChanging(WINDOWPOS* position) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool SideBySide() const { return m_orientation == 1; }
    int Along(CPoint point) const { return SideBySide() ? point.x : point.y; }
    // The client extent along the panes and the room left for them.
    int AlongExtent() const;
    int PaneSpace() const;
    int Share(int proportion, int space) const;
    CRect PaneRect(int index) const;
    void DrawTracker();

    std::vector<CWnd*> m_panes;
    std::vector<int> m_proportions;
    std::vector<int> m_positions;
    bool m_dragging = false;
    int m_dragBar = 0;
    int m_tracker = 0;
    int m_dragAcross = 0;
    int m_grabOffset = 0;
};
