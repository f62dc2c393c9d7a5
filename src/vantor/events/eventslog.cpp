#include "events/eventslog.h"

#include "core/exceptionhandler.h"
#include "core/utils.h"
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
    bool headerWritten = false; // this run's file has its header line
    bool failing = false; // the file cannot be opened: the lines wait in pending

    QMutex queueMutex; // the lines below, the writer flag and the retry timer
    QWaitCondition idle;
    QStringList pending;
    bool writerActive = false;
    QTimer* retryTimer = nullptr; // the log's own, started through its thread's event loop

    bool openFile() { return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text); }

    void writeHeader()
    {
        if (!file.isOpen())
            return;
        QTextStream stream(&file);
        stream << EventsLog::headerLine() << '\n';
        stream.flush();
        headerWritten = true;
    }

    // With fileMutex held: the file cannot be opened. Said once, when it begins.
    void fail(const QString& what)
    {
        if (failing)
            return;
        failing = true;
        qWarning().noquote() << QStringLiteral("%1: %2 (%3); the events wait and are written as soon as it opens")
                                    .arg(what, fileName, file.errorString());
        Utils::showTranslatedInfoMessage("Vl::Tavix3::UI::EventsLog",
            QT_TRANSLATE_NOOP("Vl::Tavix3::UI::EventsLog", "Events log cannot be written"), 10000,
            Utils::kErrorColor);
    }

    // With fileMutex held: opens this run's file afresh and writes its header; failure names the
    // step in the log when the file cannot be opened.
    void openWithHeader(const QString& failure)
    {
        headerWritten = false;
        if (!openFile()) {
            fail(failure);
            return;
        }
        failing = false;
        writeHeader();
    }

    // With fileMutex held: writes the lines, opening the file (and writing the header it lacks)
    // when it is closed; false when it cannot be opened.
    bool writeLines(const QStringList& lines)
    {
        if (!file.isOpen()) {
            if (!openFile()) {
                fail(QStringLiteral("Events log not written"));
                return false;
            }
            if (failing)
                qInfo().noquote() << QStringLiteral("Events log opened again: %1; the events that waited follow").arg(fileName);
        }
        failing = false;
        if (!headerWritten)
            writeHeader();
        QTextStream stream(&file);
        for (const QString& line : lines)
            stream << line << '\n';
        stream.flush();
        return true;
    }
};

EventsLog::EventsLog()
    : m_state(std::make_shared<State>())
{
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(kRetryMs);
    QObject::connect(&m_retryTimer, &QTimer::timeout, &m_retryTimer, [this]() { retry(); });
    m_state->retryTimer = &m_retryTimer;
}

EventsLog::~EventsLog()
{
    {
        QMutexLocker locker(&m_state->queueMutex);
        m_state->retryTimer = nullptr;
    }
    waitForWritten();
    // A last try for the lines that wait; what still cannot be written goes to the diagnostic log.
    retry();
    QStringList unwritten;
    {
        QMutexLocker locker(&m_state->queueMutex);
        unwritten.swap(m_state->pending);
    }
    for (const QString& line : qAsConst(unwritten))
        qWarning().noquote() << QStringLiteral("Events log line not written: %1").arg(line);
}

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
    m_state->openWithHeader(QStringLiteral("Events log not opened"));
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
// time (writerActive), which keeps the lines in the order of the calls. Lines the file cannot
// take go back in front of the queue, to wait for the next line or the retry timer.
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
        bool written = true;
        try {
            QMutexLocker locker(&state->fileMutex);
            // No file was ever chosen: there is nowhere to write to.
            if (!state->fileName.isEmpty())
                written = state->writeLines(lines);
        } catch (const std::exception& e) {
            VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::writeQueued");
        }
        if (!written) {
            QMutexLocker locker(&state->queueMutex);
            lines.append(state->pending);
            state->pending.swap(lines);
            if (state->retryTimer)
                QMetaObject::invokeMethod(state->retryTimer, qOverload<>(&QTimer::start), Qt::QueuedConnection);
            state->writerActive = false;
            state->idle.wakeAll();
            return;
        }
    }
}

void EventsLog::retry()
{
    {
        QMutexLocker locker(&m_state->queueMutex);
        if (m_state->writerActive || m_state->pending.isEmpty())
            return;
        m_state->writerActive = true;
    }
    writeQueued(m_state);
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
            m_state->fail(QStringLiteral("Events log not reopened"));
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

        if (!m_state->fileName.isEmpty())
            m_state->openWithHeader(QStringLiteral("Events log not reopened"));
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::EventsLog::removeAll");
    }
}

} // namespace Vl::Tavix3::UI
