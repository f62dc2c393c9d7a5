#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QDateTime>
#include <QDir>
#include <QJsonDocument>
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
    void newestFileOfAnIdentifierHolds_data();
    void newestFileOfAnIdentifierHolds();

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
    // The Custom folder cannot take a file: a plain file stands in its place.
    QVERIFY(QDir(customFolder()).removeRecursively());
    {
        QFile blocker(customFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const struct
    {
        const char* command;
        const char* data;
        QJsonObject error;
    } cases[] = {
        { "SetSequence", kSequence, { { "Error", "Error sequence" }, { "ErrorIndex", 14 } } },
        { "SetStartingList", kStartingList, { { "Error", "Error starting list" }, { "ErrorIndex", 16 } } },
    };
    for (const auto& c : cases) {
        const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(c.command, items(c.data)));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), QString::fromLatin1(c.command));
        QCOMPARE(RemoteClient::firstData(messages.at(1)), c.error);
    }
    QVERIFY(m_vantor->waitForLog("Document not stored"));

    // With the folder back, storing works again and answers with the acknowledgement only.
    QVERIFY(QFile::remove(customFolder()));
    QVERIFY(QDir().mkpath(customFolder()));
    QCOMPARE(run("SetSequence", items(kSequence)), 1);
    QCOMPARE(run("SetStartingList", items(kStartingList)), 1);
    QCOMPARE(customFiles("Sequence_").size(), 1);
    QCOMPARE(customFiles("StartingList_").size(), 1);
    clearCustomFolder();
}

void TestRemoteSequences::newestFileOfAnIdentifierHolds_data()
{
    QTest::addColumn<bool>("isSequence");
    QTest::addColumn<QString>("action");
    QTest::newRow("sequence listed") << true << "list";
    QTest::newRow("sequence selected") << true << "select";
    QTest::newRow("sequence deleted") << true << "delete";
    QTest::newRow("starting list selected") << false << "select";
    QTest::newRow("starting list deleted") << false << "delete";
}

void TestRemoteSequences::newestFileOfAnIdentifierHolds()
{
    QFETCH(bool, isSequence);
    QFETCH(QString, action);
    clearCustomFolder();
    const QString prefix = isSequence ? QStringLiteral("Sequence_") : QStringLiteral("StartingList_");
    const QString idKey = isSequence ? QStringLiteral("SequenceId") : QStringLiteral("StartingListId");
    const QString nameKey = isSequence ? QStringLiteral("SequenceName") : QStringLiteral("StartingListName");
    const QString id = QStringLiteral("5E0C2A4B-0000-4000-8000-0000000000DD");
    QJsonObject document = (isSequence ? items(kSequence) : items(kStartingList)).at(0).toObject();
    document.insert(idKey, id);

    // The newest file is made first and the older ones after it, so that no listing order favours it.
    const QDateTime now = QDateTime::currentDateTime();
    document.insert(nameKey, "NEWEST");
    const QString newest = prefix + QStringLiteral("1_23_59_00.json");
    QVERIFY(writeCustomFile(newest, document, now.addSecs(-10)));
    for (int n = 2; n <= 4; ++n) {
        document.insert(nameKey, QStringLiteral("OLDER %1").arg(n));
        QVERIFY(writeCustomFile(prefix + QStringLiteral("%1_23_59_00.json").arg(n), document, now.addSecs(-100 * n)));
    }

    if (action == QLatin1String("list")) {
        const QJsonArray sequences = get("GetAllSequences").value("Sequences").toArray();
        QCOMPARE(sequences.size(), 7);
        QCOMPARE(QJsonDocument::fromJson(sequences.at(6).toString().toUtf8()).object().value(nameKey).toString(),
            QStringLiteral("NEWEST"));
    } else if (action == QLatin1String("select")) {
        const char* command = isSequence ? "SetCurrentSequenceId" : "SetCurrentStartingListId";
        QCOMPARE(run(command, { QJsonObject { { idKey, id } } }), 1);
        QCOMPARE(get(isSequence ? "GetCurrentSequenceName" : "GetCurrentStartingListName").value(nameKey).toString(),
            QStringLiteral("NEWEST"));
    } else {
        const char* command = isSequence ? "DeleteSequenceById" : "DeleteStartingListById";
        QCOMPARE(run(command, { QJsonObject { { idKey, id } } }), 1);
        // No older version comes back in place of the deleted one.
        QVERIFY2(customFiles(prefix).isEmpty(), qPrintable(customFiles(prefix).join(' ')));
        QCOMPARE(run(command, { QJsonObject { { idKey, id } } }), 2);
        return;
    }
    // The older files are gone; the newest stays.
    QCOMPARE(customFiles(prefix), QStringList { newest });
    clearCustomFolder();
}

VANTOR_TEST_CLASS(TestRemoteSequences)
#include "tst_remotesequences.moc"
