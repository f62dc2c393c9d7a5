#include "device/audiooutput.h"
#include "device/audiooutputthread.h"
#include "device/logtonesink.h"
#include "device/pcspeakertonesink.h"
#include "device/recordingtonesink.h"
#include "device/systemhw.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <memory>

using namespace Vl::Tavix3::UI;

// Tone output: requests never wait for the tone, the idle tone workers and the sink chosen at start-up.
class TestToneOutput : public QObject
{
    Q_OBJECT

private slots:
    void setSoundReturnsWhileTheSinkIsBusy();
    void idleWorkersOnNamedThreads();
    void workersEndPromptlyAtShutDown();
    void quitBeforeTheWaitIsNotLost();
    void sinkChosenAtStartUp();
    void noSpeakerInAFolderWithoutDevices();
};

void TestToneOutput::setSoundReturnsWhileTheSinkIsBusy()
{
    SystemHw systemHw;
    auto sink = std::make_shared<RecordingToneSink>();
    systemHw.setToneSink(sink);
    sink->setHeld(true);

    QElapsedTimer timer;
    timer.start();
    systemHw.setSound(460, 1000);
    systemHw.setSound(922, 300);
    QVERIFY(sink->waitForTones(1, 5000));
    QVERIFY(sink->playing() >= 1); // the first tone is still sounding, and setSound has long returned
    QVERIFY(timer.elapsed() < 1000);

    sink->setHeld(false);
    QVERIFY(sink->waitForTones(2, 5000));
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    QList<RecordingToneSink::Tone> tones = sink->tones();
    std::sort(tones.begin(), tones.end(), [](const auto& a, const auto& b) { return a.frequencyHz < b.frequencyHz; });
    QCOMPARE(tones, (QList<RecordingToneSink::Tone> { { 460, 1000 }, { 922, 300 } }));
    QCOMPARE(sink->playing(), 0);
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
    // The stopper waits up to 10 s per worker; each should end within its first 100 ms step.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestToneOutput::quitBeforeTheWaitIsNotLost()
{
    QMutex toneMutex;
    AudioOutputThread worker(&toneMutex, 300, 1250);
    worker.quitHandler(); // before process() reaches its wait
    QElapsedTimer timer;
    timer.start();
    worker.process();
    QVERIFY(timer.elapsed() < 1000);
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

    qputenv("VANTOR_TONE_SINK", "log");
    QVERIFY(std::dynamic_pointer_cast<LogToneSink>(ToneSink::createDefault()));
    qunsetenv("VANTOR_TONE_SINK");
    QVERIFY(ToneSink::createDefault());
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

VANTOR_TEST_CLASS(TestToneOutput)
#include "tst_toneoutput.moc"
