#include "ShareWithWebViewController.h"

#include "ActivityIndicatorView.h"
#include "Application.h"
#include "Bundle.h"
#include "Button.h"
#include "DevicePixels.h"
#include "Localization.h"
#include "NavigationItem.h"
#include "StoreLinks.h"
#include "ui_ShareWithWebViewController.h"
#include "ui_ShareWithWebViewControllerPad.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr const char* kFixedAppName = "Korvane";
// Vertical centres of the tablet's status overlay.
constexpr double kOverlayCentreLandscape = 746.0;
constexpr double kOverlayCentrePortrait = 1002.0;
// Store front used when the locale names no region and none can be inferred.
constexpr const char* kDefaultCountry = "US";

QString shareTitle(const char* network)
{
    return Localization::translate("EmailRecommend", "share")
               .orDefault(QStringLiteral("Share on")) +
           QLatin1String(network);
}
} // namespace

ShareWithWebViewController::ShareWithWebViewController(QObject* parent) : ViewController(parent) {}

ShareWithWebViewController::~ShareWithWebViewController() = default;

QString ShareWithWebViewController::countryCode()
{
    // The region the user named wins ("de_AT" → AT); a bare language takes
    // its most likely region ("de" → DE), as the store front would.
    static const QRegularExpression region(QStringLiteral("^[a-zA-Z]{2,3}[_-]([A-Za-z]{2})\\b"));
    const QString identifier = Localization::localeIdentifier();
    const QRegularExpressionMatch m = region.match(identifier);
    if (m.hasMatch())
        return m.captured(1).toUpper();
    const QLocale locale = Localization::locale();
    if (locale.territory() == QLocale::AnyTerritory || locale.language() == QLocale::C)
        return QLatin1String(kDefaultCountry);
    return QLocale::territoryToCode(locale.territory());
}

void ShareWithWebViewController::setTitle(const QString& title)
{
    m_title = title;
    if (m_navigationItem)
        m_navigationItem->setTitle(title);
}

void ShareWithWebViewController::setStatus(const QString& text)
{
    if (!m_testLabel)
        return;
    m_testLabel->setText(text);
    // A sentence wraps; the box grows about its centre to hold it, and never
    // beyond the page.
    constexpr int kMinHeight = 44, kPadding = 8;
    const int height = std::max(kMinHeight, m_testLabel->heightForWidth(m_testLabel->width()) + kPadding);
    if (height == m_activityView->height())
        return;
    QRect box = m_activityView->geometry();
    const int centre = box.center().y();
    box.setHeight(height);
    box.moveCenter(QPoint(box.center().x(), centre));
    if (view() && box.bottom() >= view()->height())
        box.moveBottom(view()->height() - 1);
    m_activityView->setGeometry(box);
    m_testLabel->resize(m_testLabel->width(), height);
}

QString ShareWithWebViewController::buildPath(bool fixedName)
{
    QString appName;
    if (fixedName) {
        appName = QLatin1String(kFixedAppName);
    } else {
        appName = Bundle::localizedDisplayName();
        setStatus(appName);
    }
    const QString store = QLatin1String(StoreLinks::kStoreHost);
    const QString id = QLatin1String(StoreLinks::kKorvaneFreeStoreId);
    const QString cc = countryCode();
    switch (m_shareService) {
    case 0:
        setTitle(shareTitle(" facebook"));
        return QStringLiteral("http://") + QLatin1String(StoreLinks::kFacebookShareHost) +
               QStringLiteral("/share.php?u=http%3A%2F%2F") + store + QStringLiteral("%2F") + cc +
               QStringLiteral("%2Fapp%2Fid") + id + QStringLiteral("%3Fmt%3D8");
    case 1:
        setTitle(shareTitle(" twitter"));
        return QStringLiteral("http://") + QLatin1String(StoreLinks::kTwitterShareHost) +
               QStringLiteral("/share?url=http://") + store + QStringLiteral("/") + cc +
               QStringLiteral("/app/id") + id + QStringLiteral("&text=") + appName +
               QStringLiteral("%20Vandel%20for%20iPhone,%20and%20iPad:%20%20");
    case 2:
        setTitle(QStringLiteral("Korvane Vandel"));
        break;
    case 3:
        setTitle(QStringLiteral("Feedback"));
        break;
    case 4:
        setTitle(QStringLiteral("FAQ"));
        break;
    default:
        break;
    }
    return StoreLinks::makerWebPath(m_shareService);
}

QWidget* ShareWithWebViewController::createView()
{
    auto* view = new QWidget;
    m_ui = std::make_unique<Ui::ShareWithWebViewController>();
    m_ui->setupUi(view);
    bindOutlets(*m_ui);
    return view;
}

template <class Form> void ShareWithWebViewController::bindOutlets(const Form& form)
{
    m_navigationItem = form.m_navigationItem;
    m_shareWithWebView = form.m_shareWithWebView;
    m_activityView = form.m_activityView;
    m_testLabel = form.m_testLabel;
    m_activityIndicator = form.m_activityIndicator;
}

QWidget* ShareWithWebViewController::loadView()
{
    QWidget* view = createView();
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, QColor(18, 20, 24));
    view->setPalette(palette);
    auto* layout = new QVBoxLayout(m_shareWithWebView);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(m_navigationItem->doneButton(), &QAbstractButton::clicked, this,
            &ShareWithWebViewController::done);
    m_activityView->raise();
    view->installEventFilter(this);
    if (!m_title.isEmpty())
        m_navigationItem->setTitle(m_title);
    return view;
}

