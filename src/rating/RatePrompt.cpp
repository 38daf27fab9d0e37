#include "RatePrompt.h"
#include "RatePromptLookup.h"

#include "Application.h"
#include "Bundle.h"
#include "Clock.h"
#include "Localization.h"
#include "Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr const char* kLastVersionUsedKey = "RatePromptLastVersionUsed";
constexpr const char* kFirstUsedKey = "RatePromptFirstUsed";
constexpr const char* kUseCountKey = "RatePromptUseCount";
constexpr const char* kEventCountKey = "RatePromptEventCount";
constexpr const char* kLastRemindedKey = "RatePromptLastReminded";
constexpr const char* kDeclinedVersionKey = "RatePromptDeclinedVersion";
constexpr const char* kRatedVersionKey = "RatePromptRatedVersionChecked";
constexpr const char* kAppStoreIDKey = "RatePromptAppStoreID";

constexpr const char* kMessageTitleKey = "RatePromptMessageTitle";
constexpr const char* kAppMessageKey = "RatePromptAppMessage";
constexpr const char* kGameMessageKey = "RatePromptGameMessage";
constexpr const char* kCancelButtonKey = "RatePromptCancelButton";
constexpr const char* kRemindButtonKey = "RatePromptRemindButton";
constexpr const char* kRateButtonKey = "RatePromptRateButton";

// Our resource bundle: one compiled translation per language, named after it.
constexpr const char* kResourceFolder = ":/RatePrompt";
constexpr const char* kTranslationContext = "RatePrompt";

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

// Every RatePrompt alive, so a delegate that goes away can unregister. Never
// freed: delegates may be destroyed during static destruction.
QList<RatePrompt*>& livePrompts()
{
    static auto* list = new QList<RatePrompt*>;
    return *list;
}

RatePromptDelegate& defaultDelegate()
{
    static auto* d = new RatePromptDelegate;
    return *d;
}

QMutex& logMutex()
{
    static QMutex m;
    return m;
}

std::function<void(const QString&)>& logHandler()
{
    static std::function<void(const QString&)> h;
    return h;
}

double secondsSince(const QDateTime& date)
{
    return date.isValid() ? double(date.msecsTo(Clock::now())) / 1000.0 : 0.0;
}

QString formatG(double value)
{
    return QString::asprintf("%g", value);
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The region of a locale identifier such as "de_DE", "en_US_POSIX",
// "zh_Hant_TW", "en-150" or "de_DE.UTF-8"; none when it names no region.
QString regionOf(const QString& identifier)
{
    const QString id = identifier.section(u'.', 0, 0).section(u'@', 0, 0);
    QStringList parts;
    QString part;
    for (QChar c : id) {
        if (c == u'_' || c == u'-') {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts << part;
    qsizetype i = 1;
    if (i < parts.size() && parts[i].size() == 4 && std::all_of(parts[i].begin(), parts[i].end(), isAsciiLetter))
        ++i; // a script subtag
    return i < parts.size() && !parts[i].isEmpty() ? parts[i] : QString();
}

QString storeCountryFor(const QString& localeIdentifier)
{
    const QString region = regionOf(localeIdentifier);
    if (region.isEmpty())
        return {};
    if (region == u"150")
        return QStringLiteral("eu");
    if (region.size() != 2 || !isAsciiLetter(region[0]) || !isAsciiLetter(region[1]))
        return QStringLiteral("us");
    return region;
}

} // namespace

RatePromptDelegate::~RatePromptDelegate()
{
    for (RatePrompt* prompt : livePrompts())
        prompt->forgetDelegate(this);
}

RatePrompt* RatePrompt::sharedInstance()
{
    static RatePrompt* instance = nullptr; // lives until the process ends
    if (!instance)
        instance = new RatePrompt;
    return instance;
}

void RatePrompt::installAtProgramStart()
{
    // Runs at once when the application object exists, else from its
    // constructor.
    qAddPreRoutine([] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { sharedInstance(); }, Qt::QueuedConnection);
    });
}

