#include "core/utils.h"

#include "core/applicationservices.h"
#include "core/messagequeue.h"
#include "core/sharedapplication.h"

#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QStringList>

#include <cmath>

namespace Vl::Tavix3::UI {

void Utils::releaseWhenFinished(QObject* worker, QThread* thread)
{
    qWarning() << "Thread" << thread->objectName() << "did not stop in time; it is released when it finishes";
    QObject::connect(thread, &QThread::finished, thread, [worker, thread]() {
        delete worker;
        thread->deleteLater();
    });
    if (thread->isFinished()) {
        delete worker;
        thread->deleteLater();
    }
}

void Utils::processEvents(unsigned long mSec, unsigned long every)
{
    if (every == 0) {
        QThread::msleep(mSec);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    const unsigned long rounds = std::max(mSec / every, 1UL);
    for (unsigned long i = 0; i < rounds; ++i) {
        QThread::msleep(every);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

double Utils::round(double dbVal, int nPlaces)
{
    const double factor = nPlaces == 2 ? 100.0 : std::pow(10.0, nPlaces);
    return std::round(dbVal * factor) / factor;
}

namespace {

struct HeldInfoMessage
{
    QString text;
    int time = 0;
    QString color;
    // A text translated only when it is shown.
    const char* context = nullptr;
    const char* source = nullptr;
};

// Notices given before anyone could show them; a few are enough to tell what went wrong.
constexpr int kMaxHeldInfoMessages = 16;

QMutex& heldInfoMessagesMutex()
{
    static QMutex mutex;
    return mutex;
}

QList<HeldInfoMessage>& heldInfoMessages()
{
    static QList<HeldInfoMessage> messages;
    return messages;
}

void hold(const HeldInfoMessage& message)
{
    QMutexLocker locker(&heldInfoMessagesMutex());
    if (heldInfoMessages().size() < kMaxHeldInfoMessages)
        heldInfoMessages().append(message);
}

} // namespace

void Utils::showInfoMessage(const QString& text, int time, const QString& color)
{
    if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices())
        app->showInfoMessage(text, time, color);
    else
        holdInfoMessage(text, time, color);
}

void Utils::showTranslatedInfoMessage(const char* context, const char* source, int time, const QString& color)
{
    if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices()) {
        app->showInfoMessage(QCoreApplication::translate(context, source), time, color);
        return;
    }
    hold({ QString(), time, color, context, source });
}

void Utils::holdInfoMessage(const QString& text, int time, const QString& color)
{
    hold({ text, time, color, nullptr, nullptr });
}

void Utils::showHeldInfoMessages()
{
    QList<HeldInfoMessage> messages;
    {
        QMutexLocker locker(&heldInfoMessagesMutex());
        messages.swap(heldInfoMessages());
    }
    for (const HeldInfoMessage& message : qAsConst(messages)) {
        if (message.context)
            showTranslatedInfoMessage(message.context, message.source, message.time, message.color);
        else
            showInfoMessage(message.text, message.time, message.color);
    }
}

bool Utils::fileExists(const QString& path)
{
    return QFile::exists(path);
}

bool Utils::dirExists(const QString& path)
{
    return QFile::exists(path);
}

bool Utils::deleteFile(const QString& path)
{
    if (!QFile::exists(path))
        return false;
    return QFile::remove(path);
}

QString Utils::maskConvertFromIPAddress(const QString& address)
{
    if (address.isEmpty())
        return QString();
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() < 4)
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(parts[0].toUInt(), 3, 10, QLatin1Char('0'))
        .arg(parts[1].toUInt(), 3, 10, QLatin1Char('0'))
        .arg(parts[2].toUInt(), 3, 10, QLatin1Char('0'))
        .arg(parts[3].toUInt(), 3, 10, QLatin1Char('0'));
}

QString Utils::ipAddressConvertFromMask(const QString& address)
{
    return QHostAddress(ipAddressToUInt(address)).toString();
}

quint32 Utils::ipAddressToUInt(const QString& address)
{
    if (address.isEmpty())
        return 0;
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() < 4)
        return 0;
    return (parts[0].toUInt() << 24) | (parts[1].toUInt() << 16) | (parts[2].toUInt() << 8) | parts[3].toUInt();
}

void Utils::signalSema(SignalSema sema)
{
    if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices())
        app->messageQueue(sema).signal();
}

} // namespace Vl::Tavix3::UI
