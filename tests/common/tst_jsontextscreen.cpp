#include "common/jsontextscreen.h"
#include "testsupport/testmain.h"

#include <QTest>

using Vl::Common::JsonTextScreen;

// The screening of JSON texts from the network: repeated keys of one object are refused (the JSON parser would
// leak for each), as is nesting beyond the bound; everything else passes to the parser.
class TestJsonTextScreen : public QObject
{
    Q_OBJECT

private slots:
    void screening_data();
    void screening();
    void nestingLimit();
};

void TestJsonTextScreen::screening_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("safe");
    QTest::newRow("request") << QByteArray(R"({"Header":{"Type":"Sema","Section":"X","ID":"a"},"Data":[{}]})") << true;
    QTest::newRow("repeated top-level key") << QByteArray(R"({"Data":[{}],"Data":[{}]})") << false;
    QTest::newRow("repeated key in a header") << QByteArray(R"({"Header":{"Type":"A","Type":"B"},"Data":[]})") << false;
    QTest::newRow("repeated key in a data item") << QByteArray(R"({"Data":[{"A":1},{"A":2,"B":3,"A":4}]})") << false;
    QTest::newRow("same key in different objects")
        << QByteArray(R"({"A":{"A":{"A":1}},"B":[{"A":1},{"A":2}]})") << true;
    QTest::newRow("key written with an escape") << QByteArray(R"({"Data":1,"\u0044ata":2})") << false;
    QTest::newRow("solidus escaped") << QByteArray(R"({"a/b":1,"a\/b":2})") << false;
    QTest::newRow("keys differing by case") << QByteArray(R"({"Data":1,"data":2})") << true;
    QTest::newRow("values that look like keys") << QByteArray(R"({"A":"B","B":"A,{\"A\":1}","C":["A","A"]})") << true;
    QTest::newRow("quote escaped inside a key") << QByteArray(R"({"a\"b":1,"a\"c":2})") << true;
    QTest::newRow("non-ASCII keys") << QByteArray("{\"\xc3\xa8\":1,\"\\u00e8\":2}") << false;
    QTest::newRow("not JSON") << QByteArray("hello") << true;
    QTest::newRow("unbalanced") << QByteArray("}}]]{\"a\":1,") << true;
    QTest::newRow("unterminated key") << QByteArray("{\"a") << true;
    QTest::newRow("empty") << QByteArray() << true;
}

void TestJsonTextScreen::screening()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, safe);
    QCOMPARE(JsonTextScreen::isSafeToParse(json), safe);
}

void TestJsonTextScreen::nestingLimit()
{
    const QByteArray atLimit = QByteArray(JsonTextScreen::kMaxDepth, '[') + QByteArray(JsonTextScreen::kMaxDepth, ']');
    QVERIFY(JsonTextScreen::isSafeToParse(atLimit));
    const QByteArray beyond = "[" + atLimit + "]";
    QVERIFY(!JsonTextScreen::isSafeToParse(beyond));
}

VANTOR_TEST_CLASS(TestJsonTextScreen)
#include "tst_jsontextscreen.moc"