RatePrompt::RatePrompt() : m_shared(std::make_shared<Shared>())
{
    qRegisterMetaType<RatePromptError>();
    livePrompts().append(this);
    m_shared->appStoreID = kConfiguredAppStoreID;
    m_appStoreCountry = storeCountryFor(Localization::localeIdentifier());
    m_applicationName = Bundle::displayName();
    if (m_applicationName.isEmpty())
        m_applicationName = QCoreApplication::applicationName();
    m_applicationVersion = Bundle::shortVersionString();
    if (m_applicationVersion.isEmpty())
        m_applicationVersion = Bundle::version();
    m_applicationBundleID = Bundle::identifier();

    connect(&Application::shared(), &Application::willEnterForeground, this,
            &RatePrompt::applicationWillEnterForeground);
    connect(&Application::shared(), &Application::statusBarOrientationDidChange, this,
            &RatePrompt::willRotate);
    m_previousOrientation = currentOrientation();

    QMetaObject::invokeMethod(this, &RatePrompt::applicationLaunched, Qt::QueuedConnection);
}

RatePrompt::~RatePrompt()
{
    livePrompts().removeAll(this);
    if (m_visibleAlert) {
        m_visibleAlert->setDelegate(nullptr);
        m_visibleAlert->deleteLater();
    }
}

// --- configuration -------------------------------------------------------

quint32 RatePrompt::appStoreID() const
{
    const quint32 configured = m_shared->appStoreID;
    return configured ? configured : rememberedAppStoreID();
}

void RatePrompt::setAppStoreID(quint32 id)
{
    m_shared->appStoreID = id;
}

quint32 RatePrompt::appStoreGenreID() const
{
    return m_shared->appStoreGenreID;
}

void RatePrompt::setAppStoreGenreID(quint32 genre)
{
    m_shared->appStoreGenreID = genre;
}

quint32 RatePrompt::rememberedAppStoreID() const
{
    // Kept as a double: an unsigned 32-bit identifier does not fit the int
    // accessors, and the text in the file is the same plain number.
    const double stored = Preferences::shared().getDouble(key(kAppStoreIDKey), 0.0);
    if (!(stored >= 0.0 && stored <= double(std::numeric_limits<quint32>::max())) ||
        stored != std::floor(stored))
        return 0;
    return quint32(stored);
}

RatePromptDelegate* RatePrompt::delegate()
{
    if (!m_delegate)
        m_delegate = dynamic_cast<RatePromptDelegate*>(Application::shared().delegate());
    return m_delegate ? m_delegate : &defaultDelegate();
}

void RatePrompt::forgetDelegate(RatePromptDelegate* delegate)
{
    if (m_delegate == delegate)
        m_delegate = nullptr;
}

// --- remembered state ----------------------------------------------------

void RatePrompt::storeDate(const char* k, const QDateTime& date)
{
    if (date.isValid())
        Preferences::shared().setDate(key(k), date);
    else
        Preferences::shared().remove(key(k));
    Preferences::shared().synchronize();
}

void RatePrompt::storeString(const char* k, const QString& value)
{
    Preferences::shared().setString(key(k), value);
    Preferences::shared().synchronize();
}

void RatePrompt::storeInt(const char* k, int value)
{
    Preferences::shared().setInt(key(k), value);
    Preferences::shared().synchronize();
}

void RatePrompt::removeKey(const char* k)
{
    Preferences::shared().remove(key(k));
    Preferences::shared().synchronize();
}

QDateTime RatePrompt::firstUsed() const
{
    return Preferences::shared().getDate(key(kFirstUsedKey));
}

void RatePrompt::setFirstUsed(const QDateTime& date)
{
    storeDate(kFirstUsedKey, date);
}

QDateTime RatePrompt::lastReminded() const
{
    return Preferences::shared().getDate(key(kLastRemindedKey));
}

