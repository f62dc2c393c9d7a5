#include "stalledlistener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

StalledListener::StalledListener()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listener < 0)
        return;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(m_listener, 0) != 0)
        return;
    socklen_t length = sizeof address;
    if (::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    // Connections that complete fill the queue (nobody accepts them); the first that does not
    // complete shows that the queue is full.
    for (int attempt = 0; attempt < 8 && !m_stalled; ++attempt) {
        const int filler = ::socket(AF_INET, SOCK_STREAM, 0);
        if (filler < 0)
            return;
        m_fillers.push_back(filler);
        ::fcntl(filler, F_SETFL, ::fcntl(filler, F_GETFL) | O_NONBLOCK);
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        pollfd poller { filler, POLLOUT, 0 };
        if (::poll(&poller, 1, 300) == 0)
            m_stalled = true;
    }
}

StalledListener::~StalledListener()
{
    for (const int filler : m_fillers)
        ::close(filler);
    if (m_listener >= 0)
        ::close(m_listener);
}
