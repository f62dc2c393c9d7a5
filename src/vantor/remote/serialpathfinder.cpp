#include "remote/serialpathfinder.h"

#include "common/jsontextscreen.h"
#include "app/application.h"
#include "core/exceptionhandler.h"
#include "core/orvaneenum.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "device/systemhw.h"
#include "remote/sequencecommands.h"
#include "remote/serial.h"
#include "remote/settingscommands.h"
#include "remote/synchrocommands.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QSet>
#include <QThread>
#include <QTime>

#include <exception>
#include <memory>

namespace Vl::Tavix3::UI {

namespace {

// The longest wait for a notice before the quit flag is looked at again.
constexpr unsigned long kNoticeWaitMs = 300;
// The longest text the display board takes from a remote client.
constexpr int kBoardTextLength = 7;

// An effect handed to another thread: it runs there unless the caller has stopped waiting for it,
// so that it never touches what the caller has already released.
struct ForeignCall
{
    QMutex mutex;
    bool abandoned = false;
    QSemaphore done;
};

} // namespace

SerialPathFinder::SerialPathFinder(QObject* parent)
    : QObject(parent)
    , m_application(sharedApplication())
    , m_serial(m_application ? m_application->serial() : nullptr)
{
    connect(this, &SerialPathFinder::quit, this, &SerialPathFinder::quitHandler, Qt::DirectConnection);
}

SerialPathFinder::~SerialPathFinder() = default;

void SerialPathFinder::quitHandler()
{
    m_quit = true;
    // The loop need not sit out the rest of its wait for a notice.
    if (m_serial) {
        SerialNoticeQueue& queue = m_serial->noticeQueue();
        QMutexLocker locker(&queue.mutex);
        queue.condition.wakeAll();
    }
}

bool SerialPathFinder::isStopping() const { return m_quit || (m_application && m_application->isClosing()); }

void SerialPathFinder::process()
{
    m_clock.start();
    // The ports with unread input, in the order their input arrived; each gets a turn in the round.
    QList<SerialInfoType> ready;
    QSet<int> readyIds;
    while (!m_quit) {
        if (!m_serial) {
            QThread::msleep(100);
            continue;
        }
        // Every notice that came since the last round is taken now, so a port that has just
        // received bytes gets its turn in this round, however many ports are busy.
        SerialInfoType port;
        unsigned long wait = ready.isEmpty() ? kNoticeWaitMs : 0;
        while (m_serial->noticeQueue().take(port, wait)) {
            wait = 0;
            if (!readyIds.contains(port.portId)) {
                readyIds.insert(port.portId);
                ready.append(port);
            }
        }
        if (m_quit)
            break;
        // A closing program reads nothing more, but the loop lives on until it is told to quit.
        if (isStopping()) {
            ready.clear();
            readyIds.clear();
            continue;
        }
        // The answers of one round go out together: one write for each client, however many
        // requests the round served.
        m_serial->beginOutputBatch();
        for (int i = 0; i < ready.size() && !isStopping();) {
            if (readPort(ready.at(i))) {
                ++i;
            } else {
                readyIds.remove(ready.at(i).portId);
                ready.removeAt(i);
            }
        }
        m_serial->endOutputBatch();
        expireReaders();
    }
    emit finished();
}

FrameReader& SerialPathFinder::readerOf(const SerialInfoType& port)
{
    auto it = m_readers.find(port.portId);
    if (it == m_readers.end()) {
        qint64 timeout = FrameReader::kTimeoutMs;
        if (port.type == SerialEnum::BLUETOOTH)
            timeout = FrameReader::kBluetoothTimeoutMs;
        else if (port.type == SerialEnum::SER_VIRTUAL)
            timeout = 0;
        it = m_readers.insert(port.portId, FrameReader(timeout));
    }
    return *it;
}

bool SerialPathFinder::readPort(const SerialInfoType& port)
{
    // Bytes read in an earlier turn and not fed yet come first.
    QByteArray chunk = m_leftovers.take(port.portId);
    if (chunk.isEmpty()) {
        chunk.resize(kBytesPerTurn);
        chunk.resize(m_serial->readBytes(port, chunk.data(), kBytesPerTurn));
    }
    if (chunk.isEmpty()) {
        // A file's input has no time-out: its end ends whatever frame it left open.
        if (port.type == SerialEnum::SER_VIRTUAL)
            readerOf(port).reset();
        return !m_serial->isBufferEmpty(port);
    }
    for (int n = 0; n < chunk.size(); ++n) {
        if (isStopping())
            return false;
        FrameReader& reader = readerOf(port);
        const int heldBefore = reader.pendingBytes();
        const qint64 readAt = m_clock.elapsed();
        const std::optional<FrameReader::Frame> frame = reader.feed(chunk.at(n), readAt);
        m_heldFrameBytes += reader.pendingBytes() - heldBefore;
        if (m_heldFrameBytes > kFrameBudgetBytes)
            dropLargestFrame();
        if (!frame)
            continue;
        handleFrame(port, *frame);
        // A command may take a while; that time is no silence on any port.
        const qint64 spent = m_clock.elapsed() - readAt;
        for (FrameReader& other : m_readers)
            other.suspendTimeout(spent);
        // One request per turn: the other ports get theirs before this one's next.
        if (n + 1 < chunk.size()) {
            m_leftovers.insert(port.portId, chunk.mid(n + 1));
            return true;
        }
    }
    return !m_serial->isBufferEmpty(port);
}

void SerialPathFinder::dropLargestFrame()
{
    auto largest = m_readers.end();
    for (auto it = m_readers.begin(); it != m_readers.end(); ++it) {
        if (largest == m_readers.end() || it->pendingBytes() > largest->pendingBytes())
            largest = it;
    }
    if (largest == m_readers.end())
        return;
    qWarning().noquote() << QStringLiteral("Remote frame of %1 bytes dropped: the unfinished frames of all clients "
                                           "hold more than %2 bytes")
                                .arg(largest->pendingBytes())
                                .arg(kFrameBudgetBytes);
    m_heldFrameBytes -= largest->pendingBytes();
    largest->skipFrame();
}

void SerialPathFinder::expireReaders()
{
    const qint64 now = m_clock.elapsed();
    for (auto it = m_readers.begin(); it != m_readers.end();) {
        const int heldBefore = it->pendingBytes();
        const bool idle = it->expire(now);
        m_heldFrameBytes += it->pendingBytes() - heldBefore;
        if (idle)
            it = m_readers.erase(it);
        else
            ++it;
    }
}

void SerialPathFinder::handleFrame(const SerialInfoType& port, const FrameReader::Frame& frame)
{
    // Replies wait while the clients have not taken what was sent before, so that a burst of large
    // replies costs the output budget and no more.
    m_serial->waitForOutputRoom(kOutputWaitMs);
    // Every frame takes effect after the screen changes the frames before it asked for: neither a
    // screen's opening nor its leaving can take back what this frame changes, and no work of this
    // frame waits on the GUI thread while a screen change there runs an event loop of its own.
    const bool screensDone = waitForAskedScreens();
    switch (frame.kind) {
    case FrameReader::FrameKind::Json:
        handleRequest(port, frame.bytes, screensDone);
        break;
    case FrameReader::FrameKind::RawText:
        m_frameMayQueueGuiWork = true;
        if (screensDone)
            handleRawText(frame.bytes);
        break;
    case FrameReader::FrameKind::Hex:
        m_frameMayQueueGuiWork = true;
        if (screensDone)
            handleHexFrame(port, frame.bytes);
        break;
    }
    if (m_frameMayQueueGuiWork) {
        m_frameMayQueueGuiWork = false;
        m_guiWorkBehind = true;
    }
}

void SerialPathFinder::sendText(const SerialInfoType& port, const QString& text)
{
    auto delivery = Serial::Delivery::Immediate;
    if (m_frameMayQueueGuiWork || m_guiWorkBehind) {
        // Texts after this one wait behind it, so one text waiting is enough.
        delivery = Serial::Delivery::AfterGuiWork;
        m_guiWorkBehind = false;
    }
    m_serial->serialOutText(port, text, delivery);
}

QString SerialPathFinder::acknowledgement(const QString& requestId)
{
    // A null identifier would make the envelope invent one; a request without one gets an empty one.
    const QString id = requestId.isNull() ? QString::fromLatin1("") : requestId;
    return Utils::createJsonData(QStringLiteral("SemaACK"), QString::fromLatin1(""), id, QJsonArray(), true);
}

bool SerialPathFinder::parseRequest(
    const QByteArray& text, QString& type, QString& section, QString& id, QJsonArray& data)
{
    if (!Vl::Common::JsonTextScreen::isSafeToParse(text))
        return false;
    return Utils::parseJsonData(QString::fromUtf8(text), type, section, id, data);
}

void SerialPathFinder::handleRequest(const SerialInfoType& port, const QByteArray& text, bool screensDone)
{
    QString type;
    QString section;
    QString id;
    QJsonArray data;
    if (!parseRequest(text, type, section, id, data))
        return;
    if (type == QLatin1String("SemaACK"))
        return;
    if (section == QLatin1String("DisplayboardOutput")) {
        // Neither acknowledged nor answered.
        if (screensDone)
            handleData(port, type, section, data);
        return;
    }
    sendText(port, acknowledgement(id));
    if (!screensDone) {
        sendError(CommandRequest(port, type, section, data), RemoteError::ErrorProgramClosing);
        return;
    }
    // A request that only reads queues nothing for the GUI thread, unless it runs something there.
    if (type != QLatin1String("Sema") || !section.startsWith(QLatin1String("Get")))
        m_frameMayQueueGuiWork = true;
    handleData(port, type, section, data);
}

void SerialPathFinder::handleRawText(const QByteArray& text)
{
    if (!m_application || m_application->displayboardMode() != OrvaneEnum::DISPLAYBOARD_MODE)
        return;
    const QSharedPointer<Application> app = m_application;
    if (!showOutputScreen())
        return;
    const QString shown = boardText(QString::fromLocal8Bit(text));
    if (Displayboard* board = app->displayboard())
        board->drawText(1, 0, shown, DisplayboardEnum::DISP_COLOR_RED, DisplayboardEnum::DISP_COLOR_OFF,
            DisplayboardEnum::DISP_FONT_BIG, true);
    app->setDisplayboardOutput(outputText(shown));
}

void SerialPathFinder::handleData(
    const SerialInfoType& port, const QString& type, const QString& command, const QJsonArray& data)
{
    if (!m_application)
        return;
    const CommandRequest request(port, type, command, data);
    try {
        if (type == QLatin1String("Sema")) {
            if (!SequenceCommands::execute(*this, request))
                SettingsCommands::execute(*this, request);
        } else if (type == QLatin1String("System") && command == QLatin1String("BootToRecoveryMode")) {
            SystemHw* hw = m_application->systemHw();
            if (hw && !runOn(hw, [hw]() { hw->bootToRecoveryMode(); }))
                sendError(request, RemoteError::ErrorProgramClosing);
        }
    } catch (const std::exception& e) {
        qDebug().noquote() << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << e.what();
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::SerialPathFinder::handleData");
    }
}

void SerialPathFinder::handleHexFrame(const SerialInfoType& port, const QByteArray& frame)
{
    try {
        SynchroCommands::execute(*this, port, frame);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::SerialPathFinder::handleHexFrame");
    }
}

QString SerialPathFinder::boardText(const QString& text)
{
    QString cut = text.left(kBoardTextLength);
    // A character made of two UTF-16 units is not cut in half.
    if (!cut.isEmpty() && cut.at(cut.size() - 1).isHighSurrogate())
        cut.chop(1);
    return cut;
}

QString SerialPathFinder::outputText(QString text) { return text.replace(QChar(0xFFFF), QLatin1Char(' ')); }

bool SerialPathFinder::runOn(QObject* context, const std::function<void()>& effect)
{
    if (!context)
        return false;
    m_frameMayQueueGuiWork = true;
    // What this thread has sent goes out before it waits.
    if (m_serial)
        m_serial->flushOutputBatch();
    if (context->thread() == QThread::currentThread()) {
        effect();
        return true;
    }
    auto call = std::make_shared<ForeignCall>();
    QMetaObject::invokeMethod(
        context,
        [call, effect]() {
            QMutexLocker locker(&call->mutex);
            if (call->abandoned)
                return;
            try {
                effect();
            } catch (const std::exception& e) {
                VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::SerialPathFinder::runOn");
            }
            call->done.release();
        },
        Qt::QueuedConnection);
    QElapsedTimer waited;
    waited.start();
    bool noticed = false;
    while (!call->done.tryAcquire(1, 20)) {
        if (isStopping()) {
            QMutexLocker locker(&call->mutex);
            if (call->done.tryAcquire(1))
                return true;
            call->abandoned = true;
            qWarning() << "Remote command: the program is closing; the GUI thread did not take the command within"
                       << waited.elapsed() << "ms";
            return false;
        }
        if (!noticed && waited.elapsed() >= kGuiBusyNoticeMs) {
            noticed = true;
            qWarning() << "Remote command: the GUI thread is busy; the command waits for it";
        }
    }
    return true;
}

bool SerialPathFinder::waitUntil(const std::function<bool()>& done, int timeoutMs, int stepMs)
{
    if (m_serial)
        m_serial->flushOutputBatch();
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (isStopping() || waited.elapsed() >= timeoutMs)
            return false;
        Utils::processEvents(ulong(stepMs));
    }
    return true;
}

