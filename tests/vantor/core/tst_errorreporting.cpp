#include "app/application.h"
#include "core/diagnosticlog.h"
#include "core/exceptionhandler.h"
#include "core/vlexception.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"

#include <QTest>

#include <boost/assert.hpp>

using TestSupport::ApplicationFixture;
using Vl::Tavix3::Exceptions::VlException;
using Vl::Tavix3::UI::DiagnosticLog;

// The error-reporting convention: a caught exception is reported as one error line, and a
// failed Boost assertion throws VlException.
class TestErrorReporting : public QObject
{
    Q_OBJECT

private slots:
    void reportsCaughtException();
    void assertionThrows();
    void exceptionKeepsItsText();
};

void TestErrorReporting::reportsCaughtException()
{
    ApplicationFixture app;
    app->setLogString(QString());
    // QtTest puts its own message handler in place for every test class; put the diagnostic
    // log's handler back on top for this check.
    const QtMessageHandler testHandler = qInstallMessageHandler(&DiagnosticLog::handleMessage);
    try {
        throw std::runtime_error("disk full");
    } catch (const std::exception& e) {
        Vl::Tavix3::Exceptions::inlineExceptionHandler(e.what(), "Vl::Tavix3::UI::Test::save", "save.cpp", 42);
    }
    qInstallMessageHandler(testHandler);
    QVERIFY2(app->logString().contains(
                 QStringLiteral("****Exception****  Vl::Tavix3::UI::Test::save :  disk full , file  save.cpp  line  42")),
             qPrintable(QStringLiteral("[") + app->logString() + "]"));
}

void TestErrorReporting::assertionThrows()
{
    bool thrown = false;
    try {
        BOOST_ASSERT_MSG(1 + 1 == 3, "arithmetic broke");
    } catch (const VlException& e) {
        thrown = true;
        QCOMPARE(QString::fromLocal8Bit(e.what()), QStringLiteral("ASSERTION FAILED arithmetic broke"));
    }
    QVERIFY(thrown);
}

void TestErrorReporting::exceptionKeepsItsText()
{
    const VlException original(QStringLiteral("Zeitüberschreitung"));
    const VlException copy = original;
    QCOMPARE(copy.message(), QStringLiteral("Zeitüberschreitung"));
    QCOMPARE(QString::fromLocal8Bit(copy.what()), QStringLiteral("Zeitüberschreitung"));
}

VANTOR_TEST_CLASS(TestErrorReporting)
#include "tst_errorreporting.moc"
