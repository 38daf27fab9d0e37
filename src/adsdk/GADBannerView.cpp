#include "GADBannerView.h"

#include "Application.h"
#include "BandedPainting.h"
#include "GADAdServerFetch.h"
#include "GADArtwork.h"
#include "GADCustomEventBanner.h"
#include "GADFullScreenAdView.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

// The mediation object a custom event reports to. Custom events may call from
// any thread and from within their own calls, so every report is posted to the
// banner and acted on later, when the custom event may safely be destroyed.
class GADBannerView::MediationAttempt final : public GADCustomEventBannerDelegate {
public:
    MediationAttempt(GADBannerView* banner, quint64 serial, const QString& className,
                     std::unique_ptr<GADCustomEventBanner> event)
        : banner(banner), serial(serial), className(className), event(std::move(event))
    {
    }
    ~MediationAttempt() override
    {
        if (event)
            event->setDelegate(nullptr);
        event.reset();
    }

    void customEventBanner_didReceiveAd(GADCustomEventBanner*, QWidget* view) override
    {
        post([s = serial, v = QPointer<QWidget>(view)](GADBannerView* b) {
            b->customEventReceived(s, v.data());
        });
    }
    void customEventBanner_didFailAd(GADCustomEventBanner*, const GADRequestError& error) override
    {
        post([s = serial, error](GADBannerView* b) { b->customEventFailed(s, error); });
    }
    void customEventBannerWillPresentModal(GADCustomEventBanner*) override
    {
        post([s = serial](GADBannerView* b) { b->customEventModal(s, ModalEvent::WillPresent); });
    }
    void customEventBannerDidDismissModal(GADCustomEventBanner*) override
    {
        post([s = serial](GADBannerView* b) { b->customEventModal(s, ModalEvent::DidDismiss); });
    }
    void customEventBannerWillLeaveApplication(GADCustomEventBanner*) override
    {
        post([s = serial](GADBannerView* b) { b->customEventModal(s, ModalEvent::WillLeave); });
    }

    GADBannerView* banner;
    const quint64 serial;
    const QString className;
    std::unique_ptr<GADCustomEventBanner> event;
    QPointer<QWidget> view;

private:
    template <class F> void post(F f)
    {
        // Dropped by Qt when the banner is gone before it runs.
        GADBannerView* b = banner;
        QMetaObject::invokeMethod(
            b, [b, f] { f(b); }, Qt::QueuedConnection);
    }
};

struct GADBannerView::Private {
    GADAdSize adSize;
    QString adUnitID;
    QPointer<QWidget> root;
    GADBannerViewDelegate* delegate = nullptr;
    GADRequest request;
    bool hasRequest = false;

    // Answers of superseded loads carry an old generation and are dropped.
    quint64 generation = 0;
    quint64 nextSerial = 0;
    bool loading = false;
    std::unique_ptr<GADAdServerFetch> fetch;
    QList<GADMediatedNetwork> pendingMediation;
    std::optional<GADCreative> pendingAd;
    std::optional<GADRequestError> mediationError;
    std::unique_ptr<MediationAttempt> attempt;      // loading
    std::unique_ptr<MediationAttempt> shownAttempt; // its view on show

    std::optional<GADCreative> creative;
    std::unique_ptr<GADArtwork> artwork;
    KeptPicture picture; // the creative; a sliding banner repaints every frame

    QTimer refreshTimer;
    bool refreshDue = false;
    bool mediatedModal = false;
    QPointer<GADFullScreenAdView> screen;
};

GADBannerView::GADBannerView(GADAdSize adSize, QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("GADBannerView"));
    d->adSize = adSize;
    setFixedSize(adSize.isValid() ? adSize.size.toSize() : QSize(0, 0));
    d->refreshTimer.setSingleShot(true);
    connect(&d->refreshTimer, &QTimer::timeout, this, &GADBannerView::onRefreshTimer);
}

GADBannerView::~GADBannerView()
{
    // The screen belongs to the root view; it may be delivering a click to us.
    if (d->screen) {
        d->screen->hide();
        d->screen->deleteLater();
    }
    // Custom events go before the widget's children, so their views are
    // destroyed once, by their owners.
    cancelLoad();
    d->shownAttempt.reset();
}

bool GADBannerView::isValidAdUnitID(const QString& adUnitID)
{
    static const QRegularExpression pattern(QStringLiteral("^ca-app-pub-[0-9]{16}/[0-9]{10}$"));
    return pattern.match(adUnitID).hasMatch();
}

void GADBannerView::setAdUnitID(const QString& adUnitID)
{
    d->adUnitID = adUnitID;
}

QString GADBannerView::adUnitID() const
{
    return d->adUnitID;
}

void GADBannerView::setRootViewController(QWidget* root)
{
    d->root = root;
}

QWidget* GADBannerView::rootViewController() const
{
    return d->root;
}

void GADBannerView::setDelegate(GADBannerViewDelegate* delegate)
{
    d->delegate = delegate;
}

GADBannerViewDelegate* GADBannerView::delegate() const
{
    return d->delegate;
}

void GADBannerView::loadRequest(const GADRequest& request)
{
    d->request = request;
    d->hasRequest = true;
    startLoad();
}

