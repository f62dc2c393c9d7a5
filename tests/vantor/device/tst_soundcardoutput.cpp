#include "alsatestdevice.h"
#include "app/application.h"
#include "device/recordingtonesink.h"
#include "device/soundcardtonesink.h"
#include "device/systemhw.h"
#include "device/tonegenerator.h"
#include "device/tonesinkchooser.h"
#include "recordedtone.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/realtimescheduling.h"
#include "ui/infobarmessage.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <pthread.h>
#include <sched.h>
#include <thread>

using namespace Vl::Tavix3::UI;
using TestSupport::AlsaTestDevice;
using TestSupport::RecordedTone;

Q_DECLARE_METATYPE(AlsaTestDevice::Kind)

namespace {

constexpr int kWaitMs = 20000; // a loaded machine plays late, never early

// Waits until the device has recorded one more tone of this many samples, whole: the recording has
// grown by that much since it held framesBefore (the file device by all it does not hold back, so
// the whole tone has been handed to it), and the test card's ends in the tone's fade.
bool waitForTone(const AlsaTestDevice& device, qint64 framesBefore, qint64 samples)
{
    return QTest::qWaitFor(
        [&] {
            const qint64 grown = device.recordedFrames() - framesBefore;
            if (device.heldBack() > 0)
                return grown >= samples - device.heldBack();
            return grown >= samples * 9 / 10 && device.endsQuietly();
        },
        kWaitMs);
}

qint64 samplesOf(uint durationMs, int rate) { return ToneGenerator::sampleCount(durationMs, rate); }

QByteArray describe(const QList<RecordedTone>& tones, int rate)
{
    QStringList lines;
    for (const RecordedTone& tone : tones)
        lines << tone.describe(rate);
    return QStringLiteral("%1 tone(s) recorded: %2").arg(tones.size()).arg(lines.join(QStringLiteral("; "))).toUtf8();
}

// Checks a recorded tone: its frequency and length, no silence inside, and no step larger than the
// sine's own (a lost or repeated piece of the tone would jump).
void verifyTone(const RecordedTone& tone, uint frequencyHz, uint durationMs, int rate)
{
    const QByteArray description = tone.describe(rate).toUtf8();
    // Within half a percent, and a zero crossing more or less (which a short tone feels).
    const double crossingHz = rate / (2.0 * double(tone.length));
    QVERIFY2(std::abs(tone.frequencyHz(rate) - frequencyHz) <= frequencyHz * 0.005 + crossingHz + 1,
        description.constData());
    // The fades begin and end with a few samples too quiet to count.
    QVERIFY2(std::abs(tone.lengthMs(rate) - durationMs) <= 2.0, description.constData());
    QVERIFY2(tone.longestQuiet <= 2, description.constData());
    const double sineStep = 2.0 * M_PI * frequencyHz / rate * ToneGenerator::kAmplitude;
    QVERIFY2(tone.largestStep <= sineStep * 1.02 + 2, description.constData());
}

struct SchedulerRequest
{
    QString thread;
    int policy = -1;
    int priority = -1;
};
QMutex s_requestsMutex;
QList<SchedulerRequest> s_requests;
int s_schedulerAnswer = 0;

int recordSchedulerRequest(int policy, int priority)
{
    QMutexLocker locker(&s_requestsMutex);
    s_requests.append({ QThread::currentThread()->objectName(), policy, priority });
    return s_schedulerAnswer;
}

bool realtimePermitted()
{
    bool permitted = false;
    std::thread probe([&permitted] {
        sched_param parameters {};
        parameters.sched_priority = 1;
        permitted = pthread_setschedparam(pthread_self(), SCHED_RR, &parameters) == 0;
    });
    probe.join();
    return permitted;
}

QMutex s_loggedMutex;
QStringList s_logged;
void recordLine(QtMsgType, const QMessageLogContext&, const QString& message)
{
    QMutexLocker locker(&s_loggedMutex);
    s_logged << message;
}
QStringList loggedTones()
{
    QMutexLocker locker(&s_loggedMutex);
    return s_logged.filter(QRegularExpression(QStringLiteral("^Tone \\d+ Hz")));
}

} // namespace

// The sound card path as Vantor plays it, through Qt Multimedia and ALSA to a device of the test's
// own (see AlsaTestDevice): what the device records must be the tone asked for, at the rate the
// device agreed, whole through a stall of the output thread, and a device that goes away must be
// opened again, with the next output and the operator's notice meanwhile.
class TestSoundCardOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void toneHasItsPitchAndLengthOnTheDevice_data();
    void toneHasItsPitchAndLengthOnTheDevice();
    void soundCardHandsToneToTheDevice();
    void toneCarriesOnThroughAStallOfTheOutputThread();
    void outputThreadAsksForRealTimeScheduling_data();
    void outputThreadAsksForRealTimeScheduling();
    void outputThreadRunsUnderRealTimeSchedulingWherePermitted();
    void deviceOfARestartedServerIsOpenedAgain();
    void lostDeviceHandsTonesOnAndComesBack_data();
    void lostDeviceHandsTonesOnAndComesBack();
};

