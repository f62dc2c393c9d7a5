#include "app/application.h"
#include "app/sharedapplication.h"
#include "bluetooth/bluetoothbaseclass.h"
#include "bluetooth/devicefinder.h"
#include "bluetooth/devicehandler.h"
#include "bluetooth/qvspsocket.h"
#include "testsupport/testmain.h"

#include <QBluetoothAddress>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// The socket with its module replaced: chunks are recorded instead of written, and the module's
// confirmations and notifications are delivered by the test.
class ScriptedSocket : public NorVSP::QVSPSocket
{
public:
    using NorVSP::QVSPSocket::QVSPSocket;
    using Role = NorVSP::QVSPSocket::Role;

    QList<QByteArray> chunks;

    void open(Manufacturer manufacturer)
    {
        setManufacturer(manufacturer);
        handleCharacteristicWritten(Role::ModemIn, QByteArray(1, manufacturer == Laird ? 0x01 : 0x00));
    }
    void confirmWrite()
    {
        handleCharacteristicWritten(Role::DataToDevice, chunks.isEmpty() ? QByteArray() : chunks.last());
    }
    void modemOut(const QByteArray& value) { handleCharacteristicChanged(Role::ModemOut, value); }
    void receive(const QByteArray& value) { handleCharacteristicChanged(Role::DataFromDevice, value); }

protected:
    bool writeChunk(const QByteArray& chunk) override
    {
        chunks << chunk;
        return true;
    }
};

// A handler that records what the finder hands it, without a radio.
class RecordingHandler : public DeviceHandler
{
public:
    using DeviceHandler::DeviceHandler;

    bool isConnected = false;
    QList<QSharedPointer<DeviceInfo>> handed;

    bool connected() const override { return isConnected; }
    void setDevice(const QSharedPointer<DeviceInfo>& device) override { handed << device; }
};

QBluetoothDeviceInfo lowEnergyDevice(const QString& address, const QString& name)
{
    QBluetoothDeviceInfo device(QBluetoothAddress(address), name, 0);
    device.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    return device;
}

} // namespace

// The dormant Bluetooth LE serial port: chunked sending with flow control and a bounded write
// buffer, receiving, closing, the device finder's name filter and target device, and the status texts.
class TestBluetooth : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void writesLeaveInChunksAfterEachConfirmation();
    void writeBufferIsBounded();
    void modemOutPausesSending_data();
    void modemOutPausesSending();
    void writingWhileNotConnectedFails();
    void connectionClosedDuringWrite();
    void receiving();
    void closing();
    void closingWhileTheApplicationCloses();
    void statusTexts();
    void finderNameFilter_data();
    void finderNameFilter();
    void finderHandsTheTargetToTheHandler();
    void errorOfADeletedSocketIsIgnored_data();
    void errorOfADeletedSocketIsIgnored();
};

void TestBluetooth::cleanup() { Vl::Orvane::UI::resetSharedApplication(); }

void TestBluetooth::writesLeaveInChunksAfterEachConfirmation()
{
    ScriptedSocket socket(nullptr);
    QSignalSpy connected(&socket, &NorVSP::QVSPSocket::connected);
    socket.open(NorVSP::QVSPSocket::Laird);
    QCOMPARE(connected.count(), 1);
    QCOMPARE(socket.state(), QBluetoothSocket::ConnectedState);
    QVERIFY(socket.isClearToSend());

    QSignalSpy written(&socket, &QIODevice::bytesWritten);
    const QByteArray data(45, 'x');
    QCOMPARE(socket.write(data), qint64(45));
    QCOMPARE(socket.chunks.size(), 1);
    QCOMPARE(socket.chunks.at(0).size(), 20);
    socket.confirmWrite();
    QCOMPARE(socket.chunks.size(), 2);
    QCOMPARE(socket.chunks.at(1).size(), 20);
    socket.confirmWrite();
    QCOMPARE(socket.chunks.size(), 3);
    QCOMPARE(socket.chunks.at(2).size(), 5);
    socket.confirmWrite();
    QCOMPARE(socket.chunks.size(), 3);
    QCOMPARE(socket.bytesToWrite(), qint64(0));
    QCOMPARE(written.count(), 3);
    QVERIFY(socket.isClearToSend());
}

void TestBluetooth::writeBufferIsBounded()
{
    ScriptedSocket socket(nullptr);
    socket.open(NorVSP::QVSPSocket::Laird);
    socket.modemOut("0");
    QCOMPARE(socket.write(QByteArray(96, 'a')), qint64(96));
    QCOMPARE(socket.bytesToWrite(), qint64(96));
    QSignalSpy errors(&socket, &NorVSP::QVSPSocket::error);
    QCOMPARE(socket.write(QByteArray(4000, 'b')), qint64(-1));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(socket.errorString(), QStringLiteral("Internal write buffer overflow (max. size 4096), write failed"));
    QCOMPARE(socket.lastError(), QLowEnergyService::OperationError);
    QCOMPARE(socket.write(QByteArray(3999, 'c')), qint64(3999));
    QCOMPARE(socket.bytesToWrite(), qint64(4095));
}

