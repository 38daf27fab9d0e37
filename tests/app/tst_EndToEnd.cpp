#include "TestEnvironment.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
// One NMEA sentence with its checksum.
QByteArray sentence(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray degrees(double value, int width)
{
    const int whole = int(value);
    return QByteArray::number(whole).rightJustified(width, '0') +
           QByteArray::number((value - whole) * 60.0, 'f', 4).rightJustified(7, '0');
}
} // namespace

// Runs the real binary on the offscreen platform and reads what it leaves.
class TestEndToEnd : public QObject {
    Q_OBJECT

    static QString binary() { return TestEnvironment::binaryPath(QStringLiteral("korvane")); }

    static QProcessEnvironment environment(const TestEnvironment& env)
    {
        return env.appEnvironment();
    }

    // Starts the binary with a read-only tmpfs on `dir`, in a mount namespace
    // of its own so nothing outside the run sees it. Exit code 77: this
    // machine allows no such mount.
    static void startOnReadOnlyMount(QProcess& p, const QString& dir, const QStringList& args)
    {
        QVERIFY(QDir().mkpath(dir));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        p.start(QStringLiteral("unshare"),
                QStringList{"-m", "sh", "-c",
                            "mount -t tmpfs -o ro,mode=0700 tmpfs \"$0\" 2>/dev/null || exit 77; "
                            "exec \"$@\"",
                            dir, binary()} +
                    args);
    }

