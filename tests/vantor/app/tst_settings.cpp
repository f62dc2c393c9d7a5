#include "app/application.h"
#include "core/appsettingsstore.h"
#include "core/version.h"
#include "device/gps.h"
#include "device/systemhw.h"
#include "sequence/sema.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "testsupport/unwritablefile.h"
#include "time/datetime.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>
#include <memory>

using TestSupport::ApplicationFixture;
using TestSupport::UnwritableFile;
using Vl::Tavix3::UI::Application;
using Vl::Tavix3::UI::AppSettingsStore;
using Vl::Tavix3::UI::DateTime;
using Vl::Tavix3::UI::InfoBarMessage;
using Vl::Tavix3::UI::Utils;

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Vantor"));
}

QSettings deviceStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Orvane"));
}

// The notices of the info bar with the given text.
int noticesOf(const QSignalSpy& spy, const QString& text)
{
    int count = 0;
    for (const QList<QVariant>& notice : spy) {
        if (notice.at(0).toString() == text)
            ++count;
    }
    return count;
}

const QString kNotStored = QStringLiteral("Settings cannot be stored");

// Sets an application property for one test and restores the previous value afterwards.
class PropertyScope
{
public:
    PropertyScope(const char* name, const QVariant& value)
        : m_name(name)
        , m_previous(qApp->property(name))
    {
        qApp->setProperty(name, value);
    }
    ~PropertyScope() { qApp->setProperty(m_name, m_previous); }
    PropertyScope(const PropertyScope&) = delete;
    PropertyScope& operator=(const PropertyScope&) = delete;

private:
    const char* m_name;
    QVariant m_previous;
};

// The settings a declined reset must leave alone, written as an earlier run left them.
void storeOperatorChoices()
{
    QSettings s = store();
    s.setValue("DateFormat", 1);
    s.setValue("isHighContrast", true);
    s.setValue("RepetitionTime1", 9000000LL);
    s.setValue("RepetitionTimeIndex", 2);
    s.setValue("IsRestartWithNextMinute", false);
}

} // namespace

// The application object's settings: start-up bookkeeping, loading, the persisted setters,
// the repetition-time index walk and the reset to defaults.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { ApplicationFixture::clearSettings(); }
    void cleanup() { DateTime::resetClock(); }

    void firstStartBookkeeping();
    void cleanExitIsRecordedBySecondStart();
    void synchronisationAfterExit_data();
    void synchronisationAfterExit();
    void versionChangeDeletesTheLog_data();
    void versionChangeDeletesTheLog();
    void olderVersionOffersTheReset_data();
    void olderVersionOffersTheReset();
    void defaultsAndRoundTrip();
    void timeColorSevenLoadsAsTwo();
    void storedValuesAreBroughtIntoRange_data();
    void storedValuesAreBroughtIntoRange();
    void writesThatCannotBeStoredAreReported();
    void storeThatCannotBeWrittenAtStartIsReported();
    void unchangedValueWritesNothing_data();
    void unchangedValueWritesNothing();
    void repetitionIndexWalk_data();
    void repetitionIndexWalk();
    void resetDeclinedChangesNothing();
    void resetConfirmedRestoresDefaults();
    void settingsMessageOfFreshInstall();
};

void TestSettings::firstStartBookkeeping()
{
    ApplicationFixture app;
    QSettings s = store();
    QCOMPARE(s.value("ApplicationCorrectlyClosed").toBool(), false);
    QCOMPARE(s.value("Version").toString(), QStringLiteral("1.2.34"));
    QCOMPARE(s.value("IsSynchronized").toBool(), false);
    QVERIFY(app->versionChanged());
    QCOMPARE(app->storedVersion(), QVersionNumber(0, 0, 0));
    QVERIFY(app->isSynchronized());  // the in-memory flag starts true whatever the store holds
}

