#pragma once

#include "ScreenSearch.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The desktop the end-to-end tests run the real programs on: an X server of
// its own (Xvfb) with a small window manager (openbox), started for the
// test run and stopped after it, and a person's input through XTEST: keys,
// pointer moves and clicks that the X server treats as from a keyboard and
// mouse, going wherever the focus and the pointer are.
class XDesktop
{
public:
    // Starts the server and the window manager; IsUp() tells whether both
    // run.
    XDesktop();
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    bool IsUp() const { return m_display != nullptr && m_windowManagerUp; }
    // ":5"
    const std::string& DisplayName() const { return m_displayName; }
    QSize ScreenSize() const;

    // The top-level windows the window manager manages for a process, in
    // the order it lists them.
    std::vector<unsigned long> WindowsOf(int pid) const;
    QString Title(unsigned long window) const;
    // The window's client area on the screen.
    QRect Geometry(unsigned long window) const;
    unsigned long ActiveWindow() const;
    bool IsMaximised(unsigned long window) const;

    // Input, as from a keyboard and a mouse. A key is an X key name
    // ("Return", "Escape", "F4", "a") with modifiers among "ctrl", "shift",
    // "alt" ("alt+F4", "ctrl+s").
    void Key(const std::string& keys);
    void Type(const std::string& text);
    void MoveTo(QPoint screen);
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(QPoint screen, int button = 1);
    void Drag(QPoint from, QPoint to);
    // Lets the server and the programs take in what was sent.
    void Settle(int milliseconds = 150) const;

    QImage Screenshot() const;
    QImage Screenshot(QRect area) const;

    // The text on the clipboard, as a program pasting it gets it (UTF-8);
    // empty when nobody holds the clipboard or the owner did not answer.
    std::string ClipboardText() const;

    // Polls until the condition holds or the time is up.
    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    unsigned long Atom(const char* name) const;
    std::vector<unsigned long> WindowListProperty(unsigned long window, const char* name) const;
    void KeyEvent(unsigned long keysym, bool press);

    struct _XDisplay* m_display = nullptr;
    std::string m_displayName;
    int m_serverPid = -1;
    int m_windowManagerPid = -1;
    bool m_windowManagerUp = false;
    std::string m_home;
};

// A program under test, started with a private HOME (its settings, recent
// files) on the desktop, and stopped at the end if it still runs.
class ProgramRun
{
public:
    // environment: settings ("NAME=value") besides the private ones.
    ProgramRun(const XDesktop& desktop, const std::string& binary,
               const std::vector<std::string>& arguments, const std::string& home,
               const std::vector<std::string>& environment = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    int Pid() const { return m_pid; }
    bool IsRunning();
    // Waits for the program to end by itself; true when it did.
    bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    int ExitStatus() const { return m_status; }
    // What the program wrote on its standard output and error.
    std::string Output() const;
    // Where the programs started with a home folder write their output.
    static std::string LogPath(const std::string& home) { return home + "/program.log"; }

private:
    int m_pid = -1;
    int m_status = -1;
    bool m_ended = false;
    std::string m_logPath;
};
