#pragma once

#include "sequence/xlsxcell.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>

namespace Vl::Tavix3::UI {

// Reads one sheet of a spreadsheet workbook (.xlsx: a zip package of XML parts) and offers its cells
// by row and column, both counted from 1. A workbook is untrusted input: every part is read within a
// size bound, and a package that is not a sound workbook leaves the document unloaded with a reason.
class XlsxDocument
{
    Q_DECLARE_TR_FUNCTIONS(Vl::Tavix3::UI::XlsxDocument)

public:
    // Why a workbook could not be read.
    enum class Error { None, CannotOpen, LegacyWorkbook, NotAWorkbook, NoSheet, TooLarge, Damaged };

    static constexpr int kMaxRow = 1048576;
    static constexpr int kMaxColumn = 16384;
    // Bounds of what is read: the uncompressed size of the sheet and of the shared texts, the number of
    // shared texts and the number of cells kept.
    static constexpr qint64 kMaxSheetSize = 64 * 1024 * 1024;
    static constexpr qint64 kMaxSharedStringsSize = 32 * 1024 * 1024;
    static constexpr qint64 kMaxPartSize = 8 * 1024 * 1024;
    static constexpr int kMaxSharedStrings = 1000000;
    static constexpr int kMaxCells = 1000000;

    // Opens the workbook and reads its current sheet: the one shown when it was saved, else the first
    // worksheet. Cells right of lastColumn are skipped unread.
    explicit XlsxDocument(const QString& fileName, int lastColumn = kMaxColumn);

    bool isLoaded() const { return m_error == Error::None; }
    Error error() const { return m_error; }
    // The reason in the operator's language; empty when loaded.
    QString errorString() const;
    // The name of the sheet read.
    QString sheetName() const { return m_sheetName; }

    // The cell at (row, column), or null when the sheet has no such cell.
    const XlsxCell* cellAt(int row, int column) const;
    // The last row holding a cell with a value (within the columns read); 0 when there is none.
    int lastRow() const { return m_lastRow; }

private:
    Error m_error = Error::None;
    QString m_sheetName;
    QHash<qint64, XlsxCell> m_cells;
    int m_lastRow = 0;
};

} // namespace Vl::Tavix3::UI
