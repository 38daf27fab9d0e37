#include "Clock.h"
#include "Preferences.h"
#include "Property.h"
#include "FreshStoreTest.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QProcess>

#include <QFile>
#include <QSettings>
#include <QTest>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestProperty : public FreshStoreTest {
    Q_OBJECT

    void writeSettingsFile(const QByteArray& contents)
    {
        QDir().mkpath(QFileInfo(env->settingsFile()).path());
        QFile f(env->settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    QByteArray settingsFile() const
    {
        QFile f(env->settingsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void freshInstallationDefaults()
    {
        Property* p = Property::instance();
        QCOMPARE(p, Property::instance());
        QCOMPARE(p->m_speedUnit, 0);
        QVERIFY(p->m_isfirstInit);
        QVERIFY(!p->m_didPressProAd);
        QVERIFY(!p->m_didShowStartUpReviewAnimation);
        QCOMPARE(p->m_distanceTraveled_Meter, 1.0);
        QVERIFY2(!QFile::exists(env->settingsFile()), "loading must not write");
    }

    // Each setter reaches the file at once, as another process reads it.
    void settersWriteAtOnce_data()
    {
        QTest::addColumn<int>("setter");
        QTest::addColumn<QString>("line");
        QTest::newRow("speed unit") << 0 << "speedUnit=2";
        QTest::newRow("pro ad pressed") << 1 << "didPressProAd=true";
        QTest::newRow("review animation shown") << 2 << "didShowStartUpReviewAnimation=true";
        // A fresh trip starts at 1 m (the store's initial distance).
        QTest::newRow("trip on leaving") << 3 << "distanceTraveled_Meter=43";
    }
    void settersWriteAtOnce()
    {
        QFETCH(int, setter);
        QFETCH(QString, line);
        Property* p = Property::reloadForTesting();
        switch (setter) {
        case 0: p->setSpeedUnit(2); break;
        case 1: p->setDidPressProAd(true); break;
        case 2: p->setDidShowStartUpReviewAnimation(true); break;
        default:
            p->add_DistanceTraveled_Meter(42);
            p->save_on_leave_close_DistanceTraveled_Meter();
        }
        QProcess cat;
        cat.start(QStringLiteral("cat"), {env->settingsFile()});
        QVERIFY(cat.waitForFinished());
        const QString file = QString::fromUtf8(cat.readAllStandardOutput());
        QVERIFY2(file.contains(line), qPrintable(file));
    }

    // A growing trip reaches the file once a minute, so an unclean end loses
    // a minute at most; in between nothing is written.
    void tripWrittenOnceAMinute()
    {
        const QDateTime start(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
        Clock::set(start);
        Property* p = Property::reloadForTesting();
        auto onDisk = [this] {
            QProcess cat;
            cat.start(QStringLiteral("cat"), {env->settingsFile()});
            cat.waitForFinished();
            return QString::fromUtf8(cat.readAllStandardOutput());
        };
        const struct {
            qint64 atSecond;
            double meters;
            const char* stored; // nullptr: nothing written yet
        } steps[] = {{10, 500, nullptr}, {59, 500, nullptr}, {60, 500, "1501"},
                     {100, 500, "1501"}, {130, 0, "1501"},   {125, 250, "2251"}};
        for (const auto& step : steps) {
            Clock::set(start.addSecs(step.atSecond));
            p->add_DistanceTraveled_Meter(step.meters);
            const QString file = onDisk();
            if (step.stored)
                QVERIFY2(file.contains(QStringLiteral("distanceTraveled_Meter=%1")
                                           .arg(QLatin1String(step.stored))),
                         qPrintable(file));
            else
                QVERIFY2(!file.contains(QLatin1String("distanceTraveled_Meter")), qPrintable(file));
        }
        Clock::reset();
    }

    void settersSurviveANewProcess()
    {
        Property* p = Property::instance();
        p->setSpeedUnit(2);
        p->setDidPressProAd(true);
        p->setDidShowStartUpReviewAnimation(true);
        p->saveBoolProperty(QStringLiteral("firstInit"), false);
        QVERIFY(p->m_isfirstInit); // the field keeps its loaded value

        Property* q = Property::reloadForTesting();
        QCOMPARE(q->m_speedUnit, 2);
        QVERIFY(!q->m_isfirstInit);
        QVERIFY(q->m_didPressProAd);
        QVERIFY(q->m_didShowStartUpReviewAnimation);
    }

    void tripDistanceIsWrittenOnlyBySaveTempValues()
    {
        Property* p = Property::instance();
        p->add_DistanceTraveled_Meter(1234.5);
        p->add_DistanceTraveled_Meter(0.25);
        QCOMPARE(p->m_distanceTraveled_Meter, 1235.75);
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 1.0); // lost, unsaved

        p = Property::instance();
        p->add_DistanceTraveled_Meter(150000.1);
        p->save_temp_values();
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 150001.1);

        Property::instance()->reset_DistanceTraveled();
        QCOMPARE(Property::instance()->m_distanceTraveled_Meter, 1.0);
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 1.0);
    }

    void nonFiniteDistanceDoesNotPoisonTheTrip()
    {
        Property* p = Property::instance();
        p->add_DistanceTraveled_Meter(10.0);
        p->add_DistanceTraveled_Meter(std::numeric_limits<double>::quiet_NaN());
        p->add_DistanceTraveled_Meter(std::numeric_limits<double>::infinity());
        QCOMPARE(p->m_distanceTraveled_Meter, 11.0);
    }

    // The checkpoint goes by the fixes' own clock: a replay at 50x writes per
    // minute driven, however little wall-clock time passes.
    void checkpointCountsTheSourcesTime()
    {
        Clock::set(QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC)); // the wall stands still
        Property* p = Property::reloadForTesting();
        const QDateTime drive(QDate(2019, 4, 6), QTime(8, 0), Qt::UTC);
        p->add_DistanceTraveled_Meter(100, drive);
        p->add_DistanceTraveled_Meter(100, drive.addSecs(59));
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 1.0);
        p = Property::reloadForTesting();
        for (int s = 0; s <= 60; s += 30)
            p->add_DistanceTraveled_Meter(100, drive.addSecs(s));
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 301.0);
        Clock::reset();
    }

    // A stored trip that is not a distance (damage, a hand edit) loads as a
    // fresh trip instead of staying infinite or negative for good.
    void storedTripOutOfRange_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("loaded");
        QTest::newRow("infinite") << QVariant(std::numeric_limits<double>::infinity()) << 1.0;
        QTest::newRow("NaN") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 1.0;
        QTest::newRow("negative") << QVariant(-5.0) << 1.0;
        QTest::newRow("-1e308 as text") << QVariant(QStringLiteral("-1e308")) << 1.0;
        QTest::newRow("1e308 as text") << QVariant(QStringLiteral("1e308")) << 1.0;
        QTest::newRow("a long drive") << QVariant(QStringLiteral("4.0e9")) << 4.0e9;
        QTest::newRow("integer") << QVariant(7) << 7.0;
    }
    void storedTripOutOfRange()
    {
        QFETCH(QVariant, stored);
        QFETCH(double, loaded);
        {
            QSettings s(env->settingsFile(), QSettings::IniFormat);
            s.setValue(QStringLiteral("distanceTraveled_Meter"), stored);
        }
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, loaded);
    }

    // A write that cannot reach the file is told, keeps everything in memory
    // and succeeds whole once the obstacle is gone. Nothing is ever written
    // through a link to a device.
    void failedWriteIsToldAndRetried_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("folder in the file's place") << "folder";
        QTest::newRow("a file in the folder's place") << "no folder";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("read-only file") << "read-only";
    }
    void failedWriteIsToldAndRetried()
    {
        QFETCH(QString, obstacle);
        const QString file = env->settingsFile();
        const QString folder = QFileInfo(file).path();
        const QString node = env->path() + QStringLiteral("/node");
        Property* p = Property::instance();
        p->setSpeedUnit(2);
        QVERIFY(QFile::remove(file));
        if (obstacle == u"folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (obstacle == u"no folder") {
            QVERIFY(QDir(folder).removeRecursively());
            QFile f(folder);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (obstacle == u"device") {
            // As root, a node of our own (a null device) stands in for one
            // in /dev, which a faulty write would replace.
            const bool own =
                ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
            QVERIFY(QFile::link(own ? node : QStringLiteral("/dev/null"), file));
        } else {
            if (::geteuid() == 0)
                QSKIP("root writes to read-only files; the other cases cover a refused write");
            writeSettingsFile("[General]\nspeedUnit=2\n");
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }

        p->add_DistanceTraveled_Meter(500);
        p->save_temp_values();
        QVERIFY(!Preferences::shared().writeError().isEmpty());
        p->add_DistanceTraveled_Meter(250);
        p->save_temp_values();
        QCOMPARE(p->m_distanceTraveled_Meter, 751.0);
        if (obstacle == u"device") {
            struct stat st {};
            QVERIFY(::stat(QFile::encodeName(file).constData(), &st) == 0 && S_ISCHR(st.st_mode));
        }

        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(file);
        QDir(file).removeRecursively();
        QFile::remove(folder);
        p->add_DistanceTraveled_Meter(1);
        p->save_temp_values();
        QCOMPARE(Preferences::shared().writeError(), QString());
        p = Property::reloadForTesting();
        QCOMPARE(p->m_distanceTraveled_Meter, 752.0);
        QCOMPARE(p->m_speedUnit, 2);
    }

    // The settings folder removed while running comes back whole on the
    // next write, not with the trip alone.
    void vanishedFolderIsRewrittenWhole()
    {
        Property* p = Property::instance();
        p->setSpeedUnit(1);
        p->saveIntegerProperty(QStringLiteral("RatePromptUseCount"), 5);
        QVERIFY(QDir(QFileInfo(env->settingsFile()).path()).removeRecursively());
        p->add_DistanceTraveled_Meter(41);
        p->save_temp_values();
        p = Property::reloadForTesting();
        QCOMPARE(p->m_distanceTraveled_Meter, 42.0);
        QCOMPARE(p->m_speedUnit, 1);
        QCOMPARE(p->loadIntegerProperty(QStringLiteral("RatePromptUseCount"), 0), 5);
    }

    void floatFixedPoint_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("stored");
        QTest::addColumn<float>("readBack");
        QTest::newRow("below resolution") << 0.0000004f << 0 << 0.0f;
        QTest::newRow("one and a half") << 1.5f << 1500000 << 1.5f;
        QTest::newRow("negative truncates toward zero") << -2.0000004f << -2000000 << -2.0f;
        QTest::newRow("beyond 32 bits saturates") << 5000.0f << 2147483647 << 2147.483647f;
    }
    void floatFixedPoint()
    {
        QFETCH(float, value);
        QFETCH(int, stored);
        QFETCH(float, readBack);
        Property* p = Property::instance();
        p->saveFloatProperty(QStringLiteral("f"), value);
        p = Property::reloadForTesting();
        QCOMPARE(p->loadIntegerProperty(QStringLiteral("f"), -1), stored);
        QCOMPARE(p->loadFloatProperty(QStringLiteral("f"), 0.0f), readBack);
    }

    void typedLoads()
    {
        Property* p = Property::instance();
        QCOMPARE(p->loadFloatProperty(QStringLiteral("missing"), 20000000.0f), 20.0f);
        QCOMPARE(p->loadDoubleProperty(QStringLiteral("missing"), 0.125), 0.125);
        p->saveIntegerProperty(QStringLiteral("i"), 42);
        QCOMPARE(p->loadDoubleProperty(QStringLiteral("i"), -1.0), 42.0);
        p->saveDoubleProperty(QStringLiteral("d"), 0.1 + 0.2);
        QCOMPARE(Property::reloadForTesting()->loadDoubleProperty(QStringLiteral("d"), 0),
                 0.1 + 0.2);
    }

    // A damaged or hand-edited file yields defaults and stays as it was.
    void malformedFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("wrong types") << QByteArray(
            "[General]\nspeedUnit=fast\nfirstInit=perhaps\ndidPressProAd=1.5x\n"
            "didShowStartUpReviewAnimation=@Variant(garbage)\ndistanceTraveled_Meter=lots\n");
        QTest::newRow("non-finite distance")
            << QByteArray("[General]\ndistanceTraveled_Meter=nan\nspeedUnit=9999999999999\n");
        static const char garbage[] = "\x00\xff\xfe[[[=\n\x01\x02=\x03";
        QTest::newRow("binary garbage") << QByteArray(garbage, sizeof garbage - 1);
        QTest::newRow("empty") << QByteArray();
    }
    void malformedFile()
    {
        QFETCH(QByteArray, contents);
        writeSettingsFile(contents);
        Property* p = Property::reloadForTesting();
        QCOMPARE(p->m_speedUnit, 0);
        QVERIFY(p->m_isfirstInit);
        QVERIFY(!p->m_didPressProAd);
        QVERIFY(!p->m_didShowStartUpReviewAnimation);
        QCOMPARE(p->m_distanceTraveled_Meter, 1.0);
        QCOMPARE(settingsFile(), contents);
    }
};

KORVANE_REGISTER_TEST(TestProperty);
#include "tst_Property.moc"
