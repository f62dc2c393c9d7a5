#include "core/eventslog.h"

#include <QStringList>
#include <QTextStream>

namespace Vl::Tavix3::UI {

QString EventsLog::headerLine()
{
    return QStringList{QStringLiteral("Id"),       QStringLiteral("BibNumber"), QStringLiteral("PhysicalChannel"),
                       QStringLiteral("Time"),     QStringLiteral("Date"),      QStringLiteral("IsAuto"),
                       QStringLiteral("IsSkipped"), QStringLiteral("IsScartIn")}
        .join(QLatin1Char(kSeparator));
}

void EventsLog::open(const QString& folder, const QDateTime& startTime)
{
    QMutexLocker locker(&m_mutex);
    m_folder = folder;
    m_fileName = QStringLiteral("%1/Events_%2.log")
                     .arg(folder, startTime.toString(QStringLiteral("yyyy-MM-dd_hh.mm.ss")));
    m_file.setFileName(m_fileName);
    if (!m_file.open(QIODevice::Append | QIODevice::Text))
        return;
    QTextStream stream(&m_file);
    stream << headerLine() << '\n';
    stream.flush();
}

void EventsLog::append(const EntityPtr<Event>&)
{
}

bool EventsLog::exportTo(const QString&)
{
    return false;
}

void EventsLog::removeAll()
{
}

} // namespace Vl::Tavix3::UI
