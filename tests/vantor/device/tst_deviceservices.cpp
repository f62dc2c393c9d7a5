#include "device/systemhw.h"
#include "device/systemstatus.h"
#include "device/touchlistener.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

using namespace Vl::Tavix3::UI;

namespace {

QSettings deviceStore()
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Orvane"));
}

void clearDeviceStore()
{
    QSettings store = deviceStore();
    store.clear();
    store.sync();
}

// Counts the events that reach an object behind the listener.
class EventCounter : public QObject
{
public:
    int received = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress)
            ++received;
        return QObject::event(e);
    }
};

} // namespace

// The device services of the desktop build: persisted settings with their defaults, the fixed values
// of the hardware it lacks, the Wi-Fi password store, drive changes and the touch filter.
class TestDeviceServices : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearDeviceStore(); }

    void defaultsAfterLoading();
    void storedBrightnessZeroLoadsAsFifty();
    void settersPersistAndSignalOnlyChanges_data();
    void settersPersistAndSignalOnlyChanges();
    void automaticBrightnessHidesTheManualValue();
    void fixedValuesOfTheDesktop();
    void wifiPasswordsInNameOrder();
    void unknownWifiNetworkIsNotStored();
    void driveChangesAreReportedUntilListed();
    void mountedVolumesOfThePlatform();
    void standbyKeepsClicksFromTheControls();
    void touchDisabledFiltersPointerEvents();
    void systemStatusIsEmpty();
};

void TestDeviceServices::defaultsAfterLoading()
{
    SystemHw hw;
    QSignalSpy battery(&hw, &SystemHw::batteryPercChanged);
    QSignalSpy supply(&hw, &SystemHw::isExtSupplyValidChanged);
    hw.loadSettings();
    QCOMPARE(hw.brightness(), ushort(1));
    QCOMPARE(hw.brightnessMode(), 1);
    QCOMPARE(hw.powerSaveTime(), 1);
    QCOMPARE(hw.outputSoundVolume(), 10);
    QCOMPARE(hw.batteryPerc(), 100);
    QVERIFY(hw.isExtSupplyValid());
    QVERIFY(!hw.isLowBattery());
    QCOMPARE(battery.size(), 1);
    QCOMPARE(battery.at(0).at(0).toInt(), 100);
    QCOMPARE(supply.size(), 1);
    QVERIFY(hw.touchEnabled());
    QVERIFY(!hw.isInStandby());
    QVERIFY(!hw.isInCalibration());
}

void TestDeviceServices::storedBrightnessZeroLoadsAsFifty()
{
    {
        QSettings store = deviceStore();
        store.setValue(QStringLiteral("Brightness"), 0);
        store.setValue(QStringLiteral("PowerSaveTime"), 5);
        store.setValue(QStringLiteral("OutputSoundVolume"), 70);
    }
    SystemHw hw;
    hw.loadSettings();
    QCOMPARE(hw.brightness(), ushort(50));
    QCOMPARE(hw.powerSaveTime(), 5);
    QCOMPARE(hw.outputSoundVolume(), 70);
    // The replacement is not stored.
    QCOMPARE(deviceStore().value(QStringLiteral("Brightness")).toInt(), 0);
}

void TestDeviceServices::settersPersistAndSignalOnlyChanges_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("power save") << "PowerSaveTime" << 10;
    QTest::newRow("brightness") << "Brightness" << 80;
    QTest::newRow("brightness mode") << "BrightnessMode" << 0;
    QTest::newRow("volume") << "OutputSoundVolume" << 55;
}

void TestDeviceServices::settersPersistAndSignalOnlyChanges()
{
    QFETCH(QString, key);
    QFETCH(int, value);
    SystemHw hw;
    hw.loadSettings();
    const QByteArray property = key == "PowerSaveTime" ? "powerSaveTime"
        : key == "Brightness"                          ? "brightness"
        : key == "BrightnessMode"                      ? "brightnessMode"
                                                       : "outputSoundVolume";
    const QMetaProperty meta = hw.metaObject()->property(hw.metaObject()->indexOfProperty(property));
    QSignalSpy changed(&hw, meta.notifySignal());
    QVERIFY(hw.setProperty(property, value));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(deviceStore().value(key).toInt(), value);

    clearDeviceStore();
    QVERIFY(hw.setProperty(property, value));
    QCOMPARE(changed.size(), 1);
    QVERIFY(!deviceStore().contains(key));
}

void TestDeviceServices::automaticBrightnessHidesTheManualValue()
{
    SystemHw hw;
    hw.loadSettings();
    hw.setBrightness(70);
    hw.setBrightnessMode(0);
    QCOMPARE(hw.brightness(), ushort(0));
    QSignalSpy changed(&hw, &SystemHw::brightnessChanged);
    hw.setBrightness(20);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(deviceStore().value(QStringLiteral("Brightness")).toInt(), 70);
    hw.setBrightnessMode(1);
    QCOMPARE(hw.brightness(), ushort(70));
}

void TestDeviceServices::fixedValuesOfTheDesktop()
{
    SystemHw hw;
    hw.loadSettings();
    QCOMPARE(hw.getCurrentIPAddress(QStringLiteral("eth0")), QStringLiteral("127.0.0.1"));
    QCOMPARE(hw.getCurrentSubnetMask(QStringLiteral("wlan0")), QStringLiteral("255.255.255.0"));
    QCOMPARE(hw.getCurrentModeStr(QStringLiteral("eth0")), QStringLiteral("DHCP"));
    QVERIFY(hw.getListWifiNetwork().isEmpty());
    QVERIFY(!hw.isBluetoothEnabled());
    QVERIFY(hw.isRechargeEnabled());

    QSignalSpy wifi(&hw, &SystemHw::isWifiEnabledChanged);
    QVERIFY(hw.setProperty("isWifiEnabled", true));
    QVERIFY(!hw.isWifiEnabled());
    QCOMPARE(wifi.size(), 0);

    QSignalSpy calibration(&hw, &SystemHw::isInCalibrationChanged);
    QVERIFY(!hw.activateBatteryCalibration());
    hw.disableCalibration();
    QVERIFY(!hw.isInCalibration());
    QCOMPARE(calibration.size(), 1);
}

