#include "CToolTipCtrl.h"

#include "CWnd.h"

#include <QToolTip>
#include <QWidget>

void CToolTipCtrl::Show(CWnd* window, const CString& text, CPoint at)
{
    if (text.IsEmpty() || window == nullptr || window->GetClientWidget() == nullptr) {
        Hide();
        return;
    }
    QWidget* widget = window->GetClientWidget();
    QToolTip::showText(widget->mapToGlobal(QPoint(at.x, at.y + 20)), text.ToQString(), widget);
}

void CToolTipCtrl::Hide()
{
    QToolTip::hideText();
}
