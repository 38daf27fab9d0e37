#include "Application.h"
#include "Korvane_LEAppDelegate.h"
#include "MainView.h"
#include "MainViewController.h"
#include "Localization.h"
#include "Property.h"
#include "StatusLine.h"
#include "FreshStoreTest.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QTest>
#include <memory>

class TestLaunch : public FreshStoreTest {
    Q_OBJECT

private slots:
    void firstLaunchUnit_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("unit");
        QTest::newRow("en_US") << "en_US" << 1;
        QTest::newRow("en_US_POSIX") << "en_US_POSIX" << 1;
        QTest::newRow("en_GB") << "en_GB" << 1;
        QTest::newRow("en_AU") << "en_AU" << 0;
        QTest::newRow("de_CH") << "de_CH" << 0;
        QTest::newRow("fr_FR") << "fr_FR" << 0;
        QTest::newRow("with encoding") << "en_GB.UTF-8" << 1;
    }
    void firstLaunchUnit()
    {
        QFETCH(QString, locale);
        QFETCH(int, unit);
        Korvane_LEAppDelegate::chooseUnitOnFirstLaunch(Property::instance(), locale);
        QCOMPARE(Property::instance()->m_speedUnit, unit);

        // A second launch, whatever its locale, keeps the stored unit.
        Property* next = Property::reloadForTesting();
        QVERIFY(!next->m_isfirstInit);
        Korvane_LEAppDelegate::chooseUnitOnFirstLaunch(next, unit ? "fr_FR" : "en_US");
        QCOMPARE(Property::reloadForTesting()->m_speedUnit, unit);
    }

    // The unit follows the measurement locale: a German desktop measuring
    // in British units starts in mph, --locale still decides over both.
    void measurementLocale_data()
    {
        QTest::addColumn<QString>("all");
        QTest::addColumn<QString>("measurement");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("override");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("LC_MEASUREMENT over LANG") << "" << "en_GB.UTF-8" << "de_DE.UTF-8" << "" << "en_GB";
        QTest::newRow("LC_ALL over both") << "fr_FR.UTF-8" << "en_US.UTF-8" << "en_US.UTF-8" << "" << "fr_FR";
        QTest::newRow("LANG alone") << "" << "" << "en_US.UTF-8@euro" << "" << "en_US";
        QTest::newRow("--locale wins") << "" << "en_GB.UTF-8" << "" << "de_AT" << "de_AT";
    }
    void measurementLocale()
    {
        QFETCH(QString, all);
        QFETCH(QString, measurement);
        QFETCH(QString, lang);
        QFETCH(QString, override);
        QFETCH(QString, identifier);
        const char* names[] = {"LC_ALL", "LC_MEASUREMENT", "LANG"};
        const QString values[] = {all, measurement, lang};
        QByteArray saved[3];
        for (int i = 0; i < 3; ++i) {
            saved[i] = qgetenv(names[i]);
            qputenv(names[i], values[i].toUtf8());
        }
        Localization::setLocaleOverride(override);
        QCOMPARE(Localization::measurementLocaleIdentifier(), identifier);
        Localization::setLocaleOverride(QString());
        for (int i = 0; i < 3; ++i)
            qputenv(names[i], saved[i]);
    }

    // The launch hands the store to the gauge; the background and the end
    // both write the trip, which the next process starts with.
    void launchAndLifecycle_data()
    {
        QTest::addColumn<bool>("terminate");
        QTest::newRow("background") << false;
        QTest::newRow("terminate") << true;
    }
    void launchAndLifecycle()
    {
        QFETCH(bool, terminate);
        QWidget window;
        window.resize(320, 568);
        Korvane_LEAppDelegate delegate;
        delegate.window = &window;
        delegate.applicationDidFinishLaunching();
        MainView* gauge = delegate.controller()->mainView;
        QVERIFY(gauge);
        QCOMPARE(gauge->prop, Property::instance());
        QVERIFY(gauge->m_GPSLocation);
        QVERIFY(window.isVisible());

        gauge->speedDidUpate(20.0f, 5.0f, 250.0);
        QCOMPARE(Property::instance()->m_distanceTraveled_Meter, 251.0);
        if (terminate)
            delegate.applicationWillTerminate();
        else
            delegate.applicationDidEnterBackground();
        QCOMPARE(Property::reloadForTesting()->m_distanceTraveled_Meter, 251.0);
    }

    void statusLine_data()
    {
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("accuracy");
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("trip");
        QTest::addColumn<QString>("settingsError");
        QTest::addColumn<QString>("line");
        QTest::newRow("km/h") << 27.7778f << 5.0f << 0 << 12345.0 << QString()
                              << "speed 100.0 km/h  accuracy 5 m  trip 12.345 km";
        QTest::newRow("mph, miles of 1609 m") << 26.8167f << 12.4f << 1 << 1609.0 << QString()
                                              << "speed 60.0 mph  accuracy 12 m  trip 1.000 mi";
        QTest::newRow("knots, standing, unknown accuracy")
            << -1.0f << -1.0f << 2 << 1852.0 * 3 << QString()
            << "speed 0.0 kn  accuracy unknown  trip 3.000 nmi";
        QTest::newRow("settings not saved")
            << 0.0f << 3.0f << 0 << 1.0 << "the file is read-only"
            << "speed 0.0 km/h  accuracy 3 m  trip 0.001 km  settings not saved (the file is "
               "read-only)";
    }
    void statusLine()
    {
        QFETCH(float, speed);
        QFETCH(float, accuracy);
        QFETCH(int, unit);
        QFETCH(double, trip);
        QFETCH(QString, settingsError);
        QFETCH(QString, line);
        QCOMPARE(StatusLine::format({speed, accuracy}, unit, trip, settingsError), line);
    }
};

KORVANE_REGISTER_TEST(TestLaunch);
#include "tst_Launch.moc"
