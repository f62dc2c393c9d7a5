#include "core/appsettingsstore.h"
#include "enginerig.h"
#include "enginetrace.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = EngineRig::kSecond;

qlonglong timeOfDay(const QString& text) { return EngineRig::at(text) - EngineRig::day(); }

QJsonDocument startingList(const QList<QPair<int, QString>>& entries)
{
    QJsonArray list;
    for (const auto& entry : entries)
        list.append(QJsonObject { { "BibNumber", entry.first }, { "Time", entry.second } });
    return QJsonDocument(
        QJsonObject { { "StartingListName", "List" }, { "StartingListId", "list-1" }, { "StartingList", list } });
}

} // namespace

// Starting, arming, pausing and stopping a sequence; the operator and remote starts.
class TestEngineStart : public QObject
{
    Q_OBJECT

private slots:
    void autoChoosesTheFirstRunNotBegun_data();
    void autoChoosesTheFirstRunNotBegun();
    void autoNeedsStartAndRepetition_data();
    void autoNeedsStartAndRepetition();
    void manualOperatorStart_data();
    void manualOperatorStart();
    void operatorStartWhileCountingChangesNothing();
    void pauseWithoutSequenceDoesNothing();
    void pauseAndResume_data();
    void pauseAndResume();
    void autostartFollowsTheListInFileOrder();
    void autostartWithEveryEntryPast();
    void remoteStartAuto_data();
    void remoteStartAuto();
    void remoteStartManualAtAGivenTime();
    void remoteBib_data();
    void remoteBib();
    void remoteStartWithoutSequenceDoesNothing();
    void repeatedRemoteStartKeepsTheLights_data();
    void repeatedRemoteStartKeepsTheLights();
    void changingStartValuesStops_data();
    void changingStartValuesStops();
    void repetitionTimeBelowTheMinimum();
    void startDateCheck_data();
    void startDateCheck();
    void savedData();
};

void TestEngineStart::autoChoosesTheFirstRunNotBegun_data()
{
    QTest::addColumn<QString>("startTime");
    QTest::addColumn<QString>("now");
    QTest::addColumn<int>("repetition");
    QTest::addColumn<QString>("plannedStart");
    // A -10 s table: a run counts as begun once its first interval is past.
    QTest::newRow("caught up, next run") << "10:00:00"
                                         << "10:05:30.000" << 60 << "10:06:00";
    QTest::newRow("first interval just past") << "10:00:00"
                                              << "10:05:55.000" << 60 << "10:07:00";
    QTest::newRow("first interval now") << "10:00:00"
                                        << "10:04:50.000" << 60 << "10:05:00";
    QTest::newRow("start ahead") << "10:10:00"
                                 << "10:05:00.000" << 60 << "10:10:00";
    QTest::newRow("start ahead, first interval past") << "10:05:00"
                                                      << "10:04:55.000" << 30 << "10:05:30";
    QTest::newRow("long repetition") << "08:00:00"
                                     << "10:05:30.000" << 3600 << "11:00:00";
}

void TestEngineStart::autoChoosesTheFirstRunNotBegun()
{
    QFETCH(QString, startTime);
    QFETCH(QString, now);
    QFETCH(int, repetition);
    QFETCH(QString, plannedStart);

    auto rig = EngineRig::create(now);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, startTime, repetition * kSecond);
    QVERIFY(rig->sema().sequenceStatus());
    QVERIFY(!rig->sema().isOff());
    QCOMPARE(rig->sema().nextStartTime().trimmed(), plannedStart);
    QCOMPARE(rig->trace("synchro ").last().mid(21), plannedStart);
    QCOMPARE(rig->texts("info ").last().trimmed(), "info Next start: " + plannedStart);
}

