#include "events/event.h"
#include "events/eventgenerator.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Vl::Tavix3::UI;

Q_DECLARE_METATYPE(EventGenerator::EventGeneratorType)

// The event record and the generator of the emulated timing inputs.
class TestEventRecord : public QObject
{
    Q_OBJECT

private slots:
    void newRecordDefaults();
    void recordTravelsInVariant();
    void generator_data();
    void generator();
    void generatorStampsTheClock();
};

void TestEventRecord::newRecordDefaults()
{
    const EntityPtr<Event> first = EntityPtr<Event>::create();
    const EntityPtr<Event> second = EntityPtr<Event>::create();
    const QRegularExpression uuid(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    QVERIFY2(uuid.match(first->id).hasMatch(), qPrintable(first->id));
    QVERIFY2(uuid.match(second->id).hasMatch(), qPrintable(second->id));
    QVERIFY(first->id != second->id);
    QVERIFY(!first->bibNumber);
    QCOMPARE(first->ticks, qint64(0));
    QCOMPARE(first->physicalChannel, qint64(0));
    QVERIFY(!first->isSkipped && !first->isAuto && !first->isScartIn);
}

void TestEventRecord::recordTravelsInVariant()
{
    const EntityPtr<Event> event = EntityPtr<Event>::create();
    event->physicalChannel = qint64(1) << 40;
    const QVariant wrapped = QVariant::fromValue(event);
    const auto unwrapped = wrapped.value<EntityPtr<Event>>();
    QCOMPARE(unwrapped.data(), event.data()); // the one record, shared, not copied
    QCOMPARE(unwrapped->physicalChannel, qint64(1) << 40);
}

void TestEventRecord::generator_data()
{
    QTest::addColumn<EventGenerator::EventGeneratorType>("type");
    QTest::addColumn<int>("expected");
    QTest::newRow("start line") << EventGenerator::EVT_GEN_TYPE_START_LINE << 1;
    QTest::newRow("lap line") << EventGenerator::EVT_GEN_TYPE_LAP_LINE << 2;
    QTest::newRow("start key") << EventGenerator::EVT_GEN_TYPE_START_KEY << 5;
    QTest::newRow("aux key") << EventGenerator::EVT_GEN_TYPE_AUX_KEY << 8;
    QTest::newRow("radio start") << EventGenerator::EVT_GEN_TYPE_RADIO_START << 176;
    QTest::newRow("radio lap 14") << EventGenerator::EVT_GEN_TYPE_RADIO_LAP14 << 190;
    QTest::newRow("radio stop") << EventGenerator::EVT_GEN_TYPE_RADIO_STOP << 191;
    QTest::newRow("none is not rejected") << EventGenerator::EVT_GEN_TYPE_NONE << 0;
}

void TestEventRecord::generator()
{
    QFETCH(EventGenerator::EventGeneratorType, type);
    QFETCH(int, expected);
    EventGenerator generator;
    QSignalSpy spy(&generator, &EventGenerator::signalEvent);
    generator.generateEvent(type, true);
    generator.generateEvent(type, false);
    QCOMPARE(spy.count(), 2);
    const auto pressed = spy.at(0).at(0).value<TuMessages::EventInput>();
    const auto released = spy.at(1).at(0).value<TuMessages::EventInput>();
    QCOMPARE(int(pressed.type()), expected);
    QCOMPARE(int(released.type()), expected);
    QCOMPARE(pressed.edge(), TuMessages::EDGE_FALLING);
    QCOMPARE(released.edge(), TuMessages::EDGE_RISING);
    QCOMPARE(pressed.eventid(), 2147483647u);
    QCOMPARE(released.eventid(), EVENT_ID_NONE);

    // The radio codes are no EventType value and survive a copy.
    TuMessages::EventInput copy(released);
    QCOMPARE(int(copy.type()), expected);
}

void TestEventRecord::generatorStampsTheClock()
{
    EventGenerator generator;
    QSignalSpy spy(&generator, &EventGenerator::signalEvent);
    qint64 now = 85985280000000 + 2266939500;
    DateTime::setClock([&now]() { return now; });
    generator.generateEvent(EventGenerator::EVT_GEN_TYPE_START_LINE, true);
    now += 250;
    generator.generateEvent(EventGenerator::EVT_GEN_TYPE_START_LINE, false);
    DateTime::resetClock();
    QCOMPARE(spy.at(0).at(0).value<TuMessages::EventInput>().ticks(), 85985280000000 + 2266939500);
    QCOMPARE(spy.at(1).at(0).value<TuMessages::EventInput>().ticks(), 85985280000000 + 2266939750);

    // The real clock counts whole milliseconds.
    generator.generateEvent(EventGenerator::EVT_GEN_TYPE_START_LINE, true);
    QCOMPARE(spy.at(2).at(0).value<TuMessages::EventInput>().ticks() % 50, qint64(0));
}

VANTOR_TEST_CLASS(TestEventRecord)
#include "tst_eventrecord.moc"
