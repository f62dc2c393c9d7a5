// KeyEmitter: which object receives the synthetic key events and what they carry.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "ui/keyemitter.h"

#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using Vl::Tavix3::UI::KeyEmitter;

namespace {

// One key event as an object received it.
struct SeenKey
{
    QEvent::Type type;
    int key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
};

// Records the key events an object receives (and lets them through).
class KeyRecorder : public QObject
{
public:
    explicit KeyRecorder(QObject* watched) { watched->installEventFilter(this); }

    QList<SeenKey> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            keys.append({ event->type(), key->key(), key->text(), key->modifiers(), key->nativeScanCode() });
        }
        return false;
    }
};

} // namespace

class TestKeyEmitter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pressAndReleaseToTheFocusedReceiver();
    void functionKeysGoToAnItemThatHandlesThem_data();
    void functionKeysGoToAnItemThatHandlesThem();
    void modifiersAndScanCode();
    void pressOrReleaseAlone();
    void queueWithoutReceiver();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestKeyEmitter::init() { m_fixture = std::make_unique<MainWindowFixture>(); }

void TestKeyEmitter::cleanup() { m_fixture.reset(); }

void TestKeyEmitter::pressAndReleaseToTheFocusedReceiver()
{
    QVariant box;
    QVERIFY(QMetaObject::invokeMethod(m_fixture->mainItem(), "addMessageBox", Q_RETURN_ARG(QVariant, box)));
    auto* item = box.value<QQuickItem*>();
    QVERIFY(item);
    QMetaObject::invokeMethod(item, "setVisible", Q_ARG(QVariant, QStringLiteral("Title")), Q_ARG(QVariant, QString()),
        Q_ARG(QVariant, QString()), Q_ARG(QVariant, QString()), Q_ARG(QVariant, QString()), Q_ARG(QVariant, QString()),
        Q_ARG(QVariant, 0), Q_ARG(QVariant, 0), Q_ARG(QVariant, 0));
    QTRY_VERIFY(item->hasActiveFocus());
    KeyRecorder recorder(item);
    m_fixture->app()->keyEmitter()->emitKey(Qt::Key_F2, item);
    QTRY_COMPARE(recorder.keys.size(), 2);
    QCOMPARE(recorder.keys.at(0).type, QEvent::KeyPress);
    QCOMPARE(recorder.keys.at(0).key, int(Qt::Key_F2));
    QCOMPARE(recorder.keys.at(0).text, QStringLiteral("F2"));
    QCOMPARE(recorder.keys.at(1).type, QEvent::KeyRelease);
    QCOMPARE(recorder.keys.at(1).text, QString());
    // A box without captions ignores F2 and stays open.
    QVERIFY(item->isVisible());
}

void TestKeyEmitter::functionKeysGoToAnItemThatHandlesThem_data()
{
    QTest::addColumn<bool>("handles");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("toFocusItem");
    QTest::newRow("F1 to the handling item") << true << int(Qt::Key_F1) << true;
    QTest::newRow("F15 to the handling item") << true << int(Qt::Key_F15) << true;
    QTest::newRow("a digit to the receiver") << true << int(Qt::Key_5) << false;
    QTest::newRow("F16 to the receiver") << true << int(Qt::Key_F16) << false;
    QTest::newRow("F1 to the receiver when not handled") << false << int(Qt::Key_F1) << false;
}

void TestKeyEmitter::functionKeysGoToAnItemThatHandlesThem()
{
    QFETCH(bool, handles);
    QFETCH(int, key);
    QFETCH(bool, toFocusItem);
    QQuickItem focusItem(m_fixture->window()->contentItem());
    focusItem.setProperty("handleFunctionButtons", handles);
    focusItem.forceActiveFocus();
    QVERIFY(focusItem.hasActiveFocus());
    QObject receiver;
    KeyRecorder atFocusItem(&focusItem);
    KeyRecorder atReceiver(&receiver);
    m_fixture->app()->keyEmitter()->emitKey(key, &receiver, true, false, false, 7);
    QTest::qWait(20);
    QCOMPARE(atFocusItem.keys.size(), toFocusItem ? 2 : 0);
    QCOMPARE(atReceiver.keys.size(), toFocusItem ? 0 : 2);
    const SeenKey press = toFocusItem ? atFocusItem.keys.at(0) : atReceiver.keys.at(0);
    QCOMPARE(press.key, key);
    // The focus item gets plain events; the receiver gets the modifiers and the scan code.
    QCOMPARE(press.modifiers, toFocusItem ? Qt::NoModifier : Qt::AltModifier);
    QCOMPARE(press.scanCode, toFocusItem ? 0u : 7u);
}

void TestKeyEmitter::modifiersAndScanCode()
{
    QQuickItem* stack = m_fixture->window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    QVERIFY(stack && stack->hasActiveFocus());
    QObject receiver;
    KeyRecorder recorder(&receiver);
    m_fixture->app()->keyEmitter()->emitKey(Qt::Key_B, &receiver, false, true, true, 42);
    QTRY_COMPARE(recorder.keys.size(), 2);
    for (const SeenKey& seen : qAsConst(recorder.keys)) {
        QCOMPARE(seen.modifiers, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(seen.scanCode, 42u);
    }
    QCOMPARE(recorder.keys.at(0).text, QStringLiteral("B"));
}

void TestKeyEmitter::pressOrReleaseAlone()
{
    QObject receiver;
    KeyRecorder recorder(&receiver);
    KeyEmitter* emitter = m_fixture->app()->keyEmitter();
    emitter->pressKey(Qt::Key_5, &receiver);
    QTRY_COMPARE(recorder.keys.size(), 1);
    QCOMPARE(recorder.keys.at(0).type, QEvent::KeyPress);
    QCOMPARE(recorder.keys.at(0).text, QStringLiteral("5"));
    emitter->releaseKey(Qt::Key_5, &receiver);
    QTRY_COMPARE(recorder.keys.size(), 2);
    QCOMPARE(recorder.keys.at(1).type, QEvent::KeyRelease);
    QCOMPARE(recorder.keys.at(1).text, QString());
}

void TestKeyEmitter::queueWithoutReceiver()
{
    KeyEmitter emitter;
    QVERIFY(!emitter.isContainingNumbers());
    emitter.handleKey(nullptr);
    emitter.handleKey(nullptr, QStringLiteral("parent"));
    QVERIFY(!emitter.isContainingNumbers());
}

VANTOR_TEST_CLASS(TestKeyEmitter)
#include "tst_keyemitter.moc"
