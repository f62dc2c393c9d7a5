#include "core/utils.h"
#include "events/eventgenerator.h"
#include "events/handleevents.h"
#include "fakeeventshost.h"
#include "testsupport/testmain.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>

using namespace Vl::Tavix3::UI;

namespace {

// One input of a script: channel (the timing-unit type), time, edge and identifier.
struct Input
{
    int channel = 1;
    qint64 ticks = 0;
    TuMessages::EventEdgeType edge = TuMessages::EDGE_FALLING;
    quint32 id = EVENT_ID_NONE;
};

// A time of day in 2024, so that the first edge of a channel lies far from "nothing seen" (0).
constexpr qint64 T = 85984560000000;

TuMessages::EventInput makeInput(const Input& in)
{
    TuMessages::EventInput input;
    input.set_eventid(in.id);
    input.set_ticks(in.ticks);
    input.set_type(static_cast<TuMessages::EventType>(in.channel));
    input.set_edge(in.edge);
    return input;
}

// What reached the engine, one "channel:ticks:F|R" per published event.
QStringList published(const QSignalSpy& spy)
{
    QStringList result;
    for (const QList<QVariant>& arguments : spy) {
        const auto event = arguments.at(0).value<EntityPtr<Event>>();
        result << QStringLiteral("%1:%2:%3")
                      .arg(event->physicalChannel)
                      .arg(event->ticks)
                      .arg(arguments.at(1).toBool() ? QLatin1Char('F') : QLatin1Char('R'));
    }
    return result;
}

QString out(int channel, qint64 ticks, bool falling = true)
{
    return QStringLiteral("%1:%2:%3").arg(channel).arg(ticks).arg(falling ? QLatin1Char('F') : QLatin1Char('R'));
}

} // namespace

Q_DECLARE_METATYPE(QVector<Input>)

// The event worker's filter, fed with explicit tick values through a fake host.
class TestHandleEvents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filter_data();
    void filter();
    void synchroInstant_data();
    void synchroInstant();
    void captureTakesOnePulse_data();
    void captureTakesOnePulse();
    void captureOrderCheckBeforeTest();
    void synchroMenuDropsOnlyFallingEdges();
    void pauseDropsEverything();
    void withoutHostNothingIsPublished();
    void failureDropsOnlyThatInput();
    void everyInputGetsItsOwnRecord();
    void btConnectList();
    void threadLife();

private:
    void feed(const QVector<Input>& inputs);

    std::shared_ptr<FakeEventsHost> m_host;
    std::unique_ptr<HandleEvents> m_worker;
    std::unique_ptr<QSignalSpy> m_events;
    std::unique_ptr<QSignalSpy> m_synchro;
};

void TestHandleEvents::init()
{
    m_host = std::make_shared<FakeEventsHost>();
    m_worker = std::make_unique<HandleEvents>();
    std::shared_ptr<FakeEventsHost> host = m_host;
    m_worker->setHostProvider([host]() { return host; });
    m_events = std::make_unique<QSignalSpy>(m_host.get(), &FakeEventsHost::eventReceived);
    m_synchro = std::make_unique<QSignalSpy>(m_host.get(), &FakeEventsHost::synchroEvent);
}

void TestHandleEvents::cleanup()
{
    m_events.reset();
    m_synchro.reset();
    m_worker.reset();
    m_host.reset();
}

void TestHandleEvents::feed(const QVector<Input>& inputs)
{
    for (const Input& in : inputs)
        m_worker->eventInputReceived(makeInput(in));
}