void RatePrompt::setLastReminded(const QDateTime& date)
{
    storeDate(kLastRemindedKey, date);
}

int RatePrompt::usesCount() const
{
    return Preferences::shared().getInt(key(kUseCountKey), 0);
}

void RatePrompt::setUsesCount(int count)
{
    storeInt(kUseCountKey, count);
}

int RatePrompt::eventCount() const
{
    return Preferences::shared().getInt(key(kEventCountKey), 0);
}

void RatePrompt::setEventCount(int count)
{
    storeInt(kEventCountKey, count);
}

bool RatePrompt::declinedThisVersion() const
{
    const QString v = Preferences::shared().getString(key(kDeclinedVersionKey));
    return !v.isNull() && v == m_applicationVersion;
}

void RatePrompt::setDeclinedThisVersion(bool declined)
{
    if (declined)
        storeString(kDeclinedVersionKey, m_applicationVersion);
    else
        removeKey(kDeclinedVersionKey);
}

bool RatePrompt::declinedAnyVersion() const
{
    return !Preferences::shared().getString(key(kDeclinedVersionKey)).isEmpty();
}

bool RatePrompt::ratedThisVersion() const
{
    const QString v = Preferences::shared().getString(key(kRatedVersionKey));
    return !v.isNull() && v == m_applicationVersion;
}

void RatePrompt::setRatedThisVersion(bool rated)
{
    if (rated)
        storeString(kRatedVersionKey, m_applicationVersion);
    else
        removeKey(kRatedVersionKey);
}

bool RatePrompt::ratedAnyVersion() const
{
    return !Preferences::shared().getString(key(kRatedVersionKey)).isEmpty();
}

float RatePrompt::usesPerWeek() const
{
    const double weeks = secondsSince(firstUsed()) / kSecondsPerWeek;
    const double uses = double(float(usesCount()));
    // Spelled out rather than divided by zero: no time elapsed means an
    // unbounded rate, or none at all without uses.
    if (weeks == 0.0)
        return uses == 0.0 ? std::numeric_limits<float>::quiet_NaN()
                           : std::copysign(std::numeric_limits<float>::infinity(), uses);
    const double perWeek = uses / weeks;
    if (std::fabs(perWeek) > double(std::numeric_limits<float>::max()))
        return std::copysign(std::numeric_limits<float>::infinity(), perWeek);
    return float(perWeek);
}

void RatePrompt::incrementUseCount()
{
    setUsesCount(usesCount() + 1);
}

void RatePrompt::incrementEventCount()
{
    setEventCount(eventCount() + 1);
}

// --- launch, foreground, decision ----------------------------------------

void RatePrompt::applicationLaunched()
{
    Preferences& prefs = Preferences::shared();
    {
        // A new version resets five keys and counts a use: one write.
        const Preferences::Batch oneWrite;
        const QString lastVersion = prefs.getString(key(kLastVersionUsedKey));
        if (!prefs.contains(key(kLastVersionUsedKey)) || lastVersion != m_applicationVersion) {
            storeString(kLastVersionUsedKey, m_applicationVersion);
            storeDate(kFirstUsedKey, Clock::now());
            storeInt(kUseCountKey, 0);
            storeInt(kEventCountKey, 0);
            removeKey(kLastRemindedKey);
            delegate()->RatePromptDidDetectAppUpdate();
        }
        incrementUseCount();
    }
    checkForConnectivityInBackground();
    if (m_promptAtLaunch && shouldPromptForRating())
        promptIfNetworkAvailable();
}

void RatePrompt::applicationWillEnterForeground()
{
    if (Application::shared().applicationState() != Application::State::Background)
        return;
    incrementUseCount();
    checkForConnectivityInBackground();
    if (m_promptAtLaunch && shouldPromptForRating())
        promptIfNetworkAvailable();
}

