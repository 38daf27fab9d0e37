#include "AlertView.h"
#include "Bundle.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "TestMain.h"
#include "VirtualDisplay.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

const QString kBundleID = QStringLiteral("com.zentrik.korvanevandel.free");
const QString kWindowTitle = QStringLiteral("Korvane Vandel");
constexpr int kProcessWaitMs = 180000; // generous for sanitizer builds

const QString kAlert = QStringLiteral("alert: Rate Korvane Vandel | If you enjoy using Korvane "
                                      "Vandel, would you mind taking a moment to rate it? "
                                      "It won\u2019t take more than a minute. Thanks for your "
                                      "support! | No, Thanks / Rate It Now / Remind Me Later");
const QString kTooEarly = QStringLiteral(
    "RatePrompt did not prompt for rating because the app was first used less than 2 days ago");
const QString kDeclined = QStringLiteral(
    "RatePrompt did not prompt for rating because the user has declined to rate the app");

QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// What the store says about us: this very version, in a genre other than
// games.
QByteArray storeRecord()
{
    const QJsonObject record{{"bundleId", kBundleID},
                             {"trackId", 4711},
                             {"primaryGenreId", 6013},
                             {"trackName", "Korvane Vandel"},
                             {"version", Bundle::shortVersionString()}};
    return QJsonDocument(QJsonObject{{"resultCount", 1}, {"results", QJsonArray{record}}})
        .toJson(QJsonDocument::Compact);
}

} // namespace

