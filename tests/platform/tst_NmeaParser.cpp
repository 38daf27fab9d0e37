#include "NmeaParser.h"
#include "NmeaTestData.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <map>
#include <set>

namespace {
// 0.1 kn: the resolution of most receivers' speeds.
constexpr double kSpeedTolerance = 0.0514;

// Logs where gpsd reports a speed for epochs whose own sentences carry none;
// gpsd derives it from successive positions, we pass on the receiver's -1.
const std::set<QString> kGpsdDerivesSpeed = {
    "mr-350p.log",        // no RMC or VTG at all
    "rst39.log",          // GGA at 10 Hz, RMC once a second
    "tn204.log",          // RMC and GGA on alternate seconds
    "tr737A+.log",        // the log ends before the last epoch's RMC
    "ublox-lea-5h.log",   // the first epoch with a fix has lost its RMC
    "humminbird-M37.log", // every second carries different sentences
};
// Logs whose own sentences disagree with gpsd's speeds.
const std::set<QString> kSpeedDisagrees = {
    "humminbird-M37.log", // RMC, GLL+VTG, GGA+ZDA on staggered seconds
    "magellan315.log",    // gpsd's speed at the GLL's time is derived; RMC says 0.0 kn
};
// gpsd makes each GLL stamped a second late an epoch of its own; we do not.
const std::set<QString> kGpsdReportsMoreEpochs = {"garmin48.log"};

QString logDir()
{
    return TestEnvironment::sourcePath(QStringLiteral("tests/data/gps-logs"));
}

// Milliseconds between two times of day, across midnight.
int apart(const QDateTime& a, const QDateTime& b)
{
    const int d = std::abs(a.time().msecsSinceStartOfDay() - b.time().msecsSinceStartOfDay());
    return std::min(d, 86'400'000 - d);
}

QByteArray rmc(QByteArrayView position, QByteArrayView knots = "022.4", char status = 'A',
               QByteArrayView time = "123519.00")
{
    return nmea("GPRMC," + time.toByteArray() + ',' + status + ',' + position.toByteArray() + ',' +
                knots.toByteArray() + ",084.4,230394,003.1,W,A");
}
const QByteArray kPosition = "4807.038,N,01131.000,E";
const QByteArray kGga = nmea("GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
} // namespace

class TestNmeaParser : public QObject {
    Q_OBJECT

private slots:
    void recordedLogs_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList logs = QDir(logDir()).entryList({QStringLiteral("*.log")});
        QVERIFY2(logs.size() >= 100, qPrintable(logDir()));
        for (const QString& name : logs)
            QTest::newRow(qPrintable(name)) << name;
    }