void TestSoundCardOutput::initTestCase()
{
    // No sound server takes the tones, even where one runs: ALSA's default device is the test's.
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:%1/no-sound-server").arg(TestSupport::testRoot())));
}

void TestSoundCardOutput::cleanup() { RealtimeScheduling::setSchedulerCall(nullptr); }

void TestSoundCardOutput::toneHasItsPitchAndLengthOnTheDevice_data()
{
    QTest::addColumn<AlsaTestDevice::Kind>("kind");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<uint>("frequency");
    QTest::addColumn<uint>("duration");
    // The file device takes the format asked for: 48 kHz, one channel.
    QTest::newRow("file device, start tone") << AlsaTestDevice::Kind::FileOverNull << 48000 << 1 << 1840u << 1000u;
    QTest::newRow("card at 44.1 kHz, short high tone") << AlsaTestDevice::Kind::TestCard << 44100 << 1 << 922u << 300u;
    QTest::newRow("stereo card at 44.1 kHz, long low tone")
        << AlsaTestDevice::Kind::TestCard << 44100 << 2 << 460u << 1000u;
    QTest::newRow("card at 22.05 kHz, synchronisation pulse")
        << AlsaTestDevice::Kind::TestCard << 22050 << 1 << 1250u << 300u;
    QTest::newRow("card at 48 kHz, armed tone") << AlsaTestDevice::Kind::TestCard << 48000 << 1 << 2000u << 300u;
    QTest::newRow("card at 44.1 kHz, tone shorter than a period")
        << AlsaTestDevice::Kind::TestCard << 44100 << 1 << 3000u << 15u;
}

void TestSoundCardOutput::toneHasItsPitchAndLengthOnTheDevice()
{
    QFETCH(AlsaTestDevice::Kind, kind);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(uint, frequency);
    QFETCH(uint, duration);
    AlsaTestDevice device(kind, rate, channels);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    QCOMPARE(sink->deviceName(), QStringLiteral("default"));
    // As in the program, the tone comes long after the output opened: the card has run dry and
    // waits to be started again (ALSA's output starts it once it holds a period, 20 ms).
    if (kind == AlsaTestDevice::Kind::TestCard)
        QTest::qWait(2 * AlsaTestDevice::kSlackMs);

    sink->start(frequency, duration);
    QVERIFY(waitForTone(device, 0, samplesOf(duration, rate)));
    sink.reset();

    const QList<RecordedTone> tones = RecordedTone::find(device.recorded(), rate);
    QVERIFY2(tones.size() == 1, describe(tones, rate).constData());
    verifyTone(tones.first(), frequency, duration, rate);
}

void TestSoundCardOutput::soundCardHandsToneToTheDevice()
{
    AlsaTestDevice device(AlsaTestDevice::Kind::FileOverNull, 48000, 1);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    std::atomic<int> handed { 0 };
    std::atomic<qint64> delayNs { -1 };
    sink->setHandoffObserver([&](qint64 requestedNs, qint64 handedNs) {
        delayNs = handedNs - requestedNs;
        ++handed;
    });
    sink->start(19000, 40);
    QTRY_COMPARE_WITH_TIMEOUT(handed.load(), 1, kWaitMs);
    QVERIFY(delayNs.load() >= 0);
    sink->start(18000, 40);
    QTRY_COMPARE_WITH_TIMEOUT(handed.load(), 2, kWaitMs);
    sink.reset();
}

void TestSoundCardOutput::toneCarriesOnThroughAStallOfTheOutputThread()
{
    // The card plays in real time: what carries a tone through a stall of the thread that writes
    // it is what the card holds ahead of what it plays. (The test card waits a while for a late
    // writer, so that a busy test machine does not break tones up; so the tone is checked whole,
    // and the margin is read from how far ahead each write reached.)
    const int rate = 44100;
    AlsaTestDevice device(AlsaTestDevice::Kind::TestCard, rate, 1);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    std::atomic<bool> stalled { false };
    // Right after its first samples, the output thread stops for 40 ms, as a busy machine stops it.
    sink->setHandoffObserver([&](qint64, qint64) {
        if (!stalled.exchange(true))
            QThread::msleep(40);
    });
    sink->start(460, 1000);
    QVERIFY(waitForTone(device, 0, samplesOf(1000, rate)));
    sink.reset();

    QVERIFY(stalled);
    const QList<RecordedTone> tones = RecordedTone::find(device.recorded(), rate);
    QVERIFY2(tones.size() == 1, describe(tones, rate).constData());
    verifyTone(tones.first(), 460, 1000, rate);
    // After every write, the first and the one after the stall included, the card held at least
    // 80 ms of the tone: a stall that long leaves no gap.
    const QList<qint64> ahead = device.heldAhead();
    QVERIFY(!ahead.isEmpty());
    const qint64 least = *std::min_element(ahead.begin(), ahead.end());
    QVERIFY2(least >= rate * 80 / 1000, qPrintable(QStringLiteral("%1 ms ahead").arg(1000.0 * double(least) / rate)));
}

