#pragma once

#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace Vl::Tavix3::UI {

// A native settings store (organisation, application) that several threads may use: every
// access is serialised by one lock. On Linux the store is an INI file under the XDG config folder.
class AppSettingsStore
{
public:
    AppSettingsStore(const QString& organization, const QString& application);

    bool contains(const QString& key) const;
    QVariant value(const QString& key, const QVariant& defaultValue = QVariant()) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    void sync();
    QString fileName() const;

    // Reads the key into target when it is present; returns whether it was.
    template <typename T>
    bool read(const QString& key, T& target) const
    {
        QMutexLocker locker(&m_mutex);
        if (!m_settings.contains(key))
            return false;
        target = m_settings.value(key).value<T>();
        return true;
    }

private:
    mutable QMutex m_mutex;
    mutable QSettings m_settings;
};

} // namespace Vl::Tavix3::UI
