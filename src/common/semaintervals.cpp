#include "common/semaintervals.h"

#include <QVariantMap>

namespace Vl::Tavix3::UI {

namespace {

QVariant fieldValue(const SemaInterval& interval, SemaIntervalField field)
{
    switch (field) {
    case SemaIntervalField::Time:
        return qlonglong(interval.time);
    case SemaIntervalField::Color:
        return interval.color;
    case SemaIntervalField::Sound:
        return interval.sound;
    case SemaIntervalField::IsFalseStartWindow:
        return interval.isFalseStartWindow;
    case SemaIntervalField::Whole:
        break;
    }
    return QVariantMap { { QStringLiteral("Time"), qlonglong(interval.time) },
        { QStringLiteral("Sound"), interval.sound }, { QStringLiteral("Color"), interval.color },
        { QStringLiteral("IsFalseStartWindow"), interval.isFalseStartWindow } };
}

} // namespace

QVariantList semaIntervalList(const SemaIntervals& intervals, int sequence, SemaIntervalField field)
{
    QVariantList list;
    for (auto it = intervals.cbegin(); it != intervals.cend(); ++it) {
        if (it.key().second == sequence)
            list << fieldValue(it.value(), field);
    }
    return list;
}

} // namespace Vl::Tavix3::UI