bool ShareWithWebViewController::eventFilter(QObject* watched, QEvent* event)
{
    // The page follows the screen it covers; the web view fills it below
    // the title bar.
    if (watched == view() && event->type() == QEvent::Resize) {
        const QSize size = view()->size();
        m_shareWithWebView->setGeometry(0, NavigationItem::kHeight, size.width(),
                                        size.height() - NavigationItem::kHeight);
        fitZoom();
    }
    return ViewController::eventFilter(watched, event);
}

void ShareWithWebViewController::fitZoom()
{
    if (!m_webView)
        return;
    // On a stage shrunk into a small window (a car PC) pages would shrink
    // with it; zoomed by the inverse they keep their size, pixel for pixel.
    const qreal stageScale =
        DevicePixels::ratio(m_shareWithWebView) / m_shareWithWebView->devicePixelRatioF();
    m_webView->setZoomFactor(stageScale < 1.0 && stageScale > 0.25 ? 1.0 / stageScale : 1.0);
}

void ShareWithWebViewController::viewDidLoad()
{
    isFromMainWindow = false;
    loadWebView();
}

void ShareWithWebViewController::loadWebView()
{
    QString path = buildPath(false);
    if (!m_webView) {
        m_webView = WebView::create(this, m_shareWithWebView);
        if (m_webView)
            m_shareWithWebView->layout()->addWidget(m_webView);
    }
    if (m_webView) {
        m_webView->setScalesPageToFit(true);
        fitZoom();
        // The maker's pages ship with the app and are read offline.
        QStringList languages = Localization::preferredLanguages();
        languages << QStringLiteral("en");
        m_webView->serveLocally(QLatin1String(StoreLinks::kMakerWebHost), QStringLiteral(":/site"),
                                languages, {{QStringLiteral("VERSION"), Bundle::version()}});
    }
    // The localised name may hold what a URL does not allow (a space).
    QUrl url(path, QUrl::StrictMode);
    if (!url.isValid()) {
        path = buildPath(true);
        url = QUrl(path, QUrl::StrictMode);
    }
    m_requested = url;
    if (m_webView)
        m_webView->loadRequest(url);
    else
        webView_didFailLoadWithError(QStringLiteral("The browser engine is not installed."));
}

void ShareWithWebViewController::done()
{
    if (m_webView)
        m_webView->stopLoading();
    dismissViewControllerAnimated(true);
}

bool ShareWithWebViewController::escapePressed()
{
    done();
    return true;
}

bool ShareWithWebViewController::webView_shouldStartLoadWithRequest(const QUrl&)
{
    setStatus(QStringLiteral("loading request"));
    m_activityIndicator->startAnimating();
    m_activityView->setHidden(false);
    return true;
}

void ShareWithWebViewController::webViewDidStartLoad()
{
    setStatus(QStringLiteral("loading"));
    m_activityIndicator->startAnimating();
    m_activityView->setHidden(false);
}

void ShareWithWebViewController::webViewDidFinishLoad()
{
    setStatus(QStringLiteral("finish loading"));
    m_activityIndicator->stopAnimating();
    m_activityView->setHidden(true);
}

void ShareWithWebViewController::webView_didFailLoadWithError(const QString& reason)
{
    setStatus(QStringLiteral("error loading"));
    m_activityIndicator->stopAnimating();
    setStatus(reason);
}

QString ShareWithWebViewController::webView_reasonForFailure(WebLoadFailure failure,
                                                             const QString& engineText)
{
    switch (failure) {
    case WebLoadFailure::Offline:
        return Localization::translate("WebPage", "No internet connection.").orDefault({});
    case WebLoadFailure::NameNotFound:
        return Localization::translate("WebPage", "The site could not be found. Check your internet connection.")
            .orDefault({});
    case WebLoadFailure::Refused:
        return Localization::translate("WebPage", "The site refused the connection.").orDefault({});
    case WebLoadFailure::TimedOut:
        return Localization::translate("WebPage", "The site took too long to answer.").orDefault({});
    case WebLoadFailure::Certificate:
        return Localization::translate("WebPage", "The site's certificate is not valid; the page was not opened.")
            .orDefault({});
    case WebLoadFailure::Other:
        break;
    }
    return engineText;
}

void ShareWithWebViewController::webView_openExternally(const QUrl& url)
{
    Application::shared().openURL(url);
}

// ---------------------------------------------------------------------------

ShareWithWebViewControllerPad::ShareWithWebViewControllerPad(QObject* parent)
    : ShareWithWebViewController(parent)
{
}

ShareWithWebViewControllerPad::~ShareWithWebViewControllerPad() = default;

QWidget* ShareWithWebViewControllerPad::createView()
{
    auto* view = new QWidget;
    m_ui = std::make_unique<Ui::ShareWithWebViewControllerPad>();
    m_ui->setupUi(view);
    bindOutlets(*m_ui);
    return view;
}

void ShareWithWebViewControllerPad::willRotateToInterfaceOrientation(bool landscape)
{
    QRect r = m_activityView->geometry();
    const double centreY = landscape ? kOverlayCentreLandscape : kOverlayCentrePortrait;
    r.moveTop(int(centreY - r.height() / 2.0));
    m_activityView->setGeometry(r);
}

bool ShareWithWebViewControllerPad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::Resize) {
        const bool landscape = !Application::isPortraitSize(view()->size());
        if (int(landscape) != m_landscape) {
            m_landscape = landscape;
            willRotateToInterfaceOrientation(landscape);
        }
        // Flexible side margins: the overlay stays centred across the width.
        QRect r = m_activityView->geometry();
        r.moveLeft((view()->width() - r.width()) / 2);
        m_activityView->setGeometry(r);
    }
    return ShareWithWebViewController::eventFilter(watched, event);
}
