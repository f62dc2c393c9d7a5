#include "scriptedserver.h"

#include <QJsonArray>

namespace TestVantorQml {

ScriptedServer::ScriptedServer(QObject* parent)
    : QObject(parent)
{
}

bool ScriptedServer::listen()
{
    m_server.setAutoAcknowledge(true);
    return m_server.listen();
}

int ScriptedServer::port() const { return m_server.port(); }

bool ScriptedServer::hasClient() const { return m_server.hasClient(); }

void ScriptedServer::setAutoAcknowledge(bool on) { m_server.setAutoAcknowledge(on); }

int ScriptedServer::requestCount() const { return m_server.requests().size(); }

QVariantMap ScriptedServer::request(int index) const
{
    const QList<FakeServer::Request> requests = m_server.requests();
    if (index < 0 || index >= requests.size())
        return {};
    const FakeServer::Request& request = requests.at(index);
    return { { QStringLiteral("type"), request.type }, { QStringLiteral("section"), request.section },
        { QStringLiteral("id"), request.id }, { QStringLiteral("data"), request.data.toVariantList() } };
}

QString ScriptedServer::received() const { return QString::fromUtf8(m_server.received()); }

void ScriptedServer::acknowledge(const QString& id) { m_server.acknowledge(id); }

void ScriptedServer::send(const QString& type, const QString& section, const QVariantList& data)
{
    m_server.send(FakeServer::frame(type, section, QJsonArray::fromVariantList(data)));
}

void ScriptedServer::sendRepeated(const QString& type, const QString& section, const QVariantList& data, int count)
{
    QByteArray bytes;
    const QJsonArray array = QJsonArray::fromVariantList(data);
    for (int i = 0; i < count; ++i)
        bytes += FakeServer::frame(type, section, array);
    m_server.send(bytes);
}

void ScriptedServer::closeClient() { m_server.closeClient(); }

} // namespace TestVantorQml
