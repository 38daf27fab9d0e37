#include "RatePromptLookup.h"
#include "RatePromptJSON.h"

#include "Application.h"
#include "Clock.h"
#include "Preferences.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <limits>

namespace {

// Process-wide: at most one lookup is in flight, whichever RatePrompt asked.
std::atomic<bool> lookupRunning{false};
std::atomic<int> lookupThreads{0};

constexpr const char* kLookupURLVariable = "KORVANE_LOOKUP_URL";

struct Fetched {
    bool hasBody = false;
    QByteArray body;
    int status = 0;
    std::optional<RatePromptError> transportError;
};

constexpr QByteArrayView kCacheFormat = "korvane-lookup-cache 1";

// Only an answer that parses is kept or reused: a forged or broken one must
// not outlive the launch it came with.
bool parses(const QByteArray& body)
{
    if (body.size() > RatePrompt::kMaxLookupAnswerBytes)
        return false;
    std::optional<RatePromptError> error;
    RatePromptJSON::recordFromBody(body, true, &error);
    return !error;
}

// A delta-seconds value; one too large to hold counts as very large.
std::optional<qint64> deltaSeconds(QByteArrayView text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.sliced(1, text.size() - 2);
    if (text.isEmpty())
        return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    return text.size() > 10 ? std::numeric_limits<qint32>::max() : text.toLongLong();
}

// IMF-fixdate, the one form servers send today ("Sun, 06 Nov 1994 08:49:37 GMT").
QDateTime httpDate(const QByteArray& text)
{
    const QByteArray trimmed = text.trimmed();
    if (!trimmed.endsWith(" GMT"))
        return {};
    // Qt reads the RFC 2822 form with a numeric zone only.
    return QDateTime::fromString(QString::fromLatin1(trimmed.chopped(3) + "+0000"), Qt::RFC2822Date);
}

// How long the answer may be reused, by its own headers: not at all when it
// forbids storing, says nothing or says something we cannot read; never
// longer than a day.
qint64 freshSeconds(const QNetworkReply& reply, const QDateTime& now)
{
    std::optional<qint64> lifetime;
    for (const QByteArray& part : reply.rawHeader("Cache-Control").toLower().split(',')) {
        const QByteArray directive = part.trimmed();
        if (directive.startsWith("no-store") || directive.startsWith("no-cache"))
            return 0;
        if (directive.startsWith("max-age") && !lifetime) {
            const qsizetype equals = directive.indexOf('=');
            lifetime = equals < 0 ? std::nullopt : deltaSeconds(QByteArrayView(directive).sliced(equals + 1));
            if (!lifetime)
                return 0;
        }
    }
    if (!lifetime && reply.hasRawHeader("Expires")) {
        const QDateTime expires = httpDate(reply.rawHeader("Expires"));
        QDateTime date = httpDate(reply.rawHeader("Date"));
        if (!date.isValid())
            date = now;
        lifetime = expires.isValid() ? date.secsTo(expires) : 0;
    }
    const qint64 age = deltaSeconds(reply.rawHeader("Age")).value_or(0);
    return std::clamp<qint64>(lifetime.value_or(0) - age, 0, RatePrompt::kMaxLookupCacheSeconds);
}

QString cacheFile(const QString& directory, const QUrl& url)
{
    const QByteArray key = QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Sha256).toHex();
    return directory + QStringLiteral("/lookup-") + QString::fromLatin1(key.left(32));
}

// The stored answer for `url`, if it is still fresh; a stale or damaged one
// is removed.
std::optional<QByteArray> cachedAnswer(const QString& path, const QUrl& url, const QDateTime& now)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.read(RatePrompt::kMaxLookupAnswerBytes + 4096);
    file.close();
    // Format line, address, expiry, then the body.
    const QList<QByteArray> head = content.left(4096).split('\n');
    if (head.size() >= 4 && head[0] == kCacheFormat && head[1] == url.toEncoded()) {
        const QDateTime expires = QDateTime::fromString(QString::fromLatin1(head[2]), Qt::ISODate);
        const QByteArray body = content.mid(head[0].size() + head[1].size() + head[2].size() + 3);
        // A clock set back must not stretch the lifetime either.
        if (expires.isValid() && now < expires && now.secsTo(expires) <= RatePrompt::kMaxLookupCacheSeconds &&
            parses(body))
            return body;
    }
    QFile::remove(path);
    return std::nullopt;
}

void storeAnswer(const QString& path, const QUrl& url, const QDateTime& expires, const QByteArray& body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(kCacheFormat.toByteArray() + '\n' + url.toEncoded() + '\n' +
               expires.toUTC().toString(Qt::ISODate).toLatin1() + '\n');
    file.write(body);
    file.commit();
}

