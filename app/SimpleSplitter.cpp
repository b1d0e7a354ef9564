#include "SimpleSplitter.h"

#include "CDC.h"
#include "Cursor.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <algorithm>

CSimpleSplitter::CSimpleSplitter(int orientation) : m_orientation(orientation)
{
    m_panes.assign(static_cast<std::size_t>(m_paneCount), nullptr);
    m_proportions.assign(static_cast<std::size_t>(m_paneCount), 0);
    m_positions.assign(static_cast<std::size_t>(m_paneCount) + 1, 0);
    int sum = 0;
    for (int i = 0; i < m_paneCount - 1; ++i) {
        m_proportions[static_cast<std::size_t>(i)] = (m_paneCount / 2 + kWhole) / m_paneCount;
        sum += m_proportions[static_cast<std::size_t>(i)];
    }
    m_proportions.back() = kWhole - sum;
}

CSimpleSplitter::~CSimpleSplitter() = default;

BOOL CSimpleSplitter::Create(CWnd* parent)
{
    if (parent == nullptr)
        return FALSE;
    const CString className = AfxRegisterWndClass(
        CS_DBLCLKS, LoadCursor(nullptr, SideBySide() ? IDC_SIZEWE : IDC_SIZENS), nullptr);
    CRect area;
    parent->GetClientRect(&area);
    return CWnd::Create(className, "", WS_CHILD | WS_VISIBLE, area, parent, kFirstPaneId);
}

BOOL CSimpleSplitter::CreatePane(int index, CWnd* window, DWORD style, const CString& className)
{
    if (index < 0 || index >= m_paneCount || window == nullptr)
        return FALSE;
    m_panes[static_cast<std::size_t>(index)] = window;
    return window->CreateEx(WS_EX_CLIENTEDGE, className, "", style | WS_CHILD | WS_VISIBLE,
                            PaneRect(index), this, kFirstPaneId + static_cast<UINT>(index));
}

void CSimpleSplitter::AttachPane(CWnd* window)
{
    m_panes[1] = window;
    if (window == nullptr)
        return;
    const CRect rect = PaneRect(1);
    window->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
}

void CSimpleSplitter::SetProportions(const std::vector<int>& values)
{
    if (static_cast<int>(values.size()) != m_paneCount)
        return;
    long long total = 0;
    for (int value : values)
        total += value;
    if (total <= 0)
        return;
    int sum = 0;
    for (int i = 0; i < m_paneCount - 1; ++i) {
        const auto share = static_cast<int>(
            (total / 2 + static_cast<long long>(values[static_cast<std::size_t>(i)]) * kWhole) /
            total);
        m_proportions[static_cast<std::size_t>(i)] = share;
        sum += share;
    }
    m_proportions.back() = kWhole - sum;
    RecalcLayout();
    ResizePanes();
}

void CSimpleSplitter::SetPaneFocus(int index)
{
    if (index >= 0 && index < m_paneCount && m_panes[static_cast<std::size_t>(index)] != nullptr)
        m_panes[static_cast<std::size_t>(index)]->SetFocus();
}

// Layout ---------------------------------------------------------------------

int CSimpleSplitter::AlongExtent() const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    CRect client;
    GetClientRect(&client);
    return SideBySide() ? client.Width() : client.Height();
}

int CSimpleSplitter::PaneSpace() const
{
    return std::max(0, AlongExtent() - (m_paneCount - 1) * m_barWidth);
}

int CSimpleSplitter::Share(int proportion, int space) const
{
    return static_cast<int>((static_cast<long long>(space) * proportion + 0x4000) / kWhole);
}

void CSimpleSplitter::RecalcLayout()
{
    const int space = PaneSpace();
    if (space <= 0) {
        // Not laid out yet (or shrunk to nothing): the panes keep their
        // shares for when there is room again.
        m_positions[0] = 0;
        for (int i = 1; i <= m_paneCount; ++i)
            m_positions[static_cast<std::size_t>(i)] = i * m_barWidth;
        return;
    }
    const int minimum = m_minimumPaneSize;
    // The proportion of a pane that is exactly the minimum size.
    const int minimumShare =
        space > 0 ? static_cast<int>((space / 2 + static_cast<long long>(minimum) * kWhole) / space)
                  : 0;
    bool changed = false;
    do {
        changed = false;
        int remaining = kWhole;
        int aboveMinimum = kWhole;
        for (int& proportion : m_proportions) {
            if (Share(proportion, space) > minimum)
                continue;
            aboveMinimum -= proportion;
            if (Share(proportion, space) < minimum) {
                proportion = minimum > space ? kWhole : minimumShare;
                changed = true;
            }
            remaining -= proportion;
        }
        if (remaining <= 0) {
            // Not even the minimum fits for all: each gets what is left.
            int left = kWhole;
            for (int& proportion : m_proportions) {
                proportion = std::min(space == 0 ? 0 : minimumShare, left);
                left -= proportion;
            }
            break;
        }
        if (remaining != kWhole && remaining >= 1 && aboveMinimum > 0) {
            for (int& proportion : m_proportions) {
                if (Share(proportion, space) != minimum)
                    proportion = static_cast<int>(
                        (static_cast<long long>(proportion) * remaining + aboveMinimum / 2) /
                        aboveMinimum);
            }
        }
    } while (changed);

    m_positions[0] = 0;
    for (int i = 0; i < m_paneCount - 1; ++i)
        m_positions[static_cast<std::size_t>(i) + 1] =
            m_positions[static_cast<std::size_t>(i)] +
            Share(m_proportions[static_cast<std::size_t>(i)], space) + m_barWidth;
    m_positions.back() = space + m_paneCount * m_barWidth;
}