bool SerialPathFinder::waitForScreens(int timeoutMs)
{
    const QSharedPointer<Application> app = m_application;
    const quint64 ticket = app->takeScreenTicket();
    if (!waitUntil([app, ticket]() { return app->isScreenTicketDone(ticket); }, timeoutMs, 2))
        return false;
    // The ticket went out behind every screen change asked for so far.
    m_screensAsked = false;
    return true;
}

bool SerialPathFinder::waitForAskedScreens()
{
    if (!m_screensAsked || !m_application)
        return true;
    bool noticed = false;
    while (!waitForScreens(kGuiBusyNoticeMs)) {
        if (isStopping())
            return false;
        if (!noticed) {
            noticed = true;
            qWarning() << "Remote command: the GUI thread is busy; the command waits for the screen change asked "
                          "for before it";
        }
    }
    return true;
}

void SerialPathFinder::askForRunScreen(int sequenceType)
{
    m_screensAsked = true;
    emit m_application->showHandleSequenceMenu(sequenceType);
}

void SerialPathFinder::askToHideRunScreen()
{
    m_screensAsked = true;
    emit m_application->hideHandleSequenceMenu();
}

bool SerialPathFinder::showOutputScreen()
{
    if (m_application->isInTimingMenu())
        return true;
    m_screensAsked = true;
    emit m_application->showDisplayboardOutputMenu();
    // The screen clears the board when it opens: a text drawn before that would be wiped.
    waitForScreens(kOutputScreenWaitMs);
    return m_application->isInTimingMenu();
}

