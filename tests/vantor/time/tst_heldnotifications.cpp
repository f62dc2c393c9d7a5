#include "testsupport/testmain.h"
#include "time/heldnotifications.h"

#include <QStringList>
#include <QTest>

#include <thread>

using Vl::Tavix3::UI::HeldNotifications;

// Notifications held by a thread until its outermost hold ends, and sent at once otherwise.
class TestHeldNotifications : public QObject
{
    Q_OBJECT

private slots:
    void sentAtOnceWithoutAHold();
    void heldInOrderUntilTheOutermostHoldEnds();
    void otherThreadsAreNotHeld();
};

void TestHeldNotifications::sentAtOnceWithoutAHold()
{
    QStringList sent;
    HeldNotifications::send([&sent] { sent << "now"; });
    QCOMPARE(sent, QStringList { "now" });
    QVERIFY(!HeldNotifications::isHolding());
    HeldNotifications::send(nullptr); // nothing to send, nothing fails
}

void TestHeldNotifications::heldInOrderUntilTheOutermostHoldEnds()
{
    QStringList sent;
    {
        const HeldNotifications outer;
        HeldNotifications::send([&sent] { sent << "first"; });
        {
            const HeldNotifications inner; // a tick run from within another joins its hold
            HeldNotifications::send([&sent] { sent << "second"; });
        }
        QVERIFY(sent.isEmpty());
        QVERIFY(HeldNotifications::isHolding());
        // A notification that sends another while the held ones go: the other follows at once.
        HeldNotifications::send([&sent] {
            sent << "third";
            HeldNotifications::send([&sent] { sent << "from the third"; });
        });
        // One that fails does not keep the others back.
        HeldNotifications::send([] { throw std::runtime_error("receiver failed"); });
        HeldNotifications::send([&sent] { sent << "last"; });
        QTest::ignoreMessage(QtWarningMsg, "Notification failed: receiver failed");
    }
    QCOMPARE(sent, QStringList({ "first", "second", "third", "from the third", "last" }));
    QVERIFY(!HeldNotifications::isHolding());
}

void TestHeldNotifications::otherThreadsAreNotHeld()
{
    QStringList sent;
    const HeldNotifications hold;
    std::thread other([&sent] { HeldNotifications::send([&sent] { sent << "other thread"; }); });
    other.join();
    QCOMPARE(sent, QStringList { "other thread" });
}

VANTOR_TEST_CLASS(TestHeldNotifications)
#include "tst_heldnotifications.moc"
