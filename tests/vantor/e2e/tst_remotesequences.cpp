#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QTest>

#include <memory>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

QString customFolder() { return VantorProcess::dataPath() + QStringLiteral("/Custom"); }

QStringList customFiles(const QString& prefix)
{
    return QDir(customFolder()).entryList({ prefix + QStringLiteral("*.json") }, QDir::Files, QDir::Name);
}

const char* const kSequence = R"([{"SequenceId": "5E0C2A4B-0000-4000-8000-000000000001", "SequenceName": "REMOTE ONE",
    "Sequence": [{"Time": -5, "Color": 2, "Sound": 1, "IsFalseStartWindow": false},
                 {"Time": 0, "Color": 4, "Sound": 3, "IsFalseStartWindow": true},
                 {"Time": 5, "Color": 1, "Sound": 0, "IsFalseStartWindow": false}],
    "Note": "kept as sent"}])";

const char* const kStartingList = R"([{"StartingListId": "LIST-1", "StartingListName": "Juniors",
    "StartingList": [{"BibNumber": 7, "Time": "10:00:00"}, {"BibNumber": 8, "Time": "10:01:00"}]}])";

// The largest file the store reads back, as the README states it.
constexpr qint64 kMaxStoredSize = 4 * 1024 * 1024;

struct Kind
{
    bool isSequence;
    const char* name;
    QString prefix;
    QString idKey;
    QString nameKey;
    const char* store;
    const char* selectById;
    const char* selectByName;
    const char* deleteById;
    const char* deleteByName;
    const char* currentName;
    QJsonObject storeError;
};

Kind kindOf(bool isSequence)
{
    if (isSequence)
        return { true, "sequence", "Sequence_", "SequenceId", "SequenceName", "SetSequence", "SetCurrentSequenceId",
            "SetCurrentSequenceName", "DeleteSequenceById", "DeleteSequenceByName", "GetCurrentSequenceName",
            { { "Error", "Error sequence" }, { "ErrorIndex", 14 } } };
    return { false, "starting list", "StartingList_", "StartingListId", "StartingListName", "SetStartingList",
        "SetCurrentStartingListId", "SetCurrentStartingListName", "DeleteStartingListById", "DeleteStartingListByName",
        "GetCurrentStartingListName", { { "Error", "Error starting list" }, { "ErrorIndex", 16 } } };
}

// A valid document of the kind under the identifier and name.
QJsonObject documentOf(const Kind& kind, const QString& id, const QString& name)
{
    QJsonObject document = (kind.isSequence ? items(kSequence) : items(kStartingList)).at(0).toObject();
    document.insert(kind.idKey, id);
    document.insert(kind.nameKey, name);
    return document;
}

// A valid document whose stored, indented form is size bytes: a list of empty objects, which the
// indentation makes about seven times larger than it is on the wire, and a text to make up the rest.
QJsonObject documentStoredAs(const Kind& kind, const QString& id, qint64 size)
{
    QJsonObject document = documentOf(kind, id, "LARGE");
    document.insert("Padding", QString());
    const qint64 bare = QJsonDocument(document).toJson().size();
    // Each empty object of the list takes 21 bytes when stored; some room is left for the text.
    QJsonArray bulk;
    for (qint64 i = 0; i < (size - bare - 64) / 21; ++i)
        bulk.append(QJsonObject());
    document.insert("Bulk", bulk);
    const qint64 rest = size - QJsonDocument(document).toJson().size();
    document.insert("Padding", QString(int(rest), 'x'));
    return document;
}

// A valid document carrying numbers nested depth arrays deep.
QJsonObject nestedDocument(const Kind& kind, const QString& id, int depth, int numbers)
{
    QJsonArray nested;
    for (int i = 0; i < numbers; ++i)
        nested.append(0);
    for (int level = 1; level < depth; ++level)
        nested = QJsonArray { nested };
    QJsonObject document = documentOf(kind, id, "NESTED");
    document.insert("Nested", nested);
    return document;
}

void clearCustomFolder()
{
    for (const QString& name : QDir(customFolder()).entryList(QDir::Files))
        QFile::remove(customFolder() + '/' + name);
}