void TestEngineStart::autoNeedsStartAndRepetition_data()
{
    QTest::addColumn<QVariant>("startTime");
    QTest::addColumn<QVariant>("startDate");
    QTest::addColumn<QVariant>("repetition");
    const QVariant time(timeOfDay("10:10:00"));
    const QVariant date(EngineRig::day());
    QTest::newRow("no start time") << QVariant() << date << QVariant(60 * kSecond);
    QTest::newRow("no start date") << time << QVariant() << QVariant(60 * kSecond);
    QTest::newRow("no repetition") << time << date << QVariant();
    // A repetition time of zero or less would divide by zero and never end a run.
    QTest::newRow("zero repetition") << time << date << QVariant(0);
    QTest::newRow("negative repetition") << time << date << QVariant(-5 * kSecond);
}

void TestEngineStart::autoNeedsStartAndRepetition()
{
    QFETCH(QVariant, startTime);
    QFETCH(QVariant, startDate);
    QFETCH(QVariant, repetition);

    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setStartTime(startTime);
    sema.setStartDate(startDate);
    sema.setRepetitionTime(QVariant());
    if (repetition.isValid())
        sema.loadRepetitionTime(repetition.toLongLong());
    QSignalSpy status(&sema, &Sema::sequenceStatusChanged);
    sema.setSequenceStatus(true);
    QVERIFY(!sema.sequenceStatus());
    QCOMPARE(status.count(), 1);
    QCOMPARE(rig->texts("info "), QStringList { "info Please insert start time and repetition time" });
    rig->runUntil("10:00:30.000");
    QVERIFY(rig->trace({ "tone ", "synchro 1" }).isEmpty());
}

void TestEngineStart::manualOperatorStart_data()
{
    QTest::addColumn<bool>("restartWithNextMinute");
    QTest::addColumn<QString>("pressedAt");
    QTest::addColumn<QString>("plannedStart");
    QTest::addColumn<QString>("tones");
    QTest::newRow("next minute") << true << "10:00:37.000"
                                 << "10:01:00"
                                 << "10:00:37 2000 300; 10:00:50 460 1000";
    // Past intervals fire at once, one group per tick.
    QTest::newRow("next minute, late")
        << true << "10:00:55.000"
        << "10:01:00"
        << "10:00:55 460 1000; 10:00:55 2000 300; 10:00:55.100 922 300; 10:00:56 922 300";
    QTest::newRow("at once") << false << "10:00:37.300"
                             << "10:00:48"
                             << "10:00:37.300 2000 300; 10:00:38 460 1000";
}

void TestEngineStart::manualOperatorStart()
{
    QFETCH(bool, restartWithNextMinute);
    QFETCH(QString, pressedAt);
    QFETCH(QString, plannedStart);
    QFETCH(QString, tones);

    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setIsRestartWithNextMinute(restartWithNextMinute);
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    sema.setSequenceStatus(true);
    QVERIFY(sema.isOff());
    rig->runUntil(pressedAt);
    rig->clearTrace();
    sema.setActivationTime(false);
    QVERIFY(!sema.isOff());
    QCOMPARE(sema.nextStartTime().trimmed(), plannedStart);
    rig->runUntil(EngineRig::at(pressedAt) + (tones.count(';') > 1 ? 1 : 13) * kSecond);
    QVERIFY(timetable(*rig, "tone ").startsWith(tones));
}

