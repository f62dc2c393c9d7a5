// MsgBox with the real main window: questions and notices answered by keys and touches, from
// the GUI thread and from a worker, and the ends of a wait that nothing answers.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "testsupport/testmain.h"
#include "ui/keyemitter.h"
#include "ui/msgbox.h"

#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>

using Vl::Tavix3::UI::MsgBox;

class TestMsgBoxWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sureAnswers_data();
    void sureAnswers();
    void sureWithoutTitleStartsWithALineBreak();
    void showPassesThreeCaptions();
    void timedNoticeClosesItself();
    void closingEndsTheWait();
    void whileClosingNoBoxIsMade();
    void destroyedBoxEndsTheWait();
    void callerOnAWorkerThread();
    void stackIsFocusedAgainAfterTheBox();
    void headerGeometry_data();
    void headerGeometry();

private:
    // Runs `step` on the open box as soon as one is shown (from inside the waiting call).
    void whenBoxShown(const std::function<void(QQuickItem*)>& step);
    void pressAndRelease(QQuickItem* box, int key);

    std::unique_ptr<MainWindowFixture> m_fixture;
    QStringList m_headers;
};

void TestMsgBoxWindow::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_headers.clear();
}

void TestMsgBoxWindow::cleanup()
{
    // A watch for a box that never came must not outlive the window it looks into.
    qDeleteAll(findChildren<QTimer*>());
    m_fixture.reset();
}

void TestMsgBoxWindow::whenBoxShown(const std::function<void(QQuickItem*)>& step)
{
    auto* poll = new QTimer(this);
    poll->setInterval(10);
    connect(poll, &QTimer::timeout, this, [this, poll, step]() {
        QQuickItem* box = m_fixture->topBox();
        if (!box || !box->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        m_headers << box->property("headerText").toString();
        step(box);
    });
    poll->start();
}

void TestMsgBoxWindow::pressAndRelease(QQuickItem* box, int key) { m_fixture->app()->keyEmitter()->emitKey(key, box); }

void TestMsgBoxWindow::sureAnswers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer");
    QTest::newRow("F2") << int(Qt::Key_F2) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("F3") << int(Qt::Key_F3) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << false;
}

void TestMsgBoxWindow::sureAnswers()
{
    QFETCH(int, key);
    QFETCH(bool, answer);
    whenBoxShown([this, key](QQuickItem* box) { pressAndRelease(box, key); });
    QCOMPARE(m_fixture->app()->messageBox()->sure(QStringLiteral("Delete log files")), answer);
    QCOMPARE(m_headers, QStringList { QStringLiteral("Delete log files\nAre you sure?") });
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
}

void TestMsgBoxWindow::sureWithoutTitleStartsWithALineBreak()
{
    whenBoxShown([this](QQuickItem* box) {
        QCOMPARE(box->property("textF2").toString(), QStringLiteral("Yes"));
        QCOMPARE(box->property("textF3").toString(), QStringLiteral("No"));
        QCOMPARE(box->property("textF1").toString(), QString());
        pressAndRelease(box, Qt::Key_F3);
    });
    QVERIFY(!m_fixture->app()->messageBox()->sure());
    QCOMPARE(m_headers, QStringList { QStringLiteral("\nAre you sure?") });
}

