#pragma once

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QString>

#include "events/event.h"

namespace Vl::Tavix3::UI {

// The events log: one semicolon-separated file per run, "Events_" + the start time, in the
// application-data folder.
class EventsLog
{
public:
    static constexpr char kSeparator = ';';

    // Names this run's file after startTime, opens it for appending and writes the header line.
    void open(const QString& folder, const QDateTime& startTime);
    QString fileName() const { return m_fileName; }
    static QString headerLine();

    // Queues one record line; never blocks the caller on file I/O.
    void append(const EntityPtr<Event>& event);
    // Copies every events log to folder (a path or a "file:" URL); true when every copy succeeded.
    bool exportTo(const QString& folder);
    // Removes every events log and starts this run's file again with its header.
    void removeAll();

private:
    QString m_folder;
    QString m_fileName;
    QFile m_file;
    QMutex m_mutex;
};

} // namespace Vl::Tavix3::UI
