#include "app/startup.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "sequence/startinglistworkbook.h"
#include "sequence/xlsxdocument.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QUuid>

using namespace Vl::Tavix3::UI;

Q_DECLARE_METATYPE(XlsxDocument::Error)

namespace {

QString workbookFolder() { return TestSupport::testRoot() + QStringLiteral("/workbooks"); }

QString workbook(const QString& name) { return workbookFolder() + QLatin1Char('/') + name; }

QJsonObject start(int bib, const QString& time, const QString& date = QString())
{
    QJsonObject object { { "BibNumber", bib }, { "Time", time } };
    if (!date.isEmpty())
        object.insert("Date", date);
    return object;
}

qint64 dateTicks(const QString& text)
{
    qint64 ticks = 0;
    DateTime::parseDate(text, &ticks);
    return ticks;
}

} // namespace

// Starting lists read from workbooks, the reader under them, and what becomes of damaged or hostile
// workbooks. The workbooks are written by tests/vantor/sequence/workbooks.py when the test starts.
class TestWorkbookImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void importedStarts_data();
    void importedStarts();
    void documentNamesTheList();
    void unreadableWorkbooks_data();
    void unreadableWorkbooks();
    void readerKeepsCellsByRowAndColumn();
    void serialNumbersAsDates_data();
    void serialNumbersAsDates();
    void installingFromWorkbooks();
    void refusedFilesLeaveTheActiveList_data();
    void refusedFilesLeaveTheActiveList();
    void viewerFormShowsWhatWasRead();
    void messagesAreTranslated();
};

void TestWorkbookImport::initTestCase()
{
    QDir(workbookFolder()).removeRecursively();
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral(WORKBOOKS_SCRIPT), workbookFolder() });
    QVERIFY2(python.waitForFinished(60000), "workbooks.py did not finish");
    QVERIFY2(python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0,
        python.readAllStandardError().constData());
    FileSystemProxyModel::createAppDataFolders();
}