// A file of the Custom folder as an interrupted store or a copy leaves it, last changed at modified.
bool writeCustomFile(const QString& name, const QJsonObject& document, const QDateTime& modified)
{
    QFile file(customFolder() + '/' + name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(document).toJson());
    // Written out first: a write after the time is set would set it again.
    return file.flush() && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace

// Sequences and starting lists stored, chosen and deleted by a remote client of the real program.
class TestRemoteSequences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void builtInSequencesAreListedAndChosen();
    void storedSequenceIsWrittenAsSent();
    void storingTheSameIdAgainKeepsOneFile();
    void storedSequenceIsChosenByNameAndId();
    void deletingASequence();
    void startingListStoredChosenDeleted();
    void failedStoreIsReported();
    void storedDocumentsStayReadable_data();
    void storedDocumentsStayReadable();
    void readingNeverRemovesFiles_data();
    void readingNeverRemovesFiles();

private:
    QJsonObject get(const QString& command);
    // The command's messages: only its acknowledgement when it succeeded.
    int run(const QString& command, const QJsonArray& data);

    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteSequences::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
    for (const QString& name : QDir(customFolder()).entryList(QDir::Files))
        QFile::remove(customFolder() + '/' + name);
}

void TestRemoteSequences::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

QJsonObject TestRemoteSequences::get(const QString& command)
{
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(command));
    return messages.size() == 2 ? RemoteClient::firstData(messages.at(1)) : QJsonObject();
}

int TestRemoteSequences::run(const QString& command, const QJsonArray& data)
{
    return m_client->exchange(RemoteClient::frame(command, data)).size();
}

void TestRemoteSequences::builtInSequencesAreListedAndChosen()
{
    const QJsonArray sequences = get("GetAllSequences").value("Sequences").toArray();
    QCOMPARE(sequences.size(), 6);
    QCOMPARE(QJsonDocument::fromJson(sequences.at(2).toString().toUtf8()).object().value("SequenceName").toString(),
        QStringLiteral("RALLY"));
    QCOMPARE(run("SetCurrentSequenceId", items(R"([{"SequenceId": "51F4980F-C131-44F2-9AB7-EA948759482F"}])")), 1);
    QCOMPARE(get("GetCurrentSequenceName"), QJsonObject({ { "SequenceName", "RALLY" } }));
    QCOMPARE(run("SetCurrentSequenceName", items(R"([{"SequenceName": "SHAKEDOWN"}])")), 1);
    QCOMPARE(get("GetCurrentSequenceId"), QJsonObject({ { "SequenceId", "3CAA1A00-A880-40DF-9B95-D96568193981" } }));
}

void TestRemoteSequences::storedSequenceIsWrittenAsSent()
{
    QCOMPARE(run("SetSequence", items(kSequence)), 1);
    const QStringList files = customFiles("Sequence_");
    QCOMPARE(files.size(), 1);
    QVERIFY2(QRegularExpression("^Sequence_1_\\d\\d_\\d\\d_\\d\\d\\.json$").match(files.at(0)).hasMatch(),
        qPrintable(files.at(0)));
    QFile file(customFolder() + '/' + files.at(0));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("\n    \"Note\": \"kept as sent\""));
    QCOMPARE(QJsonDocument::fromJson(content).object(), items(kSequence).at(0).toObject());

    const QJsonArray sequences = get("GetAllSequences").value("Sequences").toArray();
    QCOMPARE(sequences.size(), 7);
    QCOMPARE(QJsonDocument::fromJson(sequences.at(6).toString().toUtf8()).object(), items(kSequence).at(0).toObject());
}

void TestRemoteSequences::storingTheSameIdAgainKeepsOneFile()
{
    QJsonObject changed = items(kSequence).at(0).toObject();
    changed.insert("SequenceName", "REMOTE TWO");
    QCOMPARE(run("SetSequence", { changed }), 1);
    const QStringList files = customFiles("Sequence_");
    QCOMPARE(files.size(), 1);
    QFile file(customFolder() + '/' + files.at(0));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QJsonDocument::fromJson(file.readAll()).object().value("SequenceName").toString(),
        QStringLiteral("REMOTE TWO"));
}

