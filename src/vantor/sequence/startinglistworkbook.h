#pragma once

#include <QCoreApplication>
#include <QJsonDocument>
#include <QString>

namespace Vl::Tavix3::UI {

// A starting list kept in a spreadsheet workbook: one start per row from row 1 down, the bib number
// in column 1, the start time of day in column 2 and an optional start date in column 3. Empty rows
// may only follow the last start.
class StartingListWorkbook
{
    Q_DECLARE_TR_FUNCTIONS(Vl::Tavix3::UI::StartingListWorkbook)

public:
    // The starting-list document of the workbook: its file name without the last suffix, a new braced
    // identifier and the starts read. A workbook that cannot be read gives the document without starts.
    // problem receives why the rows must not become the active starting list: the workbook cannot be
    // read, it holds no start, a row that holds values is not a start (a time that is a plain number
    // included), an empty row has further rows after it, or a row's date cannot be read. Rows after
    // the first that is not a start are never read.
    static QJsonDocument read(const QString& fileName, QString* problem = nullptr);
};

} // namespace Vl::Tavix3::UI
