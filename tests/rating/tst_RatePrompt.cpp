#include "RatePrompt.h"

#include "AlertView.h"
#include "Application.h"
#include "Bundle.h"
#include "Clock.h"
#include "Localization.h"
#include "LoopbackHttpServer.h"
#include "Preferences.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QNetworkReply>
#include <QSemaphore>
#include <QTest>
#include <QTranslator>
#include <memory>

namespace {

const QString kVersion = QStringLiteral("1.9");
const QString kBundleID = QStringLiteral("com.zentrik.korvanevandel.free");
const QString kTitle = QStringLiteral("Rate Korvane Vandel");
constexpr int kLookupWait = 20000; // ms; generous for sanitizer builds

struct RecordingDelegate : RatePromptDelegate {
    QStringList calls;
    QList<std::optional<RatePromptError>> errors;

    void reset()
    {
        calls.clear();
        errors.clear();
    }
    void RatePromptCouldNotConnectToAppStore(const std::optional<RatePromptError>& error) override
    {
        calls << "couldNotConnect";
        errors << error;
    }
    void RatePromptDidDetectAppUpdate() override { calls << "didDetectAppUpdate"; }
    void RatePromptDidPromptForRating() override { calls << "didPrompt"; }
    void RatePromptUserDidAttemptToRateApp() override { calls << "didAttemptToRate"; }
    void RatePromptUserDidDeclineToRateApp() override { calls << "didDecline"; }
    void RatePromptUserDidRequestReminderToRateApp() override { calls << "didRequestReminder"; }
    void RatePromptDidOpenAppStore() override { calls << "didOpenAppStore"; }
};

// The app's own string table, which wins over the prompt's translations.
class AppStringTable : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "Localizable") == 0 && qstrcmp(source, "RatePromptRateButton") == 0)
            return QStringLiteral("Sterne vergeben");
        return {};
    }
    bool isEmpty() const override { return false; }
};

QByteArray storeAnswer(const QString& bundleId, qint64 trackId = 4711, int genre = 6013,
                       const QString& version = kVersion)
{
    const QJsonObject record{{"bundleId", bundleId},
                             {"trackId", trackId},
                             {"primaryGenreId", genre},
                             {"trackName", "Korvane Vandel"},
                             {"version", version}};
    return QJsonDocument(QJsonObject{{"resultCount", 1}, {"results", QJsonArray{record}}})
        .toJson(QJsonDocument::Compact);
}

QDateTime daysAgo(double days)
{
    return Clock::now().addMSecs(qint64(-days * 86400000.0));
}

} // namespace

Q_DECLARE_METATYPE(std::optional<QString>)

