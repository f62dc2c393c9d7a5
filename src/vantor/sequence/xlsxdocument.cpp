#include "sequence/xlsxdocument.h"

#include "core/exceptionhandler.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace Vl::Tavix3::UI {

namespace {

using Error = XlsxDocument::Error;

// Ends the reading of a workbook with the reason.
struct LoadFailure
{
    Error error;
};

[[noreturn]] void fail(Error error) { throw LoadFailure { error }; }

// A relationship of a package part to another part.
struct Relationship
{
    QString type;
    QString target;
};

// A sheet as the workbook lists it.
struct SheetEntry
{
    QString name;
    QString relationshipId;
};

// The parts of the workbook that tell where its sheet and shared parts are.
struct WorkbookInfo
{
    QVector<SheetEntry> sheets;
    int activeTab = 0;
    bool date1904 = false;
};

// The cell formats: for each format index, whether it shows a date or a time.
using DateFormats = QVector<bool>;

qint64 cellKey(int row, int column) { return static_cast<qint64>(row) * (XlsxDocument::kMaxColumn + 1) + column; }

int rowOfKey(qint64 key) { return static_cast<int>(key / (XlsxDocument::kMaxColumn + 1)); }

bool endsWith(const QString& text, const char* suffix) { return text.endsWith(QLatin1String(suffix)); }

// Reads one part of the package, refusing it when it inflates beyond limit. The sizes recorded in
// the package are not trusted: the bytes are counted as they come.
bool readPart(QuaZip& zip, const QString& name, qint64 limit, QByteArray* bytes)
{
    if (name.isEmpty() || !zip.setCurrentFile(name, QuaZip::csInsensitive)) {
        if (zip.getZipError() != UNZ_OK)
            fail(Error::Damaged);
        return false;
    }
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        fail(Error::Damaged);
    bytes->clear();
    char buffer[64 * 1024];
    for (;;) {
        const qint64 count = file.read(buffer, sizeof buffer);
        if (count < 0)
            fail(Error::Damaged);
        if (count == 0)
            break;
        if (bytes->size() + count > limit)
            fail(Error::TooLarge);
        bytes->append(buffer, static_cast<int>(count));
    }
    file.close();
    // A damaged stream or a wrong checksum shows only now.
    if (file.getZipError() != UNZ_OK)
        fail(Error::Damaged);
    return true;
}

// Checks a part before it is parsed. Workbooks never carry a document type declaration: one is
// refused before the parser meets it, so no entity it declares is ever expanded.
const QByteArray& checkedXml(const QByteArray& bytes)
{
    if (bytes.contains("<!DOCTYPE") || bytes.contains("<!ENTITY"))
        fail(Error::Damaged);
    return bytes;
}

bool readNext(QXmlStreamReader& xml)
{
    if (xml.atEnd())
        return false;
    xml.readNext();
    if (xml.tokenType() == QXmlStreamReader::DTD || xml.tokenType() == QXmlStreamReader::EntityReference)
        fail(Error::Damaged);
    if (xml.hasError())
        fail(Error::Damaged);
    return !xml.atEnd();
}

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.name() == QLatin1String(name))
            return attribute.value().toString();
    }
    return {};
}

// The text of an element that holds only text.
QString elementText(QXmlStreamReader& xml)
{
    const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (xml.hasError())
        fail(Error::Damaged);
    return text;
}

// The text of rich or plain text (a shared text or an inline text): its "t" elements, without the
// phonetic runs.
QString richText(QXmlStreamReader& xml)
{
    QString text;
    int level = 1;
    while (level > 0 && readNext(xml)) {
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("t")) {
                text += elementText(xml);
            } else if (xml.name() == QLatin1String("rPh")) {
                xml.skipCurrentElement();
            } else {
                ++level;
            }
        } else if (xml.isEndElement()) {
            --level;
        }
    }
    return text;
}