void GADBannerView::setAdSize(GADAdSize adSize)
{
    if (adSize == d->adSize)
        return;
    d->adSize = adSize;
    setFixedSize(adSize.isValid() ? adSize.size.toSize() : QSize(0, 0));
    update();
    if (!d->hasRequest)
        return;
    if (d->screen || d->mediatedModal)
        d->refreshDue = true;
    else
        refresh();
}

GADAdSize GADBannerView::adSize() const
{
    return d->adSize;
}

void GADBannerView::refresh()
{
    if (d->hasRequest)
        startLoad();
}

bool GADBannerView::isRefreshScheduled() const
{
    return d->refreshTimer.isActive() || d->refreshDue;
}

bool GADBannerView::isLoading() const
{
    return d->loading;
}

bool GADBannerView::hasAd() const
{
    return d->creative.has_value() || d->shownAttempt != nullptr;
}

std::optional<GADCreative> GADBannerView::creative() const
{
    return d->creative;
}

QString GADBannerView::mediatedClassName() const
{
    return d->shownAttempt ? d->shownAttempt->className : QString();
}

QWidget* GADBannerView::mediatedAdView() const
{
    return d->shownAttempt ? d->shownAttempt->view.data() : nullptr;
}

GADCustomEventBanner* GADBannerView::mediatedCustomEvent() const
{
    return d->shownAttempt ? d->shownAttempt->event.get() : nullptr;
}

QWidget* GADBannerView::presentedScreen() const
{
    return d->screen;
}

void GADBannerView::startLoad()
{
    cancelLoad();
    d->refreshTimer.stop();
    d->refreshDue = false;
    d->loading = true;
    const quint64 generation = ++d->generation;

    if (!isValidAdUnitID(d->adUnitID))
        return failLater(kGADErrorInvalidRequest, QStringLiteral("invalid ad unit identifier"));
    if (!d->root)
        return failLater(kGADErrorInvalidRequest, QStringLiteral("no root view controller"));
    if (!d->adSize.isValid())
        return failLater(kGADErrorInvalidRequest, QStringLiteral("invalid ad size"));

    const QUrl server = GADMobileAds::serverURL();
    if (!server.isEmpty()) {
        d->fetch = std::make_unique<GADAdServerFetch>(
            server, d->adUnitID, d->adSize, d->request,
            [this, generation](const GADAdServerFetch::Result& result) {
                onNetworkAnswer(generation, result.response, result.error);
            });
        return;
    }
    GADAdResponse response = GADHouseNetwork::shared().respond(d->adUnitID);
    QMetaObject::invokeMethod(
        this,
        [this, generation, response] {
            if (response.isEmpty())
                onNetworkAnswer(generation, std::nullopt,
                                GADRequestError::make(kGADErrorNoFill,
                                                      QStringLiteral("no ad for this request")));
            else
                onNetworkAnswer(generation, response, {});
        },
        Qt::QueuedConnection);
}

void GADBannerView::cancelLoad()
{
    d->fetch.reset();
    d->attempt.reset();
    d->pendingMediation.clear();
    d->pendingAd.reset();
    d->mediationError.reset();
}

void GADBannerView::failLater(int code, const QString& description)
{
    const quint64 generation = d->generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation, code, description] {
            onNetworkAnswer(generation, std::nullopt, GADRequestError::make(code, description));
        },
        Qt::QueuedConnection);
}

void GADBannerView::onNetworkAnswer(quint64 generation,
                                    const std::optional<GADAdResponse>& response,
                                    const GADRequestError& error)
{
    if (generation != d->generation || !d->loading)
        return;
    // We may be inside the fetch's own slot.
    if (d->fetch)
        d->fetch.release()->deleteLater();
    if (!response)
        return finishFailure(error);
    d->pendingMediation = response->mediation;
    d->pendingAd = response->ad;
    tryNextSource();
}

void GADBannerView::tryNextSource()
{
    while (!d->pendingMediation.isEmpty()) {
        const GADMediatedNetwork network = d->pendingMediation.takeFirst();
        std::unique_ptr<GADCustomEventBanner> event =
            GADCustomEventRegistry::create(network.className);
        if (!event) {
            d->mediationError =
                GADRequestError::make(kGADErrorMediationNoFill,
                                      QStringLiteral("no custom event class ") + network.className);
            continue;
        }
        d->attempt = std::make_unique<MediationAttempt>(this, ++d->nextSerial, network.className,
                                                        std::move(event));
        GADCustomEventRequest request;
        request.userHasLocation = d->request.hasLocation();
        request.userLatitude = d->request.latitude();
        request.userLongitude = d->request.longitude();
        request.userLocationAccuracyInMeters = d->request.accuracy();
        GADCustomEventBanner* e = d->attempt->event.get();
        e->setDelegate(d->attempt.get());
        e->requestBannerAd(d->adSize, network.parameter, network.label, request);
        return;
    }
    if (d->pendingAd) {
        const GADCreative creative = *d->pendingAd;
        d->pendingAd.reset();
        return showCreative(creative);
    }
    if (d->mediationError)
        return finishFailure(*d->mediationError);
    finishFailure(GADRequestError::make(kGADErrorNoFill, QStringLiteral("no ad for this request")));
}

