#include "GeoClueSource.h"
#include "LocationManager.h"
#include "TestMain.h"

#include <QTest>

class TestGeoClueSource : public QObject {
    Q_OBJECT

private slots:
    // Only a refusal may read as refused access: the app shows "GPS is OFF"
    // for descriptions containing "error 1".
    void errors_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("code");
        QTest::newRow("access refused")
            << int(QGeoPositionInfoSource::AccessError) << LocationManager::kErrorDenied;
        QTest::newRow("closed") << int(QGeoPositionInfoSource::ClosedError)
                                << LocationManager::kErrorLocationUnknown;
        QTest::newRow("unknown") << int(QGeoPositionInfoSource::UnknownSourceError)
                                 << LocationManager::kErrorLocationUnknown;
        QTest::newRow("timeout") << int(QGeoPositionInfoSource::UpdateTimeoutError)
                                 << LocationManager::kErrorLocationUnknown;
    }

    void errors()
    {
        QFETCH(int, error);
        QFETCH(int, code);
        const LocationError e = GeoClueSource::errorFor(QGeoPositionInfoSource::Error(error));
        QCOMPARE(e.code, code);
        QCOMPARE(e.localizedDescription.contains(QLatin1String("error 1")),
                 code == LocationManager::kErrorDenied);
    }
};

KORVANE_REGISTER_TEST(TestGeoClueSource);
#include "tst_GeoClueSource.moc"
