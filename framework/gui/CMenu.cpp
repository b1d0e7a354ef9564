#include "CMenu.h"

#include "CWnd.h"
#include "Messages.h"
#include "ModalSeam.h"

#include <QAction>
#include <QMenu>

BOOL CMenu::CreatePopupMenu()
{
    m_created = true;
    m_items.clear();
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const CString& text)
{
    if (!m_created)
        return FALSE;
    m_items.push_back({flags, static_cast<UINT>(id), text});
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* window, const RECT*)
{
    ModalRequest request;
    request.kind = ModalRequest::popupMenu;
    request.text = "CMenu";
    request.dialogObject = this;
    request.owner = window;
    const INT_PTR chosen = ModalSeam::Run(request, [this, x, y, window]() -> INT_PTR {
        QMenu menu(window != nullptr ? window->GetHostWidget() : nullptr);
        for (const Item& item : m_items) {
            if ((item.flags & MF_SEPARATOR) != 0) {
                menu.addSeparator();
                continue;
            }
            // "&" marks the access key in both worlds.
            QAction* action = menu.addAction(item.text.ToQString());
            action->setData(item.id);
            action->setEnabled((item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
            action->setCheckable((item.flags & MF_CHECKED) != 0);
            action->setChecked((item.flags & MF_CHECKED) != 0);
        }
        QAction* action = menu.exec(QPoint(x, y));
        return action != nullptr ? action->data().toInt() : 0;
    });
    const auto command = static_cast<UINT>(chosen);
    if ((flags & TPM_RETURNCMD) != 0)
        return static_cast<BOOL>(command);
    if (command != 0 && window != nullptr)
        window->PostMessage(WM_COMMAND, command, 0);
    return command != 0 ? TRUE : FALSE;
}
