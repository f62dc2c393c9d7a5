#include "events/eventslog.h"

#include "core/exceptionhandler.h"
#include "time/datetime.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTextStream>
#include <QThreadPool>
#include <QUrl>
#include <QWaitCondition>

namespace Vl::Tavix3::UI {

namespace {
const QString kFilePattern = QStringLiteral("Events_*.log");

QString flag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }
} // namespace

struct EventsLog::State
{
    QMutex fileMutex; // the file; held while it is written, and while export and delete have it closed
    QString folder;
    QString fileName;
    QFile file;

    QMutex queueMutex; // the lines below and the writer flag
    QWaitCondition idle;
    QStringList pending;
    bool writerActive = false;

    bool openFile() { return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text); }

    void writeHeader()
    {
        if (!file.isOpen())
            return;
        QTextStream stream(&file);
        stream << EventsLog::headerLine() << '\n';
        stream.flush();
    }
};

EventsLog::EventsLog()
    : m_state(std::make_shared<State>())
{
}

EventsLog::~EventsLog() { waitForWritten(); }

QString EventsLog::headerLine()
{
    return QStringList { QStringLiteral("Id"), QStringLiteral("BibNumber"), QStringLiteral("PhysicalChannel"),
        QStringLiteral("Time"), QStringLiteral("Date"), QStringLiteral("IsAuto"), QStringLiteral("IsSkipped"),
        QStringLiteral("IsScartIn") }
        .join(QLatin1Char(kSeparator));
}

QString EventsLog::recordLine(const Event& event)
{
    return QStringList { event.id, QString::number(event.bibNumber.value_or(0)), QString::number(event.physicalChannel),
        DateTime::displayTime(event.ticks), DateTime::displayDate(event.ticks), flag(event.isAuto),
        flag(event.isSkipped), flag(event.isScartIn) }
        .join(QLatin1Char(kSeparator));
}

void EventsLog::open(const QString& folder, const QDateTime& startTime)
{
    waitForWritten();
    QMutexLocker locker(&m_state->fileMutex);
    m_state->folder = folder;
    m_state->fileName
        = QStringLiteral("%1/Events_%2.log").arg(folder, startTime.toString(QStringLiteral("yyyy-MM-dd_hh.mm.ss")));
    if (m_state->file.isOpen())
        m_state->file.close();
    m_state->file.setFileName(m_state->fileName);
    if (!m_state->openFile()) {
        qWarning() << "Events log not opened:" << m_state->fileName << m_state->file.errorString();
        return;
    }
    m_state->writeHeader();
}

QString EventsLog::fileName() const
{
    QMutexLocker locker(&m_state->fileMutex);
    return m_state->fileName;
}

void EventsLog::append(const EntityPtr<Event>& event)
{
    if (!event)
        return;
    try {
        // The line is made here, on the caller's thread, where the event may be read safely.
        const QString line = recordLine(*event);
        bool startWriter = false;
        {
            QMutexLocker locker(&m_state->queueMutex);
            m_state->pending.append(line);
            if (!m_state->writerActive) {
                m_state->writerActive = true;
                startWriter = true;
            }
        }
        if (startWriter) {
            std::shared_ptr<State> state = m_state;
            QThreadPool::globalInstance()->start([state]() { writeQueued(state); });
        }
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::append");
    }
}

// The one writer: takes the queued lines in order until none is left. Only one runs at a
// time (writerActive), which keeps the lines in the order of the calls.
void EventsLog::writeQueued(const std::shared_ptr<State>& state)
{
    for (;;) {
        QStringList lines;
        {
            QMutexLocker locker(&state->queueMutex);
            if (state->pending.isEmpty()) {
                state->writerActive = false;
                state->idle.wakeAll();
                return;
            }
            lines.swap(state->pending);
        }
        try {
            QMutexLocker locker(&state->fileMutex);
            if (!state->file.isOpen())
                continue;
            QTextStream stream(&state->file);
            for (const QString& line : qAsConst(lines))
                stream << line << '\n';
            stream.flush();
        } catch (const std::exception& e) {
            VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::writeQueued");
        }
    }
}

void EventsLog::waitForWritten()
{
    QMutexLocker locker(&m_state->queueMutex);
    while (m_state->writerActive)
        m_state->idle.wait(&m_state->queueMutex);
}

bool EventsLog::exportTo(const QString& folder)
{
    bool allCopied = true;
    try {
        QString targetFolder = folder;
        if (targetFolder.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            targetFolder = QUrl(folder).toLocalFile();
        if (targetFolder.isEmpty()) {
            qDebug() << "Export of the events logs: no target folder in" << folder;
            return false;
        }

        waitForWritten();
        QMutexLocker locker(&m_state->fileMutex);
        m_state->file.close();

        const QDir source(m_state->folder);
        const QStringList names = source.entryList(QStringList { kFilePattern }, QDir::Files);
        for (const QString& name : names) {
            const QString sourcePath = source.filePath(name);
            const QString targetPath = targetFolder + QLatin1Char('/') + name;
            const QFileInfo targetInfo(targetPath);
            // Exporting into the log folder itself: the file is already there, and removing
            // the "old copy" would delete the log.
            if (targetInfo.exists() && targetInfo.canonicalFilePath() == QFileInfo(sourcePath).canonicalFilePath())
                continue;
            if (targetInfo.exists() && !QFile::remove(targetPath)) {
                qDebug().noquote() << "Copy error " + sourcePath + " to " + targetPath;
                allCopied = false;
                continue;
            }
            qDebug().noquote() << sourcePath;
            qDebug().noquote() << targetPath;
            if (!QFile::copy(sourcePath, targetPath)) {
                qDebug().noquote() << "Copy error " + sourcePath + " to " + targetPath;
                allCopied = false;
            }
        }

        if (!m_state->fileName.isEmpty() && !m_state->openFile())
            qWarning() << "Events log not reopened:" << m_state->fileName << m_state->file.errorString();
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::exportTo");
        return false;
    }
    return allCopied;
}

void EventsLog::removeAll()
{
    try {
        waitForWritten();
        QMutexLocker locker(&m_state->fileMutex);
        m_state->file.close();

        const QDir folder(m_state->folder);
        const QStringList names = folder.entryList(QStringList { kFilePattern }, QDir::Files);
        for (const QString& name : names) {
            if (!QFile::remove(folder.filePath(name)))
                qWarning() << "Events log not removed:" << folder.filePath(name);
        }

        if (m_state->fileName.isEmpty())
            return;
        if (!m_state->openFile()) {
            qWarning() << "Events log not reopened:" << m_state->fileName << m_state->file.errorString();
            return;
        }
        m_state->writeHeader();
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::removeAll");
    }
}

} // namespace Vl::Tavix3::UI
