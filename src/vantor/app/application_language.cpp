// The application object's language and date and time format texts.
#include "app/application.h"

#include "core/orvaneenum.h"

#include <QCoreApplication>
#include <QFile>

namespace Vl::Tavix3::UI {

namespace {
const QString kLanguageFolder = QStringLiteral(":/resources/languages");
}

void Application::loadLanguage()
{
    QCoreApplication::removeTranslator(&m_translator);
    bool loaded = false;
    switch (m_currentLanguage) {
    case OrvaneEnum::LANGUAGE_ITA:
        loaded = m_translator.load(QStringLiteral("Orvane_it_IT"), kLanguageFolder);
        break;
    case OrvaneEnum::LANGUAGE_DEU:
        // A catalogue in the working directory overrides the built-in one.
        loaded = m_translator.load(QStringLiteral("Orvane_de_DE"))
                 || m_translator.load(QStringLiteral("Orvane_de_DE"), kLanguageFolder);
        break;
    default:
        return;
    }
    if (!loaded) {
        qDebug() << "Translation file not found";
        QCoreApplication::removeTranslator(&m_translator);
        return;
    }
    QCoreApplication::installTranslator(&m_translator);
}

bool Application::existTranslationFile(const QString& file) const
{
    try {
        return QFile::exists(file);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::existTranslationFile");
    }
    return false;
}

QString Application::dateFormatString() const
{
    return m_dateFormat == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? QStringLiteral("MM/dd/yyyy")
                                                               : QStringLiteral("dd/MM/yyyy");
}

QString Application::timeFormatString() const
{
    return m_timeFormat == OrvaneEnum::TIME_FORMAT_12_H ? QStringLiteral("hh:mm:ssap") : QStringLiteral("HH:mm:ss");
}

QString Application::dateTimeFormatString() const
{
    return (dateFormatString() + QLatin1Char(' ') + timeFormatString()).trimmed();
}

} // namespace Vl::Tavix3::UI