void TestWorkbookImport::importedStarts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QJsonArray>("starts");
    // The beginning of the reason the rows must not become the active list; empty when they may.
    QTest::addColumn<QString>("problem");

    QTest::newRow("times, dates and texts")
        << "times.xlsx"
        << QJsonArray { start(12, "09:30:00", "12/05/24"), start(15, "10:01:30", "13/05/2024"), start(7, "10:02:00"),
               start(3, "10:03:00", "13/05/24"), start(4, "10:04:00.25", "14/05/24") }
        << QString();
    QTest::newRow("column titles in row 1") << "header.xlsx" << QJsonArray() << "Row 1 of the workbook is not a start";
    QTest::newRow("bib 0 ends the list") << "bibzero.xlsx" << QJsonArray { start(12, "09:00:00") }
                                         << "Row 2 of the workbook is not a start";
    const QString plainNumber = QStringLiteral("has a start time that is a plain number");
    QTest::newRow("a day fraction in a number format")
        << "dayfraction.xlsx" << QJsonArray { start(12, "09:30:00") } << "Row 2 of the workbook " + plainNumber;
    QTest::newRow("09:00 as a plain number")
        << "ninefraction.xlsx" << QJsonArray { start(11, "08:59:00") } << "Row 2 of the workbook " + plainNumber;
    QTest::newRow("noon as a plain number")
        << "noonfraction.xlsx" << QJsonArray() << "Row 1 of the workbook " + plainNumber;
    QTest::newRow("a whole number as a time")
        << "wholenumbertime.xlsx" << QJsonArray() << "Row 1 of the workbook " + plainNumber;
    QTest::newRow("a quoted word is no date format")
        << "quotedformat.xlsx" << QJsonArray() << "Row 1 of the workbook " + plainNumber;
    QTest::newRow("dates that cannot be read are left out")
        << "baddate.xlsx" << QJsonArray { start(12, "09:00:00"), start(13, "09:01:00") }
        << "Row 1 of the workbook has a start date that cannot be read";
    QTest::newRow("a fraction is no bib")
        << "fractionalbib.xlsx" << QJsonArray() << "Row 1 of the workbook is not a start";
    QTest::newRow("negative and padded bibs")
        << "negativebib.xlsx" << QJsonArray { start(-4, "09:00:00"), start(8, "09:01:00") } << QString();
    QTest::newRow("a time the parser refuses")
        << "badtime.xlsx" << QJsonArray { start(12, "09:00:00") } << "Row 2 of the workbook is not a start";
    const QString emptyRowBefore = QStringLiteral("Row 2 of the workbook is empty, but further rows follow it");
    QTest::newRow("an empty row between starts")
        << "gap.xlsx" << QJsonArray { start(12, "09:00:00") } << emptyRowBefore;
    QTest::newRow("an empty row before a date")
        << "gapbeforedate.xlsx" << QJsonArray { start(12, "09:00:00") } << emptyRowBefore;
    QTest::newRow("a row of empty texts between starts")
        << "emptytextgap.xlsx" << QJsonArray { start(12, "09:00:00") } << emptyRowBefore;
    QTest::newRow("a bib without a time")
        << "bibonly.xlsx" << QJsonArray { start(12, "09:00:00") } << "Row 2 of the workbook is not a start";
    QTest::newRow("a time without a bib")
        << "timeonly.xlsx" << QJsonArray { start(12, "09:00:00") } << "Row 2 of the workbook is not a start";
    QTest::newRow("a bib without a time in the last row")
        << "lastbibonly.xlsx" << QJsonArray { start(12, "09:00:00") } << "Row 2 of the workbook is not a start";
    QTest::newRow("a date alone") << "dateonly.xlsx" << QJsonArray { start(12, "09:00:00") }
                                  << "Row 2 of the workbook is not a start";
    QTest::newRow("empty rows after the last start")
        << "trailing.xlsx" << QJsonArray { start(12, "09:00:00"), start(13, "09:01:00") } << QString();
    QTest::newRow("empty texts after the last start")
        << "emptytexts.xlsx" << QJsonArray { start(12, "09:00:00") } << QString();
    QTest::newRow("a blank text is no time")
        << "blanktime.xlsx" << QJsonArray() << "Row 1 of the workbook is not a start";
    QTest::newRow("dots before the suffix")
        << "Race 12.05.2027.xlsx" << QJsonArray { start(31, "10:00:00", "12/05/2027") } << QString();
    QTest::newRow("other columns are ignored")
        << "othercolumns.xlsx" << QJsonArray { start(12, "09:00:00") } << QString();
    QTest::newRow("empty sheet") << "empty.xlsx" << QJsonArray() << "The workbook holds no start";
    QTest::newRow("the sheet shown when saved")
        << "activetab.xlsx" << QJsonArray { start(21, "11:00:00") } << QString();
    QTest::newRow("1904 date system") << "date1904.xlsx" << QJsonArray { start(5, "09:45:00", "12/05/24") }
                                      << QString();
    QTest::newRow("shared, rich and inline texts")
        << "handmade.xlsx" << QJsonArray { start(11, "09:00:00"), start(22, "09:01:00"), start(23, "09:02:00") }
        << QString();
    QTest::newRow("an .xlsx package named .xls") << "renamed.xls" << QJsonArray { start(9, "08:00:00") } << QString();
}

void TestWorkbookImport::importedStarts()
{
    QFETCH(QString, file);
    QFETCH(QJsonArray, starts);
    QFETCH(QString, problem);
    QString reported = QStringLiteral("not set");
    const QJsonObject object = FileSystemProxyModel::importStartingList(workbook(file), &reported).object();
    QCOMPARE(object.value("StartingList").toArray(), starts);
    if (problem.isEmpty())
        QCOMPARE(reported, QString());
    else
        QVERIFY2(reported.startsWith(problem), qPrintable(reported));
}

void TestWorkbookImport::documentNamesTheList()
{
    const QJsonObject first = FileSystemProxyModel::importStartingList(workbook("times.xlsx")).object();
    QCOMPARE(first.value("StartingListName").toString(), QStringLiteral("times"));
    const QString id = first.value("StartingListId").toString();
    QVERIFY(id.startsWith('{') && id.endsWith('}'));
    QVERIFY(!QUuid(id).isNull());
    const QJsonObject again = FileSystemProxyModel::importStartingList(workbook("times.xlsx")).object();
    QVERIFY(again.value("StartingListId").toString() != id);

    // Unreadable workbooks still give the name and an identifier, with no starts.
    const QJsonObject damaged = FileSystemProxyModel::importStartingList(workbook("notzip.xlsx")).object();
    QCOMPARE(damaged.value("StartingListName").toString(), QStringLiteral("notzip"));
    QVERIFY(!damaged.value("StartingListId").toString().isEmpty());
    QCOMPARE(damaged.value("StartingList").toArray(), QJsonArray());

    // The last suffix makes the workbook, and only the suffix is left out of the name.
    const QString dotted = workbook("Race 12.05.2027.xlsx");
    QCOMPARE(FileSystemProxyModel::importStartingList(dotted).object().value("StartingListName").toString(),
        QStringLiteral("Race 12.05.2027"));

    // Only the exact suffixes make a workbook: this one is read as JSON, and is none.
    QString problem;
    QVERIFY(FileSystemProxyModel::importStartingList(workbook("upper.XLSX"), &problem).isEmpty());
    QCOMPARE(problem, QStringLiteral("The file holds no starting list"));
    FileSystemProxyModel model;
    QCOMPARE(model.getStartingListName(workbook("times.xlsx")), QStringLiteral("times"));
    QVERIFY(model.getStartingListName(workbook("upper.XLSX")).isEmpty());
    QCOMPARE(model.getStartingListName(dotted), QStringLiteral("Race 12.05.2027"));
}