    void recordedLogs()
    {
        QFETCH(QString, name);
        QFile file(QDir(logDir()).filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QList<Fix> fixes = NmeaLogReader::readBytes(bytes);
        for (const Fix& f : fixes) {
            QVERIFY(std::abs(f.latitude) <= 90.0 && std::abs(f.longitude) <= 180.0);
            QVERIFY(f.speed == -1.0 || (std::isfinite(f.speed) && f.speed >= 0.0));
            QVERIFY(f.horizontalAccuracy == -1.0 ||
                    (std::isfinite(f.horizontalAccuracy) && f.horizontalAccuracy > 0.0));
            QVERIFY(f.timestamp.isValid());
        }

        // No real receiver's log moves faster than the jump rule allows, so
        // the rule leaves the trip of every real drive as it was.
        for (qsizetype i = 1; i < fixes.size(); ++i)
            QVERIFY2(
                Fix::isPlausibleMove(fixes[i - 1], fixes[i]),
                qPrintable(summary(fixes[i - 1]) + QStringLiteral(" -> ") + summary(fixes[i])));

        // Fed in small pieces, as a serial line delivers it, it reads the same.
        NmeaParser parser;
        QList<Fix> pieces;
        for (qsizetype at = 0; at < bytes.size(); at += 7)
            pieces += parser.feed(
                QByteArrayView(bytes).sliced(at).first(std::min<qsizetype>(7, bytes.size() - at)));
        pieces += parser.finish();
        QCOMPARE(pieces.size(), fixes.size());
        for (qsizetype i = 0; i < fixes.size(); ++i)
            QVERIFY2(sameFix(pieces[i], fixes[i]), qPrintable(summary(pieces[i])));

        // gpsd's reading: the last TPV report for each time.
        QFile check(file.fileName() + QStringLiteral(".chk"));
        QVERIFY(check.open(QIODevice::ReadOnly));
        std::map<QString, double> gpsdSpeeds;
        while (!check.atEnd()) {
            const QJsonObject tpv = QJsonDocument::fromJson(check.readLine()).object();
            if (tpv.value("mode").toInt() >= 2 && tpv.contains("time") && tpv.contains("speed"))
                gpsdSpeeds[tpv.value("time").toString()] = tpv.value("speed").toDouble();
        }
        int matched = 0;
        for (const auto& [time, speed] : gpsdSpeeds) {
            const QDateTime t = QDateTime::fromString(time, Qt::ISODateWithMs);
            const auto nearest =
                std::min_element(fixes.begin(), fixes.end(), [&](auto& a, auto& b) {
                    return apart(a.timestamp, t) < apart(b.timestamp, t);
                });
            if (nearest == fixes.end() || apart(nearest->timestamp, t) > 5)
                continue;
            ++matched;
            if (kSpeedDisagrees.count(name) ||
                (kGpsdDerivesSpeed.count(name) && nearest->speed < 0))
                continue;
            QVERIFY2(
                std::abs(nearest->speed - speed) <= kSpeedTolerance,
                qPrintable(
                    QStringLiteral("%1: %2, gpsd %3").arg(time).arg(nearest->speed).arg(speed)));
        }
        if (!kGpsdReportsMoreEpochs.count(name))
            QVERIFY2(matched * 2 >= int(gpsdSpeeds.size()), qPrintable(QString::number(matched)));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("fixes");

        QByteArray garbage(64 * 1024, '\0');
        QRandomGenerator random(42);
        for (qsizetype i = 0; i < garbage.size(); ++i)
            garbage[i] = i % 61 == 0 ? '$' : i % 61 == 40 ? '*' : char(random.bounded(256));
        const QByteArray good = rmc(kPosition);

        QTest::newRow("valid") << good + kGga << 1;
        QTest::newRow("bad checksums") << good.chopped(4) + "00\r\n" + kGga.chopped(4) + "00\r\n"
                                       << 0;
        QTest::newRow("no checksum") << good.chopped(5) + "\r\n" << 0;
        QTest::newRow("cut mid-field") << good.left(30) + "\r\n" + good.left(20) << 0;
        QTest::newRow("checksum of a stump") << nmea("GPRMC,123519.00,A,4807.038") << 0;
        QTest::newRow("NaN coordinates")
            << rmc("nan,N,nan,E") +
                   nmea("GPGGA,123519.00,NaN,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")
            << 0;
        QTest::newRow("latitude 95°") << rmc("9507.038,N,01131.000,E") << 0;
        QTest::newRow("longitude 181°") << rmc("4807.038,N,18100.000,E") << 0;
        QTest::newRow("60 minutes") << rmc("4860.000,N,01131.000,E") << 0;
        QTest::newRow("signs, exponents") << rmc("-4807.038,N,1.131e3,E") << 0;
        QTest::newRow("status void") << rmc(kPosition, "022.4", 'V') << 0;
        QTest::newRow("GGA without fix")
            << nmea("GPGGA,123519.00,4807.038,N,01131.000,E,0,00,,,M,,M,,") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("binary garbage full of $ and *") << garbage << 0;
        QTest::newRow("over-long line") << QByteArray(100'000, 'A') + good.chopped(2) << 0;
        QTest::newRow("noise before a sentence") << "\x01\xff junk " + good << 1;
        QTest::newRow("sentences run together") << good.chopped(2) + kGga.chopped(2) << 1;
        QTest::newRow("ZDA with a day and month beyond any int")
            << good + nmea("GPZDA,123519.00,01,999999999999,2024,00,00") +
                   nmea("GPZDA,123519.00,999999999999,01,2024,00,00")
            << 1;
        QTest::newRow("other sentences")
            << nmea("PGRME,15.0,M,45.0,M,25.0,M") + nmea("GPXYZ,1") + nmea("") << 0;
    }

    void malformed()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, fixes);
        QCOMPARE(NmeaLogReader::readBytes(input).size(), fixes);
    }

    void epochs_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("expected");
        const QByteArray at10 = "GPRMC,101010.00,A,4807.038,N,01131.000,E,";