// The folder of a part ("xl" for "xl/workbook.xml").
QString folderOf(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

// A relationship target as a part name of the package; empty when it leaves the package.
QString resolveTarget(const QString& folder, const QString& target)
{
    QString path = target.startsWith(QLatin1Char('/'))
        ? target.mid(1)
        : (folder.isEmpty() ? target : folder + QLatin1Char('/') + target);
    path = QDir::cleanPath(path);
    if (path.startsWith(QLatin1String("..")) || path.startsWith(QLatin1Char('/')) || path == QLatin1String("."))
        return {};
    return path;
}

// The relationships part of a part ("xl/_rels/workbook.xml.rels" for "xl/workbook.xml").
QString relationshipsPartOf(const QString& part)
{
    const QString folder = folderOf(part);
    const QString name = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + name
        + QStringLiteral(".rels");
}

QHash<QString, Relationship> readRelationships(QuaZip& zip, const QString& name)
{
    QHash<QString, Relationship> relationships;
    QByteArray bytes;
    if (!readPart(zip, name, XlsxDocument::kMaxPartSize, &bytes))
        return relationships;
    QXmlStreamReader xml(checkedXml(bytes));
    while (readNext(xml)) {
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            // Links to outside the package are never followed.
            if (attribute(xml, "TargetMode") == QLatin1String("External"))
                continue;
            relationships.insert(attribute(xml, "Id"), { attribute(xml, "Type"), attribute(xml, "Target") });
        }
    }
    return relationships;
}

WorkbookInfo readWorkbook(const QByteArray& bytes)
{
    WorkbookInfo info;
    bool viewSeen = false;
    QXmlStreamReader xml(checkedXml(bytes));
    while (readNext(xml)) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("workbookPr")) {
            const QString value = attribute(xml, "date1904");
            info.date1904 = value == QLatin1String("1") || value == QLatin1String("true");
        } else if (xml.name() == QLatin1String("workbookView") && !viewSeen) {
            viewSeen = true;
            bool ok = false;
            const int tab = attribute(xml, "activeTab").toInt(&ok);
            info.activeTab = ok ? tab : 0;
        } else if (xml.name() == QLatin1String("sheet")) {
            SheetEntry sheet;
            sheet.name = attribute(xml, "name");
            // The relationship's identifier is the attribute "id" of the relationships namespace.
            for (const QXmlStreamAttribute& attr : xml.attributes()) {
                if (attr.name() == QLatin1String("id") && !attr.namespaceUri().isEmpty())
                    sheet.relationshipId = attr.value().toString();
            }
            info.sheets << sheet;
        }
    }
    return info;
}

