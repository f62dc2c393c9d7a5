#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

using namespace Vl::Tavix3::UI;

namespace {

// A table written as "time colour sound window" rows, e.g. "-10 2 4 0; -5 4 1 1".
QList<SemaInterval> parseTable(const QString& text)
{
    QList<SemaInterval> table;
    for (const QString& row : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = row.simplified().split(QLatin1Char(' '));
        table.append({ f.at(0).toLongLong(), f.at(2).toInt(), f.at(1).toInt(), f.at(3) == QLatin1String("1") });
    }
    return table;
}

void writeFile(const QString& path, const QJsonObject& object)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(object).toJson());
}

QJsonObject sequenceDocument(const QString& name, const QString& id, int intervals)
{
    QJsonArray sequence;
    for (int i = 0; i < intervals; ++i)
        sequence.append(QJsonObject {
            { "Time", i - intervals }, { "Color", 2 }, { "Sound", 1 }, { "IsFalseStartWindow", i % 2 == 1 } });
    return { { "SequenceName", name }, { "SequenceId", id }, { "Sequence", sequence } };
}

} // namespace

// The engine's sequence model: built-in tables, interval accessors, custom sequences and selection.
class TestSequenceModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void builtInTables_data();
    void builtInTables();
    void minRepetitionTime_data();
    void minRepetitionTime();
    void identifiersAndNames();
    void readingAFieldAddsNoInterval();
    void fieldSettersCreateIntervals();
    void customSequenceReplacesTheOldOne();
    void resetRestoresBuiltInTables();
    void selectionById();
    void selectionByNameFallsBackToTheFolders();
    void selectionStopsARunningSequence();
    void allSequences();
    void settingUnchangedWritesNothing();
};

void TestSequenceModel::init()
{
    QDir(FileSystemProxyModel::getCustomFolderPath()).removeRecursively();
    QDir(FileSystemProxyModel::getUsbFolderPath()).removeRecursively();
    FileSystemProxyModel::createAppDataFolders();
}

void TestSequenceModel::builtInTables_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("table");
    // Colours: 1 off, 2 red, 4 green, 5 pixel, 6 yellow pixel; sounds: 1 bip, 3 long bip, 4 long boop.
    QTest::newRow("ALPINE SKI")
        << 0 << "-10 2 4 0; -5 4 1 1; -4 4 1 1; -3 4 1 1; -2 4 1 1; -1 4 1 1; 0 4 3 1; 5 2 0 0; 10 1 0 0";
    QTest::newRow("NORDIK SKI")
        << 1 << "-10 2 4 0; -5 2 1 0; -4 2 1 1; -3 4 1 1; -2 4 1 1; -1 4 1 1; 0 4 3 1; 3 2 0 0; 10 1 0 0";
    QTest::newRow("RALLY") << 2 << "-10 2 4 0; -5 6 1 0; -4 5 1 0; -3 5 1 0; -2 5 1 0; -1 5 1 0; 0 4 3 1; 21 1 0 0";
    QTest::newRow("SHAKEDOWN") << 3 << "-10 2 4 0; -5 6 1 0; -4 5 1 0; -3 5 1 0; -2 5 1 0; -1 5 1 0; 0 4 3 1; 16 1 0 0";
    QTest::newRow("UP HILL NO COUNTDOWN") << 4 << "-10 2 4 0; 0 4 3 1; 11 1 0 0";
    QTest::newRow("UP HILL COUNTDOWN")
        << 5 << "-10 2 4 0; -5 6 1 0; -4 5 1 0; -3 5 1 0; -2 5 1 0; -1 5 1 0; 0 4 3 1; 11 1 0 0";
}