void TestMsgBoxWindow::showPassesThreeCaptions()
{
    QStringList captions;
    whenBoxShown([this, &captions](QQuickItem* box) {
        captions << box->property("textF1").toString() << box->property("textF2").toString()
                 << box->property("textF3").toString();
        pressAndRelease(box, Qt::Key_F1);
    });
    const int key = m_fixture->app()->messageBox()->show(QStringLiteral("Choose"), QStringLiteral("A"),
        QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"), Qt::Key_Escape, Qt::Key_F2);
    QCOMPARE(key, int(Qt::Key_F1));
    QCOMPARE(captions, (QStringList { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") }));
}

void TestMsgBoxWindow::timedNoticeClosesItself()
{
    QElapsedTimer clock;
    clock.start();
    m_fixture->app()->messageBox()->show(QStringLiteral("Notice"), 150);
    QVERIFY(clock.elapsed() >= 140);
    QVERIFY(clock.elapsed() < 5000);
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
}

void TestMsgBoxWindow::closingEndsTheWait()
{
    whenBoxShown([this](QQuickItem*) { m_fixture->app()->setIsClosing(true); });
    QCOMPARE(m_fixture->app()->messageBox()->show(QStringLiteral("Waiting"), QStringLiteral("OK")), 0);
    QVERIFY(!m_fixture->app()->messageBox()->sure(QStringLiteral("Too late")));
}

void TestMsgBoxWindow::whileClosingNoBoxIsMade()
{
    // Nothing could close a box once the application closes: every call answers at once with
    // its escape answer and the main window gets no box. A box that appears anyway is answered
    // with its confirm key, so that the test fails instead of waiting; a notice that waited out its
    // minute without a box would take far longer than the calls are given.
    whenBoxShown([this](QQuickItem* box) { pressAndRelease(box, Qt::Key_F2); });
    QSignalSpy added(m_fixture->mainItem(), SIGNAL(messageBoxListCounterChanged()));
    m_fixture->app()->setIsClosing(true);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!m_fixture->app()->messageBox()->sure(QStringLiteral("Quit from Vantor")));
    QCOMPARE(m_fixture->app()->messageBox()->show(QStringLiteral("Waiting"), QStringLiteral("OK"), QStringLiteral("Yes"),
                                                  QString(), QString(), QString(), Qt::Key_F3, Qt::Key_F2),
             int(Qt::Key_F3));
    m_fixture->app()->messageBox()->show(QStringLiteral("Notice"), 60000);
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(50);  // a box made anyway would be added and shown by now
    QCOMPARE(added.count(), 0);
    QVERIFY(m_headers.isEmpty());
}

void TestMsgBoxWindow::destroyedBoxEndsTheWait()
{
    whenBoxShown([](QQuickItem* box) { delete box; });
    QCOMPARE(m_fixture->app()->messageBox()->show(QStringLiteral("Going away"), QStringLiteral("OK")), 0);
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
}

void TestMsgBoxWindow::callerOnAWorkerThread()
{
    MsgBox* boxes = m_fixture->app()->messageBox();
    bool answer = false;
    QThread* worker = QThread::create([boxes, &answer]() { answer = boxes->sure(QStringLiteral("From a worker")); });
    QQuickItem* shown = nullptr;
    whenBoxShown([&shown](QQuickItem* box) { shown = box; });
    worker->start();
    QTRY_VERIFY(shown);
    QCOMPARE(shown->thread(), qApp->thread());
    pressAndRelease(shown, Qt::Key_F2);
    QTRY_VERIFY(worker->isFinished());
    QVERIFY(answer);
    delete worker;
}

void TestMsgBoxWindow::stackIsFocusedAgainAfterTheBox()
{
    QQuickItem* stack = m_fixture->window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    QVERIFY(stack);
    bool disabledWhileShown = false;
    whenBoxShown([&](QQuickItem* box) {
        disabledWhileShown = !stack->isEnabled();
        pressAndRelease(box, Qt::Key_F3);
    });
    m_fixture->app()->messageBox()->sure();
    QVERIFY(disabledWhileShown);
    QVERIFY(stack->isEnabled());
    QVERIFY(stack->hasActiveFocus());
}

void TestMsgBoxWindow::headerGeometry_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("atTheTop");
    const QString question = QStringLiteral("The date is earlier than the current date\nAre you sure?");
    QTest::newRow("question") << QStringList { question, QString(), QStringLiteral("Yes"), QStringLiteral("No") }
                              << true;
    QTest::newRow("three captions") << QStringList { question, QStringLiteral("Yes"), QStringLiteral("No"),
        QStringLiteral("Cancel") } << true;
    QTest::newRow("one caption") << QStringList { question, QString(), QString(), QStringLiteral("Cancel") } << true;
    QTest::newRow("notice") << QStringList { question, QString(), QString(), QString() } << false;
}

// The header is 132 px high: at the top above the dimmed screen when captions are shown, in the
// middle otherwise; its text stays above the captions.
void TestMsgBoxWindow::headerGeometry()
{
    QFETCH(QStringList, captions);
    QFETCH(bool, atTheTop);
    QVariant created;
    QVERIFY(QMetaObject::invokeMethod(m_fixture->mainItem(), "addMessageBox", Q_RETURN_ARG(QVariant, created)));
    auto* box = created.value<QQuickItem*>();
    QVERIFY(box);
    QVERIFY(QMetaObject::invokeMethod(box, "setVisible", Q_ARG(QVariant, captions[0]), Q_ARG(QVariant, captions[1]),
        Q_ARG(QVariant, captions[2]), Q_ARG(QVariant, captions[3]), Q_ARG(QVariant, QString()),
        Q_ARG(QVariant, QString()), Q_ARG(QVariant, 0), Q_ARG(QVariant, int(Qt::Key_Escape)),
        Q_ARG(QVariant, int(Qt::Key_F2))));
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->height(), 218.0);

    const auto part = [box](const char* name) { return box->property(name).value<QQuickItem*>(); };
    QQuickItem* header = part("header");
    QQuickItem* label = part("headerLabel");
    QQuickItem* dimming = part("dimmingLayer");
    QQuickItem* buttons = part("buttonRow");
    QVERIFY(header && label && dimming && buttons);
    QCOMPARE(header->height(), 132.0);
    QCOMPARE(header->width(), box->width());
    QCOMPARE(header->y(), atTheTop ? 0.0 : (box->height() - 132) / 2);
    QVERIFY(dimming->isVisible());
    QCOMPARE(dimming->opacity(), 0.5);
    QCOMPARE(dimming->mapRectToScene(QRectF(0, 0, dimming->width(), dimming->height())),
        box->mapRectToScene(QRectF(0, 0, box->width(), box->height())));
    QCOMPARE(buttons->isVisible(), atTheTop);

    const QRectF headerRect = header->mapRectToScene(QRectF(0, 0, header->width(), header->height()));
    const QRectF text = label->mapRectToScene(label->boundingRect());
    QVERIFY2(headerRect.contains(text), qPrintable(QStringLiteral("the question leaves the header")));
    QVERIFY(!label->property("truncated").toBool());
    if (atTheTop) {
        const QRectF row = buttons->mapRectToScene(QRectF(0, 0, buttons->width(), buttons->height()));
        QVERIFY(headerRect.bottom() < row.top());
        // Between the header and the captions the screen shows through the dimming layer.
        const QPointF between(headerRect.center().x(), (headerRect.bottom() + row.top()) / 2);
        QVERIFY(!headerRect.contains(between));
        QVERIFY(dimming->mapRectToScene(QRectF(0, 0, dimming->width(), dimming->height())).contains(between));
    }
    QMetaObject::invokeMethod(box, "setClose");
}

VANTOR_TEST_CLASS(TestMsgBoxWindow)
#include "tst_msgboxwindow.moc"
