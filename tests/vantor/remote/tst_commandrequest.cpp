#include "remote/commandrequest.h"
#include "remote/serialpathfinder.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QTest>

#include <optional>

using namespace Vl::Tavix3::UI;

namespace {

QJsonArray dataOf(const char* json) { return QJsonDocument::fromJson(json).array(); }

CommandRequest requestOf(const char* json)
{
    return CommandRequest({ 1, SerialEnum::SER_PCA }, "Sema", "X", dataOf(json));
}

} // namespace

// The rules every remote command reads its Data by, and the acknowledgement and board-text helpers.
class TestCommandRequest : public QObject
{
    Q_OBJECT

private slots:
    void itemsThatAreNoObjectsReadEmpty();
    void lastItemCarryingTheKeyWins();
    void integers_data();
    void integers();
    void flagsAndTexts();
    void acknowledgementKeepsOrEmptiesTheId();
    void boardTextIsCut();
};

void TestCommandRequest::itemsThatAreNoObjectsReadEmpty()
{
    const CommandRequest request = requestOf(R"([1, "text", null, [], {"A": 1}])");
    QCOMPARE(request.itemCount(), 5);
    QVERIFY(request.firstItem().isEmpty());
    QVERIFY(request.item(3).isEmpty());
    QCOMPARE(request.item(4).value("A").toInt(), 1);
    QVERIFY(request.item(99).isEmpty());
    QVERIFY(requestOf("[]").isEmpty());
    QVERIFY(requestOf("[]").firstItem().isEmpty());
}

void TestCommandRequest::lastItemCarryingTheKeyWins()
{
    const CommandRequest request = requestOf(R"([{"Name": "a"}, {"Name": "b"}, {"Name": null}, {"Other": 1}])");
    QCOMPARE(request.lastValue("Name").toString(), QStringLiteral("b"));
    QVERIFY(request.lastValue("Missing").isUndefined());
}

void TestCommandRequest::integers_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("negative") << QByteArray("-1") << true << -1;
    QTest::newRow("whole double") << QByteArray("2.0") << true << 2;
    QTest::newRow("int max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("beyond int") << QByteArray("2147483648") << false << 0;
    QTest::newRow("huge") << QByteArray("1e300") << false << 0;
    QTest::newRow("fraction") << QByteArray("1.5") << false << 0;
    QTest::newRow("text") << QByteArray("\"3\"") << false << 0;
    QTest::newRow("flag") << QByteArray("true") << false << 0;
    QTest::newRow("null") << QByteArray("null") << false << 0;
    QTest::newRow("object") << QByteArray("{}") << false << 0;
}

void TestCommandRequest::integers()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const QJsonValue v = QJsonDocument::fromJson("[" + json + "]").array().at(0);
    const std::optional<int> read = CommandRequest::integer(v);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void TestCommandRequest::flagsAndTexts()
{
    const QJsonArray values = dataOf(R"([true, false, 1, "true", null])");
    QCOMPARE(CommandRequest::flag(values.at(0)), std::optional<bool>(true));
    QCOMPARE(CommandRequest::flag(values.at(1)), std::optional<bool>(false));
    QVERIFY(!CommandRequest::flag(values.at(2)));
    QVERIFY(!CommandRequest::flag(values.at(3)));
    QCOMPARE(CommandRequest::text(values.at(3)), QStringLiteral("true"));
    QCOMPARE(CommandRequest::text(values.at(2)), QString());
    QVERIFY(!CommandRequest::isPresent(values.at(4)));
    QVERIFY(!CommandRequest::isPresent(QJsonValue(QJsonValue::Undefined)));
    QVERIFY(CommandRequest::isPresent(values.at(1)));
}

void TestCommandRequest::acknowledgementKeepsOrEmptiesTheId()
{
    QCOMPARE(SerialPathFinder::acknowledgement(QStringLiteral("0b3c2f5e-1d2a-4e61-9f4a-7c1b2d3e4f50")),
        QStringLiteral("\t{\"Data\":[],\"Header\":{\"ID\":\"0b3c2f5e-1d2a-4e61-9f4a-7c1b2d3e4f50\",\"Section\":\"\","
                       "\"Type\":\"SemaACK\"}}\x02"));
    QCOMPARE(SerialPathFinder::acknowledgement(QString()),
        QStringLiteral("\t{\"Data\":[],\"Header\":{\"ID\":\"\",\"Section\":\"\",\"Type\":\"SemaACK\"}}\x02"));
}

void TestCommandRequest::boardTextIsCut()
{
    QCOMPARE(SerialPathFinder::boardText(QStringLiteral("HELLO WORLD")), QStringLiteral("HELLO W"));
    QCOMPARE(SerialPathFinder::boardText(QStringLiteral("ABC")), QStringLiteral("ABC"));
    // A character of two UTF-16 units at the cut is left out whole.
    const QString withPair = QStringLiteral("ABCDEF") + QString::fromUcs4(U"\U0001F600");
    QCOMPARE(SerialPathFinder::boardText(withPair), QStringLiteral("ABCDEF"));
    QCOMPARE(SerialPathFinder::outputText(QStringLiteral("A") + QChar(0xFFFF) + "B"), QStringLiteral("A B"));
}

VANTOR_TEST_CLASS(TestCommandRequest)
#include "tst_commandrequest.moc"
