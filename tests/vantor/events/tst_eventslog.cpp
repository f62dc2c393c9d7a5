#include "app/application.h"
#include "events/eventslog.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QUrl>

#include <memory>

using namespace Vl::Tavix3::UI;

namespace {

const QDateTime kRunStart(QDate(2025, 1, 20), QTime(14, 5, 9));

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

EntityPtr<Event> makeEvent(const QString& id, qint64 ticks = 85984560000000)
{
    auto event = EntityPtr<Event>::create();
    event->id = id;
    event->ticks = ticks;
    event->physicalChannel = 1;
    return event;
}

} // namespace

// The events log: its file, header and record lines, their order, export and delete.
class TestEventsLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileNameAndHeader();
    void sameSecondAppendsToOneFile();
    void recordLine_data();
    void recordLine();
    void recordsKeepTheOrderOfTheCalls();
    void recordsFromSeveralThreadsStayWhole();
    void pendingRecordsWrittenAtDestruction();
    void unopenableLogIsHarmless();
    void linesWaitForAFolderThatCannotBeWritten_data();
    void linesWaitForAFolderThatCannotBeWritten();
    void exportCopiesEveryLog_data();
    void exportCopiesEveryLog();
    void exportReportsFailure();
    void exportOntoItselfKeepsTheLog();
    void deleteStartsAFreshFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestEventsLog::init()
{
    m_dir = std::make_unique<QTemporaryDir>(TestSupport::testRoot() + QStringLiteral("/eventslog-XXXXXX"));
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->path() + QStringLiteral("/data");
    QVERIFY(QDir().mkpath(m_folder));
}

void TestEventsLog::cleanup() { m_dir.reset(); }

void TestEventsLog::fileNameAndHeader()
{
    EventsLog log;
    log.open(m_folder, kRunStart);
    QCOMPARE(log.fileName(), m_folder + QStringLiteral("/Events_2025-01-20_14.05.09.log"));
    QCOMPARE(readLines(log.fileName()),
        QStringList { QStringLiteral("Id;BibNumber;PhysicalChannel;Time;Date;IsAuto;IsSkipped;IsScartIn") });
}

void TestEventsLog::sameSecondAppendsToOneFile()
{
    {
        EventsLog first;
        first.open(m_folder, kRunStart);
        first.append(makeEvent(QStringLiteral("a")));
    }
    EventsLog second;
    second.open(m_folder, kRunStart);
    second.append(makeEvent(QStringLiteral("b")));
    second.waitForWritten();
    const QStringList lines = readLines(second.fileName());
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), EventsLog::headerLine());
    QVERIFY(lines.at(1).startsWith(QLatin1String("a;")));
    QCOMPARE(lines.at(2), EventsLog::headerLine());
    QVERIFY(lines.at(3).startsWith(QLatin1String("b;")));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files).size(), 1);
}

void TestEventsLog::recordLine_data()
{
    QTest::addColumn<int>("bib"); // -1: none
    QTest::addColumn<qint64>("channel");
    QTest::addColumn<bool>("isAuto");
    QTest::addColumn<bool>("isSkipped");
    QTest::addColumn<bool>("isScartIn");
    QTest::addColumn<QString>("expected"); // the fields after Id and before Time; and the flags

    QTest::newRow("no bib is written as 0") << -1 << qint64(1) << false << false << false << "0;1|0;0;0";
    QTest::newRow("bib 0") << 0 << qint64(2) << false << true << false << "0;2|0;1;0";
    QTest::newRow("generated start") << 17 << qint64(9) << true << false << false << "17;9|1;0;0";
    QTest::newRow("false start, radio channel") << 123 << qint64(191) << false << false << true << "123;191|0;0;1";
    QTest::newRow("64-bit channel") << 5 << (qint64(1) << 40) << true << true << true << "5;1099511627776|1;1;1";
}

