#include "sequence/filesystemproxymodel.h"
#include "sequence/indentedjson.h"
#include "sequence/sema.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Vl::Tavix3::UI;

namespace {

QString custom(const QString& name) { return FileSystemProxyModel::getCustomFolderPath() + QLatin1Char('/') + name; }

QString usb(const QString& name) { return FileSystemProxyModel::getUsbFolderPath() + QLatin1Char('/') + name; }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeJson(const QString& path, const QJsonObject& object) { writeBytes(path, QJsonDocument(object).toJson()); }

QJsonObject sequence(const QString& name, const QString& id)
{
    return { { "SequenceName", name }, { "SequenceId", id },
        { "Sequence", QJsonArray { QJsonObject { { "Time", -5 } } } } };
}

QJsonObject startingList(const QString& name, const QString& id, const QJsonArray& entries)
{
    return { { "StartingListName", name }, { "StartingListId", id }, { "StartingList", entries } };
}

} // namespace

// The file store of sequence and starting-list documents, and starting lists becoming active.
class TestSequenceFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void customFolderComesBeforeUsb();
    void findersNeedBothKeysAndExactText();
    void loadAllDocumentsSkipsEmptyAndBrokenFiles();
    void oversizedFilesAreRefused();
    void invokablesReadTheFiles();
    void storeKeepsDocumentsOfTheSameSecond();
    void storeReportsFailure();
    void indentedSizeIsKnownBeforeWriting_data();
    void indentedSizeIsKnownBeforeWriting();
    void startingListErrors_data();
    void startingListErrors();
    void startingListReplacedAllOrNothing();
    void startingListTimesAndDates();
    void startingListScreenForm();
};

void TestSequenceFiles::init()
{
    QDir(FileSystemProxyModel::getCustomFolderPath()).removeRecursively();
    QFile::remove(FileSystemProxyModel::getCustomFolderPath());
    QDir(FileSystemProxyModel::getUsbFolderPath()).removeRecursively();
    FileSystemProxyModel::createAppDataFolders();
}

void TestSequenceFiles::customFolderComesBeforeUsb()
{
    writeJson(usb("b.json"), sequence("From USB", "same"));
    writeJson(custom("a.json"), sequence("Internal", "same"));
    QCOMPARE(FileSystemProxyModel::findSequenceDocumentById("same").object().value("SequenceName").toString(),
        QStringLiteral("Internal"));
    QCOMPARE(FileSystemProxyModel::findCustomSequenceFileById("same"), custom("a.json"));
    QCOMPARE(FileSystemProxyModel::findSequenceDocumentByName("From USB").object().value("SequenceId").toString(),
        QStringLiteral("same"));
    QVERIFY(FileSystemProxyModel::findCustomSequenceFileByName("From USB").isEmpty());

    // A store of that identifier replaces only the Custom file.
    QVERIFY(!FileSystemProxyModel::storeCustomDocument(
        FileSystemProxyModel::DocumentKind::Sequence, sequence("New", "same"))
                 .isEmpty());
    QVERIFY(!QFile::exists(custom("a.json")));
    QVERIFY(QFile::exists(usb("b.json")));
    QCOMPARE(FileSystemProxyModel::findSequenceDocumentById("same").object().value("SequenceName").toString(),
        QStringLiteral("New"));
}

void TestSequenceFiles::findersNeedBothKeysAndExactText()
{
    writeJson(custom("noname.json"), QJsonObject { { "SequenceId", "only-id" } });
    QVERIFY(FileSystemProxyModel::findCustomSequenceFileById("only-id").isEmpty());
    QVERIFY(FileSystemProxyModel::findSequenceDocumentById("only-id").isEmpty());
    QVERIFY(!FileSystemProxyModel::loadSequenceDocument(custom("noname.json")).isEmpty());

    writeJson(custom("Case.JSON"), startingList("List", "AbC", {}));
    QCOMPARE(FileSystemProxyModel::findCustomStartingListFileById("AbC"), custom("Case.JSON"));
    QVERIFY(FileSystemProxyModel::findCustomStartingListFileById("abc").isEmpty());
    QCOMPARE(FileSystemProxyModel::findCustomStartingListFileByName("List"), custom("Case.JSON"));
    QVERIFY(FileSystemProxyModel::findCustomSequenceFileByName("List").isEmpty());

    QDir(FileSystemProxyModel::getCustomFolderPath()).removeRecursively();
    QVERIFY(FileSystemProxyModel::findCustomStartingListFileById("AbC").isEmpty());
}

