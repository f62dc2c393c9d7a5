#include "core/utils.h"
#include "remote/serial.h"
#include "remote/serialbuffer.h"
#include "remoteclient.h"
#include "testsupport/testmain.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>

using namespace Vl::Tavix3::UI;

Q_DECLARE_METATYPE(SerialEnum::SerialType)

namespace {

// Everything the command server would read from a port now.
QByteArray drain(Serial& serial, const SerialInfoType& port)
{
    QByteArray bytes;
    char byte = 0;
    while (serial.readByte(port, byte))
        bytes.append(byte);
    return bytes;
}

// A serial layer listening on the command port with one client connected to it.
class ConnectedSerial
{
public:
    bool connect()
    {
        if (!serial.startServer() || !client.connectToServer())
            return false;
        return QTest::qWaitFor([this]() { return serial.clientCount() == 1; }, 10000);
    }

    // The messages the client receives for what send sends: a marker sent to every client after
    // it closes them.
    QList<QByteArray> receivedFor(const std::function<void()>& send)
    {
        send();
        const QByteArray marker("\tmarker\x02");
        serial.serialOutText(SerialEnum::SERIAL_CHANNEL_ALL, 0, QString::fromLatin1(marker));
        QList<QByteArray> before;
        const QByteArray last = client.waitForMessage([&](const QByteArray& message) {
            if (message == marker)
                return true;
            before << message;
            return false;
        });
        if (last.isEmpty())
            before << QByteArray("<no marker>");
        return before;
    }

    Serial serial;
    RemoteClient client;
};

} // namespace

// The serial layer: channel masks, buffers, notices, and what reaches a client of the command
// port (outgoing text, the event message).
class TestSerial : public QObject
{
    Q_OBJECT

private slots:
    void channelOfSerialType_data();
    void channelOfSerialType();
    void bufferIsFirstInFirstOut();
    void bufferFilledAndDrainedConcurrently();
    void noticeQueueWakesTheConsumer();
    void textFileFeedsTheVirtualPort();
    void missingTextFilePostsNothing();
    void unknownPortReadsEmpty();
    void outgoingText_data();
    void outgoingText();
    void eventMessage_data();
    void eventMessage();
    void sendEventPushesToEveryClient();
};

void TestSerial::channelOfSerialType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mask");
    QTest::newRow("PC port A") << int(SerialEnum::SER_PCA) << 1;
    QTest::newRow("PC port B") << int(SerialEnum::SER_PCB) << 2;
    QTest::newRow("USB") << int(SerialEnum::SER_USB) << 4;
    QTest::newRow("TCP server") << int(SerialEnum::SERVER_TCP) << 8;
    QTest::newRow("Bluetooth") << int(SerialEnum::BLUETOOTH) << 16;
    QTest::newRow("max serial type") << int(SerialEnum::MAX_SERIAL_TYPE) << 1;
    QTest::newRow("virtual") << int(SerialEnum::SER_VIRTUAL) << 0;
    QTest::newRow("modem") << int(SerialEnum::MODEM) << 128;
    QTest::newRow("all") << int(SerialEnum::SER_ALL) << 31;
    QTest::newRow("none") << int(SerialEnum::SER_NONE) << 0;
    QTest::newRow("outside the enumeration") << 42 << 1;
}

void TestSerial::channelOfSerialType()
{
    QFETCH(int, type);
    QFETCH(int, mask);
    QCOMPARE(Serial::getSerialChannel(static_cast<SerialEnum::SerialType>(type)), mask);
}

void TestSerial::bufferIsFirstInFirstOut()
{
    SerialBuffer buffer;
    char byte = 0;
    QVERIFY(buffer.isEmpty());
    QVERIFY(!buffer.takeByte(byte));

    QByteArray expected;
    for (int i = 0; i < 10000; ++i)
        expected.append(char(i % 251));
    buffer.append(expected.left(6000));
    QByteArray taken;
    for (int i = 0; i < 5000 && buffer.takeByte(byte); ++i)
        taken.append(byte);
    buffer.append(expected.mid(6000, 3999));
    buffer.append(expected.at(9999));
    QCOMPARE(buffer.size(), 5000);
    while (buffer.takeByte(byte))
        taken.append(byte);
    QCOMPARE(taken, expected);
    QVERIFY(buffer.isEmpty());

    buffer.append(QByteArray("abc"));
    buffer.clear();
    QVERIFY(buffer.isEmpty());
}

