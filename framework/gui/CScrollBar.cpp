#include "CScrollBar.h"

#include "ScrollBarBinding.h"

#include <QScrollBar>

CScrollBar::CScrollBar() = default;

CScrollBar::~CScrollBar()
{
    // The binding refers to the widget, which goes with the window.
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_binding.reset();
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("ScrollBar", "", style, rect, parent, id);
}

QWidget* CScrollBar::CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent)
{
    auto* bar =
        new QScrollBar((create.style & SBS_VERT) != 0 ? Qt::Vertical : Qt::Horizontal, parent);
    bar->setGeometry(0, 0, create.cx, create.cy);
    bar->show();
    m_binding = std::make_unique<ScrollBarBinding>(bar, create.hwndParent, this);
    return bar;
}

void CScrollBar::PostNcDestroy()
{
    m_binding.reset();
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw)
{
    if (m_binding == nullptr || info == nullptr)
        return FALSE;
    m_binding->Set(*info, redraw != FALSE);
    // A control stays on show; with nothing to scroll it is disabled when
    // that was asked for.
    m_binding->Bar()->setEnabled(m_binding->CanScroll() || !m_binding->DisableNoScroll());
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask)
{
    if (m_binding == nullptr || info == nullptr)
        return FALSE;
    info->fMask = mask;
    m_binding->Get(info);
    return TRUE;
}

int CScrollBar::SetScrollPos(int position, BOOL redraw)
{
    if (m_binding == nullptr)
        return 0;
    const int old = GetScrollPos();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
    m_binding->Set(info, redraw != FALSE);
    return old;
}

int CScrollBar::GetScrollPos() const
{
    if (m_binding == nullptr)
        return 0;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    m_binding->Get(&info);
    return info.nPos;
}

void CScrollBar::GetScrollRange(int* minimum, int* maximum) const
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (m_binding != nullptr)
        m_binding->Get(&info);
    *minimum = info.nMin;
    *maximum = info.nMax;
}
