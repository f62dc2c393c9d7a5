#include "app/application.h"
#include "device/gps.h"
#include "remote/serial.h"
#include "remoteclient.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Vl::Tavix3::UI;
using TestSupport::ApplicationFixture;

namespace {

QSettings deviceStore()
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Orvane"));
}

} // namespace

// The GPS service: mode and time-zone shift with their store, the radio synchronisation lock, the
// emulated satellites and the calibration countdown reported to remote clients.
class TestGps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void defaultsAfterLoading();
    void continuousModeSignalsOnce();
    void storedSettingsAreLoaded_data();
    void storedSettingsAreLoaded();
    void radioSynchronisationBlocksModeChanges();
    void satelliteViewEnables_data();
    void satelliteViewEnables();
    void emulatedSatellites();
    void calibrationCountdownIsReported();

private:
    std::unique_ptr<ApplicationFixture> m_app;
};

void TestGps::initTestCase() { m_app = std::make_unique<ApplicationFixture>(); }

void TestGps::cleanupTestCase() { m_app.reset(); }

void TestGps::init()
{
    QSettings store = deviceStore();
    store.clear();
    store.sync();
    (*m_app)->setIsAmbrelSynchronized(false);
}

void TestGps::defaultsAfterLoading()
{
    GPS gps;
    QSignalSpy enabled(&gps, &GPS::isEnabledChanged);
    QSignalSpy mode(&gps, &GPS::syncModeChanged);
    gps.loadSettings();
    QCOMPARE(gps.syncMode(), GPSEnum::GPS_SYNC_NONE);
    QVERIFY(!gps.isEnabled());
    QCOMPARE(gps.timeZoneShift(), 0);
    QCOMPARE(gps.tuStatusStr(), QStringLiteral("Disabled"));
    QCOMPARE(enabled.size(), 1);
    QCOMPARE(mode.size(), 0);
    QVERIFY(!gps.isValid());
    QVERIFY(!gps.tuIsSynced());
    QVERIFY(!gps.numSatellites().isValid());
    QCOMPARE(gps.syncStatus(), 0);
}

void TestGps::continuousModeSignalsOnce()
{
    GPS gps;
    gps.loadSettings();
    QSignalSpy valid(&gps, &GPS::isValidChanged);
    QSignalSpy continuous(&gps, &GPS::isSynchedByCountinuosChanged);
    QSignalSpy mode(&gps, &GPS::syncModeChanged);
    QSignalSpy enabled(&gps, &GPS::isEnabledChanged);
    gps.setSyncMode(GPSEnum::GPS_SYNC_CONTINUOUS);
    QVERIFY(gps.isSynchedByCountinuos());
    QVERIFY(gps.isEnabled());
    QCOMPARE(valid.size() + continuous.size() + mode.size() + enabled.size(), 4);
    QCOMPARE(deviceStore().value(QStringLiteral("GPSSyncMode")).toInt(), 2);

    gps.setSyncMode(GPSEnum::GPS_SYNC_CONTINUOUS);
    QCOMPARE(valid.size() + continuous.size() + mode.size() + enabled.size(), 4);

    QSignalSpy shift(&gps, &GPS::timeZoneShiftChanged);
    gps.setTimeZoneShift(-90);
    gps.setTimeZoneShift(-90);
    QCOMPARE(shift.size(), 1);
    QCOMPARE(deviceStore().value(QStringLiteral("GPSTimeZoneShift")).toInt(), -90);
}

void TestGps::storedSettingsAreLoaded_data()
{
    QTest::addColumn<int>("storedMode");
    QTest::addColumn<int>("expectedMode");
    QTest::newRow("one time") << 1 << 1;
    QTest::newRow("continuous") << 2 << 2;
    QTest::newRow("damaged") << 7 << 0;
}

void TestGps::storedSettingsAreLoaded()
{
    QFETCH(int, storedMode);
    QFETCH(int, expectedMode);
    {
        QSettings store = deviceStore();
        store.setValue(QStringLiteral("GPSSyncMode"), storedMode);
        store.setValue(QStringLiteral("GPSTimeZoneShift"), 120);
    }
    GPS gps;
    QSignalSpy mode(&gps, &GPS::syncModeChanged);
    gps.loadSettings();
    QCOMPARE(int(gps.syncMode()), expectedMode);
    QCOMPARE(gps.isSynchedByCountinuos(), expectedMode == 2);
    QCOMPARE(gps.isEnabled(), expectedMode != 0);
    QCOMPARE(gps.timeZoneShift(), 120);
    QCOMPARE(mode.size(), 1);
}

void TestGps::radioSynchronisationBlocksModeChanges()
{
    GPS gps;
    gps.loadSettings();
    (*m_app)->setIsAmbrelSynchronized(true);
    QVERIFY(!(*m_app)->enabledSyncGPS());
    QSignalSpy mode(&gps, &GPS::syncModeChanged);
    gps.setSyncMode(GPSEnum::GPS_SYNC_ONE_TIME);
    QCOMPARE(gps.syncMode(), GPSEnum::GPS_SYNC_NONE);
    QCOMPARE(mode.size(), 0);
    QVERIFY(!deviceStore().contains(QStringLiteral("GPSSyncMode")));

    (*m_app)->setIsAmbrelSynchronized(false);
    gps.setSyncMode(GPSEnum::GPS_SYNC_ONE_TIME);
    QCOMPARE(gps.syncMode(), GPSEnum::GPS_SYNC_ONE_TIME);
}