void TestSettings::cleanExitIsRecordedBySecondStart()
{
    {
        ApplicationFixture first;
        first->appSettings().setValue("ApplicationCorrectlyClosed", true);  // as the shut-down does
        first->saveSettings();
    }
    ApplicationFixture second;
    QVERIFY(second->applicationCorrectlyClosed());
    QVERIFY(!second->versionChanged());
    QCOMPARE(store().value("ApplicationCorrectlyClosed").toBool(), false);
}

void TestSettings::synchronisationAfterExit_data()
{
    QTest::addColumn<bool>("closedCorrectly");
    QTest::addColumn<int>("clockOffsetSeconds");  // the clock's distance from the computer's time
    QTest::addColumn<QVariant>("storedBefore");
    QTest::addColumn<bool>("storedAfter");

    // An unclean exit whose clock still agrees within a minute keeps the last synchronisation.
    QTest::newRow("unclean exit, clock agrees") << false << 0 << QVariant(true) << true;
    QTest::newRow("unclean exit, clock 59 s ahead") << false << 59 << QVariant(true) << true;
    QTest::newRow("unclean exit, clock 59 s behind") << false << -59 << QVariant(true) << true;
    QTest::newRow("unclean exit, nothing stored yet") << false << 0 << QVariant() << false;
    // A larger distance, or a clean exit, set the clock afresh: not synchronised any more.
    QTest::newRow("unclean exit, clock 61 s ahead") << false << 61 << QVariant(true) << false;
    QTest::newRow("unclean exit, clock 61 s behind") << false << -61 << QVariant(true) << false;
    QTest::newRow("clean exit, clock agrees") << true << 0 << QVariant(true) << false;
}

void TestSettings::synchronisationAfterExit()
{
    QFETCH(bool, closedCorrectly);
    QFETCH(int, clockOffsetSeconds);
    QFETCH(QVariant, storedBefore);
    {
        QSettings s = store();
        s.setValue("ApplicationCorrectlyClosed", closedCorrectly);
        s.setValue("Version", "1.2.34");
        if (storedBefore.isValid())
            s.setValue("IsSynchronized", storedBefore);
    }
    const qint64 offset = qint64(clockOffsetSeconds) * 50000;
    DateTime::setClock([offset]() { return DateTime::qDateTimeToTicks(QDateTime::currentDateTime()) + offset; });

    ApplicationFixture app(ApplicationFixture::Stage::Constructed);

    QVERIFY(store().contains("IsSynchronized"));
    QTEST(store().value("IsSynchronized").toBool(), "storedAfter");
    QVERIFY(app->isSynchronized());  // the in-memory flag starts true in every case
}

void TestSettings::versionChangeDeletesTheLog_data()
{
    QTest::addColumn<QVariant>("storedVersion");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("older version") << QVariant("1.2.33") << true;
    QTest::newRow("newer version") << QVariant("1.3.0") << true;
    QTest::newRow("first start") << QVariant() << true;
    QTest::newRow("same version") << QVariant("1.2.34") << false;
}

void TestSettings::versionChangeDeletesTheLog()
{
    QFETCH(QVariant, storedVersion);
    const QString logFile = TestSupport::testRoot() + QStringLiteral("/Vantor.log");
    {
        QFile old(logFile);
        QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Text));
        old.write("DEBUG|2025-01-20 10:00:00.000|main||a line of the previous run\n");
    }
    if (storedVersion.isValid())
        store().setValue("Version", storedVersion);
    const PropertyScope file("LOGFILE", logFile);
    const PropertyScope enabled("LOGFILE_ENABLED", false);  // so that this run writes no new log

    ApplicationFixture app;

    QTEST(!QFile::exists(logFile), "deleted");
}

void TestSettings::olderVersionOffersTheReset_data()
{
    QTest::addColumn<QVariant>("storedVersion");
    QTest::addColumn<bool>("offered");
    QTest::newRow("first start") << QVariant() << true;
    QTest::newRow("1.2.25") << QVariant("1.2.25") << true;
    QTest::newRow("1.1.40") << QVariant("1.1.40") << true;
    QTest::newRow("1.2.26") << QVariant("1.2.26") << false;
    QTest::newRow("1.2.33") << QVariant("1.2.33") << false;
    QTest::newRow("same version") << QVariant("1.2.34") << false;
}