void TestSequenceFiles::loadAllDocumentsSkipsEmptyAndBrokenFiles()
{
    writeJson(custom("seq.json"), sequence("S", "s"));
    writeBytes(custom("empty.json"), QByteArray());
    writeBytes(custom("object.json"), "{}");
    writeBytes(custom("broken.json"), "{\"SequenceName\":");
    writeBytes(custom("notes.txt"), "{\"a\":1}");
    QDir().mkpath(custom("folder.json"));
    writeJson(usb("list.json"), startingList("L", "l", {}));
    const QList<QJsonDocument> all = FileSystemProxyModel::loadAllDocuments();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).object().value("SequenceId").toString(), QStringLiteral("s"));
    QCOMPARE(all.at(1).object().value("StartingListId").toString(), QStringLiteral("l"));
}

void TestSequenceFiles::oversizedFilesAreRefused()
{
    QByteArray padding(FileSystemProxyModel::kMaxDocumentSize, 'x');
    writeBytes(custom("huge.json"), R"({"SequenceName":"Huge","SequenceId":"huge","Pad":")" + padding + "\"}");
    QVERIFY(FileSystemProxyModel::readJsonDocument(custom("huge.json")).isNull());
    QVERIFY(FileSystemProxyModel::findSequenceDocumentById("huge").isEmpty());
    QVERIFY(FileSystemProxyModel::loadAllDocuments().isEmpty());
}

void TestSequenceFiles::invokablesReadTheFiles()
{
    FileSystemProxyModel model;
    // A file URL of the folder: "file:///" and the path without its leading "/".
    QCOMPARE(model.getPathString(true), "file:///" + FileSystemProxyModel::getCustomFolderPath().mid(1));
    QCOMPARE(
        model.getMultiPathString(false), QStringList { "file:///" + FileSystemProxyModel::getUsbFolderPath().mid(1) });
    writeJson(custom("s.json"), sequence("Name", "Id"));
    QCOMPARE(model.getSequenceName(custom("s.json")), QStringLiteral("Name"));
    QCOMPARE(model.getSequenceId(custom("s.json")), QStringLiteral("Id"));
    writeJson(custom("l.json"), startingList("Listname", "Listid", {}));
    QCOMPARE(model.getStartingListName(custom("l.json")), QStringLiteral("Listname"));
    QCOMPARE(model.getStartingListId(custom("l.json")), QStringLiteral("Listid"));
    QCOMPARE(model.getStartingListName(custom("Start.xlsx")), QStringLiteral("Start"));
    QVERIFY(model.getStartingListName(custom("start.XLSX")).isEmpty());
    QVERIFY(FileSystemProxyModel::isWorkbookFileName("a.xls"));
    QVERIFY(!FileSystemProxyModel::isWorkbookFileName("list.XLSX"));
}

void TestSequenceFiles::storeKeepsDocumentsOfTheSameSecond()
{
    const QTime at(14, 5, 9);
    const auto kind = FileSystemProxyModel::DocumentKind::Sequence;
    QString error;
    const QString first = FileSystemProxyModel::storeCustomDocument(kind, sequence("One", "x"), &error, at);
    QCOMPARE(first, custom("Sequence_1_14_05_09.json"));
    const QString other = FileSystemProxyModel::storeCustomDocument(kind, sequence("Other", "y"), &error, at);
    QCOMPARE(other, custom("Sequence_2_14_05_09.json"));
    QVERIFY(QFile::exists(first));

    // The same identifier again: the new file is written first, then the old one goes.
    const QString replaced = FileSystemProxyModel::storeCustomDocument(kind, sequence("One again", "x"), &error, at);
    QCOMPARE(replaced, custom("Sequence_3_14_05_09.json"));
    QVERIFY(!QFile::exists(first));
    QVERIFY(QFile::exists(other));
    QCOMPARE(FileSystemProxyModel::findSequenceDocumentById("x").object().value("SequenceName").toString(),
        QStringLiteral("One again"));

    const QString list = FileSystemProxyModel::storeCustomDocument(
        FileSystemProxyModel::DocumentKind::StartingList, startingList("L", "x", {}), &error, at);
    QCOMPARE(list, custom("StartingList_1_14_05_09.json"));
    QVERIFY(QFile::exists(replaced)); // another kind, not the same document
    QFile file(list);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\n    \"StartingListId\": \"x\"")); // indented
}

