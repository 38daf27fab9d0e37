#include "AutoSource.h"
#include "GeoClueSource.h"
#include "LocationSources.h"
#include "NmeaParser.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {
struct Recorder : LocationManagerDelegate {
    QList<Fix> fixes;
    QList<LocationError> errors;
    void locationManager_didUpdateLocations(LocationManager*, const QList<Fix>& f) override
    {
        fixes += f;
    }
    void locationManager_didFailWithError(LocationManager*, const LocationError& e) override
    {
        errors += e;
    }
};

QString log(const QString& name)
{
    return TestEnvironment::sourcePath(QStringLiteral("tests/data/gps-logs/") + name);
}
} // namespace

class TestLocationSources : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTcpServer m_gpsd;

private slots:
    void initTestCase() { QVERIFY(m_gpsd.listen(QHostAddress::LocalHost, 0)); }
    void cleanup() { LocationManager::setSourceFactory(nullptr); }

    void create_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<double>("replaySpeed");
        QTest::addColumn<QString>("error"); // part of the message; empty: a factory
        const QString nmeaLog = QStringLiteral("nmea:") + log(QStringLiteral("bu353s4.log"));
        const QString gpsd = QStringLiteral("gpsd://127.0.0.1:%1").arg(m_gpsd.serverPort());
        quint16 deadPort = 0;
        {
            QTcpServer dead;
            QVERIFY(dead.listen(QHostAddress::LocalHost, 0));
            deadPort = dead.serverPort();
        }
        auto row = [](const char* name, const QString& source, double speed, const char* error) {
            QTest::newRow(name) << source << speed << QString::fromUtf8(error);
        };
        row("default", QString(), 1.0, "");
        row("demo", "demo", 1.0, "");
        row("log", nmeaLog, 0.5, "");
        row("gpsd that answers", gpsd, 1.0, "");
        row("replay speed 0", "demo", 0.0, "replay speed");
        row("NaN replay speed", nmeaLog, std::numeric_limits<double>::quiet_NaN(), "replay speed");
        // Beyond these a source's timers would leave what a timer holds.
        row("replay speed 1e-6", nmeaLog, 1e-6, "replay speed must be between 0.01 and 1000");
        row("replay speed 1e9", nmeaLog, 1e9, "replay speed must be between 0.01 and 1000");
        row("slowest replay", nmeaLog, LocationSources::kMinReplaySpeed, "");
        row("unknown source", "foo", 1.0, "unknown location source \"foo\"");
        row("nmea without path", "nmea:", 1.0, "nmea:PATH");
        row("missing log", "nmea:/no/such/drive.nmea", 1.0, "/no/such/drive.nmea");
        row("folder", "nmea:" + m_dir.path(), 1.0, "folder");
        row("log without a fix", "nmea:" + log("hp58534a.log"), 1.0, "no position fix");
        row("missing device", "nmea:/dev/ttyNONE9", 1.0, "cannot open NMEA device /dev/ttyNONE9");
        row("gpsd not answering", QStringLiteral("gpsd://127.0.0.1:%1").arg(deadPort), 1.0,
            "cannot reach gpsd");
        row("gpsd without host", "gpsd://", 1.0, "gpsd://HOST[:PORT]");
        row("gpsd port out of range", "gpsd://localhost:99999", 1.0, "gpsd");
    }

    void create()
    {
        QFETCH(QString, source);
        QFETCH(double, replaySpeed);
        QFETCH(QString, error);
        QString message;
        const auto factory = LocationSources::create(source, replaySpeed, &message);
        if (!error.isEmpty()) {
            QVERIFY(!factory);
            QVERIFY2(message.contains(error) && !message.contains(u'\n'), qPrintable(message));
            return;
        }
        QVERIFY2(factory, qPrintable(message));
        QVERIFY(!factory()->description().isEmpty());
    }

    void autoChoice_data()
    {
        QTest::addColumn<bool>("gpsd");
        QTest::addColumn<bool>("geoClue");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("both: gpsd") << true << true << QByteArray("GpsdSource");
        QTest::newRow("GeoClue only") << false << true << QByteArray("GeoClueSource");
        QTest::newRow("neither") << false << false << QByteArray();
    }

    void autoChoice()
    {
        QFETCH(bool, gpsd);
        QFETCH(bool, geoClue);
        QFETCH(QByteArray, chosen);
        AutoSource source({[gpsd] { return gpsd; }, [geoClue] { return geoClue; }});
        source.start();
        source.stop();
        const LocationSource* got = source.chosen();
        QCOMPARE(QByteArray(got ? got->metaObject()->className() : ""), chosen);
    }

    // As the app wires it: the delegate is set after updates have started.
    void throughTheManager_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("a replay to its end") << "replay";
        QTest::newRow("no location service") << "auto";
        QTest::newRow("GeoClue does not answer") << "geoclue";
    }

    void throughTheManager()
    {
        QFETCH(QString, source);
        const bool replay = source == u"replay";
        const QString path = log(QStringLiteral("bu353s4.log"));
        QString message;
        if (replay) {
            LocationManager::setSourceFactory(LocationSources::create(
                QStringLiteral("nmea:") + path, LocationSources::kMaxReplaySpeed, &message));
        } else if (source == u"auto") {
            LocationManager::setSourceFactory([] {
                return std::make_unique<AutoSource>(
                    AutoSource::Probes{[] { return false; }, [] { return false; }});
            });
        } else {
            // A system bus that is not there: the service cannot answer.
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket");
            LocationManager::setSourceFactory([] { return std::make_unique<GeoClueSource>(); });
        }
        LocationManager manager;
        QSignalSpy ended(&manager, &LocationManager::updatesEnded);
        Recorder recorder;
        manager.startUpdatingLocation();
        manager.setDelegate(&recorder);
        QTRY_VERIFY_WITH_TIMEOUT(ended.count() + recorder.errors.size() == 1, 30'000);
        if (replay) {
            QCOMPARE(recorder.fixes.size(), NmeaLogReader::readFile(path).size());
            QVERIFY(recorder.errors.isEmpty());
        } else {
            QCOMPARE(recorder.errors[0].code, LocationManager::kErrorDenied);
            QVERIFY(recorder.errors[0].localizedDescription.contains(QLatin1String("error 1")));
        }
    }
};

KORVANE_REGISTER_TEST(TestLocationSources);
#include "tst_LocationSources.moc"
