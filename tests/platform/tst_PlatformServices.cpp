#include "Application.h"
#include "Preferences.h"
#include "RepeatingTimer.h"
#include "SchemeHandlers.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
struct RecordingDelegate : ApplicationDelegate {
    QStringList calls;
    void applicationDidBecomeActive() override { calls << "active"; }
    void applicationWillResignActive() override { calls << "resign"; }
    void applicationDidEnterBackground() override { calls << "background"; }
    void applicationWillEnterForeground() override { calls << "foreground"; }
};

struct Step {
    Qt::ApplicationState state;
    bool onScreen;
};
} // namespace
Q_DECLARE_METATYPE(QList<Step>)

class TestPlatformServices : public QObject {
    Q_OBJECT

private slots:
    void desktopTargets_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("softwareCentre");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("fallback");
        const QString vandel("appstream://com.zentrik.KorvaneVandel");
        const QString vandelWeb("https://flathub.org/apps/com.zentrik.KorvaneVandel");
        QTest::newRow("store page to the software centre")
            << QUrl("itms-apps://itunes.apple.com/app/id436352457?mt=8") << true << vandel
            << vandelWeb;
        QTest::newRow("no software centre: its web page")
            << QUrl("itms-apps://itunes.apple.com/app/id436352457?mt=8") << false << vandelWeb
            << QString();
        QTest::newRow("paid edition")
            << QUrl("itms-apps://itunes.apple.com/app/id431496713?mt=8") << true
            << QString("appstream://com.zentrik.KorvaneOstrin")
            << QString("https://flathub.org/apps/com.zentrik.KorvaneOstrin");
        QTest::newRow("web twin with a country")
            << QUrl("http://itunes.apple.com/AU/app/id479103822?mt=8") << true
            << QString("appstream://com.zentrik.TidenhubLite")
            << QString("https://flathub.org/apps/com.zentrik.TidenhubLite");
        QTest::newRow("appstream link from a page")
            << QUrl("appstream://com.zentrik.Nordweiser") << false
            << QString("https://flathub.org/apps/com.zentrik.Nordweiser") << QString();
        QTest::newRow("unknown app: the store's web twin")
            << QUrl("itms://itunes.apple.com/app/id1") << true
            << QString("https://itunes.apple.com/app/id1") << QString();
        QTest::newRow("unknown component untouched")
            << QUrl("appstream://org.example.other") << true
            << QString("appstream://org.example.other") << QString();
        QTest::newRow("web page untouched")
            << QUrl("http://example.org/a?b=c") << true << QString("http://example.org/a?b=c")
            << QString();
        QTest::newRow("mail untouched") << QUrl("mailto:someone@example.org?subject=Hi") << true
                                        << QString("mailto:someone@example.org?subject=Hi")
                                        << QString();
    }
    void desktopTargets()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, softwareCentre);
        QFETCH(QString, first);
        QFETCH(QString, fallback);
        const Application::DesktopTargets targets =
            Application::desktopTargets(url, softwareCentre);
        QCOMPARE(targets.first, first);
        QCOMPARE(targets.fallback, fallback);
    }

    // Files as (path, text) pairs below a root with config/ and etc/ as the
    // config folders and data/ and usr/ as the data folders.
    void schemeHandlerLookup_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("handler");
        const QString app = "[Desktop Entry]\nType=Application\nExec=/bin/sh %u\n";
        const QString choose = "[Default Applications]\nx-scheme-handler/mailto=%1\n";
        QTest::newRow("the current desktop's choice first")
            << QStringList{"config/test-mimeapps.list", choose.arg("a.desktop"),
                           "config/mimeapps.list", choose.arg("b.desktop"),
                           "data/applications/a.desktop", app, "usr/applications/b.desktop", app}
            << "a.desktop";
        QTest::newRow("a removed application's choice is passed over")
            << QStringList{"config/mimeapps.list", choose.arg("gone.desktop;b.desktop;"),
                           "usr/applications/b.desktop", app}
            << "b.desktop";
        QTest::newRow("a program that is not installed, then the cache")
            << QStringList{"config/mimeapps.list", choose.arg("a.desktop"),
                           "data/applications/a.desktop",
                           "[Desktop Entry]\nExec=\"/nonexistent/mail\" %u\n",
                           "usr/applications/mimeinfo.cache",
                           "[MIME Cache]\nx-scheme-handler/mailto=c.desktop;\n",
                           "usr/applications/c.desktop", app}
            << "c.desktop";
        QTest::newRow("vendor folder, added association")
            << QStringList{"etc/mimeapps.list",
                           "[Added Associations]\nx-scheme-handler/mailto=vendor-mail.desktop;\n",
                           "usr/applications/vendor/mail.desktop", app}
            << "vendor-mail.desktop";
        QTest::newRow("no cache: what the application declares")
            << QStringList{"usr/applications/d.desktop",
                           app + "MimeType=text/plain;x-scheme-handler/mailto;\n"}
            << "d.desktop";
        QTest::newRow("similar names, a hidden handler: none")
            << QStringList{"config/mimeapps.list",
                           "[Default Applications]\nx-scheme-handler/mailtox=a.desktop\n"
                           "[Other]\nx-scheme-handler/mailto=a.desktop\n",
                           "data/applications/a.desktop", app + "MimeType=x-scheme-handler/mailto2;\n",
                           "usr/applications/h.desktop",
                           app + "Hidden=true\nMimeType=x-scheme-handler/mailto;\n"}
            << QString();
    }
    void schemeHandlerLookup()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, handler);
        QTemporaryDir root;
        for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
            const QString path = root.filePath(files[i]);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(files[i + 1].toUtf8());
        }
        SchemeHandlers::Folders folders;
        folders.configDirs = QStringList{root.filePath("config"), root.filePath("etc")};
        folders.dataDirs = QStringList{root.filePath("data"), root.filePath("usr")};
        folders.desktops = QStringList{"test"};
        QCOMPARE(SchemeHandlers::defaultHandler("x-scheme-handler/mailto", folders), handler);
    }

    // Trip saving and the rating's use count hang on telling a focus change
    // from leaving the screen.
    void lifecycle_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("returns");
        QTest::newRow("focus to another window and back")
            << QList<Step>{{Qt::ApplicationInactive, true}, {Qt::ApplicationActive, true}}
            << QStringList{"resign", "active"} << 0;
        QTest::newRow("minimised and restored")
            << QList<Step>{{Qt::ApplicationInactive, false}, {Qt::ApplicationActive, true}}
            << QStringList{"resign", "background", "foreground", "active"} << 1;
        QTest::newRow("focus lost, then hidden")
            << QList<Step>{{Qt::ApplicationInactive, true}, {Qt::ApplicationHidden, false},
                           {Qt::ApplicationActive, true}}
            << QStringList{"resign", "background", "foreground", "active"} << 1;
        QTest::newRow("suspended twice is one background")
            << QList<Step>{{Qt::ApplicationSuspended, false}, {Qt::ApplicationSuspended, false}}
            << QStringList{"resign", "background"} << 0;
    }
    void lifecycle()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, calls);
        QFETCH(int, returns);
        Application& app = Application::shared();
        app.becomeActive();
        RecordingDelegate delegate;
        app.setDelegate(&delegate);
        QSignalSpy foreground(&app, &Application::willEnterForeground);
        for (const Step& step : steps)
            app.handleQtState(step.state, step.onScreen);
        const int counted = int(foreground.count());
        app.setDelegate(nullptr);
        app.becomeActive();
        QCOMPARE(delegate.calls, calls);
        QCOMPARE(counted, returns);
    }

    void minimisingTheWindowIsBackground()
    {
        Application& app = Application::shared();
        QWidget window;
        app.setMainWindow(&window);
        window.show();
        app.becomeActive();
        window.showMinimized();
        QCOMPARE(app.applicationState(), Application::State::Background);
        app.setMainWindow(nullptr);
        app.becomeActive();
    }

    // The window's turns, told once each and only once laid out: a square
    // is landscape, a resize that keeps the aspect says nothing.
    void orientationFollowsTheWindow_data()
    {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::addColumn<QList<int>>("told");
        QTest::newRow("turn and back")
            << QList<QSize>{{768, 1024}, {1024, 768}, {768, 1024}} << QList<int>{3, 1};
        QTest::newRow("square is landscape") << QList<QSize>{{600, 800}, {700, 700}} << QList<int>{3};
        QTest::newRow("same aspect, other size")
            << QList<QSize>{{360, 720}, {320, 568}, {1280, 1600}} << QList<int>{};
    }
    void orientationFollowsTheWindow()
    {
        QFETCH(QList<QSize>, sizes);
        QFETCH(QList<int>, told);
        Application& app = Application::shared();
        QWidget window;
        window.resize(sizes.takeFirst());
        window.show();
        app.setMainWindow(&window);
        QSignalSpy turns(&app, &Application::statusBarOrientationDidChange);
        for (const QSize& size : sizes) {
            window.resize(size);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
        QList<int> heard;
        for (const QList<QVariant>& turn : turns)
            heard << turn.at(0).toInt();
        app.setMainWindow(nullptr);
        QCOMPARE(heard, told);
    }

    // An animation that ends by starting the next one from its own tick.
    void tickRestartingTheTimer()
    {
        RepeatingTimer timer;
        int first = 0;
        int second = 0;
        std::function<void()> secondTick = [&] { ++second; };
        timer.start(0.001, [&, secondTick] {
            ++first;
            timer.stop();
            timer.start(0.001, secondTick);
            // Still inside the replaced callback: its captures must live.
            QCOMPARE(first, 1);
        });
        QTRY_VERIFY(second > 0);
        QCOMPARE(first, 1);
        QVERIFY(timer.stop());
        QVERIFY(!timer.stop());
    }

    // Timers of one interval tick in one beat, whenever the second starts;
    // one that starts or stops inside a tick changes nothing for the rest,
    // and a timer destroyed by another's tick is not called.
    void timersShareABeat_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("second starts between beats") << "between";
        QTest::newRow("second starts in the first's tick") << "inTick";
        QTest::newRow("first destroys the second in its tick") << "destroy";
    }
    void timersShareABeat()
    {
        QFETCH(QString, how);
        constexpr double interval = 0.005;
        QString log;
        RepeatingTimer first;
        auto second = std::make_unique<RepeatingTimer>();
        int firstTicks = 0;
        // A running loop, not QTRY: its sleeps between passes would let both
        // timers fall due together.
        QEventLoop loop;
        const auto startSecond = [&] {
            second->start(interval, [&] { log += u'b'; });
            log += u'+';
        };
        first.start(interval, [&] {
            log += u'a';
            ++firstTicks;
            // Marks the return to the event loop: a beat of its own for the
            // second timer would come after it.
            QMetaObject::invokeMethod(qApp, [&log] { log += u'|'; }, Qt::QueuedConnection);
            if (how == u"inTick" && firstTicks == 2)
                startSecond();
            if (how == u"destroy" && firstTicks == 6)
                second.reset();
            if (firstTicks == 12)
                loop.quit();
        });
        if (how != u"inTick")
            QTimer::singleShot(3, startSecond);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(firstTicks, 12);
        first.stop();
        if (second)
            QVERIFY(second->stop());
        QCoreApplication::sendPostedEvents();
        // After the start mark, each beat is "ab|", except that the first
        // beat after the start may be the first timer's alone.
        const qsizetype started = log.indexOf(u'+');
        QVERIFY2(started >= 0, qPrintable(log));
        QString after = log.mid(started + 1);
        if (after.startsWith(QLatin1String("|")))
            after.remove(0, 1);
        if (after.startsWith(QLatin1String("a|")))
            after.remove(0, 2);
        if (how == u"destroy") {
            const qsizetype gone = after.lastIndexOf(u'b') + 2;
            QVERIFY2(!after.mid(gone).contains(u'b') && after.mid(gone).count(u'a') >= 4,
                     qPrintable(log));
            after.truncate(gone);
        }
        QVERIFY2(!after.isEmpty() && after == QString(QStringLiteral("ab|")).repeated(after.size() / 3),
                 qPrintable(log));
    }

    // Writes asked for in a batch reach the file together when it ends.
    void batchedWrites()
    {
        TestEnvironment env;
        Preferences& prefs = Preferences::shared();
        prefs.reload();
        // The file's text: a QSettings on it would share the process's
        // unwritten values.
        const auto onDisk = [&env] {
            QFile file(env.settingsFile());
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        {
            const Preferences::Batch outer;
            prefs.setString("a", "1");
            prefs.synchronize();
            {
                const Preferences::Batch inner;
                prefs.setString("b", "2");
                prefs.synchronize();
            }
            QVERIFY(!onDisk().contains(QLatin1String("a=1")));
            QCOMPARE(prefs.getString("b"), QStringLiteral("2"));
        }
        QVERIFY2(onDisk().contains(QLatin1String("a=1")) && onDisk().contains(QLatin1String("b=2")),
                 qPrintable(onDisk()));
        prefs.reload();
    }

    // A stored date is one the app could have written (ISO text, years 0 to
    // 9999), else the caller's default: a date beyond would be lost at the
    // next write and runs every day count off its scale.
    void storedDates_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QDateTime>("read");
        const QDateTime fallback(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
        const QDateTime day(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC);
        QTest::newRow("ISO text") << QVariant(day.toString(Qt::ISODateWithMs)) << day;
        QTest::newRow("not a date") << QVariant("soon") << fallback;
        QTest::newRow("a date value") << QVariant(day) << day;
        QTest::newRow("year 123456")
            << QVariant(QDateTime(QDate(123456, 1, 1), QTime(0, 0), Qt::UTC)) << fallback;
        QTest::newRow("before year 0")
            << QVariant(QDateTime(QDate(-40, 1, 1), QTime(0, 0), Qt::UTC)) << fallback;
    }
    void storedDates()
    {
        QFETCH(QVariant, stored);
        QFETCH(QDateTime, read);
        TestEnvironment env;
        {
            QSettings file(env.settingsFile(), QSettings::IniFormat);
            file.setValue("RatePromptFirstUsed", stored);
        }
        Preferences::shared().reload();
        const QDateTime fallback(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
        QCOMPARE(Preferences::shared().getDate("RatePromptFirstUsed", fallback), read);
        Preferences::shared().reload();
    }

    // Text goes through the file unchanged, written by us and read by Qt's
    // own INI reader, and written by Qt and read by us: files of earlier
    // versions keep their values.
    void settingsText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("version") << "1.0.3";
        QTest::newRow("separators") << "a, b; c=d";
        QTest::newRow("spaces kept") << "  spaced  ";
        QTest::newRow("escapes") << "back\\slash \"quoted\" line\nbreak\ttab";
        QTest::newRow("leading @") << "@Variant(not one)";
        QTest::newRow("unicode") << QString::fromUtf8("Zürich ✓ 東京");
        QTest::newRow("empty") << "";
    }
    void settingsText()
    {
        QFETCH(QString, value);
        TestEnvironment env;
        Preferences& prefs = Preferences::shared();
        prefs.reload();
        prefs.setString("ours", value);
        prefs.synchronize();
        {
            QSettings qt(env.settingsFile(), QSettings::IniFormat);
            QCOMPARE(qt.value("ours").toString(), value);
            qt.setValue("theirs", value);
        }
        prefs.reload();
        QCOMPARE(prefs.getString("ours"), value);
        QCOMPARE(prefs.getString("theirs"), value);
        prefs.reload();
    }

    // A damaged file whose values claim to be serialised Qt types (one of
    // them of some gigabytes, found by fuzzing) reads as text, and the
    // numbers as their defaults.
    void hostileSettingsFile()
    {
        TestEnvironment env;
        QDir().mkpath(QFileInfo(env.settingsFile()).path());
        QFile file(env.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromBase64(
            "NDQ0ND1AVmFyaWFudChcMFwwXDBcdD1AVmFyaWFudChcMFwwXDBcbnR4MSlceDEpCjJsPXgyXHgxZFxrZWVk"
            "VW49QFZhcmFpbnQoXDBpXDBcMFx4MVx4MSkKbAMgAAAAAAAAaXN0S3RlZFxrZXk9MWVAVmFyaWFudChcMFww"
            "XDBcbnR4MSlceDEpCjJsMzA4CrlPdGhlcl0KCgp4PW5hbgo="));
        file.close();
        Preferences& prefs = Preferences::shared();
        prefs.reload();
        QCOMPARE(prefs.getInt("4444", 2), 2);
        QVERIFY(prefs.getString("4444").startsWith(u"@Variant("));
        QCOMPARE(prefs.getDouble("x", 1.0), 1.0);
        prefs.reload();
    }
};

KORVANE_REGISTER_TEST(TestPlatformServices);
#include "tst_PlatformServices.moc"
