#include "GpsdSource.h"
#include "LocationManager.h"
#include "NmeaParser.h"
#include "NmeaTestData.h"
#include "RepeatingTimer.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace {
constexpr int kPeerTimeoutMs = 30'000;

quint16 freePort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

// gpsfake and the gpsd it starts, in a process group of their own so that
// both end with the test.
class GpsFake {
public:
    bool start(const QString& program, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"),
                   env.value(QStringLiteral("PATH")) + QStringLiteral(":/usr/sbin:/sbin"));
        m_process.setProcessEnvironment(env);
        m_process.setChildProcessModifier([] { ::setpgid(0, 0); });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(program, arguments);
        if (!m_process.waitForStarted())
            return false;
        m_group = pid_t(m_process.processId());
        return true;
    }
    ~GpsFake()
    {
        const pid_t group = m_group;
        if (group <= 0)
            return;
        ::kill(-group, SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            ::kill(-group, SIGKILL);
            m_process.waitForFinished(5000);
        }
        // gpsd may outlive gpsfake.
        if (::kill(-group, 0) == 0)
            ::kill(-group, SIGKILL);
        // gpsfake leaves its control socket behind when stopped.
        QFile::remove(QStringLiteral("/tmp/gpsfake-%1.sock").arg(group));
    }

private:
    QProcess m_process;
    pid_t m_group = 0;
};
} // namespace