void TestEngineStart::operatorStartWhileCountingChangesNothing()
{
    auto rig = EngineRig::create("10:00:37.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    sema.setSequenceStatus(true);
    sema.setActivationTime(false);
    rig->runUntil("10:00:45.000");
    rig->clearTrace();
    sema.setActivationTime(false);
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:01:00"));
    QVERIFY(rig->trace({ "tone ", "synchro " }).isEmpty());
}

void TestEngineStart::pauseWithoutSequenceDoesNothing()
{
    auto rig = EngineRig::create("10:00:00.000");
    QSignalSpy off(&rig->sema(), &Sema::isOffChanged);
    rig->sema().changePause();
    rig->sema().setIsOff(false);
    QCOMPARE(off.count(), 0);
    QVERIFY(rig->sema().isOff());
}

void TestEngineStart::pauseAndResume_data()
{
    QTest::addColumn<bool>("restartWithNextMinute");
    QTest::addColumn<QString>("resumedAt");
    QTest::addColumn<QString>("plannedStart");
    // Resumed at 10:00:30 with a 60 s repetition counted from 09:59:00.
    QTest::newRow("from the next minute") << true << "10:00:30.000"
                                          << "10:01:00";
    QTest::newRow("from the next minute, its first interval past") << true << "10:00:55.000"
                                                                   << "10:02:00";
    QTest::newRow("on the old grid") << false << "10:00:30.000"
                                     << "10:01:00";
    QTest::newRow("on the old grid, first interval past") << false << "10:00:51.000"
                                                          << "10:02:00";
}

void TestEngineStart::pauseAndResume()
{
    QFETCH(bool, restartWithNextMinute);
    QFETCH(QString, resumedAt);
    QFETCH(QString, plannedStart);

    auto rig = EngineRig::create("09:59:45.000");
    Sema& sema = rig->sema();
    sema.setIsRestartWithNextMinute(restartWithNextMinute);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "09:59:00", 60 * kSecond);
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:00:00"));
    rig->runUntil("10:00:02.000");
    const auto event = rig->sendEvent(EngineRig::at("10:00:01.000"), 1);
    rig->clearTrace();

    QSignalSpy off(&sema, &Sema::isOffChanged);
    sema.changePause();
    QVERIFY(sema.isOff());
    QVERIFY(sema.sequenceStatus());
    QCOMPARE(off.count(), 1);
    // The run's start events are written when it is paused.
    QCOMPARE(rig->texts("log "), QStringList({ "log ch9 10:00:00.000", "log ch1 10:00:01.000 skipped scart" }));
    QCOMPARE(rig->texts("synchro "), QStringList { "synchro -" });
    rig->runUntil(resumedAt);
    QVERIFY(rig->trace("tone ").isEmpty());

    sema.changePause();
    QVERIFY(!sema.isOff());
    QCOMPARE(sema.nextStartTime().trimmed(), plannedStart);
    if (restartWithNextMinute) {
        const qint64 next = (EngineRig::at(resumedAt) / DateTime::QMIN1 + 1) * DateTime::QMIN1;
        QCOMPARE(sema.startTime().toLongLong(), next - EngineRig::day());
        QCOMPARE(sema.startDate().toLongLong(), EngineRig::day());
    } else {
        QCOMPARE(sema.startTime().toLongLong(), timeOfDay("09:59:00"));
    }
}

