#include "ScrollBarBinding.h"

#include "CScrollBar.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

ScrollBarBinding::ScrollBarBinding(QScrollBar* bar, CWnd* receiver, CWnd* control)
    : m_bar(bar), m_receiver(receiver), m_control(control)
{
    m_bar->installEventFilter(this);
    QObject::connect(m_bar, &QAbstractSlider::actionTriggered, this,
                     [this](int action) { OnAction(action); });
    QObject::connect(m_bar, &QAbstractSlider::sliderReleased, this, [this] {
        m_tracking = false;
        Send(SB_THUMBPOSITION, m_trackPos);
        Send(SB_ENDSCROLL, 0);
        Mirror();
    });
    Mirror();
}

int ScrollBarBinding::MaxPosition() const
{
    // The thumb covers a page, so the last position shows the last page.
    const int span = m_page > 0 ? static_cast<int>(m_page) - 1 : 0;
    return std::max(m_min, m_max - span);
}

bool ScrollBarBinding::CanScroll() const
{
    return m_max > m_min && MaxPosition() > m_min;
}

int ScrollBarBinding::Set(const SCROLLINFO& info, bool redraw)
{
    if ((info.fMask & SIF_RANGE) != 0) {
        m_min = info.nMin;
        m_max = std::max(info.nMin, info.nMax);
    }
    if ((info.fMask & SIF_PAGE) != 0)
        m_page = info.nPage;
    // The page never exceeds the range.
    const auto rangeSize = static_cast<long long>(m_max) - m_min + 1;
    if (static_cast<long long>(m_page) > rangeSize)
        m_page = static_cast<UINT>(rangeSize);
    if ((info.fMask & SIF_POS) != 0)
        m_pos = info.nPos;
    m_pos = std::clamp(m_pos, m_min, MaxPosition());
    m_disableNoScroll = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    if (!m_tracking)
        m_trackPos = m_pos;
    Mirror();
    if (redraw)
        m_bar->update();
    return m_pos;
}

void ScrollBarBinding::Get(SCROLLINFO* info) const
{
    if ((info->fMask & SIF_RANGE) != 0) {
        info->nMin = m_min;
        info->nMax = m_max;
    }
    if ((info->fMask & SIF_PAGE) != 0)
        info->nPage = m_page;
    if ((info->fMask & SIF_POS) != 0)
        info->nPos = m_pos;
    if ((info->fMask & SIF_TRACKPOS) != 0)
        info->nTrackPos = m_tracking ? m_trackPos : m_pos;
}

void ScrollBarBinding::Mirror()
{
    const QSignalBlocker blocker(m_bar);
    m_bar->setRange(m_min, MaxPosition());
    m_bar->setPageStep(std::max(1, static_cast<int>(m_page)));
    m_bar->setSingleStep(1);
    if (!m_tracking)
        m_bar->setSliderPosition(m_pos);
    m_bar->setValue(m_tracking ? m_trackPos : m_pos);
}

void ScrollBarBinding::Send(UINT code, int position)
{
    const UINT message = m_bar->orientation() == Qt::Horizontal ? WM_HSCROLL : WM_VSCROLL;
    CWnd* receiver = m_receiver;
    if (receiver == nullptr || receiver->GetSafeHwnd() == nullptr)
        return;
    receiver->SendMessage(message, MAKEWPARAM(static_cast<int>(code), position),
                          reinterpret_cast<LPARAM>(m_control));
}

void ScrollBarBinding::OnAction(int action)
{
    UINT code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = SB_THUMBTRACK;
        m_tracking = m_bar->isSliderDown();
        m_trackPos = m_bar->sliderPosition();
        break;
    default:
        return;
    }
    Send(code, code == SB_THUMBTRACK ? m_trackPos : m_pos);
    // The receiver has set the position it wants; Qt applies what the bar
    // shows after this signal, so show that position now.
    if (code != SB_THUMBTRACK || !m_tracking)
        m_bar->setSliderPosition(m_pos);
}

bool ScrollBarBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_bar && event->type() == QEvent::MouseButtonRelease && !m_bar->isSliderDown() &&
        !m_tracking)
        Send(SB_ENDSCROLL, 0);
    return QObject::eventFilter(watched, event);
}