void SerialPathFinder::sendReply(const CommandRequest& request, const QJsonObject& data)
{
    sendText(request.port(), Utils::convertToJSonString(request.type(), request.command(), data, true));
}

void SerialPathFinder::sendError(const CommandRequest& request, RemoteError error)
{
    QJsonObject data;
    data.insert(QStringLiteral("Error"), errorText(error));
    data.insert(QStringLiteral("ErrorIndex"), errorIndex(error));
    sendText(request.port(), Utils::convertToJSonString(QStringLiteral("SemaError"), request.command(), data, true));
}

QString SerialPathFinder::errorText(RemoteError error)
{
    switch (error) {
    case RemoteError::SequenceNotExistsByName:
    case RemoteError::SequenceNotExistsById:
        return tr("Sequence not exists");
    case RemoteError::ErrorSequence:
        return tr("Error sequence");
    case RemoteError::ErrorSequenceId:
        return tr("Error sequence Id");
    case RemoteError::ErrorSequenceName:
        return tr("Error sequence name");
    case RemoteError::ErrorSequenceMode:
        return tr("Error sequence mode");
    case RemoteError::ErrorStartTime:
        return tr("Error start time");
    case RemoteError::ErrorRepetitionTime:
        return tr("Error repetition time");
    case RemoteError::ErrorStartingList:
        return tr("Error starting list");
    case RemoteError::ErrorStartingListId:
        return tr("Error starting list Id");
    case RemoteError::ErrorStartingListName:
        return tr("Error starting list name");
    case RemoteError::StartingListNotExistsByName:
    case RemoteError::StartingListNotExistsById:
        return tr("Starting list not exists");
    case RemoteError::ErrorColor:
        return tr("Error color");
    case RemoteError::ErrorSound:
        return tr("Error sound");
    case RemoteError::ErrorWifiSsid:
        return tr("Error wifi SSID");
    case RemoteError::ErrorLanguage:
        return tr("Error language");
    case RemoteError::ErrorDateFormat:
        return tr("Error date format");
    case RemoteError::ErrorTimeFormat:
        return tr("Error time format");
    case RemoteError::ErrorOffMode:
        return tr("Error off mode");
    case RemoteError::ErrorVisualizationMode:
        return tr("Error visualization mode");
    case RemoteError::ErrorTimeColor:
        return tr("Error time color");
    case RemoteError::ErrorGpsModeAmbrel:
        return tr("Error to set GPS mode because Ambrel is enabled");
    case RemoteError::ErrorShowSequenceScreen:
        return tr("Error to show the sequence screen");
    case RemoteError::ErrorDelayFalseStart:
        return tr("Error delay false start");
    case RemoteError::ErrorProgramClosing:
        return tr("Error because the program is closing");
    case RemoteError::ErrorSettingsNotStored:
        return tr("Error to store the settings");
    }
    return QString();
}