// Whether a number format code shows a date or a time: it has a day, month, year, hour or second
// placeholder outside quoted text, escaped characters and bracketed colours or conditions.
bool isDateFormatCode(const QString& code)
{
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"')) {
            const int end = code.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                return false;
            i = end;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const int end = code.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                return false;
            // Elapsed hours, minutes or seconds: [h], [mm], [ss].
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            if (!inner.isEmpty()
                && (inner.count(QLatin1Char('h')) == inner.size() || inner.count(QLatin1Char('m')) == inner.size()
                    || inner.count(QLatin1Char('s')) == inner.size()))
                return true;
            i = end;
        } else if (c == QLatin1Char(';')) {
            // The first section (positive numbers) decides.
            return false;
        } else {
            switch (c.toLower().unicode()) {
            case 'd':
            case 'm':
            case 'y':
            case 'h':
            case 's':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

// The built-in number formats that show dates or times.
bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

DateFormats readStyles(const QByteArray& bytes)
{
    QHash<int, QString> codes;
    DateFormats formats;
    bool inCellFormats = false;
    QXmlStreamReader xml(checkedXml(bytes));
    while (readNext(xml)) {
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("numFmt")) {
                bool ok = false;
                const int id = attribute(xml, "numFmtId").toInt(&ok);
                if (ok)
                    codes.insert(id, attribute(xml, "formatCode"));
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellFormats = true;
            } else if (xml.name() == QLatin1String("xf") && inCellFormats) {
                bool ok = false;
                const int id = attribute(xml, "numFmtId").toInt(&ok);
                const bool isDate
                    = ok && (codes.contains(id) ? isDateFormatCode(codes.value(id)) : isBuiltInDateFormat(id));
                formats << isDate;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    return formats;
}

QStringList readSharedStrings(const QByteArray& bytes)
{
    QStringList strings;
    QXmlStreamReader xml(checkedXml(bytes));
    while (readNext(xml)) {
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            if (strings.size() >= XlsxDocument::kMaxSharedStrings)
                fail(Error::TooLarge);
            strings << richText(xml);
        }
    }
    return strings;
}

// "B12" as row 12, column 2; false for anything else.
bool parseCellReference(const QString& reference, int* row, int* column)
{
    int i = 0;
    int col = 0;
    while (i < reference.size() && i < 3 && reference.at(i).isLetter() && reference.at(i).unicode() < 128) {
        col = col * 26 + (reference.at(i).toUpper().unicode() - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == reference.size())
        return false;
    bool ok = false;
    const int r = reference.mid(i).toInt(&ok, 10);
    if (!ok || r < 1 || r > XlsxDocument::kMaxRow || col < 1 || col > XlsxDocument::kMaxColumn
        || !reference.at(i).isDigit())
        return false;
    *row = r;
    *column = col;
    return true;
}

// Reads the cells of a sheet part into cells, up to lastColumn.
void readSheet(const QByteArray& bytes, const QStringList& sharedStrings, const DateFormats& dateFormats, bool date1904,
    int lastColumn, QHash<qint64, XlsxCell>* cells)
{
    QXmlStreamReader xml(checkedXml(bytes));
    int currentRow = 0;
    int currentColumn = 0;
    while (readNext(xml)) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            const QString r = attribute(xml, "r");
            if (r.isEmpty()) {
                ++currentRow;
            } else {
                bool ok = false;
                currentRow = r.toInt(&ok, 10);
                if (!ok)
                    fail(Error::Damaged);
            }
            if (currentRow < 1 || currentRow > XlsxDocument::kMaxRow)
                fail(Error::Damaged);
            currentColumn = 0;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;

        int row = currentRow;
        int column = currentColumn + 1;
        const QString reference = attribute(xml, "r");
        if (!reference.isEmpty() && !parseCellReference(reference, &row, &column))
            fail(Error::Damaged);
        if (row < 1 || row > XlsxDocument::kMaxRow || column > XlsxDocument::kMaxColumn)
            fail(Error::Damaged);
        currentColumn = column;
        const QString type = attribute(xml, "t");
        bool styleOk = false;
        const int style = attribute(xml, "s").toInt(&styleOk, 10);

        QString number;
        bool hasNumber = false;
        QString inlineText;
        bool hasInlineText = false;
        int level = 1;
        while (level > 0 && readNext(xml)) {
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("v")) {
                    number = elementText(xml);
                    hasNumber = true;
                } else if (xml.name() == QLatin1String("is")) {
                    inlineText = richText(xml);
                    hasInlineText = true;
                } else {
                    xml.skipCurrentElement();
                }
            } else if (xml.isEndElement()) {
                --level;
            }
        }
        if (column > lastColumn)
            continue;

        QVariant value;
        bool dateFormat = false;
        if (type == QLatin1String("s")) {
            if (hasNumber) {
                bool ok = false;
                const int index = number.trimmed().toInt(&ok, 10);
                if (!ok || index < 0 || index >= sharedStrings.size())
                    fail(Error::Damaged);
                value = sharedStrings.at(index);
            }
        } else if (type == QLatin1String("inlineStr")) {
            if (hasInlineText)
                value = inlineText;
        } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
            if (hasNumber)
                value = number;
        } else if (type == QLatin1String("b")) {
            if (hasNumber)
                value = number.trimmed() == QLatin1String("1") || number.trimmed() == QLatin1String("true");
        } else if (type == QLatin1String("d")) {
            if (hasNumber) {
                const QDateTime dateTime = QDateTime::fromString(number.trimmed(), Qt::ISODate);
                value = dateTime.isValid() ? QVariant(QDateTime(dateTime.date(), dateTime.time(), Qt::UTC))
                                           : QVariant(number);
            }
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            if (hasNumber) {
                bool ok = false;
                const double d = QLocale::c().toDouble(number.trimmed(), &ok);
                if (!ok || !std::isfinite(d))
                    fail(Error::Damaged);
                value = d;
                dateFormat = styleOk && style >= 0 && style < dateFormats.size() && dateFormats.at(style);
            }
        } else {
            fail(Error::Damaged);
        }

        const qint64 key = cellKey(row, column);
        if (!cells->contains(key) && cells->size() >= XlsxDocument::kMaxCells)
            fail(Error::TooLarge);
        cells->insert(key, XlsxCell(value, dateFormat, date1904));
    }
}

// Old binary workbooks are compound files: they start with these eight bytes.
bool isCompoundFile(QFile& file)
{
    static const char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    const QByteArray head = file.peek(8);
    return head == QByteArray(kSignature, 8);
}