void TestRemoteSequences::storedSequenceIsChosenByNameAndId()
{
    QCOMPARE(run("SetCurrentSequenceName", items(R"([{"SequenceName": "REMOTE TWO"}])")), 1);
    QCOMPARE(get("GetCurrentSequenceId"), QJsonObject({ { "SequenceId", "5E0C2A4B-0000-4000-8000-000000000001" } }));
    QCOMPARE(run("SetCurrentSequenceId", items(R"([{"SequenceId": "26DED030-6120-417C-934F-468598800AEC"}])")), 1);
    QCOMPARE(run("SetCurrentSequenceId", items(R"([{"SequenceId": "5E0C2A4B-0000-4000-8000-000000000001"}])")), 1);
    QCOMPARE(get("GetCurrentSequenceName"), QJsonObject({ { "SequenceName", "REMOTE TWO" } }));
}

void TestRemoteSequences::deletingASequence()
{
    QCOMPARE(run("DeleteSequenceByName", items(R"([{"SequenceName": "REMOTE TWO"}])")), 1);
    QVERIFY(customFiles("Sequence_").isEmpty());
    QCOMPARE(run("DeleteSequenceByName", items(R"([{"SequenceName": "REMOTE TWO"}])")), 2);
    QCOMPARE(get("GetAllSequences").value("Sequences").toArray().size(), 6);

    QCOMPARE(run("SetSequence", items(kSequence)), 1);
    QCOMPARE(run("DeleteSequenceById", items(R"([{"SequenceId": "5E0C2A4B-0000-4000-8000-000000000001"}])")), 1);
    QVERIFY(customFiles("Sequence_").isEmpty());
}

void TestRemoteSequences::startingListStoredChosenDeleted()
{
    QCOMPARE(run("SetStartingList", items(kStartingList)), 1);
    QCOMPARE(customFiles("StartingList_").size(), 1);
    QCOMPARE(run("SetCurrentStartingListId", items(R"([{"StartingListId": "LIST-1"}])")), 1);
    QCOMPARE(get("GetCurrentStartingListName"), QJsonObject({ { "StartingListName", "Juniors" } }));
    QCOMPARE(get("GetCurrentStartingListId"), QJsonObject({ { "StartingListId", "LIST-1" } }));
    QCOMPARE(run("SetCurrentStartingListName", items(R"([{"StartingListName": "Juniors"}])")), 1);
    QCOMPARE(run("DeleteStartingListById", items(R"([{"StartingListId": "LIST-1"}])")), 1);
    QVERIFY(customFiles("StartingList_").isEmpty());
    QCOMPARE(run("DeleteStartingListByName", items(R"([{"StartingListName": "Juniors"}])")), 2);
}

void TestRemoteSequences::failedStoreIsReported()
{
    clearCustomFolder();
    // Whatever fails below, the tests after this one find the Custom folder as a folder again.
    const auto restoreFolder = qScopeGuard([] {
        if (!QFileInfo(customFolder()).isDir())
            QFile::remove(customFolder());
        QDir().mkpath(customFolder());
        clearCustomFolder();
    });
    // The Custom folder cannot take a file: a plain file stands in its place.
    QVERIFY(QDir(customFolder()).removeRecursively());
    {
        QFile blocker(customFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    for (const bool isSequence : { true, false }) {
        const Kind kind = kindOf(isSequence);
        const QList<QJsonObject> messages
            = m_client->exchange(RemoteClient::frame(kind.store, isSequence ? items(kSequence) : items(kStartingList)));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), QString::fromLatin1(kind.store));
        QCOMPARE(RemoteClient::firstData(messages.at(1)), kind.storeError);
    }
    QVERIFY(m_vantor->waitForLog("Document not stored"));

    // With the folder back, storing works again and answers with the acknowledgement only.
    QVERIFY(QFile::remove(customFolder()));
    QVERIFY(QDir().mkpath(customFolder()));
    QCOMPARE(run("SetSequence", items(kSequence)), 1);
    QCOMPARE(run("SetStartingList", items(kStartingList)), 1);
    QCOMPARE(customFiles("Sequence_").size(), 1);
    QCOMPARE(customFiles("StartingList_").size(), 1);
}

