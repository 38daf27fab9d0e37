#include "Device.h"
#include "GaugeTestSupport.h"
#include "ImageView.h"
#include "NeedleContainer.h"
#include "TestMain.h"

#include <QLabel>
#include <QMap>
#include <numbers>

namespace {
constexpr double kPhoneScale = 0.5413919687271118;
constexpr QPointF kPhoneCenter(160, 248.5); // of the 320 × 568 face

QList<FaceElement> elementsOf(const MainView* view, FaceElement::Kind kind)
{
    QList<FaceElement> out;
    for (const FaceElement& e : view->faceElements())
        if (e.kind == kind)
            out << e;
    return out;
}
} // namespace

class TestMainViewFace : public QObject {
    Q_OBJECT
    std::unique_ptr<GaugeFixture> gauge;

private slots:
    void init() { gauge = std::make_unique<GaugeFixture>(); }
    void cleanup()
    {
        gauge.reset();
        Device::setIdiom(Device::Idiom::Phone);
    }

    void scalePerUnit_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("unitName");
        QTest::addColumn<QString>("distanceUnit");
        QTest::newRow("km/h") << 0 << 220 << 20 << "km/h"
                              << "km";
        QTest::newRow("mph") << 1 << 180 << 20 << "MPH"
                             << "mi";
        QTest::newRow("knots") << 2 << 60 << 5 << "kn"
                               << "nmi";
    }
    void scalePerUnit()
    {
        QFETCH(int, unit);
        QFETCH(int, top);
        QFETCH(int, step);
        QFETCH(QString, unitName);
        QFETCH(QString, distanceUnit);
        MainView* view = gauge->start(unit);

        // Digits come ones first; each stands on its own radial line with
        // the top of its box on radius 239.
        QMap<int, QString> spelled;
        QMap<int, QList<double>> angles;
        for (const FaceElement& e : elementsOf(view, FaceElement::Kind::Digit)) {
            spelled[int(e.value)].prepend(e.text);
            angles[int(e.value)] << e.angle;
            KORVANE_COMPARE_NEAR(QLineF(kPhoneCenter, e.anchor).length(), 239 * kPhoneScale, 1e-3);
            const QPointF d = e.anchor - kPhoneCenter;
            KORVANE_COMPARE_NEAR(
                std::remainder(std::atan2(d.y(), d.x()) - e.angle, 2 * std::numbers::pi), 0, 1e-5);
        }
        QList<int> numbers;
        for (int v = 0; v <= top; v += step)
            numbers << v;
        QCOMPARE(spelled.keys(), numbers);
        for (auto it = spelled.cbegin(); it != spelled.cend(); ++it)
            QCOMPARE(it.value(), QString::number(it.key()));
        KORVANE_COMPARE_NEAR(angles[0][0], 2.349, 1e-6);
        // The top number's tens digit, or the middle of its two digits.
        const QList<double> last = angles[top];
        KORVANE_COMPARE_NEAR(last.size() == 3 ? last[1] : (last[0] + last[1]) / 2, 7.071185, 1e-6);

        int kinds[4] = {};
        for (const FaceElement& e : elementsOf(view, FaceElement::Kind::Tick)) {
            ++kinds[e.tickKind];
            QCOMPARE(e.text, QString(QChar(u'A' + e.tickKind - 1)));
            KORVANE_COMPARE_NEAR(e.angle, view->speedInUniteToAngle(e.value), 1e-6);
            KORVANE_COMPARE_NEAR(QLineF(kPhoneCenter, e.anchor).length(),
                                 std::hypot(177.0, 1.0) * kPhoneScale, 1e-3);
        }
        QCOMPARE(kinds[3], numbers.size());
        QCOMPARE(kinds[2], numbers.size() - 1);
        QCOMPARE(kinds[1], 2 * (numbers.size() - 1));

        const QList<FaceElement> names = elementsOf(view, FaceElement::Kind::UnitName);
        QCOMPARE(names.size(), 1);
        QCOMPARE(names[0].text, unitName);
        KORVANE_COMPARE_NEAR(names[0].anchor.y(), kPhoneCenter.y() + 157 * kPhoneScale, 1e-3);
        QCOMPARE(elementsOf(view, FaceElement::Kind::DistanceUnit).value(0).text, distanceUnit);
        QVERIFY2(view->m_distanceUnitLabel->isHidden(), "the unit is part of the face now");
    }

    void textStyle_data()
    {
        QTest::addColumn<FaceElement::Kind>("kind");
        QTest::addColumn<float>("grey");
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("numbers") << FaceElement::Kind::Digit << 0.97f << 78;
        QTest::newRow("ticks") << FaceElement::Kind::Tick << 0.9f << 52;
        QTest::newRow("unit name") << FaceElement::Kind::UnitName << 0.8f << 100;
    }
    void textStyle()
    {
        QFETCH(FaceElement::Kind, kind);
        QFETCH(float, grey);
        QFETCH(int, pixelSize);
        const QList<FaceElement> drawn = elementsOf(gauge->start(0), kind);
        QVERIFY(!drawn.isEmpty());
        for (const FaceElement& e : drawn) {
            KORVANE_COMPARE_NEAR(e.grey, grey, 1e-3);
            QCOMPARE(e.pixelSize, pixelSize);
            // Light on the dark texture, dark on the light bezel.
            QCOMPARE(e.blend, QPainter::CompositionMode_Difference);
        }
    }

    // Bezel height over 2.0325 above the centre; the accuracy scale 0.3 of
    // the bezel half-width and 9 points below it.
    void imagePlacement_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<FaceElement::Kind>("kind");
        QTest::addColumn<QRectF>("rect");
        QTest::newRow("phone bezel")
            << false << FaceElement::Kind::Bezel << QRectF(12.2, 100.6661, 295.6, 300.4725);
        QTest::newRow("phone accuracy scale")
            << false << FaceElement::Kind::AccuracyScale << QRectF(127.5165, 301.84, 64.967, 32.4835);
        QTest::newRow("tablet bezel")
            << true << FaceElement::Kind::Bezel << QRectF(111, 153.9373, 546, 555);
        QTest::newRow("tablet accuracy scale")
            << true << FaceElement::Kind::AccuracyScale << QRectF(324, 517.9, 120, 60);
    }
    void imagePlacement()
    {
        QFETCH(bool, tablet);
        QFETCH(FaceElement::Kind, kind);
        QFETCH(QRectF, rect);
        if (tablet)
            Device::setIdiom(Device::Idiom::Tablet);
        MainView* view = gauge->start(0);
        if (tablet) {
            view->m_View_Main->resize(768, 1024);
            view->setViewInit();
        }
        const QRectF r = elementsOf(view, kind).value(0).rect;
        KORVANE_COMPARE_NEAR(r.x(), rect.x(), 1e-3);
        KORVANE_COMPARE_NEAR(r.y(), rect.y(), 1e-3);
        KORVANE_COMPARE_NEAR(r.width(), rect.width(), 1e-3);
        KORVANE_COMPARE_NEAR(r.height(), rect.height(), 1e-3);
    }

    void hundredIsThreeDigits_data()
    {
        QTest::addColumn<int>("unit");
        QTest::newRow("km/h") << 0;
        QTest::newRow("mph") << 1;
    }
    void hundredIsThreeDigits()
    {
        QFETCH(int, unit);
        MainView* view = gauge->start(unit);
        const double theta = view->speedInUniteToAngle(100);
        QStringList texts;
        QList<double> offsets;
        for (const FaceElement& e : elementsOf(view, FaceElement::Kind::Digit))
            if (e.value == 100) {
                texts << e.text;
                offsets << e.angle - theta;
            }
        QCOMPARE(texts, QStringList({"0", "0", "1"}));
        KORVANE_COMPARE_NEAR(offsets[0], 0.07363107800483704, 1e-7);
        KORVANE_COMPARE_NEAR(offsets[1], 0, 1e-7);
        KORVANE_COMPARE_NEAR(offsets[2], -0.08590292185544968, 1e-7);
    }

    void unknownUnitDrawsNoScale()
    {
        MainView* view = gauge->start(0);
        gauge->store()->setSpeedUnit(5);
        view->setViewInit();
        for (const FaceElement& e : view->faceElements())
            QVERIFY(e.kind != FaceElement::Kind::Digit && e.kind != FaceElement::Kind::Tick &&
                    e.kind != FaceElement::Kind::UnitName);
        QCOMPARE(view->m_distanceUnitLabel->text(), QStringLiteral("km")); // as it was
    }

    void layoutFollowsTheDial()
    {
        MainView* view = gauge->start(0);
        QCOMPARE(view->needleContainer()->center(), kPhoneCenter);
        const QRectF plate = elementsOf(view, FaceElement::Kind::DistancePlate).value(0).rect;
        QCOMPARE(plate,
                 QRectF(view->m_distanceTraveled_Background->geometry()).adjusted(-3, -2, 3, 2));
        QCOMPARE(view->m_distanceTraveled->font().family(), QStringLiteral("iSDigitIta_AndSymb"));
    }

    void tabletParameters()
    {
        Device::setIdiom(Device::Idiom::Tablet);
        MainView* view = gauge->start(0);
        view->m_View_Main->resize(768, 1024);
        view->setViewInit();
        for (const FaceElement& e : elementsOf(view, FaceElement::Kind::Digit))
            KORVANE_COMPARE_NEAR(QLineF(QPointF(384, 427), e.anchor).length(), 239, 1e-3);
        KORVANE_COMPARE_NEAR(
            elementsOf(view, FaceElement::Kind::DistancePlate).value(0).rect.center().x(), 386,
            1e-4);
    }

    void imageDiffersPerUnitAndFitsTheView()
    {
        MainView* view = gauge->start(0);
        const QImage kmh = view->m_View_Main->image();
        const qreal ratio = view->m_View_Main->devicePixelRatioF();
        QCOMPARE(kmh.devicePixelRatio(), ratio);
        QCOMPARE(kmh.size(), (QSizeF(view->m_View_Main->size()) * ratio).toSize());

        gauge->store()->setSpeedUnit(1);
        view->setViewInit();
        const QImage mph = view->m_View_Main->image();
        // Only the scale differs: the corner outside the bezel matches, the
        // place of the unit name does not.
        QCOMPARE(mph.pixel(2, 2), kmh.pixel(2, 2));
        const QPointF name = elementsOf(view, FaceElement::Kind::UnitName).value(0).anchor;
        const QRect box = QRectF((name - QPointF(40, 0)) * ratio, QSizeF(80, 40) * ratio).toRect();
        QVERIFY(mph.copy(box) != kmh.copy(box));
        // Rendered again, the face is what the first rendering gave.
        gauge->store()->setSpeedUnit(0);
        view->setViewInit();
        QCOMPARE(view->m_View_Main->image(), kmh);
    }
};

KORVANE_REGISTER_TEST(TestMainViewFace);
#include "tst_MainViewFace.moc"
