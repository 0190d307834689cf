#pragma once
#include <winsock2.h>
#include <windows.h>

// OLE for the thread, for the lifetime of the object. A thread that already
// had COM keeps it; each successful start is balanced by one stop.
class OleSession {
public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool IsStarted() const { return m_started; }

private:
    bool m_started;
};

// Winsock 2.2 for the lifetime of the object.
class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool IsStarted() const { return m_started; }

private:
    bool m_started;
};