void TestEventsLog::recordLine()
{
    QFETCH(int, bib);
    QFETCH(qint64, channel);
    QFETCH(bool, isAuto);
    QFETCH(bool, isSkipped);
    QFETCH(bool, isScartIn);
    QFETCH(QString, expected);

    Event event;
    event.id = QStringLiteral("0f8c2d55-8f5c-4a79-9d3a-000000000001");
    if (bib >= 0)
        event.bibNumber = bib;
    event.ticks = 85985280000000 + 2266939500; // 30/06/2024 12:35:38.7900
    event.physicalChannel = channel;
    event.isAuto = isAuto;
    event.isSkipped = isSkipped;
    event.isScartIn = isScartIn;

    const QStringList parts = expected.split(QLatin1Char('|'));
    const QString line = event.id + QLatin1Char(';') + parts.at(0) + QLatin1Char(';')
        + DateTime::displayTime(event.ticks) + QLatin1Char(';') + DateTime::displayDate(event.ticks) + QLatin1Char(';')
        + parts.at(1);
    QCOMPARE(EventsLog::recordLine(event), line);
    QVERIFY2(line.contains(QLatin1String(";12:35:38.7900;30/06/2024;")), qPrintable(line));
    QCOMPARE(EventsLog::recordLine(event).count(QLatin1Char(';')), 7);

    EventsLog log;
    log.open(m_folder, kRunStart);
    log.append(EntityPtr<Event>::create(event));
    log.waitForWritten();
    QCOMPARE(readLines(log.fileName()), (QStringList { EventsLog::headerLine(), line }));
}

void TestEventsLog::recordsKeepTheOrderOfTheCalls()
{
    EventsLog log;
    log.open(m_folder, kRunStart);
    QStringList expected { EventsLog::headerLine() };
    for (int i = 0; i < 3000; ++i) {
        const auto event = makeEvent(QStringLiteral("e%1").arg(i, 4, 10, QLatin1Char('0')));
        log.append(event);
        expected << EventsLog::recordLine(*event);
        if (i % 500 == 0)
            QThread::yieldCurrentThread();
    }
    log.waitForWritten();
    QCOMPARE(readLines(log.fileName()), expected);
}