void TestWorkbookImport::unreadableWorkbooks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<XlsxDocument::Error>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing.xlsx" << XlsxDocument::Error::CannotOpen << "The file cannot be opened";
    QTest::newRow("old binary workbook") << "legacy.xls" << XlsxDocument::Error::LegacyWorkbook
                                         << "Old .xls workbooks cannot be read: save the list as .xlsx";
    QTest::newRow("not a zip") << "notzip.xlsx" << XlsxDocument::Error::NotAWorkbook << "The file is not a workbook";
    QTest::newRow("empty file") << "zerobytes.xlsx" << XlsxDocument::Error::NotAWorkbook
                                << "The file is not a workbook";
    QTest::newRow("zip without workbook")
        << "nobook.xlsx" << XlsxDocument::Error::NotAWorkbook << "The file is not a workbook";
    QTest::newRow("cut short") << "truncated.xlsx" << XlsxDocument::Error::NotAWorkbook << "The file is not a workbook";
    QTest::newRow("workbook without sheet")
        << "nosheet.xlsx" << XlsxDocument::Error::NoSheet << "The workbook has no sheet";
    QTest::newRow("sheet inflating past the bound")
        << "bomb.xlsx" << XlsxDocument::Error::TooLarge << "The workbook is too large";
    QTest::newRow("entity expansion") << "laughs.xlsx" << XlsxDocument::Error::Damaged << "The workbook is damaged";
    QTest::newRow("broken XML") << "badxml.xlsx" << XlsxDocument::Error::Damaged << "The workbook is damaged";
    QTest::newRow("shared text out of range")
        << "badshared.xlsx" << XlsxDocument::Error::Damaged << "The workbook is damaged";
    QTest::newRow("bad cell reference") << "badreference.xlsx" << XlsxDocument::Error::Damaged
                                        << "The workbook is damaged";
    QTest::newRow("number that is none") << "badnumber.xlsx" << XlsxDocument::Error::Damaged
                                         << "The workbook is damaged";
    QTest::newRow("wrong checksum") << "checksum.xlsx" << XlsxDocument::Error::Damaged << "The workbook is damaged";
}

void TestWorkbookImport::unreadableWorkbooks()
{
    QFETCH(QString, file);
    QFETCH(XlsxDocument::Error, error);
    QFETCH(QString, message);
    const XlsxDocument document(workbook(file));
    QVERIFY(!document.isLoaded());
    QCOMPARE(document.error(), error);
    QCOMPARE(document.errorString(), message);
    QVERIFY(!document.cellAt(1, 1));

    QString problem;
    const QJsonObject object = FileSystemProxyModel::importStartingList(workbook(file), &problem).object();
    QCOMPARE(problem, message);
    QCOMPARE(object.value("StartingList").toArray(), QJsonArray());
}

