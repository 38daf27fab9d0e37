#include "LocationSources.h"
#include "NmeaParser.h"
#include "NmeaReplaySource.h"
#include "NmeaTestData.h"
#include "TestMain.h"

#include <QTemporaryFile>
#include <QTest>

#include <algorithm>

namespace {
// So fast that every epoch is due at once: tests never wait for the pace.
constexpr double kInstant = 1e9;

QList<Fix> fixesAt(const QList<qint64>& msOffsets)
{
    const QDateTime t0(QDate(2024, 5, 18), QTime(9, 14, 5), Qt::UTC);
    QList<Fix> fixes;
    for (qint64 ms : msOffsets) {
        Fix f;
        f.latitude = 48.4;
        f.longitude = 11.7 + double(fixes.size()) * 1e-4;
        f.timestamp = t0.addMSecs(ms);
        fixes.append(f);
    }
    return fixes;
}
} // namespace

class TestNmeaReplaySource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QList<Fix>>(); }

    void schedule_data()
    {
        QTest::addColumn<QList<qint64>>("recorded");
        QTest::addColumn<double>("speed");
        QTest::addColumn<QList<qint64>>("due");
        using L = QList<qint64>;
        QTest::newRow("as recorded") << L{0, 1000, 22'000} << 1.0 << L{0, 1000, 22'000};
        QTest::newRow("four times faster") << L{0, 1000, 2000} << 4.0 << L{0, 250, 500};
        QTest::newRow("half speed") << L{0, 1000, 3000} << 0.5 << L{0, 2000, 6000};
        QTest::newRow("10 Hz at ×3 without drift")
            << L{0, 100, 200, 300, 400, 500, 600} << 3.0 << L{0, 33, 67, 100, 133, 167, 200};
        QTest::newRow("clock going back") << L{0, 1000, 500, 1500} << 1.0 << L{0, 1000, 1000, 2000};
        QTest::newRow("spliced logs")
            << L{0, 1000, 3'600'000} << 1.0 << L{0, 1000, 1000 + NmeaReplaySource::kMaxGapMs};
    }

    void schedule()
    {
        QFETCH(QList<qint64>, recorded);
        QFETCH(double, speed);
        QFETCH(QList<qint64>, due);
        QCOMPARE(NmeaReplaySource::schedule(fixesAt(recorded), speed), due);
    }

    void deliversEveryEpochInOrderThenEnds()
    {
        const QList<Fix> fixes = fixesAt({0, 1000, 1000, 2000, 60'000});
        NmeaReplaySource source(fixes, kInstant, QStringLiteral("test"));
        QSignalSpy received(&source, &LocationSource::fixesReceived);
        QSignalSpy ended(&source, &LocationSource::ended);
        // A receiver that pauses the replay at the second epoch.
        connect(&source, &LocationSource::fixesReceived, this, [&] {
            if (received.count() == 2)
                source.stop();
        });
        source.start();
        QCOMPARE(received.count(), 0); // nothing inside start()
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, 30'000);
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 2);
        source.start();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30'000);
        QCOMPARE(received.count(), fixes.size()); // one epoch per delivery
        const QList<Fix> got = collect(received);
        for (qsizetype i = 0; i < fixes.size(); ++i)
            QVERIFY(sameFix(got[i], fixes[i]));
    }

    // Read a block at a time, a log gives what it gives read whole:
    // sentences across a block boundary, a last line without a line break.
    void streamReadsLikeTheWholeLog_data()
    {
        QTest::addColumn<QByteArray>("log");
        QFile demo(QString::fromLatin1(LocationSources::kDemoDrive));
        QVERIFY(demo.open(QIODevice::ReadOnly));
        const QByteArray drive = demo.readAll();
        QVERIFY(drive.size() > 2 * NmeaLogStream::kBlockBytes);
        QTest::newRow("demo drive") << drive;
        QTest::newRow("no last line break") << drive.chopped(1);
        QTest::newRow("one byte short of a block")
            << drive.left(NmeaLogStream::kBlockBytes - 1) + drive.mid(drive.lastIndexOf('$'));
        QTest::newRow("empty") << QByteArray();
    }
    void streamReadsLikeTheWholeLog()
    {
        QFETCH(QByteArray, log);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(log);
        file.close();
        const std::unique_ptr<NmeaLogStream> stream = NmeaLogStream::open(file.fileName());
        QVERIFY(stream);
        QList<Fix> streamed;
        while (std::optional<Fix> fix = stream->next())
            streamed.append(*fix);
        const QList<Fix> whole = NmeaLogReader::readBytes(log);
        QCOMPARE(streamed.size(), whole.size());
        for (qsizetype i = 0; i < whole.size(); ++i)
            QVERIFY(sameFix(streamed[i], whole[i]));
    }

    // A believable trip: ten minutes and more at 1 Hz, one tunnel, standing
    // jitter, motorway speed, varying accuracy.
    void demoDrive()
    {
        const QList<Fix> fixes =
            NmeaLogReader::readFile(QString::fromLatin1(LocationSources::kDemoDrive));
        QVERIFY(fixes.size() >= 600);
        QVERIFY(fixes.first().timestamp.secsTo(fixes.last().timestamp) >= 600);
        int gaps = 0;
        for (qsizetype i = 1; i < fixes.size(); ++i) {
            const qint64 gap = fixes[i - 1].timestamp.msecsTo(fixes[i].timestamp);
            if (gap != 1000) {
                QVERIFY(gap >= 15'000 && gap <= 25'000);
                ++gaps;
            }
        }
        QCOMPARE(gaps, 1);
        auto bySpeed = [](const Fix& a, const Fix& b) { return a.speed < b.speed; };
        auto byAccuracy = [](const Fix& a, const Fix& b) {
            return a.horizontalAccuracy < b.horizontalAccuracy;
        };
        QVERIFY(std::min_element(fixes.begin(), fixes.end(), bySpeed)->speed >= 0.0);
        const double top = std::max_element(fixes.begin(), fixes.end(), bySpeed)->speed;
        QVERIFY(top > 33.0 && top < 38.0); // about 130 km/h
        QVERIFY(std::count_if(fixes.begin(), fixes.end(), [](auto& f) { return f.speed <= 0.3; }) >=
                60);
        const auto [best, worst] = std::minmax_element(fixes.begin(), fixes.end(), byAccuracy);
        QVERIFY(best->horizontalAccuracy > 0.0);
        QVERIFY(worst->horizontalAccuracy > 1.5 * best->horizontalAccuracy);
        for (qsizetype i = 1; i < 60; ++i) // parked: metres of scatter
            QVERIFY(fixes[i].distanceTo(fixes[0]) < 25.0);
    }
};

KORVANE_REGISTER_TEST(TestNmeaReplaySource);
#include "tst_NmeaReplaySource.moc"