RatePromptError timedOut()
{
    return RatePromptError{QString::fromLatin1(RatePrompt::kNetworkErrorDomain), int(QNetworkReply::TimeoutError),
                           QStringLiteral("The request timed out.")};
}

// One GET, waited for on the calling thread, or the stored answer while it
// is fresh.
Fetched fetch(const QUrl& url, const QString& cacheDirectory, const QDateTime& now)
{
    const QString cachePath = cacheFile(cacheDirectory, url);
    if (std::optional<QByteArray> cached = cachedAnswer(cachePath, url, now))
        return Fetched{true, *cached, 200, std::nullopt};

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(int(RatePrompt::kLookupTimeout.count()));
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    bool oversize = false;
    const auto checkSize = [&] {
        if (oversize)
            return;
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (announced > RatePrompt::kMaxLookupAnswerBytes ||
            reply->bytesAvailable() > RatePrompt::kMaxLookupAnswerBytes) {
            oversize = true;
            reply->abort();
        }
    };
    if (!reply->isFinished()) {
        QEventLoop loop;
        // The transfer time-out notices silence only; a server sending a
        // byte now and then is cut off here.
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
        QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, checkSize);
        QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, checkSize);
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        deadline.start(RatePrompt::kLookupDeadline);
        if (!reply->isFinished())
            loop.exec();
    }

    Fetched result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (oversize) {
        result.status = 0;
        result.transportError = RatePromptError{QString::fromLatin1(RatePrompt::kNetworkErrorDomain),
                                                int(QNetworkReply::UnknownContentError),
                                                QStringLiteral("The store's answer is too large.")};
    } else if (reply->error() == QNetworkReply::NoError) {
        result.hasBody = true;
        result.body = reply->readAll();
        const qint64 fresh = freshSeconds(*reply, now);
        if (result.status == 200 && fresh > 0 && parses(result.body))
            storeAnswer(cachePath, url, now.addSecs(fresh), result.body);
    } else if (reply->error() == QNetworkReply::OperationCanceledError) {
        // Nothing else cancels the request: the transfer time-out or the
        // deadline ran out.
        result.transportError = timedOut();
    } else {
        result.transportError = RatePromptError{QString::fromLatin1(RatePrompt::kNetworkErrorDomain),
                                                int(reply->error()), reply->errorString()};
    }
    return result;
}

quint32 toAppStoreID(qint64 value)
{
    // Outside the identifier's range it names no app; wrapping it round would
    // name a wrong one.
    return value > 0 && value <= qint64(std::numeric_limits<quint32>::max()) ? quint32(value) : 0;
}

QString describe(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("(null)");
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
    }
    return value.toString();
}

bool isPresent(const QVariant& value)
{
    return value.isValid() && !value.isNull();
}

// Runs `action` on the main thread with the prompt, if it still exists, and
// waits until it has run.
template<typename Action>
void onMainThread(const QPointer<RatePrompt>& prompt, Action&& action)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [&] {
            if (RatePrompt* p = prompt.data())
                action(p);
        },
        Qt::BlockingQueuedConnection);
}

} // namespace

QString RatePrompt::lookupServiceRoot()
{
    const QUrl override(qEnvironmentVariable(kLookupURLVariable));
    return override.isValid() && !override.scheme().isEmpty() && !override.host().isEmpty()
               ? override.scheme() + QStringLiteral("://") + override.authority()
               : QStringLiteral("https://") + QString::fromLatin1(kLookupHost);
}

int RatePrompt::lookupsInFlight()
{
    return lookupThreads;
}

QVariant RatePrompt::valueForKey(const QString& key, const QVariant& json)
{
    return RatePromptJSON::valueForKey(key, json);
}

void RatePrompt::promptIfNetworkAvailable()
{
    if (m_checkingForPrompt || m_checkingForAppStoreID)
        return;
    m_checkingForPrompt = true;
    checkForConnectivityInBackground();
}

