#pragma once

#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

// A native settings store (organisation, application) that several threads may use: every
// access is serialised by one lock. On Linux the store is an INI file under the XDG config folder.
//
// Every write goes to the file at once and is checked. A write that cannot be stored (a folder
// that cannot be written, a full disk) is said in the log, and once in the info bar until that
// file can be written again; the value stays in effect and waits in the store, which writes it
// with the next write that succeeds.
//
// Stored values are brought into their range as they are read, so that a damaged or hand-edited
// file never gives a value that the screens and the remote commands would not give: a choice (a
// mode, a format, a colour, an index) outside its values is not taken and the caller's default
// stays; a quantity (a time, a delay, a volume) outside its bounds takes the nearest bound. Both
// are said in the log; the file is left as it is.
class AppSettingsStore
{
public:
    AppSettingsStore(const QString& organization, const QString& application);
    ~AppSettingsStore();
    AppSettingsStore(const AppSettingsStore&) = delete;
    AppSettingsStore& operator=(const AppSettingsStore&) = delete;

    bool contains(const QString& key) const;
    QVariant value(const QString& key, const QVariant& defaultValue = QVariant()) const;
    // Each returns whether the store's file holds the change (see above).
    bool setValue(const QString& key, const QVariant& value);
    bool remove(const QString& key);
    bool sync();
    QString fileName() const;

    // The writes that could not be stored so far on the calling thread, over every store: a caller
    // compares the count before and after its own writes to learn whether they were all stored.
    static quint64 failedWritesOnThisThread();

    // Reads the key into target when it is present; returns whether it was.
    template <typename T>
    bool read(const QString& key, T& target) const
    {
        QMutexLocker locker(&m_mutex);
        if (!m_settings->contains(key))
            return false;
        target = m_settings->value(key).value<T>();
        return true;
    }

    // A choice: reads the key into target when it is present and isValid accepts it; returns
    // whether it did. A value that is not accepted leaves target (the default) as it is.
    template <typename T>
    bool readChoice(const QString& key, T& target, const std::function<bool(qint64)>& isValid) const
    {
        qint64 number = 0;
        if (!read(key, number))
            return false;
        if (!isValid(number)) {
            reportOutOfRange(key, number, QStringLiteral("the default"));
            return false;
        }
        target = T(number);
        return true;
    }

    // A quantity: reads the key into target when it is present, brought within low to high;
    // returns whether it was present.
    template <typename T>
    bool readQuantity(const QString& key, T& target, qint64 low, qint64 high) const
    {
        qint64 number = 0;
        if (!read(key, number))
            return false;
        target = T(bounded(key, number, low, high));
        return true;
    }

private:
    // Makes the change and writes the file at once; what names the change in the log.
    bool write(const QString& what, const std::function<void(QSettings&)>& change);
    // With the lock held: a store whose earlier access failed is opened afresh, so that its status
    // tells of the next access alone.
    void renewAfterError();
    // With the lock held: writes the file and tells whether it was written.
    bool syncAndCheck();
    void reportWrite(bool written, const QString& what, const QString& fileName) const;
    qint64 bounded(const QString& key, qint64 number, qint64 low, qint64 high) const;
    void reportOutOfRange(const QString& key, qint64 number, const QString& used) const;

    QString m_organization;
    QString m_application;
    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace Vl::Tavix3::UI
