#include "Cursor.h"

#include "CWnd.h"
#include "WindowSystem.h"

#include <QCursor>
#include <QWidget>

namespace {

struct StandardCursor
{
    int id;
    CursorShape shape;
};

const StandardCursor kStandardCursors[] = {
    {IDC_ARROW, {Qt::ArrowCursor}},        {IDC_IBEAM, {Qt::IBeamCursor}},
    {IDC_WAIT, {Qt::WaitCursor}},          {IDC_CROSS, {Qt::CrossCursor}},
    {IDC_UPARROW, {Qt::UpArrowCursor}},    {IDC_SIZENWSE, {Qt::SizeFDiagCursor}},
    {IDC_SIZENESW, {Qt::SizeBDiagCursor}}, {IDC_SIZEWE, {Qt::SizeHorCursor}},
    {IDC_SIZENS, {Qt::SizeVerCursor}},     {IDC_SIZEALL, {Qt::SizeAllCursor}},
    {IDC_NO, {Qt::ForbiddenCursor}},       {IDC_HAND, {Qt::PointingHandCursor}},
};

HCURSOR g_currentCursor = nullptr;

} // namespace

HCURSOR LoadCursor(void* instance, int cursorId)
{
    if (instance != nullptr)
        return nullptr;
    for (const StandardCursor& cursor : kStandardCursors) {
        if (cursor.id == cursorId)
            return &cursor.shape;
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = g_currentCursor;
    g_currentCursor = cursor;
    CWnd* window =
        CWnd::GetCapture() != nullptr ? CWnd::GetCapture() : WindowSystem::CursorWindow();
    if (window != nullptr && window->GetClientWidget() != nullptr) {
        if (cursor != nullptr)
            window->GetClientWidget()->setCursor(QCursor(cursor->shape));
        else
            window->GetClientWidget()->setCursor(QCursor(Qt::BlankCursor));
    }
    return previous;
}

BOOL GetCursorPos(POINT* point)
{
    // Where the last mouse message came from: on the desktop that is where
    // the pointer is, and it is what synthesized input moves too.
    bool known = false;
    const POINT last = WindowSystem::LastMousePosition(&known);
    if (known) {
        *point = last;
        return TRUE;
    }
    const QPoint position = QCursor::pos();
    point->x = position.x();
    point->y = position.y();
    return TRUE;
}
