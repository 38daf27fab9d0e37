#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "TestMain.h"
#include "VirtualDisplay.h"

#include <QProcess>
#include <QSettings>
#include <QTest>

// The pages in the real window, driven by the controls' accessible names as
// a screen reader would.
class TestPagesEndToEnd : public QObject {
    Q_OBJECT

    // Runs the app on a virtual display through the steps of drive_pages.py
    // (or the arguments of another driver); returns what the driver printed.
    QString drive(const TestEnvironment& env, const QStringList& steps, const QString& device,
                  const QProcessEnvironment& extra = {},
                  const QString& script = QStringLiteral("drive_pages.py"),
                  const QStringList& appArguments = {})
    {
        VirtualDisplay display;
        if (display.name().isEmpty())
            return QStringLiteral("no display: ") + display.error();
        QProcessEnvironment onScreen = env.appEnvironment();
        onScreen.insert(QStringLiteral("DISPLAY"), display.name());
        onScreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        onScreen.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        onScreen.insert(extra);
        QProcess driver;
        driver.setProcessEnvironment(onScreen);
        driver.start(QStringLiteral("dbus-run-session"),
                     QStringList{"--", "/usr/bin/python3",
                                 TestEnvironment::sourcePath(QStringLiteral("tests/app/") + script)} +
                         steps +
                         QStringList{"--", TestEnvironment::binaryPath(QStringLiteral("korvane")),
                                     "--device", device, "--source", "demo", "--locale", "en_AU"} +
                         appArguments);
        if (!driver.waitForFinished(120000))
            return QStringLiteral("driver timed out");
        return QString::fromUtf8(driver.readAllStandardOutput() + driver.readAllStandardError()) +
               QStringLiteral("exit %1").arg(driver.exitCode());
    }

private slots:
    void init()
    {
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {"-c", "import pyatspi"}) != 0)
            QSKIP("python3-pyatspi is not installed (scripts/install-deps installs it)");
    }

    // A unit chosen on the settings page is stored and shows on the gauge
    // once the page closes.
    void chooseUnitOverAccessibility()
    {
        TestEnvironment env;
        const QString out = drive(env,
                                  {"press:Settings", "press:mph", "press:Done:Settings",
                                   "find:Speed dial, MPH"},
                                  QStringLiteral("phone"));
        QVERIFY2(out.endsWith(QLatin1String("exit 0")), qPrintable(out));
        QVERIFY2(out.contains(QLatin1String("find: Speed dial, MPH")), qPrintable(out));
        QSettings stored(env.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("speedUnit")).toInt(), 1);
    }

    // The PRO button opens the tour, Done closes it, and the press is
    // remembered for later runs.
    void tourOpensAndCloses()
    {
        TestEnvironment env;
        const QString out = drive(env,
                                  {"press:Korvane Ostrin", "find:Available in the store", "press:Done",
                                   "gone:Available in the store"},
                                  QStringLiteral("phone"));
        QVERIFY2(out.endsWith(QLatin1String("exit 0")), qPrintable(out));
        QSettings stored(env.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("didPressProAd")).toBool(), true);
    }

    // From the info tab to the Facebook share page in the in-app browser
    // (no Facebook account on Linux), its text read out, and back.
    void shareOnFacebookFromInfoPage()
    {
        TestEnvironment env;
        LoopbackHttpServer server;
        server.setHandler([](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response r;
            r.contentType = "text/html";
            r.body = "<html><body><h1>Shared page</h1></body></html>";
            return r;
        });
        QProcessEnvironment web;
        web.insert(QStringLiteral("KORVANE_WEB_HOST"),
                   QStringLiteral("127.0.0.1:%1").arg(server.baseUrl().port()));
        const QString out = drive(env,
                                  {"press:Info", "press:Share on Facebook:Info",
                                   "find:Share on facebook", "find:Shared page",
                                   "press:Done:Share on facebook",
                                   "gone:Share on facebook"},
                                  QStringLiteral("tablet"), web);
        QVERIFY2(out.endsWith(QLatin1String("exit 0")), qPrintable(out));
        QVERIFY(!server.requests().isEmpty());
        QCOMPARE(server.requests().first().target,
                 QByteArray("/share.php?u=http%3A%2F%2Fitunes.apple.com%2FAU%2Fapp%2Fid436352457"
                            "%3Fmt%3D8"));
    }

    // A screen reader finds each control once, in the one window, where and
    // as large as it is drawn after the window is resized from the stage's
    // design size; a pointer at a button's centre finds that button.
    void accessibilityMatchesTheScreen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("window");
        QTest::newRow("phone shrunk") << "phone" << "320x568" << "200x355";
        QTest::newRow("tablet landscape shrunk") << "tablet" << "1024x768" << "800x480";
        QTest::newRow("tablet enlarged") << "tablet" << "768x1024" << "1280x1600";
    }
    void accessibilityMatchesTheScreen()
    {
        QFETCH(QString, device);
        QFETCH(QString, design);
        QFETCH(QString, window);
        TestEnvironment env;
        const QString out = drive(env, {design, window}, device, {},
                                  QStringLiteral("check_accessibility.py"), {"-geometry", design});
        QVERIFY2(out.endsWith(QLatin1String("exit 0")), qPrintable(out.right(3000)));
    }

    // Every store key hands the software centre an appstream: link of its
    // app (a recorder stands in for GNOME Software); the maker's listing
    // opens the shipped page of the maker's apps in the app.
    void storeKeysReachTheSoftwareCentre()
    {
        TestEnvironment env;
        const QString data = env.registerRecordingHandler({QStringLiteral("appstream")});
        QVERIFY(!data.isEmpty());
        QProcessEnvironment handlers;
        handlers.insert(QStringLiteral("XDG_DATA_HOME"), data);
        handlers.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QString());
        const QString opened = env.openedFile();
        // The overlay fades while a page is up, so each road starts afresh.
        const QList<QStringList> roads{
            {"press:Korvane Ostrin", "press:Korvane Ostrin in the store",
             "file:" + opened + ":appstream://com.zentrik.KorvaneOstrin\n"},
            {"press:Apps", "press:Nordweiser Compass",
             "file:" + opened + ":appstream://com.zentrik.Nordweiser\n", "press:Tidenhub Lite",
             "file:" + opened + ":appstream://com.zentrik.TidenhubLite\n"}};
        for (const QStringList& road : roads) {
            const QString out = drive(env, road, QStringLiteral("phone"), handlers);
            QVERIFY2(out.endsWith(QLatin1String("exit 0")), qPrintable(out.right(2000)));
        }
    }
};

KORVANE_REGISTER_TEST(TestPagesEndToEnd);
#include "tst_PagesEndToEnd.moc"