CRect CSimpleSplitter::PaneRect(int index) const
{
    CRect client;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&client);
    const int from = m_positions[static_cast<std::size_t>(index)];
    const int to = m_positions[static_cast<std::size_t>(index) + 1] - m_barWidth;
    if (SideBySide())
        return CRect(from, 0, to, client.bottom);
    return CRect(0, from, client.right, to);
}

void CSimpleSplitter::ResizePanes()
{
    for (int i = 0; i < m_paneCount; ++i) {
        CWnd* pane = m_panes[static_cast<std::size_t>(i)];
        if (pane == nullptr || pane->GetSafeHwnd() == nullptr)
            continue;
        const CRect rect = PaneRect(i);
        pane->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    }
}

// Messages -------------------------------------------------------------------

BOOL CSimpleSplitter::OnNcCreate(LPCREATESTRUCT create)
{
    if (!CWnd::OnNcCreate(create))
        return FALSE;
    // The splitter's panes carry the edges; the parent's would double them.
    if (CWnd* parent = GetParent())
        parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void CSimpleSplitter::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
    ResizePanes();
}

void CSimpleSplitter::OnWindowPosChanging(WINDOWPOS* position)
{
    position->flags |= SWP_NOCOPYBITS;
    CWnd::OnWindowPosChanging(position);
}

void CSimpleSplitter::OnPaint()
{
    CPaintDC dc(this);
    const CRect update = dc.m_ps.rcPaint;
    for (int i = 1; i < m_paneCount; ++i) {
        const int end = m_positions[static_cast<std::size_t>(i)];
        const CRect bar = SideBySide() ? CRect(end - m_barWidth, update.top, end, update.bottom)
                                       : CRect(update.left, end - m_barWidth, update.right, end);
        dc.FillSolidRect(&bar, GetSysColor(COLOR_BTNFACE));
    }
}

void CSimpleSplitter::DrawTracker()
{
    // Over the panes: the tracker shows wherever it is dragged.
    COverChildrenDC dc(this);
    CBrush* old = dc.SelectObject(CDC::GetHalftoneBrush());
    if (SideBySide())
        dc.PatBlt(m_tracker - m_barWidth, 0, m_barWidth, m_dragAcross, PATINVERT);
    else
        dc.PatBlt(0, m_tracker - m_barWidth, m_dragAcross, m_barWidth, PATINVERT);
    dc.SelectObject(old);
}

void CSimpleSplitter::OnLButtonDown(UINT, CPoint point)
{
    const int along = Along(point);
    SetCapture();
    m_dragBar = m_paneCount - 1;
    for (int k = 1; k < m_paneCount; ++k) {
        if (m_positions[static_cast<std::size_t>(k)] >= along) {
            m_dragBar = k;
            break;
        }
    }
    m_tracker = m_positions[static_cast<std::size_t>(m_dragBar)];
    m_grabOffset = along - m_tracker;
    CRect client;
    GetClientRect(&client);
    m_dragAcross = SideBySide() ? client.Height() : client.Width();
    m_dragging = true;
    DrawTracker();
}

void CSimpleSplitter::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging || GetCapture() != this)
        return;
    DrawTracker();
    const auto k = static_cast<std::size_t>(m_dragBar);
    m_tracker = Along(point) - m_grabOffset;
    const int highest = m_positions[k + 1] - m_minimumPaneSize - m_barWidth;
    const int lowest = m_positions[k - 1] + m_minimumPaneSize + m_barWidth;
    if (m_tracker > highest)
        m_tracker = highest;
    if (m_tracker < lowest)
        m_tracker = lowest;
    DrawTracker();
}

void CSimpleSplitter::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging)
        return;
    DrawTracker();
    m_dragging = false;
    ReleaseCapture();
    const auto k = static_cast<std::size_t>(m_dragBar);
    m_positions[k] = m_tracker;
    const int space = std::max(PaneSpace(), 1);
    m_proportions[k - 1] = static_cast<int>(
        (static_cast<long long>(m_positions[k] - m_positions[k - 1] - m_barWidth) * kWhole +
         space / 2) /
        space);
    m_proportions[k] = static_cast<int>(
        (static_cast<long long>(m_positions[k + 1] - m_positions[k] - m_barWidth) * kWhole +
         space / 2) /
        space);
    ResizePanes();
}

BOOL CSimpleSplitter::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A control that handles its own notification (the value list's column
    // clicks) keeps it; the rest go up to the window that holds the
    // splitter.
    if (CWnd::OnNotify(wParam, lParam, result))
        return TRUE;
    CWnd* parent = GetParent();
    if (wParam == 0 || parent == nullptr)
        return FALSE;
    *result = parent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
