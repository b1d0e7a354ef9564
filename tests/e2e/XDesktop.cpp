#include "XDesktop.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Starts a program with an environment of its own; -1 when it cannot.
int Spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment,
          const std::string& logPath, int keepOpen = -1, const std::string& directory = {})
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (!directory.empty() && chdir(directory.c_str()) != 0)
        _exit(126);
    for (const std::string& setting : environment) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos)
            unsetenv(setting.c_str());
        else
            setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
    }
    const int log =
        open(logPath.empty() ? "/dev/null" : logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
    }
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0)
        dup2(devNull, STDIN_FILENO);
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepOpen)
            close(fd);
    std::vector<char*> arguments;
    for (const std::string& part : command)
        arguments.push_back(const_cast<char*>(part.c_str()));
    arguments.push_back(nullptr);
    execvp(arguments[0], arguments.data());
    _exit(127);
}

void Stop(int pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string MakeTemporaryDirectory()
{
    char pattern[] = "/tmp/nolvex-e2e-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made != nullptr ? made : "/tmp";
}

} // namespace

// The desktop ------------------------------------------------------------------

XDesktop::XDesktop()
{
    m_home = MakeTemporaryDirectory();
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    m_serverPid = Spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                         "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                        {}, m_home + "/xvfb.log", pipeFds[1]);
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty())
        return;
    m_displayName = ":" + number;
    m_display = XOpenDisplay(m_displayName.c_str());
    if (m_display == nullptr)
        return;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
        return;
    }
    m_windowManagerPid = Spawn(
        {"openbox", "--sm-disable"},
        {"DISPLAY=" + m_displayName, "HOME=" + m_home, "XDG_CONFIG_HOME=" + m_home + "/.config"},
        m_home + "/openbox.log");
    // The window manager is up once it names itself on the root window.
    m_windowManagerUp = WaitUntil([this] {
        return !WindowListProperty(DefaultRootWindow(m_display), "_NET_SUPPORTING_WM_CHECK")
                    .empty();
    });
}

XDesktop::~XDesktop()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
    Stop(m_windowManagerPid);
    Stop(m_serverPid);
}

QSize XDesktop::ScreenSize() const
{
    return QSize(DisplayWidth(m_display, DefaultScreen(m_display)),
                 DisplayHeight(m_display, DefaultScreen(m_display)));
}

std::string XDesktop::ClipboardText() const
{
    // Asked as a pasting program asks: the owner of CLIPBOARD converts it to
    // UTF8_STRING into a property of a window of ours and tells us so.
    const Window requestor =
        XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
    const ::Atom clipboard = Atom("CLIPBOARD");
    const ::Atom utf8 = Atom("UTF8_STRING");
    const ::Atom property = Atom("NOLVEX_TEST_PASTE");
    XConvertSelection(m_display, clipboard, utf8, property, requestor, CurrentTime);
    XFlush(m_display);
    std::string text;
    bool answered = false;
    WaitUntil(
        [&] {
            XEvent event;
            while (XCheckTypedWindowEvent(m_display, requestor, SelectionNotify, &event)) {
                answered = true;
                if (event.xselection.property == None)
                    return true;
                ::Atom type = None;
                int format = 0;
                unsigned long count = 0;
                unsigned long after = 0;
                unsigned char* data = nullptr;
                if (XGetWindowProperty(m_display, requestor, property, 0, 1 << 24, True,
                                       AnyPropertyType, &type, &format, &count, &after,
                                       &data) == Success &&
                    data != nullptr) {
                    text.assign(reinterpret_cast<const char*>(data), count);
                    XFree(data);
                }
            }
            return answered;
        },
        std::chrono::seconds(5));
    XDestroyWindow(m_display, requestor);
    XFlush(m_display);
    return text;
}

unsigned long XDesktop::Atom(const char* name) const
{
    return XInternAtom(m_display, name, False);
}

std::vector<unsigned long> XDesktop::WindowListProperty(unsigned long window,
                                                        const char* name) const
{
    std::vector<unsigned long> windows;
    ::Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, window, Atom(name), 0, 4096, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            windows.assign(values, values + count);
        }
        XFree(data);
    }
    return windows;
}

std::vector<unsigned long> XDesktop::WindowsOf(int pid) const
{
    XSync(m_display, False);
    std::vector<unsigned long> found;
    for (unsigned long window :
         WindowListProperty(DefaultRootWindow(m_display), "_NET_CLIENT_LIST")) {
        const std::vector<unsigned long> pids = WindowListProperty(window, "_NET_WM_PID");
        if (!pids.empty() && static_cast<int>(pids.front()) == pid)
            found.push_back(window);
    }
    return found;
}

QString XDesktop::Title(unsigned long window) const
{
    ::Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(m_display, window, Atom("_NET_WM_NAME"), 0, 4096, False,
                           Atom("UTF8_STRING"), &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
        XFree(data);
    }
    return title;
}

QRect XDesktop::Geometry(unsigned long window) const
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(m_display, window, &attributes))
        return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