void GADBannerView::customEventReceived(quint64 serial, QWidget* view)
{
    if (!d->attempt || d->attempt->serial != serial)
        return;
    if (!view)
        return customEventFailed(serial, GADRequestError::make(kGADErrorMediationNoFill,
                                                               QStringLiteral("no banner view")));
    d->shownAttempt = std::move(d->attempt); // the previous custom event and its view go
    d->shownAttempt->view = view;
    d->creative.reset();
    d->artwork.reset();
    d->picture.forget();
    d->mediatedModal = false;
    // Reparenting hides a widget; keep what the custom event chose.
    const bool visible = !view->isHidden();
    view->setParent(this);
    view->move(0, 0);
    view->setVisible(visible);
    d->loading = false;
    update();
    scheduleRefresh();
    if (d->delegate)
        d->delegate->adViewDidReceiveAd(this);
}

void GADBannerView::customEventFailed(quint64 serial, const GADRequestError& error)
{
    if (!d->attempt || d->attempt->serial != serial)
        return;
    d->attempt.reset();
    d->mediationError = GADRequestError::make(kGADErrorMediationNoFill, error.localizedDescription);
    tryNextSource();
}

void GADBannerView::customEventModal(quint64 serial, ModalEvent event)
{
    if (!d->shownAttempt || d->shownAttempt->serial != serial)
        return;
    QPointer<GADBannerView> self(this);
    switch (event) {
    case ModalEvent::WillPresent:
        d->mediatedModal = true;
        if (d->delegate)
            d->delegate->adViewWillPresentScreen(this);
        return;
    case ModalEvent::DidDismiss:
        d->mediatedModal = false;
        if (d->delegate)
            d->delegate->adViewWillDismissScreen(this);
        if (self && d->delegate)
            d->delegate->adViewDidDismissScreen(this);
        if (self && d->refreshDue)
            refresh();
        return;
    case ModalEvent::WillLeave:
        if (d->delegate)
            d->delegate->adViewWillLeaveApplication(this);
        return;
    }
}

void GADBannerView::showCreative(const GADCreative& creative)
{
    d->shownAttempt.reset();
    d->mediatedModal = false;
    d->creative = creative;
    d->artwork = std::make_unique<GADArtwork>(creative);
    d->picture.forget();
    d->loading = false;
    update();
    scheduleRefresh();
    if (d->delegate)
        d->delegate->adViewDidReceiveAd(this);
}

void GADBannerView::finishFailure(const GADRequestError& error)
{
    d->loading = false;
    d->attempt.reset();
    // The network may fill the next request; keep asking.
    scheduleRefresh();
    if (d->delegate)
        d->delegate->adView_didFailToReceiveAdWithError(this, error);
}

void GADBannerView::scheduleRefresh()
{
    d->refreshTimer.start(std::chrono::milliseconds(GADMobileAds::kRefreshInterval));
}

void GADBannerView::onRefreshTimer()
{
    // Never swap the ad under a user who is looking at its content.
    if (d->screen || d->mediatedModal)
        d->refreshDue = true;
    else
        refresh();
}

void GADBannerView::presentScreen()
{
    if (!d->creative || d->screen)
        return;
    if (!d->root)
        return leaveApplication();
    QPointer<GADBannerView> self(this);
    if (d->delegate)
        d->delegate->adViewWillPresentScreen(this);
    if (!self || !d->root || !d->creative)
        return;
    auto* screen = new GADFullScreenAdView(*d->creative, d->root);
    d->screen = screen;
    connect(screen, &GADFullScreenAdView::closeRequested, this, &GADBannerView::dismissScreen);
    connect(screen, &GADFullScreenAdView::openRequested, this, &GADBannerView::leaveApplication);
    screen->show();
}

void GADBannerView::dismissScreen()
{
    if (!d->screen)
        return;
    QPointer<GADBannerView> self(this);
    if (d->delegate)
        d->delegate->adViewWillDismissScreen(this);
    if (!self)
        return;
    if (d->screen) {
        // We may be inside one of its buttons' signals.
        d->screen->hide();
        d->screen->deleteLater();
        d->screen = nullptr;
    }
    if (d->delegate)
        d->delegate->adViewDidDismissScreen(this);
    if (self && d->refreshDue)
        refresh();
}

void GADBannerView::leaveApplication()
{
    if (!d->creative)
        return;
    const QUrl url = d->creative->clickURL;
    QPointer<GADBannerView> self(this);
    if (d->delegate)
        d->delegate->adViewWillLeaveApplication(this);
    Application::shared().openURL(url);
    if (self)
        dismissScreen();
}

void GADBannerView::paintEvent(QPaintEvent*)
{
    if (!d->creative || !d->artwork)
        return;
    QPainter painter(this);
    d->picture.paint(painter, *this, [this](QPainter& p) {
        GADCreativeLayout::paintBanner(p, QRectF(rect()), *d->creative, *d->artwork);
    });
}

void GADBannerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        d->creative) {
        presentScreen();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