void TestSerial::bufferFilledAndDrainedConcurrently()
{
    SerialBuffer buffer;
    constexpr int kChunks = 2000;
    std::unique_ptr<QThread> producer(QThread::create([&buffer]() {
        for (int i = 0; i < kChunks; ++i)
            buffer.append(QByteArray::number(i % 10).repeated(7));
    }));
    producer->start();
    QByteArray taken;
    char byte = 0;
    while (taken.size() < kChunks * 7) {
        if (buffer.takeByte(byte))
            taken.append(byte);
        else
            QThread::yieldCurrentThread();
    }
    QVERIFY(producer->wait(10000));
    for (int i = 0; i < kChunks; ++i)
        QCOMPARE(taken.mid(i * 7, 7), QByteArray::number(i % 10).repeated(7));
}

void TestSerial::noticeQueueWakesTheConsumer()
{
    Serial serial;
    SerialInfoType port;
    QVERIFY(!serial.noticeQueue().take(port, 10));

    std::unique_ptr<QThread> consumer(QThread::create([&serial, &port]() {
        SerialInfoType taken;
        if (serial.noticeQueue().take(taken, 10000))
            port = taken;
    }));
    consumer->start();
    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/serial-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("requests.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\t{}\x02");
    file.close();
    QVERIFY(serial.readTextFile(path));
    QVERIFY(consumer->wait(10000));
    QCOMPARE(port.portId, Serial::kVirtualPortId);
    QCOMPARE(port.type, SerialEnum::SER_VIRTUAL);
}

void TestSerial::textFileFeedsTheVirtualPort()
{
    Serial serial;
    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/serial-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("requests.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray content("\t{\"Header\":{}}\x02$7010\r\xff\x00 tail", 26);
    file.write(content);
    file.close();

    QVERIFY(serial.readTextFile(path));
    QVERIFY(serial.readTextFile(path));
    QCOMPARE(serial.noticeQueue().size(), 2);
    const SerialInfoType port { Serial::kVirtualPortId, SerialEnum::SER_VIRTUAL };
    QVERIFY(!serial.isBufferEmpty(port));
    QCOMPARE(drain(serial, port), content + content);
    QVERIFY(serial.isBufferEmpty(port));
}

void TestSerial::missingTextFilePostsNothing()
{
    Serial serial;
    QVERIFY(!serial.readTextFile(TestSupport::testRoot() + QStringLiteral("/no-such-file.txt")));
    QCOMPARE(serial.noticeQueue().size(), 0);
    QVERIFY(serial.isBufferEmpty({ Serial::kVirtualPortId, SerialEnum::SER_VIRTUAL }));
}

void TestSerial::unknownPortReadsEmpty()
{
    Serial serial;
    char byte = 'x';
    QVERIFY(!serial.readByte({ 1, SerialEnum::SER_PCA }, byte));
    QVERIFY(serial.isBufferEmpty({ 1, SerialEnum::SER_PCA }));
    QVERIFY(serial.isBufferEmpty({ 0, SerialEnum::SER_NONE }));
    QCOMPARE(byte, 'x');
}

void TestSerial::outgoingText_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("sent");
    QTest::newRow("all channels") << 31 << true;
    QTest::newRow("PC port A only") << 1 << true;
    QTest::newRow("every channel but PC port A") << 30 << false;
    QTest::newRow("no channel") << 0 << false;
    QTest::newRow("modem") << 128 << false;
    QTest::newRow("A among others") << 0x81 << true;
}

void TestSerial::outgoingText()
{
    QFETCH(int, mask);
    QFETCH(bool, sent);
    ConnectedSerial connected;
    QVERIFY(connected.connect());
    Serial& serial = connected.serial;
    const QString text = QStringLiteral("\tZürich – 5 °C\x02");
    const QList<QByteArray> expected = sent ? QList<QByteArray> { text.toUtf8() } : QList<QByteArray>();
    QCOMPARE(connected.receivedFor([&]() { serial.serialOutText(mask, 99, text); }), expected);

    // Replies addressed to a port use the mask of its type.
    QCOMPARE(connected.receivedFor([&]() {
        serial.serialOutText(SerialInfoType { Serial::kVirtualPortId, SerialEnum::SER_VIRTUAL }, text);
        serial.serialOutText(SerialInfoType { 0, SerialEnum::SER_NONE }, text);
    }),
        QList<QByteArray>());
    QCOMPARE(connected.receivedFor([&]() {
        serial.serialOutText(SerialInfoType { 1, SerialEnum::SER_PCA }, text);
    }),
        QList<QByteArray> { text.toUtf8() });
}