void TestSequenceFiles::storeReportsFailure()
{
    // The Custom folder cannot be created when a plain file stands in its place.
    QDir(FileSystemProxyModel::getCustomFolderPath()).removeRecursively();
    writeBytes(FileSystemProxyModel::getCustomFolderPath(), "not a folder");
    QString error;
    const QString path = FileSystemProxyModel::storeCustomDocument(
        FileSystemProxyModel::DocumentKind::Sequence, sequence("S", "s"), &error);
    QVERIFY(path.isEmpty());
    QVERIFY(!error.isEmpty());
    QFile::remove(FileSystemProxyModel::getCustomFolderPath());
}

void TestSequenceFiles::indentedSizeIsKnownBeforeWriting_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("empty") << QByteArray("{}");
    QTest::newRow("flat") << QByteArray(R"({"a":1,"b":"x","c":true,"d":null})");
    QTest::newRow("empty containers") << QByteArray(R"({"a":[],"b":{},"c":[{}],"d":{"e":[]}})");
    QTest::newRow("nested") << QByteArray(R"({"a":[[1,2],[{}],{"b":[3,{"c":"d"}]}],"e":{"f":{"g":[[[]]]}}})");
    QTest::newRow("texts with escapes")
        << QByteArray(R"({"a\nb":"line\nbreak \"quoted\" \u00e8 \ud83d\ude00","c":["\t",1.5e300]})");
    QByteArray deep = "[1,2]";
    for (int level = 0; level < 12; ++level)
        deep = "[" + deep + R"(,{"k":[]}])";
    QTest::newRow("deep") << QByteArray(R"({"deep":)" + deep + "}");
}

void TestSequenceFiles::indentedSizeIsKnownBeforeWriting()
{
    QFETCH(QByteArray, json);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const qint64 added
        = document.toJson(QJsonDocument::Indented).size() - document.toJson(QJsonDocument::Compact).size();
    QCOMPARE(IndentedJson::addedBytes(document.object(), std::numeric_limits<qint64>::max() / 2), added);
    QCOMPARE(IndentedJson::addedBytes(document.object(), added), added);
    // Counting stops past a limit, with a result above it.
    QVERIFY(IndentedJson::addedBytes(document.object(), added - 1) > added - 1);
}

void TestSequenceFiles::startingListErrors_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::newRow("no name") << QByteArray(R"({"StartingListId":"i","StartingList":[]})") << "Error to get name";
    QTest::newRow("empty name") << QByteArray(R"({"StartingListName":"","StartingListId":"i","StartingList":[]})")
                                << "Error to get name";
    QTest::newRow("null id") << QByteArray(R"({"StartingListName":"n","StartingListId":null,"StartingList":[]})")
                             << "Error to get id";
    QTest::newRow("no list") << QByteArray(R"({"StartingListName":"n","StartingListId":"i"})")
                             << "Error to get starting list";
    QTest::newRow("bib 0") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":0}]})")
                           << "Error to set bib number";
    QTest::newRow("bib as text") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":"7"}]})")
                                 << "Error to set bib number";
    QTest::newRow("bad time") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":1,"Time":"25:00:00"}]})")
                              << "Error to set time";
    QTest::newRow("corrected date") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":1,"Time":"10:00:00","Date":"31/02/2024"}]})")
                                    << "Error to set date";
    QTest::newRow("unreadable date") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":1,"Time":"10:00:00","Date":"tomorrow"}]})")
                                     << "Error to set date";
    QTest::newRow("date before 1970") << QByteArray(
        R"({"StartingListName":"n","StartingListId":"i","StartingList":[{"BibNumber":1,"Date":"01/01/1969"}]})")
                                      << "Error to set date";
}

void TestSequenceFiles::startingListErrors()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    Sema sema;
    QSignalSpy listSpy(&sema, &Sema::startListNameChanged);
    QSignalSpy errorSpy(&sema, &Sema::errorMessageChanged);
    QVERIFY(!sema.setStartingList(QJsonDocument::fromJson(json)));
    QCOMPARE(sema.errorMessage(), error);
    QVERIFY(!sema.startingList());
    QCOMPARE(listSpy.count(), 0);
    QCOMPARE(errorSpy.count(), 0);
}