void TestSettings::olderVersionOffersTheReset()
{
    QFETCH(QVariant, storedVersion);
    QFETCH(bool, offered);
    storeOperatorChoices();
    if (storedVersion.isValid())
        store().setValue("Version", storedVersion);
    ApplicationFixture app(ApplicationFixture::Stage::Constructed);
    QStringList asked;
    app->setConfirmationHandler([&asked](const QString& title) {
        asked << title;
        return false;
    });

    app->init();

    QCOMPARE(asked, offered ? QStringList{QStringLiteral("Reset to default")} : QStringList());
    // Declined (or not offered): every choice of the earlier run is loaded and stays stored.
    QCOMPARE(app->dateFormat(), 1);
    QVERIFY(app->isHighContrast());
    QCOMPARE(app->repetitionTime1(), 9000000LL);
    QCOMPARE(app->repetitionTimeIndex(), 2);
    QVERIFY(!app->sema()->isRestartWithNextMinute());
    QSettings s = store();
    QCOMPARE(s.value("DateFormat").toInt(), 1);
    QCOMPARE(s.value("isHighContrast").toBool(), true);
    QCOMPARE(s.value("RepetitionTime1").toLongLong(), 9000000LL);
    QCOMPARE(s.value("RepetitionTimeIndex").toInt(), 2);
    QCOMPARE(s.value("IsRestartWithNextMinute").toBool(), false);
}

void TestSettings::defaultsAndRoundTrip()
{
    {
        ApplicationFixture app;
        QCOMPARE(app->currentLanguage(), 99);
        QCOMPARE(app->dateFormat(), 0);
        QCOMPARE(app->timeFormat(), 0);
        QCOMPARE(app->repetitionTime1(), 1500000LL);
        QCOMPARE(app->repetitionTime2(), 3000000LL);
        QCOMPARE(app->repetitionTime3(), 6000000LL);
        QCOMPARE(app->repetitionTimeIndex(), 0);
        QCOMPARE(app->displayboardTimeColor(), 2);
        QCOMPARE(app->sema()->repetitionTime(), 1500000LL);

        app->setDateFormat(1);
        app->setTimeFormat(1);
        app->setIsHighContrast(true);
        app->setIsTapHandlerEnabled(true);
        app->setDisplayboardMode(1);
        app->setDisplayboardTimeColor(4);
        app->setRepetitionTime2(4500000);
        app->setRepetitionTimeIndex(1);
        app->setCurrentLanguage(2);
        app->saveSettings();
    }
    ApplicationFixture again;
    QCOMPARE(again->dateFormat(), 1);
    QCOMPARE(again->timeFormat(), 1);
    QVERIFY(again->isHighContrast());
    QVERIFY(again->isTapHandlerEnabled());
    QCOMPARE(again->displayboardMode(), 1);
    QCOMPARE(again->displayboardTimeColor(), 4);
    QCOMPARE(again->repetitionTime2(), 4500000LL);
    QCOMPARE(again->repetitionTimeIndex(), 1);
    QCOMPARE(again->currentLanguage(), 2);
    QCOMPARE(again->sema()->repetitionTime(), 4500000LL);
    QCOMPARE(store().value("isHighContrast").toBool(), true);  // the one key with a lower-case first letter
}

void TestSettings::timeColorSevenLoadsAsTwo()
{
    {
        QSettings s = store();
        s.setValue("DisplayboardTimeColor", 7);
        s.setValue("Version", "1.2.34");
    }
    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression(QStringLiteral("^Setting DisplayboardTimeColor=7 in .* is out of range: the default is used$")));
    ApplicationFixture app;
    QCOMPARE(app->displayboardTimeColor(), 2);
}