void TestBluetooth::modemOutPausesSending_data()
{
    QTest::addColumn<int>("manufacturer");
    QTest::addColumn<QByteArray>("stop");
    QTest::addColumn<QByteArray>("go");
    QTest::newRow("Laird") << int(NorVSP::QVSPSocket::Laird) << QByteArray("0") << QByteArray("1");
    QTest::newRow("Laird, empty notification") << int(NorVSP::QVSPSocket::Laird) << QByteArray("0") << QByteArray();
    QTest::newRow("BlueRadios") << int(NorVSP::QVSPSocket::BlueRadios) << QByteArray("1") << QByteArray("0");
}

void TestBluetooth::modemOutPausesSending()
{
    QFETCH(int, manufacturer);
    QFETCH(QByteArray, stop);
    QFETCH(QByteArray, go);
    ScriptedSocket socket(nullptr);
    socket.open(NorVSP::QVSPSocket::Manufacturer(manufacturer));
    socket.modemOut(stop);
    QVERIFY(!socket.isClearToSend());
    socket.write("hello");
    QCOMPARE(socket.chunks.size(), 0);
    socket.modemOut(go);
    QVERIFY(socket.isClearToSend());
    QCOMPARE(socket.chunks, QList<QByteArray> { "hello" });
}

void TestBluetooth::writingWhileNotConnectedFails()
{
    ScriptedSocket socket(nullptr);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (NorVSP::QVSPSocket): device not open");
    QCOMPARE(socket.write("x"), qint64(-1));
    QCOMPARE(socket.chunks.size(), 0);
}

void TestBluetooth::connectionClosedDuringWrite()
{
    ScriptedSocket socket(nullptr);
    socket.open(NorVSP::QVSPSocket::Laird);
    // The write lets pending events run first; one of them closes the connection.
    QTimer::singleShot(0, &socket, [&socket] { socket.close(); });
    QSignalSpy errors(&socket, &NorVSP::QVSPSocket::error);
    QCOMPARE(socket.write("lost?"), qint64(-1));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(socket.errorString(), QStringLiteral("Cannot write while not connected"));
    QCOMPARE(socket.chunks.size(), 0);
}

void TestBluetooth::receiving()
{
    ScriptedSocket socket(nullptr);
    // Data that arrives before the stream is open waits and is announced when it opens.
    socket.receive("early ");
    QSignalSpy ready(&socket, &QIODevice::readyRead);
    socket.open(NorVSP::QVSPSocket::Laird);
    QCOMPARE(ready.count(), 1);
    socket.receive("line\nrest");
    QCOMPARE(ready.count(), 2);
    QVERIFY(socket.canReadLine());
    QCOMPARE(socket.bytesAvailable(), qint64(15));
    QCOMPARE(socket.readLine(), QByteArray("early line\n"));
    QCOMPARE(socket.readAll(), QByteArray("rest"));
}

void TestBluetooth::closing()
{
    ScriptedSocket socket(nullptr);
    socket.open(NorVSP::QVSPSocket::Laird);
    socket.modemOut("0");
    socket.write("pending");
    QSignalSpy disconnected(&socket, &NorVSP::QVSPSocket::disconnected);
    QSignalSpy states(&socket, &NorVSP::QVSPSocket::stateChanged);
    socket.close();
    QVERIFY(!socket.isOpen());
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(states.count(), 2);
    QCOMPARE(socket.state(), QBluetoothSocket::UnconnectedState);
    QCOMPARE(socket.bytesToWrite(), qint64(0));
    socket.close();
    QCOMPARE(disconnected.count(), 1);
}

void TestBluetooth::closingWhileTheApplicationCloses()
{
    auto application
        = QSharedPointer<Vl::Orvane::UI::Application>::create(QCoreApplication::instance(), nullptr, nullptr);
    Vl::Orvane::UI::setSharedApplication(application);
    application->setIsClosing(true);
    ScriptedSocket socket(nullptr);
    socket.open(NorVSP::QVSPSocket::Laird);
    QSignalSpy disconnected(&socket, &NorVSP::QVSPSocket::disconnected);
    socket.close();
    QCOMPARE(disconnected.count(), 0);
    QCOMPARE(socket.state(), QBluetoothSocket::ClosingState);
}

void TestBluetooth::statusTexts()
{
    BluetoothBaseClass base;
    QSignalSpy error(&base, &BluetoothBaseClass::errorChanged);
    QSignalSpy info(&base, &BluetoothBaseClass::infoChanged);
    base.setError(QStringLiteral("E"));
    base.setError(QStringLiteral("E"));
    base.setInfo(QStringLiteral("I"));
    QCOMPARE(error.count(), 1);
    QCOMPARE(info.count(), 1);
    base.clearMessages();
    QCOMPARE(base.error(), QString());
    QCOMPARE(base.info(), QString());
    QCOMPARE(error.count(), 2);
}