void TestSequenceModel::builtInTables()
{
    QFETCH(int, type);
    QFETCH(QString, table);
    Sema sema;
    const QList<SemaInterval> expected = parseTable(table);
    QCOMPARE(sema.intervalCount(type), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(sema.getInterval(i, type), expected.at(i));
        QCOMPARE(sema.getIntervalTime(i, type), expected.at(i).time * 50000);
    }
    const QVariantList list = sema.getListInterval(type);
    QCOMPARE(list.size(), expected.size());
    QCOMPARE(list.first().toMap().value("Time").toLongLong(), qint64(-10));
}

void TestSequenceModel::minRepetitionTime_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mode");
    QTest::addColumn<qint64>("seconds");
    const int manual = SemaEnum::SEQUENCE_MODE_MANUAL;
    const int autoMode = SemaEnum::SEQUENCE_MODE_AUTO;
    const int autostart = SemaEnum::SEQUENCE_MODE_AUTOSTART;
    QTest::newRow("ALPINE SKI") << 0 << autoMode << qint64(20);
    QTest::newRow("NORDIK SKI") << 1 << autoMode << qint64(20);
    QTest::newRow("RALLY") << 2 << autoMode << qint64(31);
    QTest::newRow("SHAKEDOWN") << 3 << autoMode << qint64(26);
    QTest::newRow("UP HILL NO COUNTDOWN") << 4 << autoMode << qint64(21);
    QTest::newRow("UP HILL COUNTDOWN") << 5 << autoMode << qint64(21);
    QTest::newRow("no custom table") << 6 << autoMode << qint64(0);
    QTest::newRow("no sequence") << 7 << autoMode << qint64(0);
    QTest::newRow("MANUAL") << 0 << manual << qint64(0);
    QTest::newRow("AUTOSTART") << 2 << autostart << qint64(0);
}

void TestSequenceModel::minRepetitionTime()
{
    QFETCH(int, type);
    QFETCH(int, mode);
    QFETCH(qint64, seconds);
    Sema sema;
    sema.setSequenceType(SemaEnum::SemaSequenceType(type));
    sema.setSequenceMode(mode);
    QCOMPARE(sema.getMinRepetitionTime(), seconds * 50000);
}

void TestSequenceModel::identifiersAndNames()
{
    Sema sema;
    QCOMPARE(sema.getIdFromSequenceType(1), QStringLiteral("26DED030-6120-417C-934F-468598800AEC"));
    QCOMPARE(sema.getNameFromSequenceType(1), QStringLiteral("NORDIK SKI"));
    QCOMPARE(sema.getIdFromSequenceType(5), QStringLiteral("F4268BDE-BCDB-4D41-B764-08B70CE3813E"));
    QVERIFY(sema.getIdFromSequenceType(6).isEmpty());
    QVERIFY(sema.getIdFromSequenceType(7).isEmpty());
    QVERIFY(sema.getNameFromSequenceType(-1).isEmpty());
    QCOMPARE(sema.getStringColor(SemaEnum::SEMA_COLOR_YELLOW_PIXEL), QStringLiteral("Yellow Pixel"));
    QVERIFY(sema.getStringColor(SemaEnum::SEMA_COLOR_ALL).isEmpty());
    QCOMPARE(sema.getStringSound(SemaEnum::NO_SEMA_SOUND), QStringLiteral("Silent"));
    QVERIFY(sema.getStringSound(SemaEnum::MAX_SEMA_SOUND).isEmpty());
}

void TestSequenceModel::readingAFieldAddsNoInterval()
{
    Sema sema;
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    const qint64 minimum = sema.getMinRepetitionTime();
    QCOMPARE(int(sema.getIntervalColor(20, 0)), 0);
    QCOMPARE(int(sema.getIntervalSound(9, 0)), 0);
    QVERIFY(!sema.getIntervalIsFalseStartWindow(9, 0));
    QCOMPARE(sema.getInterval(9, 0), SemaInterval());
    QCOMPARE(sema.getListIntervalColor(0).size(), 9);
    QCOMPARE(sema.intervalCount(0), 9);
    QCOMPARE(sema.getMinRepetitionTime(), minimum);
}

