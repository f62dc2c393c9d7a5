#pragma once

#include "remote/commandrequest.h"
#include "remote/framereader.h"
#include "remote/serialinfotype.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <atomic>
#include <functional>

namespace Vl::Tavix3::UI {

class Application;
class Serial;

// The remote-command server on "SerialPathFinder thread": it waits for the serial layer's notices,
// reads the frames of every port that received bytes, answers each JSON request with its
// acknowledgement before executing it (handleData), draws raw display-board texts and answers the
// synchronisation frames. Replies and errors go to the request's port through serialOutText.
class SerialPathFinder : public QObject
{
    Q_OBJECT

public:
    // The errors of the remote commands: a text (translated in this class's context) and its index.
    enum class RemoteError {
        SequenceNotExistsByName, // "Sequence not exists", 1
        SequenceNotExistsById, // "Sequence not exists", 13
        ErrorSequence, // 14
        ErrorSequenceId, // 13
        ErrorSequenceName, // 1
        ErrorSequenceMode, // 2
        ErrorStartTime, // 3
        ErrorRepetitionTime, // 4
        ErrorStartingList, // 16
        ErrorStartingListId, // 18
        ErrorStartingListName, // 17
        StartingListNotExistsByName, // 17
        StartingListNotExistsById, // 18
        ErrorColor, // 5
        ErrorSound, // 6
        ErrorWifiSsid, // 7
        ErrorLanguage, // 8
        ErrorDateFormat, // 9
        ErrorTimeFormat, // 10
        ErrorOffMode, // 11
        ErrorVisualizationMode, // 12
        ErrorTimeColor, // 15
        ErrorGpsModeAmbrel, // 19
        ErrorShowSequenceScreen, // 21
        ErrorDelayFalseStart, // 22
        ErrorProgramClosing, // 23
        ErrorSettingsNotStored, // 24
    };

    // The longest wait for the operator interface to reach the run screen.
    static constexpr int kScreenWaitMs = 3000;
    // The longest wait for the display-board output screen to open and clear the board.
    static constexpr int kOutputScreenWaitMs = 1000;
    // A command that waits this long for a busy GUI thread says so in the log once (it goes on waiting).
    static constexpr int kGuiBusyNoticeMs = 5000;
    // The longest wait, before a frame is handled, for the clients to take the output held for them.
    static constexpr int kOutputWaitMs = 1000;
    // Bytes read from one port before the next port with input gets its turn.
    static constexpr int kBytesPerTurn = 4096;
    // Bytes of unfinished frames held for all ports together, at most; beyond it the largest
    // unfinished frame is dropped.
    static constexpr qint64 kFrameBudgetBytes = 64 << 20;

    explicit SerialPathFinder(QObject* parent = nullptr);
    ~SerialPathFinder() override;

    // Executes one request: the commands of type "Sema" and "BootToRecoveryMode" of type "System".
    void handleData(const SerialInfoType& port, const QString& type, const QString& command, const QJsonArray& data);
    // Checks and executes one synchronisation frame, from "$" to carriage return.
    void handleHexFrame(const SerialInfoType& port, const QByteArray& frame);

    // For the command groups.
    QSharedPointer<Application> application() const { return m_application; }
    Serial* serial() const { return m_serial; }
    // The server is told to quit or the program is closing: waits end at once.
    bool isStopping() const;
    // Runs effect on the thread of context (the GUI thread for the objects that live there) and waits
    // for it as long as that thread is busy: a value read there is the real one and a change made
    // there is never dropped. Only a stop ends the wait: then effect does not run and the result is
    // false, and the command answers with an error (ErrorProgramClosing where it has none of its own).
    bool runOn(QObject* context, const std::function<void()>& effect);
    // Pumps this thread's events in steps of stepMs until done() or the time is up; true when done.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs, int stepMs);
    // Waits, at most timeoutMs and not past a stop, until the GUI thread has handled every screen
    // request made so far; true when it has.
    bool waitForScreens(int timeoutMs);
    // The screen changes this server asks of the GUI thread: the run screen for the engine's sequence
    // shown, and hidden. The frames after one are handled only once the screens have made it.
    void askForRunScreen(int sequenceType);
    void askToHideRunScreen();
    // Opens the display-board output screen unless a timing screen is shown, and waits until it has
    // cleared the board; true when a timing screen is shown then.
    bool showOutputScreen();
    void sendReply(const CommandRequest& request, const QJsonObject& data);
    void sendError(const CommandRequest& request, RemoteError error);
    static QString errorText(RemoteError error);
    static int errorIndex(RemoteError error);

    // The envelope of a request's UTF-8 text; false for a text that is refused or does not parse.
    static bool parseRequest(const QByteArray& text, QString& type, QString& section, QString& id, QJsonArray& data);
    // The first characters of a text that a remote client shows on the display board.
    static QString boardText(const QString& text);
    // The display-board text as the application's output shows it (the board's blank for U+FFFF).
    static QString outputText(QString text);
    // The acknowledgement of a request: its identifier, or an empty one when it has none.
    static QString acknowledgement(const QString& requestId);

signals:
    void quit();
    void finished();

public slots:
    void process();
    void quitHandler();

private:
    // Reads at most kBytesPerTurn bytes of a port, and at most one request; false when its input is
    // used up.
    bool readPort(const SerialInfoType& port);
    void handleFrame(const SerialInfoType& port, const FrameReader::Frame& frame);
    // Waits as long as the GUI thread is busy until it has made the screen changes asked for so far;
    // false only when the server stops first.
    bool waitForAskedScreens();
    // A request is executed only when screensDone; otherwise (the program closes) it is acknowledged
    // and answered with ErrorProgramClosing.
    void handleRequest(const SerialInfoType& port, const QByteArray& text, bool screensDone);
    void handleRawText(const QByteArray& text);
    // Sends an acknowledgement, a reply or an error. A text that follows work this server may have
    // queued for the GUI thread (any request but a "Get" one, a raw text, a synchronisation frame,
    // anything run there) leaves after that work; the others leave at once.
    void sendText(const SerialInfoType& port, const QString& text);

    // Ends the frames that a silence has ended and forgets the ports with nothing in progress.
    void expireReaders();
    void dropLargestFrame();
    FrameReader& readerOf(const SerialInfoType& port);

    std::atomic<bool> m_quit { false };
    QSharedPointer<Application> m_application;
    Serial* m_serial = nullptr;
    QElapsedTimer m_clock;
    QHash<int, FrameReader> m_readers; // by port id
    QHash<int, QByteArray> m_leftovers; // bytes read but not fed yet, by port id
    qint64 m_heldFrameBytes = 0; // the unfinished frames of all readers
    bool m_frameMayQueueGuiWork = false; // the frame being handled
    bool m_guiWorkBehind = false; // a frame did, and no text has waited for its work yet
    bool m_screensAsked = false; // a screen change asked for that the GUI thread may not have made yet
};

} // namespace Vl::Tavix3::UI
