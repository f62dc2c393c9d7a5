#include "sequence/xlsxcell.h"

#include <cmath>

namespace Vl::Tavix3::UI {

namespace {

// Serial day 2958465 is 31 December 9999, the last day a workbook can hold.
constexpr double kLastSerialDay = 2958466.0;
constexpr qint64 kMillisecondsPerDay = 24 * 60 * 60 * 1000;

} // namespace

XlsxCell::XlsxCell(const QVariant& value, bool dateFormat, bool date1904)
    : m_value(value)
    , m_dateFormat(dateFormat)
    , m_date1904(date1904)
{
}

bool XlsxCell::isDateTime() const
{
    if (m_value.userType() == QMetaType::QDateTime)
        return m_value.toDateTime().isValid();
    if (!m_dateFormat || m_value.userType() != QMetaType::Double)
        return false;
    const double serial = m_value.toDouble();
    return std::isfinite(serial) && serial >= 0 && serial < kLastSerialDay;
}

QDateTime XlsxCell::dateTime() const
{
    if (!isDateTime())
        return {};
    if (m_value.userType() == QMetaType::QDateTime)
        return m_value.toDateTime();

    const double serial = m_value.toDouble();
    qint64 days = static_cast<qint64>(std::floor(serial));
    // Rounded to the millisecond: 09:30 is stored as 0.395833..., never exactly.
    qint64 milliseconds = std::llround((serial - static_cast<double>(days)) * kMillisecondsPerDay);
    if (milliseconds >= kMillisecondsPerDay) {
        ++days;
        milliseconds -= kMillisecondsPerDay;
    }
    QDate date;
    if (m_date1904) {
        date = QDate(1904, 1, 1).addDays(days);
    } else if (days >= 61) {
        // The 1900 system counts a 29 February 1900 that never was: from 1 March 1900 on, day 0 is
        // 30 December 1899.
        date = QDate(1899, 12, 30).addDays(days);
    } else {
        date = QDate(1899, 12, 31).addDays(days);
    }
    return QDateTime(date, QTime(0, 0).addMSecs(static_cast<int>(milliseconds)), Qt::UTC);
}

} // namespace Vl::Tavix3::UI
