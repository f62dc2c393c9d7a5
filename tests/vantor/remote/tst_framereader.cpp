#include "remote/framereader.h"
#include "testsupport/testmain.h"

#include <QTest>

#include <vector>

using namespace Vl::Tavix3::UI;
using Frame = FrameReader::Frame;
using Kind = FrameReader::FrameKind;

Q_DECLARE_METATYPE(FrameReader::FrameKind)

namespace {

// One burst of bytes arriving at a time, fed byte by byte as the command server reads them.
struct Burst
{
    qint64 atMs;
    QByteArray bytes;
};

std::vector<Frame> feedBursts(FrameReader& reader, const std::vector<Burst>& bursts)
{
    std::vector<Frame> frames;
    for (const Burst& burst : bursts) {
        for (const char byte : burst.bytes) {
            if (auto frame = reader.feed(byte, burst.atMs))
                frames.push_back(*frame);
        }
    }
    return frames;
}

QByteArray describe(const std::vector<Frame>& frames)
{
    QByteArray text;
    for (const Frame& frame : frames) {
        text += frame.kind == Kind::Json ? "J:" : frame.kind == Kind::RawText ? "R:" : "H:";
        text += frame.bytes;
        text += '|';
    }
    return text;
}

} // namespace

// The frame reader of one port, over an in-memory byte stream with a driven clock: what makes a
// frame, what restarts or ends one, what is ignored, and the bounds on every frame.
class TestFrameReader : public QObject
{
    Q_OBJECT

private slots:
    void framesOfOneStream_data();
    void framesOfOneStream();
    void splitAcrossBurstsWithinTheTimeout();
    void silenceDropsAnUnfinishedFrame();
    void silenceEndsTheJsonReading();
    void bluetoothWaitsLonger();
    void virtualPortNeverTimesOut();
    void suspendedTimeoutIsNoSilence();
    void jsonBoundIsOneMebibyte();
    void rawTextBound();
    void hexBound();
    void oversizedFrameResynchronisesAtTab();
    void expireReportsIdle();
};

void TestFrameReader::framesOfOneStream_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArray>("frames");

    QTest::newRow("one request") << QByteArray("\t{\"a\":1}\x02") << QByteArray("J:{\"a\":1}|");
    QTest::newRow("two in one burst") << QByteArray("\tone\x02\ttwo\x02") << QByteArray("J:one|J:two|");
    QTest::newRow("tab restarts") << QByteArray("\tbroken\tgood\x02") << QByteArray("J:good|");
    QTest::newRow("bytes after stx ignored") << QByteArray("\tone\x02noise\ttwo\x02") << QByteArray("J:one|J:two|");
    QTest::newRow("empty frame") << QByteArray("\t\x02") << QByteArray("");
    QTest::newRow("noise before a frame") << QByteArray("xyz\x02\tok\x02") << QByteArray("J:ok|");
    QTest::newRow("stx without tab") << QByteArray("abc\x02") << QByteArray("");
    QTest::newRow("raw text") << QByteArray("\t\x1bHELLO WORLD\x02") << QByteArray("R:HELLO WORLD|");
    QTest::newRow("empty raw text") << QByteArray("\t\x1b\x02") << QByteArray("R:|");
    QTest::newRow("hex frame") << QByteArray("$000C7011C0\r") << QByteArray("H:$000C7011C0\r|");
    QTest::newRow("dollar restarts hex") << QByteArray("$00$000C7011C0\r") << QByteArray("H:$000C7011C0\r|");
    QTest::newRow("hex then json") << QByteArray("$1\r\tok\x02") << QByteArray("H:$1\r|J:ok|");
    // Inside the JSON reading a "$" is an ordinary byte: a synchronisation frame right after a
    // request is lost.
    QTest::newRow("dollar after json lost") << QByteArray("\tok\x02$000C7011C0\r") << QByteArray("J:ok|");
    QTest::newRow("tab and stx inside hex") << QByteArray("$00\t{}\x02\r") << QByteArray("H:$00\t{}\x02\r|");
    QTest::newRow("utf-8 bytes kept") << QByteArray("\t\xc3\xa8\x02") << QByteArray("J:\xc3\xa8|");
}

void TestFrameReader::framesOfOneStream()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArray, frames);
    FrameReader reader;
    QCOMPARE(describe(feedBursts(reader, { { 0, stream } })), frames);
}

void TestFrameReader::splitAcrossBurstsWithinTheTimeout()
{
    FrameReader reader;
    const auto frames = feedBursts(reader, { { 0, "\t{\"He" }, { 400, "ader\":" }, { 1399, "1}\x02" } });
    QCOMPARE(describe(frames), QByteArray("J:{\"Header\":1}|"));
}

void TestFrameReader::silenceDropsAnUnfinishedFrame()
{
    FrameReader reader;
    QVERIFY(feedBursts(reader, { { 0, "\t{\"lost\"" } }).empty());
    // One second of silence: the partial frame is gone and the STX alone makes nothing.
    QCOMPARE(describe(feedBursts(reader, { { 1000, "}\x02\tnext\x02" } })), QByteArray("J:next|"));

    FrameReader hex;
    QVERIFY(feedBursts(hex, { { 0, "$000C70" } }).empty());
    QCOMPARE(describe(feedBursts(hex, { { 999, "11C0\r" } })), QByteArray("H:$000C7011C0\r|"));
    QVERIFY(feedBursts(hex, { { 2000, "$000C70" } }).empty());
    QVERIFY(feedBursts(hex, { { 3000, "11C0\r" } }).empty());
}

