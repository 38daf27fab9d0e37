#pragma once

#include "AlertView.h"
#include "RatePromptError.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariant>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QTranslator;

// What the rating prompt tells whoever wants to know. Every operation is
// optional: the bodies here are the answers the app relies on. A delegate
// that goes away unregisters itself, so it is held weakly.
class RatePromptDelegate {
public:
    virtual ~RatePromptDelegate();
    // A lookup or the opening of the rating page failed; none when the cause
    // is unknown.
    virtual void RatePromptCouldNotConnectToAppStore(const std::optional<RatePromptError>&) {}
    virtual void RatePromptDidDetectAppUpdate() {}
    virtual bool RatePromptShouldPromptForRating() { return true; }
    virtual void RatePromptDidPromptForRating() {}
    virtual void RatePromptUserDidAttemptToRateApp() {}
    virtual void RatePromptUserDidDeclineToRateApp() {}
    virtual void RatePromptUserDidRequestReminderToRateApp() {}
    virtual bool RatePromptShouldOpenAppStore() { return true; }
    virtual void RatePromptDidOpenAppStore() {}
};

// Counts uses of the running version, decides when to ask for a store rating,
// looks the app up in the store on a thread of its own and shows the
// three-button alert. Lives on the main thread; only the lookup runs
// elsewhere.
class RatePrompt : public QObject, public AlertViewDelegate {
    Q_OBJECT
public:
    static constexpr quint32 kAppStoreGenreIDGame = 6014;
    // Not on the store under a number we know: the lookup asks by bundle
    // identifier and remembers what it learns.
    static constexpr quint32 kConfiguredAppStoreID = 0;
    static constexpr double kSecondsPerDay = 86400.0;
    static constexpr double kSecondsPerWeek = 604800.0;
    // Time-outs of the lookup request: for silence, and for the whole
    // request however steadily the server trickles. Short in the test build
    // so a slow server is noticed quickly.
#ifdef KORVANE_RATING_TEST_BUILD
    static constexpr std::chrono::milliseconds kLookupTimeout{2500};
    static constexpr std::chrono::milliseconds kLookupDeadline{5000};
#else
    static constexpr std::chrono::milliseconds kLookupTimeout{60000};
    static constexpr std::chrono::milliseconds kLookupDeadline{60000};
#endif
    // A store answer is a few kilobytes; a larger one is neither read nor kept.
    static constexpr qint64 kMaxLookupAnswerBytes = 256 * 1024;
    // An answer is reused for its HTTP lifetime, but never longer than this.
    static constexpr qint64 kMaxLookupCacheSeconds = 86400;
    static constexpr const char* kLookupHost = "itunes.apple.com";
    static constexpr const char* kStoreHost = "itunes.apple.com";

    static constexpr const char* kErrorDomain = "RatePromptErrorDomain";
    static constexpr const char* kHTTPResponseErrorDomain = "HTTPResponseErrorDomain";
    static constexpr const char* kNetworkErrorDomain = "NetworkErrorDomain";
    static constexpr const char* kPOSIXErrorDomain = "POSIXErrorDomain";
    enum ErrorCode {
        ErrorBundleIdDoesNotMatchAppStore = 1,
        ErrorApplicationNotFoundOnAppStore = 2,
        ErrorApplicationIsNotLatestVersion = 3,
        ErrorCouldNotOpenRatingPageURL = 4,
    };

    // Interface orientations as the alert handling tracks them.
    enum Orientation { OrientationPortrait = 1, OrientationLandscape = 3 };

    static RatePrompt* sharedInstance();
    // Called once by main(), before or after the QApplication exists: queues
    // the creation of the shared instance on the main loop, so it runs even
    // if nobody asks for it.
    static void installAtProgramStart();

    // The app uses sharedInstance(); tests make their own.
    RatePrompt();
    ~RatePrompt() override;