void TestGps::satelliteViewEnables_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("changes");
    QTest::newRow("GPS off: the view turns it on and off") << int(GPSEnum::GPS_SYNC_NONE) << 1;
    QTest::newRow("GPS on already: nothing changes") << int(GPSEnum::GPS_SYNC_ONE_TIME) << 0;
}

// The satellite view makes the service report itself enabled while it is shown, and says so.
void TestGps::satelliteViewEnables()
{
    QFETCH(int, mode);
    QFETCH(int, changes);
    GPS gps;
    gps.loadSettings();
    gps.setSyncMode(mode);
    QSignalSpy enabled(&gps, &GPS::isEnabledChanged);
    QSignalSpy shown(&gps, &GPS::isShowSatellitesChanged);
    gps.setIsShowSatellites(true);
    QVERIFY(gps.isEnabled());
    QCOMPARE(enabled.size(), changes);
    QCOMPARE(shown.size(), 1);
    gps.setIsShowSatellites(true);
    QCOMPARE(enabled.size(), changes);
    gps.setIsShowSatellites(false);
    QCOMPARE(gps.isEnabled(), mode != GPSEnum::GPS_SYNC_NONE);
    QCOMPARE(enabled.size(), 2 * changes);
    gps.setSyncMode(GPSEnum::GPS_SYNC_NONE);
}

void TestGps::emulatedSatellites()
{
    DateTime::setClock([]() { return DateTime::qDateTimeToTicks(QDateTime(QDate(2024, 3, 1), QTime(9, 5, 7))); });
    GPS gps;
    QSignalSpy count(&gps, &GPS::satCountChanged);
    QSignalSpy used(&gps, &GPS::usedChanged);
    QSignalSpy average(&gps, &GPS::avgCNOChanged);
    QSignalSpy update(&gps, &GPS::lastUpdateChanged);
    const QVariantList first = gps.refreshSatellitesStatus();
    const QVariantList second = gps.refreshSatellitesStatus();
    DateTime::resetClock();

    QCOMPARE(first.size(), 10);
    QVERIFY(first != second);
    int usedCount = 0;
    int cnoSum = 0;
    int cnoCount = 0;
    for (int i = 0; i < first.size(); ++i) {
        const QVariantMap satellite = first.at(i).toMap();
        QCOMPARE(satellite.value(QStringLiteral("Name")).toString(), QString::number(i));
        const int cno = satellite.value(QStringLiteral("CNO")).toInt();
        QVERIFY(cno >= 0 && cno < 70);
        QVERIFY((satellite.value(QStringLiteral("QualitInd")).toInt() & ~100) == 0);
        usedCount += satellite.value(QStringLiteral("Used")).toBool() ? 1 : 0;
        if (cno != 0) {
            cnoSum += cno;
            ++cnoCount;
        }
    }
    QCOMPARE(count.at(0).at(0).toString(), QStringLiteral("10"));
    QCOMPARE(count.at(1).at(0).toString(), QStringLiteral("10"));
    QCOMPARE(used.at(0).at(0).toString(), QString::number(usedCount));
    QCOMPARE(average.at(0).at(0).toString(), QString::number(double(cnoSum) / cnoCount, 'f', 1));
    QCOMPARE(update.at(0).at(0).toString(), QStringLiteral("09:05:07"));
}

void TestGps::calibrationCountdownIsReported()
{
    // A remote client of the application's command port receives the reports.
    Serial* serial = (*m_app)->serial();
    QVERIFY(serial->startServer());
    RemoteClient client;
    QVERIFY(client.connectToServer());
    QTRY_COMPARE(serial->clientCount(), 1);

    GPS gps;
    gps.loadSettings();
    QSignalSpy duration(&gps, &GPS::calibDuration);
    gps.setCalibrationStatus(QStringLiteral("Calibrating"), 3);
    QVERIFY(gps.isCountdownActive());
    gps.countdownStep();
    gps.countdownStep();
    gps.countdownStep();
    QVERIFY(!gps.isCountdownActive());
    gps.setCalibrationStatus(QStringLiteral("Done"), QVariant());
    QCOMPARE(duration.size(), 5);

    const QList<QJsonObject> expected {
        { { "Message", "Calibrating" }, { "Duration", 3 }, { "Remaining", 3 } },
        { { "Message", "Calibrating" }, { "Duration", 3 }, { "Remaining", 2 } },
        { { "Message", "Calibrating" }, { "Duration", 3 }, { "Remaining", 1 } },
        { { "Message", "Calibrating" }, { "Duration", 0 }, { "Remaining", 0 } },
        { { "Message", "Done" } },
    };
    QVERIFY(client.waitForMessages(expected.size()));
    const QList<QByteArray> received = client.takeMessages();
    QCOMPARE(received.size(), expected.size());
    for (int i = 0; i < received.size(); ++i) {
        const QJsonObject message = RemoteClient::parse(received.at(i));
        QCOMPARE(RemoteClient::header(message).value("Type").toString(), QStringLiteral("GPS"));
        QCOMPARE(RemoteClient::header(message).value("Section").toString(), QStringLiteral("Calibration"));
        QCOMPARE(RemoteClient::firstData(message), expected.at(i));
    }
}

VANTOR_TEST_CLASS(TestGps)
#include "tst_gps.moc"