void TestFrameReader::silenceEndsTheJsonReading()
{
    FrameReader reader;
    feedBursts(reader, { { 0, "\tok\x02" } });
    QVERIFY(!reader.isIdle());
    QVERIFY(feedBursts(reader, { { 999, "$000C7011C0\r" } }).empty());
    QCOMPARE(describe(feedBursts(reader, { { 2000, "$000C7011C0\r" } })), QByteArray("H:$000C7011C0\r|"));
}

void TestFrameReader::bluetoothWaitsLonger()
{
    FrameReader reader(FrameReader::kBluetoothTimeoutMs);
    feedBursts(reader, { { 0, "\t{\"a\"" } });
    QCOMPARE(describe(feedBursts(reader, { { 2999, ":1}\x02" } })), QByteArray("J:{\"a\":1}|"));
    feedBursts(reader, { { 3000, "\t{" } });
    QVERIFY(feedBursts(reader, { { 6000, "}\x02" } }).empty());
}

void TestFrameReader::virtualPortNeverTimesOut()
{
    FrameReader reader(0);
    feedBursts(reader, { { 0, "\t{" } });
    QVERIFY(!reader.expire(1000000));
    QCOMPARE(describe(feedBursts(reader, { { 2000000, "}\x02" } })), QByteArray("J:{}|"));
    feedBursts(reader, { { 0, "\tpartial" } });
    reader.reset();
    QVERIFY(reader.isIdle());
    QCOMPARE(reader.pendingBytes(), 0);
}

void TestFrameReader::suspendedTimeoutIsNoSilence()
{
    FrameReader reader;
    feedBursts(reader, { { 0, "\t{\"a\"" } });
    // 4 s spent on a command elsewhere, then 0.9 s of real silence: the frame lives on.
    reader.suspendTimeout(4000);
    QCOMPARE(describe(feedBursts(reader, { { 4900, ":1}\x02" } })), QByteArray("J:{\"a\":1}|"));

    // The suspension counts once: the silence after it still ends a frame.
    FrameReader other;
    feedBursts(other, { { 0, "\t{\"a\"" } });
    other.suspendTimeout(4000);
    QVERIFY(feedBursts(other, { { 5000, ":1}\x02" } }).empty());

    FrameReader idle;
    idle.suspendTimeout(1000);
    QVERIFY(idle.isIdle());
}

void TestFrameReader::jsonBoundIsOneMebibyte()
{
    const QByteArray atBound(FrameReader::kMaxJsonBytes, 'x');
    FrameReader reader;
    auto frames = feedBursts(reader, { { 0, "\t" + atBound + "\x02" } });
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames.at(0).bytes.size(), FrameReader::kMaxJsonBytes);

    frames = feedBursts(reader, { { 0, "\t" + atBound + "y\x02" } });
    QVERIFY(frames.empty());
    QVERIFY(reader.pendingBytes() == 0);
}

void TestFrameReader::rawTextBound()
{
    const QByteArray text(FrameReader::kMaxShortFrameBytes - 1, 'A');
    FrameReader reader;
    auto frames = feedBursts(reader, { { 0, "\t\x1b" + text + "\x02" } });
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames.at(0).kind, Kind::RawText);
    QCOMPARE(frames.at(0).bytes.size(), text.size());
    QVERIFY(feedBursts(reader, { { 0, "\t\x1b" + text + "B\x02" } }).empty());
}

void TestFrameReader::hexBound()
{
    const QByteArray body(FrameReader::kMaxShortFrameBytes - 2, '0');
    FrameReader reader;
    auto frames = feedBursts(reader, { { 0, "$" + body + "\r" } });
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames.at(0).bytes.size(), FrameReader::kMaxShortFrameBytes);
    QVERIFY(feedBursts(reader, { { 0, "$" + body + "0\r" } }).empty());
}

void TestFrameReader::oversizedFrameResynchronisesAtTab()
{
    FrameReader reader;
    const QByteArray tooLong = "$" + QByteArray(FrameReader::kMaxShortFrameBytes, '1');
    // Neither a "$" nor an STX counts until the next TAB; the TAB starts a good frame.
    const auto frames = feedBursts(reader, { { 0, tooLong + "$000C7011C0\r\x02\t{\"ok\":1}\x02" } });
    QCOMPARE(describe(frames), QByteArray("J:{\"ok\":1}|"));

    FrameReader json;
    const QByteArray huge = "\t" + QByteArray(FrameReader::kMaxJsonBytes + 10, '{');
    QCOMPARE(describe(feedBursts(json, { { 0, huge + "}\x02\t[]\x02" } })), QByteArray("J:[]|"));
}

void TestFrameReader::expireReportsIdle()
{
    FrameReader reader;
    QVERIFY(reader.expire(0));
    feedBursts(reader, { { 100, "\t{" } });
    QVERIFY(!reader.expire(1099));
    QCOMPARE(reader.pendingBytes(), 1);
    QVERIFY(reader.expire(1100));
    QCOMPARE(reader.pendingBytes(), 0);
}

VANTOR_TEST_CLASS(TestFrameReader)
#include "tst_framereader.moc"