void RatePrompt::checkForConnectivityInBackground()
{
    Lookup lookup;
    lookup.prompt = this;
    lookup.shared = m_shared;
    lookup.serviceRoot = lookupServiceRoot();
    lookup.country = m_appStoreCountry;
    lookup.bundleID = m_applicationBundleID;
    lookup.version = m_applicationVersion;
    lookup.cacheDirectory = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                            QStringLiteral("/Zentrik/KorvaneVandel/RatePrompt");
    lookup.now = Clock::now();
    lookup.customRatingsURL = m_ratingsURL;
    lookup.onlyPromptIfLatestVersion = m_onlyPromptIfLatestVersion;
    lookup.previewMode = m_previewMode;
    lookup.verboseLogging = m_verboseLogging;
    lookup.useJSONParser = m_useJSONParser;
    m_shared->rememberedAppStoreID = rememberedAppStoreID();

    ++lookupThreads;
    if (QThread::currentThread() != thread()) {
        runLookup(std::move(lookup));
        --lookupThreads;
        return;
    }
    QThread* worker = QThread::create([lookup = std::move(lookup)]() mutable {
        runLookup(std::move(lookup));
        --lookupThreads;
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

void RatePrompt::runLookup(Lookup lookup)
{
    if (lookupRunning.exchange(true))
        return;
    Shared& shared = *lookup.shared;
    const auto verbose = [&](const QString& line) {
        if (lookup.verboseLogging)
            log(line);
    };
    const auto appStoreIDAccessor = [&shared] {
        const quint32 configured = shared.appStoreID;
        return configured ? configured : quint32(shared.rememberedAppStoreID);
    };

    // A missing country would put "(null)" into the path; the service's
    // default store answers without one.
    const quint32 configuredID = shared.appStoreID;
    QString address = lookup.serviceRoot;
    if (!lookup.country.isEmpty())
        address += u'/' + lookup.country;
    address += QStringLiteral("/lookup");
    address += configuredID ? QStringLiteral("?id=%1").arg(configuredID)
                            : QStringLiteral("?bundleId=") + lookup.bundleID;
    verbose(QStringLiteral("RatePrompt is checking %1 to retrieve the App Store details...").arg(address));

    const Fetched fetched = fetch(QUrl(address), lookup.cacheDirectory, lookup.now);

    std::optional<RatePromptError> outcome;
    const auto ownError = [](int code, const QString& description) {
        return RatePromptError{QString::fromLatin1(kErrorDomain), code, description};
    };
    if (fetched.hasBody && fetched.status == 200) {
        std::optional<RatePromptError> parseError;
        const QVariant record = RatePromptJSON::recordFromBody(fetched.body, lookup.useJSONParser, &parseError);
        const QVariant bundleID = parseError ? QVariant() : valueForKey(QStringLiteral("bundleId"), record);
        if (parseError) {
            outcome = parseError;
        } else if (isPresent(bundleID) && bundleID.typeId() == QMetaType::QString &&
                   bundleID.toString() == lookup.bundleID) {
            if (shared.appStoreGenreID == 0)
                shared.appStoreGenreID = quint32(std::clamp<qint64>(
                    RatePromptJSON::integerValue(valueForKey(QStringLiteral("primaryGenreId"), record)), 0,
                    std::numeric_limits<quint32>::max()));
            if (shared.appStoreID == 0) {
                const QVariant trackID = valueForKey(QStringLiteral("trackId"), record);
                onMainThread(lookup.prompt, [&](RatePrompt* p) { p->setAppStoreIDOnMainThread(trackID); });
                verbose(QStringLiteral("RatePrompt found the app on iTunes. The App Store ID is %1")
                            .arg(describe(trackID)));
            }
            if (lookup.onlyPromptIfLatestVersion && !lookup.previewMode) {
                const QVariant storeVersion = valueForKey(QStringLiteral("version"), record);
                if (isPresent(storeVersion) &&
                    RatePromptJSON::compareVersions(describe(storeVersion), lookup.version) > 0) {
                    verbose(QStringLiteral("RatePrompt found that the installed application version (%1) is not "
                                           "the latest version on the App Store, which is %2")
                                .arg(lookup.version, describe(storeVersion)));
                    outcome = ownError(ErrorApplicationIsNotLatestVersion,
                                       QStringLiteral("Installed app is not the latest version available"));
                }
            }
        } else if (isPresent(bundleID)) {
            verbose(QStringLiteral("RatePrompt found that the application bundle ID (%1) does not match the bundle "
                                   "ID of the app found on iTunes (%2) with the specified App Store ID (%3)")
                        .arg(lookup.bundleID, describe(bundleID), QString::number(appStoreIDAccessor())));
            outcome = ownError(ErrorBundleIdDoesNotMatchAppStore,
                               QStringLiteral("Application bundle ID does not match expected value of %1")
                                   .arg(describe(bundleID)));
        } else if (shared.appStoreID == 0 &&
                   !ratingsURLFor(lookup.customRatingsURL, appStoreIDAccessor()).isEmpty()) {
            verbose(QStringLiteral("RatePrompt could not find your app on iTunes. If your app is not yet on the "
                                   "store or is not intended for App Store release then don't worry about this"));
        } else {
            verbose(QStringLiteral("RatePrompt could not find this application on iTunes. If your app is not "
                                   "intended for App Store release then you must specify a custom ratingsURL. If "
                                   "this is the first release of your application then it's not a problem that it "
                                   "cannot be found on the store yet"));
            if (!lookup.previewMode)
                outcome = ownError(ErrorApplicationNotFoundOnAppStore,
                                   QStringLiteral("The application could not be found on the App Store."));
        }
    } else if (fetched.status >= 400) {
        outcome = RatePromptError{QString::fromLatin1(kHTTPResponseErrorDomain), fetched.status,
                                  QStringLiteral("The server returned a %1 error").arg(fetched.status)};
    } else {
        outcome = fetched.transportError;
    }

    // "Operation not permitted" once we know whom to ask counts as success.
    if (outcome && outcome->domain == QLatin1String(kPOSIXErrorDomain) && outcome->code == 1 &&
        shared.appStoreID != 0)
        outcome.reset();
    if (outcome)
        onMainThread(lookup.prompt, [&](RatePrompt* p) { p->connectionError(outcome); });
    else if (appStoreIDAccessor() != 0 || lookup.previewMode)
        onMainThread(lookup.prompt, [](RatePrompt* p) { p->connectionSucceeded(); });

    lookupRunning = false;
}

void RatePrompt::setAppStoreIDOnMainThread(const QVariant& value)
{
    const quint32 id = toAppStoreID(RatePromptJSON::integerValue(value));
    setAppStoreID(id);
    Preferences::shared().setDouble(QStringLiteral("RatePromptAppStoreID"), double(id));
    Preferences::shared().synchronize();
    m_shared->rememberedAppStoreID = id;
}

void RatePrompt::connectionSucceeded()
{
    if (m_checkingForAppStoreID) {
        m_checkingForAppStoreID = false;
        m_checkingForPrompt = false;
        openRatingsPageInAppStore();
    } else if (m_checkingForPrompt) {
        m_checkingForPrompt = false;
        if (delegate()->RatePromptShouldPromptForRating())
            promptForRating();
        else if (m_verboseLogging)
            log(QStringLiteral("RatePrompt did not display the rating prompt because the "
                               "RatePromptShouldPromptForRating delegate method returned NO"));
    }
}

void RatePrompt::connectionError(const std::optional<RatePromptError>& error)
{
    if (!m_checkingForPrompt && !m_checkingForAppStoreID)
        return;
    m_checkingForPrompt = false;
    m_checkingForAppStoreID = false;
    log(error ? QStringLiteral("RatePrompt rating process failed because: %1").arg(error->localizedDescription)
              : QStringLiteral("RatePrompt rating process failed because an unknown error occured"));
    delegate()->RatePromptCouldNotConnectToAppStore(error);
}

QUrl RatePrompt::ratingsURLFor(const QUrl& custom, quint32 appStoreID)
{
    if (!custom.isEmpty())
        return custom;
    if (appStoreID == 0)
        log(QStringLiteral("RatePrompt could not find the App Store ID for this application. If the application "
                           "is not intended for App Store release then you must specify a custom ratingsURL."));
    // The address for system versions of 7.0 and later, which ours counts as.
    return QUrl(QStringLiteral("itms-apps://%1/app/id%2").arg(QString::fromLatin1(kStoreHost)).arg(appStoreID));
}

QUrl RatePrompt::ratingsURL()
{
    return ratingsURLFor(m_ratingsURL, appStoreID());
}

void RatePrompt::openRatingsPageInAppStore()
{
    if (m_ratingsURL.isEmpty() && appStoreID() == 0) {
        m_checkingForAppStoreID = true;
        if (!m_checkingForPrompt)
            checkForConnectivityInBackground();
        return;
    }
    const QUrl url = ratingsURL();
    Application& app = Application::shared();
    if (app.canOpenURL(url)) {
        if (m_verboseLogging)
            log(QStringLiteral("RatePrompt will open the App Store ratings page using the following URL: %1")
                    .arg(url.toString()));
        // A desktop without a handler for the address says so; that is a
        // failure to report, not an opened page.
        if (app.openURL(url)) {
            delegate()->RatePromptDidOpenAppStore();
            return;
        }
    }
    const RatePromptError error{QString::fromLatin1(kErrorDomain), ErrorCouldNotOpenRatingPageURL,
                                QStringLiteral("RatePrompt was unable to open the specified ratings URL: %1")
                                    .arg(url.toString())};
    log(error.localizedDescription);
    delegate()->RatePromptCouldNotConnectToAppStore(error);
}