    static double storedTrip(const TestEnvironment& env)
    {
        QSettings s(env.settingsFile(), QSettings::IniFormat);
        return s.value(QStringLiteral("distanceTraveled_Meter"), -1).toDouble();
    }

private slots:
    // The browser module is taken from beside the binary or from where the
    // variable says, never from the build tree a copied binary came from.
    void browserModuleBesideTheBinaryOnly_data()
    {
        QTest::addColumn<bool>("copied");
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("loads");
        QTest::newRow("the build tree's binary") << false << false << true;
        QTest::newRow("a copy elsewhere") << true << false << false;
        QTest::newRow("a copy, the module named") << true << true << true;
    }
    void browserModuleBesideTheBinaryOnly()
    {
        QFETCH(bool, copied);
        QFETCH(bool, named);
        QFETCH(bool, loads);
        TestEnvironment env;
        QString program = binary();
        if (copied) {
            program = env.path() + QStringLiteral("/bin/korvane");
            QVERIFY(QDir().mkpath(env.path() + QStringLiteral("/bin")));
            QVERIFY(QFile::copy(binary(), program));
        }
        QProcessEnvironment e = environment(env);
        e.remove(QStringLiteral("KORVANE_WEBENGINE_MODULE"));
        if (named)
            e.insert(QStringLiteral("KORVANE_WEBENGINE_MODULE"),
                     TestEnvironment::binaryPath(QStringLiteral("korvane_webengine.so")));
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(program, {"--source", "demo", "--replay-speed", "1000", "--quit-at-end", "--page", "web:2"});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(QLatin1String("web pages are unavailable")) != loads, qPrintable(err));
    }

    void demoDriveToTheEnd()
    {
        TestEnvironment env;
        QProcess p;
        p.setProcessEnvironment(environment(env));
        p.start(binary(), {"--source", "demo", "--replay-speed", "200", "--quit-at-end", "--locale",
                           "de_DE"});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(out.contains(QLatin1String("km/h")), qPrintable(out));
        const double trip = storedTrip(env);
        QVERIFY2(trip > 1000.0, qPrintable(QString::number(trip)));

        // A second run adds to the stored trip.
        QProcess again;
        again.setProcessEnvironment(environment(env));
        again.start(binary(), {"--source", "demo", "--replay-speed", "200", "--quit-at-end"});
        QVERIFY(again.waitForFinished(120000));
        QCOMPARE(again.exitCode(), 0);
        QVERIFY(storedTrip(env) > trip * 1.9);
    }

    // A second launch shows the running one and writes nothing; once the
    // first is gone (even killed), the next launch runs.
    void oneInstancePerUser()
    {
        TestEnvironment env;
        const QProcessEnvironment e = environment(env);
        QProcess first;
        first.setProcessEnvironment(e);
        first.start(binary(), {"--source", "demo", "--replay-speed", "1"});
        const QString lock = e.value(QStringLiteral("XDG_RUNTIME_DIR")) +
                             QStringLiteral("/com.zentrik.KorvaneVandel.lock");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);
        const auto settings = [&env] {
            QFile f(env.settingsFile());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        // The first launch has counted its use (its last write at start).
        QTRY_VERIFY_WITH_TIMEOUT(settings().contains("RatePromptUseCount=1"), 20000);
        const QByteArray before = settings();

        QProcess second;
        second.setProcessEnvironment(e);
        second.start(binary(), {"--source", "demo"});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(second.readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(QLatin1String("korvane: already running (process ")),
                 qPrintable(lines[0]));
        QCOMPARE(settings(), before);

        first.kill();
        QVERIFY(first.waitForFinished(20000));
        QProcess third;
        third.setProcessEnvironment(e);
        third.start(binary(), {"--source", "demo", "--replay-speed", "200", "--quit-at-end"});
        QVERIFY(third.waitForFinished(120000));
        QCOMPARE(third.exitCode(), 0);
        QVERIFY(!third.readAllStandardOutput().contains("already running"));
    }

    // Every orderly end writes the trip; an unclean one (SIGKILL: a crash,
    // a cut power supply) loses at most the last minute of driving.
    void tripSavedOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("orderly");
        QTest::newRow("SIGTERM") << int(SIGTERM) << true;
        QTest::newRow("SIGINT") << int(SIGINT) << true;
        QTest::newRow("SIGHUP") << int(SIGHUP) << true;
        QTest::newRow("SIGKILL") << int(SIGKILL) << false;
    }
    void tripSavedOnSignal()
    {
        QFETCH(int, signal);
        QFETCH(bool, orderly);
        TestEnvironment env;
        QProcess p;
        p.setProcessEnvironment(environment(env));
        p.start(binary(), {"--source", "demo", "--replay-speed", "50"});
        QVERIFY(p.waitForStarted());
        // Two status lines mean it has driven over three minutes of the demo.
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += p.readAllStandardOutput()).count("trip") >= 2, 60000);
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), orderly ? QProcess::NormalExit : QProcess::CrashExit);
        // The trip the app showed last, in metres.
        const QString last = QString::fromUtf8(seen).trimmed().section(u'\n', -1);
        const double shownMeters =
            last.section(QLatin1String("trip "), 1).section(u' ', 0, 0).toDouble() * 1000.0;
        constexpr double kMinuteAtTopSpeed = 2500.0; // the demo never exceeds 150 km/h
        QVERIFY2(storedTrip(env) > shownMeters - (orderly ? 1.0 : kMinuteAtTopSpeed),
                 qPrintable(
                     QStringLiteral("%1 stored, %2 shown").arg(storedTrip(env)).arg(shownMeters)));
    }

    // A source that never pauses (a stuck device, /dev/zero) leaves the event
    // loop free: the status line goes on and SIGTERM ends the app at once.
    void endlessSourceStaysResponsive()
    {
        TestEnvironment env;
        QProcess p;
        p.setProcessEnvironment(environment(env));
        p.start(binary(), {"--source", "nmea:/dev/zero"});
        QVERIFY(p.waitForStarted());
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += p.readAllStandardOutput()).contains("trip"), 30000);
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

    // Help, version and usage errors answer before any display is tried:
    // none at all, an X server that is not there, a Wayland socket that
    // refuses. Qt's own options still pass to Qt.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown source")
            << QStringList{"--source", "carrier-pigeon"} << "" << "source" << 2;
        QTest::newRow("missing log") << QStringList{"--source", "nmea:/nonexistent/drive.nmea"}
                                     << "" << "/nonexistent/drive.nmea" << 1;
        QTest::newRow("bad replay speed")
            << QStringList{"--replay-speed", "fast"} << "" << "replay-speed" << 2;
        QTest::newRow("replay speed too slow")
            << QStringList{"--replay-speed", "1e-6"} << "" << "from 0.01 to 1000" << 2;
        QTest::newRow("replay speed too fast")
            << QStringList{"--replay-speed", "1e9"} << "" << "from 0.01 to 1000" << 2;
        QTest::newRow("bad device") << QStringList{"--device", "watch"} << "" << "device" << 2;
        QTest::newRow("bad page") << QStringList{"--page", "garage"} << "" << "page" << 2;
        QTest::newRow("screenshot nowhere")
            << QStringList{"--source",      "demo",         "--replay-speed",       "500",
                           "--quit-at-end", "--screenshot", "/nonexistent/shot.png"}
            << "" << "screenshot" << 1;
        QTest::newRow("help, no display") << QStringList{"--help"} << "none" << "--source" << 0;
        QTest::newRow("help, X unreachable") << QStringList{"--help"} << "x11" << "--source" << 0;
        QTest::newRow("help, Wayland refuses")
            << QStringList{"--help"} << "wayland" << "--source" << 0;
        QTest::newRow("version, X unreachable")
            << QStringList{"--version"} << "x11" << "korvane 1." << 0;
        QTest::newRow("version, Wayland refuses")
            << QStringList{"--version"} << "wayland" << "korvane 1." << 0;
        QTest::newRow("unknown option, X unreachable")
            << QStringList{"--turbo"} << "x11" << "turbo" << 2;
        QTest::newRow("bad device, Wayland refuses")
            << QStringList{"--device", "watch"} << "wayland" << "device" << 2;
        QTest::newRow("Qt's own option")
            << QStringList{"-platform", "offscreen", "--version"} << "" << "korvane 1." << 0;
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, display);
        QFETCH(QString, message);
        QFETCH(int, exitCode);
        TestEnvironment env;
        QProcessEnvironment e = environment(env);
        if (!display.isEmpty())
            e.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (display == u"x11") {
            e.insert(QStringLiteral("DISPLAY"), QStringLiteral(":987"));
        } else if (display == u"wayland") {
            // Connecting to a path that is no listening socket is refused.
            QFile socket(e.value(QStringLiteral("XDG_RUNTIME_DIR")) +
                         QStringLiteral("/wayland-refusing"));
            QVERIFY(socket.open(QIODevice::WriteOnly));
            e.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-refusing"));
            e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        }
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(binary(), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        QCOMPARE(p.exitCode(), exitCode);
        if (exitCode == 0) {
            QVERIFY2(out.contains(message), qPrintable(out));
            QVERIFY2(err.isEmpty(), qPrintable(err));
            return;
        }
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(err.count(u'\n'), 0); // one clear line
        if (exitCode == 2)
            QVERIFY(!QFile::exists(env.settingsFile())); // a usage error touches nothing
    }

    // A receiver that jumps for one epoch (10° N to 55° N) adds nothing: a
    // minute at 20 m/s stays about 1.2 km, not 10,000 km.
    void receiverJumpAddsNothing()
    {
        TestEnvironment env;
        QByteArray log;
        const QTime start(9, 0);
        for (int i = 0; i < 60; ++i) {
            const double lat = i == 30 ? 55.0 : 10.0;
            const double lon = 20.0 + i * 20.0 / 109'639.0;
            log += sentence("GPRMC," + start.addSecs(i).toString("hhmmss").toLatin1() + ".00,A," +
                            degrees(lat, 2) + ",N," + degrees(lon, 3) + ",E,38.88,90.0,180524,,,A");
        }
        const QString path = env.path() + QStringLiteral("/jump.nmea");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(log);
        file.close();
        QProcess p;
        p.setProcessEnvironment(environment(env));
        p.start(binary(), {"--source", "nmea:" + path, "--replay-speed", "1000", "--quit-at-end"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const double trip = storedTrip(env);
        QVERIFY2(trip > 1000.0 && trip < 1300.0, qPrintable(QString::number(trip)));
    }

    // A lock that cannot be taken is not another copy: the app says why and
    // runs, rather than claiming "already running (process 0)" and leaving.
    void lockUnavailableRunsAnyway_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("a folder in the lock's place") << false;
        QTest::newRow("read-only runtime folder (tmpfs)") << true;
    }
    void lockUnavailableRunsAnyway()
    {
        QFETCH(bool, readOnly);
        TestEnvironment env;
        const QProcessEnvironment e = environment(env);
        const QString runtime = e.value(QStringLiteral("XDG_RUNTIME_DIR"));
        const QStringList args{"--source", "demo", "--replay-speed", "1000", "--quit-at-end"};
        QProcess p;
        p.setProcessEnvironment(e);
        if (readOnly) {
            startOnReadOnlyMount(p, runtime, args);
        } else {
            QVERIFY(QDir().mkpath(runtime + QStringLiteral("/com.zentrik.KorvaneVandel.lock")));
            p.start(binary(), args);
        }
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (p.exitCode() == 77 || err.startsWith(QLatin1String("unshare:")))
            QSKIP("no read-only tmpfs can be mounted here (needs a mount namespace)");
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(!out.contains(QLatin1String("already running")), qPrintable(out));
        QVERIFY2(err.contains(QLatin1String("cannot take the single-instance lock")) &&
                     err.contains(QLatin1String("running without it")),
                 qPrintable(err));
        QVERIFY(storedTrip(env) > 1000.0); // it drove
    }

    // Settings that cannot be written are told once on stderr and in the
    // status line; the run goes on. A link to a device is never written
    // through (as root a node of our own stands in for one in /dev).
    void settingsWriteFailureIsTold_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("folder in the file's place") << "folder";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("read-only file") << "read-only";
        QTest::newRow("read-only folder (tmpfs)") << "tmpfs";
    }
    void settingsWriteFailureIsTold()
    {
        QFETCH(QString, obstacle);
        TestEnvironment env;
        const QString file = env.settingsFile();
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QString node = env.path() + QStringLiteral("/node");
        if (obstacle == u"folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (obstacle == u"device") {
            const bool own =
                ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
            QVERIFY(QFile::link(own ? node : QStringLiteral("/dev/null"), file));
        } else if (obstacle == u"read-only") {
            if (::geteuid() == 0)
                QSKIP("root writes to read-only files; the other cases cover a refused write");
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[General]\nfirstInit=false\n");
            f.close();
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }
        const QStringList args{"--source", "demo", "--replay-speed", "1000", "--quit-at-end"};
        QProcess p;
        p.setProcessEnvironment(environment(env));
        if (obstacle == u"tmpfs")
            startOnReadOnlyMount(p, QFileInfo(file).path(), args);
        else
            p.start(binary(), args);
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (p.exitCode() == 77 || err.startsWith(QLatin1String("unshare:")))
            QSKIP("no read-only tmpfs can be mounted here (needs a mount namespace)");
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(err.count(QLatin1String("settings not written")), 1);
        QVERIFY2(out.section(u'\n', -2).contains(QLatin1String("settings not saved")),
                 qPrintable(out));
        if (obstacle == u"device") {
            struct stat st {};
            QVERIFY(::stat(QFile::encodeName(file).constData(), &st) == 0 && S_ISCHR(st.st_mode));
            QVERIFY2(err.contains(QLatin1String("not a regular file")), qPrintable(err));
        }
    }

    // The screen is kept awake while the app runs and let go when it ends,
    // asked of the desktop's screen saver on the session bus.
    void screenLockReleasedAtEnd()
    {
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {"-c", "import dbus, gi"}) != 0)
            QSKIP("python3-dbus and python3-gi are not installed (scripts/install-deps installs "
                  "them)");
        TestEnvironment env;
        QProcessEnvironment e = environment(env);
        e.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        QProcess session;
        session.setProcessEnvironment(e);
        session.start(
            QStringLiteral("dbus-run-session"),
            {"--", "/usr/bin/python3",
             TestEnvironment::sourcePath(QStringLiteral("tests/app/screen_lock_session.py")),
             binary(), "--source", "demo"});
        QVERIFY(session.waitForFinished(90000));
        const QString err = QString::fromUtf8(session.readAllStandardError());
        QCOMPARE(session.exitCode(), 0);
        QStringList calls;
        for (const QString& line : QString::fromUtf8(session.readAllStandardOutput()).split(u'\n'))
            if (line.startsWith(QLatin1String("Inhibit")) ||
                line.startsWith(QLatin1String("UnInhibit")))
                calls << line;
        QVERIFY2(calls == QStringList({"Inhibit com.zentrik.KorvaneVandel", "UnInhibit 4711"}),
                 qPrintable(calls.join(u'|') + u'\n' + err));
    }

    // A Wayland session without X: the app renders natively and quits cleanly.
    void nativeWayland()
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty())
            QSKIP("weston is not installed (scripts/install-deps installs it)");
        TestEnvironment env;
        QProcessEnvironment e = environment(env);
        const QString runtime = e.value(QStringLiteral("XDG_RUNTIME_DIR"));
        QProcess compositor;
        compositor.setProcessEnvironment(e);
        compositor.start(
            weston, {"--backend=headless-backend.so", "--socket=korvane-test", "--idle-time=0"});
        QVERIFY(compositor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime + QStringLiteral("/korvane-test")), 30000);

        e.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("korvane-test"));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        const QString shot = env.path() + QStringLiteral("/wayland.png");
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(binary(), {"--device", "phone", "--source", "demo", "--replay-speed", "500",
                           "--quit-at-end", "--screenshot", shot});
        QVERIFY(p.waitForFinished(60000));
        compositor.terminate();
        compositor.waitForFinished(10000);
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 p.readAllStandardError().constData());
        const QImage image(shot);
        QCOMPARE(image.size(), QSize(320, 568));
        QVERIFY(storedTrip(env) > 1.0);
    }
};

KORVANE_REGISTER_TEST(TestEndToEnd);
#include "tst_EndToEnd.moc"
