#pragma once

#include "common/semainterval.h"

#include <QMap>
#include <QPair>
#include <QVariantList>

namespace Vl::Tavix3::UI {

// The intervals of every sequence type, keyed by (index, sequence type): ordered by index first,
// so one pass over the map meets a type's intervals in index order.
using SemaIntervalKey = QPair<int, int>;
using SemaIntervals = QMap<SemaIntervalKey, SemaInterval>;

// What an interval list shows of each interval.
enum class SemaIntervalField { Whole, Time, Color, Sound, IsFalseStartWindow };

// The intervals of one sequence type in index order, each as one field's value or, for Whole, as a
// map with "Time", "Sound", "Color" and "IsFalseStartWindow" (the form the editors and files use).
QVariantList semaIntervalList(const SemaIntervals& intervals, int sequence, SemaIntervalField field);

} // namespace Vl::Tavix3::UI
