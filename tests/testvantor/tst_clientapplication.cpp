#include "app/application.h"
#include "app/sema.h"
#include "app/sharedapplication.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

using Vl::Orvane::UI::Application;

namespace {

QSettings toolSettings()
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"));
}

// The debug lines logged while a record is alive.
class LogRecord
{
public:
    LogRecord()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { s_lines << text; });
    }
    ~LogRecord() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

// TestVantor's application object: its three settings, the format strings, the translator, the main
// window it creates and the quit handling.
class TestClientApplication : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStart();
    void formatStrings_data();
    void formatStrings();
    void setterSignalsAndStore();
    void storedSettingsAreRead();
    void languageWithoutCatalogue();
    void catalogueFromTheWorkingDirectory();
    void initCreatesModelAndWindow();
    void quitting();
    void missingMainWindow();
};

void TestClientApplication::init()
{
    QSettings settings = toolSettings();
    settings.clear();
    settings.sync();
}

void TestClientApplication::firstStart()
{
    LogRecord log;
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    QVERIFY(application.loadSettings());
    application.loadLanguage();
    QCOMPARE(application.currentLanguage(), QString());
    QCOMPARE(application.dateFormatString(), QStringLiteral("dd/MM/yyyy"));
    QCOMPARE(application.timeFormatString(), QStringLiteral("HH:mm:ss"));
    QCOMPARE(application.dateTimeFormatString(), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    QVERIFY(!application.hasTranslator());
    QVERIFY(!log.lines().contains(QStringLiteral("Translation file not found")));
    QVERIFY(!application.isClosing());
    QVERIFY(!application.isCompleted());
}

void TestClientApplication::formatStrings_data()
{
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<QString>("dateTime");
    QTest::newRow("day first, 24 h") << 0 << 0 << "dd/MM/yyyy HH:mm:ss";
    QTest::newRow("month first, 12 h") << 1 << 1 << "MM/dd/yyyy HH:mm:ssap";
    QTest::newRow("day first, 12 h") << 0 << 1 << "dd/MM/yyyy HH:mm:ssap";
}

void TestClientApplication::formatStrings()
{
    QFETCH(int, dateFormat);
    QFETCH(int, timeFormat);
    QFETCH(QString, dateTime);
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    application.setDateFormat(dateFormat);
    application.setTimeFormat(timeFormat);
    QCOMPARE(application.dateTimeFormatString(), dateTime);
}

void TestClientApplication::setterSignalsAndStore()
{
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    QStringList order;
    connect(&application, &Application::dateFormatChanged, this, [&] { order << "dateFormat"; });
    connect(&application, &Application::dateFormatStringChanged, this, [&] { order << "dateFormatString"; });
    connect(&application, &Application::dateTimeFormatStringChanged, this, [&] { order << "dateTimeFormatString"; });
    connect(&application, &Application::timeFormatChanged, this, [&] { order << "timeFormat"; });
    connect(&application, &Application::timeFormatStringChanged, this, [&] { order << "timeFormatString"; });

    application.setDateFormat(0);
    application.setTimeFormat(0);
    QCOMPARE(order, QStringList());
    QVERIFY(!toolSettings().contains(QStringLiteral("DateFormat")));

    application.setDateFormat(1);
    QCOMPARE(order, (QStringList { "dateFormat", "dateFormatString", "dateTimeFormatString" }));
    order.clear();
    application.setTimeFormat(1);
    QCOMPARE(order, (QStringList { "timeFormat", "timeFormatString", "dateTimeFormatString" }));
    QCOMPARE(toolSettings().value(QStringLiteral("DateFormat")).toInt(), 1);
    QCOMPARE(toolSettings().value(QStringLiteral("TimeFormat")).toInt(), 1);

    QSignalSpy language(&application, &Application::currentLanguageChanged);
    application.setLanguageChanged(QStringLiteral("x"));
    application.setLanguageChanged(QStringLiteral("x"));
    QCOMPARE(language.count(), 1);
}

void TestClientApplication::storedSettingsAreRead()
{
    {
        QSettings settings = toolSettings();
        settings.setValue(QStringLiteral("CurrentLanguage"), QStringLiteral("es_ES"));
        settings.setValue(QStringLiteral("DateFormat"), 1);
        settings.setValue(QStringLiteral("TimeFormat"), 1);
    }
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    QSignalSpy dateFormat(&application, &Application::dateFormatChanged);
    QVERIFY(application.loadSettings());
    QCOMPARE(application.currentLanguage(), QStringLiteral("es_ES"));
    QCOMPARE(application.dateFormat(), 1);
    QCOMPARE(application.timeFormat(), 1);
    QCOMPARE(dateFormat.count(), 0);
}

void TestClientApplication::languageWithoutCatalogue()
{
    LogRecord log;
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    QSignalSpy changed(&application, &Application::currentLanguageChanged);
    application.setCurrentLanguage(QStringLiteral("it_IT"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(log.lines().contains(QStringLiteral("Translation file not found")));
    QVERIFY(!application.hasTranslator());
    QCOMPARE(toolSettings().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("it_IT"));

    application.setCurrentLanguage(QStringLiteral("en_GB"));
    QVERIFY(!application.hasTranslator());
}

void TestClientApplication::catalogueFromTheWorkingDirectory()
{
    const QString file = QDir::current().filePath(QStringLiteral("Halden_de_DE.qm"));
    QFile::remove(file);
    QVERIFY(QFile::copy(QStringLiteral(TEST_CATALOGUE), file));
    Application application(QCoreApplication::instance(), nullptr, nullptr);
    application.setCurrentLanguage(QStringLiteral("de_DE"));
    QVERIFY(application.hasTranslator());
    QCOMPARE(QCoreApplication::translate("Backend", "Connection was refused"), QStringLiteral("Verbindung abgelehnt"));
    // "it_IT" is looked for in the resources only, even with a catalogue beside the program.
    QFile::copy(file, QDir::current().filePath(QStringLiteral("Halden_it_IT.qm")));
    application.setCurrentLanguage(QStringLiteral("it_IT"));
    QVERIFY(!application.hasTranslator());
    QCOMPARE(
        QCoreApplication::translate("Backend", "Connection was refused"), QStringLiteral("Connection was refused"));
    QFile::remove(file);
    QFile::remove(QDir::current().filePath(QStringLiteral("Halden_it_IT.qm")));
}

void TestClientApplication::initCreatesModelAndWindow()
{
    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/qml-XXXXXX"));
    const QString qml = dir.filePath(QStringLiteral("main.qml"));
    {
        QFile file(qml);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("import QtQuick 2.15\nimport QtQuick.Window 2.15\nWindow { objectName: \"MainForm\"; "
                   "property int mode: sema.sequenceMode }\n");
    }
    QCoreApplication::setApplicationVersion(QStringLiteral("0.4.1"));
    QQmlEngine engine;
    auto application = QSharedPointer<Application>::create(QCoreApplication::instance(), &engine, engine.rootContext());
    Vl::Orvane::UI::setSharedApplication(application);
    application->setMainUrl(QUrl::fromLocalFile(qml));
    application->init();
    QVERIFY(application->sema());
    QCOMPARE(engine.rootContext()->contextProperty("sema").value<QObject*>(), application->sema());
    QCOMPARE(engine.rootContext()->contextProperty("application").value<QObject*>(), application.data());
    auto* window = qobject_cast<QWindow*>(application->mainWindow());
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("MainForm"));
    QCOMPARE(window->title(), QCoreApplication::applicationName() + QStringLiteral(" - 0.4.1"));
    QCOMPARE(window->property("mode").toInt(), 1);
    QCOMPARE(QQmlEngine::objectOwnership(window), QQmlEngine::CppOwnership);
    Vl::Orvane::UI::resetSharedApplication();
}

void TestClientApplication::quitting()
{
    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/qml-XXXXXX"));
    const QString qml = dir.filePath(QStringLiteral("main.qml"));
    {
        QFile file(qml);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("import QtQuick 2.15\nimport QtQuick.Window 2.15\nWindow { }\n");
    }
    QQmlEngine engine;
    Application application(QCoreApplication::instance(), &engine, engine.rootContext());
    application.setMainUrl(QUrl::fromLocalFile(qml));
    application.init();
    QPointer<QObject> window = application.mainWindow();
    QVERIFY(window);
    application.setDateFormat(1);
    QSignalSpy closing(&application, &Application::isClosingChanged);
    application.aboutToQuit();
    QCOMPARE(closing.count(), 1);
    QVERIFY(application.isClosing());
    QVERIFY(!window);
    // The store has been written to disk.
    QSettings reread(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"));
    QCOMPARE(reread.value(QStringLiteral("DateFormat")).toInt(), 1);
}

void TestClientApplication::missingMainWindow()
{
    QQmlEngine engine;
    Application application(QCoreApplication::instance(), &engine, engine.rootContext());
    application.setMainUrl(QUrl::fromLocalFile(TestSupport::testRoot() + QStringLiteral("/no-such-main.qml")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*no-such-main.qml.*")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Main window not created.*")));
    application.init();
    QVERIFY(!application.mainWindow());
    QVERIFY(application.sema());
    application.aboutToQuit();
    QVERIFY(application.isClosing());
}

VANTOR_TEST_CLASS(TestClientApplication)
#include "tst_clientapplication.moc"