void TestSettings::storedValuesAreBroughtIntoRange_data()
{
    QTest::addColumn<bool>("device");  // the device services' store, else the application's
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qint64>("loaded");

    // A choice outside its values keeps its default.
    QTest::newRow("visualization mode 99") << false << "VisualizationMode" << QVariant(99) << qint64(0);
    QTest::newRow("visualization mode 6 is kept") << false << "VisualizationMode" << QVariant(6) << qint64(6);
    QTest::newRow("off mode -5") << false << "OffMode" << QVariant(-5) << qint64(2);
    QTest::newRow("off mode 3 is kept") << false << "OffMode" << QVariant(3) << qint64(3);
    QTest::newRow("sequence mode 3") << false << "SequenceMode" << QVariant(3) << qint64(1);
    QTest::newRow("board mode 5") << false << "DisplayboardMode" << QVariant(5) << qint64(0);
    QTest::newRow("board mode 1 is kept") << false << "DisplayboardMode" << QVariant(1) << qint64(1);
    QTest::newRow("time colour 3") << false << "DisplayboardTimeColor" << QVariant(3) << qint64(2);
    QTest::newRow("time colour 4 is kept") << false << "DisplayboardTimeColor" << QVariant(4) << qint64(4);
    QTest::newRow("language 5") << false << "CurrentLanguage" << QVariant(5) << qint64(99);
    QTest::newRow("language 2 is kept") << false << "CurrentLanguage" << QVariant(2) << qint64(2);
    QTest::newRow("date format 2") << false << "DateFormat" << QVariant(2) << qint64(0);
    QTest::newRow("time format -1") << false << "TimeFormat" << QVariant(-1) << qint64(0);
    QTest::newRow("repetition index 3") << false << "RepetitionTimeIndex" << QVariant(3) << qint64(0);
    QTest::newRow("repetition index beyond 32 bits") << false << "RepetitionTimeIndex" << QVariant(qint64(1) << 32)
                                                      << qint64(0);
    QTest::newRow("board brightness mode 9") << true << "BrightnessMode" << QVariant(9) << qint64(1);
    QTest::newRow("GPS mode 9") << true << "GPSSyncMode" << QVariant(9) << qint64(0);
    // A quantity outside its bounds takes the nearest bound.
    QTest::newRow("repetition time -2000000") << false << "RepetitionTime1" << QVariant(-2000000) << qint64(0);
    QTest::newRow("repetition time of two days") << false << "RepetitionTime2" << QVariant(8640000000LL)
                                                 << qint64(4319999999LL);
    QTest::newRow("repetition time 90 s is kept") << false << "RepetitionTime3" << QVariant(4500000) << qint64(4500000);
    QTest::newRow("delay -3 s") << false << "DelayFalseStart" << QVariant(-3) << qint64(0);
    QTest::newRow("delay beyond an int") << false << "DelayFalseStart" << QVariant(99999999999LL)
                                         << qint64(Vl::Tavix3::UI::Sema::kMaxDelayFalseStart);
    QTest::newRow("volume 250") << true << "OutputSoundVolume" << QVariant(250) << qint64(100);
    QTest::newRow("volume -4") << true << "OutputSoundVolume" << QVariant(-4) << qint64(0);
    QTest::newRow("brightness 500") << true << "Brightness" << QVariant(500) << qint64(100);
    QTest::newRow("power save -5 minutes") << true << "PowerSaveTime" << QVariant(-5) << qint64(0);
    QTest::newRow("power save 30 minutes is kept") << true << "PowerSaveTime" << QVariant(30) << qint64(30);
}