void TestEngineStart::autostartFollowsTheListInFileOrder()
{
    auto rig = EngineRig::create("10:01:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTOSTART);
    // The second entry is earlier than the first: it comes only when the first is past.
    QVERIFY(sema.setStartingList(
        startingList({ { 5, "10:02:00" }, { 3, "10:01:30" }, { 7, "10:03:00" }, { 9, "10:00:30" } })));
    QCOMPARE(sema.startListName(), QStringLiteral("List"));
    QCOMPARE(sema.bibNumber(), QStringLiteral("5"));
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:02:00"));

    rig->runUntil("10:02:13.000");
    QCOMPARE(sema.bibNumber(), QStringLiteral("7"));
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:03:00"));
    QCOMPARE(rig->texts("event "), QStringList { "event ch9 10:02:00.000 bib5 auto" });

    rig->runUntil("10:03:13.000");
    QVERIFY(sema.bibNumber().isEmpty());
    QVERIFY(sema.nextStartTime().isEmpty());
    QVERIFY(sema.isOff());
    QVERIFY(sema.sequenceStatus());
    QCOMPARE(rig->texts("event ").last(), QStringLiteral("event ch9 10:03:00.000 bib7 auto"));
}

void TestEngineStart::autostartWithEveryEntryPast()
{
    auto rig = EngineRig::create("11:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_RALLY);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTOSTART);
    QSignalSpy bib(&sema, &Sema::bibNumberChanged);
    QSignalSpy next(&sema, &Sema::nextStartTimeChanged);
    QVERIFY(sema.setStartingList(startingList({ { 1, "10:00:00" }, { 2, "10:30:00" }, { 3, "11:00:00" } })));
    QVERIFY(sema.isOff());
    QVERIFY(sema.sequenceStatus());
    QVERIFY(sema.bibNumber().isEmpty());
    QVERIFY(sema.nextStartTime().isEmpty());
    QVERIFY(bib.count() >= 1);
    QVERIFY(next.count() >= 1);
    rig->runUntil("11:01:00.000");
    QVERIFY(rig->trace({ "tone ", "event " }).isEmpty());
}

void TestEngineStart::remoteStartAuto_data()
{
    QTest::addColumn<qlonglong>("repetition");
    QTest::addColumn<bool>("started");
    QTest::newRow("valid") << 60 * kSecond << true;
    QTest::newRow("the minimum") << 20 * kSecond << true;
    QTest::newRow("below the minimum") << 15 * kSecond << false;
    QTest::newRow("zero") << qlonglong(0) << false;
    QTest::newRow("negative") << -60 * kSecond << false;
}

void TestEngineStart::remoteStartAuto()
{
    QFETCH(qlonglong, repetition);
    QFETCH(bool, started);

    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    QSignalSpy mode(&sema, &Sema::sequenceModeChanged);
    sema.setRemoteStartSequence(
        SemaEnum::SEQUENCE_MODE_AUTO, timeOfDay("10:05:00"), EngineRig::day(), repetition, QVariant(12));
    QCOMPARE(mode.count(), 1);
    QCOMPARE(sema.sequenceStatus(), started);
    // The start values are written whether or not the start is accepted.
    QCOMPARE(sema.startTime().toLongLong(), timeOfDay("10:05:00"));
    QCOMPARE(sema.startDate().toLongLong(), EngineRig::day());
    QCOMPARE(sema.bibNumber(), QStringLiteral("12"));
    if (started) {
        QCOMPARE(sema.repetitionTime().toLongLong(), repetition);
        QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:05:00"));
        QVERIFY(rig->trace("box ").isEmpty());
        // A bib given remotely is fixed: the end of a run keeps it.
        rig->runUntil("10:05:12.000");
        QCOMPARE(sema.bibNumber(), QStringLiteral("12"));
    } else {
        QCOMPARE(rig->texts("box ").size(), 1);
        QVERIFY(rig->texts("box ").first().startsWith("box Repetition time is not valid\nThe minimum time is "));
        QVERIFY(rig->texts("box ").first().contains("00:00:20"));
        rig->runUntil("10:06:00.000");
        QVERIFY(rig->trace("tone ").isEmpty());
    }
}

void TestEngineStart::remoteStartManualAtAGivenTime()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    QSignalSpy status(&sema, &Sema::sequenceStatusChanged);
    sema.setRemoteStartSequence(
        SemaEnum::SEQUENCE_MODE_MANUAL, timeOfDay("10:00:30.000"), boost::none, boost::none, QVariant());
    QCOMPARE(status.count(), 1);
    // A remote start with a time starts at exactly that time.
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:00:30"));
    rig->runUntil("10:00:31.000");
    QCOMPARE(timetable(*rig, "tone ").left(36), QStringLiteral("10:00:00 2000 300; 10:00:20 460 1000"));
}

void TestEngineStart::remoteBib_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QVariant>("bib");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("announced");
    QTest::newRow("number") << int(SemaEnum::SEQUENCE_MODE_MANUAL) << QVariant(42) << "42" << true;
    QTest::newRow("number as text") << int(SemaEnum::SEQUENCE_MODE_MANUAL) << QVariant("17") << "17" << true;
    QTest::newRow("not a number") << int(SemaEnum::SEQUENCE_MODE_MANUAL) << QVariant("abc") << "" << true;
    QTest::newRow("unchanged") << int(SemaEnum::SEQUENCE_MODE_MANUAL) << QVariant(1) << "1" << false;
    QTest::newRow("none given") << int(SemaEnum::SEQUENCE_MODE_MANUAL) << QVariant() << "1" << false;
    QTest::newRow("AUTOSTART ignores it") << int(SemaEnum::SEQUENCE_MODE_AUTOSTART) << QVariant(42) << "1" << false;
}

