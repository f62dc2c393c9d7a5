#include "core/appsettingsstore.h"

namespace Vl::Tavix3::UI {

AppSettingsStore::AppSettingsStore(const QString& organization, const QString& application)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organization, application)
{
}

bool AppSettingsStore::contains(const QString& key) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings.contains(key);
}

QVariant AppSettingsStore::value(const QString& key, const QVariant& defaultValue) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings.value(key, defaultValue);
}

void AppSettingsStore::setValue(const QString& key, const QVariant& value)
{
    QMutexLocker locker(&m_mutex);
    m_settings.setValue(key, value);
}

void AppSettingsStore::remove(const QString& key)
{
    QMutexLocker locker(&m_mutex);
    m_settings.remove(key);
}

void AppSettingsStore::sync()
{
    QMutexLocker locker(&m_mutex);
    m_settings.sync();
}

QString AppSettingsStore::fileName() const
{
    QMutexLocker locker(&m_mutex);
    return m_settings.fileName();
}

} // namespace Vl::Tavix3::UI
