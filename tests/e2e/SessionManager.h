#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A session manager of the X session management protocol (XSMP) for the
// end-to-end tests: programs started with SESSION_MANAGER set to Address()
// join its session, and Logout() ends the session as a desktop's logout
// does. It asks every program to save itself for a shutdown, letting it
// talk to its user; a program that cancels keeps the session going,
// otherwise EndSession() tells the programs to end. It runs on a thread of
// its own.
class TestSessionManager
{
public:
    TestSessionManager();
    ~TestSessionManager();
    TestSessionManager(const TestSessionManager&) = delete;
    TestSessionManager& operator=(const TestSessionManager&) = delete;

    bool IsUp() const { return !m_address.empty(); }
    const std::string& Address() const { return m_address; }
    bool WaitForClients(int count, std::chrono::milliseconds timeout);

    enum class Outcome
    {
        none,
        // A program asked its user and the user called the logout off.
        cancelled,
        // Every program saved itself; the session may end.
        saved
    };
    void Logout();
    Outcome WaitForOutcome(std::chrono::milliseconds timeout);
    // Tells the programs to end.
    void EndSession();

private:
    void Run();

    std::string m_address;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_logoutAsked{false};
    std::atomic<bool> m_endAsked{false};
    std::atomic<int> m_clients{0};
    std::atomic<Outcome> m_outcome{Outcome::none};

public:
    // Shared with the protocol's callbacks, on the manager's thread.
    struct State;

private:
    State* m_state = nullptr;
};
