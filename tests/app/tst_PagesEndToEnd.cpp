#include "TestEnvironment.h"
#include "TestMain.h"
#include "VirtualDisplay.h"

#include <QProcess>
#include <QSettings>
#include <QTest>

// The settings page in the real window, driven by the controls' accessible
// names as a screen reader would: a unit chosen there is stored and shows on
// the gauge once the page closes.
class TestPagesEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void chooseUnitOverAccessibility()
    {
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {"-c", "import pyatspi"}) != 0)
            QSKIP("python3-pyatspi is not installed (scripts/install-deps installs it)");
        TestEnvironment env;
        VirtualDisplay display;
        QVERIFY2(!display.name().isEmpty(), qPrintable(display.error()));
        QProcessEnvironment onScreen = env.appEnvironment();
        onScreen.insert(QStringLiteral("DISPLAY"), display.name());
        onScreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        onScreen.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

        QProcess driver;
        driver.setProcessEnvironment(onScreen);
        driver.start(QStringLiteral("dbus-run-session"),
                     {"--", "/usr/bin/python3",
                      TestEnvironment::sourcePath(QStringLiteral("tests/app/drive_settings_page.py")),
                      "mph", "MPH", TestEnvironment::binaryPath(QStringLiteral("korvane")),
                      "--device", "phone", "--source", "demo", "--locale", "en_AU"});
        QVERIFY(driver.waitForFinished(120000));
        const QString out = QString::fromUtf8(driver.readAllStandardOutput());
        const QString err = QString::fromUtf8(driver.readAllStandardError());
        QVERIFY2(driver.exitCode() == 0, qPrintable(out + err));
        QVERIFY2(out.contains(QLatin1String("face: Speed dial, MPH")), qPrintable(out + err));
        QSettings stored(env.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("speedUnit")).toInt(), 1);
    }
};

KORVANE_REGISTER_TEST(TestPagesEndToEnd);
#include "tst_PagesEndToEnd.moc"
