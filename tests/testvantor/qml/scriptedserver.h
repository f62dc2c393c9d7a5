#pragma once

#include "fakeserver.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace TestVantorQml {

// The scripted stand-in for Vantor's command server, for the QML tests: the window's requests as
// they reach the far end of the connection, and the answers a test wants to send back.
class ScriptedServer : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1 and a free port; acknowledges every request at once, as Vantor does.
    Q_INVOKABLE bool listen();
    Q_INVOKABLE int port() const;
    Q_INVOKABLE bool hasClient() const;
    Q_INVOKABLE void setAutoAcknowledge(bool on);
    Q_INVOKABLE int requestCount() const;
    // One request: its "type", "section", "id" and "data" (the Data array).
    Q_INVOKABLE QVariantMap request(int index) const;
    // The bytes received so far, as text.
    Q_INVOKABLE QString received() const;
    Q_INVOKABLE void acknowledge(const QString& id);
    // Sends one framed message with the given type, section and Data array.
    Q_INVOKABLE void send(const QString& type, const QString& section, const QVariantList& data);
    // Sends that message count times in one write, as a flood arrives.
    Q_INVOKABLE void sendRepeated(const QString& type, const QString& section, const QVariantList& data, int count);
    Q_INVOKABLE void closeClient();

private:
    FakeServer m_server;
};

} // namespace TestVantorQml
