#include "AlertView.h"
#include "GPSLocation.h"
#include "TestMain.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace {
struct Update {
    float speed;
    float accuracy;
    double distance;
};

struct Recorder : GPSLocationDelegate {
    QList<Update> updates;
    void speedDidUpate(float speed, float accuracy, double distance) override
    {
        updates.append({speed, accuracy, distance});
    }
};

Fix fix(double lat, double lon, double speed, double accuracy = 5.0)
{
    Fix f;
    f.latitude = lat;
    f.longitude = lon;
    f.speed = speed;
    f.horizontalAccuracy = accuracy;
    return f;
}

// The same fixes one second apart, as a receiver delivers them.
QList<Fix> everySecond(QList<Fix> fixes)
{
    const QDateTime start(QDate(2024, 5, 18), QTime(9, 0), Qt::UTC);
    for (qsizetype i = 0; i < fixes.size(); ++i)
        fixes[i].timestamp = start.addSecs(i);
    return fixes;
}

// Expected report: the speed, and the index of the previous fix whose
// distance to this one is reported (-1: distance 0).
struct Expected {
    float speed;
    int distanceFrom;
};
} // namespace

Q_DECLARE_METATYPE(QList<Fix>)
Q_DECLARE_METATYPE(QList<Expected>)

class TestGPSLocation : public QObject {
    Q_OBJECT

private slots:
    void perFixStep_data()
    {
        QTest::addColumn<QList<Fix>>("fixes");
        QTest::addColumn<QList<Expected>>("expected");
        constexpr double lat = 48.137;
        const double d = 0.0001;

        QTest::newRow("straight line starts moving on the third fix")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5), fix(lat, 11.0 + 2 * d, 6)}
            << QList<Expected>{{0, -1}, {0, -1}, {6, 1}};

        QTest::newRow("turning back, then continuing")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5), fix(lat, 11.0, 5),
                          fix(lat, 11.0 - d, 7)}
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}, {7, 2}};

        QTest::newRow("resting receiver scatter")
            << QList<Fix>{fix(lat, 11.0, 0.3), fix(lat, 11.0 + d, 0.2), fix(lat + d, 11.0, 0.3),
                          fix(lat + d, 11.0 + d, 0.1), fix(lat, 11.0, 0.4)}
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}, {0, -1}, {0, -1}};

        QTest::newRow("unknown speed ends the moving state, next fix tests again")
            << QList<Fix>{fix(lat, 11.0, 5),         fix(lat, 11.0 + d, 5),
                          fix(lat, 11.0 + 2 * d, 5), fix(lat, 11.0 + 3 * d, -1),
                          fix(lat, 11.0 + 4 * d, 5), fix(lat, 11.0 + 3 * d, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {-1, 2}, {5, 3}, {5, 4}};

        QTest::newRow("zero speed is reported with its distance")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5), fix(lat, 11.0 + 2 * d, 5),
                          fix(lat, 11.0 + 3 * d, 0), fix(lat, 11.0 + 3 * d, 0)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {0, 2}, {0, -1}};

        QTest::newRow("zero speed ends the moving state: a turn back then stays still")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5), fix(lat, 11.0 + 2 * d, 5),
                          fix(lat, 11.0 + 3 * d, 0), fix(lat, 11.0 + 2 * d, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {0, 2}, {0, -1}};

        // The direction test compares plain degree differences with a cosine
        // of 0.1: a 60° turn (0.5) starts, an 87° turn (0.052) does not, and
        // at 60° north a turn of cosine 0.11 in degrees starts although on
        // the ground (longitudes halved) it is a turn of more than 90°.
        QTest::newRow("60 degree turn starts")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5),
                          fix(lat + d * 0.8660254, 11.0 + 1.5 * d, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}};
        QTest::newRow("87 degree turn does not start")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5),
                          fix(lat + d * 0.9986295, 11.0 + d + d * 0.0523360, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}};
        QTest::newRow("degrees, not ground distances, at 60 north")
            << QList<Fix>{fix(60.0, 11.0, 5), fix(60.0 + d, 11.0 + d, 5),
                          fix(60.0 + 0.2 * d, 11.0 + 2 * d, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}};

        QTest::newRow("identical coordinates never start")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0, 5), fix(lat, 11.0, 5),
                          fix(lat, 11.0, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}, {0, -1}};

        QTest::newRow("accuracy jump of 90 m gives speed without distance")
            << QList<Fix>{fix(lat, 11.0, 5, 5), fix(lat, 11.0 + d, 5, 5),
                          fix(lat, 11.0 + 2 * d, 5, 5), fix(lat, 11.0 + 3 * d, 5, 95),
                          fix(lat, 11.0 + 4 * d, 5, 5.1)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {5, -1}, {5, 3}};

        QTest::newRow("gap keeps the moving state and adds the straight line")
            << QList<Fix>{fix(lat, 11.0, 5), fix(lat, 11.0 + d, 5), fix(lat, 11.0 + 2 * d, 5),
                          fix(lat + 0.05, 11.2, 30, 40)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {30, 2}};

        QTest::newRow("a drive from the prime meridian counts like any other")
            << QList<Fix>{fix(51.47, 0.0, 5), fix(51.47, d, 5), fix(51.47, 2 * d, 5),
                          fix(51.47, 3 * d, 5)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}, {5, 2}};

        // A fix further away than the time since the last good one allows
        // is reported at rest; the next good one counts from the last good.
        QTest::newRow("one fix 5,000 km away while travelling")
            << everySecond({fix(lat, 11.0, 20), fix(lat, 11.0003, 20), fix(lat, 11.0006, 20),
                            fix(lat + 45, 11.0009, 20), fix(lat, 11.0012, 20),
                            fix(lat, 11.0015, 20)})
            << QList<Expected>{{0, -1}, {0, -1}, {20, 1}, {0, -1}, {20, 2}, {20, 4}};
        QTest::newRow("a jump along the way does not start travelling")
            << everySecond({fix(lat, 11.0, 20), fix(lat, 11.0003, 20), fix(lat, 60.0, 20),
                            fix(lat, 11.0006, 20)})
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}, {20, 1}};
        QTest::newRow("two fixes that agree elsewhere: counting starts afresh there")
            << everySecond({fix(lat, 11.0, 20), fix(lat, 11.0003, 20), fix(lat, 11.0006, 20),
                            fix(10.0, 11.0, 20), fix(10.0, 11.0003, 20), fix(10.0, 11.0006, 20)})
            << QList<Expected>{{0, -1}, {0, -1}, {20, 1}, {0, -1}, {0, -1}, {20, 4}};
        QTest::newRow("a bad first fix does not hold the trip hostage")
            << everySecond({fix(0.0, 0.0, 20), fix(lat, 11.0, 20), fix(lat, 11.0003, 20),
                            fix(lat, 11.0006, 20)})
            << QList<Expected>{{0, -1}, {0, -1}, {0, -1}, {20, 2}};
        QTest::newRow("after a gap the straight line counts when time allows it")
            << QList<Fix>{everySecond(
                              {fix(lat, 11.0, 30), fix(lat, 11.0004, 30), fix(lat, 11.0008, 30)}) +
                          QList<Fix>{[] {
                              Fix f = fix(48.137 + 0.05, 11.2, 30, 40);
                              f.timestamp = QDateTime(QDate(2024, 5, 18), QTime(9, 10), Qt::UTC);
                              return f;
                          }()}}
            << QList<Expected>{{0, -1}, {0, -1}, {30, 1}, {30, 2}};

        QTest::newRow("invalid accuracy is handled, not discarded")
            << QList<Fix>{fix(lat, 11.0, 5, -1), fix(lat, 11.0 + d, 5, -1),
                          fix(lat, 11.0 + 2 * d, 5, -1)}
            << QList<Expected>{{0, -1}, {0, -1}, {5, 1}};
    }

    void perFixStep()
    {
        QFETCH(QList<Fix>, fixes);
        QFETCH(QList<Expected>, expected);

        // One fix per delivery, and the same fixes as one batch.
        for (bool batch : {false, true}) {
            GPSLocation location;
            Recorder recorder;
            location.delegate = &recorder;
            if (batch) {
                location.locationManager_didUpdateLocations(location.m_LocationManager(), fixes);
            } else {
                for (const Fix& f : fixes)
                    location.locationManager_didUpdateLocations(location.m_LocationManager(), {f});
            }
            QCOMPARE(recorder.updates.size(), expected.size());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                const Update& u = recorder.updates[i];
                QCOMPARE(u.speed, expected[i].speed);
                QCOMPARE(u.accuracy, float(fixes[i].horizontalAccuracy));
                const double distance = expected[i].distanceFrom < 0
                                            ? 0.0
                                            : fixes[i].distanceTo(fixes[expected[i].distanceFrom]);
                QCOMPARE(u.distance, distance);
            }
        }
    }

    // Random drives with random receiver jumps: whatever the jumps, the
    // distance counted never exceeds the path driven plus what the fixes'
    // own uncertainty allows (each counted step at most both radii off).
    void jumpsNeverAddDistance()
    {
        QRandomGenerator random(20);
        const auto uniform = [&random](double low, double high) {
            return low + random.bounded(high - low);
        };
        constexpr double kDeg = 3.14159265358979 / 180.0;
        constexpr double kEarth = 6371007.2;
        for (int drive = 0; drive < 200; ++drive) {
            QDateTime t(QDate(2024, 5, 18), QTime(9, 0), Qt::UTC);
            double lat = uniform(-70.0, 70.0), lon = uniform(-179.0, 179.0);
            double heading = random.bounded(2 * 3.14159265358979);
            double path = 0.0, allowance = 0.0;
            QList<Fix> fixes;
            const int n = 50 + int(random.bounded(400));
            int jumpsLeft = 0;
            Fix jump;
            for (int i = 0; i < n; ++i) {
                const int seconds = 1 + int(random.bounded(5));
                const double speed = random.bounded(45.0);
                heading += uniform(-0.3, 0.3);
                const double step = speed * seconds;
                lat += step * std::cos(heading) / kEarth / kDeg;
                lon += step * std::sin(heading) / (kEarth * std::cos(lat * kDeg)) / kDeg;
                path += i ? step : 0.0;
                t = t.addSecs(seconds);

                const double accuracy = uniform(3.0, 60.0);
                const double off = random.bounded(accuracy) / kEarth / kDeg;
                const double angle = random.bounded(2 * 3.14159265358979);
                Fix f = fix(lat + off * std::cos(angle),
                            lon + off * std::sin(angle) / std::cos(lat * kDeg), speed, accuracy);
                if (jumpsLeft == 0 && random.bounded(50) == 0) {
                    // Somewhere else, for one to three epochs.
                    jumpsLeft = 1 + int(random.bounded(3));
                    // At least a degree of latitude away: beyond any plausible
                    // reach in seconds.
                    const double north = random.bounded(2) ? 1.0 : -1.0;
                    jump = fix(std::clamp(lat + north * uniform(1.0, 60.0), -89.0, 89.0),
                               std::remainder(lon + uniform(-170.0, 170.0), 360.0), speed,
                               uniform(3.0, 60.0));
                }
                if (jumpsLeft > 0) {
                    --jumpsLeft;
                    f = jump;
                } else {
                    allowance += 2 * accuracy;
                }
                f.timestamp = t;
                fixes << f;
            }
            GPSLocation location;
            Recorder recorder;
            location.delegate = &recorder;
            location.locationManager_didUpdateLocations(location.m_LocationManager(), fixes);
            double counted = 0.0;
            for (const Update& u : recorder.updates)
                counted += u.distance;
            QVERIFY2(counted <= path + allowance,
                     qPrintable(QStringLiteral("drive %1: %2 m counted, %3 m driven")
                                    .arg(drive)
                                    .arg(counted)
                                    .arg(path)));
        }
    }

    void managerIsConfiguredAndStarted()
    {
        GPSLocation location;
        LocationManager* m = location.m_LocationManager();
        QCOMPARE(m, location.m_LocationManager());
        QCOMPARE(m->desiredAccuracy(), LocationManager::kLocationAccuracyBest);
        QVERIFY(!m->pausesLocationUpdatesAutomatically());
        QVERIFY(m->isUpdating());
        QCOMPARE(m->delegate(), &location);
    }

    void withoutDelegateNothingIsCalled()
    {
        GPSLocation location;
        location.locationManager_didUpdateLocations(nullptr, {fix(1, 1, 1), fix(1, 1.1, 1)});
        QVERIFY(location.m_oldLocation.has_value());
    }

    void failure_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("alerts");
        QTest::newRow("refused") << "Location access was refused (location error 1)." << 1;
        QTest::newRow("other") << "The location is unknown (location error 0)." << 0;
        QTest::newRow("empty") << QString() << 0;
    }
    void failure()
    {
        QFETCH(QString, description);
        QFETCH(int, alerts);
        GPSLocation location;
        location.is_on_speed = true;
        for (int i = 0; i < 2; ++i)
            location.locationManager_didFailWithError(nullptr, {1, description});
        const QList<AlertView*> shown = AlertView::visibleAlerts();
        QCOMPARE(shown.size(), alerts * 2); // every failure shows another alert
        for (AlertView* alert : shown) {
            QCOMPARE(alert->title(), QStringLiteral("GPS is OFF"));
            QCOMPARE(alert->numberOfButtons(), 1);
            QCOMPARE(alert->buttonTitleAtIndex(0), QStringLiteral("OK"));
            QCOMPARE(alert->message(), QStringLiteral("gps_off")); // no table loaded here
            alert->dismissWithClickedButtonIndex(0);
        }
        QVERIFY(location.is_on_speed); // fields keep their values
        QVERIFY(location.m_LocationManager()->isUpdating());
    }

    // A source that loses its receiver puts the gauge at rest with the worst
    // accuracy, once, without touching the travelling state; the next fix
    // resumes as usual. Fixes off the globe never arrive.
    void lostSourceAndInsaneFixes()
    {
        struct Recorder : GPSLocationDelegate {
            QList<std::tuple<float, float, double>> calls;
            void speedDidUpate(float s, float a, double d) override { calls.append({s, a, d}); }
        } recorder;
        struct PushSource : LocationSource {
            void start() override {}
            QString description() const override { return QStringLiteral("test"); }
            void push(const Fix& f) { emit fixesReceived({f}); }
            void lose()
            {
                emit failed({LocationManager::kErrorLocationUnknown, QStringLiteral("gone")});
            }
        };
        PushSource* source = nullptr;
        LocationManager::setSourceFactory([&source] {
            auto s = std::make_unique<PushSource>();
            source = s.get();
            return s;
        });
        GPSLocation location;
        location.setDelegate(&recorder);
        location.m_LocationManager();
        LocationManager::setSourceFactory({});
        QVERIFY(source);

        source->push(fix(48.0, 11.0, 20));
        Fix bad = fix(48.0, 11.0, 20);
        for (double lat : {std::nan(""), 91.0, std::numeric_limits<double>::infinity()}) {
            bad.latitude = lat;
            source->push(bad);
        }
        QCOMPARE(recorder.calls.size(), 1);
        location.is_on_speed = true;
        source->lose();
        source->lose();
        QCOMPARE(recorder.calls.size(), 2);
        QCOMPARE(recorder.calls.last(), std::make_tuple(0.0f, GPSLocation::kLostAccuracy, 0.0));
        QVERIFY(location.is_on_speed);
        Fix huge = fix(48.0001, 11.0, 20);
        huge.speed = 1e39;
        source->push(huge);
        QCOMPARE(recorder.calls.size(), 3);
        QVERIFY(std::isfinite(std::get<0>(recorder.calls.last())));
    }
};

KORVANE_REGISTER_TEST(TestGPSLocation);
#include "tst_GPSLocation.moc"