unsigned long XDesktop::ActiveWindow() const
{
    const std::vector<unsigned long> active =
        WindowListProperty(DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

bool XDesktop::IsMaximised(unsigned long window) const
{
    const std::vector<unsigned long> states = WindowListProperty(window, "_NET_WM_STATE");
    const auto has = [&states](unsigned long atom) {
        return std::find(states.begin(), states.end(), atom) != states.end();
    };
    return has(Atom("_NET_WM_STATE_MAXIMIZED_VERT")) && has(Atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

// Input ------------------------------------------------------------------------

void XDesktop::KeyEvent(unsigned long keysym, bool press)
{
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code == 0)
        return;
    XTestFakeKeyEvent(m_display, code, press ? True : False, CurrentTime);
    XFlush(m_display);
}

void XDesktop::Key(const std::string& keys)
{
    std::vector<unsigned long> modifiers;
    std::string rest = keys;
    for (;;) {
        const auto plus = rest.find('+');
        if (plus == std::string::npos || plus == rest.size() - 1)
            break;
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "ctrl")
            modifiers.push_back(XK_Control_L);
        else if (modifier == "shift")
            modifiers.push_back(XK_Shift_L);
        else if (modifier == "alt")
            modifiers.push_back(XK_Alt_L);
        rest = rest.substr(plus + 1);
    }
    const KeySym keysym = XStringToKeysym(rest.c_str());
    for (unsigned long modifier : modifiers)
        KeyEvent(modifier, true);
    KeyEvent(keysym, true);
    KeyEvent(keysym, false);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        KeyEvent(*modifier, false);
    Settle(40);
}

void XDesktop::Type(const std::string& text)
{
    for (const char character : text) {
        const auto keysym = static_cast<KeySym>(static_cast<unsigned char>(character));
        const KeyCode code = XKeysymToKeycode(m_display, keysym);
        if (code == 0)
            continue;
        const bool shifted = XkbKeycodeToKeysym(m_display, code, 0, 0) != keysym;
        if (shifted)
            KeyEvent(XK_Shift_L, true);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        if (shifted)
            KeyEvent(XK_Shift_L, false);
        XFlush(m_display);
        Settle(5);
    }
    Settle(40);
}

void XDesktop::MoveTo(QPoint screen)
{
    XTestFakeMotionEvent(m_display, -1, screen.x(), screen.y(), CurrentTime);
    XFlush(m_display);
    Settle(20);
}

void XDesktop::Press(int button)
{
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), True, CurrentTime);
    XFlush(m_display);
    Settle(20);
}

void XDesktop::Release(int button)
{
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(m_display);
    Settle(20);
}

void XDesktop::Click(QPoint screen, int button)
{
    // The pointer arrives at the point, as a hand moves it there: a pointer
    // already resting on it would give the window no move to see it by.
    MoveTo(screen - QPoint(1, 0));
    MoveTo(screen);
    Press(button);
    Release(button);
    Settle(60);
}

void XDesktop::Drag(QPoint from, QPoint to)
{
    MoveTo(from);
    Press(1);
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step)
        MoveTo(from + (to - from) * step / kSteps);
    Release(1);
    Settle(60);
}

void XDesktop::Settle(int milliseconds) const
{
    XSync(m_display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Screenshots ------------------------------------------------------------------

QImage XDesktop::Screenshot() const
{
    return Screenshot(QRect(QPoint(0, 0), ScreenSize()));
}

QImage XDesktop::Screenshot(QRect area) const
{
    XSync(m_display, False);
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), area.x(), area.y(),
                              static_cast<unsigned>(area.width()),
                              static_cast<unsigned>(area.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    QImage shot(area.width(), area.height(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shot.scanLine(y));
        if (image->bits_per_pixel == 32) {
            const auto* source =
                reinterpret_cast<const quint32*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < area.width(); ++x)
                line[x] = 0xFF000000u | (source[x] & 0x00FFFFFFu);
        } else {
            for (int x = 0; x < area.width(); ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                line[x] = 0xFF000000u | static_cast<QRgb>(pixel & 0x00FFFFFFu);
            }
        }
    }
    XDestroyImage(image);
    return shot;
}

bool XDesktop::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

// A program under test ---------------------------------------------------------

ProgramRun::ProgramRun(const XDesktop& desktop, const std::string& binary,
                       const std::vector<std::string>& arguments, const std::string& home,
                       const std::vector<std::string>& environment)
{
    const std::string runtime = home + "/runtime";
    mkdir(runtime.c_str(), 0700);
    m_logPath = LogPath(home);
    std::vector<std::string> command{binary};
    command.insert(command.end(), arguments.begin(), arguments.end());
    // No session manager unless the test gives one.
    std::vector<std::string> settings{"DISPLAY=" + desktop.DisplayName(),
                                      "HOME=" + home,
                                      "XDG_CONFIG_HOME=" + home + "/.config",
                                      "XDG_RUNTIME_DIR=" + runtime,
                                      "QT_QPA_PLATFORM=xcb",
                                      "SESSION_MANAGER"};
    settings.insert(settings.end(), environment.begin(), environment.end());
    // Started in the home folder, as from a person's desktop: what the
    // program writes by default lands there.
    m_pid = Spawn(command, settings, m_logPath, -1, home);
}

ProgramRun::~ProgramRun()
{
    if (!m_ended)
        Stop(m_pid);
}

bool ProgramRun::IsRunning()
{
    if (m_ended)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_ended = true;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

bool ProgramRun::WaitForExit(std::chrono::milliseconds timeout)
{
    return XDesktop::WaitUntil([this] { return !IsRunning(); }, timeout);
}

std::string ProgramRun::Output() const
{
    std::ifstream log(m_logPath);
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}
