#include "client/backend.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QVariantMap row(int time, int color, int sound, bool window)
{
    return QVariantMap { { "time", time }, { "color", color }, { "sound", sound }, { "isFalseStartWindow", window } };
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// The sequence and starting-list files of TestVantor's editors: what is written, what is read back,
// the file dialog's URLs, and failures that must not pass for success.
class TestClientFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void localPath_data();
    void localPath();
    void sequenceRoundTrip();
    void sequenceFileLayout();
    void startingListRoundTrip();
    void loadingWhatCannotBeRead();
    void loadingWhatIsNotJson();
    void oversizedFileIsNotRead();
    void failedSaveIsReportedAndKeepsTheOldFile();
    void jsonToIntervals();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestClientFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>(TestSupport::testRoot() + QStringLiteral("/files-XXXXXX"));
    QVERIFY(m_dir->isValid());
}

void TestClientFiles::localPath_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("dialog URL") << "file:///tmp/seq.json"
                                << "/tmp/seq.json";
    QTest::newRow("escaped blank") << "file:///tmp/my%20seq.json"
                                   << "/tmp/my seq.json";
    QTest::newRow("plain path") << "/tmp/seq.json"
                                << "/tmp/seq.json";
    QTest::newRow("relative path") << "seq.json"
                                   << "seq.json";
}

void TestClientFiles::localPath()
{
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QCOMPARE(Backend::localPath(fileName), expected);
}

void TestClientFiles::sequenceRoundTrip()
{
    Backend backend;
    const QString file = path("sequence.json");
    const QVariantList rows { row(-10, 2, 4, false), row(-3, 4, 1, true), row(0, 4, 3, true), row(7, 1, 0, false) };
    QVERIFY(backend.saveSequence("S-1", "Morning", rows, QUrl::fromLocalFile(file).toString()));
    const QVariantMap loaded = backend.loadSequence(QUrl::fromLocalFile(file).toString());
    QCOMPARE(loaded.value("sequenceId").toString(), QStringLiteral("S-1"));
    QCOMPARE(loaded.value("sequenceName").toString(), QStringLiteral("Morning"));
    const QVariantList sequence = loaded.value("sequence").toList();
    QCOMPARE(sequence.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QVariantMap expected = rows.at(i).toMap();
        const QVariantMap actual = sequence.at(i).toMap();
        QCOMPARE(actual.value("time").userType(), int(QMetaType::LongLong));
        QCOMPARE(actual.value("time").toLongLong(), expected.value("time").toLongLong());
        QCOMPARE(actual.value("color").toInt(), expected.value("color").toInt());
        QCOMPARE(actual.value("sound").toInt(), expected.value("sound").toInt());
        QCOMPARE(actual.value("isFalseStartWindow").toBool(), expected.value("isFalseStartWindow").toBool());
    }
}

void TestClientFiles::sequenceFileLayout()
{
    Backend backend;
    const QString file = path("layout.json");
    QVERIFY(backend.saveSequence("S-1", "Morning", { QVariantMap { { "time", -3 } } }, file));
    const QByteArray bytes = readAll(file);
    // Indented with four spaces, keys in sorted order, readable by Vantor's file store.
    QVERIFY(bytes.contains("\n    \"Sequence\": ["));
    QCOMPARE(QJsonDocument::fromJson(bytes).object(),
        QJsonDocument::fromJson(R"({"SequenceId":"S-1","SequenceName":"Morning",
            "Sequence":[{"Time":-3,"Sound":0,"Color":0,"IsFalseStartWindow":false}]})")
            .object());
}