class TestRatePrompt : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<LoopbackHttpServer> server;
    RecordingDelegate delegate;
    QMutex logMutex;
    QStringList logLines;
    QList<QUrl> openedURLs;
    bool openSucceeds = true;

    QStringList logs()
    {
        QMutexLocker lock(&logMutex);
        return logLines;
    }
    void clearLogs()
    {
        QMutexLocker lock(&logMutex);
        logLines.clear();
    }

    // A RatePrompt as the app configures it. Its launch is queued; unless
    // asked to handle it, the queued call is dropped, so waiting for a lookup
    // later cannot run it behind the test's back.
    std::unique_ptr<RatePrompt> makePrompt(bool handleLaunch = false)
    {
        auto prompt = std::make_unique<RatePrompt>();
        prompt->setDaysUntilPrompt(2.0f);
        prompt->setUsesUntilPrompt(6);
        prompt->setVerboseLogging(true);
        prompt->setDelegate(&delegate);
        if (handleLaunch)
            QCoreApplication::sendPostedEvents(prompt.get(), QEvent::MetaCall);
        else
            QCoreApplication::removePostedEvents(prompt.get(), QEvent::MetaCall);
        return prompt;
    }
    // A new process: fresh preferences state, launch handled.
    std::unique_ptr<RatePrompt> launch()
    {
        Preferences::shared().reload();
        return makePrompt(true);
    }
    static bool waitForLookups()
    {
        return QTest::qWaitFor([] { return RatePrompt::lookupsInFlight() == 0; }, kLookupWait);
    }
    void answerWith(const QByteArray& body)
    {
        server->setHandler([body](const LoopbackHttpServer::Request&) {
            return LoopbackHttpServer::Response{200, body};
        });
    }
    static QStringList requestTargets(const LoopbackHttpServer& s)
    {
        QStringList targets;
        for (const auto& r : s.requests())
            targets << QString::fromLatin1(r.target);
        return targets;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        Preferences::shared().reload();
        Clock::set(QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC));
        Localization::setLocaleOverride("en_US");
        Bundle::setVersionOverride(kVersion);
        server = std::make_unique<LoopbackHttpServer>();
        answerWith("{\"resultCount\":0,\"results\":[]}");
        qputenv("KORVANE_LOOKUP_URL", server->baseUrl().toString().toLatin1());
        delegate.reset();
        clearLogs();
        RatePrompt::setLogHandler([this](const QString& line) {
            QMutexLocker lock(&logMutex);
            logLines << line;
        });
        openedURLs.clear();
        openSucceeds = true;
        Application::shared().setOpenURLHandler([this](const QUrl& url) {
            openedURLs << url;
            return openSucceeds;
        });
    }
    void cleanup()
    {
        QVERIFY(waitForLookups());
        for (AlertView* alert : AlertView::visibleAlerts()) {
            alert->setDelegate(nullptr);
            delete alert;
        }
        RatePrompt::setLogHandler({});
        Application::shared().setOpenURLHandler({});
        qunsetenv("KORVANE_LOOKUP_URL");
        server.reset();
        Bundle::setVersionOverride({});
        Localization::setLocaleOverride({});
        Clock::reset();
        env.reset();
    }

    void decision_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("rated");    // version the user rated in
        QTest::addColumn<QString>("declined"); // version the user declined in
        QTest::addColumn<double>("firstUsed"); // days ago; negative: absent
        QTest::addColumn<float>("days");
        QTest::addColumn<int>("uses");
        QTest::addColumn<int>("events");
        QTest::addColumn<float>("perWeek");
        QTest::addColumn<double>("reminded"); // days ago; negative: never
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QString>("log");

        const QString no;
        const QString prefix = QStringLiteral("RatePrompt did not prompt for rating because ");
        QTest::newRow("preview logs even without verbose")
            << true << false << "0.5" << kVersion << -1.0 << 2.0f << 0 << 0 << 0.0f << 0.1 << true
            << "RatePrompt preview mode is enabled - make sure you disable this for release";
        QTest::newRow("rated in an earlier version")
            << false << true << "0.5" << no << 3.0 << 2.0f << 9 << 0 << 0.0f << -1.0 << false
            << prefix + "the user has already rated the app";
        QTest::newRow("negative decisions are silent without verbose")
            << false << false << "0.5" << no << 3.0 << 2.0f << 9 << 0 << 0.0f << -1.0 << false << no;
        QTest::newRow("rating is checked before declining")
            << false << true << kVersion << kVersion << 3.0 << 2.0f << 9 << 0 << 0.0f << -1.0 << false
            << prefix + "the user has already rated the app";
        QTest::newRow("declined in an earlier version")
            << false << true << no << "0.5" << 3.0 << 2.0f << 9 << 0 << 0.0f << -1.0 << false
            << prefix + "the user has declined to rate the app";
        QTest::newRow("no first use") << false << true << no << no << -1.0 << 2.0f << 9 << 0 << 0.0f << -1.0
                                      << false << prefix + "this is the first time the app has been launched";
        QTest::newRow("no first use, no day or week rule")
            << false << true << no << no << -1.0 << 0.0f << 9 << 0 << 0.0f << -1.0 << true << no;
        QTest::newRow("first used too recently") << false << true << no << no << 1.99 << 2.0f << 9 << 0 << 0.0f
                                                 << -1.0 << false
                                                 << prefix + "the app was first used less than 2 days ago";
        QTest::newRow("too few uses and events")
            << false << true << no << no << 2.0 << 2.0f << 5 << 9 << 0.0f << -1.0 << false
            << prefix + "the app has only been used 5 times and only 9 events have been logged";
        QTest::newRow("six uses suffice") << false << true << no << no << 2.0 << 2.0f << 6 << 0 << 0.0f << -1.0
                                          << true << no;
        QTest::newRow("too few uses per week")
            << false << true << no << no << 14.0 << 2.0f << 7 << 0 << 4.0f << -1.0 << false
            << prefix + "the app has only been used 3.5 times per week on average since it was installed";
        QTest::newRow("reminded within the period")
            << false << true << no << no << 5.0 << 2.0f << 9 << 0 << 0.0f << 0.99 << false
            << prefix + "the user last asked to be reminded less than 1 days ago";
        QTest::newRow("remind period over") << false << true << no << no << 5.0 << 2.0f << 9 << 0 << 0.0f << 1.0
                                            << true << no;
    }
    void decision()
    {
        QFETCH(bool, preview);
        QFETCH(bool, verbose);
        QFETCH(QString, rated);
        QFETCH(QString, declined);
        QFETCH(double, firstUsed);
        QFETCH(float, days);
        QFETCH(int, uses);
        QFETCH(int, events);
        QFETCH(float, perWeek);
        QFETCH(double, reminded);
        QFETCH(bool, expected);
        QFETCH(QString, log);

        Preferences& p = Preferences::shared();
        p.setString("RatePromptLastVersionUsed", kVersion);
        if (!rated.isEmpty())
            p.setString("RatePromptRatedVersionChecked", rated);
        if (!declined.isEmpty())
            p.setString("RatePromptDeclinedVersion", declined);
        if (firstUsed >= 0)
            p.setDate("RatePromptFirstUsed", daysAgo(firstUsed));
        if (reminded >= 0)
            p.setDate("RatePromptLastReminded", daysAgo(reminded));
        p.setInt("RatePromptUseCount", uses);
        p.setInt("RatePromptEventCount", events);

        auto prompt = makePrompt();
        prompt->setPreviewMode(preview);
        prompt->setVerboseLogging(verbose);
        prompt->setDaysUntilPrompt(days);
        prompt->setUsesPerWeekForPrompt(perWeek);
        QCOMPARE(prompt->shouldPromptForRating(), expected);
        QCOMPARE(logs(), log.isEmpty() ? QStringList() : QStringList{log});
        QCOMPARE(prompt->usesCount(), uses);
    }

    void firstLaunchAndVersionChange()
    {
        auto prompt = launch();
        QCOMPARE(prompt->usesCount(), 1);
        QCOMPARE(prompt->firstUsed(), Clock::now());
        QCOMPARE(delegate.calls, QStringList{"didDetectAppUpdate"});
        QVERIFY(logs().contains("RatePrompt did not prompt for rating because the app was first used less than 2 "
                                "days ago"));
        QVERIFY(waitForLookups());

        prompt->setDeclinedThisVersion(true);
        prompt->setLastReminded(Clock::now());
        prompt->incrementEventCount();
        prompt.reset();

        Bundle::setVersionOverride("2.0");
        delegate.calls.clear();
        prompt = launch();
        QVERIFY(waitForLookups());
        clearLogs();
        QCOMPARE(delegate.calls, QStringList{"didDetectAppUpdate"});
        QCOMPARE(prompt->usesCount(), 1);
        QCOMPARE(prompt->eventCount(), 0);
        QCOMPARE(prompt->firstUsed(), Clock::now());
        QVERIFY(!prompt->lastReminded().isValid());
        QCOMPARE(Preferences::shared().getString("RatePromptLastVersionUsed"), QString("2.0"));
        QVERIFY(!prompt->declinedThisVersion());
        QVERIFY(prompt->declinedAnyVersion());
        Clock::advance(3 * 86400);
        QVERIFY(!prompt->shouldPromptForRating());
        QCOMPARE(logs().last(), QString("RatePrompt did not prompt for rating because the user has declined to rate "
                                        "the app"));
    }

    void foregroundCountsOnlyAfterTheBackground()
    {
        auto prompt = launch();
        QVERIFY(waitForLookups());
        Application& app = Application::shared();
        app.enterBackground();
        app.becomeActive();
        QCOMPARE(prompt->usesCount(), 2);
        QVERIFY(waitForLookups());
        app.becomeActive(); // already active: no return from the background
        QCOMPARE(prompt->usesCount(), 2);
        prompt->applicationWillEnterForeground(); // not in the background
        QCOMPARE(prompt->usesCount(), 2);
    }

    // Six launches over two days with the app's configuration bring up the
    // alert once the store knows the app; what the user answers sticks.
    void sixLaunchesOverTwoDaysShowTheAlert()
    {
        answerWith(storeAnswer(kBundleID, 4711, 6014));
        for (int i = 1; i <= 5; ++i) {
            auto prompt = launch();
            QVERIFY(waitForLookups());
            QCoreApplication::processEvents();
            QVERIFY2(!prompt->visibleAlert(), qPrintable(QString("launch %1").arg(i)));
            QCOMPARE(prompt->usesCount(), i);
            Clock::advance(qint64(2 * 86400 / 5));
        }
        auto prompt = launch();
        QVERIFY(waitForLookups());
        QVERIFY(prompt->visibleAlert());
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        AlertView* alert = prompt->visibleAlert();
        QCOMPARE(alert->title(), kTitle);
        QVERIFY(alert->message().startsWith("If you enjoy playing Korvane Vandel,"));
        QCOMPARE(alert->numberOfButtons(), 3);
        QCOMPARE(alert->buttonTitleAtIndex(0), QString("No, Thanks"));
        QCOMPARE(alert->buttonTitleAtIndex(1), QString("Rate It Now"));
        QCOMPARE(alert->buttonTitleAtIndex(2), QString("Remind Me Later"));
        QVERIFY(delegate.calls.contains("didPrompt"));
        // The answers carry no HTTP lifetime, so none is reused: each launch asked.
        QCOMPARE(requestTargets(*server), QStringList(6, "/US/lookup?bundleId=" + kBundleID));
        QCOMPARE(Preferences::shared().getInt("RatePromptAppStoreID", 0), 4711);

        alert->dismissWithClickedButtonIndex(2);
        QVERIFY(!prompt->visibleAlert());
        prompt.reset();
        Clock::advance(86400 / 2);
        prompt = launch();
        QVERIFY(waitForLookups());
        QVERIFY(!prompt->visibleAlert());
        prompt.reset();

        Clock::advance(86400 / 2);
        prompt = launch();
        QVERIFY(waitForLookups());
        QVERIFY(prompt->visibleAlert());
        prompt->visibleAlert()->dismissWithClickedButtonIndex(1);
        QCOMPARE(openedURLs, QList<QUrl>{QUrl("itms-apps://itunes.apple.com/app/id4711")});
        prompt.reset();

        Clock::advance(30 * 86400);
        clearLogs();
        prompt = launch();
        QVERIFY(waitForLookups());
        QVERIFY(!prompt->visibleAlert());
        QVERIFY(logs().contains("RatePrompt did not prompt for rating because the user has already rated the app"));
    }

    void answers_data()
    {
        QTest::addColumn<std::optional<QString>>("cancelLabel");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("buttons");
        const std::optional<QString> standard;
        const std::optional<QString> removed = QString("");
        QTest::newRow("decline") << standard << 0 << "didDecline" << 3;
        QTest::newRow("rate") << standard << 1 << "didAttemptToRate" << 3;
        QTest::newRow("remind") << standard << 2 << "didRequestReminder" << 3;
        QTest::newRow("no cancel button: rate") << removed << 0 << "didAttemptToRate" << 2;
        QTest::newRow("no cancel button: remind") << removed << 1 << "didRequestReminder" << 2;
    }
    void answers()
    {
        QFETCH(std::optional<QString>, cancelLabel);
        QFETCH(int, button);
        QFETCH(QString, answer);
        QFETCH(int, buttons);

        auto prompt = makePrompt();
        prompt->setAppStoreID(4711);
        prompt->setCancelButtonLabel(cancelLabel);
        prompt->promptForRating();
        AlertView* alert = prompt->visibleAlert();
        QVERIFY(alert);
        QCOMPARE(alert->numberOfButtons(), buttons);
        QCOMPARE(alert->cancelButtonIndex(), cancelLabel ? -1 : 0);
        prompt->promptForRating(); // while the alert is up: nothing
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        alert->dismissWithClickedButtonIndex(button);
        QVERIFY(!prompt->visibleAlert());
        QCOMPARE(delegate.calls.mid(0, 2), (QStringList{"didPrompt", answer}));
        prompt.reset();

        Preferences::shared().reload();
        RatePrompt later;
        QCOMPARE(later.declinedThisVersion(), answer == "didDecline");
        QCOMPARE(later.ratedThisVersion(), answer == "didAttemptToRate");
        QCOMPARE(later.lastReminded(), answer == "didRequestReminder" ? Clock::now() : QDateTime());
        QCOMPARE(openedURLs.size(), answer == "didAttemptToRate" ? 1 : 0);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("allLanguages");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rate");
        QTest::newRow("English") << "en_GB" << true << kTitle << "Rate It Now";
        QTest::newRow("German") << "de_DE" << true << "Korvane Vandel bewerten" << "Jetzt bewerten";
        QTest::newRow("French") << "fr_CA" << true << "Noter Korvane Vandel" << "Noter maintenant";
        QTest::newRow("Brazilian falls back to Portuguese") << "pt_BR" << true << "Avaliar Korvane Vandel"
                                                            << "Avaliar agora";
        QTest::newRow("language without translation") << "sv_SE" << true << kTitle << "Rate It Now";
        QTest::newRow("only the built-in language") << "de_DE" << false << kTitle << "Rate It Now";
    }
    void texts()
    {
        QFETCH(QString, locale);
        QFETCH(bool, allLanguages);
        QFETCH(QString, title);
        QFETCH(QString, rate);
        Localization::setLocaleOverride(locale);
        auto prompt = makePrompt();
        prompt->setUseAllAvailableLanguages(allLanguages);
        QCOMPARE(prompt->messageTitle(), title);
        QCOMPARE(prompt->rateButtonLabel(), rate);
        QVERIFY(!prompt->message().contains("%@"));
        QVERIFY(prompt->message().contains("Korvane Vandel"));
    }

    void textsFromPropertiesAndTheAppTable()
    {
        auto prompt = makePrompt();
        QCOMPARE(prompt->message(), QString::fromUtf8("If you enjoy using Korvane Vandel, would you mind taking a "
                                                      "moment to rate it? It won’t take more than a minute. "
                                                      "Thanks for your support!"));
        prompt->setAppStoreGenreID(RatePrompt::kAppStoreGenreIDGame);
        QVERIFY(prompt->message().startsWith("If you enjoy playing Korvane Vandel,"));
        prompt->setMessageTitle(QString("%@ and %@"));
        QCOMPARE(prompt->messageTitle(), QString("Korvane Vandel and Korvane Vandel"));
        prompt->setRemindButtonLabel(QString(""));
        prompt->promptForRating();
        QCOMPARE(prompt->visibleAlert()->numberOfButtons(), 2);

        Localization::setLocaleOverride("de_DE");
        AppStringTable table;
        QCoreApplication::installTranslator(&table);
        auto german = makePrompt();
        QCOMPARE(german->rateButtonLabel(), QString("Sterne vergeben"));
        QCOMPARE(german->cancelButtonLabel(), QString("Nein, danke"));
        QCoreApplication::removeTranslator(&table);
    }

    void storeCountry_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("country"); // null: none
        QTest::newRow("Europe") << "en_150" << "eu";
        QTest::newRow("no region") << "de" << QString();
        QTest::newRow("other three digits") << "en_001" << "us";
        QTest::newRow("two letters") << "de_DE" << "DE";
        QTest::newRow("with variant") << "en_US_POSIX" << "US";
    }
    void storeCountry()
    {
        QFETCH(QString, locale);
        QFETCH(QString, country);
        Localization::setLocaleOverride(locale);
        RatePrompt prompt;
        QCOMPARE(prompt.appStoreCountry().isNull(), country.isNull());
        QCOMPARE(prompt.appStoreCountry(), country);
    }

    void lookupAddress_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<uint>("appStoreID");
        QTest::addColumn<QString>("target");
        QTest::newRow("configured identifier") << "en_150" << 4711u << "/eu/lookup?id=4711";
        QTest::newRow("bundle identifier") << "de_DE" << 0u << "/DE/lookup?bundleId=" + kBundleID;
        QTest::newRow("no country") << "de" << 0u << "/lookup?bundleId=" + kBundleID;
    }
    void lookupAddress()
    {
        QFETCH(QString, locale);
        QFETCH(uint, appStoreID);
        QFETCH(QString, target);
        Localization::setLocaleOverride(locale);
        auto prompt = makePrompt();
        prompt->setAppStoreID(appStoreID);
        prompt->checkForConnectivityInBackground();
        QVERIFY(waitForLookups());
        QCOMPARE(requestTargets(*server), QStringList{target});
        QCOMPARE(server->requests().value(0).method, QByteArray("GET"));
        QCOMPARE(logs().value(0), "RatePrompt is checking " + server->baseUrl().toString() + target +
                                      " to retrieve the App Store details...");
    }

    void lookupOutcome_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("hang");
        QTest::addColumn<uint>("appStoreID");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("parser");
        QTest::addColumn<QString>("domain"); // empty: no error reported
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("alert");

        const QByteArray ours = storeAnswer(kBundleID);
        const QByteArray none = "{\"resultCount\":0,\"results\":[]}";
        const QString own = RatePrompt::kErrorDomain;
        QTest::newRow("our record") << 200 << ours << false << 0u << false << true << "" << 0 << "" << true;
        QTest::newRow("our record, text scanner")
            << 200 << ours << false << 0u << false << false << "" << 0 << "" << true;
        QTest::newRow("another app's record")
            << 200 << storeAnswer("com.example.other") << false << 4711u << false << true << own << 1
            << "Application bundle ID does not match expected value of com.example.other" << false;
        QTest::newRow("no record for the configured identifier")
            << 200 << none << false << 4711u << false << true << own << 2
            << "The application could not be found on the App Store." << false;
        QTest::newRow("newer version in the store")
            << 200 << storeAnswer(kBundleID, 4711, 6013, "1.10") << false << 0u << false << true << own << 3
            << "Installed app is not the latest version available" << false;
        QTest::newRow("newer version, preview")
            << 200 << storeAnswer(kBundleID, 4711, 6013, "1.10") << false << 0u << true << true << "" << 0 << ""
            << true;
        QTest::newRow("status 503") << 503 << QByteArray("busy") << false << 4711u << false << true
                                    << RatePrompt::kHTTPResponseErrorDomain << 503
                                    << "The server returned a 503 error" << false;
        QTest::newRow("garbage body") << 200 << QByteArray("<html>") << false << 4711u << false << true
                                      << "JSONParseErrorDomain" << int(QJsonParseError::IllegalValue)
                                      << "The store's answer is not valid JSON (illegal value at offset 1)"
                                      << false;
        QTest::newRow("oversize answer")
            << 200 << QByteArray("{\"pad\":\"") + QByteArray(300 * 1024, ' ') + "\"}" << false << 4711u << false
            << true << RatePrompt::kNetworkErrorDomain << int(QNetworkReply::UnknownContentError)
            << "The store's answer is too large." << false;
        QTest::newRow("time-out") << 200 << QByteArray() << true << 4711u << false << true
                                  << RatePrompt::kNetworkErrorDomain << int(QNetworkReply::TimeoutError)
                                  << "The request timed out." << false;
    }
    void lookupOutcome()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, hang);
        QFETCH(uint, appStoreID);
        QFETCH(bool, preview);
        QFETCH(bool, parser);
        QFETCH(QString, domain);
        QFETCH(int, code);
        QFETCH(QString, description);
        QFETCH(bool, alert);

        server->setHandler([=](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response response{status, body};
            response.hang = hang;
            return response;
        });
        auto prompt = makePrompt();
        prompt->setAppStoreID(appStoreID);
        prompt->setPreviewMode(preview);
        prompt->setUseJSONParser(parser);
        prompt->promptIfNetworkAvailable();
        QVERIFY(prompt->checkingForPrompt());
        QVERIFY(waitForLookups());

        QCOMPARE(bool(prompt->visibleAlert()), alert);
        QVERIFY(!prompt->checkingForPrompt());
        if (domain.isEmpty()) {
            QVERIFY(!delegate.calls.contains("couldNotConnect"));
        } else {
            QCOMPARE(delegate.errors.size(), 1);
            QCOMPARE(delegate.errors[0], (RatePromptError{domain, code, description}));
            QVERIFY(logs().contains("RatePrompt rating process failed because: " + description));
        }
        if (appStoreID == 0 && status == 200 && alert) {
            QCOMPARE(prompt->appStoreID(), 4711u);
            QCOMPARE(Preferences::shared().getInt("RatePromptAppStoreID", 0), 4711);
            QCOMPARE(prompt->appStoreGenreID(), 6013u);
        }
    }

    void lookupServiceRoot_data()
    {
        QTest::addColumn<QByteArray>("variable"); // empty: unset
        QTest::addColumn<QString>("root");
        QTest::newRow("the store, over https") << QByteArray() << "https://itunes.apple.com";
        QTest::newRow("not an address") << QByteArray("garbage") << "https://itunes.apple.com";
        QTest::newRow("a mirror") << QByteArray("http://127.0.0.1:8080/any/path") << "http://127.0.0.1:8080";
    }
    void lookupServiceRoot()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, root);
        if (variable.isEmpty())
            qunsetenv("KORVANE_LOOKUP_URL");
        else
            qputenv("KORVANE_LOOKUP_URL", variable);
        QCOMPARE(RatePrompt::lookupServiceRoot(), root);
    }

    // A second launch `later` seconds after the first asks the store again
    // unless the first answer parsed and its HTTP lifetime still runs.
    void cachedAnswerReuse_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<int>("later");
        QTest::addColumn<int>("requests");
        const QByteArray ours = storeAnswer(kBundleID);
        const QByteArray hour = "Cache-Control: max-age=3600\r\n";
        const QByteArray week = "Cache-Control: public, max-age=604800\r\n";
        QTest::newRow("no lifetime") << ours << QByteArray() << 10 << 2;
        QTest::newRow("max-age, running") << ours << hour << 1800 << 1;
        QTest::newRow("max-age, run out") << ours << hour << 3601 << 2;
        QTest::newRow("a week, within a day") << ours << week << 86000 << 1;
        QTest::newRow("a week is cut to a day") << ours << week << 86401 << 2;
        QTest::newRow("no-store") << ours << QByteArray("Cache-Control: no-store, max-age=3600\r\n") << 10 << 2;
        QTest::newRow("max-age unreadable") << ours << QByteArray("Cache-Control: max-age=soon\r\n") << 10 << 2;
        QTest::newRow("age counts") << ours << hour + "Age: 3000\r\n" << 1200 << 2;
        QTest::newRow("expires, running")
            << ours << QByteArray("Date: Fri, 01 Mar 2024 12:00:00 GMT\r\nExpires: Fri, 01 Mar 2024 13:00:00 GMT\r\n")
            << 1800 << 1;
        QTest::newRow("expires, run out")
            << ours << QByteArray("Date: Fri, 01 Mar 2024 12:00:00 GMT\r\nExpires: Fri, 01 Mar 2024 13:00:00 GMT\r\n")
            << 3601 << 2;
        QTest::newRow("expires unreadable") << ours << QByteArray("Expires: 0\r\n") << 10 << 2;
        QTest::newRow("garbage, long lifetime") << QByteArray("<html>forged</html>") << week << 10 << 2;
        QTest::newRow("oversize, long lifetime")
            << QByteArray("{\"results\":[],\"pad\":\"") + QByteArray(300 * 1024, 'a') + "\"}" << week << 10 << 2;
    }
    void cachedAnswerReuse()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, headers);
        QFETCH(int, later);
        QFETCH(int, requests);
        server->setHandler([=](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response response{200, body};
            response.extraHeaders = headers;
            return response;
        });
        for (int run = 0; run < 2; ++run) {
            // Not launch(): its own lookup would race this one.
            Preferences::shared().reload();
            auto prompt = makePrompt();
            prompt->setAppStoreID(4711);
            prompt->checkForConnectivityInBackground();
            QVERIFY(waitForLookups());
            Clock::advance(later);
        }
        QCOMPARE(server->requests().size(), requests);
        // Nothing oversize reaches the disk either.
        qint64 cached = 0;
        QDirIterator files(env->cacheHome(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            cached += QFileInfo(files.next()).size();
        QVERIFY2(cached <= RatePrompt::kMaxLookupAnswerBytes, qPrintable(QString::number(cached)));
    }

    // Never silent for the transfer time-out, yet far slower than the deadline.
    void drippingStoreIsCutOffAtTheDeadline()
    {
        server->setHandler([](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response response{200, storeAnswer(kBundleID)};
            response.dripMs = 200;
            return response;
        });
        auto prompt = makePrompt();
        prompt->setAppStoreID(4711);
        prompt->promptIfNetworkAvailable();
        QVERIFY(waitForLookups());
        QCOMPARE(delegate.errors.size(), 1);
        QCOMPARE(delegate.errors[0], (RatePromptError{RatePrompt::kNetworkErrorDomain,
                                                      int(QNetworkReply::TimeoutError), "The request timed out."}));
    }

    // Without any known identifier a lookup that finds nothing delivers
    // nothing, and the waiting prompt stays waiting.
    void noRecordAndNoIdentifierStaysSilent()
    {
        auto prompt = makePrompt();
        prompt->promptIfNetworkAvailable();
        QVERIFY(waitForLookups());
        QCoreApplication::processEvents();
        QVERIFY(prompt->checkingForPrompt());
        QVERIFY(delegate.calls.isEmpty());
        QVERIFY(!prompt->visibleAlert());
        QVERIFY(logs().contains("RatePrompt could not find the App Store ID for this application. If the "
                                "application is not intended for App Store release then you must specify a custom "
                                "ratingsURL."));
        QVERIFY(logs().contains("RatePrompt could not find your app on iTunes. If your app is not yet on the store "
                                "or is not intended for App Store release then don't worry about this"));
        prompt->promptIfNetworkAvailable(); // flags still set: nothing
        QVERIFY(waitForLookups());
        QCOMPARE(server->requests().size(), 1);
    }

    void learnedIdentifierServesLaterLookups()
    {
        answerWith(storeAnswer(kBundleID));
        auto prompt = makePrompt();
        prompt->checkForConnectivityInBackground();
        QVERIFY(waitForLookups());
        QVERIFY(logs().contains("RatePrompt found the app on iTunes. The App Store ID is 4711"));
        prompt->checkForConnectivityInBackground();
        QVERIFY(waitForLookups());
        QCOMPARE(requestTargets(*server),
                 (QStringList{"/US/lookup?bundleId=" + kBundleID, "/US/lookup?id=4711"}));

        prompt.reset();
        Preferences::shared().reload();
        RatePrompt nextProcess;
        QCOMPARE(nextProcess.appStoreID(), 4711u);
        QCOMPARE(nextProcess.ratingsURL(), QUrl("itms-apps://itunes.apple.com/app/id4711"));
    }

    void onlyOneLookupAtATime()
    {
        QSemaphore release;
        server->setHandler([&](const LoopbackHttpServer::Request&) {
            release.acquire();
            return LoopbackHttpServer::Response{200, storeAnswer(kBundleID)};
        });
        auto prompt = makePrompt();
        prompt->checkForConnectivityInBackground();
        QTRY_COMPARE_WITH_TIMEOUT(server->requests().size(), 1, kLookupWait);
        prompt->promptIfNetworkAvailable();
        QTRY_COMPARE_WITH_TIMEOUT(RatePrompt::lookupsInFlight(), 1, kLookupWait);
        release.release();
        QVERIFY(waitForLookups());
        QCOMPARE(server->requests().size(), 1);
        // The running lookup's success serves the prompt that waited for it.
        QVERIFY(prompt->visibleAlert());
    }

    void rateWithoutIdentifierLooksUpFirst()
    {
        answerWith(storeAnswer(kBundleID));
        auto prompt = makePrompt();
        prompt->setPreviewMode(true);
        prompt->promptForRating();
        prompt->visibleAlert()->dismissWithClickedButtonIndex(1);
        QVERIFY(prompt->checkingForAppStoreID());
        QVERIFY(openedURLs.isEmpty());
        QVERIFY(waitForLookups());
        QVERIFY(!prompt->checkingForAppStoreID());
        QCOMPARE(openedURLs, QList<QUrl>{QUrl("itms-apps://itunes.apple.com/app/id4711")});
        QCOMPARE(delegate.calls.last(), QString("didOpenAppStore"));
    }

    void ratingsPageThatCannotBeOpened()
    {
        openSucceeds = false;
        auto prompt = makePrompt();
        prompt->setAppStoreID(4711);
        prompt->openRatingsPageInAppStore();
        const QString url = "itms-apps://itunes.apple.com/app/id4711";
        QCOMPARE(openedURLs, QList<QUrl>{QUrl(url)});
        QCOMPARE(delegate.calls, QStringList{"couldNotConnect"});
        QCOMPARE(delegate.errors.value(0),
                 (RatePromptError{RatePrompt::kErrorDomain, 4,
                                  "RatePrompt was unable to open the specified ratings URL: " + url}));
        QVERIFY(logs().contains("RatePrompt will open the App Store ratings page using the following URL: " + url));
    }

    void delegateGoingAwayIsForgotten()
    {
        auto prompt = makePrompt();
        {
            RecordingDelegate shortLived;
            prompt->setDelegate(&shortLived);
        }
        QVERIFY(prompt->delegate() != nullptr);
        QVERIFY(prompt->delegate()->RatePromptShouldPromptForRating()); // the defaults
    }

    // Last: the shared instance stays for the rest of the process.
    void programStartQueuesTheSharedInstance()
    {
        RatePrompt::installAtProgramStart();
        QCOMPARE(Preferences::shared().getInt("RatePromptUseCount", 0), 0);
        QTRY_COMPARE_WITH_TIMEOUT(Preferences::shared().getInt("RatePromptUseCount", 0), 1, kLookupWait);
        QCOMPARE(RatePrompt::sharedInstance(), RatePrompt::sharedInstance());
        QVERIFY(waitForLookups());
    }
};

KORVANE_REGISTER_TEST(TestRatePrompt);
#include "tst_RatePrompt.moc"