void TestHandleEvents::filter_data()
{
    using E = TuMessages::EventEdgeType;
    const E F = TuMessages::EDGE_FALLING;
    const E R = TuMessages::EDGE_RISING;
    const E U = TuMessages::EDGE_UNDEFINED;
    QTest::addColumn<QVector<Input>>("inputs");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first falling edge of a channel") << QVector<Input> { { 1, T } } << QStringList { out(1, T) };
    QTest::newRow("2500 ticks after: bounce")
        << QVector<Input> { { 1, T }, { 1, T + 2500 } } << QStringList { out(1, T) };
    QTest::newRow("2505 ticks after: new event")
        << QVector<Input> { { 1, T }, { 1, T + 2505 } } << QStringList { out(1, T), out(1, T + 2505) };
    QTest::newRow("2504 ticks after is 2500 once truncated")
        << QVector<Input> { { 1, T }, { 1, T + 2504 } } << QStringList { out(1, T) };
    QTest::newRow("55 ticks before: accepted")
        << QVector<Input> { { 1, T }, { 1, T - 55 } } << QStringList { out(1, T), out(1, T - 55) };
    QTest::newRow("50 ticks before: dropped")
        << QVector<Input> { { 1, T }, { 1, T - 50 } } << QStringList { out(1, T) };
    QTest::newRow("a dropped bounce does not move the reference")
        << QVector<Input> { { 1, T }, { 1, T + 2000 }, { 1, T + 2600 } } << QStringList { out(1, T), out(1, T + 2600) };
    QTest::newRow("debounce is per channel")
        << QVector<Input> { { 1, T }, { 2, T + 10 }, { 1, T + 20 } } << QStringList { out(1, T), out(2, T + 10) };
    QTest::newRow("rising edges are never debounced") << QVector<Input> { { 1, T }, { 1, T + 10, R },
        { 1, T + 20, R } } << QStringList { out(1, T), out(1, T + 10, false), out(1, T + 20, false) };
    QTest::newRow("rising edges keep their ticks")
        << QVector<Input> { { 2, T + 3, R } } << QStringList { out(2, T + 3, false) };
    QTest::newRow("undefined edge counts as falling")
        << QVector<Input> { { 3, T, U }, { 3, T + 100, U } } << QStringList { out(3, T) };
    QTest::newRow("truncation of positive and negative times")
        << QVector<Input> { { 1, 1234567 }, { 1, -7 } } << QStringList { out(1, 1234565), out(1, -5) };
    QTest::newRow("wide channels pass unchanged") << QVector<Input> { { 190, T }, { 521, T }, { 167, T + 1 } }
                                                  << QStringList { out(190, T), out(521, T), out(167, T) };

    QTest::newRow("repeated identifier dropped")
        << QVector<Input> { { 1, T, F, 7 }, { 2, T + 100000, F, 7 } } << QStringList { out(1, T) };
    QTest::newRow("identifier repeated after another passes")
        << QVector<Input> { { 1, T, F, 7 }, { 2, T + 100000, F, 8 }, { 3, T + 200000, F, 7 } }
        << QStringList { out(1, T), out(2, T + 100000), out(3, T + 200000) };
    QTest::newRow("a debounced input still counts as seen")
        << QVector<Input> { { 1, T, F, 5 }, { 1, T + 10, F, 6 }, { 2, T + 20000, F, 6 } } << QStringList { out(1, T) };
    QTest::newRow("no identifier is never a duplicate")
        << QVector<Input> { { 1, T }, { 2, T }, { 3, T } } << QStringList { out(1, T), out(2, T), out(3, T) };
    QTest::newRow("no identifier leaves the last one in place") << QVector<Input> { { 1, T, F, 7 }, { 2, T + 100000 },
        { 3, T + 200000, F, 7 } } << QStringList { out(1, T), out(2, T + 100000) };
    QTest::newRow("duplicate rising edge dropped too")
        << QVector<Input> { { 1, T, R, 9 }, { 1, T + 10, R, 9 } } << QStringList { out(1, T, false) };
}

void TestHandleEvents::filter()
{
    QFETCH(QVector<Input>, inputs);
    QFETCH(QStringList, expected);
    feed(inputs);
    QCOMPARE(published(*m_events), expected);
    QCOMPARE(m_synchro->count(), 0);
}

void TestHandleEvents::synchroInstant_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<bool>("rising");
    QTest::addColumn<bool>("passes");

    QTest::newRow("start line 4 before") << 1 << qint64(-4) << false << false;
    QTest::newRow("start line 4 after") << 1 << qint64(4) << false << false;
    QTest::newRow("start line at the instant, rising") << 1 << qint64(0) << true << false;
    QTest::newRow("start line 5 after") << 1 << qint64(5) << false << true;
    QTest::newRow("start line 5 before") << 1 << qint64(-5) << false << true;
    QTest::newRow("lap line at the instant") << 2 << qint64(0) << false << true;
    QTest::newRow("start key at the instant") << 5 << qint64(0) << false << true;
}