void TestSettings::storedValuesAreBroughtIntoRange()
{
    QFETCH(bool, device);
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(qint64, loaded);
    {
        QSettings s = device ? deviceStore() : store();
        s.setValue(key, stored);
        store().setValue("Version", "1.2.34");
    }
    if (stored.toLongLong() != loaded) {
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression(QStringLiteral("^Setting %1=%2 in .*/Velmora/%3\\.conf is out of range: ")
                                   .arg(key, stored.toString(), device ? "Orvane" : "Vantor")));
    }
    ApplicationFixture app;
    app->systemHw()->loadSettings();
    app->gps()->loadSettings();
    const std::map<QString, std::function<qint64()>> loadedValues {
        { "VisualizationMode", [&app]() { return app->sema()->visualizationMode(); } },
        { "OffMode", [&app]() { return app->sema()->offMode(); } },
        { "SequenceMode", [&app]() { return app->sema()->sequenceMode(); } },
        { "DelayFalseStart", [&app]() { return app->sema()->delayFalseStart(); } },
        { "DisplayboardMode", [&app]() { return app->displayboardMode(); } },
        { "DisplayboardTimeColor", [&app]() { return app->displayboardTimeColor(); } },
        { "CurrentLanguage", [&app]() { return app->currentLanguage(); } },
        { "DateFormat", [&app]() { return app->dateFormat(); } },
        { "TimeFormat", [&app]() { return app->timeFormat(); } },
        { "RepetitionTimeIndex", [&app]() { return app->repetitionTimeIndex(); } },
        { "RepetitionTime1", [&app]() { return app->repetitionTime1(); } },
        { "RepetitionTime2", [&app]() { return app->repetitionTime2(); } },
        { "RepetitionTime3", [&app]() { return app->repetitionTime3(); } },
        { "OutputSoundVolume", [&app]() { return app->systemHw()->outputSoundVolume(); } },
        { "Brightness", [&app]() { return app->systemHw()->brightness(); } },
        { "BrightnessMode", [&app]() { return app->systemHw()->brightnessMode(); } },
        { "PowerSaveTime", [&app]() { return app->systemHw()->powerSaveTime(); } },
        { "GPSSyncMode", [&app]() { return app->gps()->syncMode(); } },
    };
    QCOMPARE(loadedValues.at(key)(), loaded);
    // The file keeps what it held: nobody asked to change it.
    QSettings s = device ? deviceStore() : store();
    QCOMPARE(s.value(key).toLongLong(), stored.toLongLong());
    s.remove(key);
}

void TestSettings::writesThatCannotBeStoredAreReported()
{
    ApplicationFixture app;
    QSignalSpy info(app->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    const quint64 failedBefore = AppSettingsStore::failedWritesOnThisThread();
    UnwritableFile unwritable(store().fileName());
    QVERIFY(unwritable.isInPlace());

    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression(QStringLiteral("^Settings not stored: DateFormat cannot be written to .*/Velmora/Vantor\\.conf$")));
    app->setDateFormat(1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Settings not stored: OffMode cannot be written")));
    app->sema()->setOffMode(0);
    // The values are in effect for this run; the writes are counted as not stored, and the operator
    // is told once.
    QCOMPARE(app->dateFormat(), 1);
    QCOMPARE(app->sema()->offMode(), 0);
    QCOMPARE(AppSettingsStore::failedWritesOnThisThread(), failedBefore + 2);
    QCOMPARE(info.count(), 1);
    QCOMPARE(info.at(0).at(0).toString(), kNotStored);
    QCOMPARE(info.at(0).at(2).toString(), QStringLiteral("#d12f2f"));

    // Once the file can be written, the next write stores what waited with it.
    unwritable.release();
    app->setTimeFormat(1);
    QCOMPARE(AppSettingsStore::failedWritesOnThisThread(), failedBefore + 2);
    QFile file(store().fileName());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString onDisk = QString::fromUtf8(file.readAll());
    for (const char* line : { "DateFormat=1", "OffMode=0", "TimeFormat=1" })
        QVERIFY2(onDisk.contains(QLatin1String(line)), line);
    file.close();

    // A new failure after that is told again.
    UnwritableFile again(store().fileName());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Settings not stored: isHighContrast")));
    app->setIsHighContrast(true);
    QCOMPARE(noticesOf(info, kNotStored), 2);
    again.release();
    QVERIFY(app->appSettings().setValue("IsTapHandlerEnabled", true));
}

void TestSettings::storeThatCannotBeWrittenAtStartIsReported()
{
    UnwritableFile unwritable(store().fileName());
    // The start of a run cannot be recorded, so the next start could not tell a crash: said.
    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression(QStringLiteral("^Settings not stored: ApplicationCorrectlyClosed cannot be written")));
    ApplicationFixture app(ApplicationFixture::Stage::Constructed);
    QSignalSpy info(app->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    // The operator hears of it once the screens can show it.
    QCOMPARE(noticesOf(info, kNotStored), 0);
    app->init();
    QCOMPARE(noticesOf(info, kNotStored), 1);
    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression(QStringLiteral("^Settings not stored: ApplicationCorrectlyClosed cannot be written")));
    QVERIFY(!app->appSettings().setValue("ApplicationCorrectlyClosed", true));  // as the shut-down does
    QCOMPARE(noticesOf(info, kNotStored), 1);
    unwritable.release();
    QVERIFY(app->appSettings().setValue("ApplicationCorrectlyClosed", true));
    QCOMPARE(store().value("ApplicationCorrectlyClosed").toBool(), true);
}

