#include "core/appsettingsstore.h"

#include "core/utils.h"

#include <QDebug>
#include <QSet>

#include <algorithm>

namespace Vl::Tavix3::UI {

namespace {

thread_local quint64 t_failedWrites = 0;

// The files whose last write failed, over every store of the process: the operator is told once
// when a file begins to fail, and again only after it has been written in between.
QMutex& failingFilesMutex()
{
    static QMutex mutex;
    return mutex;
}

QSet<QString>& failingFiles()
{
    static QSet<QString> files;
    return files;
}

} // namespace

AppSettingsStore::AppSettingsStore(const QString& organization, const QString& application)
    : m_organization(organization)
    , m_application(application)
    , m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organization, application))
{
}

AppSettingsStore::~AppSettingsStore() = default;

quint64 AppSettingsStore::failedWritesOnThisThread()
{
    return t_failedWrites;
}

bool AppSettingsStore::contains(const QString& key) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->contains(key);
}

QVariant AppSettingsStore::value(const QString& key, const QVariant& defaultValue) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->value(key, defaultValue);
}

bool AppSettingsStore::setValue(const QString& key, const QVariant& value)
{
    return write(key, [&key, &value](QSettings& settings) { settings.setValue(key, value); });
}

bool AppSettingsStore::remove(const QString& key)
{
    return write(key, [&key](QSettings& settings) { settings.remove(key); });
}

bool AppSettingsStore::sync()
{
    return write(QStringLiteral("the settings"), [](QSettings&) {});
}

QString AppSettingsStore::fileName() const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->fileName();
}

bool AppSettingsStore::write(const QString& what, const std::function<void(QSettings&)>& change)
{
    QMutexLocker locker(&m_mutex);
    renewAfterError();
    change(*m_settings);
    const bool written = syncAndCheck();
    const QString file = m_settings->fileName();
    locker.unlock();
    reportWrite(written, what, file);
    return written;
}

void AppSettingsStore::renewAfterError()
{
    // The status of a settings object keeps its first error for good. The new object shares the
    // values waiting to be written with the old one (the process keeps one copy per file), so it is
    // made before the old one goes.
    if (m_settings->status() == QSettings::NoError)
        return;
    auto fresh = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, m_organization, m_application);
    fresh->moveToThread(m_settings->thread());
    m_settings.swap(fresh);
}

bool AppSettingsStore::syncAndCheck()
{
    m_settings->sync();
    // A format error means the file could not be read as it was; it has been written all the same.
    return m_settings->status() != QSettings::AccessError;
}

void AppSettingsStore::reportWrite(bool written, const QString& what, const QString& fileName) const
{
    if (written) {
        bool wasFailing = false;
        {
            QMutexLocker locker(&failingFilesMutex());
            wasFailing = failingFiles().remove(fileName);
        }
        if (wasFailing)
            qInfo().noquote() << QStringLiteral("Settings are stored again in %1").arg(fileName);
        return;
    }

    ++t_failedWrites;
    bool firstFailure = false;
    {
        QMutexLocker locker(&failingFilesMutex());
        firstFailure = !failingFiles().contains(fileName);
        failingFiles().insert(fileName);
    }
    qWarning().noquote()
        << QStringLiteral("Settings not stored: %1 cannot be written to %2").arg(what, fileName);
    if (firstFailure) {
        Utils::showTranslatedInfoMessage("Vl::Tavix3::UI::AppSettingsStore",
            QT_TRANSLATE_NOOP("Vl::Tavix3::UI::AppSettingsStore", "Settings cannot be stored"), 10000,
            Utils::kErrorColor);
    }
}

qint64 AppSettingsStore::bounded(const QString& key, qint64 number, qint64 low, qint64 high) const
{
    const qint64 result = std::clamp(number, low, high);
    if (result != number)
        reportOutOfRange(key, number, QString::number(result));
    return result;
}

void AppSettingsStore::reportOutOfRange(const QString& key, qint64 number, const QString& used) const
{
    qWarning().noquote() << QStringLiteral("Setting %1=%2 in %3 is out of range: %4 is used")
                                .arg(key)
                                .arg(number)
                                .arg(fileName(), used);
}

} // namespace Vl::Tavix3::UI