void TestHandleEvents::synchroInstant()
{
    QFETCH(int, channel);
    QFETCH(qint64, offset);
    QFETCH(bool, rising);
    QFETCH(bool, passes);
    const qint64 instant = T + 1000000;
    m_host->synchroAt = instant;
    feed({ { channel, instant + offset, rising ? TuMessages::EDGE_RISING : TuMessages::EDGE_FALLING } });
    QCOMPARE(m_events->count(), passes ? 1 : 0);

    m_host->synchroAt = boost::none;
    feed({ { 1, instant + 4, TuMessages::EDGE_RISING } });
    QCOMPARE(m_events->count(), passes ? 2 : 1);
}

void TestHandleEvents::captureTakesOnePulse_data()
{
    QTest::addColumn<bool>("check");
    QTest::newRow("check synchronisation") << true;
    QTest::newRow("test synchronisation") << false;
}

void TestHandleEvents::captureTakesOnePulse()
{
    QFETCH(bool, check);
    feed({ { 1, T } });
    (check ? m_host->checkSynchro : m_host->testSynchro) = true;

    // The pulse: captured with its raw time, not published, flag cleared.
    feed({ { 1, T + 3002 } });
    QCOMPARE(m_host->beeps.load(), 1);
    QCOMPARE(m_synchro->count(), 1);
    QCOMPARE(m_synchro->at(0).at(0).toUInt(), 1u);
    QCOMPARE(m_synchro->at(0).at(1).toLongLong(), T + 3002);
    QVERIFY(!m_host->checkSynchro && !m_host->testSynchro);
    QCOMPARE(published(*m_events), QStringList { out(1, T) });

    // The next edge is debounced against the last accepted one (T), not against the pulse.
    feed({ { 1, T + 3100 } });
    QCOMPARE(m_synchro->count(), 1);
    QCOMPARE(m_host->beeps.load(), 1);
    QCOMPARE(published(*m_events), (QStringList { out(1, T), out(1, T + 3100) }));
}

void TestHandleEvents::captureOrderCheckBeforeTest()
{
    m_host->checkSynchro = true;
    m_host->testSynchro = true;
    feed({ { 4, T } });
    QVERIFY(!m_host->checkSynchro);
    QVERIFY(m_host->testSynchro);
    feed({ { 4, T + 50000, TuMessages::EDGE_RISING } }); // rising edges are never captured
    QVERIFY(m_host->testSynchro);
    feed({ { 4, T + 100000 } });
    QVERIFY(!m_host->testSynchro);
    QCOMPARE(m_synchro->count(), 2);
    QCOMPARE(m_host->beeps.load(), 2);
    QCOMPARE(published(*m_events), QStringList { out(4, T + 50000, false) });
}

void TestHandleEvents::synchroMenuDropsOnlyFallingEdges()
{
    m_host->inSynchroMenu = true;
    feed({ { 1, T }, { 1, T + 100000, TuMessages::EDGE_RISING }, { 2, T + 200000 } });
    QCOMPARE(published(*m_events), QStringList { out(1, T + 100000, false) });

    // A dropped edge leaves no trace in the debounce.
    m_host->inSynchroMenu = false;
    feed({ { 2, T + 200010 } });
    QCOMPARE(published(*m_events), (QStringList { out(1, T + 100000, false), out(2, T + 200010) }));
}

void TestHandleEvents::pauseDropsEverything()
{
    m_worker->suspendEvents();
    QVERIFY(m_worker->isPaused());
    m_host->checkSynchro = true;
    feed({ { 1, T }, { 2, T, TuMessages::EDGE_RISING }, { 3, T, TuMessages::EDGE_FALLING, 11 } });
    QCOMPARE(m_events->count(), 0);
    QCOMPARE(m_synchro->count(), 0);
    QVERIFY(m_host->checkSynchro);

    // Identifiers seen while paused are not remembered.
    m_worker->resumeEvents();
    m_host->checkSynchro = false;
    feed({ { 3, T + 10, TuMessages::EDGE_FALLING, 11 } });
    QCOMPARE(published(*m_events), QStringList { out(3, T + 10) });
}

void TestHandleEvents::withoutHostNothingIsPublished()
{
    m_worker->setHostProvider([]() { return std::shared_ptr<HandleEventsHost>(); });
    feed({ { 1, T }, { 1, T + 100000, TuMessages::EDGE_RISING } });
    QCOMPARE(m_events->count(), 0);
}

