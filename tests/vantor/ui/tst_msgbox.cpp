#include "app/application.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "ui/msgbox.h"

#include <QElapsedTimer>
#include <QTest>

using TestSupport::ApplicationFixture;
using Vl::Tavix3::UI::MsgBox;

// Message boxes that nothing could close return at once: before the main window exists and
// without an application object. (While the application closes: with the main window, in
// tst_msgboxwindow.)
class TestMsgBox : public QObject
{
    Q_OBJECT

private slots:
    void answersAtOnceWithoutABoxHost();
};

// A call that waited for an answer nothing can give would never return; a notice that waited out
// its time without a box would take its minute. Either is far beyond the time the calls are given.
void TestMsgBox::answersAtOnceWithoutABoxHost()
{
    MsgBox box;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!box.sure());
    QCOMPARE(box.show(QStringLiteral("title"), QStringLiteral("F1")), 0);
    QCOMPARE(box.show(QStringLiteral("title"), QStringLiteral("F1"), QString(), QString(), QString(), QString(),
                      Qt::Key_F3),
             int(Qt::Key_F3));
    {
        ApplicationFixture app;  // no main window
        QVERIFY(!app->messageBox()->sure(QStringLiteral("Delete log files")));
        app->messageBox()->show(QStringLiteral("notice"), 60000);
    }
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
}

VANTOR_TEST_CLASS(TestMsgBox)
#include "tst_msgbox.moc"