void TestSoundCardOutput::outputThreadAsksForRealTimeScheduling_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("granted") << 0;
    QTest::newRow("refused") << int(EPERM);
}

void TestSoundCardOutput::outputThreadAsksForRealTimeScheduling()
{
    QFETCH(int, answer);
    const int rate = 44100;
    AlsaTestDevice device(AlsaTestDevice::Kind::TestCard, rate, 1);
    {
        QMutexLocker locker(&s_requestsMutex);
        s_requests.clear();
        s_schedulerAnswer = answer;
    }
    RealtimeScheduling::setSchedulerCall(&recordSchedulerRequest);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    {
        QMutexLocker locker(&s_requestsMutex);
        QCOMPARE(s_requests.size(), 1);
        QCOMPARE(s_requests.first().thread, QStringLiteral("Tone output thread"));
        QCOMPARE(s_requests.first().policy, SCHED_RR);
        QCOMPARE(s_requests.first().priority, RealtimeScheduling::kSchedulerPriority);
    }
    // Granted or not, the tones play.
    sink->start(922, 300);
    QVERIFY(waitForTone(device, 0, samplesOf(300, rate)));
    sink.reset();
    const QList<RecordedTone> tones = RecordedTone::find(device.recorded(), rate);
    QVERIFY2(tones.size() == 1, describe(tones, rate).constData());
    verifyTone(tones.first(), 922, 300, rate);
}

void TestSoundCardOutput::outputThreadRunsUnderRealTimeSchedulingWherePermitted()
{
    AlsaTestDevice device(AlsaTestDevice::Kind::FileOverNull, 48000, 1);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    std::atomic<int> policy { -1 };
    std::atomic<int> priority { -1 };
    sink->setHandoffObserver([&](qint64, qint64) {
        sched_param parameters {};
        int threadPolicy = -1;
        pthread_getschedparam(pthread_self(), &threadPolicy, &parameters);
        priority = parameters.sched_priority;
        policy = threadPolicy;
    });
    sink->start(19000, 20);
    QTRY_VERIFY_WITH_TIMEOUT(policy.load() != -1, kWaitMs);
    sink.reset();
    if (realtimePermitted()) {
        QCOMPARE(policy.load(), SCHED_RR);
        QCOMPARE(priority.load(), RealtimeScheduling::kSchedulerPriority);
    } else {
        QCOMPARE(policy.load(), SCHED_OTHER);
    }
}

void TestSoundCardOutput::deviceOfARestartedServerIsOpenedAgain()
{
    // The card's server restarts between two tones: the stream open on it fails at the next tone's
    // first write (the output reports a fatal error), and a new one opens at once; the tone plays
    // whole on it, and nobody is told anything.
    const int rate = 44100;
    AlsaTestDevice device(AlsaTestDevice::Kind::TestCard, rate, 1);
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    QVERIFY(sink);
    std::atomic<int> told { 0 };
    sink->setAudibilityObserver([&](bool) { ++told; });

    sink->start(922, 300);
    QVERIFY(waitForTone(device, 0, samplesOf(300, rate)));
    QTest::qWait(2 * SoundCardStream::kBufferMs); // what the card holds has played
    device.restartServer();
    const qint64 before = device.recordedFrames();
    sink->start(1840, 1000);
    QVERIFY(waitForTone(device, before, samplesOf(1000, rate)));
    sink.reset();

    QCOMPARE(told.load(), 0);
    const QList<RecordedTone> tones = RecordedTone::find(device.recorded(), rate);
    QVERIFY2(tones.size() == 2, describe(tones, rate).constData());
    verifyTone(tones.at(0), 922, 300, rate);
    verifyTone(tones.at(1), 1840, 1000, rate);
}

void TestSoundCardOutput::lostDeviceHandsTonesOnAndComesBack_data()
{
    // What stands in for the sound card: the log (nothing else opens: the operator is told), or
    // an output that plays (the PC speaker, here a recorder: nobody needs telling).
    QTest::addColumn<bool>("speaker");
    QTest::newRow("the log stands in") << false;
    QTest::newRow("the speaker stands in") << true;
}

