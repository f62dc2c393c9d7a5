#pragma once

#include <QDateTime>
#include <QVariant>

namespace Vl::Tavix3::UI {

// One cell of a workbook sheet as read: its value, and whether the number in it is shown as a date
// or a time of day.
class XlsxCell
{
public:
    XlsxCell() = default;
    // dateFormat: the cell's number format shows a date or a time; date1904: the workbook counts
    // its days from 1904 instead of 1900.
    XlsxCell(const QVariant& value, bool dateFormat, bool date1904 = false);

    // A QString for texts and error codes, a double for numbers, a bool for booleans, a QDateTime
    // for a cell written as an ISO 8601 date; invalid for a cell that only carries a format.
    QVariant value() const { return m_value; }
    bool hasValue() const { return m_value.isValid(); }
    // True for a number of 0 or more in a date or time format (within the calendar's range), and
    // for an ISO 8601 date cell.
    bool isDateTime() const;
    // The date and time of day such a cell stands for, as written in the sheet (no time zone is
    // applied, so the time spec is UTC); invalid for any other cell.
    QDateTime dateTime() const;

private:
    QVariant m_value;
    bool m_dateFormat = false;
    bool m_date1904 = false;
};

} // namespace Vl::Tavix3::UI
