#include "WindowSystem.h"

#include "CWnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <string>
#include <unordered_map>

namespace {

struct SharedState
{
    std::map<const CWnd*, std::uint64_t> alive;
    std::uint64_t nextSerial = 1;
    std::unordered_map<const QWidget*, CWnd*> widgets;
    CWnd* locked = nullptr;
    CWnd* cursorWindow = nullptr;
    POINT lastMouse{0, 0};
    bool lastMouseKnown = false;
};

SharedState& State()
{
    static SharedState state;
    return state;
}

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

struct PostedMessage : QEvent
{
    PostedMessage(CWnd* target, std::uint64_t targetSerial, UINT msg, WPARAM w, LPARAM l)
        : QEvent(kPostedMessageEvent), window(target), serial(targetSerial), message(msg),
          wParam(w), lParam(l)
    {
    }
    CWnd* window;
    std::uint64_t serial;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Receives every posted message, so that the event loop delivers them in the
// order they were posted whatever window they are for.
class PostedMessageReceiver : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() != kPostedMessageEvent)
            return QObject::event(event);
        auto* posted = static_cast<PostedMessage*>(event);
        if (!WindowSystem::IsAlive(posted->window, posted->serial))
            return true;
        MSG message{posted->window, posted->message, posted->wParam, posted->lParam, 0, {0, 0}};
        if (!WindowSystem::PreTranslate(&message))
            posted->window->SendMessage(posted->message, posted->wParam, posted->lParam);
        return true;
    }
};

PostedMessageReceiver& Receiver()
{
    static PostedMessageReceiver receiver;
    return receiver;
}

} // namespace

std::uint64_t WindowSystem::Register(CWnd* window)
{
    const std::uint64_t serial = State().nextSerial++;
    State().alive[window] = serial;
    return serial;
}

void WindowSystem::Unregister(CWnd* window)
{
    SharedState& state = State();
    state.alive.erase(window);
    std::erase_if(state.widgets, [window](const auto& entry) { return entry.second == window; });
    if (state.locked == window)
        state.locked = nullptr;
    if (state.cursorWindow == window)
        state.cursorWindow = nullptr;
}

bool WindowSystem::IsAlive(const CWnd* window, std::uint64_t serial)
{
    const auto found = State().alive.find(window);
    return found != State().alive.end() && found->second == serial;
}

void WindowSystem::AddWidget(const QWidget* widget, CWnd* window)
{
    if (widget != nullptr)
        State().widgets[widget] = window;
}

CWnd* WindowSystem::WindowOfWidget(const QWidget* widget)
{
    const auto found = State().widgets.find(widget);
    return found != State().widgets.end() ? found->second : nullptr;
}

CWnd* WindowSystem::Locked()
{
    return State().locked;
}

void WindowSystem::SetLocked(CWnd* window)
{
    State().locked = window;
}

CWnd* WindowSystem::CursorWindow()
{
    return State().cursorWindow;
}

void WindowSystem::SetCursorWindow(CWnd* window)
{
    State().cursorWindow = window;
}

POINT WindowSystem::LastMousePosition(bool* known)
{
    *known = State().lastMouseKnown;
    return State().lastMouse;
}

void WindowSystem::NoteMousePosition(POINT screenPoint)
{
    State().lastMouse = screenPoint;
    State().lastMouseKnown = true;
}

void WindowSystem::Post(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(
        &Receiver(), new PostedMessage(window, State().alive[window], message, wParam, lParam));
}

bool WindowSystem::PreTranslate(MSG* message)
{
    for (CWnd* window = message->hwnd; window != nullptr; window = window->GetParent()) {
        if (window->PreTranslateMessage(message))
            return true;
    }
    return false;
}

UINT RegisterWindowMessage(const CString& name)
{
    static std::map<std::u16string, UINT> registered;
    const auto found = registered.find(name.Text());
    if (found != registered.end())
        return found->second;
    const UINT id = WM_REGISTERED_FIRST + static_cast<UINT>(registered.size());
    registered.emplace(name.Text(), id);
    return id;
}