void TestWorkbookImport::readerKeepsCellsByRowAndColumn()
{
    const XlsxDocument handmade(workbook("handmade.xlsx"));
    QVERIFY(handmade.isLoaded());
    QCOMPARE(handmade.sheetName(), QStringLiteral("Only"));
    QCOMPARE(handmade.cellAt(1, 1)->value(), QVariant(QStringLiteral("11")));
    QCOMPARE(handmade.cellAt(2, 1)->value(), QVariant(22.0));
    QVERIFY(!handmade.cellAt(2, 1)->isDateTime());
    QCOMPARE(handmade.cellAt(3, 2)->dateTime(), QDateTime(QDate(1904, 1, 1), QTime(9, 2), Qt::UTC));
    QVERIFY(!handmade.cellAt(4, 1));
    QVERIFY(!handmade.cellAt(0, 1));
    QVERIFY(!handmade.cellAt(1, XlsxDocument::kMaxColumn + 1));
    QCOMPARE(handmade.lastRow(), 3);
    // Cells that only carry a format hold no value: rows 5 to 7 of this sheet do not count.
    QCOMPARE(XlsxDocument(workbook("trailing.xlsx")).lastRow(), 2);
    QCOMPARE(XlsxDocument(workbook("notzip.xlsx")).lastRow(), 0);

    const XlsxDocument active(workbook("activetab.xlsx"));
    QCOMPARE(active.sheetName(), QStringLiteral("Race"));

    // Cells right of the last column wanted are not kept.
    const XlsxDocument narrow(workbook("othercolumns.xlsx"), 3);
    QVERIFY(narrow.cellAt(1, 2));
    QVERIFY(!narrow.cellAt(1, 4));
    const XlsxDocument wide(workbook("othercolumns.xlsx"));
    QCOMPARE(wide.cellAt(1, 4)->value(), QVariant(QStringLiteral("note")));

    // More cells than are kept make the workbook too large; fewer columns keep it within bounds.
    QCOMPARE(XlsxDocument(workbook("manycells.xlsx")).error(), XlsxDocument::Error::TooLarge);
    const XlsxDocument firstColumns(workbook("manycells.xlsx"), 2);
    QVERIFY(firstColumns.isLoaded());
    QVERIFY(firstColumns.cellAt(62, 2));
}

void TestWorkbookImport::serialNumbersAsDates_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("dateFormat");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QDateTime>("expected");
    const auto at = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    };
    QTest::newRow("half past nine") << QVariant(0.3958333333) << true << false << at(1899, 12, 31, 9, 30);
    QTest::newRow("noon of a day") << QVariant(45424.5) << true << false << at(2024, 5, 12, 12);
    QTest::newRow("before the missing leap day") << QVariant(59.0) << true << false << at(1900, 2, 28);
    QTest::newRow("after the missing leap day") << QVariant(61.0) << true << false << at(1900, 3, 1);
    QTest::newRow("1904 system") << QVariant(43962.25) << true << true << at(2024, 5, 12, 6);
    QTest::newRow("rounds up to midnight") << QVariant(45424.9999999999) << true << false << at(2024, 5, 13);
    QTest::newRow("number format") << QVariant(45424.5) << false << false << QDateTime();
    QTest::newRow("negative") << QVariant(-1.0) << true << false << QDateTime();
    QTest::newRow("past the last day") << QVariant(1e12) << true << false << QDateTime();
    QTest::newRow("text") << QVariant(QStringLiteral("45424")) << true << false << QDateTime();
}

void TestWorkbookImport::serialNumbersAsDates()
{
    QFETCH(QVariant, value);
    QFETCH(bool, dateFormat);
    QFETCH(bool, date1904);
    QFETCH(QDateTime, expected);
    const XlsxCell cell(value, dateFormat, date1904);
    QCOMPARE(cell.isDateTime(), expected.isValid());
    QCOMPARE(cell.dateTime(), expected);
}

void TestWorkbookImport::installingFromWorkbooks()
{
    Sema sema;
    QVERIFY(sema.setStartingListFromFile(workbook("times.xlsx")));
    const QSharedPointer<StartingList> list = sema.startingList();
    QCOMPARE(list->name, QStringLiteral("times"));
    QCOMPARE(list->entries.size(), 5);
    QCOMPARE(list->entries.at(0)->bibNumber, 12);
    // The two-digit year of a date cell is read as 20yy.
    QCOMPARE(list->entries.at(0)->startTick, dateTicks("12/05/2024") + 34200 * DateTime::QSEC1);
    QCOMPARE(list->entries.at(2)->startTick, DateTime::getDate() + 36120 * DateTime::QSEC1);
    QCOMPARE(list->entries.at(4)->startTick, dateTicks("14/05/2024") + 36240 * DateTime::QSEC1 + DateTime::QSEC1 / 4);
}

