#include "SessionManager.h"

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <algorithm>
#include <poll.h>

struct TestSessionManager::State
{
    int listenCount = 0;
    IceListenObj* listeners = nullptr;
    std::vector<IceConn> connections;
    std::vector<SmsConn> clients;
    int savesPending = 0;
    bool logoutRunning = false;
    bool cancelled = false;
};

namespace {

using State = TestSessionManager::State;

Bool AllowLocalHosts(char*)
{
    return True;
}

// The protocol's callbacks for one client.
Status RegisterClient(SmsConn conn, SmPointer data, char*)
{
    auto* state = static_cast<State*>(data);
    char* id = SmsGenerateClientID(conn);
    SmsRegisterClientReply(conn, id);
    free(id);
    state->clients.push_back(conn);
    return 1;
}

void InteractRequest(SmsConn conn, SmPointer, int)
{
    // One program at a time: it may talk to its user at once.
    SmsInteract(conn);
}

void InteractDone(SmsConn conn, SmPointer data, Bool cancelShutdown)
{
    auto* state = static_cast<State*>(data);
    if (cancelShutdown) {
        state->cancelled = true;
        for (SmsConn client : state->clients)
            SmsShutdownCancelled(client);
    }
    (void)conn;
}

void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void SaveYourselfPhase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void SaveYourselfDone(SmsConn, SmPointer data, Bool)
{
    auto* state = static_cast<State*>(data);
    if (state->savesPending > 0)
        --state->savesPending;
}

void CloseConnection(SmsConn conn, SmPointer data, int count, char** reasons)
{
    auto* state = static_cast<State*>(data);
    SmFreeReasons(count, reasons);
    state->clients.erase(std::remove(state->clients.begin(), state->clients.end(), conn),
                         state->clients.end());
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    state->connections.erase(std::remove(state->connections.begin(), state->connections.end(), ice),
                             state->connections.end());
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        free(names[i]);
    free(names);
}

void GetProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status NewClient(SmsConn, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks, char**)
{
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client.callback = RegisterClient;
    callbacks->register_client.manager_data = data;
    callbacks->interact_request.callback = InteractRequest;
    callbacks->interact_request.manager_data = data;
    callbacks->interact_done.callback = InteractDone;
    callbacks->interact_done.manager_data = data;
    callbacks->save_yourself_request.callback = SaveYourselfRequest;
    callbacks->save_yourself_request.manager_data = data;
    callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
    callbacks->save_yourself_phase2_request.manager_data = data;
    callbacks->save_yourself_done.callback = SaveYourselfDone;
    callbacks->save_yourself_done.manager_data = data;
    callbacks->close_connection.callback = CloseConnection;
    callbacks->close_connection.manager_data = data;
    callbacks->set_properties.callback = SetProperties;
    callbacks->set_properties.manager_data = data;
    callbacks->delete_properties.callback = DeleteProperties;
    callbacks->delete_properties.manager_data = data;
    callbacks->get_properties.callback = GetProperties;
    callbacks->get_properties.manager_data = data;
    return 1;
}

} // namespace

TestSessionManager::TestSessionManager() : m_state(new State)
{
    char error[256] = {};
    if (!SmsInitialize("Nolvex tests", "1.0", NewClient, m_state, AllowLocalHosts, sizeof error,
                       error))
        return;
    if (!IceListenForConnections(&m_state->listenCount, &m_state->listeners, sizeof error, error))
        return;
    for (int i = 0; i < m_state->listenCount; ++i)
        IceSetHostBasedAuthProc(m_state->listeners[i], AllowLocalHosts);
    char* ids = IceComposeNetworkIdList(m_state->listenCount, m_state->listeners);
    m_address = ids;
    free(ids);
    m_thread = std::thread([this] { Run(); });
}

TestSessionManager::~TestSessionManager()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_state->listeners != nullptr)
        IceFreeListenObjs(m_state->listenCount, m_state->listeners);
    delete m_state;
}

void TestSessionManager::Run()
{
    while (!m_stop) {
        std::vector<pollfd> fds;
        for (int i = 0; i < m_state->listenCount; ++i)
            fds.push_back({IceGetListenConnectionNumber(m_state->listeners[i]), POLLIN, 0});
        for (IceConn connection : m_state->connections)
            fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        poll(fds.data(), fds.size(), 20);
        for (int i = 0; i < m_state->listenCount; ++i) {
            if ((fds[static_cast<std::size_t>(i)].revents & POLLIN) == 0)
                continue;
            IceAcceptStatus status = IceAcceptSuccess;
            IceConn connection = IceAcceptConnection(m_state->listeners[i], &status);
            if (connection == nullptr)
                continue;
            // The connection's own setup runs to its end first.
            IceConnectStatus setup = IceConnectPending;
            while ((setup = IceConnectionStatus(connection)) == IceConnectPending)
                if (IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError)
                    break;
            if (setup == IceConnectAccepted)
                m_state->connections.push_back(connection);
            else
                IceCloseConnection(connection);
        }
        for (std::size_t i = static_cast<std::size_t>(m_state->listenCount); i < fds.size(); ++i) {
            if ((fds[i].revents & (POLLIN | POLLHUP)) == 0)
                continue;
            IceConn connection =
                m_state->connections[i - static_cast<std::size_t>(m_state->listenCount)];
            if (IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError) {
                IceSetShutdownNegotiation(connection, False);
                IceCloseConnection(connection);
                m_state->connections.erase(std::remove(m_state->connections.begin(),
                                                       m_state->connections.end(), connection),
                                           m_state->connections.end());
                break;
            }
        }
        m_clients = static_cast<int>(m_state->clients.size());
        if (m_logoutAsked.exchange(false)) {
            m_state->cancelled = false;
            m_state->logoutRunning = true;
            m_state->savesPending = static_cast<int>(m_state->clients.size());
            m_outcome = Outcome::none;
            // As a desktop's logout: save and commit everything, the session
            // is shutting down, any talking to the user allowed.
            for (SmsConn client : m_state->clients)
                SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleAny, False);
        }
        if (m_state->logoutRunning && m_state->cancelled) {
            m_state->logoutRunning = false;
            m_outcome = Outcome::cancelled;
        } else if (m_state->logoutRunning && m_state->savesPending == 0) {
            m_state->logoutRunning = false;
            m_outcome = Outcome::saved;
        }
        if (m_endAsked.exchange(false))
            for (SmsConn client : m_state->clients)
                SmsDie(client);
    }
}

bool TestSessionManager::WaitForClients(int count, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (m_clients < count) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void TestSessionManager::Logout()
{
    m_outcome = Outcome::none;
    m_logoutAsked = true;
}

TestSessionManager::Outcome TestSessionManager::WaitForOutcome(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (m_outcome == Outcome::none && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return m_outcome;
}

void TestSessionManager::EndSession()
{
    m_endAsked = true;
}
