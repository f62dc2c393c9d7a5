#include "client/backend.h"
#include "client/clientstuff.h"
#include "fakeserver.h"
#include "stalledlistener.h"
#include "testsupport/testmain.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QSettings toolSettings()
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"));
}

} // namespace

// The connection of TestVantor to the command server: the stored address and its normalisation,
// connecting, disconnecting, the socket errors as texts and the 10 s connect time-out (driven here
// with a short one).
class TestClientConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void defaultsWithoutStoredAddress();
    void storedAddressIsUsed();
    void normalizeIpAddress_data();
    void normalizeIpAddress();
    void settingTheSameAddressDoesNothing();
    void newAddressTakesEffectAtNextConnect();
    void connectAndDisconnect();
    void disconnectWhileIdleStillReportsDisconnected();
    void refusedConnection();
    void serverClosesTheConnection();
    void connectTimeout();
    void connectionWithinTimeoutIsKept();
    void destroyedWhileConnected();

private:
    void pointAt(Backend& backend, quint16 port);
};

void TestClientConnection::init()
{
    QSettings settings = toolSettings();
    settings.clear();
    settings.sync();
}

void TestClientConnection::pointAt(Backend& backend, quint16 port)
{
    backend.clientStuff()->setHost(QStringLiteral("127.0.0.1"));
    backend.clientStuff()->setPort(port);
}

void TestClientConnection::defaultsWithoutStoredAddress()
{
    Backend backend;
    QCOMPARE(backend.ipAddress(), QStringLiteral("127.000.000.001"));
    QCOMPARE(backend.clientStuff()->host(), QStringLiteral("127.000.000.001"));
    QCOMPARE(backend.clientStuff()->port(), quint16(21967));
    QCOMPARE(ClientStuff::normalizeIpAddress(backend.ipAddress()), QStringLiteral("127.0.0.1"));
    QCOMPARE(backend.clientStuff()->connectTimeout(), 10000);
    QCOMPARE(backend.replyTimeout(), 3000);
    QVERIFY(!backend.currentStatus());
}

void TestClientConnection::storedAddressIsUsed()
{
    {
        QSettings settings = toolSettings();
        settings.setValue(QStringLiteral("IPAddress"), QStringLiteral("192.168.001.020"));
    }
    Backend backend;
    QCOMPARE(backend.ipAddress(), QStringLiteral("192.168.001.020"));
    QCOMPARE(backend.clientStuff()->host(), QStringLiteral("192.168.001.020"));
}

void TestClientConnection::normalizeIpAddress_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero-filled loopback") << "127.000.000.001"
                                          << "127.0.0.1";
    QTest::newRow("leading zeros") << "010.001.002.003"
                                   << "10.1.2.3";
    QTest::newRow("plain address") << "192.168.1.20"
                                   << "192.168.1.20";
    QTest::newRow("group above 255") << "256.1.1.1"
                                     << "256.1.1.1";
    QTest::newRow("leading blank") << " 10.0.0.1"
                                   << " 10.0.0.1";
    QTest::newRow("host name") << "localhost"
                               << "localhost";
    QTest::newRow("three groups") << "10.0.1"
                                  << "10.0.1";
}

void TestClientConnection::normalizeIpAddress()
{
    QFETCH(QString, host);
    QFETCH(QString, expected);
    QCOMPARE(ClientStuff::normalizeIpAddress(host), expected);
}

void TestClientConnection::settingTheSameAddressDoesNothing()
{
    Backend backend;
    QSignalSpy changed(&backend, &Backend::ipAddressChanged);
    backend.setIpAddress(QStringLiteral("127.000.000.001"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!toolSettings().contains(QStringLiteral("IPAddress")));

    backend.setIpAddress(QStringLiteral("10.0.0.7"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(toolSettings().value(QStringLiteral("IPAddress")).toString(), QStringLiteral("10.0.0.7"));
    QCOMPARE(backend.clientStuff()->host(), QStringLiteral("10.0.0.7"));
}

void TestClientConnection::newAddressTakesEffectAtNextConnect()
{
    FakeServer server;
    QVERIFY(server.listen());
    Backend backend;
    backend.clientStuff()->setPort(server.port());
    backend.setIpAddress(QStringLiteral("127.000.000.001"));
    QSignalSpy status(&backend, &Backend::statusChanged);
    backend.connectClicked();
    QVERIFY(status.wait());
    QVERIFY(backend.currentStatus());

    backend.setIpAddress(QStringLiteral("localhost"));
    QVERIFY(backend.currentStatus());
    QCOMPARE(status.count(), 1);
    QVERIFY(server.hasClient());
}

void TestClientConnection::connectAndDisconnect()
{
    FakeServer server;
    QVERIFY(server.listen());
    Backend backend;
    pointAt(backend, server.port());
    QSignalSpy status(&backend, &Backend::statusChanged);
    QSignalSpy errors(&backend, &Backend::someError);

    backend.connectClicked();
    QVERIFY(status.wait());
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0).toBool(), true);
    QVERIFY(backend.currentStatus());
    QVERIFY(server.waitForClient());

    backend.disconnectClicked();
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QCOMPARE(status.at(1).at(0).toBool(), false);
    QVERIFY(!backend.currentStatus());
    QCOMPARE(errors.count(), 0);
}

void TestClientConnection::disconnectWhileIdleStillReportsDisconnected()
{
    Backend backend;
    QSignalSpy status(&backend, &Backend::statusChanged);
    backend.disconnectClicked();
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0).toBool(), false);
}