bool RatePrompt::shouldPromptForRating()
{
    const auto verbose = [this](const QString& line) {
        if (m_verboseLogging)
            log(line);
    };
    if (m_previewMode) {
        log(QStringLiteral("RatePrompt preview mode is enabled - make sure you disable this for release"));
        return true;
    }
    if (ratedAnyVersion()) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the user has already rated the app"));
        return false;
    }
    if (declinedAnyVersion()) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the user has declined to rate the app"));
        return false;
    }
    const QDateTime first = firstUsed();
    if (!first.isValid() && (m_daysUntilPrompt > 0.0f || m_usesPerWeekForPrompt != 0.0f)) {
        verbose(QStringLiteral(
            "RatePrompt did not prompt for rating because this is the first time the app has been launched"));
        return false;
    }
    if (secondsSince(first) < double(m_daysUntilPrompt) * kSecondsPerDay) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the app was first used less than %1 days ago")
                    .arg(formatG(m_daysUntilPrompt)));
        return false;
    }
    const qint64 uses = usesCount();
    const qint64 events = eventCount();
    if (uses < qint64(m_usesUntilPrompt) && events < qint64(m_eventsUntilPrompt)) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the app has only been used %1 times and "
                               "only %2 events have been logged")
                    .arg(uses)
                    .arg(events));
        return false;
    }
    const float perWeek = usesPerWeek();
    if (perWeek < m_usesPerWeekForPrompt) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the app has only been used %1 times per "
                               "week on average since it was installed")
                    .arg(formatG(perWeek)));
        return false;
    }
    const QDateTime reminded = lastReminded();
    if (reminded.isValid() && secondsSince(reminded) < double(m_remindPeriod) * kSecondsPerDay) {
        verbose(QStringLiteral("RatePrompt did not prompt for rating because the user last asked to be reminded less "
                               "than %1 days ago")
                    .arg(formatG(m_remindPeriod)));
        return false;
    }
    return true;
}

void RatePrompt::logEvent(bool deferPrompt)
{
    incrementEventCount();
    if (!deferPrompt && shouldPromptForRating())
        promptIfNetworkAvailable();
}

// --- texts ---------------------------------------------------------------

QString RatePrompt::localizedStringForKey(const char* k, const QString& defaultValue)
{
    // Chosen once and kept: the app has one instance, so once per process.
    if (!m_bundleChosen) {
        m_bundleChosen = true;
        const QDir folder(QString::fromLatin1(kResourceFolder));
        if (folder.exists()) {
            QStringList localizations;
            for (const QString& file : folder.entryList({QStringLiteral("*.qm")}, QDir::Files))
                localizations << file.chopped(3);
            QString language;
            if (m_useAllAvailableLanguages) {
                language = Localization::preferredLanguages().value(0, QStringLiteral("en"));
                // Our identifiers separate the region with "_" as well as "-".
                if (!localizations.contains(language)) {
                    const qsizetype cut = language.indexOf(QRegularExpression(QStringLiteral("[-_]")));
                    if (cut >= 0)
                        language.truncate(cut);
                }
            }
            // Without a language folder the bundle itself serves, and it holds
            // no more than the built-in English texts.
            if (localizations.contains(language)) {
                auto translator = std::make_unique<QTranslator>();
                if (translator->load(folder.filePath(language + QStringLiteral(".qm"))))
                    m_bundle = std::move(translator);
            }
        }
    }
    QString text = m_bundle ? m_bundle->translate(kTranslationContext, k) : QString();
    if (text.isEmpty())
        text = defaultValue;
    return Localization::string(k, nullptr, text);
}

QString RatePrompt::messageTitle()
{
    QString title = m_messageTitle ? *m_messageTitle
                                   : localizedStringForKey(kMessageTitleKey, QStringLiteral("Rate %@"));
    return title.replace(QLatin1String("%@"), m_applicationName);
}