void TestEventsLog::recordsFromSeveralThreadsStayWhole()
{
    EventsLog log;
    log.open(m_folder, kRunStart);
    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back(QThread::create([&log, t]() {
            for (int i = 0; i < kPerThread; ++i)
                log.append(makeEvent(QStringLiteral("t%1-%2").arg(t).arg(i, 4, 10, QLatin1Char('0'))));
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        QVERIFY(thread->wait(30000));
    log.waitForWritten();

    const QStringList lines = readLines(log.fileName());
    QCOMPARE(lines.size(), 1 + kThreads * kPerThread);
    // Each thread's records stay in the order that thread handed them over.
    QVector<int> next(kThreads, 0);
    for (const QString& line : lines.mid(1)) {
        QCOMPARE(line.count(QLatin1Char(';')), 7);
        const QString id = line.section(QLatin1Char(';'), 0, 0);
        const int t = id.mid(1, 1).toInt();
        QCOMPARE(id, QStringLiteral("t%1-%2").arg(t).arg(next[t]++, 4, 10, QLatin1Char('0')));
    }
}

void TestEventsLog::pendingRecordsWrittenAtDestruction()
{
    QString fileName;
    {
        EventsLog log;
        log.open(m_folder, kRunStart);
        fileName = log.fileName();
        for (int i = 0; i < 200; ++i)
            log.append(makeEvent(QString::number(i)));
    }
    const QStringList lines = readLines(fileName);
    QCOMPARE(lines.size(), 201);
    QVERIFY(lines.last().startsWith(QLatin1String("199;")));
}

void TestEventsLog::unopenableLogIsHarmless()
{
    QString fileName;
    {
        EventsLog log;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Events log not opened")));
        log.open(m_folder + QStringLiteral("/missing/folder"), kRunStart);
        fileName = log.fileName();
        log.append(makeEvent(QStringLiteral("x")));
        log.waitForWritten();
        QVERIFY(!QFile::exists(fileName));
        // A line that never found its file is kept in the diagnostic log when the log goes away.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Events log line not written: x;")));
    }
    QVERIFY(!QFile::exists(fileName));
}

void TestEventsLog::linesWaitForAFolderThatCannotBeWritten_data()
{
    QTest::addColumn<bool>("byRetryTimer"); // else by the next line
    QTest::newRow("next line") << false;
    QTest::newRow("retry timer") << true;
}

void TestEventsLog::linesWaitForAFolderThatCannotBeWritten()
{
    QFETCH(bool, byRetryTimer);
    // The operator's info bar.
    TestSupport::ApplicationFixture app(TestSupport::ApplicationFixture::Stage::Constructed);
    QSignalSpy notices(app->infoBarMessage(), &InfoBarMessage::showInfoMessage);

    // A plain file where the folder should be: no one can create the log in it, not even root.
    const QString folder = m_dir->path() + QStringLiteral("/blocked");
    {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    EventsLog log;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Events log not opened: .*/blocked/Events_")));
    log.open(folder, kRunStart);

    QStringList expected { EventsLog::headerLine() };
    for (int i = 0; i < 3; ++i) {
        const auto event = makeEvent(QStringLiteral("e%1").arg(i));
        log.append(event);
        expected << EventsLog::recordLine(*event);
        log.waitForWritten();  // each line meets the closed file on its own
    }
    QVERIFY(!QFileInfo(log.fileName()).exists());
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("Events log cannot be written"));
    QCOMPARE(notices.at(0).at(2).toString(), QStringLiteral("#d12f2f"));

    // The folder becomes writable: the lines that waited arrive, in order, after the header.
    QVERIFY(QFile::remove(folder));
    QVERIFY(QDir().mkpath(folder));
    if (byRetryTimer) {
        log.retry();
    } else {
        const auto event = makeEvent(QStringLiteral("e3"));
        log.append(event);
        expected << EventsLog::recordLine(*event);
        log.waitForWritten();
    }
    QCOMPARE(readLines(log.fileName()), expected);

    const auto after = makeEvent(QStringLiteral("after"));
    log.append(after);
    expected << EventsLog::recordLine(*after);
    log.waitForWritten();
    QCOMPARE(readLines(log.fileName()), expected);
    QCOMPARE(notices.count(), 1);
}

void TestEventsLog::exportCopiesEveryLog_data()
{
    QTest::addColumn<bool>("asUrl");
    QTest::newRow("folder path") << false;
    QTest::newRow("file URL") << true;
}

void TestEventsLog::exportCopiesEveryLog()
{
    QFETCH(bool, asUrl);
    // An older run's log, and a stale copy of it at the target that must be replaced.
    const QString older = m_folder + QStringLiteral("/Events_2025-01-19_08.00.00.log");
    {
        QFile file(older);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("older run\n");
    }
    const QString target = m_dir->path() + QStringLiteral("/export");
    QVERIFY(QDir().mkpath(target));
    {
        QFile stale(target + QStringLiteral("/Events_2025-01-19_08.00.00.log"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale");
    }

    EventsLog log;
    log.open(m_folder, kRunStart);
    log.append(makeEvent(QStringLiteral("before")));
    const QString where = asUrl ? QUrl::fromLocalFile(target).toString() : target;
    QVERIFY(log.exportTo(where));

    const QString copied = target + QStringLiteral("/Events_2025-01-20_14.05.09.log");
    QCOMPARE(readLines(copied), readLines(log.fileName()));
    QCOMPARE(readLines(copied).size(), 2); // the record queued before the export is in the copy
    QCOMPARE(readLines(target + QStringLiteral("/Events_2025-01-19_08.00.00.log")), QStringList { "older run" });

    // Recording goes on in the same file.
    log.append(makeEvent(QStringLiteral("after")));
    log.waitForWritten();
    const QStringList lines = readLines(log.fileName());
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.last().startsWith(QLatin1String("after;")));
}

void TestEventsLog::exportReportsFailure()
{
    EventsLog log;
    log.open(m_folder, kRunStart);
    QVERIFY(!log.exportTo(m_dir->path() + QStringLiteral("/no/such/folder")));
    QVERIFY(!log.exportTo(QString()));
    // The log is still open and recording after a failed export.
    log.append(makeEvent(QStringLiteral("still")));
    log.waitForWritten();
    QCOMPARE(readLines(log.fileName()).size(), 2);
}

void TestEventsLog::exportOntoItselfKeepsTheLog()
{
    EventsLog log;
    log.open(m_folder, kRunStart);
    log.append(makeEvent(QStringLiteral("kept")));
    QVERIFY(log.exportTo(QUrl::fromLocalFile(m_folder).toString()));
    QVERIFY(log.exportTo(m_folder + QStringLiteral("/.")));
    log.append(makeEvent(QStringLiteral("next")));
    log.waitForWritten();
    const QStringList lines = readLines(log.fileName());
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(1).startsWith(QLatin1String("kept;")));
}

void TestEventsLog::deleteStartsAFreshFile()
{
    const QString older = m_folder + QStringLiteral("/Events_2025-01-19_08.00.00.log");
    QFile file(older);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString other = m_folder + QStringLiteral("/Vantor.log");
    QFile keep(other);
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();

    EventsLog log;
    log.open(m_folder, kRunStart);
    log.append(makeEvent(QStringLiteral("gone")));
    log.removeAll();
    log.append(makeEvent(QStringLiteral("one")));
    log.waitForWritten();

    QVERIFY(!QFile::exists(older));
    QVERIFY(QFile::exists(other));
    const QStringList lines = readLines(log.fileName());
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), EventsLog::headerLine());
    QVERIFY(lines.at(1).startsWith(QLatin1String("one;")));
}

VANTOR_TEST_CLASS(TestEventsLog)
#include "tst_eventslog.moc"
