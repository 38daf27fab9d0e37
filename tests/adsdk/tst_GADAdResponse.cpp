#include "AdTestSupport.h"
#include "GADAdResponse.h"
#include "TestMain.h"

#include <QTest>

namespace {
// The test ad with one member replaced (or removed, for an undefined value).
QByteArray adWith(const QString& key, const QJsonValue& value)
{
    QJsonObject ad = adJson("ad-1");
    value.isUndefined() ? void(ad.remove(key)) : void(ad.insert(key, value));
    if (key.startsWith("image_png") || key == "image")
        ad.remove("image_svg_base64");
    return QJsonDocument(QJsonObject{{"ad", ad}}).toJson();
}
} // namespace

class TestGADAdResponse : public QObject {
    Q_OBJECT
private slots:
    void validation_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        const QJsonValue absent = QJsonValue::Undefined;
        const QString png = QString::fromLatin1(pngBytes().toBase64());
        QTest::newRow("svg ad") << adWith("text", "Text") << true;
        QTest::newRow("png ad") << adWith("image_png_base64", png) << true;
        QTest::newRow("mediation only")
            << QByteArray(R"({"mediation":[{"class_name":"adPad"}]})") << true;
        QTest::newRow("no fill, unknown keys") << QByteArray(R"({"version":3})") << true;

        QTest::newRow("not an object") << QByteArray("[]") << false;
        QTest::newRow("no id") << adWith("id", absent) << false;
        QTest::newRow("id with spaces") << adWith("id", "a b") << false;
        QTest::newRow("numeric title") << adWith("title", 7) << false;
        QTest::newRow("title of 81") << adWith("title", QString(81, u'T')) << false;
        QTest::newRow("control character") << adWith("text", "ring\x07") << false;
        QTest::newRow("script click") << adWith("click_url", "javascript:alert(1)") << false;
        QTest::newRow("file click") << adWith("click_url", "file:///etc/passwd") << false;
        QTest::newRow("named colour") << adWith("background", "red") << false;
        QTest::newRow("no image") << adWith("image_svg_base64", absent) << false;
        QTest::newRow("path from a server") << adWith("image", ":/ads/korvane-pro.svg") << false;
        QTest::newRow("bad base64") << adWith("image_svg_base64", "***") << false;
        QTest::newRow("svg that is not") << adWith("image_svg_base64", "PGh0bWwvPg==") << false;
        QTest::newRow("png that is svg")
            << adWith("image_png_base64", QString::fromLatin1(svgBytes().toBase64())) << false;
        QTest::newRow("class name with scope")
            << QByteArray(R"({"mediation":[{"class_name":"std::adPad"}]})") << false;
        QTest::newRow("nine mediated networks")
            << QJsonDocument(QJsonObject{{"mediation", mediatedNetworks(QStringList(9, "adPad"))}})
                   .toJson()
            << false;
    }
    void validation()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, valid);
        QString why;
        QVERIFY2(GADAdResponse::fromJson(json, &why).has_value() == valid, qPrintable(why));
        QCOMPARE(why.isEmpty(), valid);
    }
};

KORVANE_REGISTER_TEST(TestGADAdResponse);
#include "tst_GADAdResponse.moc"
