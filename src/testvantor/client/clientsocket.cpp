#include "client/clientsocket.h"

void ClientSocket::reportTimeout()
{
    setSocketError(QAbstractSocket::SocketTimeoutError);
    setErrorString(QStringLiteral("Connection timed out"));
    emit errorOccurred(QAbstractSocket::SocketTimeoutError);
}