void TestHandleEvents::failureDropsOnlyThatInput()
{
    m_host->failOnRead = true;
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("HandleEvents::eventInputReceived")));
    feed({ { 1, T } });
    QCOMPARE(m_events->count(), 0);
    m_host->failOnRead = false;
    feed({ { 1, T + 10 } });
    QCOMPARE(published(*m_events), QStringList { out(1, T + 10) });
    // The mutex was released after the failure.
    m_worker->suspendEvents();
    QVERIFY(m_worker->isPaused());
}

void TestHandleEvents::everyInputGetsItsOwnRecord()
{
    feed({ { 1, T }, { 2, T }, { 1, T + 100000, TuMessages::EDGE_RISING } });
    QCOMPARE(m_events->count(), 3);
    QSet<QString> ids;
    QSet<Event*> records;
    for (const QList<QVariant>& arguments : qAsConst(*m_events)) {
        const auto event = arguments.at(0).value<EntityPtr<Event>>();
        QVERIFY(event);
        QCOMPARE(event->id.size(), 36);
        QVERIFY(!event->bibNumber);
        QVERIFY(!event->isAuto && !event->isSkipped && !event->isScartIn);
        ids.insert(event->id);
        records.insert(event.data());
    }
    QCOMPARE(ids.size(), 3);
    QCOMPARE(records.size(), 3);
}

void TestHandleEvents::btConnectList()
{
    auto connect = [this](quint32 id, const char* address, qint64 ticks) {
        TuMessages::EventBTConnect message;
        message.set_eventid(id);
        message.set_ticks(ticks);
        message.set_device_address(address);
        m_worker->onEventBTConnectReceived(message);
    };
    connect(1, "00:11:22:33:44:55", 100);
    connect(2, "66:77:88:99:AA:BB", 200);
    QCOMPARE(m_host->connections.size(), 2);
    QCOMPARE(m_host->connections.at(0).deviceAddress, std::string("00:11:22:33:44:55"));
    QCOMPARE(m_host->connections.at(0).serialId, 0);
    QCOMPARE(m_host->connections.at(0).connectTicks, qint64(100));
    QVERIFY(!m_host->connections.at(0).isSynced);

    // The same connect time again keeps the binding; a new one releases it.
    m_host->connections[0].serialId = 3;
    m_host->connections[0].isSynced = true;
    connect(3, "00:11:22:33:44:55", 100);
    QCOMPARE(m_host->connections.at(0).serialId, 3);
    connect(4, "00:11:22:33:44:55", 500);
    QCOMPARE(m_host->connections.size(), 2);
    QCOMPARE(m_host->connections.at(0).serialId, 0);
    QCOMPARE(m_host->connections.at(0).connectTicks, qint64(500));
    QVERIFY(m_host->connections.at(0).isSynced);
    QCOMPARE(m_host->connections.at(1).deviceAddress, std::string("66:77:88:99:AA:BB"));

    // Addresses are compared byte for byte.
    connect(5, "00:11:22:33:44:55 ", 600);
    QCOMPARE(m_host->connections.size(), 3);
}

void TestHandleEvents::threadLife()
{
    EventGenerator generator;
    m_host->generator = &generator;
    // The worker publishes from its own thread; collect on this one.
    QList<QPair<EntityPtr<Event>, bool>> received;
    connect(
        m_host.get(), &FakeEventsHost::eventReceived, this,
        [&received](const QVariant& event, bool isFalling) {
            received.append({ event.value<EntityPtr<Event>>(), isFalling });
        },
        Qt::QueuedConnection);

    auto* thread = new QThread();
    thread->setObjectName(QStringLiteral("HandleEvents thread"));
    HandleEvents* worker = m_worker.release();
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &HandleEvents::process);
    connect(worker, &HandleEvents::finished, thread, &QThread::quit, Qt::DirectConnection);
    std::atomic<bool> started { false };
    connect(
        thread, &QThread::started, worker, [&started]() { started = true; }, Qt::DirectConnection);
    thread->start(QThread::InheritPriority);
    QTRY_VERIFY(started);

    generator.generateEvent(EventGenerator::EVT_GEN_TYPE_LAP_LINE, false);
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.at(0).first->physicalChannel, qint64(2));
    QCOMPARE(received.at(0).second, false);

    Utils::stopThread(&worker, true);
    QVERIFY(worker == nullptr);
}

VANTOR_TEST_CLASS(TestHandleEvents)
#include "tst_handleevents.moc"