void TestEngineStart::remoteBib()
{
    QFETCH(int, mode);
    QFETCH(QVariant, bib);
    QFETCH(QString, shown);
    QFETCH(bool, announced);

    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.initSema();
    QSignalSpy spy(&sema, &Sema::bibNumberChanged);
    sema.setRemoteStartSequence(mode, boost::none, boost::none, boost::none, bib);
    QCOMPARE(sema.bibNumber(), shown);
    QCOMPARE(spy.count(), announced ? 1 : 0);
}

void TestEngineStart::remoteStartWithoutSequenceDoesNothing()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    QSignalSpy mode(&sema, &Sema::sequenceModeChanged);
    sema.setRemoteStartSequence(
        SemaEnum::SEQUENCE_MODE_MANUAL, timeOfDay("10:00:30"), boost::none, boost::none, QVariant(3));
    QCOMPARE(mode.count(), 0);
    QVERIFY(sema.bibNumber().isEmpty());
    QVERIFY(rig->trace("reset").isEmpty());
}

void TestEngineStart::repeatedRemoteStartKeepsTheLights_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("MANUAL") << int(SemaEnum::SEQUENCE_MODE_MANUAL);
    QTest::newRow("AUTO") << int(SemaEnum::SEQUENCE_MODE_AUTO);
}

// The same remote start again while the countdown runs changes nothing: the board is not
// cleared and the light in force stays lit until its own end.
void TestEngineStart::repeatedRemoteStartKeepsTheLights()
{
    QFETCH(int, mode);
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    const auto start = [&sema, mode]() {
        sema.setRemoteStartSequence(
            mode, timeOfDay("10:00:30"), EngineRig::day(), 60 * kSecond, QVariant(7));
    };
    start();
    rig->runUntil("10:00:24.000");
    QVERIFY(sema.sequenceStatus());
    const QVariantList lit = rig->displayboard().pixels();
    QVERIFY(std::any_of(lit.cbegin(), lit.cend(), [](const QVariant& pixel) { return pixel.toInt() != 0; }));
    rig->clearTrace();

    start();
    QCOMPARE(rig->trace(QStringList { "reset", "lights" }), QStringList());
    rig->runUntil("10:00:24.900");
    QCOMPARE(rig->displayboard().pixels(), lit);
    QCOMPARE(rig->trace(QStringList { "reset", "lights" }), QStringList());
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:00:30"));
    QCOMPARE(sema.bibNumber(), QStringLiteral("7"));
}

void TestEngineStart::changingStartValuesStops_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("start time") << "startTime" << QVariant(timeOfDay("11:00:00"));
    QTest::newRow("start date") << "startDate" << QVariant(EngineRig::day() + DateTime::kTicksPerDay);
    QTest::newRow("repetition time") << "repetitionTime" << QVariant(120 * kSecond);
    QTest::newRow("sequence mode") << "sequenceMode" << QVariant(int(SemaEnum::SEQUENCE_MODE_MANUAL));
}

