#pragma once

#include <QtGlobal>

#include <vector>

// A listening socket on 127.0.0.1 whose queue of connections is full, so that a further connect
// gets no answer and stays pending: a server that does not answer the TCP connect.
class StalledListener
{
public:
    StalledListener();
    ~StalledListener();

    // Whether a connect to port() now stays pending.
    bool isStalled() const { return m_stalled; }
    quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    std::vector<int> m_fillers;
    quint16 m_port = 0;
    bool m_stalled = false;
};
