#include "app/application.h"
#include "device/audiooutput.h"
#include "device/audiooutputthread.h"
#include "device/logtonesink.h"
#include "device/pcspeakertonesink.h"
#include "device/recordingtonesink.h"
#include "device/soundcardtonesink.h"
#include "device/systemhw.h"
#include "device/tonegenerator.h"
#include "device/tonesinkchooser.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "ui/infobarmessage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <linux/input.h>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

using namespace Vl::Tavix3::UI;

namespace {

std::vector<qint16> wholeTone(ToneGenerator& generator)
{
    std::vector<qint16> samples;
    qint16 chunk[997]; // an odd size: tones cross chunk borders at every phase
    while (int made = generator.generate(chunk, int(std::size(chunk))))
        samples.insert(samples.end(), chunk, chunk + made);
    return samples;
}

int signChanges(const std::vector<qint16>& samples)
{
    int changes = 0;
    int previous = 0;
    for (qint16 sample : samples) {
        const int sign = sample > 0 ? 1 : (sample < 0 ? -1 : 0);
        if (sign != 0 && previous != 0 && sign != previous)
            ++changes;
        if (sign != 0)
            previous = sign;
    }
    return changes;
}

int largestStep(const std::vector<qint16>& samples)
{
    int largest = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        largest = std::max(largest, std::abs(int(samples[i]) - int(samples[i - 1])));
    return largest;
}

// The largest step between two samples of an unramped sine of this frequency.
double sineStep(double frequencyHz, int sampleRate)
{
    return 2.0 * M_PI * frequencyHz / sampleRate * ToneGenerator::kAmplitude;
}

} // namespace

// Tone output: the generated waveform, requests that never wait for the tone, tones that replace
// each other, the choice of the output and the notice when nothing can play, the idle tone workers.
class TestToneOutput : public QObject
{
    Q_OBJECT

private slots:
    void generatedToneHasFrequencyAndLength_data();
    void generatedToneHasFrequencyAndLength();
    void replacingToneCrossfadesWithoutAJump();
    void unplayableToneEndsTheOneSounding();
    void setSoundReturnsWhileTheSinkIsBusy();
    void pcSpeakerToneReplacesTheOneSounding();
    void outputChoiceFollowsWhatExists_data();
    void outputChoiceFollowsWhatExists();
    void noOutputDeviceFallsBackWithOneNotice();
    void soundCardOfThisMachineOpensOrIsSkipped();
    void idleWorkersOnNamedThreads();
    void workersEndPromptlyAtShutDown();
    void quitBeforeTheWaitIsNotLost();
    void sinkChosenAtStartUp();
    void noSpeakerInAFolderWithoutDevices();
    void logSinkWritesOnTheApplicationThread();
};

void TestToneOutput::generatedToneHasFrequencyAndLength_data()
{
    QTest::addColumn<uint>("frequency");
    QTest::addColumn<uint>("duration");
    QTest::addColumn<int>("rate");
    QTest::newRow("short high tone") << 922u << 300u << 48000;
    QTest::newRow("long low tone") << 460u << 1000u << 48000;
    QTest::newRow("start tone at 44.1 kHz") << 1840u << 1000u << 44100;
    QTest::newRow("armed tone") << 2000u << 300u << 48000;
    QTest::newRow("synchronisation pulse at 22.05 kHz") << 1250u << 300u << 22050;
    QTest::newRow("highest table tone") << 3686u << 300u << 48000;
    QTest::newRow("shorter than two ramps") << 1000u << 7u << 48000;
}