void TestSerial::eventMessage_data()
{
    QTest::addColumn<int>("bib"); // -1: none
    QTest::addColumn<qint64>("channel");
    QTest::addColumn<bool>("isAuto");
    QTest::addColumn<bool>("isSkipped");
    QTest::addColumn<bool>("isScartIn");
    QTest::newRow("no bib") << -1 << qint64(1) << false << false << false;
    QTest::newRow("generated start") << 42 << qint64(9) << true << true << false;
    QTest::newRow("false start on a radio lap") << 7 << qint64(190) << false << false << true;
    QTest::newRow("64-bit channel") << 0 << (qint64(1) << 40) << false << false << false;
}

void TestSerial::eventMessage()
{
    QFETCH(int, bib);
    QFETCH(qint64, channel);
    QFETCH(bool, isAuto);
    QFETCH(bool, isSkipped);
    QFETCH(bool, isScartIn);
    Event event;
    if (bib >= 0)
        event.bibNumber = bib;
    event.ticks = 85985280000000 + 2266939500; // 30/06/2024 12:35:38.7900
    event.physicalChannel = channel;
    event.isAuto = isAuto;
    event.isSkipped = isSkipped;
    event.isScartIn = isScartIn;

    const QString text = Serial::eventMessage(event);
    QVERIFY(text.startsWith(QChar(0x09)));
    QVERIFY(text.endsWith(QChar(0x02)));
    QString type, section, id;
    QJsonArray data;
    QVERIFY(Utils::parseJsonData(text.mid(1, text.size() - 2), type, section, id, data));
    QCOMPARE(type, QStringLiteral("Sema"));
    QCOMPARE(section, QStringLiteral("Event"));
    QCOMPARE(id.size(), 36);
    QVERIFY(id != event.id);
    QCOMPARE(data.size(), 1);
    const QJsonObject object = data.at(0).toObject();
    QCOMPARE(object.keys(),
        (QStringList { "BibNumber", "Date", "Id", "IsAuto", "IsScartIn", "IsSkipped", "PhysicalChannel", "Time" }));
    QCOMPARE(object.value("Id").toString(), event.id);
    QCOMPARE(object.value("BibNumber").toInt(-1), bib < 0 ? 0 : bib);
    QCOMPARE(qint64(object.value("PhysicalChannel").toDouble()), channel);
    QCOMPARE(object.value("Time").toString(), QStringLiteral("12:35:38.7900"));
    QCOMPARE(object.value("Date").toString(), QStringLiteral("30/06/2024"));
    QCOMPARE(object.value("IsAuto").toBool(!isAuto), isAuto);
    QCOMPARE(object.value("IsSkipped").toBool(!isSkipped), isSkipped);
    QCOMPARE(object.value("IsScartIn").toBool(!isScartIn), isScartIn);
}

void TestSerial::sendEventPushesToEveryClient()
{
    ConnectedSerial connected;
    QVERIFY(connected.connect());
    Serial& serial = connected.serial;
    QCOMPARE(connected.receivedFor([&]() { serial.sendEvent(EntityPtr<Event>()); }), QList<QByteArray>());
    const auto event = EntityPtr<Event>::create();
    const QList<QByteArray> received = connected.receivedFor([&]() { serial.sendEvent(event); });
    QCOMPARE(received.size(), 1);
    QCOMPARE(RemoteClient::firstData(RemoteClient::parse(received.at(0))),
        RemoteClient::firstData(RemoteClient::parse(Serial::eventMessage(*event).toUtf8())));
    const QString text = QString::fromUtf8(received.at(0));
    QVERIFY(text.contains(QStringLiteral("\"Id\":\"%1\"").arg(event->id)));
    QVERIFY(text.contains(QStringLiteral("\"Section\":\"Event\"")));
}

VANTOR_TEST_CLASS(TestSerial)
#include "tst_serial.moc"
