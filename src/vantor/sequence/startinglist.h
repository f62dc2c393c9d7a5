#pragma once

#include <QList>
#include <QSharedPointer>
#include <QString>

namespace Vl::Tavix3::UI {

// One start of a starting list: the bib number and the start's date and time of day as one tick value.
struct StartingListEntry
{
    int bibNumber = 0;
    qint64 startTick = 0;
};

// The installed starting list that the AUTOSTART mode follows; entries keep the order of the file.
struct StartingList
{
    QString id;
    QString name;
    QList<QSharedPointer<StartingListEntry>> entries;
};

} // namespace Vl::Tavix3::UI