class TestGpsdSource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QList<Fix>>();
        qRegisterMetaType<LocationError>();
    }

    void fixFromReport_data()
    {
        QTest::addColumn<QByteArray>("tpv");
        QTest::addColumn<QString>("fix"); // time, speed, accuracy; empty: none
        QTest::newRow("3D fix")
            << QByteArray(R"("mode":3,"time":"2014-12-31T03:07:19.000Z",)"
                          R"("lat":-37.7,"lon":175.3,"speed":0.355,"eph":20.9,"epx":9.4)")
            << "2014-12-31T03:07:19.000Z 0.35 20.90";
        QTest::newRow("2D fix, no speed")
            << QByteArray(R"("mode":2,"lat":48.1,"lon":11.5,"eph":5)") << " -1.00 5.00";
        QTest::newRow("epx and epy only")
            << QByteArray(R"("mode":3,"lat":48.1,"lon":11.5,"speed":3,"epx":3.0,"epy":4.0)")
            << " 3.00 5.00";
        QTest::newRow("negative speed, no error estimate")
            << QByteArray(R"("mode":3,"lat":48.1,"lon":11.5,"speed":-2)") << " -1.00 -1.00";
        QTest::newRow("no fix") << QByteArray(R"("mode":1,"lat":48.1,"lon":11.5)") << QString();
        QTest::newRow("no mode") << QByteArray(R"("lat":48.1,"lon":11.5)") << QString();
        QTest::newRow("latitude 91°") << QByteArray(R"("mode":3,"lat":91,"lon":11.5)") << QString();
        QTest::newRow("longitude -181°")
            << QByteArray(R"("mode":3,"lat":48,"lon":-181)") << QString();
        QTest::newRow("latitude as text")
            << QByteArray(R"("mode":3,"lat":"48","lon":11.5)") << QString();
    }

    void fixFromReport()
    {
        QFETCH(QByteArray, tpv);
        QFETCH(QString, fix);
        const auto got =
            GpsdSource::fixFromReport(QJsonDocument::fromJson("{" + tpv + "}").object());
        QCOMPARE(got ? summary(*got) : QString(), fix);
    }

    // A gpsd that is not there, comes up, and goes away again.
    void outagesAreReportedOnceEach()
    {
        const quint16 port = freePort();
        QVERIFY(port != 0);
        GpsdSource source(QStringLiteral("127.0.0.1"), port);
        source.setRetryDelays(5, 40);
        QSignalSpy received(&source, &LocationSource::fixesReceived);
        QSignalSpy failed(&source, &LocationSource::failed);
        source.start();
        QCOMPARE(failed.count(), 0); // never inside start()
        QTRY_VERIFY_WITH_TIMEOUT(source.connectionAttempts() >= 4, kPeerTimeoutMs);
        QCOMPARE(failed.count(), 1);
        const auto error = failed.at(0).at(0).value<LocationError>();
        QCOMPARE(error.code, LocationManager::kErrorLocationUnknown);
        QVERIFY(!error.localizedDescription.contains(QLatin1String("error 1")));

        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, port));
        QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), kPeerTimeoutMs);
        QTcpSocket* gpsd = server.nextPendingConnection();
        QTRY_VERIFY_WITH_TIMEOUT(gpsd->canReadLine(), kPeerTimeoutMs);
        QCOMPARE(gpsd->readLine(), QByteArray(R"(?WATCH={"enable":true,"json":true})"
                                              "\n"));
        // Other classes, noise, a repeated epoch, a line cut in two.
        const QByteArray tpv = R"({"class":"TPV","mode":3,"time":"2024-05-18T09:14:05.000Z",)"
                               R"("lat":48.1,"lon":11.5,"speed":12.5,"eph":7.0})"
                               "\n";
        gpsd->write("not json\n"
                    R"({"class":"SKY","lat":1,"lon":2,"mode":3})"
                    "\n" +
                    tpv + tpv + R"({"class":"TPV","mode":3,"time":"2024-05-18T09:14:06.000Z",)");
        QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 1, kPeerTimeoutMs);
        gpsd->write(R"("lat":48.2,"lon":11.6,"speed":13.0})"
                    "\n");
        QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 2, kPeerTimeoutMs);
        const QList<Fix> fixes = collect(received);
        QCOMPARE(summary(fixes[0]), QStringLiteral("2024-05-18T09:14:05.000Z 12.50 7.00"));
        QCOMPARE(summary(fixes[1]), QStringLiteral("2024-05-18T09:14:06.000Z 13.00 -1.00"));
        QCOMPARE(failed.count(), 1);

        // While an animation runs, reads wait for its beat; once it stops,
        // they come as the data does.
        const auto epoch = [](int second) {
            return QByteArray("{\"class\":\"TPV\",\"mode\":3,\"time\":\"2024-05-18T09:14:0") +
                   QByteArray::number(second) + ".000Z\",\"lat\":48.1,\"lon\":11.5}\n";
        };
        {
            RepeatingTimer animation;
            animation.start(0.005, [] {});
            gpsd->write(epoch(7));
            QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 3, kPeerTimeoutMs);
            gpsd->write(epoch(8));
            QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 4, kPeerTimeoutMs);
        }
        gpsd->write(epoch(9));
        QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 5, kPeerTimeoutMs);

        // gpsd goes away: a new outage, reported once more however often
        // the source retries.
        const int attempts = source.connectionAttempts();
        server.close();
        gpsd->abort();
        QTRY_VERIFY_WITH_TIMEOUT(source.connectionAttempts() >= attempts + 4, kPeerTimeoutMs);
        QCOMPARE(failed.count(), 2);
        source.stop();
    }

    // A peer that takes each connection and drops it at once is no gpsd:
    // the back-off keeps growing and the outage is reported once.
    void droppingPeerBacksOff()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, &server, [&server] {
            while (QTcpSocket* peer = server.nextPendingConnection())
                peer->abort();
        });
        GpsdSource source(QStringLiteral("127.0.0.1"), server.serverPort());
        source.setRetryDelays(5, 40);
        QSignalSpy failed(&source, &LocationSource::failed);
        source.start();
        QTRY_VERIFY_WITH_TIMEOUT(source.connectionAttempts() >= 6, kPeerTimeoutMs);
        QCOMPARE(source.retryDelayMs(), 40);
        QCOMPARE(failed.count(), 1);
        source.stop();
    }

    // The real daemon, fed a recorded log by gpsfake.
    void realGpsd()
    {
        const QString gpsfake = QStandardPaths::findExecutable(QStringLiteral("gpsfake"));
        if (gpsfake.isEmpty())
            QSKIP("gpsfake is not installed");
        const QString log =
            TestEnvironment::sourcePath(QStringLiteral("tests/data/gps-logs/bu353s4.log"));
        const QList<Fix> expected = NmeaLogReader::readFile(log);
        QVERIFY(expected.size() >= 20);

        const quint16 port = freePort();
        GpsFake fake;
        // -n: gpsd reads the log without waiting for a client; -1: once.
        QVERIFY(
            fake.start(gpsfake, {QStringLiteral("-q"), QStringLiteral("-1"), QStringLiteral("-n"),
                                 QStringLiteral("-c"), QStringLiteral("0.01"), QStringLiteral("-P"),
                                 QString::number(port), log}));
        QTRY_VERIFY_WITH_TIMEOUT(GpsdSource::probe(QStringLiteral("127.0.0.1"), port, 200, nullptr),
                                 kPeerTimeoutMs);

        GpsdSource source(QStringLiteral("127.0.0.1"), port);
        QSignalSpy received(&source, &LocationSource::fixesReceived);
        source.start();
        QTRY_VERIFY_WITH_TIMEOUT(collect(received).size() >= 10, kPeerTimeoutMs);
        source.stop();

        // Each fix is one of the log's epochs: same position, same speed.
        int matched = 0;
        for (const Fix& got : collect(received)) {
            const auto match = std::find_if(expected.begin(), expected.end(), [&](const Fix& e) {
                return e.timestamp.time() == got.timestamp.time();
            });
            if (match == expected.end()) // gpsd's first reports, before the log named a time
                continue;
            ++matched;
            QVERIFY(std::abs(got.latitude - match->latitude) < 1e-6);
            QVERIFY(std::abs(got.longitude - match->longitude) < 1e-6);
            QVERIFY(got.horizontalAccuracy > 0.0);
            QVERIFY2(std::abs(got.speed - match->speed) <= 0.0514, qPrintable(summary(got)));
        }
        QVERIFY(matched >= 8);
    }
};

KORVANE_REGISTER_TEST(TestGpsdSource);
#include "tst_GpsdSource.moc"
