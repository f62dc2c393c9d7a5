#pragma once

#include "events/event.h"

#include <QDateTime>
#include <QString>
#include <QTimer>

#include <memory>

namespace Vl::Tavix3::UI {

// The events log: one semicolon-separated file per run, "Events_" + the start time, in the
// application-data folder. Records are written by one ordered writer on the thread pool, in
// the order they were handed over, so that the caller never waits for the disk.
//
// A file that cannot be opened (a folder that cannot be written) loses nothing: its lines wait, in
// order, and are written (after the header the file lacks) as soon as it opens, which is tried again
// with every new line and every kRetryMs. The log and the info bar say so once, when the file begins
// to fail; lines that still wait when the log goes away are written to the diagnostic log instead.
class EventsLog
{
public:
    static constexpr char kSeparator = ';';
    static constexpr int kRetryMs = 5000;

    EventsLog();
    // Writes what is still queued before the log goes away.
    ~EventsLog();
    EventsLog(const EventsLog&) = delete;
    EventsLog& operator=(const EventsLog&) = delete;

    // Names this run's file after startTime, opens it for appending and writes the header line.
    void open(const QString& folder, const QDateTime& startTime);
    QString fileName() const;
    static QString headerLine();
    // The line of one event, fields in the header's order.
    static QString recordLine(const Event& event);

    // Queues the event's line, taken as the event is now; never blocks the caller on file I/O.
    void append(const EntityPtr<Event>& event);
    // Copies every events log to folder (a path or a "file:" URL); true when every copy succeeded.
    bool exportTo(const QString& folder);
    // Removes every events log and starts this run's file again with its header.
    void removeAll();
    // Blocks until every line queued so far is in the file, or waits for the file to open.
    void waitForWritten();
    // Writes the lines that wait, on the calling thread, when the file can be opened now; the retry
    // timer calls it.
    void retry();

private:
    struct State;
    static void writeQueued(const std::shared_ptr<State>& state);

    // Shared with the writer job, which may outlive a call that queued it.
    std::shared_ptr<State> m_state;
    QTimer m_retryTimer;
};

} // namespace Vl::Tavix3::UI