void TestRemoteSequences::storedDocumentsStayReadable_data()
{
    QTest::addColumn<bool>("isSequence");
    QTest::addColumn<QJsonObject>("document");
    // The size of the document's stored form where the row depends on it exactly, else 0.
    QTest::addColumn<qint64>("storedSize");
    // "stored", "refused" (the command's error) or "dropped" (the request is not read at all).
    QTest::addColumn<QString>("outcome");

    const QString id = QStringLiteral("5E0C2A4B-0000-4000-8000-0000000000AA");
    for (const bool isSequence : { true, false }) {
        const Kind kind = kindOf(isSequence);
        QTest::addRow("%s at the size limit", kind.name)
            << isSequence << documentStoredAs(kind, id, kMaxStoredSize) << kMaxStoredSize << "stored";
        QTest::addRow("%s one byte over the size limit", kind.name)
            << isSequence << documentStoredAs(kind, id, kMaxStoredSize + 1) << kMaxStoredSize + 1 << "refused";
        // 60,000 numbers 20 arrays deep: 120 KB on the wire, over 5 MB when indented.
        QTest::addRow("%s small on the wire, large when indented", kind.name)
            << isSequence << nestedDocument(kind, id, 20, 60000) << qint64(0) << "refused";
        // Deeper than any message needs: 1,000 numbers 1,000 arrays deep, 4 KB on the wire.
        QTest::addRow("%s nested 1,000 deep", kind.name)
            << isSequence << nestedDocument(kind, id, 1000, 1000) << qint64(0) << "dropped";
    }
    // 330,000 empty intervals: 990 KB on the wire, 6.9 MB when indented.
    QJsonObject intervals = documentOf(kindOf(true), id, "EMPTY INTERVALS");
    QJsonArray empty;
    for (int i = 0; i < 330000; ++i)
        empty.append(QJsonObject());
    intervals.insert("Sequence", empty);
    QTest::newRow("sequence of empty intervals") << true << intervals << qint64(0) << "refused";
}

void TestRemoteSequences::storedDocumentsStayReadable()
{
    QFETCH(bool, isSequence);
    QFETCH(QJsonObject, document);
    QFETCH(qint64, storedSize);
    QFETCH(QString, outcome);
    const Kind kind = kindOf(isSequence);
    const QString id = document.value(kind.idKey).toString();
    if (storedSize > 0)
        QCOMPARE(QJsonDocument(document).toJson().size(), storedSize);
    clearCustomFolder();
    const auto cleanup = qScopeGuard([] { clearCustomFolder(); });

    // A small document of the identifier is there before; a document that is not stored leaves it.
    QCOMPARE(run(kind.store, { documentOf(kind, id, "SMALL") }), 1);
    const QStringList before = customFiles(kind.prefix);
    QCOMPARE(before.size(), 1);

    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(kind.store, { document }));
    if (outcome == QLatin1String("stored")) {
        QCOMPARE(messages.size(), 1);
        const QStringList files = customFiles(kind.prefix);
        QCOMPARE(files.size(), 1);
        QCOMPARE(QFileInfo(customFolder() + '/' + files.at(0)).size(), storedSize);
        // The store reads back what it wrote: the document is chosen and deleted by its identifier.
        QCOMPARE(run(kind.selectById, { QJsonObject { { kind.idKey, id } } }), 1);
        QCOMPARE(get(kind.currentName).value(kind.nameKey).toString(), QStringLiteral("LARGE"));
        QCOMPARE(run(kind.deleteById, { QJsonObject { { kind.idKey, id } } }), 1);
        QVERIFY(customFiles(kind.prefix).isEmpty());
        return;
    }
    if (outcome == QLatin1String("refused")) {
        QCOMPARE(messages.size(), 2);
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
        QCOMPARE(RemoteClient::firstData(messages.at(1)), kind.storeError);
    } else {
        QCOMPARE(messages.size(), 0);
    }
    QCOMPARE(customFiles(kind.prefix), before);
    QCOMPARE(run(kind.selectById, { QJsonObject { { kind.idKey, id } } }), 1);
    QCOMPARE(get(kind.currentName).value(kind.nameKey).toString(), QStringLiteral("SMALL"));
}