void TestSequenceFiles::startingListReplacedAllOrNothing()
{
    Sema sema;
    const QJsonArray good { QJsonObject { { "BibNumber", 12 } }, QJsonObject { { "BibNumber", 3 } } };
    QSignalSpy spy(&sema, &Sema::startListNameChanged);
    QVERIFY(sema.setStartingList(QJsonDocument(startingList("First", "first", good))));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(sema.startListName(), QStringLiteral("First"));
    const QSharedPointer<StartingList> installed = sema.startingList();
    QCOMPARE(installed->entries.size(), 2);
    QCOMPARE(installed->entries.at(0)->bibNumber, 12); // file order, not sorted
    QCOMPARE(installed->entries.at(1)->startTick, DateTime::getDate());

    const QJsonArray bad { QJsonObject { { "BibNumber", 5 } }, QJsonObject { { "BibNumber", 6 } },
        QJsonObject { { "BibNumber", 0 } } };
    QVERIFY(!sema.setStartingList(QJsonDocument(startingList("Second", "second", bad))));
    QCOMPARE(sema.errorMessage(), QStringLiteral("Error to set bib number"));
    QCOMPARE(sema.startingList(), installed);
    QCOMPARE(sema.getStartingListId(), QStringLiteral("first"));
    QCOMPARE(spy.count(), 1);

    // An entry without a bib number is taken with bib 0.
    QVERIFY(sema.setStartingList(QJsonDocument(startingList("Third", "third", { QJsonObject() }))));
    QCOMPARE(sema.startingList()->entries.at(0)->bibNumber, 0);

    writeJson(usb("list.json"), startingList("From USB", "usb-list", good));
    QVERIFY(sema.selectStartingListByName("From USB"));
    QCOMPARE(sema.getStartingListId(), QStringLiteral("usb-list"));
    QVERIFY(!sema.selectStartingListById("missing"));
    QVERIFY(!sema.selectStartingListById(QString()));
    QVERIFY(sema.setStartingListFromFile(usb("list.json")));
    QVERIFY(!sema.setStartingListFromFile(usb("none.json")));
}

void TestSequenceFiles::startingListTimesAndDates()
{
    Sema sema;
    const QJsonArray entries { QJsonObject { { "BibNumber", 1 }, { "Time", "09:30:00.5" } },
        QJsonObject { { "BibNumber", 2 }, { "Date", "15/03/24" } },
        QJsonObject { { "BibNumber", 3 }, { "Time", "10:00:00" }, { "Date", "15/03/2024" } } };
    QVERIFY(sema.setStartingList(QJsonDocument(startingList("Times", "t", entries))));
    const QSharedPointer<StartingList> list = sema.startingList();
    qint64 march15 = 0;
    QVERIFY(DateTime::parseDate(QStringLiteral("15/03/2024"), &march15));
    const qint64 s = DateTime::QSEC1;
    QCOMPARE(list->entries.at(0)->startTick, DateTime::getDate() + 34200 * s + s / 2);
    QCOMPARE(list->entries.at(1)->startTick, march15);
    QCOMPARE(list->entries.at(2)->startTick, march15 + 36000 * s);
}

void TestSequenceFiles::startingListScreenForm()
{
    writeJson(custom("list.json"),
        startingList("Screen", "sid",
            { QJsonObject { { "BibNumber", 4 }, { "Time", "10:00:00" }, { "Date", "01/02/2025" } },
                QJsonObject { { "Time", "bad" } } }));
    Sema sema;
    const QVariantMap map = sema.loadStartingList(custom("list.json"));
    QCOMPARE(map.value("startingListName").toString(), QStringLiteral("Screen"));
    QCOMPARE(map.value("startingListId").toString(), QStringLiteral("sid"));
    const QVariantList entries = map.value("startingList").toList();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(
        entries.at(0).toMap(), (QVariantMap { { "bibNumber", 4 }, { "time", "10:00:00" }, { "date", "01/02/2025" } }));
    QCOMPARE(entries.at(1).toMap().value("bibNumber").toInt(), 0);
    QVERIFY(sema.loadStartingList(custom("missing.json")).isEmpty());
    writeJson(custom("seq.json"), sequence("S", "s"));
    QVERIFY(sema.loadStartingList(custom("seq.json")).isEmpty());
}

VANTOR_TEST_CLASS(TestSequenceFiles)
#include "tst_sequencefiles.moc"