        QTest::newRow("speed and accuracy")
            << rmc(kPosition) + kGga << QStringList{"1994-03-23T12:35:19.000Z 11.52 4.59"};
        QTest::newRow("bad speeds are unknown")
            << rmc(kPosition, "inf") + rmc(kPosition, "-3.0", 'A', "123520.00")
            << QStringList{"1994-03-23T12:35:19.000Z -1.00 -1.00",
                           "1994-03-23T12:35:20.000Z -1.00 -1.00"};
        QTest::newRow("a bad sentence does not spoil the epoch")
            << rmc(kPosition).chopped(4) + "00\r\n" + kGga
            << QStringList{"1970-01-01T12:35:19.000Z -1.00 4.59"};
        QTest::newRow("GSA and VTG join the epoch before them")
            << nmea(at10 + ",,180524,,,A") + nmea("GPVTG,84.4,T,,M,10.0,N,18.5,K,A") +
                   nmea("GPGSA,A,3,01,02,03,04,,,,,,,,,2.0,1.2,1.6") +
                   nmea("GPRMC,101011.00,A,4807.038,N,01131.000,E,1.0,,180524,,,A")
            << QStringList{"2024-05-18T10:10:10.000Z 5.14 6.12",
                           "2024-05-18T10:10:11.000Z 0.51 -1.00"};
        QTest::newRow("old VTG without unit letters")
            << nmea(at10 + ",,180524,,,A") + nmea("GPVTG,054.7,034.4,005.5,010.2")
            << QStringList{"2024-05-18T10:10:10.000Z 2.83 -1.00"};
        QTest::newRow("one epoch at different precisions")
            << nmea("GPGLL,4807.038,N,01131.000,E,101010.295,A") +
                   nmea("GPGGA,101010.30,4807.038,N,01131.000,E,1,05,2.0,0,M,,,,") +
                   nmea("GPRMC,101010.30,A,4807.038,N,01131.000,E,2.0,,180524,,")
            << QStringList{"2024-05-18T10:10:10.295Z 1.03 10.20"};
        QTest::newRow("epochs 10 ms apart stay apart")
            << nmea("GPRMC,102143.990,A,3340.7753,S,15117.4475,E,6.7,155.8,251112,0.0,W") +
                   nmea("GPRMC,102144.000,A,3340.7753,S,15117.4473,E,6.6,155.8,251112,0.0,W")
            << QStringList{"2012-11-25T10:21:43.990Z 3.45 -1.00",
                           "2012-11-25T10:21:44.000Z 3.40 -1.00"};
        QTest::newRow("GLL a second late adds no epoch")
            << nmea("GPRMC,225308,A,4527.458,S,16709.165,E,000.0,094.5,060601,024.1,E") +
                   nmea("GPGLL,4527.458,S,16709.165,E,225309,A") +
                   nmea("GPRMC,225310,A,4527.458,S,16709.165,E,000.0,094.5,060601,024.1,E")
            << QStringList{"2001-06-06T22:53:08.000Z 0.00 -1.00",
                           "2001-06-06T22:53:10.000Z 0.00 -1.00"};
        QTest::newRow("midnight without dates")
            << nmea("GPGGA,235959.50,4807.038,N,01131.000,E,1,05,1.0,0,M,,,,") +
                   nmea("GPGGA,000000.50,4807.038,N,01131.000,E,1,05,1.0,0,M,,,,")
            << QStringList{"1970-01-01T23:59:59.500Z -1.00 5.10",
                           "1970-01-02T00:00:00.500Z -1.00 5.10"};
        QTest::newRow("two-digit years, lower-case checksum")
            << nmea("GPRMC,235959,A,4807.038,N,01131.000,E,0.0,0.0,311299,,") +
                   "$GPRMC,030719.000,A,3747.0873,S,17518.8938,E,0.69,181.39,311214,,,A*7d\r\n"
            << QStringList{"1999-12-31T23:59:59.000Z 0.00 -1.00",
                           "2014-12-31T03:07:19.000Z 0.35 -1.00"};
    }

    void epochs()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const Fix& f : NmeaLogReader::readBytes(input))
            got << summary(f);
        QCOMPARE(got, expected);
    }

    // A live line flushed while quiet: the rest of that epoch arriving late
    // makes no second fix for it.
    void lateSentencesAfterAFlush()
    {
        NmeaParser parser;
        QList<Fix> fixes = parser.feed(rmc(kPosition));
        QCOMPARE(fixes.size(), 0);
        fixes += parser.flush();
        fixes += parser.feed(kGga + rmc(kPosition, "022.4", 'A', "123520.00"));
        fixes += parser.finish();
        QCOMPARE(fixes.size(), 2);
        QCOMPARE(summary(fixes[1]), QStringLiteral("1994-03-23T12:35:20.000Z 11.52 -1.00"));
    }
};

KORVANE_REGISTER_TEST(TestNmeaParser);
#include "tst_NmeaParser.moc"