int SerialPathFinder::errorIndex(RemoteError error)
{
    switch (error) {
    case RemoteError::SequenceNotExistsByName:
    case RemoteError::ErrorSequenceName:
        return 1;
    case RemoteError::ErrorSequenceMode:
        return 2;
    case RemoteError::ErrorStartTime:
        return 3;
    case RemoteError::ErrorRepetitionTime:
        return 4;
    case RemoteError::ErrorColor:
        return 5;
    case RemoteError::ErrorSound:
        return 6;
    case RemoteError::ErrorWifiSsid:
        return 7;
    case RemoteError::ErrorLanguage:
        return 8;
    case RemoteError::ErrorDateFormat:
        return 9;
    case RemoteError::ErrorTimeFormat:
        return 10;
    case RemoteError::ErrorOffMode:
        return 11;
    case RemoteError::ErrorVisualizationMode:
        return 12;
    case RemoteError::SequenceNotExistsById:
    case RemoteError::ErrorSequenceId:
        return 13;
    case RemoteError::ErrorSequence:
        return 14;
    case RemoteError::ErrorTimeColor:
        return 15;
    case RemoteError::ErrorStartingList:
        return 16;
    case RemoteError::ErrorStartingListName:
    case RemoteError::StartingListNotExistsByName:
        return 17;
    case RemoteError::ErrorStartingListId:
    case RemoteError::StartingListNotExistsById:
        return 18;
    case RemoteError::ErrorGpsModeAmbrel:
        return 19;
    case RemoteError::ErrorShowSequenceScreen:
        return 21;
    case RemoteError::ErrorDelayFalseStart:
        return 22;
    case RemoteError::ErrorProgramClosing:
        return 23;
    case RemoteError::ErrorSettingsNotStored:
        return 24;
    }
    return 0;
}

} // namespace Vl::Tavix3::UI