void TestSequenceModel::fieldSettersCreateIntervals()
{
    Sema sema;
    sema.setIntervalColor(9, 0, SemaEnum::SEMA_COLOR_RED);
    QCOMPARE(sema.intervalCount(0), 10);
    QCOMPARE(sema.getInterval(9, 0), (SemaInterval { 0, 0, SemaEnum::SEMA_COLOR_RED, false }));
    sema.setIntervalTime(9, 0, 12 * 50000);
    QCOMPARE(sema.getInterval(9, 0).time, qint64(12));
    sema.setInterval(0, 0, SemaInterval { -30, 1, 3, true });
    QCOMPARE(sema.getListIntervalTime(0).first().toLongLong(), qint64(-30));
    sema.resetListInterval(0);
    QCOMPARE(sema.intervalCount(0), 0);
    QCOMPARE(sema.intervalCount(1), 9);
}

void TestSequenceModel::customSequenceReplacesTheOldOne()
{
    Sema sema;
    sema.loadCustomSequence(QJsonDocument(sequenceDocument("Nine", "id-9", 9)));
    QCOMPARE(sema.intervalCount(SemaEnum::SEMA_SEQUENCE_CUSTOM), 9);
    sema.loadCustomSequence(QJsonDocument(sequenceDocument("Three", "id-3", 3)));
    QCOMPARE(sema.getListInterval(SemaEnum::SEMA_SEQUENCE_CUSTOM).size(), 3);
    QCOMPARE(sema.getInterval(1, 6), (SemaInterval { -2, 1, 2, true }));
    QCOMPARE(sema.getIdFromSequenceType(6), QStringLiteral("id-3"));
    QCOMPARE(sema.getNameFromSequenceType(6), QStringLiteral("Three"));
    QCOMPARE(sema.getSequenceType(), SemaEnum::NO_SEMA_SEQUENCE);

    // Missing and non-numeric fields read as zero.
    sema.loadCustomSequence(QJsonDocument::fromJson(R"({"Sequence":[{"Time":"x"},{}]})"));
    QCOMPARE(sema.intervalCount(6), 2);
    QCOMPARE(sema.getInterval(0, 6), SemaInterval());

    const QString path = FileSystemProxyModel::getCustomFolderPath() + "/custom.json";
    writeFile(path, sequenceDocument("Five", "id-5", 5));
    QVERIFY(sema.setCustomSequenceFromFile(path));
    QCOMPARE(sema.intervalCount(6), 5);
    QVERIFY(!sema.setCustomSequenceFromFile(FileSystemProxyModel::getCustomFolderPath() + "/missing.json"));
    QCOMPARE(sema.intervalCount(6), 5);
}

void TestSequenceModel::resetRestoresBuiltInTables()
{
    Sema sema;
    sema.loadCustomSequence(QJsonDocument(sequenceDocument("Custom", "c", 4)));
    sema.setIntervalColor(0, 2, SemaEnum::SEMA_COLOR_GREEN);
    sema.setIntervalColor(8, 2, SemaEnum::SEMA_COLOR_GREEN);
    sema.resetAllIntervals();
    QCOMPARE(int(sema.getIntervalColor(0, 2)), int(SemaEnum::SEMA_COLOR_RED));
    QCOMPARE(sema.intervalCount(2), 8);
    QCOMPARE(sema.intervalCount(6), 0);
    QCOMPARE(sema.getIdFromSequenceType(6), QStringLiteral("c"));
}

