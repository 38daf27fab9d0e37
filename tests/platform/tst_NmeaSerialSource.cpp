#include "LocationManager.h"
#include "NmeaParser.h"
#include "NmeaSerialSource.h"
#include "NmeaTestData.h"
#include "TestMain.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kPeerTimeoutMs = 30'000;

QByteArray threeEpochs()
{
    QByteArray out;
    for (const char* t : {"091405.00", "091406.00", "091407.00"})
        out +=
            nmea(QByteArray("GPRMC,") + t + ",A,4823.79106,N,01144.63495,E,10.0,344.5,180524,,,A") +
            nmea(QByteArray("GPGGA,") + t + ",4823.79106,N,01144.63495,E,1,07,1.40,449.8,M,,,,");
    return out;
}
} // namespace

class TestNmeaSerialSource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QList<Fix>>();
        qRegisterMetaType<LocationError>();
    }

    // A terminal goes through QSerialPort, a FIFO through the plain reader.
    void liveDevice_data()
    {
        QTest::addColumn<bool>("pty");
        QTest::newRow("pseudo-terminal") << true;
        QTest::newRow("FIFO") << false;
    }

    void liveDevice()
    {
        QFETCH(bool, pty);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("gps.fifo"));
        int writer = -1, slave = -1;
        char name[256] = {};
        if (pty)
            QVERIFY(::openpty(&writer, &slave, name, nullptr, nullptr) == 0);
        else
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        if (pty)
            path = QString::fromLocal8Bit(name);
        QVERIFY(NmeaSerialSource::isLiveDevice(path));

        NmeaSerialSource source(path);
        QSignalSpy received(&source, &LocationSource::fixesReceived);
        QSignalSpy failed(&source, &LocationSource::failed);
        source.start();
        // Written before the source opens, bytes would meet the terminal's
        // cooked mode, or a FIFO without a reader.
        QTRY_VERIFY_WITH_TIMEOUT(source.isOpen(), kPeerTimeoutMs);
        if (pty)
            ::close(slave);
        else
            writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        const QByteArray bytes = threeEpochs();
        QCOMPARE(::write(writer, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        // The last epoch goes out once the line has gone quiet.
        QTRY_COMPARE_WITH_TIMEOUT(collect(received).size(), 3, kPeerTimeoutMs);
        const QList<Fix> expected = NmeaLogReader::readBytes(bytes);
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY(sameFix(collect(received)[i], expected[i]));
        QCOMPARE(failed.count(), 0);

        // The receiver goes away: one failure, and not "error 1".
        ::close(writer);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, kPeerTimeoutMs);
        const auto error = failed.at(0).at(0).value<LocationError>();
        QCOMPARE(error.code, LocationManager::kErrorLocationUnknown);
        QVERIFY(!error.localizedDescription.contains(QLatin1String("error 1")));
    }
};

KORVANE_REGISTER_TEST(TestNmeaSerialSource);
#include "tst_NmeaSerialSource.moc"
