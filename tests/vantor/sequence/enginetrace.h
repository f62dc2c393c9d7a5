#pragma once

#include "enginerig.h"

#include <QStringList>

// A trace in one line: "hh:mm:ss what; hh:mm:ss what", the prefix word dropped and the
// milliseconds dropped when they are zero, so that expected runs read like a timetable.
inline QString timetable(const EngineRig& rig, const QStringList& prefixes)
{
    QStringList rows;
    for (QString row : rig.trace(prefixes)) {
        if (row.midRef(8, 4) == QLatin1String(".000"))
            row.remove(8, 4);
        const int space = row.indexOf(QLatin1Char(' '));
        const int word = row.indexOf(QLatin1Char(' '), space + 1);
        if (prefixes.size() == 1 && word > 0)
            row = row.left(space) + row.mid(word);
        rows << row;
    }
    return rows.join(QStringLiteral("; "));
}

inline QString timetable(const EngineRig& rig, const QString& prefix) { return timetable(rig, QStringList { prefix }); }