void TestWorkbookImport::refusedFilesLeaveTheActiveList_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("column titles") << workbook("header.xlsx")
                                   << "Row 1 of the workbook is not a start: it needs a bib number other than 0 and a "
                                      "time of day";
    QTest::newRow("a bad row in the middle") << workbook("bibzero.xlsx")
                                             << "Row 2 of the workbook is not a start: it needs a bib number other "
                                                "than 0 and a time of day";
    QTest::newRow("a date that cannot be read")
        << workbook("baddate.xlsx") << "Row 1 of the workbook has a start date that cannot be read";
    QTest::newRow("a time that is a plain number")
        << workbook("ninefraction.xlsx")
        << "Row 2 of the workbook has a start time that is a plain number: give the cell a time format or write the "
           "time as text";
    QTest::newRow("an empty row between starts")
        << workbook("gap.xlsx") << "Row 2 of the workbook is empty, but further rows follow it: remove the empty row";
    QTest::newRow("a half row") << workbook("bibonly.xlsx")
                                << "Row 2 of the workbook is not a start: it needs a bib number other than 0 and a "
                                   "time of day";
    QTest::newRow("empty sheet") << workbook("empty.xlsx") << "The workbook holds no start";
    QTest::newRow("old binary workbook") << workbook("legacy.xls")
                                         << "Old .xls workbooks cannot be read: save the list as .xlsx";
    QTest::newRow("damaged") << workbook("badxml.xlsx") << "The workbook is damaged";
    QTest::newRow("no workbook, no JSON") << workbook("upper.XLSX") << "The file holds no starting list";
    QTest::newRow("missing JSON file") << workbook("missing.json") << "The file holds no starting list";
}

void TestWorkbookImport::refusedFilesLeaveTheActiveList()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    Sema sema;
    QVERIFY(sema.setStartingListFromFile(workbook("trailing.xlsx")));
    const QSharedPointer<StartingList> installed = sema.startingList();
    // A message left from an earlier refusal is not what the screen shows for this one.
    QVERIFY(!sema.setStartingList(QJsonDocument(QJsonObject { { "StartingListId", "x" } })));
    QSignalSpy spy(&sema, &Sema::startListNameChanged);
    QVERIFY(!sema.setStartingListFromFile(file));
    QCOMPARE(sema.errorMessage(), message);
    QCOMPARE(sema.startingList(), installed);
    QCOMPARE(spy.count(), 0);
}

void TestWorkbookImport::viewerFormShowsWhatWasRead()
{
    Sema sema;
    const QVariantMap header = sema.loadStartingList(workbook("header.xlsx"));
    QCOMPARE(header.value("startingListName").toString(), QStringLiteral("header"));
    QCOMPARE(header.value("startingList").toList(), QVariantList());

    const QVariantMap list = sema.loadStartingList(workbook("bibzero.xlsx"));
    QCOMPARE(list.value("startingList").toList(),
        (QVariantList { QVariantMap { { "bibNumber", 12 }, { "time", "09:00:00" }, { "date", "" } } }));
}

void TestWorkbookImport::messagesAreTranslated()
{
    initResources();
    QTranslator german;
    QVERIFY(german.load(QStringLiteral(":/resources/languages/Orvane_de_DE.qm")));
    QCoreApplication::installTranslator(&german);
    QString problem;
    FileSystemProxyModel::importStartingList(workbook("legacy.xls"), &problem);
    QCOMPARE(
        problem, QStringLiteral("Alte .xls-Arbeitsmappen können nicht gelesen werden: die Liste als .xlsx speichern"));
    FileSystemProxyModel::importStartingList(workbook("bibzero.xlsx"), &problem);
    QVERIFY2(problem.startsWith(QStringLiteral("Zeile 2 der Arbeitsmappe ist kein Start")), qPrintable(problem));
    FileSystemProxyModel::importStartingList(workbook("gap.xlsx"), &problem);
    QCOMPARE(problem,
        QStringLiteral("Zeile 2 der Arbeitsmappe ist leer, aber es folgen weitere Zeilen: die leere Zeile entfernen"));
    FileSystemProxyModel::importStartingList(workbook("noonfraction.xlsx"), &problem);
    QVERIFY2(problem.startsWith(QStringLiteral("Zeile 1 der Arbeitsmappe hat als Startzeit eine bloße Zahl")),
        qPrintable(problem));
    FileSystemProxyModel::importStartingList(workbook("upper.XLSX"), &problem);
    QCOMPARE(problem, QStringLiteral("Die Datei enthält keine Startliste"));
    QCoreApplication::removeTranslator(&german);
}

VANTOR_TEST_CLASS(TestWorkbookImport)
#include "tst_workbookimport.moc"
