#include "qmltestsetup.h"

#include "app/application.h"
#include "app/sema.h"
#include "app/sharedapplication.h"
#include "app/startup.h"
#include "qmltesttools.h"

#include <QCoreApplication>
#include <QPointer>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>

namespace TestVantorQml {

namespace {

QPointer<WarningRecorder> s_recorder;
QtMessageHandler s_previousHandler = nullptr;

void recordingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type >= QtWarningMsg && s_recorder)
        s_recorder->addWarning(message);
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

} // namespace

void WarningRecorder::addWarning(const QString& text)
{
    m_warnings << text;
    emit warningsChanged();
}

void WarningRecorder::resetWarnings()
{
    m_warnings.clear();
    emit warningsChanged();
}

void WarningRecorder::recordWarnings()
{
    s_recorder = this;
    if (!s_previousHandler)
        s_previousHandler = qInstallMessageHandler(recordingHandler);
}

void QmlTestSetup::applicationAvailable()
{
    using namespace Vl::Orvane::UI;
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("TestVantor"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.4.1"));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"))
        .clear();
    initResources();
    registerQmlTypes();
    m_application = QSharedPointer<Application>::create(QCoreApplication::instance(), nullptr, nullptr);
    setSharedApplication(m_application);
    // Without an engine, init creates the sequence model and loads the settings only.
    m_application->init();
}

void QmlTestSetup::qmlEngineAvailable(QQmlEngine* engine)
{
    engine->addImportPath(QStringLiteral("qrc:/"));
    QQmlContext* context = engine->rootContext();
    context->setContextProperty(QStringLiteral("application"), m_application.data());
    context->setContextProperty(QStringLiteral("isDebug"), false);
    context->setContextProperty(QStringLiteral("sema"), m_application->sema());
    context->setContextProperty(QStringLiteral("testSupport"), new WarningRecorder(engine));
    context->setContextProperty(QStringLiteral("testTools"), new QmlTestTools(engine));
}

void QmlTestSetup::cleanupTestCase()
{
    Vl::Orvane::UI::resetSharedApplication();
    m_application.reset();
}

} // namespace TestVantorQml
