#pragma once

#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QString>
#include <QTranslator>
#include <QUrl>

class QCoreApplication;
class QQmlContext;
class QQmlEngine;

namespace Vl::Orvane::UI {

class Sema;

// TestVantor's application object: its settings (language, date and time format), the translator,
// the format strings for the date utility and the QML, the sequence model and the main window.
class Application : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentLanguage READ currentLanguage WRITE setCurrentLanguage NOTIFY currentLanguageChanged)
    Q_PROPERTY(QString languageChanged READ languageChanged WRITE setLanguageChanged NOTIFY currentLanguageChanged)
    Q_PROPERTY(QString dateTimeFormatString READ dateTimeFormatString NOTIFY dateTimeFormatStringChanged)
    Q_PROPERTY(QString dateFormatString READ dateFormatString NOTIFY dateFormatStringChanged)
    Q_PROPERTY(QString timeFormatString READ timeFormatString NOTIFY timeFormatStringChanged)
    Q_PROPERTY(int dateFormat READ dateFormat WRITE setDateFormat NOTIFY dateFormatChanged)
    Q_PROPERTY(int timeFormat READ timeFormat WRITE setTimeFormat NOTIFY timeFormatChanged)
    Q_PROPERTY(bool isCompleted READ isCompleted WRITE setIsCompleted NOTIFY isCompletedChanged)
    Q_PROPERTY(bool isClosing READ isClosing WRITE setIsClosing NOTIFY isClosingChanged)

public:
    Application(QCoreApplication* app, QQmlEngine* engine, QQmlContext* context, QObject* parent = nullptr);
    ~Application() override;

    void init();
    void aboutToQuit();
    Q_INVOKABLE bool loadSettings();
    Q_INVOKABLE void saveSettings();
    void loadLanguage();

    QString currentLanguage() const { return m_currentLanguage; }
    void setCurrentLanguage(const QString& value);
    QString languageChanged() const { return m_languageChanged; }
    void setLanguageChanged(const QString& value);
    QString dateTimeFormatString() const;
    QString dateFormatString() const;
    QString timeFormatString() const;
    int dateFormat() const { return m_dateFormat; }
    void setDateFormat(int value);
    int timeFormat() const { return m_timeFormat; }
    void setTimeFormat(int value);
    bool isCompleted() const { return m_isCompleted; }
    void setIsCompleted(bool value);
    bool isClosing() const { return m_isClosing; }
    void setIsClosing(bool value);

    Sema* sema() const { return m_sema; }
    QObject* mainWindow() const { return m_mainWindow; }
    // Whether a catalogue is installed for the current language.
    bool hasTranslator() const { return m_translatorInstalled; }

    // for unit testing
    // The main window's resource; "qrc:/main.qml" unless a test sets another.
    void setMainUrl(const QUrl& url) { m_mainUrl = url; }

signals:
    void currentLanguageChanged();
    void dateTimeFormatStringChanged();
    void dateFormatStringChanged();
    void timeFormatStringChanged();
    void dateFormatChanged();
    void timeFormatChanged();
    void isCompletedChanged();
    void isClosingChanged();

private:
    void registerMetaTypes();
    void createMainWindow();
    bool tryLoadCatalogue(const QString& name, const QString& folder);

    QQmlEngine* m_engine;
    QQmlContext* m_context;
    QCoreApplication* m_app;
    QString m_currentLanguage;
    bool m_isCompleted = false;
    bool m_isClosing = false;
    int m_dateFormat = 0;
    int m_timeFormat = 0;
    QSettings m_settings;
    QTranslator m_translator;
    bool m_translatorInstalled = false;
    QPointer<QObject> m_mainWindow;
    Sema* m_sema = nullptr;
    QString m_languageChanged;
    QUrl m_mainUrl;
};

} // namespace Vl::Orvane::UI
