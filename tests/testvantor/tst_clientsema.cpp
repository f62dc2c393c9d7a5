#include "app/sema.h"
#include "testsupport/testmain.h"

#include <QSignalSpy>
#include <QTest>

using Vl::Orvane::UI::Sema;
using Vl::Orvane::UI::SemaEnum;

// TestVantor's own sequence model: its built-in tables, the field access that adds missing
// intervals, the optional start values and the per-type repetition time.
class TestClientSema : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void builtInTables_data();
    void builtInTables();
    void fieldReadsAddMissingIntervals();
    void listsAndRecords();
    void names();
    void startTimeAndDate();
    void repetitionTimePerType();
    void tableRewriteKeepsHigherIndexes();
};

void TestClientSema::defaults()
{
    Sema sema(nullptr);
    QCOMPARE(sema.sequenceMode(), SemaEnum::SEQUENCE_MODE_AUTO);
    QCOMPARE(sema.offMode(), SemaEnum::SEMA_OFF_MODE_BLINKING_RED);
    QCOMPARE(sema.delayFalseStart(), 3);
    QVERIFY(sema.isShowTimeOfDay());
    QVERIFY(sema.isRestartWithNextMinute());
    QVERIFY(!sema.isCheckFalseStart());
    QCOMPARE(sema.getSequenceType(), SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    QVERIFY(!sema.startTime().isValid());
    QVERIFY(!sema.repetitionTime().isValid());

    QSignalSpy mode(&sema, &Sema::sequenceModeChanged);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    QCOMPARE(mode.count(), 1);
    QSignalSpy off(&sema, &Sema::offModeChanged);
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_ON);
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_ON);
    QCOMPARE(off.count(), 1);
}

void TestClientSema::builtInTables_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantList>("times");
    QTest::newRow("alpine") << int(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI)
                            << QVariantList { -10LL, -5LL, -4LL, -3LL, -2LL, -1LL, 0LL, 5LL, 10LL };
    QTest::newRow("nordic") << int(SemaEnum::SEMA_SEQUENCE_NORDIC_SKI)
                            << QVariantList { -10LL, -5LL, -4LL, -3LL, -2LL, -1LL, 0LL, 3LL, 10LL };
    QTest::newRow("rally 1") << int(SemaEnum::SEMA_SEQUENCE_RALLY_1)
                             << QVariantList { -10LL, -5LL, -4LL, -3LL, -2LL, -1LL, 0LL, 20LL };
    QTest::newRow("rally 2") << int(SemaEnum::SEMA_SEQUENCE_RALLY_2)
                             << QVariantList { -10LL, -5LL, -4LL, -3LL, -2LL, -1LL, 0LL, 30LL };
    QTest::newRow("personal 1") << int(SemaEnum::SEMA_SEQUENCE_PERSONAL_1) << QVariantList();
    QTest::newRow("personal 3") << int(SemaEnum::SEMA_SEQUENCE_PERSONAL_3) << QVariantList();
}

void TestClientSema::builtInTables()
{
    QFETCH(int, type);
    QFETCH(QVariantList, times);
    Sema sema(nullptr);
    QCOMPARE(sema.getListIntervalTime(type), times);
}

void TestClientSema::fieldReadsAddMissingIntervals()
{
    Sema sema(nullptr);
    const int personal = SemaEnum::SEMA_SEQUENCE_PERSONAL_1;
    // getInterval leaves nothing behind; the field reads add a zero interval.
    QCOMPARE(sema.getInterval(20, personal), Vl::Tavix3::UI::SemaInterval());
    QCOMPARE(sema.getListIntervalTime(personal), QVariantList());
    QCOMPARE(sema.getIntervalTime(20, personal), 0LL);
    QCOMPARE(sema.getListIntervalTime(personal), QVariantList { 0LL });

    sema.setIntervalColor(3, personal, SemaEnum::SEMA_COLOR_RED);
    sema.setIntervalTime(3, personal, -4);
    QCOMPARE(sema.getListIntervalTime(personal), (QVariantList { -4LL, 0LL }));
    QCOMPARE(sema.getListIntervalColor(personal), (QVariantList { 2, 0 }));
    sema.resetListInterval(personal);
    QCOMPARE(sema.getListIntervalTime(personal), QVariantList());
    QCOMPARE(sema.getListIntervalTime(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI).size(), 9);
}