void load(const QString& fileName, int lastColumn, QString* sheetName, QHash<qint64, XlsxCell>* cells)
{
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            fail(Error::CannotOpen);
        if (isCompoundFile(file))
            fail(Error::LegacyWorkbook);
    }

    QuaZip zip(fileName);
    if (!zip.open(QuaZip::mdUnzip))
        fail(Error::NotAWorkbook);

    // The package's own relationships name the workbook part; "xl/workbook.xml" is where every
    // writer puts it.
    QString workbookPart;
    const QHash<QString, Relationship> packageRelationships = readRelationships(zip, QStringLiteral("_rels/.rels"));
    for (const Relationship& relationship : packageRelationships) {
        if (endsWith(relationship.type, "/officeDocument"))
            workbookPart = resolveTarget(QString(), relationship.target);
    }
    if (workbookPart.isEmpty())
        workbookPart = QStringLiteral("xl/workbook.xml");

    QByteArray bytes;
    if (!readPart(zip, workbookPart, XlsxDocument::kMaxPartSize, &bytes))
        fail(Error::NotAWorkbook);
    const WorkbookInfo workbook = readWorkbook(bytes);
    const QString folder = folderOf(workbookPart);
    const QHash<QString, Relationship> relationships = readRelationships(zip, relationshipsPartOf(workbookPart));

    QString stylesPart;
    QString sharedStringsPart;
    for (const Relationship& relationship : relationships) {
        if (endsWith(relationship.type, "/styles"))
            stylesPart = resolveTarget(folder, relationship.target);
        else if (endsWith(relationship.type, "/sharedStrings"))
            sharedStringsPart = resolveTarget(folder, relationship.target);
    }

    // The sheet shown when the workbook was saved, or else the first worksheet (a chart sheet has no
    // cells).
    const auto worksheetPart = [&](int index) {
        if (index < 0 || index >= workbook.sheets.size())
            return QString();
        const Relationship relationship = relationships.value(workbook.sheets.at(index).relationshipId);
        if (!endsWith(relationship.type, "/worksheet"))
            return QString();
        return resolveTarget(folder, relationship.target);
    };
    int sheetIndex = workbook.activeTab;
    QString sheetPart = worksheetPart(sheetIndex);
    for (sheetIndex = 0; sheetPart.isEmpty() && sheetIndex < workbook.sheets.size(); ++sheetIndex)
        sheetPart = worksheetPart(sheetIndex);
    if (sheetPart.isEmpty())
        fail(Error::NoSheet);

    QByteArray sheet;
    if (!readPart(zip, sheetPart, XlsxDocument::kMaxSheetSize, &sheet))
        fail(Error::NoSheet);
    for (const SheetEntry& entry : workbook.sheets) {
        if (resolveTarget(folder, relationships.value(entry.relationshipId).target) == sheetPart) {
            *sheetName = entry.name;
            break;
        }
    }

    DateFormats dateFormats;
    if (!stylesPart.isEmpty() && readPart(zip, stylesPart, XlsxDocument::kMaxPartSize, &bytes))
        dateFormats = readStyles(bytes);
    QStringList sharedStrings;
    if (!sharedStringsPart.isEmpty() && readPart(zip, sharedStringsPart, XlsxDocument::kMaxSharedStringsSize, &bytes))
        sharedStrings = readSharedStrings(bytes);
    bytes.clear();

    readSheet(sheet, sharedStrings, dateFormats, workbook.date1904, lastColumn, cells);
}

} // namespace

XlsxDocument::XlsxDocument(const QString& fileName, int lastColumn)
{
    try {
        load(fileName, lastColumn, &m_sheetName, &m_cells);
    } catch (const LoadFailure& failure) {
        m_error = failure.error;
    } catch (const std::bad_alloc&) {
        m_error = Error::TooLarge;
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::XlsxDocument::XlsxDocument");
        m_error = Error::Damaged;
    }
    if (m_error != Error::None) {
        m_cells.clear();
        m_sheetName.clear();
    }
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        if (it.value().hasValue())
            m_lastRow = std::max(m_lastRow, rowOfKey(it.key()));
    }
}

QString XlsxDocument::errorString() const
{
    switch (m_error) {
    case Error::None:
        return {};
    case Error::CannotOpen:
        return tr("The file cannot be opened");
    case Error::LegacyWorkbook:
        return tr("Old .xls workbooks cannot be read: save the list as .xlsx");
    case Error::NotAWorkbook:
        return tr("The file is not a workbook");
    case Error::NoSheet:
        return tr("The workbook has no sheet");
    case Error::TooLarge:
        return tr("The workbook is too large");
    case Error::Damaged:
        break;
    }
    return tr("The workbook is damaged");
}

const XlsxCell* XlsxDocument::cellAt(int row, int column) const
{
    if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
        return nullptr;
    const auto it = m_cells.constFind(cellKey(row, column));
    return it == m_cells.constEnd() ? nullptr : &it.value();
}

} // namespace Vl::Tavix3::UI
