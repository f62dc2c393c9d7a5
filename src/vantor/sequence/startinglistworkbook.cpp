#include "sequence/startinglistworkbook.h"

#include "core/orvaneenum.h"
#include "sequence/xlsxdocument.h"
#include "time/datetime.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QUuid>

#include <cmath>
#include <limits>

namespace Vl::Tavix3::UI {

namespace {

constexpr int kBibColumn = 1;
constexpr int kTimeColumn = 2;
constexpr int kDateColumn = 3;

// The bib number of a cell: a whole number, or a text of digits.
bool toBibNumber(const QVariant& value, int* bib)
{
    bool ok = false;
    if (value.userType() == QMetaType::Double) {
        const double number = value.toDouble();
        if (number != std::trunc(number) || number < std::numeric_limits<int>::min()
            || number > std::numeric_limits<int>::max())
            return false;
        *bib = static_cast<int>(number);
        return true;
    }
    if (value.userType() != QMetaType::QString)
        return false;
    *bib = value.toString().trimmed().toInt(&ok, 10);
    return ok;
}

// A cell counts as empty when the sheet has none there, when it only carries a format, and when its
// text is empty or blank (a formula that yields "", an empty shared text): a blank time would
// otherwise be read as midnight.
bool isBlank(const XlsxCell* cell)
{
    if (!cell || !cell->hasValue())
        return true;
    const QVariant value = cell->value();
    return value.userType() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

} // namespace

QJsonDocument StartingListWorkbook::read(const QString& fileName, QString* problem)
{
    QString firstProblem;
    const auto note = [&firstProblem](const QString& text) {
        if (firstProblem.isEmpty())
            firstProblem = text;
    };

    QJsonObject object { { QStringLiteral("StartingListName"), QFileInfo(fileName).completeBaseName() },
        { QStringLiteral("StartingListId"), QUuid::createUuid().toString() } };
    QJsonArray starts;

    // Only the three columns of a start are read: whatever else the sheet holds costs nothing.
    const XlsxDocument workbook(fileName, kDateColumn);
    if (!workbook.isLoaded())
        note(workbook.errorString());

    const auto notAStart = [](int row) {
        return tr("Row %1 of the workbook is not a start: it needs a bib number other than 0 and a time of day")
            .arg(row);
    };
    // Empty rows may only close the list: one between starts would silently drop those after it.
    int emptyRow = 0;
    for (int row = 1; workbook.isLoaded() && row <= workbook.lastRow(); ++row) {
        const XlsxCell* bibCell = workbook.cellAt(row, kBibColumn);
        const XlsxCell* timeCell = workbook.cellAt(row, kTimeColumn);
        const XlsxCell* dateCell = workbook.cellAt(row, kDateColumn);
        const bool hasDate = !isBlank(dateCell);
        if (isBlank(bibCell) && isBlank(timeCell) && !hasDate) {
            if (emptyRow == 0)
                emptyRow = row;
            continue;
        }
        if (emptyRow != 0) {
            note(tr("Row %1 of the workbook is empty, but further rows follow it: remove the empty row").arg(emptyRow));
            break;
        }
        if (isBlank(bibCell) || isBlank(timeCell)) {
            note(notAStart(row));
            break;
        }

        // A number is a time of day only in a time format: 0.375 in a number format would otherwise
        // become a start 0.375 s after midnight instead of 09:00.
        if (!timeCell->isDateTime() && timeCell->value().userType() == QMetaType::Double) {
            note(tr("Row %1 of the workbook has a start time that is a plain number: give the cell a time format "
                    "or write the time as text")
                     .arg(row));
            break;
        }
        const QString timeText = timeCell->isDateTime()
            ? timeCell->dateTime().time().toString(QStringLiteral("HH:mm:ss"))
            : timeCell->value().toString();

        QString dateText;
        if (hasDate) {
            dateText = dateCell->isDateTime() ? dateCell->dateTime().date().toString(QStringLiteral("dd/MM/yy"))
                                              : dateCell->value().toString();
        }

        int bib = 0;
        if (!toBibNumber(bibCell->value(), &bib) || bib == 0
            || !DateTime::parseTime(timeText, nullptr, false, ':', '.')) {
            note(notAStart(row));
            break;
        }

        QJsonObject start { { QStringLiteral("BibNumber"), bib }, { QStringLiteral("Time"), timeText } };
        if (hasDate) {
            if (DateTime::parseDate(dateText, nullptr, '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY))
                start.insert(QStringLiteral("Date"), dateText);
            else
                note(tr("Row %1 of the workbook has a start date that cannot be read").arg(row));
        }
        starts.append(start);
    }

    if (workbook.isLoaded() && starts.isEmpty())
        note(tr("The workbook holds no start"));
    object.insert(QStringLiteral("StartingList"), starts);
    if (problem)
        *problem = firstProblem;
    return QJsonDocument(object);
}

} // namespace Vl::Tavix3::UI