void TestClientSema::listsAndRecords()
{
    Sema sema(nullptr);
    const int nordic = SemaEnum::SEMA_SEQUENCE_NORDIC_SKI;
    QCOMPARE(sema.getListIntervalColor(nordic), (QVariantList { 2, 2, 2, 4, 4, 4, 4, 2, 1 }));
    QCOMPARE(sema.getListIntervalSound(nordic), (QVariantList { 4, 1, 1, 1, 1, 1, 3, 0, 0 }));
    QCOMPARE(sema.getListIntervalIsFalseStartWindow(nordic),
        (QVariantList { false, false, true, true, true, true, true, false, false }));
    QCOMPARE(sema.getIntervalColor(1, SemaEnum::SEMA_SEQUENCE_RALLY_1), int(SemaEnum::SEMA_COLOR_YELLOW_PIXEL));

    Vl::Tavix3::UI::SemaInterval record;
    record.time = -7;
    record.color = SemaEnum::SEMA_COLOR_GREEN;
    record.sound = SemaEnum::SEMA_SOUND_BOOP;
    record.isFalseStartWindow = true;
    sema.setInterval(0, SemaEnum::SEMA_SEQUENCE_PERSONAL_2, record);
    QCOMPARE(sema.getInterval(0, SemaEnum::SEMA_SEQUENCE_PERSONAL_2), record);
    const QVariantList list = sema.getListInterval(SemaEnum::SEMA_SEQUENCE_PERSONAL_2);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0).toMap().value("Time").toLongLong(), -7LL);
    QCOMPARE(list.at(0).toMap().value("IsFalseStartWindow").toBool(), true);
}

void TestClientSema::names()
{
    Sema sema(nullptr);
    QCOMPARE(sema.getStringSequenceType(1), QStringLiteral("NORDIK SKI"));
    QCOMPARE(sema.getStringSequenceType(6), QStringLiteral("PERSONAL 3"));
    QCOMPARE(sema.getStringSequenceType(7), QString());
    QCOMPARE(sema.getStringColor(SemaEnum::SEMA_COLOR_YELLOW_PIXEL), QStringLiteral("Yellow Pixel"));
    QCOMPARE(sema.getStringColor(SemaEnum::SEMA_COLOR_ALL), QString());
    QCOMPARE(sema.getStringColor(SemaEnum::NO_SEMA_COLOR), QString());
    QCOMPARE(sema.getStringSound(SemaEnum::NO_SEMA_SOUND), QStringLiteral("Silent"));
    QCOMPARE(sema.getStringSound(SemaEnum::SemaSound(5)), QString());
}

void TestClientSema::startTimeAndDate()
{
    Sema sema(nullptr);
    QSignalSpy time(&sema, &Sema::startTimeChanged);
    sema.setStartTime(QVariant());
    QCOMPARE(time.count(), 0);
    // An empty text while absent leaves it absent, and still signals.
    sema.setStartTime(QStringLiteral(""));
    QCOMPARE(time.count(), 1);
    QVERIFY(!sema.startTime().isValid());
    sema.setStartTime(150000LL);
    QCOMPARE(sema.startTime().toLongLong(), 150000LL);
    QCOMPARE(time.count(), 2);
    sema.setStartTime(150000);
    QCOMPARE(time.count(), 2);
    sema.setStartTime(QVariant());
    QVERIFY(!sema.startTime().isValid());
    QCOMPARE(time.count(), 3);

    QSignalSpy date(&sema, &Sema::startDateChanged);
    sema.setStartDate(4320000000LL);
    QCOMPARE(sema.startDate().toLongLong(), 4320000000LL);
    QCOMPARE(date.count(), 1);
}

void TestClientSema::repetitionTimePerType()
{
    Sema sema(nullptr);
    QSignalSpy changed(&sema, &Sema::repetitionTimeChanged);
    sema.setRepetitionTime(QVariant());
    QCOMPARE(changed.count(), 0);
    sema.setRepetitionTime(3000000LL);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(sema.repetitionTime().toLongLong(), 3000000LL);

    // Changing the type changes what is read, without a signal.
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_RALLY_1);
    QVERIFY(!sema.repetitionTime().isValid());
    QCOMPARE(changed.count(), 1);
    sema.setRepetitionTime(6000000LL);
    QCOMPARE(sema.repetitionTime().toLongLong(), 6000000LL);
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    QCOMPARE(sema.repetitionTime().toLongLong(), 3000000LL);
    sema.setRepetitionTime(QStringLiteral(""));
    QVERIFY(!sema.repetitionTime().isValid());
}

void TestClientSema::tableRewriteKeepsHigherIndexes()
{
    Sema sema(nullptr);
    const int type = SemaEnum::SEMA_SEQUENCE_PERSONAL_1;
    sema.setIntervalTime(12, type, 99);
    sema.configurationRally2(type);
    const QVariantList times = sema.getListIntervalTime(type);
    QCOMPARE(times.size(), 9);
    QCOMPARE(times.last().toLongLong(), 99LL);
    QCOMPARE(times.at(7).toLongLong(), 30LL);
}

VANTOR_TEST_CLASS(TestClientSema)
#include "tst_clientsema.moc"