// Changing a start value stops a running sequence: the band clears and the run's start events
// go to the events log.
void TestEngineStart::changingStartValuesStops()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);

    auto rig = EngineRig::create("09:59:45.000");
    Sema& sema = rig->sema();
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "10:00:00", 60 * kSecond);
    rig->runUntil("10:00:02.000");
    rig->clearTrace();
    QSignalSpy status(&sema, &Sema::sequenceStatusChanged);
    QVERIFY(sema.setProperty(property.toLatin1().constData(), value));
    QVERIFY(!sema.sequenceStatus());
    QCOMPARE(status.count(), 1);
    QCOMPARE(rig->texts("log "), QStringList { "log ch9 10:00:00.000" });
    QVERIFY(rig->texts("time ").contains("time -"));
    rig->runUntil("10:00:10.000");
    QVERIFY(rig->trace("tone ").isEmpty());
}

void TestEngineStart::repetitionTimeBelowTheMinimum()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_RALLY);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    sema.setRepetitionTime(QVariant(20 * kSecond));
    QSignalSpy repetition(&sema, &Sema::repetitionTimeChanged);
    sema.checkRepetitionTime();
    QCOMPARE(rig->texts("box ").size(), 1);
    QVERIFY(rig->texts("box ").first().contains("00:00:31"));
    QVERIFY(!sema.repetitionTime().isValid());
    QCOMPARE(repetition.count(), 1);
    QCOMPARE(rig->repetitionTimes[0], qint64(0));
}

void TestEngineStart::startDateCheck_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("result");
    const qint64 day = EngineRig::day();
    QTest::newRow("none") << QVariant() << false << false << true;
    QTest::newRow("empty text") << QVariant(QString()) << false << false << true;
    QTest::newRow("today") << QVariant(day) << false << false << true;
    QTest::newRow("tomorrow") << QVariant(day + DateTime::kTicksPerDay) << false << false << true;
    QTest::newRow("the stored date") << QVariant(day - 3 * DateTime::kTicksPerDay) << false << false << true;
    QTest::newRow("yesterday, confirmed") << QVariant(day - DateTime::kTicksPerDay) << true << true << true;
    QTest::newRow("yesterday, refused") << QVariant(day - DateTime::kTicksPerDay) << false << true << false;
}

void TestEngineStart::startDateCheck()
{
    QFETCH(QVariant, value);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, result);
    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().setStartDate(QVariant(EngineRig::day() - 3 * DateTime::kTicksPerDay));
    rig->confirmAnswer = answer;
    QCOMPARE(rig->sema().checkStartDate(value), result);
    QCOMPARE(rig->texts("confirm ").size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(rig->texts("confirm ").first(), QStringLiteral("confirm The date is earlier than the current date"));
}

void TestEngineStart::savedData()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    AppSettingsStore store(QStringLiteral("Velmora"), QStringLiteral("Vantor"));

    // Nothing saved: nothing changes.
    sema.loadSavedData();
    QCOMPARE(sema.sequenceMode(), SemaEnum::SEQUENCE_MODE_AUTO);
    QCOMPARE(rig->repetitionTimes[1], qint64(3000000));

    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTOSTART);
    rig->repetitionTimes[0] = 45 * kSecond;
    sema.saveCurrentData();
    QCOMPARE(store.value("SavedSequenceMode").toInt(), 2);
    QCOMPARE(store.value("SavedRepetitionTime1").toLongLong(), 45 * kSecond);

    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    rig->repetitionTimes[0] = 90 * kSecond;
    QSignalSpy mode(&sema, &Sema::sequenceModeChanged);
    sema.loadSavedData();
    QCOMPARE(sema.sequenceMode(), SemaEnum::SEQUENCE_MODE_AUTOSTART);
    QCOMPARE(mode.count(), 0);
    QCOMPARE(rig->repetitionTimes[0], 45 * kSecond);
    QVERIFY(!store.contains("SavedSequenceMode"));
    QVERIFY(!store.contains("SavedRepetitionTime3"));
    // Loading restores the mode silently, without writing the mode's own key.
    QCOMPARE(store.value("SequenceMode").toInt(), int(SemaEnum::SEQUENCE_MODE_MANUAL));
}

VANTOR_TEST_CLASS(TestEngineStart)
#include "tst_enginestart.moc"