void TestClientFiles::startingListRoundTrip()
{
    Backend backend;
    const QString file = path("list.json");
    const QVariantList rows { QVariantMap { { "bibNumber", 1 }, { "time", "10:00:00" }, { "date", "01/02/24" } },
        QVariantMap { { "bibNumber", 2 }, { "time", "10:01:00" }, { "date", "" } } };
    backend.saveStartingList("L-1", "Heat", rows, QUrl::fromLocalFile(file).toString());
    const QJsonObject written = QJsonDocument::fromJson(readAll(file)).object();
    const QJsonArray entries = written.value("StartingList").toArray();
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries.at(0).toObject().contains("Date"));
    QVERIFY(!entries.at(1).toObject().contains("Date"));
    QCOMPARE(written.value("StartingListId").toString(), QStringLiteral("L-1"));

    const QVariantMap loaded = backend.loadStartingList(file);
    QCOMPARE(loaded.value("startingListId").toString(), QStringLiteral("L-1"));
    QCOMPARE(loaded.value("startingListName").toString(), QStringLiteral("Heat"));
    const QVariantList list = loaded.value("startingList").toList();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).toMap().value("bibNumber").toInt(), 1);
    QCOMPARE(list.at(0).toMap().value("date").toString(), QStringLiteral("01/02/24"));
    QCOMPARE(list.at(1).toMap().value("time").toString(), QStringLiteral("10:01:00"));
    QCOMPARE(list.at(1).toMap().value("date").toString(), QString());
}

void TestClientFiles::loadingWhatCannotBeRead()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    QVERIFY(backend.loadSequence(path("missing.json")).isEmpty());
    QVERIFY(backend.loadStartingList(QUrl::fromLocalFile(path("missing.json")).toString()).isEmpty());
    QCOMPARE(errors.count(), 2);
    QVERIFY(errors.at(0).at(0).toString().contains(path("missing.json")));
}

void TestClientFiles::loadingWhatIsNotJson()
{
    Backend backend;
    const QString file = path("text.json");
    write(file, "just text");
    const QVariantMap sequence = backend.loadSequence(file);
    QVERIFY(sequence.contains("sequenceId"));
    QCOMPARE(sequence.value("sequenceId").toString(), QString());
    QCOMPARE(sequence.value("sequence").toList(), QVariantList());
    const QVariantMap list = backend.loadStartingList(file);
    QVERIFY(list.contains("startingListId"));
    QCOMPARE(list.value("startingList").toList(), QVariantList());
}

void TestClientFiles::oversizedFileIsNotRead()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    const QString file = path("large.json");
    write(file, QByteArray(int(Backend::kMaxFileBytes) + 1, ' '));
    QVERIFY(backend.loadSequence(file).isEmpty());
    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.at(0).at(0).toString().startsWith(QStringLiteral("File too large")));
}

void TestClientFiles::failedSaveIsReportedAndKeepsTheOldFile()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    // A folder that does not exist: nothing can be written there.
    QVERIFY(!backend.saveSequence("S", "N", {}, path("no/such/folder/seq.json")));
    backend.saveStartingList("L", "N", {}, path("no/such/folder/list.json"));
    QCOMPARE(errors.count(), 2);
    QVERIFY(errors.at(0).at(0).toString().startsWith(QStringLiteral("Error writing file")));

    // What stands at the target is kept when the new file cannot take its place (here a folder).
    const QString target = path("kept.json");
    QVERIFY(QDir().mkpath(target));
    write(target + QStringLiteral("/inside"), "old");
    QVERIFY(!backend.saveSequence("S", "N", {}, target));
    QCOMPARE(errors.count(), 3);
    QCOMPARE(readAll(target + QStringLiteral("/inside")), QByteArray("old"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void TestClientFiles::jsonToIntervals()
{
    QList<Backend::SemaInterval> intervals { Backend::SemaInterval() };
    Backend::jsonToIntervals(QJsonDocument::fromJson(R"([{"Time":-5,"Sound":1,"Color":4,"IsFalseStartWindow":true},
        {"Time":"x"},{}])")
                                 .array(),
        intervals);
    QCOMPARE(intervals.size(), 3);
    QCOMPARE(intervals.at(0).time, qint64(-5));
    QCOMPARE(intervals.at(0).sound, 1);
    QCOMPARE(intervals.at(0).color, 4);
    QVERIFY(intervals.at(0).isFalseStartWindow);
    QCOMPARE(intervals.at(1).time, qint64(0));
    QCOMPARE(intervals.at(2), Backend::SemaInterval());
}

VANTOR_TEST_CLASS(TestClientFiles)
#include "tst_clientfiles.moc"