void TestBluetooth::finderNameFilter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("lowEnergy");
    QTest::addColumn<bool>("found");
    QTest::newRow("Zentha with a suffix") << "ZNT320-0042" << true << true;
    QTest::newRow("Forlo") << "FRL410" << true << true;
    QTest::newRow("lower case") << "znt320-0042" << true << false;
    QTest::newRow("other device") << "Headset" << true << false;
    QTest::newRow("classic Bluetooth") << "FRL120" << false << false;
}

void TestBluetooth::finderNameFilter()
{
    QFETCH(QString, name);
    QFETCH(bool, lowEnergy);
    QFETCH(bool, found);
    RecordingHandler handler;
    DeviceFinder finder(&handler);
    finder.setInRescan(true);
    QSignalSpy deviceFound(&finder, &DeviceFinder::deviceFound);
    QBluetoothDeviceInfo device = lowEnergyDevice(QStringLiteral("00:11:22:33:44:55"), name);
    if (!lowEnergy)
        device.setCoreConfigurations(QBluetoothDeviceInfo::BaseRateCoreConfiguration);
    finder.addDevice(device);
    finder.addDevice(device);
    QCOMPARE(deviceFound.count(), found ? 1 : 0);
    QCOMPARE(finder.devices().size(), found ? 1 : 0);
    QCOMPARE(handler.handed.size(), 0);
    finder.setInRescan(false);
}

void TestBluetooth::finderHandsTheTargetToTheHandler()
{
    RecordingHandler handler;
    DeviceFinder finder(&handler);
    finder.connectToService(QStringLiteral("00:11:22:33:44:55"), QStringLiteral("ZNT320"));
    QVERIFY(!finder.inRescan());
    QSignalSpy deviceFound(&finder, &DeviceFinder::deviceFound);
    finder.addDevice(lowEnergyDevice(QStringLiteral("00:11:22:33:44:55"), QStringLiteral("ZNT320-1")));
    QCOMPARE(handler.handed.size(), 1);
    QCOMPARE(handler.handed.at(0)->getAddress(), QStringLiteral("00:11:22:33:44:55"));
    // Another device is not listed outside a rescan.
    finder.addDevice(lowEnergyDevice(QStringLiteral("66:11:22:33:44:55"), QStringLiteral("ZNT320-2")));
    QCOMPARE(deviceFound.count(), 0);
    // Not while the handler is connected.
    handler.isConnected = true;
    finder.addDevice(lowEnergyDevice(QStringLiteral("00:11:22:33:44:55"), QStringLiteral("ZNT320-1")));
    QCOMPARE(handler.handed.size(), 1);
    finder.disconnectFromService();
    QCOMPARE(finder.targetAddress(), QString());
}

void TestBluetooth::errorOfADeletedSocketIsIgnored_data()
{
    QTest::addColumn<bool>("nextDevice");
    QTest::newRow("no device") << false;
    QTest::newRow("another device") << true;
}

// The handler takes a socket's error after the event loop has run; by then another setDevice may
// have deleted that socket. Its error is then dropped: nothing reads the deleted socket, and the
// connection of the next socket stays under way.
void TestBluetooth::errorOfADeletedSocketIsIgnored()
{
    QFETCH(bool, nextDevice);
    QObject socketParent;
    DeviceHandler handler(nullptr, &socketParent);
    handler.setDevice(QSharedPointer<DeviceInfo>::create(
        lowEnergyDevice(QStringLiteral("00:11:22:33:44:55"), QStringLiteral("ZNT320-1"))));
    NorVSP::QVSPSocket* socket = socketParent.findChild<NorVSP::QVSPSocket*>();
    QVERIFY(socket);
    QVERIFY(handler.inStatusChanging());
    // Whatever the local adapter reports for the connection attempt comes first.
    QTest::qWait(50);
    QVERIFY(handler.inStatusChanging());

    static QStringList s_criticals;
    s_criticals.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg)
                s_criticals << text;
        });
    emit socket->error(QLowEnergyService::OperationError);
    handler.setDevice(nextDevice ? QSharedPointer<DeviceInfo>::create(lowEnergyDevice(
                                       QStringLiteral("66:11:22:33:44:55"), QStringLiteral("ZNT320-2")))
                                 : QSharedPointer<DeviceInfo>());
    QCOMPARE(socketParent.findChildren<NorVSP::QVSPSocket*>().size(), nextDevice ? 1 : 0);
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);
    QVERIFY2(s_criticals.filter(QStringLiteral("Bluetooth LE VSP error")).isEmpty(), qPrintable(s_criticals.join("; ")));
    // With the next device its connection is still under way; without one, no change is left open.
    QCOMPARE(handler.inStatusChanging(), nextDevice);
}

VANTOR_TEST_CLASS(TestBluetooth)
#include "tst_bluetooth.moc"
