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

bool holdsValue(const XlsxCell* cell) { return cell && cell->hasValue(); }

} // namespace

QJsonDocument StartingListWorkbook::read(const QString& fileName, QString* problem)
{
    QString firstProblem;
    const auto note = [&firstProblem](const QString& text) {
        if (firstProblem.isEmpty())
            firstProblem = text;
    };

    QJsonObject object { { QStringLiteral("StartingListName"), QFileInfo(fileName).baseName() },
        { QStringLiteral("StartingListId"), QUuid::createUuid().toString() } };
    QJsonArray starts;

    // Only the three columns of a start are read: whatever else the sheet holds costs nothing.
    const XlsxDocument workbook(fileName, kDateColumn);
    if (!workbook.isLoaded())
        note(workbook.errorString());

    for (int row = 1; workbook.isLoaded() && row <= XlsxDocument::kMaxRow; ++row) {
        const XlsxCell* bibCell = workbook.cellAt(row, kBibColumn);
        const XlsxCell* timeCell = workbook.cellAt(row, kTimeColumn);
        if (!holdsValue(bibCell) || !holdsValue(timeCell))
            break;

        const QString timeText = timeCell->isDateTime()
            ? timeCell->dateTime().time().toString(QStringLiteral("HH:mm:ss"))
            : timeCell->value().toString();

        const XlsxCell* dateCell = workbook.cellAt(row, kDateColumn);
        const bool hasDate = holdsValue(dateCell);
        QString dateText;
        if (hasDate) {
            dateText = dateCell->isDateTime() ? dateCell->dateTime().date().toString(QStringLiteral("dd/MM/yy"))
                                              : dateCell->value().toString();
        }

        int bib = 0;
        if (!toBibNumber(bibCell->value(), &bib) || bib == 0
            || !DateTime::parseTime(timeText, nullptr, false, ':', '.')) {
            note(tr("Row %1 of the workbook is not a start: it needs a bib number other than 0 and a time of day")
                     .arg(row));
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