    // Configuration.
    quint32 appStoreID() const; // the configured one, else the remembered one
    void setAppStoreID(quint32 id);
    quint32 appStoreGenreID() const;
    void setAppStoreGenreID(quint32 genre);
    QString appStoreCountry() const { return m_appStoreCountry; }
    void setAppStoreCountry(const QString& country) { m_appStoreCountry = country; }
    QString applicationName() const { return m_applicationName; }
    void setApplicationName(const QString& name) { m_applicationName = name; }
    QString applicationVersion() const { return m_applicationVersion; }
    void setApplicationVersion(const QString& version) { m_applicationVersion = version; }
    QString applicationBundleID() const { return m_applicationBundleID; }
    void setApplicationBundleID(const QString& id) { m_applicationBundleID = id; }
    quint32 usesUntilPrompt() const { return m_usesUntilPrompt; }
    void setUsesUntilPrompt(quint32 uses) { m_usesUntilPrompt = uses; }
    quint32 eventsUntilPrompt() const { return m_eventsUntilPrompt; }
    void setEventsUntilPrompt(quint32 events) { m_eventsUntilPrompt = events; }
    float daysUntilPrompt() const { return m_daysUntilPrompt; }
    void setDaysUntilPrompt(float days) { m_daysUntilPrompt = days; }
    float usesPerWeekForPrompt() const { return m_usesPerWeekForPrompt; }
    void setUsesPerWeekForPrompt(float uses) { m_usesPerWeekForPrompt = uses; }
    float remindPeriod() const { return m_remindPeriod; }
    void setRemindPeriod(float days) { m_remindPeriod = days; }
    bool useAllAvailableLanguages() const { return m_useAllAvailableLanguages; }
    void setUseAllAvailableLanguages(bool use) { m_useAllAvailableLanguages = use; }
    bool onlyPromptIfLatestVersion() const { return m_onlyPromptIfLatestVersion; }
    void setOnlyPromptIfLatestVersion(bool only) { m_onlyPromptIfLatestVersion = only; }
    bool promptAtLaunch() const { return m_promptAtLaunch; }
    void setPromptAtLaunch(bool prompt) { m_promptAtLaunch = prompt; }
    bool verboseLogging() const { return m_verboseLogging; }
    void setVerboseLogging(bool verbose) { m_verboseLogging = verbose; }
    bool previewMode() const { return m_previewMode; }
    void setPreviewMode(bool preview) { m_previewMode = preview; }
    // The lookup parses the answer with QJsonDocument; switched off, it scans
    // the text with valueForKey() instead.
    bool useJSONParser() const { return m_useJSONParser; }
    void setUseJSONParser(bool use) { m_useJSONParser = use; }
    void setRatingsURL(const QUrl& url) { m_ratingsURL = url; }

    // Texts: none (nullopt) means the localised default; an empty cancel or
    // remind label removes that button.
    QString messageTitle();
    void setMessageTitle(const std::optional<QString>& title) { m_messageTitle = title; }
    QString message();
    void setMessage(const std::optional<QString>& message) { m_message = message; }
    QString cancelButtonLabel();
    void setCancelButtonLabel(const std::optional<QString>& label) { m_cancelButtonLabel = label; }
    QString remindButtonLabel();
    void setRemindButtonLabel(const std::optional<QString>& label) { m_remindButtonLabel = label; }
    QString rateButtonLabel();
    void setRateButtonLabel(const std::optional<QString>& label) { m_rateButtonLabel = label; }

    RatePromptDelegate* delegate();
    void setDelegate(RatePromptDelegate* delegate) { m_delegate = delegate; }