void TestRemoteSequences::readingNeverRemovesFiles_data()
{
    QTest::addColumn<bool>("isSequence");
    // "list", "select by id", "select by name", "delete by id" or "delete by name".
    QTest::addColumn<QString>("action");
    // The name or identifier the action names.
    QTest::addColumn<QString>("argument");
    // The name of the document chosen by a selection.
    QTest::addColumn<QString>("chosen");
    // The files left in the Custom folder.
    QTest::addColumn<QStringList>("remaining");

    const QString id = QStringLiteral("5E0C2A4B-0000-4000-8000-0000000000DD");
    const QStringList both { "slalom_a.json", "slalom_a_short.json" };
    for (const bool isSequence : { true, false }) {
        const char* kind = kindOf(isSequence).name;
        QTest::addRow("%s: folder listed", kind) << isSequence << "list" << QString() << QString() << both;
        QTest::addRow("%s: older file selected by name", kind)
            << isSequence << "select by name" << "Slalom A" << "Slalom A" << both;
        QTest::addRow("%s: newer file selected by name", kind)
            << isSequence << "select by name" << "Slalom A (short)" << "Slalom A (short)" << both;
        QTest::addRow("%s: selected by identifier", kind)
            << isSequence << "select by id" << id << "Slalom A (short)" << both;
        QTest::addRow("%s: older file deleted by name", kind)
            << isSequence << "delete by name" << "Slalom A" << QString() << QStringList { "slalom_a_short.json" };
        QTest::addRow("%s: deleted by identifier", kind)
            << isSequence << "delete by id" << id << QString() << QStringList();
    }
}

void TestRemoteSequences::readingNeverRemovesFiles()
{
    QFETCH(bool, isSequence);
    QFETCH(QString, action);
    QFETCH(QString, argument);
    QFETCH(QString, chosen);
    QFETCH(QStringList, remaining);
    const Kind kind = kindOf(isSequence);
    clearCustomFolder();
    const auto cleanup = qScopeGuard([] { clearCustomFolder(); });

    // A user's copy of a document, renamed and changed, under the same identifier; the copy is the
    // newer file. (A copy that kept its old date would be the older one: neither may be lost.)
    const QString id = QStringLiteral("5E0C2A4B-0000-4000-8000-0000000000DD");
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(writeCustomFile("slalom_a.json", documentOf(kind, id, "Slalom A"), now.addSecs(-100)));
    QVERIFY(writeCustomFile("slalom_a_short.json", documentOf(kind, id, "Slalom A (short)"), now.addSecs(-10)));
    const auto files = [] { return QDir(customFolder()).entryList({ "*.json" }, QDir::Files, QDir::Name); };

    if (action == QLatin1String("list")) {
        // The listing reads every document of the folder, starting lists included.
        const QJsonArray sequences = get("GetAllSequences").value("Sequences").toArray();
        QStringList names;
        for (int i = 6; i < sequences.size(); ++i)
            names << QJsonDocument::fromJson(sequences.at(i).toString().toUtf8()).object().value(kind.nameKey).toString();
        names.sort();
        const QStringList listed = isSequence ? QStringList { "Slalom A", "Slalom A (short)" } : QStringList();
        QCOMPARE(names, listed);
    } else if (action.startsWith(QLatin1String("select"))) {
        const bool byId = action.endsWith(QLatin1String("id"));
        const QJsonObject item { { byId ? kind.idKey : kind.nameKey, argument } };
        QCOMPARE(run(byId ? kind.selectById : kind.selectByName, { item }), 1);
        QCOMPARE(get(kind.currentName).value(kind.nameKey).toString(), chosen);
    } else {
        const bool byId = action.endsWith(QLatin1String("id"));
        const QJsonObject item { { byId ? kind.idKey : kind.nameKey, argument } };
        QCOMPARE(run(byId ? kind.deleteById : kind.deleteByName, { item }), 1);
        // Deleted is deleted: no other file of the name or identifier comes back in its place.
        QCOMPARE(run(byId ? kind.deleteById : kind.deleteByName, { item }), 2);
    }
    QCOMPARE(files(), remaining);
}

VANTOR_TEST_CLASS(TestRemoteSequences)
#include "tst_remotesequences.moc"