void TestSoundCardOutput::lostDeviceHandsTonesOnAndComesBack()
{
    QFETCH(bool, speaker);
    const int rate = 44100;
    AlsaTestDevice device(AlsaTestDevice::Kind::TestCard, rate, 1);
    std::shared_ptr<SoundCardToneSink> card;
    const auto speakerSink = std::make_shared<RecordingToneSink>();
    const ToneSinkChooser::Outputs outputs {
        [&card]() -> std::shared_ptr<ToneSink> {
            card = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
            if (card)
                card->setReopenInterval(50);
            return card;
        },
        [&]() -> std::shared_ptr<ToneSink> { return speaker ? speakerSink : nullptr; },
    };
    const ToneSinkChooser::Choice choice
        = ToneSinkChooser::choose(speaker ? QString() : QStringLiteral("soundcard"), outputs);
    QVERIFY(card);
    QVERIFY(choice.audible);

    TestSupport::ApplicationFixture application;
    SystemHw* systemHw = application->systemHw();
    systemHw->setToneSink(choice.sink, choice.audible);
    systemHw->loadSettings();
    QSignalSpy notices(application->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    {
        QMutexLocker locker(&s_loggedMutex);
        s_logged.clear();
    }
    const QtMessageHandler previousHandler = qInstallMessageHandler(recordLine);

    systemHw->setSound(922, 300);
    const bool firstRecorded = waitForTone(device, 0, samplesOf(300, rate));
    QTest::qWait(2 * SoundCardStream::kBufferMs); // what the card holds has played
    device.unplug();
    // The tone that finds the card gone goes on in the next output, for what is left of it, and so
    // do the tones after it until the card is back.
    systemHw->setSound(1840, 1000);
    const bool lost = QTest::qWaitFor([&] { return !card->isAudible(); }, kWaitMs);
    systemHw->setSound(460, 300);
    const bool standInPlayed = speaker ? speakerSink->waitForTones(2, kWaitMs)
                                       : QTest::qWaitFor([] { return loggedTones().size() >= 2; }, kWaitMs);
    device.plug();
    const bool back = QTest::qWaitFor([&] { return card->isAudible(); }, kWaitMs);
    QCoreApplication::processEvents(); // the notice of the card's return
    const qint64 before = device.recordedFrames();
    systemHw->setSound(2000, 300);
    const bool lastRecorded = waitForTone(device, before, samplesOf(300, rate));
    qInstallMessageHandler(previousHandler);
    systemHw->setToneSink(nullptr);

    QVERIFY(firstRecorded);
    QVERIFY(lost);
    QVERIFY(standInPlayed);
    QVERIFY(back);
    QVERIFY(lastRecorded);
    QList<std::pair<uint, uint>> standIn;
    if (speaker) {
        for (const RecordingToneSink::Tone& tone : speakerSink->tones())
            standIn << std::make_pair(tone.frequencyHz, tone.durationMs);
    } else {
        for (const QString& line : loggedTones()) {
            const QRegularExpressionMatch match
                = QRegularExpression(QStringLiteral("^Tone (\\d+) Hz, (\\d+) ms$")).match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            standIn << std::make_pair(match.captured(1).toUInt(), match.captured(2).toUInt());
        }
    }
    QCOMPARE(standIn.size(), 2);
    QCOMPARE(standIn.at(0).first, 1840u);
    QVERIFY2(
        standIn.at(0).second > 0 && standIn.at(0).second <= 1000u, qPrintable(QString::number(standIn.at(0).second)));
    QCOMPARE(standIn.at(1), std::make_pair(460u, 300u));

    // The card played the tones before and after, and nothing of those it missed.
    const QList<RecordedTone> tones = RecordedTone::find(device.recorded(), rate);
    QVERIFY2(tones.size() == 2, describe(tones, rate).constData());
    verifyTone(tones.at(0), 922, 300, rate);
    verifyTone(tones.at(1), 2000, 300, rate);

    // The operator hears of the loss when tones can no longer be heard, and of the return.
    if (speaker) {
        QCOMPARE(notices.size(), 0);
    } else {
        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("Tones cannot be played: no sound card or PC speaker"));
        QCOMPARE(notices.at(0).at(2).toString(), QStringLiteral("#d12f2f"));
        QCOMPARE(notices.at(1).at(0).toString(), QStringLiteral("Tones can be played again"));
        QCOMPARE(notices.at(1).at(2).toString(), QStringLiteral("#007743"));
    }
}

VANTOR_TEST_CLASS(TestSoundCardOutput)
#include "tst_soundcardoutput.moc"
