#pragma once

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QThread>
#include <QTime>

#include <exception>
#include <optional>

#include "core/exceptionhandler.h"

namespace Vl::Tavix3::UI {

// Helpers shared by every subsystem (and the QML type "Utils"): the JSON message envelope,
// the thread stopper, an event-pumping sleep, the info-bar message, rounding and IPv4 texts.
class Utils : public QObject
{
    Q_OBJECT

public:
    // Selects one of the application object's message queues.
    enum SignalSema { SIGNAL_SEMA_0 = 0, SIGNAL_SEMA_1 = 1 };
    Q_ENUM(SignalSema)

    using QObject::QObject;

    // JSON message envelope.
    static QString createJsonData(const QString& type, const QString& section, const QString& id,
                                  const QJsonArray& data, bool framed);
    static QString convertToJSonString(const QString& type, const QString& section, const QJsonObject& data,
                                       bool framed);
    static bool parseJsonData(const QString& text, QString& type, QString& section, QString& id, QJsonArray& data);
    static bool isValidJsonValue(const QJsonValue& value);

    // Stops a worker (which has a quit() signal and ends its own thread) and deletes it with its
    // thread; the caller's pointer is cleared. A worker whose thread does not end in about 10 s
    // is left to be deleted with its thread when that thread finishes.
    template <typename T>
    static void stopThread(T** worker, bool emitQuit, std::optional<SignalSema> sema = std::nullopt);

    Q_INVOKABLE static void processEvents(unsigned long mSec = 50, unsigned long every = 0);
    Q_INVOKABLE static double round(double dbVal, int nPlaces);
    // The info bar's colour of a failure.
    static inline const QString kErrorColor = QStringLiteral("#d12f2f");
    // Shows a short coloured notice in the info bar. A notice given before the application object
    // exists, or before its screens listen, is held (holdInfoMessage) and shown when they do
    // (showHeldInfoMessages).
    Q_INVOKABLE static void showInfoMessage(const QString& text, int time = 3000,
                                            const QString& color = QStringLiteral("#007743"));
    static void holdInfoMessage(const QString& text, int time, const QString& color);
    static void showHeldInfoMessages();
    // The same for a text still to be translated (context and source as QCoreApplication::translate
    // takes them, both string literals): a notice held until the screens listen is translated when
    // it is shown, in the language loaded by then.
    static void showTranslatedInfoMessage(const char* context, const char* source, int time, const QString& color);
    Q_INVOKABLE static bool fileExists(const QString& path);
    Q_INVOKABLE static bool dirExists(const QString& path);
    Q_INVOKABLE static bool deleteFile(const QString& path);
    Q_INVOKABLE static QString maskConvertFromIPAddress(const QString& address);
    Q_INVOKABLE static QString ipAddressConvertFromMask(const QString& address);
    static quint32 ipAddressToUInt(const QString& address);
    static void signalSema(SignalSema sema);

private:
    static void releaseWhenFinished(QObject* worker, QThread* thread);
};

template <typename T>
void Utils::stopThread(T** worker, bool emitQuit, std::optional<SignalSema> sema)
{
    try {
        if (!worker || !*worker)
            return;
        T* target = *worker;
        if (emitQuit)
            emit target->quit();
        if (sema)
            signalSema(*sema);

        QThread* thread = target->thread();
        bool finished = false;
        int failedWaits = 0;
        for (;;) {
            if (thread->wait(100)) {
                finished = true;
                break;
            }
            if (failedWaits >= 100)
                break;
            QCoreApplication::processEvents();
            ++failedWaits;
            if (failedWaits % 10 == 0 && failedWaits <= 90) {
                emit target->quit();
                qDebug() << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << ": " << failedWaits / 10
                         << " sec thread->wait " << thread->objectName();
            }
        }

        if (finished && emitQuit) {
            delete target;
            delete thread;
        } else if (finished) {
            delete target;
            thread->deleteLater();
        } else {
            // Never delete a worker its thread may still be running.
            releaseWhenFinished(target, thread);
        }
        *worker = nullptr;
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::stopThread");
    }
}

} // namespace Vl::Tavix3::UI
