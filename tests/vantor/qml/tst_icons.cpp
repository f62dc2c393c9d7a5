// Every icon the screens name exists in both icon sets, and every unthemed image they name
// exists, so that no theme shows an empty place.
#include "app/startup.h"
#include "testsupport/testmain.h"
#include "tour/readabilitycheck.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void themedIconsExistInBothSets();
    void unthemedImagesExist();
    void iconsAreReadable();
    void themedIconsStandOutFromTheirGround();

private:
    QSet<QString> m_themed;
    QSet<QString> m_unthemed;
};

void TestIcons::initTestCase()
{
    Vl::Tavix3::UI::initResources();
    // The names the screens build at run time (battery, Wi-Fi and GPS states) and those of the
    // screens that other parts of the program add.
    const QStringList known = { "uphill", "sync", "list", "setSync", "infoPiccolo", "gps_no_synced", "gps_sync",
        "gps_no", "gps_on", "gps", "gpsSatellites", "battery_1", "battery_2", "battery_3", "battery_4", "battery_5",
        "battery_1B", "battery_2B", "battery_3B", "battery_4B", "battery_5B", "rally", "ski", "custom",
        "resetToDefault", "bluetooth", "noBluetooth", "home", "close", "ok", "arrowDown", "arrowUp", "arrowLeft",
        "arrowRight", "download", "start", "pause", "settings", "settings2", "settingsSess", "exportLog", "calibrate",
        "usb", "minusPiccolo", "plusPiccolo", "wifi", "wifi_2", "wifi_3", "wifi_4", "wifi_5" };
    for (const QString& name : known)
        m_themed.insert(name);
    m_unthemed = { "BT_ok.png", "spot.png", "spot_off.png", "wait_A.png", "wait_b.png", "LogoVantor.png" };

    const QRegularExpression themed(QStringLiteral("getImage\\(\"([A-Za-z0-9_]+)\"\\)"));
    const QRegularExpression unthemed(QStringLiteral("qrc:/resources/([A-Za-z0-9_]+\\.png)"));
    int files = 0;
    QDirIterator it(QStringLiteral(":/"), { QStringLiteral("*.qml"), QStringLiteral("*.js") }, QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.fileName().startsWith(QLatin1String(":/qt-project.org")))
            continue;
        QVERIFY(file.open(QIODevice::ReadOnly));
        ++files;
        const QString text = QString::fromUtf8(file.readAll());
        auto matches = themed.globalMatch(text);
        while (matches.hasNext())
            m_themed.insert(matches.next().captured(1));
        matches = unthemed.globalMatch(text);
        while (matches.hasNext())
            m_unthemed.insert(matches.next().captured(1));
    }
    QVERIFY2(files > 20, "the screens are built into the program");
}

void TestIcons::themedIconsExistInBothSets()
{
    QStringList missing;
    for (const QString& name : qAsConst(m_themed)) {
        for (const char* set : { "Dark", "Light" }) {
            const QString path = QStringLiteral(":/resources/%1/%2.png").arg(QLatin1String(set), name);
            if (!QFile::exists(path))
                missing << path;
        }
    }
    missing.sort();
    QCOMPARE(missing, QStringList());
}

void TestIcons::unthemedImagesExist()
{
    QStringList missing;
    for (const QString& name : qAsConst(m_unthemed)) {
        if (!QFile::exists(QStringLiteral(":/resources/") + name))
            missing << name;
    }
    QCOMPARE(missing, QStringList());
}

void TestIcons::iconsAreReadable()
{
    QDirIterator it(
        QStringLiteral(":/resources"), { QStringLiteral("*.png") }, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QVERIFY2(image.hasAlphaChannel(), qPrintable(path));
        ++count;
    }
    // Fifty themed icons in each set, eight unthemed images.
    QCOMPARE(count, 2 * 50 + 8);
}

// Each set is drawn for its theme's ground, the dark grey or the bright yellow: most of what every
// icon draws stands out from it by 3:1, as the readability test asks of every icon on a screen, so
// that the states the screens show only now and then (a battery running low, a weak Wi-Fi) read too.
void TestIcons::themedIconsStandOutFromTheirGround()
{
    const QList<QPair<QString, QColor>> sets = { { QStringLiteral("Dark"), QColor(0x36, 0x36, 0x36) },
        { QStringLiteral("Light"), QColor(0xe9, 0xdd, 0x2f) } };
    QStringList faint;
    for (const auto& set : sets) {
        for (const QString& name : qAsConst(m_themed)) {
            const QString path = QStringLiteral(":/resources/%1/%2.png").arg(set.first, name);
            const QImage image(path);
            if (image.isNull())
                continue;
            const int percent = ReadabilityCheck::percentStandingOut(image, set.second, 3.0);
            if (percent < ReadabilityCheck::kIconPercent)
                faint << QStringLiteral("%1 (%2%)").arg(path).arg(percent);
        }
    }
    faint.sort();
    QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
}

VANTOR_TEST_CLASS(TestIcons)
#include "tst_icons.moc"
