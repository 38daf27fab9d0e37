#pragma once

#include "ViewController.h"
#include "WebView.h"

#include <QPointer>
#include <cstdint>
#include <memory>

class ActivityIndicatorView;
class NavigationItem;
class QLabel;
namespace Ui {
class ShareWithWebViewController;
class ShareWithWebViewControllerPad;
} // namespace Ui

// The in-app browser: a network's share page or one of the product's pages,
// picked by the share service code, with a title bar and a loading status.
class ShareWithWebViewController : public ViewController, public WebViewDelegate {
    Q_OBJECT
public:
    explicit ShareWithWebViewController(QObject* parent = nullptr);
    ~ShareWithWebViewController() override;

    QPointer<QObject> delegate; // the opener; never called back
    QLabel* m_testLabel = nullptr;
    ActivityIndicatorView* m_activityIndicator = nullptr;
    QWidget* m_activityView = nullptr;
    uint8_t m_shareService = 0;
    bool isFromMainWindow = true;

    // The URL text for m_shareService; also sets the page title.
    QString buildPath(bool fixedName);
    void loadWebView();
    void done();

    bool webView_shouldStartLoadWithRequest(const QUrl& url) override;
    void webViewDidStartLoad() override;
    void webViewDidFinishLoad() override;
    void webView_didFailLoadWithError(const QString& reason) override;
    QString webView_reasonForFailure(WebLoadFailure failure, const QString& engineText) override;
    void webView_openExternally(const QUrl& url) override;

    // The title set by buildPath, and the URL the page was asked to load.
    QString title() const { return m_title; }
    QUrl requestedURL() const { return m_requested; }
    WebView* webView() const { return m_webView; }
    // The two-letter region of the user's locale in store links.
    static QString countryCode();

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    bool escapePressed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual QWidget* createView();
    // The phone's and the tablet's forms name their widgets alike.
    template <class Form> void bindOutlets(const Form& form);
    void setStatus(const QString& text);

private:
    void setTitle(const QString& title);
    void fitZoom();

    std::unique_ptr<Ui::ShareWithWebViewController> m_ui;
    QWidget* m_shareWithWebView = nullptr; // holds the web view once the engine is loaded
    NavigationItem* m_navigationItem = nullptr;

    QString m_title;
    QUrl m_requested;
    WebView* m_webView = nullptr;
};

class ShareWithWebViewControllerPad : public ShareWithWebViewController {
    Q_OBJECT
public:
    explicit ShareWithWebViewControllerPad(QObject* parent = nullptr);
    ~ShareWithWebViewControllerPad() override;

    bool isPad() const { return true; }
    // Moves the status overlay for the coming orientation.
    void willRotateToInterfaceOrientation(bool landscape);

protected:
    QWidget* createView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::ShareWithWebViewControllerPad> m_ui;
    int m_landscape = -1; // unknown until first laid out
};
