// The browser engine module: a WebView on Qt WebEngine. Built as a module of
// its own and loaded on the first web page (see WebView.h).
#include "WebView.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
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

class TestHostInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl target = toTestHost(info.requestUrl());
        if (target != info.requestUrl())
            info.redirect(target);
    }
};

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
                                     failureReason(info));
                                 break;
                             }
                         });
    }

    void loadRequest(const QUrl& url) override { m_view->load(toTestHost(url)); }
    void stopLoading() override
    {
        m_loading = false;
        m_view->stop();
    }
    bool isLoading() const override { return m_loading; }
    QUrl url() const override { return m_view->url(); }
    void setScalesPageToFit(bool) override {}
    void setZoomFactor(qreal factor) override { m_view->setZoomFactor(factor); }

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
    // The engine's report of its graphics set-up is for its developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (qEnvironmentVariableIsSet("KORVANE_WEB_HOST"))
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(new TestHostInterceptor);
}

} // namespace

extern "C" Q_DECL_EXPORT WebView* korvane_create_web_view(WebViewDelegate* delegate,
                                                          QWidget* parent)
{
    prepareEngine();
    return new EngineWebView(delegate, parent);
}
