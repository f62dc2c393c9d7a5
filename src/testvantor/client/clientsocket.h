#pragma once

#include <QTcpSocket>

// The TCP socket of TestVantor's connection; it can report a connect time-out through the socket's
// own error signal, as the socket reports its other errors.
class ClientSocket : public QTcpSocket
{
    Q_OBJECT

public:
    using QTcpSocket::QTcpSocket;

    void reportTimeout();
};