QString RatePrompt::message()
{
    QString text;
    if (m_message)
        text = *m_message;
    else if (appStoreGenreID() == kAppStoreGenreIDGame)
        text = localizedStringForKey(kGameMessageKey,
                                     QStringLiteral("If you enjoy playing %@, would you mind taking a moment to "
                                                    "rate it? It won\u2019t take more than a minute. Thanks for "
                                                    "your support!"));
    else
        text = localizedStringForKey(kAppMessageKey,
                                     QStringLiteral("If you enjoy using %@, would you mind taking a moment to rate "
                                                    "it? It won\u2019t take more than a minute. Thanks for your "
                                                    "support!"));
    return text.replace(QLatin1String("%@"), m_applicationName);
}

QString RatePrompt::cancelButtonLabel()
{
    return m_cancelButtonLabel ? *m_cancelButtonLabel
                               : localizedStringForKey(kCancelButtonKey, QStringLiteral("No, Thanks"));
}

QString RatePrompt::remindButtonLabel()
{
    return m_remindButtonLabel ? *m_remindButtonLabel
                               : localizedStringForKey(kRemindButtonKey, QStringLiteral("Remind Me Later"));
}

QString RatePrompt::rateButtonLabel()
{
    return m_rateButtonLabel ? *m_rateButtonLabel
                             : localizedStringForKey(kRateButtonKey, QStringLiteral("Rate It Now"));
}

// --- the alert -----------------------------------------------------------

void RatePrompt::promptForRating()
{
    if (m_visibleAlert)
        return;
    QStringList otherButtons{rateButtonLabel()};
    const QString remind = remindButtonLabel();
    if (!remind.isEmpty())
        otherButtons << remind;
    auto* alert = new AlertView(messageTitle(), message(), this, cancelButtonLabel(), otherButtons);
    m_visibleAlert = alert;
    alert->show();
    delegate()->RatePromptDidPromptForRating();
}

void RatePrompt::alertView_didDismissWithButtonIndex(AlertView* alertView, int buttonIndex)
{
    const bool hasCancel = !cancelButtonLabel().isEmpty();
    if (buttonIndex == alertView->cancelButtonIndex()) {
        setDeclinedThisVersion(true);
        delegate()->RatePromptUserDidDeclineToRateApp();
    } else if ((hasCancel && buttonIndex == 2) || (!hasCancel && buttonIndex == 1)) {
        setLastReminded(Clock::now());
        delegate()->RatePromptUserDidRequestReminderToRateApp();
    } else {
        setRatedThisVersion(true);
        delegate()->RatePromptUserDidAttemptToRateApp();
        if (delegate()->RatePromptShouldOpenAppStore())
            openRatingsPageInAppStore();
    }
    m_visibleAlert = nullptr;
}

void RatePrompt::willPresentAlertView(AlertView* alertView)
{
    resizeAlertView(alertView);
}

int RatePrompt::currentOrientation()
{
    return Application::shared().isPortrait() ? OrientationPortrait : OrientationLandscape;
}

void RatePrompt::willRotate()
{
    QMetaObject::invokeMethod(this, &RatePrompt::didRotate, Qt::QueuedConnection);
}

void RatePrompt::didRotate()
{
    const int orientation = currentOrientation();
    if (orientation == m_previousOrientation)
        return;
    m_previousOrientation = orientation;
    resizeAlertView(m_visibleAlert);
}

void RatePrompt::resizeAlertView(AlertView*)
{
    // Re-laying the alert's labels and buttons is needed only on system
    // versions below 7.0; ours counts as current, and AlertView lays itself
    // out again whenever its host window changes size. Nothing to do.
}

// --- logging -------------------------------------------------------------

void RatePrompt::setLogHandler(std::function<void(const QString&)> handler)
{
    QMutexLocker lock(&logMutex());
    logHandler() = std::move(handler);
}

void RatePrompt::log(const QString& line)
{
    // One lock for both threads, so lines never interleave.
    QMutexLocker lock(&logMutex());
    if (logHandler()) {
        logHandler()(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