void TestToneOutput::generatedToneHasFrequencyAndLength()
{
    QFETCH(uint, frequency);
    QFETCH(uint, duration);
    QFETCH(int, rate);
    ToneGenerator generator(rate);
    generator.start(frequency, duration);
    const std::vector<qint16> samples = wholeTone(generator);

    QCOMPARE(qint64(samples.size()), qint64(std::llround(double(duration) * rate / 1000.0)));
    QVERIFY(!generator.isSounding());
    // A sine of f Hz crosses zero 2 f times a second.
    const double expectedCrossings = 2.0 * frequency * duration / 1000.0;
    QVERIFY2(std::abs(signChanges(samples) - expectedCrossings) <= 1.0,
        qPrintable(QStringLiteral("%1 crossings, %2 expected").arg(signChanges(samples)).arg(expectedCrossings)));
    // Ramps at both ends: silence at the edges, full amplitude in the middle, and never a step
    // larger than the sine's own.
    QCOMPARE(samples.front(), qint16(0));
    QVERIFY(std::abs(samples.back()) < ToneGenerator::kAmplitude / 50);
    if (duration >= 100) {
        const auto peak = *std::max_element(samples.begin(), samples.end());
        QVERIFY(peak > ToneGenerator::kAmplitude * 0.99 && peak <= ToneGenerator::kAmplitude + 1);
    }
    QVERIFY(largestStep(samples) <= sineStep(frequency, rate) + 2);
}

void TestToneOutput::replacingToneCrossfadesWithoutAJump()
{
    const int rate = 48000;
    ToneGenerator generator(rate);
    generator.start(460, 1000);
    std::vector<qint16> samples(12345);
    QCOMPARE(generator.generate(samples.data(), int(samples.size())), int(samples.size()));
    generator.start(922, 300);
    const std::vector<qint16> rest = wholeTone(generator);
    // The new tone is not delayed by the old one's fade, and it ends on time.
    QCOMPARE(qint64(rest.size()), ToneGenerator::sampleCount(300, rate));
    samples.insert(samples.end(), rest.begin(), rest.end());
    // Cutting the old tone would jump by up to the full amplitude; the crossfade moves no faster
    // than the two sines together.
    QVERIFY2(largestStep(samples) <= sineStep(460, rate) + sineStep(922, rate),
        qPrintable(QString::number(largestStep(samples))));
    QVERIFY(*std::max_element(samples.begin(), samples.end()) <= ToneGenerator::kAmplitude * 1.5);
}

void TestToneOutput::unplayableToneEndsTheOneSounding()
{
    const int rate = 48000;
    ToneGenerator generator(rate);
    generator.start(460, 1000);
    qint16 head[1000];
    generator.generate(head, 1000);
    generator.start(0, 300);
    const std::vector<qint16> rest = wholeTone(generator);
    QCOMPARE(qint64(rest.size()), ToneGenerator::sampleCount(ToneGenerator::kRampMs, rate));
    QVERIFY(std::abs(rest.back()) < ToneGenerator::kAmplitude / 50);

    generator.start(rate / 2, 300); // at the Nyquist frequency: nothing to play
    QVERIFY(!generator.isSounding());
    generator.start(1000, 0);
    QVERIFY(!generator.isSounding());
}

void TestToneOutput::setSoundReturnsWhileTheSinkIsBusy()
{
    SystemHw systemHw;
    auto sink = std::make_shared<RecordingToneSink>();
    systemHw.setToneSink(sink);
    sink->setHeld(true);

    // The sink holds every tone until it is let go, and the tones are long: a request that waited
    // for the sink would never return while it is held, one that waited for its tone's length would
    // take a minute.
    std::unique_ptr<QThread> caller(QThread::create([&systemHw]() {
        systemHw.setSound(460, 60000);
        systemHw.setSound(922, 30000);
    }));
    const auto letGo = qScopeGuard([&]() {
        sink->setHeld(false);
        caller->wait();
    });
    caller->start();
    QVERIFY2(caller->wait(20000), "setSound waited for its tone");
    QVERIFY(sink->waitForTones(1, 5000));
    QVERIFY(sink->playing() >= 1); // the first tone is still sounding, and setSound has long returned

    sink->setHeld(false);
    QVERIFY(sink->waitForTones(2, 5000));
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    QList<RecordingToneSink::Tone> tones = sink->tones();
    std::sort(tones.begin(), tones.end(), [](const auto& a, const auto& b) { return a.frequencyHz < b.frequencyHz; });
    QCOMPARE(tones, (QList<RecordingToneSink::Tone> { { 460, 60000 }, { 922, 30000 } }));
    QCOMPARE(sink->playing(), 0);
}