void TestSettings::unchangedValueWritesNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("signal");
    QTest::newRow("DateFormat") << "DateFormat" << SIGNAL(dateFormatChanged());
    QTest::newRow("TimeFormat") << "TimeFormat" << SIGNAL(timeFormatChanged());
    QTest::newRow("isHighContrast") << "isHighContrast" << SIGNAL(isHighContrastChanged());
    QTest::newRow("IsTapHandlerEnabled") << "IsTapHandlerEnabled" << SIGNAL(isTapHandlerEnabledChanged());
    QTest::newRow("DisplayboardMode") << "DisplayboardMode" << SIGNAL(displayboardModeChanged());
    QTest::newRow("DisplayboardTimeColor") << "DisplayboardTimeColor" << SIGNAL(displayboardTimeColorChanged());
    QTest::newRow("RepetitionTime1") << "RepetitionTime1" << SIGNAL(repetitionTime1Changed());
    QTest::newRow("CurrentLanguage") << "CurrentLanguage" << SIGNAL(currentLanguageChanged());
    QTest::newRow("IsSynchronized") << "IsSynchronized" << SIGNAL(isSynchronizedChanged());
}

void TestSettings::unchangedValueWritesNothing()
{
    QFETCH(QString, key);
    QFETCH(QString, signal);
    ApplicationFixture app;
    // A marker written behind the object's back survives a setter given the current value.
    app->appSettings().setValue(key, QStringLiteral("marker"));
    QSignalSpy spy(app.get(), signal.toLatin1().constData());
    const QMetaObject* meta = app->metaObject();
    const char* property = nullptr;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (QString::fromLatin1(meta->property(i).notifySignal().methodSignature()) == signal.mid(1)) {
            property = meta->property(i).name();
            break;
        }
    }
    QVERIFY(property);
    QVERIFY(app->setProperty(property, app->property(property)));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(app->appSettings().value(key).toString(), QStringLiteral("marker"));
}

void TestSettings::repetitionIndexWalk_data()
{
    QTest::addColumn<qlonglong>("time1");
    QTest::addColumn<qlonglong>("time2");
    QTest::addColumn<qlonglong>("time3");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("reached");

    QTest::newRow("zero time skipped, wraps to the old index") << 1500000LL << 3000000LL << 0LL << 0 << 2 << 0;
    QTest::newRow("3 wraps to 0") << 1500000LL << 3000000LL << 6000000LL << 2 << 3 << 0;
    QTest::newRow("-1 wraps to 2") << 1500000LL << 3000000LL << 6000000LL << 0 << -1 << 2;
    QTest::newRow("zero skipped upwards") << 1500000LL << 0LL << 6000000LL << 0 << 1 << 2;
    QTest::newRow("zero skipped downwards") << 1500000LL << 0LL << 6000000LL << 2 << 1 << 0;
}

