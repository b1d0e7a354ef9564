#include "CWaitCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace {

int g_waits = 0;
int g_suspensions = 0;
bool g_shown = false;

// Shows or lifts the one busy cursor the waits share, as the counts say.
void Apply()
{
    const bool wanted = g_waits > 0 && g_suspensions == 0;
    if (wanted == g_shown)
        return;
    // Without a graphical application (the batch tool) there is no cursor.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    if (wanted)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    g_shown = wanted;
}

} // namespace

CWaitCursor::CWaitCursor()
{
    ++g_waits;
    Apply();
}

CWaitCursor::~CWaitCursor()
{
    --g_waits;
    Apply();
}

CWaitCursor::Suspension::Suspension()
{
    ++g_suspensions;
    Apply();
}

CWaitCursor::Suspension::~Suspension()
{
    --g_suspensions;
    Apply();
}