void TestSequenceModel::selectionById()
{
    Sema sema;
    QVERIFY(sema.selectSequenceById(QStringLiteral("26DED030-6120-417C-934F-468598800AEC")));
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_NORDIC_SKI);
    QCOMPARE(sema.getSelectedSequenceName(), QStringLiteral("NORDIK SKI"));
    QVERIFY(!sema.selectSequenceById(QStringLiteral("26ded030-6120-417c-934f-468598800aec")));
    QVERIFY(!sema.selectSequenceById(QString()));
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_NORDIC_SKI);

    writeFile(FileSystemProxyModel::getUsbFolderPath() + "/usb.json", sequenceDocument("Usb", "shared-id", 2));
    writeFile(
        FileSystemProxyModel::getCustomFolderPath() + "/custom.json", sequenceDocument("Internal", "shared-id", 4));
    QVERIFY(sema.selectSequenceById(QStringLiteral("shared-id")));
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_CUSTOM);
    QCOMPARE(sema.getSelectedSequenceName(), QStringLiteral("Internal"));
    QCOMPARE(sema.intervalCount(6), 4);
}

void TestSequenceModel::selectionByNameFallsBackToTheFolders()
{
    Sema sema;
    QVERIFY(sema.selectSequenceByName(QStringLiteral("RALLY")));
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_RALLY);
    QVERIFY(!sema.selectSequenceByName(QStringLiteral("NORDIC SKI")));
    writeFile(FileSystemProxyModel::getUsbFolderPath() + "/nordic.json", sequenceDocument("NORDIC SKI", "n", 3));
    QVERIFY(sema.selectSequenceByName(QStringLiteral("NORDIC SKI")));
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_CUSTOM);
    QCOMPARE(sema.getSelectedSequenceId(), QStringLiteral("n"));
}

void TestSequenceModel::selectionStopsARunningSequence()
{
    Sema sema;
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    sema.initSema(); // arms a manual sequence
    QVERIFY(sema.sequenceStatus());
    QSignalSpy spy(&sema, &Sema::sequenceStatusChanged);
    QVERIFY(!sema.selectSequenceById(QStringLiteral("unknown")));
    QVERIFY(!sema.sequenceStatus());
    QCOMPARE(spy.count(), 1);
}

void TestSequenceModel::allSequences()
{
    writeFile(FileSystemProxyModel::getCustomFolderPath() + "/a.json", sequenceDocument("Custom A", "a", 2));
    writeFile(FileSystemProxyModel::getUsbFolderPath() + "/list.json",
        QJsonObject { { "StartingListName", "L" }, { "StartingListId", "l" }, { "StartingList", QJsonArray() } });
    Sema sema;
    const QJsonArray all = sema.getAllSequences().array();
    QCOMPARE(all.size(), 7);
    for (int type = 0; type < 6; ++type) {
        const QJsonObject object = QJsonDocument::fromJson(all.at(type).toString().toUtf8()).object();
        QCOMPARE(object.value("SequenceId").toString(), sema.getIdFromSequenceType(type));
        QCOMPARE(object.value("Sequence").toArray().size(), sema.intervalCount(type));
    }
    QVERIFY(!all.at(0).toString().contains(QLatin1Char('\n')));
    const QJsonObject alpineFirst = sema.sequenceToJson(0).value("Sequence").toArray().first().toObject();
    QCOMPARE(alpineFirst,
        (QJsonObject { { "Time", -10 }, { "Color", 2 }, { "Sound", 4 }, { "IsFalseStartWindow", false } }));
    QCOMPARE(QJsonDocument::fromJson(all.at(6).toString().toUtf8()).object().value("SequenceName").toString(),
        QStringLiteral("Custom A"));
}

void TestSequenceModel::settingUnchangedWritesNothing()
{
    Sema sema;
    QSignalSpy spy(&sema, &Sema::offModeChanged);
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_BLINKING_RED);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!AppSettingsStore(QStringLiteral("Velmora"), QStringLiteral("Vantor")).contains(QStringLiteral("OffMode")));
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_ON);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(
        AppSettingsStore(QStringLiteral("Velmora"), QStringLiteral("Vantor")).value(QStringLiteral("OffMode")).toInt(),
        int(SemaEnum::SEMA_OFF_MODE_ON));
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_BLINKING_RED);
}

VANTOR_TEST_CLASS(TestSequenceModel)
#include "tst_sequencemodel.moc"
