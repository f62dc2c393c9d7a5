#include "core/utils.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

using Vl::Tavix3::UI::Utils;

// The JSON message envelope: the text it builds and what its parser accepts.
class TestJsonEnvelope : public QObject
{
    Q_OBJECT

private slots:
    void buildsSortedCompactText();
    void framing();
    void acknowledgementKeepsIdentifier();
    void parser_data();
    void parser();
};

void TestJsonEnvelope::buildsSortedCompactText()
{
    const QString text = Utils::createJsonData(QStringLiteral("Sema"), QStringLiteral("Status"), QString(),
                                               QJsonArray{QJsonObject()}, false);
    const QRegularExpression shape(QStringLiteral(
        "^\\{\"Data\":\\[\\{\\}\\],\"Header\":\\{\"ID\":\"[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\","
        "\"Section\":\"Status\",\"Type\":\"Sema\"\\}\\}$"));
    QVERIFY2(shape.match(text).hasMatch(), qPrintable(text));
    const QString again = Utils::createJsonData(QStringLiteral("Sema"), QStringLiteral("Status"), QString(),
                                                QJsonArray{QJsonObject()}, false);
    QVERIFY(again != text);  // a new identifier for every message
}

void TestJsonEnvelope::framing()
{
    const QString plain = Utils::createJsonData(QStringLiteral("Sema"), QString(), QStringLiteral("x"), {}, false);
    const QString framed = Utils::createJsonData(QStringLiteral("Sema"), QString(), QStringLiteral("x"), {}, true);
    QCOMPARE(framed, QChar(0x09) + plain + QChar(0x02));
}

void TestJsonEnvelope::acknowledgementKeepsIdentifier()
{
    const QString id = QStringLiteral("0f8c2d55-8f5c-4a79-9d3a-000000000001");
    const QString text = Utils::createJsonData(QStringLiteral("SemaACK"), QString(), id, {}, false);
    QCOMPARE(text, QStringLiteral("{\"Data\":[],\"Header\":{\"ID\":\"%1\",\"Section\":\"\",\"Type\":\"SemaACK\"}}").arg(id));
    const QString empty = Utils::createJsonData(QStringLiteral("SemaACK"), QString(), QStringLiteral(""), {}, false);
    QVERIFY(empty.contains(QStringLiteral("\"ID\":\"\"")));
}

void TestJsonEnvelope::parser_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("data");  // the data output, as compact JSON

    QTest::newRow("minimal") << "{\"Header\":{\"Type\":\"Sema\"},\"Data\":[]}" << true << "Sema" << "" << "" << "[]";
    QTest::newRow("full") << "{\"Header\":{\"Type\":\"Sema\",\"Section\":\"Start\",\"ID\":\"abc\"},\"Data\":[{\"a\":1}]}"
                          << true << "Sema" << "Start" << "abc" << "[{\"a\":1}]";
    QTest::newRow("empty header keeps data") << "{\"Header\":{},\"Data\":[1]}" << false << "" << "" << "" << "[1]";
    QTest::newRow("null type") << "{\"Header\":{\"Type\":null},\"Data\":[]}" << false << "" << "" << "" << "[]";
    QTest::newRow("numeric type") << "{\"Header\":{\"Type\":5},\"Data\":[]}" << true << "" << "" << "" << "[]";
    QTest::newRow("data not an array") << "{\"Header\":{\"Type\":\"Sema\"},\"Data\":{}}" << true << "Sema" << "" << ""
                                       << "[]";
    QTest::newRow("no data") << "{\"Header\":{\"Type\":\"Sema\"}}" << false << "" << "" << "" << "[]";
    QTest::newRow("null data") << "{\"Header\":{\"Type\":\"Sema\"},\"Data\":null}" << false << "" << "" << "" << "[]";
    QTest::newRow("no header") << "{\"Data\":[]}" << false << "" << "" << "" << "[]";
    QTest::newRow("header not an object") << "{\"Header\":3,\"Data\":[]}" << false << "" << "" << "" << "[]";
    QTest::newRow("array document") << "[1,2]" << false << "" << "" << "" << "[]";
    QTest::newRow("empty object") << "{}" << false << "" << "" << "" << "[]";
    QTest::newRow("empty text") << "" << false << "" << "" << "" << "[]";
    QTest::newRow("not json") << "{\"Header\":" << false << "" << "" << "" << "[]";
}

void TestJsonEnvelope::parser()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QString type, section, id;
    QJsonArray data;
    QCOMPARE(Utils::parseJsonData(text, type, section, id, data), ok);
    QTEST(type, "type");
    QTEST(section, "section");
    QTEST(id, "id");
    QTEST(QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact)), "data");
}

VANTOR_TEST_CLASS(TestJsonEnvelope)
#include "tst_jsonenvelope.moc"
