#include "DialGeometry.h"
#include "TestMain.h"

#include <QTest>
#include <cmath>

using namespace DialGeometry;

class TestDialGeometry : public QObject {
    Q_OBJECT

private slots:
    void speedAngles_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("inUnit");
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("angle");
        QTest::newRow("0 m/s") << 0 << false << 0.0f << 2.349f;
        QTest::newRow("negative m/s") << 1 << false << -1.0f << 2.349f;
        QTest::newRow("100 km/h") << 0 << true << 100.0f << 4.495448f;
        QTest::newRow("20 km/h") << 0 << true << 20.0f << 2.778290f;
        QTest::newRow("220 km/h") << 0 << true << 220.0f << 7.071185f;
        QTest::newRow("250 km/h past the end") << 0 << true << 250.0f << 7.715120f;
        QTest::newRow("60 mph") << 1 << true << 60.0f << 3.923062f;
        QTest::newRow("180 mph") << 1 << true << 180.0f << 7.071185f;
        QTest::newRow("30 kn") << 2 << true << 30.0f << 4.710093f;
        QTest::newRow("60 kn") << 2 << true << 60.0f << 7.071185f;
        QTest::newRow("unknown unit, in unit") << 5 << true << 100.0f << 2.349f;
        QTest::newRow("unknown unit uses km/h scale") << 5 << false << 61.11111f << 7.071185f;
    }
    void speedAngles()
    {
        QFETCH(int, unit);
        QFETCH(bool, inUnit);
        QFETCH(float, speed);
        QFETCH(float, angle);
        const float got = inUnit ? speedInUniteToAngle(speed, unit) : speedToAngle(speed, unit);
        QVERIFY2(std::fabs(got - angle) <= 1e-6f, qPrintable(QString::number(got, 'f', 7)));
    }

    void fullScale()
    {
        QCOMPARE(getSkinMaxSpeedRangeInUnit(0), 220.0f);
        QCOMPARE(getSkinMaxSpeedRangeInUnit(1), 180.0f);
        QCOMPARE(getSkinMaxSpeedRangeInUnit(2), 60.0f);
        QCOMPARE(getSkinMaxSpeedRangeInUnit(5), 0.0f);
        QCOMPARE(getSkinMaxSpeedRangeInUnit(-1), 0.0f);
    }

    void touchAngles_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<float>("angle");
        QTest::newRow("above") << QPointF(130, 0) << 4.712389f;
        QTest::newRow("right, lifted") << QPointF(260, 130) << 6.283185f;
        QTest::newRow("below, in the gap") << QPointF(130, 260) << 7.853981f;
        QTest::newRow("left") << QPointF(0, 130) << 3.141593f;
        QTest::newRow("lower left, just past the start") << QPointF(30, 230) << 2.356194f;
        QTest::newRow("lower right, before the end") << QPointF(230, 230) << 7.068583f;
        QTest::newRow("just right of the start, not lifted") << QPointF(30, 231) << 2.3512f;
    }
    void touchAngles()
    {
        QFETCH(QPointF, point);
        QFETCH(float, angle);
        const float got = touchAngleOnWheel(point, kPhoneWheelCenter);
        QVERIFY2(std::fabs(got - angle) <= 1e-4f, qPrintable(QString::number(got, 'f', 7)));
        QVERIFY(got > kStartAngle && double(got) <= kWrapLimit);
    }

    void touchRadius()
    {
        QCOMPARE(touchRadiusOnWheel({130, 0}, kPhoneWheelCenter), 130.0f);
        QCOMPARE(touchRadiusOnWheel({244, 0}, kTabletWheelCenter), 251.0f);
    }

    void centreIsNoAngle()
    {
        // Any window comparison must fail for the centre itself.
        const float a = touchAngleOnWheel(kPhoneWheelCenter, kPhoneWheelCenter);
        QVERIFY(!(a >= 0.0f) && !(a <= 100.0f));
        QCOMPARE(touchRadiusOnWheel(kPhoneWheelCenter, kPhoneWheelCenter), 0.0f);
    }
};

KORVANE_REGISTER_TEST(TestDialGeometry);
#include "tst_DialGeometry.moc"