void TestToneOutput::pcSpeakerToneReplacesTheOneSounding()
{
    int fds[2];
    QCOMPARE(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    const int reader = fds[0];
    std::shared_ptr<PcSpeakerToneSink> speaker = PcSpeakerToneSink::fromDescriptor(fds[1], QStringLiteral("pipe"));
    // The tone values the speaker is sent, waiting up to timeoutMs for the next one.
    auto nextTone = [reader](int timeoutMs) -> int {
        pollfd ready { reader, POLLIN, 0 };
        if (::poll(&ready, 1, timeoutMs) != 1)
            return -1;
        input_event event {};
        return ::read(reader, &event, sizeof(event)) == ssize_t(sizeof(event)) ? event.value : -1;
    };

    // The first tone lasts a minute: a newer tone that waited for it, or a speaker silenced only at
    // its end, would show far beyond the waits below, however slow the machine.
    speaker->start(460, 60000);
    QCOMPARE(nextTone(5000), 460);
    QElapsedTimer clock;
    clock.start();
    speaker->start(922, 300);
    QCOMPARE(nextTone(20000), 922);
    // Only the newer tone's end silences the speaker, and not before it has sounded its length.
    QCOMPARE(nextTone(20000), 0);
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
    // The replaced tone gave up its thread when the newer one came.
    QVERIFY(QThreadPool::globalInstance()->waitForDone(20000));
    QCOMPARE(nextTone(0), -1);
    speaker.reset();
    ::close(reader);
}

void TestToneOutput::outputChoiceFollowsWhatExists_data()
{
    QTest::addColumn<QString>("forced");
    QTest::addColumn<bool>("soundCard");
    QTest::addColumn<bool>("speaker");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("audible");
    QTest::addColumn<int>("speakerTries");
    QTest::newRow("sound card first") << "" << true << true << "soundcard" << true << 0;
    QTest::newRow("speaker without sound card") << "" << false << true << "speaker" << true << 1;
    QTest::newRow("nothing plays") << "" << false << false << "log" << false << 1;
    QTest::newRow("unknown choice is automatic") << "bell" << false << true << "speaker" << true << 1;
    QTest::newRow("forced speaker beside a sound card") << "pcspeaker" << true << true << "speaker" << true << 1;
    QTest::newRow("forced speaker missing") << "pcspeaker" << true << false << "log" << false << 1;
    QTest::newRow("forced sound card missing") << "soundcard" << false << true << "log" << false << 0;
    QTest::newRow("forced log") << "log" << true << true << "log" << true << 0;
}

void TestToneOutput::outputChoiceFollowsWhatExists()
{
    QFETCH(QString, forced);
    QFETCH(bool, soundCard);
    QFETCH(bool, speaker);
    QFETCH(QString, chosen);
    QFETCH(bool, audible);
    QFETCH(int, speakerTries);
    const auto card = std::make_shared<RecordingToneSink>();
    const auto pc = std::make_shared<RecordingToneSink>();
    int speakerCalls = 0;
    const ToneSinkChooser::Outputs outputs {
        [&]() -> std::shared_ptr<ToneSink> { return soundCard ? card : nullptr; },
        [&]() -> std::shared_ptr<ToneSink> {
            ++speakerCalls;
            return speaker ? pc : nullptr;
        },
    };
    const ToneSinkChooser::Choice choice = ToneSinkChooser::choose(forced, outputs);
    QVERIFY(choice.sink);
    // A tone goes to the output chosen (a sound card comes wrapped with what stands in for it).
    choice.sink->play(1000, 5);
    QCOMPARE(card->tones().size(), chosen == QLatin1String("soundcard") ? 1 : 0);
    QCOMPARE(pc->tones().size(), chosen == QLatin1String("speaker") ? 1 : 0);
    if (chosen == QLatin1String("log"))
        QVERIFY(std::dynamic_pointer_cast<LogToneSink>(choice.sink));
    QCOMPARE(choice.audible, audible);
    QCOMPARE(speakerCalls, speakerTries);
}

void TestToneOutput::noOutputDeviceFallsBackWithOneNotice()
{
    // A machine as CI's: no sound card device and no PC speaker.
    const QString noInputs = QDir(TestSupport::testRoot()).filePath(QStringLiteral("no-inputs"));
    QDir().mkpath(noInputs);
    const ToneSinkChooser::Choice choice = ToneSinkChooser::choose(QString(),
        { []() -> std::shared_ptr<ToneSink> { return SoundCardToneSink::open(QList<QAudioDeviceInfo>()); },
            [noInputs]() -> std::shared_ptr<ToneSink> { return PcSpeakerToneSink::open(noInputs); } });
    QVERIFY(std::dynamic_pointer_cast<LogToneSink>(choice.sink));
    QVERIFY(!choice.audible);

    TestSupport::ApplicationFixture application;
    SystemHw* systemHw = application->systemHw();
    systemHw->setToneSink(choice.sink, choice.audible);
    QSignalSpy notices(application->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    QTest::ignoreMessage(
        QtWarningMsg, "Tones cannot be played: no sound card or PC speaker answers; tones go to the log");
    systemHw->loadSettings();
    systemHw->loadSettings();
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("Tones cannot be played: no sound card or PC speaker"));
    QCOMPARE(notices.at(0).at(2).toString(), QStringLiteral("#d12f2f"));

    // Requests that waited for their tones would take at least the tones' length together.
    qint64 tonesMs = 0;
    QElapsedTimer clock;
    clock.start();
    for (const auto& tone : SystemHw::kToneTable) {
        systemHw->setSound(tone.frequencyHz, tone.durationMs);
        tonesMs += tone.durationMs;
    }
    QVERIFY2(clock.elapsed() < tonesMs, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
}

void TestToneOutput::soundCardOfThisMachineOpensOrIsSkipped()
{
    QVERIFY(!SoundCardToneSink::open({ QAudioDeviceInfo() }));
    // Whatever this machine has (CI has no device, or one that does not open), asking neither
    // blocks nor crashes, and a device that opens takes tones at once.
    QElapsedTimer clock;
    clock.start();
    std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(SoundCardToneSink::outputDevices());
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    if (sink) {
        QVERIFY(!sink->deviceName().isEmpty());
        sink->start(19000, 20);
    }
    sink.reset();
}

void TestToneOutput::idleWorkersOnNamedThreads()
{
    SystemHw systemHw;
    const std::vector<AudioOutput*>& outputs = systemHw.audioOutputs();
    QCOMPARE(int(outputs.size()), 11);
    const QStringList expected = { "AudioOutput thread 1250 300", "AudioOutput thread 1000 300",
        "AudioOutput thread 750 300", "AudioOutput thread 3686 300", "AudioOutput thread 2800 300",
        "AudioOutput thread 2800 1000", "AudioOutput thread 3000 300", "AudioOutput thread 922 300",
        "AudioOutput thread 460 300", "AudioOutput thread 1840 1000", "AudioOutput thread 460 1000" };
    for (int i = 0; i < 11; ++i) {
        AudioOutputThread* worker = outputs.at(size_t(i))->worker();
        QCOMPARE(worker->thread()->objectName(), expected.at(i));
        QVERIFY(worker->thread()->isRunning());
        QTRY_VERIFY(worker->isWaiting());
    }
}

void TestToneOutput::workersEndPromptlyAtShutDown()
{
    auto systemHw = std::make_unique<SystemHw>();
    QList<QThread*> threads;
    for (AudioOutput* output : systemHw->audioOutputs())
        threads << output->worker()->thread();
    QElapsedTimer timer;
    timer.start();
    systemHw.reset();
    // Each worker ends on its quit. One that the quit did not wake would be stopped only by the
    // quit the stopper sends again after a second (or never, after 10 s): together that would take
    // at least a second per worker.
    QVERIFY2(timer.elapsed() < threads.size() * 1000, qPrintable(QString::number(timer.elapsed())));
}

void TestToneOutput::quitBeforeTheWaitIsNotLost()
{
    QMutex toneMutex;
    AudioOutputThread worker(&toneMutex, 300, 1250);
    worker.quitHandler(); // before process() reaches its wait
    // A lost quit would leave process() waiting for good.
    std::unique_ptr<QThread> running(QThread::create([&worker]() { worker.process(); }));
    const auto release = qScopeGuard([&]() {
        worker.quitHandler();
        running->wait();
    });
    running->start();
    QVERIFY2(running->wait(20000), "the quit given before the wait was lost");
}

void TestToneOutput::sinkChosenAtStartUp()
{
    const QString file = QDir(TestSupport::testRoot()).filePath(QStringLiteral("tones.txt"));
    qputenv("VANTOR_TONE_SINK", QByteArray("record:") + QFile::encodeName(file));
    std::shared_ptr<ToneSink> sink = ToneSink::createDefault();
    QVERIFY(std::dynamic_pointer_cast<RecordingToneSink>(sink));
    sink->play(1250, 300);
    sink->play(2000, 300);
    QFile recorded(file);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(recorded.readAll(), QByteArray("1250 300\n2000 300\n"));

    qunsetenv("VANTOR_TONE_SINK");
    QVERIFY(ToneSink::createDefault());
    qputenv("VANTOR_TONE_SINK", "log");
    QVERIFY(std::dynamic_pointer_cast<LogToneSink>(ToneSink::createDefault()));
}

void TestToneOutput::noSpeakerInAFolderWithoutDevices()
{
    const QString folder = QDir(TestSupport::testRoot()).filePath(QStringLiteral("input"));
    QDir().mkpath(folder);
    QFile plain(folder + QStringLiteral("/event0"));
    QVERIFY(plain.open(QIODevice::WriteOnly)); // a plain file answers no input-device query
    plain.close();
    QVERIFY(!PcSpeakerToneSink::open(folder));
    QVERIFY(!PcSpeakerToneSink::open(folder + QStringLiteral("/missing")));
}

namespace {
struct LoggedLine
{
    QString text;
    QThread* thread = nullptr;
};
QMutex s_loggedMutex;
QList<LoggedLine> s_logged;
void recordLine(QtMsgType, const QMessageLogContext&, const QString& message)
{
    QMutexLocker locker(&s_loggedMutex);
    s_logged.append({ message, QThread::currentThread() });
}
} // namespace

void TestToneOutput::logSinkWritesOnTheApplicationThread()
{
    // A tone asked for by another thread (the scheduler's, in the program) is written to the log by
    // the application's thread; that thread's own tones are written at once.
    s_logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordLine);
    LogToneSink sink;
    std::unique_ptr<QThread> asking(QThread::create([&sink]() { sink.play(1840, 1000); }));
    asking->start();
    const bool finished = asking->wait(5000);
    const int beforeEvents = [] {
        QMutexLocker locker(&s_loggedMutex);
        return s_logged.size();
    }();
    sink.play(922, 300);
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);

    QVERIFY(finished);
    QCOMPARE(beforeEvents, 0);
    QCOMPARE(s_logged.size(), 2);
    QCOMPARE(s_logged.at(0).text, QStringLiteral("Tone 922 Hz, 300 ms"));
    QCOMPARE(s_logged.at(1).text, QStringLiteral("Tone 1840 Hz, 1000 ms"));
    for (const LoggedLine& line : qAsConst(s_logged))
        QCOMPARE(line.thread, QCoreApplication::instance()->thread());
}

VANTOR_TEST_CLASS(TestToneOutput)
#include "tst_toneoutput.moc"