// The rating prompt of the real binary over several processes: uses are
// counted per launch in the settings file, the decisions show in the verbose
// log, the alert comes up on the sixth launch two days on, and a decline
// clicked in the real window keeps it away for good.
class TestRatingEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<LoopbackHttpServer> server;

    struct Run {
        QStringList out;
        QStringList err;
    };

    QProcessEnvironment environment() const
    {
        QProcessEnvironment e = env->appEnvironment();
        e.insert(QStringLiteral("KORVANE_LOOKUP_URL"), server->baseUrl().toString());
        return e;
    }
    static QStringList arguments(const QString& replaySpeed)
    {
        return {"--source", "demo",     "--replay-speed", replaySpeed, "--verbose",
                "--locale", "en_US",    "--device",       "phone"};
    }
    QString lookupLine(const QString& query) const
    {
        return QStringLiteral(
                   "RatePrompt is checking %1/US/lookup?%2 to retrieve the App Store details...")
            .arg(server->baseUrl().toString(), query);
    }
    // The log of a launch whose own lookup learns the identifier; a lookup
    // started for the prompt may run after it (by identifier then) or find
    // it still running and say nothing.
    QStringList withoutPromptLookup(QStringList err) const
    {
        err.removeOne(lookupLine(QStringLiteral("id=4711")));
        return err;
    }
    QStringList expectedLog(const QStringList& decision) const
    {
        return QStringList{
                   lookupLine(QStringLiteral("bundleId=") + kBundleID),
                   QStringLiteral("RatePrompt found the app on iTunes. The App Store ID is 4711")} +
               decision;
    }
    static QStringList sorted(QStringList lines)
    {
        // The lookup logs from its own thread, so only the set of lines is
        // fixed, not how the two threads interleave.
        lines.sort();
        return lines;
    }

    // One launch on the offscreen platform, to the end of the demo drive.
    Run launch()
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(TestEnvironment::binaryPath(QStringLiteral("korvane")), arguments("200")
                                                                            << "--quit-at-end");
        if (!p.waitForFinished(kProcessWaitMs)) {
            p.kill();
            p.waitForFinished();
            return {{}, {QStringLiteral("did not finish")}};
        }
        Run run{linesOf(p.readAllStandardOutput()), linesOf(p.readAllStandardError())};
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            run.err << QStringLiteral("exit code %1").arg(p.exitCode());
        // The offscreen read-out is not what this test is about.
        run.out.removeIf(
            [](const QString& line) { return line.startsWith(QLatin1String("speed ")); });
        return run;
    }

    QVariant stored(const QString& key) const
    {
        QSettings s(env->settingsFile(), QSettings::IniFormat);
        return s.value(key);
    }
    QDateTime storedFirstUse() const
    {
        return QDateTime::fromString(stored(QStringLiteral("RatePromptFirstUsed")).toString(),
                                     Qt::ISODateWithMs);
    }
    // What passing time does to the file between two launches: the first use
    // lies further back.
    void moveFirstUseBack(qint64 seconds)
    {
        const QDateTime first = storedFirstUse();
        QVERIFY(first.isValid());
        QSettings s(env->settingsFile(), QSettings::IniFormat);
        s.setValue(QStringLiteral("RatePromptFirstUsed"),
                   first.addSecs(-seconds).toUTC().toString(Qt::ISODateWithMs));
        s.sync();
        QCOMPARE(s.status(), QSettings::NoError);
    }

    // The centre of the decline button in the phone window, laid out by the
    // same alert code with the font the app gets on X11 (the generic theme's
    // 9 pt sans serif), since the offscreen platform here defaults to another.
    static QPoint declineButtonCentre()
    {
        const QFont previous = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
        QWidget window;
        window.resize(320, 568);
        AlertView::setHostWindow(&window);
        auto* alert = new AlertView(
            QStringLiteral("Rate Korvane Vandel"), kAlert.section(QLatin1String(" | "), 1, 1),
            nullptr, QStringLiteral("No, Thanks"),
            {QStringLiteral("Rate It Now"), QStringLiteral("Remind Me Later")});
        alert->show();
        window.show();
        QPoint centre;
        if (auto* button = alert->findChild<QPushButton*>(QStringLiteral("alertButton0")))
            centre = button->mapTo(&window, button->rect().center());
        AlertView::setHostWindow(nullptr);
        delete alert;
        QApplication::setFont(previous);
        return centre;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        server = std::make_unique<LoopbackHttpServer>();
        server->setHandler([body = storeRecord()](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response response{200, body};
            response.extraHeaders = "Cache-Control: max-age=3600\r\n";
            return response;
        });
    }
    void cleanup()
    {
        server.reset();
        env.reset();
    }

    void sixLaunchesOverTwoDaysThenDecline()
    {
        const QString version = Bundle::shortVersionString();
        QDateTime firstUse;
        for (int i = 1; i <= 5; ++i) {
            const Run run = launch();
            const QString at = QStringLiteral("launch %1:\n%2\n%3")
                                   .arg(i)
                                   .arg(run.out.join(u'\n'), run.err.join(u'\n'));
            QVERIFY2(run.out.isEmpty(), qPrintable(at));
            QVERIFY2(sorted(run.err) == sorted(expectedLog({kTooEarly})), qPrintable(at));
            QCOMPARE(stored("RatePromptUseCount").toInt(), i);
            QCOMPARE(stored("RatePromptLastVersionUsed").toString(), version);
            // Only the first launch of the version sets the first use.
            if (i > 1)
                QCOMPARE(storedFirstUse(), firstUse);
            moveFirstUseBack(2 * 86400 / 5);
            firstUse = storedFirstUse();
        }

        // Two days after the first use, the sixth launch asks.
        Run run = launch();
        QCOMPARE(run.out, QStringList{kAlert});
        QCOMPARE(sorted(withoutPromptLookup(run.err)), sorted(expectedLog({})));
        QCOMPARE(stored("RatePromptUseCount").toInt(), 6);
        // The answer of the first launch was kept for its hour and served
        // every later one.
        const auto requests = server->requests();
        QVERIFY(!requests.isEmpty());
        QCOMPARE(requests.first().target, "/US/lookup?bundleId=" + kBundleID.toLatin1());
        QCOMPARE(std::count_if(requests.begin(), requests.end(),
                               [](const auto& r) { return r.target.contains("bundleId="); }),
                 1);

        // Unanswered, it comes again; this time the user declines in the
        // real window.
        VirtualDisplay display;
        QVERIFY2(!display.name().isEmpty(), qPrintable(display.error()));
        QProcessEnvironment onScreen = environment();
        onScreen.insert(QStringLiteral("DISPLAY"), display.name());
        onScreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // The desktop's own theme, style or scaling would lay the alert out
        // differently from the copy the click position is taken from.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "QT_QPA_PLATFORMTHEME",
                                 "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                 "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING"})
            onScreen.remove(QString::fromLatin1(name));
        QProcess app;
        app.setProcessEnvironment(onScreen);
        // At the recorded pace the drive outlasts the test; the app is ended
        // once the answer is in.
        app.start(TestEnvironment::binaryPath(QStringLiteral("korvane")), arguments("1"));
        QByteArray out;
        QByteArray err;
        while (!out.contains("alert: ")) {
            const bool more = app.waitForReadyRead(kProcessWaitMs);
            out += app.readAllStandardOutput();
            err += app.readAllStandardError();
            QVERIFY2(more, err.constData());
        }
        QCOMPARE(linesOf(out), QStringList{kAlert});

        // The answer is written at once, replacing the settings file, so its
        // folder changes.
        QFileSystemWatcher watcher({QFileInfo(env->settingsFile()).path()});
        QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
        QVERIFY2(display.click(kWindowTitle, declineButtonCentre()), qPrintable(display.error()));
        const QStringList answerKeys{"RatePromptDeclinedVersion", "RatePromptRatedVersionChecked",
                                     "RatePromptLastReminded"};
        while (std::none_of(answerKeys.begin(), answerKeys.end(),
                            [this](const QString& key) { return stored(key).isValid(); }))
            QVERIFY2(changed.wait(kProcessWaitMs), "no answer written");
        QCOMPARE(stored("RatePromptDeclinedVersion").toString(), version);
        QVERIFY(stored("RatePromptRatedVersionChecked").isNull());
        QVERIFY(stored("RatePromptLastReminded").isNull());
        app.terminate();
        QVERIFY(app.waitForFinished(kProcessWaitMs));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        err += app.readAllStandardError();
        QCOMPARE(sorted(withoutPromptLookup(linesOf(err))), sorted(expectedLog({})));
        QCOMPARE(stored("RatePromptUseCount").toInt(), 7);

        // The next launch, however long after, asks no more.
        moveFirstUseBack(30 * 86400);
        run = launch();
        QVERIFY2(run.out.isEmpty(), qPrintable(run.out.join(u'\n')));
        QCOMPARE(sorted(run.err), sorted(expectedLog({kDeclined})));
        QCOMPARE(stored("RatePromptUseCount").toInt(), 8);
    }
};

KORVANE_REGISTER_TEST(TestRatingEndToEnd);
#include "tst_RatingEndToEnd.moc"
