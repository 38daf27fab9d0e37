#include "RatePrompt.h"
#include "RatePromptJSON.h"
#include "TestMain.h"

#include <QTest>

// The lookup's reading of the store's answer: the text scanner, the record
// taken from a parsed answer, and the version order.
class TestRatePromptJSON : public QObject {
    Q_OBJECT

private slots:
    void textScanner_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("json");
        QTest::addColumn<QVariant>("expected"); // invalid: none

        const QVariant none;
        QTest::newRow("number") << "trackId" << "{\"trackId\": 4711, \"x\": 1}" << QVariant("4711");
        QTest::newRow("quoted value holding commas, more members after")
            << "trackName" << "{\"trackName\":\"Speed, Gauge, Pro\", \"version\":\"1.9\", \"x\":1}"
            << QVariant("Speed, Gauge, Pro");
        QTest::newRow("white space and line breaks around the value")
            << "version" << "{\"version\" :\n   \"1.9\"\n , \"x\":1}" << QVariant("1.9");
        QTest::newRow("first occurrence wins")
            << "bundleId" << "{\"bundleId\":\"a.b\", \"results\":[{\"bundleId\":\"c.d\", \"x\":1}]}" << QVariant("a.b");
        QTest::newRow("escaped quotes inside") << "k" << "{\"k\":\"say \\\"hi\\\" now\", \"x\":1}"
                                             << QVariant("say \"hi\" now");
        QTest::newRow("escaped slash and tab") << "k" << "{\"k\":\"a\\/b\\tc\", \"x\":1}" << QVariant("a/b\tc");
        QTest::newRow("backslash n is a line break") << "k" << "{\"k\":\"one\\ntwo\", \"x\":1}"
                                                     << QVariant("one\ntwo");
        QTest::newRow("escaped backslash before n also becomes a line break")
            << "k" << "{\"k\":\"one\\\\ntwo\", \"x\":1}" << QVariant("one\ntwo");
        QTest::newRow("u escape") << "k" << "{\"k\":\"caf\\u00e9\", \"x\":1}" << QVariant(QString::fromUtf8("café"));
        QTest::newRow("u escape built by an earlier one")
            << "k" << "{\"k\":\"\\u005cu0041\", \"x\":1}" << QVariant("A");
        QTest::newRow("u escape with fewer hex digits") << "k" << "{\"k\":\"\\u004g!\", \"x\":1}"
                                                        << QVariant(QString(QChar(4)) + "!");
        QTest::newRow("missing key") << "version" << "{\"trackId\": 1, \"x\": 2}" << none;
        QTest::newRow("key without colon") << "k" << "[\"k\", \"x\"]" << none;
        QTest::newRow("key without comma after") << "version" << "{\"x\":1, \"version\":\"1.9\"}" << none;
        QTest::newRow("quoted value never closed before the end") << "k" << "{\"k\":\"a, b}" << none;
        QTest::newRow("u escape cut off") << "k" << "{\"k\":\"ab\\u00e\", \"x\":1}" << none;
    }
    void textScanner()
    {
        QFETCH(QString, key);
        QFETCH(QString, json);
        QFETCH(QVariant, expected);
        const QVariant value = RatePrompt::valueForKey(key, json);
        QCOMPARE(value.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(value.toString(), expected.toString());
    }

    void recordFromBody_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("parseError");
        QTest::addColumn<QString>("bundleId"); // empty: no record

        QTest::newRow("last result") << QByteArray("{\"results\":[{\"bundleId\":\"a\"},{\"bundleId\":\"b\"}]}") << false
                                     << "b";
        QTest::newRow("empty results") << QByteArray("{\"resultCount\":0,\"results\":[]}") << false << "";
        QTest::newRow("result not an object") << QByteArray("{\"results\":[1,2]}") << false << "";
        QTest::newRow("top level array") << QByteArray("[{\"results\":[]}]") << false << "";
        QTest::newRow("garbage") << QByteArray("<html>busy</html>") << true << "";
    }
    void recordFromBody()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, parseError);
        QFETCH(QString, bundleId);
        std::optional<RatePromptError> error;
        const QVariant record = RatePromptJSON::recordFromBody(body, true, &error);
        QCOMPARE(error.has_value(), parseError);
        if (error)
            QCOMPARE(error->domain, QString(RatePromptJSON::kParseErrorDomain));
        QCOMPARE(RatePrompt::valueForKey("bundleId", record).toString(), bundleId);
    }

    void compareVersions_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("digit runs are numbers") << "1.10" << "1.9" << 1;
        QTest::newRow("reverse") << "1.9" << "1.10" << -1;
        QTest::newRow("longer is later") << "1.0.1" << "1.0" << 1;
        QTest::newRow("leading zeros") << "1.02" << "1.2" << 0;
        QTest::newRow("runs longer than 64 bits") << "1.100000000000000000000" << "1.99999999999999999999" << 1;
    }
    void compareVersions()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const int result = RatePromptJSON::compareVersions(a, b);
        QCOMPARE((result > 0) - (result < 0), order);
    }
};

KORVANE_REGISTER_TEST(TestRatePromptJSON);
#include "tst_RatePromptJSON.moc"
