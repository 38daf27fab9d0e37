#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

// The engine's failures a reader can act on; the rest keep the engine's words.
enum class WebLoadFailure { Other, Offline, NameNotFound, Refused, TimedOut, Certificate };

// What a web view tells the screen that shows it.
class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    // Every request, the first one and each link followed; false refuses it.
    virtual bool webView_shouldStartLoadWithRequest(const QUrl&) { return true; }
    virtual void webViewDidStartLoad() {}
    virtual void webViewDidFinishLoad() {}
    // reason: the failure's localised description, empty when there is none.
    virtual void webView_didFailLoadWithError(const QString&) {}
    // The reason a failure is reported with; the engine's own text unless
    // the screen words it for the reader.
    virtual QString webView_reasonForFailure(WebLoadFailure, const QString& engineText)
    {
        return engineText;
    }
    // A link that leaves the app (mail, the software centre, another site
    // from a page of our own): the page stays, the desktop opens the link.
    virtual void webView_openExternally(const QUrl&) {}
};

// A browser view. The browser engine is large, so it lives in a module of
// its own that is loaded the first time a web view is created: an app that
// never opens a web page never maps it. The interface is header-only, so the
// module shares no code with the app but these declarations.
class WebView : public QWidget {
public:
    using QWidget::QWidget;

    virtual void loadRequest(const QUrl& url) = 0;
    virtual void stopLoading() = 0;
    virtual bool isLoading() const = 0;
    virtual QUrl url() const = 0;
    // The shown document's own title.
    virtual QString pageTitle() const = 0;
    // Pages are zoomed to the view's width, as a handheld browser shows them.
    virtual void setScalesPageToFit(bool fit) = 0;
    // CSS pixels per point; a stage shown below its design size zooms in so
    // that pages keep a readable size and land pixel for pixel.
    virtual void setZoomFactor(qreal factor) = 0;
    // Pages of `host` come from the app's resources, offline: http://HOST/P
    // shows ROOT/LANG/P for the first language that has it, else ROOT/P
    // ("/index.html" where P names a folder), with every "{{KEY}}" of a page
    // replaced by its field.
    virtual void serveLocally(const QString& host, const QString& resourceRoot,
                              const QStringList& languages,
                              const QHash<QString, QString>& fields) = 0;

    // Loads the engine module on first use; null (with one line on stderr)
    // when it cannot be loaded.
    static WebView* create(WebViewDelegate* delegate, QWidget* parent = nullptr);
    // Whether the engine module has been loaded into this process.
    static bool engineLoaded();
    // Where the module is looked for: the file this variable names, else
    // beside the binary only (the install's library folder, or the binary's
    // own folder as in a build tree).
    static constexpr char kModuleVariable[] = "KORVANE_WEBENGINE_MODULE";
    static QStringList moduleCandidates();
};

// The engine module's one entry point.
extern "C" {
using KorvaneCreateWebView = WebView* (*)(WebViewDelegate*, QWidget*);
}
