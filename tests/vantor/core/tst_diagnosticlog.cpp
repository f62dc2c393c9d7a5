#include "app/application.h"
#include "core/diagnosticlog.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <atomic>

using TestSupport::ApplicationFixture;
using Vl::Tavix3::UI::DiagnosticLog;

namespace {

std::atomic<int> s_previousCalls{0};

void previousHandler(QtMsgType, const QMessageLogContext&, const QString&)
{
    ++s_previousCalls;
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

// The diagnostic log: its line format, the chaining to the handler installed before it, the
// switch that turns the file off, and whole lines from concurrent threads.
class TestDiagnosticLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void fields_data();
    void fields();
    void lineFormat();
    void chainsAndWritesTheFile();
    void disabledFileStillCollectsWarnings();
    void concurrentLinesStayWhole();

private:
    QString m_logFile;
};

void TestDiagnosticLog::initTestCase()
{
    // Installed once per process: the previous handler is the one in place at that moment.
    // Test classes run in name order, so no application object has installed it yet.
    QVERIFY(!DiagnosticLog::isInstalled());
    qInstallMessageHandler(previousHandler);
    DiagnosticLog::install();
    DiagnosticLog::install();  // a second call does nothing
    m_logFile = TestSupport::testRoot() + QStringLiteral("/Vantor.log");
}

void TestDiagnosticLog::init()
{
    QFile::remove(m_logFile);
    qApp->setProperty("LOGFILE", m_logFile);
    qApp->setProperty("LOGFILE_ENABLED", true);
}

void TestDiagnosticLog::fields_data()
{
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("entity");
    QTest::newRow("member") << "void __thiscall Vl::Tavix3::UI::Application::aboutToQuit(void)" << "aboutToQuit" << "";
    QTest::newRow("gcc member") << "void Vl::Tavix3::UI::Application::aboutToQuit()" << "aboutToQuit" << "";
    QTest::newRow("template") << "int Vl::X::load<QString>(const QString&)" << "load" << "";
    QTest::newRow("entity") << "void Vl::Entities::Runner::start(int)" << "start" << "Runner";
    QTest::newRow("no match") << "weird" << "weird" << "";
    QTest::newRow("none") << "" << "" << "";
}

void TestDiagnosticLog::fields()
{
    QFETCH(QString, signature);
    QTEST(DiagnosticLog::functionField(signature), "function");
    QTEST(DiagnosticLog::entityField(signature), "entity");
}

void TestDiagnosticLog::lineFormat()
{
    const QDateTime when(QDate(2025, 1, 20), QTime(14, 5, 9, 7));
    QCOMPARE(DiagnosticLog::formatLine(QtWarningMsg, when, "void A::b::run(int)", "text"),
             QStringLiteral("WARN|2025-01-20 14:05:09.007|run||text"));
    QCOMPARE(DiagnosticLog::formatLine(QtInfoMsg, when, QString(), "x"), QStringLiteral("DEBUG|2025-01-20 14:05:09.007|||x"));
    QCOMPARE(DiagnosticLog::formatLine(QtCriticalMsg, when, QString(), "x").left(6), QStringLiteral("ERROR|"));
    QCOMPARE(DiagnosticLog::formatLogStringEntry(QTime(14, 5, 9, 7), "void A::run()", "boom"),
             QStringLiteral("14.05.09.007 run: boom\n"));
}

void TestDiagnosticLog::chainsAndWritesTheFile()
{
    const int before = s_previousCalls;
    qDebug() << "hello";
    QCOMPARE(s_previousCalls.load(), before + 1);
    const QStringList lines = readLines(m_logFile);
    QCOMPARE(lines.size(), 1);
    const QRegularExpression shape(
        QStringLiteral("^DEBUG\\|\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\|chainsAndWritesTheFile\\|\\|hello$"));
    QVERIFY2(shape.match(lines.first()).hasMatch(), qPrintable(lines.first()));
}

void TestDiagnosticLog::disabledFileStillCollectsWarnings()
{
    ApplicationFixture app;
    QFile::remove(m_logFile);
    qApp->setProperty("LOGFILE_ENABLED", false);
    app->setLogString(QString());
    qDebug() << "not collected";
    qWarning() << "collected";
    QVERIFY(!QFile::exists(m_logFile));
    const QRegularExpression entry(
        QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d\\.\\d{3} disabledFileStillCollectsWarnings: collected\\n$"));
    QVERIFY2(entry.match(app->logString()).hasMatch(), qPrintable(app->logString()));
}

void TestDiagnosticLog::concurrentLinesStayWhole()
{
    const int perThread = 200;
    QList<QThread*> threads;
    for (int t = 0; t < 4; ++t) {
        threads << QThread::create([t]() {
            for (int i = 0; i < perThread; ++i)
                qDebug().noquote() << QStringLiteral("thread%1-line%2-").arg(t).arg(i) + QString(40, QLatin1Char('x'));
        });
        threads.last()->start();
    }
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(20000));
        delete thread;
    }
    const QStringList lines = readLines(m_logFile);
    QCOMPARE(lines.size(), 4 * perThread);
    for (const QString& line : lines)
        QVERIFY2(line.count(QLatin1Char('|')) == 4 && line.endsWith(QString(40, QLatin1Char('x'))), qPrintable(line));
}

VANTOR_TEST_CLASS(TestDiagnosticLog)
#include "tst_diagnosticlog.moc"