void TestDeviceServices::wifiPasswordsInNameOrder()
{
    {
        SystemHw hw;
        hw.loadSettings();
        hw.setWifiPassword(QStringLiteral("Zermatt"), QStringLiteral("z-pass"));
        hw.setWifiPassword(QStringLiteral("Alpe"), QStringLiteral("a\"pass"));
    }
    const QString stored = deviceStore().value(QStringLiteral("WifiPasswords")).toString();
    QCOMPARE(stored, QStringLiteral(R"({"Alpe":"a\"pass","Zermatt":"z-pass"})"));

    SystemHw reloaded;
    reloaded.loadSettings();
    QCOMPARE(reloaded.getWifiPassword(QStringLiteral("Alpe")), QStringLiteral("a\"pass"));
    QCOMPARE(reloaded.getWifiPassword(QStringLiteral("Zermatt")), QStringLiteral("z-pass"));
}

void TestDeviceServices::unknownWifiNetworkIsNotStored()
{
    SystemHw hw;
    hw.loadSettings();
    hw.setWifiPassword(QStringLiteral("Known"), QStringLiteral("secret"));
    const QString before = deviceStore().value(QStringLiteral("WifiPasswords")).toString();
    QCOMPARE(hw.getWifiPassword(QStringLiteral("Unknown")), QString());
    QCOMPARE(deviceStore().value(QStringLiteral("WifiPasswords")).toString(), before);
}

void TestDeviceServices::driveChangesAreReportedUntilListed()
{
    SystemHw hw;
    QStringList platform { QStringLiteral("/"), QStringLiteral("/media/usb0") };
    hw.setDriveSource([&platform]() { return platform; });
    QSignalSpy changed(&hw, &SystemHw::devicesConnectedChanged);

    QCOMPARE(hw.drives(), platform);
    hw.checkForDriveChanges();
    QCOMPARE(changed.size(), 0);

    platform << QStringLiteral("/media/usb1");
    hw.checkForDriveChanges();
    hw.checkForDriveChanges();
    QCOMPARE(changed.size(), 2);
    hw.drives();
    hw.checkForDriveChanges();
    QCOMPARE(changed.size(), 2);

    // The same number of drives, one swapped for another.
    platform = QStringList { QStringLiteral("/"), QStringLiteral("/media/usb0"), QStringLiteral("/media/usb9") };
    hw.checkForDriveChanges();
    QCOMPARE(changed.size(), 3);
}

void TestDeviceServices::mountedVolumesOfThePlatform()
{
    SystemHw hw;
    QSignalSpy changed(&hw, &SystemHw::devicesConnectedChanged);
    const QVariantList volumes = hw.mountedVolumes();
    QVERIFY(!volumes.isEmpty());
    for (const QVariant& volume : volumes) {
        const QVariantMap entry = volume.toMap();
        const QString root = entry.value(QStringLiteral("RootPath")).toString();
        QVERIFY(!root.isEmpty());
        QVERIFY(entry.value(QStringLiteral("DisplayName")).toString().startsWith(root));
        QVERIFY(entry.contains(QStringLiteral("Name")));
    }
    // Listing the volumes takes the snapshot the change check compares with.
    hw.checkForDriveChanges();
    QCOMPARE(changed.size(), 0);
}

void TestDeviceServices::standbyKeepsClicksFromTheControls()
{
    SystemHw hw;
    EventCounter window;
    hw.touchListenerListenTo(&window);
    hw.touchListenerListenTo(nullptr);
    QSignalSpy touchBegin(hw.touchListener(), &TouchListener::touchBegin);
    QSignalSpy keyPress(hw.touchListener(), &TouchListener::keyPress);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QCOMPARE(window.received, 1);
    QCOMPARE(touchBegin.size(), 1);

    hw.setIsInStandby(true);
    QCoreApplication::sendEvent(&window, &press);
    QCOMPARE(window.received, 1);
    QCoreApplication::sendEvent(&window, &key);
    QCOMPARE(window.received, 2);
    QCOMPARE(keyPress.size(), 1);

    hw.setIsInStandby(false);
    QCoreApplication::sendEvent(&window, &press);
    QCOMPARE(window.received, 3);
}

void TestDeviceServices::touchDisabledFiltersPointerEvents()
{
    SystemHw hw;
    EventCounter window;
    hw.touchListenerListenTo(&window);
    QSignalSpy touchEnabled(&hw, &SystemHw::touchEnabledChanged);
    QSignalSpy touchBegin(hw.touchListener(), &TouchListener::touchBegin);
    hw.setTouchEnabled(false);
    QVERIFY(!hw.touchEnabled());
    QCOMPARE(touchEnabled.size(), 1);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QCOMPARE(window.received, 0);
    QCOMPARE(touchBegin.size(), 0);
}

void TestDeviceServices::systemStatusIsEmpty()
{
    SystemStatus status;
    const QMetaObject* meta = status.metaObject();
    QCOMPARE(meta->propertyCount() - meta->propertyOffset(), 12);
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        QCOMPARE(meta->property(i).read(&status).toString(), QString());
}

VANTOR_TEST_CLASS(TestDeviceServices)
#include "tst_deviceservices.moc"
