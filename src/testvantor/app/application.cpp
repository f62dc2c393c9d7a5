#include "app/application.h"

#include "app/gpsenum.h"
#include "app/orvaneenum.h"
#include "app/sema.h"
#include "app/semaenum.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QWindow>

#include <exception>

namespace Vl::Orvane::UI {

namespace {
const QString kLanguageFolder = QStringLiteral(":/resources/languages");
const QString kKeyLanguage = QStringLiteral("CurrentLanguage");
const QString kKeyDateFormat = QStringLiteral("DateFormat");
const QString kKeyTimeFormat = QStringLiteral("TimeFormat");
} // namespace

Application::Application(QCoreApplication* app, QQmlEngine* engine, QQmlContext* context, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_context(context)
    , m_app(app)
    , m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"))
    , m_mainUrl(QStringLiteral("qrc:/main.qml"))
{
}

Application::~Application()
{
    if (m_translatorInstalled)
        QCoreApplication::removeTranslator(&m_translator);
}

void Application::init()
{
    m_sema = new Sema(this);
    if (m_context)
        m_context->setContextProperty(QStringLiteral("sema"), m_sema);
    registerMetaTypes();
    loadSettings();
    loadLanguage();
    if (m_context)
        m_context->setContextProperty(QStringLiteral("application"), this);
    createMainWindow();
}

void Application::registerMetaTypes()
{
    qRegisterMetaType<OrvaneEnum::DateFormat>("OrvaneEnum::DateFormat");
    qRegisterMetaType<OrvaneEnum::TimeFormat>("OrvaneEnum::TimeFormat");
    qRegisterMetaType<OrvaneEnum::Language>("OrvaneEnum::Language");
    qRegisterMetaType<SemaEnum::SemaColor>("SemaEnum::SemaColor");
    qRegisterMetaType<SemaEnum::SemaSound>("SemaEnum::SemaSound");
    qRegisterMetaType<SemaEnum::SemaOffMode>("SemaEnum::SemaOffMode");
    qRegisterMetaType<SemaEnum::SemaSequenceType>("SemaEnum::SemaSequenceType");
    qRegisterMetaType<SemaEnum::SemaSequenceMode>("SemaEnum::SemaSequenceMode");
    qRegisterMetaType<SemaEnum::VisualizationMode>("SemaEnum::VisualizationMode");
    qRegisterMetaType<GPSEnum::GPSSyncMode>("GPSEnum::GPSSyncMode");
    // The sequence model hands interval records to the QML.
    qRegisterMetaType<SemaInterval>();
}

void Application::createMainWindow()
{
    if (!m_engine)
        return;
    QQmlComponent component(m_engine, m_mainUrl);
    QObject* root = component.create();
    if (component.isError())
        qWarning() << component.errors();
    // Without a window there is nothing to own, title or delete at quit; the program keeps running
    // so that the warning above can be read.
    if (!root) {
        qWarning() << "Main window not created from" << m_mainUrl.toString();
        return;
    }
    m_mainWindow = root;
    QQmlEngine::setObjectOwnership(root, QQmlEngine::CppOwnership);
    root->setParent(m_engine);
    if (auto* window = qobject_cast<QWindow*>(root))
        window->setTitle(
            QCoreApplication::applicationName() + QStringLiteral(" - ") + QCoreApplication::applicationVersion());
}

void Application::aboutToQuit()
{
    setIsClosing(true);
    qDebug() << "********Init Application::aboutToQuit********";
    delete m_mainWindow.data();
    saveSettings();
    qDebug() << "********Application::aboutToQuit********";
}

bool Application::loadSettings()
{
    try {
        if (m_settings.contains(kKeyLanguage))
            m_currentLanguage = m_settings.value(kKeyLanguage).toString();
        if (m_settings.contains(kKeyDateFormat))
            m_dateFormat = m_settings.value(kKeyDateFormat).toInt();
        if (m_settings.contains(kKeyTimeFormat))
            m_timeFormat = m_settings.value(kKeyTimeFormat).toInt();
        return true;
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return false;
}

void Application::saveSettings()
{
    try {
        m_settings.sync();
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
}

bool Application::tryLoadCatalogue(const QString& name, const QString& folder)
{
    return m_translator.load(name, folder);
}

void Application::loadLanguage()
{
    if (m_translatorInstalled) {
        QCoreApplication::removeTranslator(&m_translator);
        m_translatorInstalled = false;
    }
    const QString name = QStringLiteral("Halden_") + m_currentLanguage;
    bool loaded = false;
    if (m_currentLanguage == QLatin1String("it_IT")) {
        loaded = tryLoadCatalogue(name, kLanguageFolder);
    } else if (m_currentLanguage == QLatin1String("zh_CN") || m_currentLanguage == QLatin1String("es_ES")
        || m_currentLanguage == QLatin1String("de_DE")) {
        loaded = tryLoadCatalogue(name, QDir::currentPath()) || tryLoadCatalogue(name, kLanguageFolder);
    } else {
        return;
    }
    if (loaded)
        m_translatorInstalled = QCoreApplication::installTranslator(&m_translator);
    else
        qDebug() << "Translation file not found";
}

void Application::setCurrentLanguage(const QString& value)
{
    if (value == m_currentLanguage)
        return;
    m_settings.setValue(kKeyLanguage, value);
    m_currentLanguage = value;
    loadLanguage();
    emit currentLanguageChanged();
}

void Application::setLanguageChanged(const QString& value)
{
    if (value == m_languageChanged)
        return;
    m_languageChanged = value;
    emit currentLanguageChanged();
}

QString Application::dateFormatString() const
{
    return m_dateFormat == 0 ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("MM/dd/yyyy");
}

QString Application::timeFormatString() const
{
    return m_timeFormat == 0 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm:ssap");
}

QString Application::dateTimeFormatString() const
{
    return (dateFormatString() + QLatin1Char(' ') + timeFormatString()).trimmed();
}

void Application::setDateFormat(int value)
{
    if (value == m_dateFormat)
        return;
    m_dateFormat = value;
    m_settings.setValue(kKeyDateFormat, value);
    emit dateFormatChanged();
    emit dateFormatStringChanged();
    emit dateTimeFormatStringChanged();
}

void Application::setTimeFormat(int value)
{
    if (value == m_timeFormat)
        return;
    m_timeFormat = value;
    m_settings.setValue(kKeyTimeFormat, value);
    emit timeFormatChanged();
    emit timeFormatStringChanged();
    emit dateTimeFormatStringChanged();
}

void Application::setIsCompleted(bool value)
{
    if (value == m_isCompleted)
        return;
    m_isCompleted = value;
    emit isCompletedChanged();
}

void Application::setIsClosing(bool value)
{
    if (value == m_isClosing)
        return;
    m_isClosing = value;
    emit isClosingChanged();
}

} // namespace Vl::Orvane::UI