void TestClientConnection::refusedConnection()
{
    // A port that was just free: nothing listens there.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    Backend backend;
    pointAt(backend, port);
    QSignalSpy status(&backend, &Backend::statusChanged);
    QSignalSpy errors(&backend, &Backend::someError);
    backend.connectClicked();
    QVERIFY(errors.wait());
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Connection was refused"));
    QCOMPARE(status.count(), 0);
    QVERIFY(!backend.currentStatus());
}

void TestClientConnection::serverClosesTheConnection()
{
    FakeServer server;
    QVERIFY(server.listen());
    Backend backend;
    pointAt(backend, server.port());
    QSignalSpy status(&backend, &Backend::statusChanged);
    backend.connectClicked();
    QVERIFY(status.wait());
    QVERIFY(server.waitForClient());

    // The error comes while the status is still true; the status change follows once.
    QList<bool> statusAtError;
    connect(&backend, &Backend::someError, this, [&] { statusAtError << backend.currentStatus(); });
    QSignalSpy errors(&backend, &Backend::someError);
    server.closeClient();
    QVERIFY(QTest::qWaitFor([&] { return status.count() == 2; }, 5000));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Remote host closed the connection"));
    QCOMPARE(statusAtError, QList<bool> { true });
    QCOMPARE(status.at(1).at(0).toBool(), false);
}

void TestClientConnection::connectTimeout()
{
    StalledListener listener;
    if (!listener.isStalled())
        QSKIP("This system answers every connect; no pending connection to time out");
    Backend backend;
    pointAt(backend, listener.port());
    backend.clientStuff()->setConnectTimeout(200);
    QSignalSpy status(&backend, &Backend::statusChanged);
    QSignalSpy errors(&backend, &Backend::someError);
    backend.connectClicked();
    // Looked at before the event loop runs again: the time-out cannot have come yet.
    QCOMPARE(backend.clientStuff()->socket()->state(), QAbstractSocket::ConnectingState);
    QVERIFY(errors.wait(20000));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Connection timed out"));
    QCOMPARE(backend.clientStuff()->socket()->state(), QAbstractSocket::UnconnectedState);
    // A failed attempt emits no status change.
    QCOMPARE(status.count(), 0);
}

void TestClientConnection::connectionWithinTimeoutIsKept()
{
    FakeServer server;
    QVERIFY(server.listen());
    Backend backend;
    pointAt(backend, server.port());
    backend.clientStuff()->setConnectTimeout(150);
    QSignalSpy status(&backend, &Backend::statusChanged);
    QSignalSpy errors(&backend, &Backend::someError);
    backend.connectClicked();
    QVERIFY(status.wait());
    // The timer's later shot finds the socket connected and does nothing.
    QTest::qWait(300);
    QVERIFY(backend.currentStatus());
    QCOMPARE(errors.count(), 0);
    QCOMPARE(status.count(), 1);
}

void TestClientConnection::destroyedWhileConnected()
{
    FakeServer server;
    QVERIFY(server.listen());
    auto backend = std::make_unique<Backend>();
    pointAt(*backend, server.port());
    QSignalSpy status(backend.get(), &Backend::statusChanged);
    backend->connectClicked();
    QVERIFY(status.wait());
    backend->getStatus();
    QVERIFY(server.waitForRequests(1));
    backend.reset();
    QVERIFY(QTest::qWaitFor([&] { return !server.hasClient(); }, 20000));
}

VANTOR_TEST_CLASS(TestClientConnection)
#include "tst_clientconnection.moc"