void TestSettings::repetitionIndexWalk()
{
    QFETCH(qlonglong, time1);
    QFETCH(qlonglong, time2);
    QFETCH(qlonglong, time3);
    QFETCH(int, from);
    QFETCH(int, request);
    QFETCH(int, reached);
    ApplicationFixture app;
    app->setRepetitionTime1(1500000);
    app->setRepetitionTime2(3000000);
    app->setRepetitionTime3(6000000);
    app->setRepetitionTimeIndex(from);
    app->setRepetitionTime1(time1);
    app->setRepetitionTime2(time2);
    app->setRepetitionTime3(time3);
    QSignalSpy spy(app.get(), &Application::repetitionTimeIndexChanged);
    app->setRepetitionTimeIndex(request);
    QCOMPARE(app->repetitionTimeIndex(), reached);
    QCOMPARE(store().value("RepetitionTimeIndex").toInt(), reached);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(app->sema()->repetitionTime(), app->getRepetitionTime());
}

void TestSettings::resetDeclinedChangesNothing()
{
    ApplicationFixture app;
    app->setDateFormat(1);
    app->setRepetitionTime1(9000000);
    app->saveSettings();
    QString askedTitle;
    app->setConfirmationHandler([&askedTitle](const QString& title) {
        askedTitle = title;
        return false;
    });
    app->resetToDefault();
    QCOMPARE(askedTitle, QStringLiteral("Reset to default"));
    QCOMPARE(app->dateFormat(), 1);
    QCOMPARE(store().value("RepetitionTime1").toLongLong(), 9000000LL);
}

void TestSettings::resetConfirmedRestoresDefaults()
{
    ApplicationFixture app;
    app->setCurrentLanguage(1);
    app->setDateFormat(1);
    app->setIsHighContrast(true);
    app->setRepetitionTime1(0);  // the old index would not be usable with this time
    app->setRepetitionTime2(9000000);
    app->setRepetitionTimeIndex(1);
    app->sema()->setIsRestartWithNextMinute(false);
    app->setConfirmationHandler([](const QString&) { return true; });

    app->resetToDefault();

    QCOMPARE(app->dateFormat(), 0);
    QVERIFY(!app->isHighContrast());
    QCOMPARE(app->repetitionTime1(), 1500000LL);
    QCOMPARE(app->repetitionTime2(), 3000000LL);
    QCOMPARE(app->repetitionTime3(), 6000000LL);
    QCOMPARE(app->repetitionTimeIndex(), 0);
    QCOMPARE(app->sema()->repetitionTime(), 1500000LL);
    QVERIFY(app->sema()->isRestartWithNextMinute());
    QCOMPARE(app->currentLanguage(), 1);  // the language is not reset
    QCOMPARE(store().value("Version").toString(), QStringLiteral("1.2.34"));
    QCOMPARE(store().value("RepetitionTimeIndex").toInt(), 0);
}

void TestSettings::settingsMessageOfFreshInstall()
{
    ApplicationFixture app;
    const QString text = app->settingsMessage();
    QVERIFY(text.startsWith(QChar(0x09)));
    QVERIFY(text.endsWith(QChar(0x02)));
    QString type, section, id;
    QJsonArray array;
    QVERIFY(Utils::parseJsonData(text.mid(1, text.size() - 2), type, section, id, array));
    QCOMPARE(type, QStringLiteral("Sema"));
    QCOMPARE(section, QStringLiteral("Settings"));
    QCOMPARE(id.size(), 36);
    const QJsonObject object = array.first().toObject();
    QCOMPARE(object.keys(),
             QStringList({"Brightness", "BrightnessMode", "DateFormat", "DelayFalseStart", "DisplayboardMode",
                          "DisplayboardTimeColor", "IsCheckFalseStart", "IsGenerateStart", "IsHighContrast",
                          "IsRestartWithNextMinute", "IsShowTimeOfDay", "IsSkipOutOfWindow", "IsTapHandlerEnabled",
                          "Language", "OffMode", "OutputSoundVolume", "PowerSaveTime", "TimeFormat",
                          "VisualizationMode"}));
    QCOMPARE(object.value("Language").toInt(), 99);
    QCOMPARE(object.value("DisplayboardTimeColor").toInt(), 2);
    QCOMPARE(object.value("IsCheckFalseStart").toBool(), true);
    QVERIFY(object.value("IsHighContrast").isBool());
}

VANTOR_TEST_CLASS(TestSettings)
#include "tst_settings.moc"