    // Remembered state, per version.
    QDateTime firstUsed() const;
    void setFirstUsed(const QDateTime& date);
    QDateTime lastReminded() const;
    void setLastReminded(const QDateTime& date);
    int usesCount() const;
    void setUsesCount(int count);
    int eventCount() const;
    void setEventCount(int count);
    bool declinedThisVersion() const;
    void setDeclinedThisVersion(bool declined);
    bool declinedAnyVersion() const;
    bool ratedThisVersion() const;
    void setRatedThisVersion(bool rated);
    bool ratedAnyVersion() const;
    float usesPerWeek() const;
    void incrementUseCount();
    void incrementEventCount();

    void applicationLaunched();
    void applicationWillEnterForeground();
    bool shouldPromptForRating();
    void promptForRating();
    void logEvent(bool deferPrompt);
    QString localizedStringForKey(const char* key, const QString& defaultValue);

    void alertView_didDismissWithButtonIndex(AlertView* alertView, int buttonIndex) override;
    void willPresentAlertView(AlertView* alertView) override;
    void willRotate();
    void didRotate();
    void resizeAlertView(AlertView* alertView);

    // The store lookup.
    void promptIfNetworkAvailable();
    void checkForConnectivityInBackground();
    void setAppStoreIDOnMainThread(const QVariant& value);
    void connectionSucceeded();
    void connectionError(const std::optional<RatePromptError>& error);
    static QVariant valueForKey(const QString& key, const QVariant& json);
    QUrl ratingsURL();
    void openRatingsPageInAppStore();

    // Internal state, read by tests.
    AlertView* visibleAlert() const { return m_visibleAlert; }
    bool checkingForPrompt() const { return m_checkingForPrompt; }
    bool checkingForAppStoreID() const { return m_checkingForAppStoreID; }
    int previousOrientation() const { return m_previousOrientation; }

    // Lookup threads started and not yet ended, process-wide; tests wait for
    // 0 before they look at the outcome.
    static int lookupsInFlight();
    // Scheme and host the lookup asks: the store over https, or the
    // address in KORVANE_LOOKUP_URL (tests, a local mirror).
    static QString lookupServiceRoot();
    // Log lines go to stderr; a handler takes them instead (tests).
    static void setLogHandler(std::function<void(const QString&)> handler);
    static void log(const QString& line);

private:
    friend class RatePromptDelegate;
    struct Shared;
    struct Lookup;

    static void runLookup(Lookup lookup);
    static int currentOrientation();
    static QUrl ratingsURLFor(const QUrl& custom, quint32 appStoreID);
    void forgetDelegate(RatePromptDelegate* delegate);
    void storeDate(const char* key, const QDateTime& date);
    void storeString(const char* key, const QString& value);
    void storeInt(const char* key, int value);
    void removeKey(const char* key);
    quint32 rememberedAppStoreID() const;

    std::shared_ptr<Shared> m_shared;
    QString m_appStoreCountry;
    QString m_applicationName;
    QString m_applicationVersion;
    QString m_applicationBundleID;
    quint32 m_usesUntilPrompt = 10;
    quint32 m_eventsUntilPrompt = 10;
    float m_daysUntilPrompt = 10.0f;
    float m_usesPerWeekForPrompt = 0.0f;
    float m_remindPeriod = 1.0f;
    std::optional<QString> m_messageTitle;
    std::optional<QString> m_message;
    std::optional<QString> m_cancelButtonLabel;
    std::optional<QString> m_remindButtonLabel;
    std::optional<QString> m_rateButtonLabel;
    bool m_useAllAvailableLanguages = true;
    bool m_onlyPromptIfLatestVersion = true;
    bool m_promptAtLaunch = true;
    bool m_verboseLogging = false;
    bool m_previewMode = false;
    bool m_useJSONParser = true;
    QUrl m_ratingsURL;
    RatePromptDelegate* m_delegate = nullptr;

    std::unique_ptr<QTranslator> m_bundle;
    bool m_bundleChosen = false;
    QPointer<AlertView> m_visibleAlert;
    int m_previousOrientation = OrientationPortrait;
    bool m_checkingForPrompt = false;
    bool m_checkingForAppStoreID = false;
};
