#include "shell/SystemSessions.h"
#include <ole2.h>

OleSession::OleSession() : m_started(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession()
{
    if (m_started)
        OleUninitialize();
}

WinsockSession::WinsockSession() : m_started(false)
{
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession()
{
    if (m_started)
        WSACleanup();
}
