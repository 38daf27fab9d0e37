// The browser engine module: a WebView on Qt WebEngine. Built as a module of
// its own and loaded on the first web page (see WebView.h).
#include "WebView.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QLoggingCategory>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include <unistd.h>

namespace {

// Tests send every request to a loopback server (KORVANE_WEB_HOST=HOST:PORT),
// keeping path and query. Read on each request, so a test may move it.
QUrl toTestHost(QUrl url)
{
    const QString hostPort = qEnvironmentVariable("KORVANE_WEB_HOST");
    if (hostPort.isEmpty())
        return url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(hostPort.section(QLatin1Char(':'), 0, 0));
    url.setPort(hostPort.section(QLatin1Char(':'), 1, 1).toInt());
    return url;
}

// The pages of a host that ship with the app, served under a scheme of our
// own: the engine lets no handler take http itself.
const QByteArray kLocalScheme = QByteArrayLiteral("korvane-site");

struct LocalSite {
    QString host;
    QString root;
    QStringList languages;
    QHash<QString, QString> fields;
};

LocalSite& localSite()
{
    static LocalSite site;
    return site;
}

bool isLocalSiteURL(const QUrl& url)
{
    const LocalSite& site = localSite();
    return !site.host.isEmpty() && url.host().compare(site.host, Qt::CaseInsensitive) == 0 &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QUrl toLocalSite(QUrl url)
{
    url.setScheme(QString::fromLatin1(kLocalScheme));
    url.setPort(-1);
    return url;
}

class LocalSiteHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const LocalSite& site = localSite();
        QString path = job->requestUrl().path(QUrl::FullyDecoded);
        if (path.split(QLatin1Char('/')).contains(QLatin1String("..")) ||
            job->requestUrl().host().compare(site.host, Qt::CaseInsensitive) != 0) {
            job->fail(QWebEngineUrlRequestJob::UrlInvalid);
            return;
        }
        if (!path.startsWith(QLatin1Char('/')))
            path.prepend(QLatin1Char('/'));
        // Links name pages as folders ("/iphone/korvane-vandel/faq").
        if (path.endsWith(QLatin1Char('/')))
            path += QStringLiteral("index.html");
        else if (!path.section(QLatin1Char('/'), -1).contains(QLatin1Char('.')))
            path += QStringLiteral("/index.html");
        QStringList candidates;
        for (const QString& language : site.languages)
            candidates << site.root + QLatin1Char('/') + language + path;
        candidates << site.root + path;
        for (const QString& candidate : std::as_const(candidates)) {
            QFile file(candidate);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QByteArray data = file.readAll();
            const QByteArray mime =
                QMimeDatabase().mimeTypeForFile(candidate, QMimeDatabase::MatchExtension).name().toLatin1();
            if (mime == "text/html") {
                QString text = QString::fromUtf8(data);
                for (auto it = site.fields.cbegin(); it != site.fields.cend(); ++it)
                    text.replace(QStringLiteral("{{%1}}").arg(it.key()), it.value());
                data = text.toUtf8();
            }
            auto* buffer = new QBuffer(job);
            buffer->setData(data);
            job->reply(mime, buffer);
            return;
        }
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    }
};

// The shipped pages come first; then tests may send every other request
// to their loopback server.
class RequestInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl url = info.requestUrl();
        if (url.scheme() == QLatin1String(kLocalScheme))
            return;
        const QUrl target = isLocalSiteURL(url) ? toLocalSite(url) : toTestHost(url);
        if (target != url)
            info.redirect(target);
    }
};

// What the reader can do about a failure depends on its kind; the engine
// tells it by Chromium's network error numbers.
WebLoadFailure failureKind(const QWebEngineLoadingInfo& info)
{
    if (info.errorDomain() == QWebEngineLoadingInfo::CertificateErrorDomain)
        return WebLoadFailure::Certificate;
    if (info.errorDomain() != QWebEngineLoadingInfo::ConnectionErrorDomain)
        return WebLoadFailure::Other;
    switch (info.errorCode()) {
    case -106: // internet disconnected
    case -109: // address unreachable
    case -21:  // network changed
        return WebLoadFailure::Offline;
    case -105: // name not resolved
    case -137: // name resolution failed
        return WebLoadFailure::NameNotFound;
    case -102: // connection refused
        return WebLoadFailure::Refused;
    case -7:   // timed out
    case -118: // connection timed out
        return WebLoadFailure::TimedOut;
    default:
        return info.errorCode() <= -200 && info.errorCode() > -300 ? WebLoadFailure::Certificate
                                                                     : WebLoadFailure::Other;
    }
}

