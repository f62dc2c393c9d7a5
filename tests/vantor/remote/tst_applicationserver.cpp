#include "app/application.h"
#include "core/sharedapplication.h"
#include "remote/serial.h"
#include "testsupport/testmain.h"

#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Vl::Tavix3::UI;

// The serial layer as the application object creates and starts it: real clients on port
// 21967 receive the messages the program pushes.
class TestApplicationServer : public QObject
{
    Q_OBJECT

private slots:
    void pushedMessagesReachEveryClient();
};

void TestApplicationServer::pushedMessagesReachEveryClient()
{
    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/app-XXXXXX"));
    QVERIFY(dir.isValid());
    auto application = QSharedPointer<Application>::create(nullptr, nullptr, dir.path(), nullptr);
    setSharedApplication(application);
    application->init();
    application->startHardware();
    Serial* serial = application->serial();
    QVERIFY(serial);
    QVERIFY(serial->isListening());
    QCOMPARE(serial->serverPort(), quint16(21967));

    QTcpSocket first;
    QTcpSocket second;
    QByteArray firstReceived;
    QByteArray secondReceived;
    connect(&first, &QTcpSocket::readyRead, this, [&]() { firstReceived += first.readAll(); });
    connect(&second, &QTcpSocket::readyRead, this, [&]() { secondReceived += second.readAll(); });
    first.connectToHost(QHostAddress::LocalHost, 21967);
    second.connectToHost(QHostAddress::LocalHost, 21967);
    QTRY_COMPARE(serial->clientCount(), 2);

    application->sendSettings();
    QTRY_VERIFY(firstReceived.endsWith('\x02'));
    QTRY_COMPARE(secondReceived, firstReceived);
    QVERIFY(firstReceived.startsWith('\t'));
    QVERIFY(firstReceived.contains("\"Type\":\"Sema\""));

    application->aboutToQuit();
    resetSharedApplication();
    application.reset();
    QTRY_VERIFY(first.state() == QAbstractSocket::UnconnectedState);
}

VANTOR_TEST_CLASS(TestApplicationServer)
#include "tst_applicationserver.moc"