// The engine's reasons come as markup for its own error page; the status
// line shows them as text, with the address they leave out.
QString failureReason(const QWebEngineLoadingInfo& info)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString reason = info.errorString();
    reason.remove(tags);
    reason = reason.simplified();
    if (reason.endsWith(QLatin1Char(':')))
        reason += QLatin1Char(' ') + info.url().toString();
    return reason;
}

class Page : public QWebEnginePage {
public:
    Page(WebViewDelegate* delegate, QObject* parent) : QWebEnginePage(parent), m_delegate(delegate)
    {
    }

protected:
    // The engine reports a load as started before it asks whether to make
    // it; a load starts when it is allowed, so the start is told here.
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (leavesTheApp(url)) {
            if (m_delegate)
                m_delegate->webView_openExternally(url);
            return false;
        }
        if (!m_delegate)
            return true;
        if (!m_delegate->webView_shouldStartLoadWithRequest(url))
            return false;
        // A redirect continues the load that has started already.
        if (isMainFrame && type != NavigationTypeRedirect)
            m_delegate->webViewDidStartLoad();
        return true;
    }
    // Console chatter of the pages is theirs, not ours.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override
    {
    }

private:
    // Mail, store and other schemes the engine has no use for; and from a
    // page of our own, any other site: our pages are read in the app, the
    // rest of the web in the user's browser.
    bool leavesTheApp(const QUrl& url) const
    {
        const QString scheme = url.scheme();
        const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
        if (!web && scheme != QLatin1String(kLocalScheme) && scheme != QLatin1String("about") &&
            scheme != QLatin1String("data") && scheme != QLatin1String("blob"))
            return true;
        return web && this->url().scheme() == QLatin1String(kLocalScheme) && !isLocalSiteURL(url);
    }

    WebViewDelegate* m_delegate;
};

class EngineWebView : public WebView {
public:
    EngineWebView(WebViewDelegate* delegate, QWidget* parent) : WebView(parent)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        m_view = new QWebEngineView(this);
        m_page = new Page(delegate, m_view);
        m_view->setPage(m_page);
        layout->addWidget(m_view);
        QObject::connect(m_page, &QWebEnginePage::loadingChanged, m_view,
                         [this, delegate](const QWebEngineLoadingInfo& info) {
                             m_loading =
                                 info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
                             if (!delegate)
                                 return;
                             switch (info.status()) {
                             case QWebEngineLoadingInfo::LoadStartedStatus:
                                 break;
                             case QWebEngineLoadingInfo::LoadSucceededStatus:
                                 delegate->webViewDidFinishLoad();
                                 break;
                             case QWebEngineLoadingInfo::LoadFailedStatus:
                             case QWebEngineLoadingInfo::LoadStoppedStatus:
                                 // A stopped load fails as cancelled, as handheld
                                 // web views report it.
                                 delegate->webView_didFailLoadWithError(
                                     delegate->webView_reasonForFailure(
                                         info.status() == QWebEngineLoadingInfo::LoadStoppedStatus
                                             ? WebLoadFailure::Other
                                             : failureKind(info),
                                         failureReason(info)));
                                 break;
                             }
                         });
    }

    void loadRequest(const QUrl& url) override
    {
        m_view->load(isLocalSiteURL(url) ? toLocalSite(url) : toTestHost(url));
    }
    void stopLoading() override
    {
        m_loading = false;
        m_view->stop();
    }
    bool isLoading() const override { return m_loading; }
    QUrl url() const override { return m_view->url(); }
    QString pageTitle() const override { return m_page->title(); }
    void setScalesPageToFit(bool) override {}
    void setZoomFactor(qreal factor) override { m_view->setZoomFactor(factor); }
    void serveLocally(const QString& host, const QString& resourceRoot, const QStringList& languages,
                      const QHash<QString, QString>& fields) override
    {
        localSite() = {host, resourceRoot, languages, fields};
    }

private:
    QWebEngineView* m_view = nullptr;
    Page* m_page = nullptr;
    bool m_loading = false;
};

void prepareEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    // The engine's sandbox cannot run as root (as CI and some car PCs do);
    // only then it is switched off, an ordinary user keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // On Linux the engine keeps a page's accessibility tree to itself unless
    // asked; it builds the tree only while a screen reader listens.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    // The engine's report of its graphics set-up is for its developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // Before the engine starts: it reads the schemes once.
    QWebEngineUrlScheme scheme(kLocalScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    profile->installUrlSchemeHandler(kLocalScheme, new LocalSiteHandler(profile));
    profile->setUrlRequestInterceptor(new RequestInterceptor);
    // A failure is told by the page's status, in the reader's language; the
    // engine's own error page would sit under it with buttons of its own.
    profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
}

} // namespace

extern "C" Q_DECL_EXPORT WebView* korvane_create_web_view(WebViewDelegate* delegate,
                                                          QWidget* parent)
{
    prepareEngine();
    return new EngineWebView(delegate, parent);
}
