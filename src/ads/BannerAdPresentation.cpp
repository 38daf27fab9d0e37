#include "BannerAdPresentation.h"

#include "ActivityIndicatorView.h"
#include "Clock.h"
#include "GADRequest.h"

#include <QAbstractButton>
#include <QRectF>
#include <QWidget>
#include <cmath>

BannerAdViews BannerAdViews::find(QWidget* root)
{
    BannerAdViews views;
    if (!root)
        return views;
    views.m_adsShowDismissView = root->findChild<QWidget*>(QStringLiteral("m_adsShowDismissView"));
    views.m_adsNextButton = root->findChild<QAbstractButton*>(QStringLiteral("m_adsNextButton"));
    views.m_nextAdActivitiIndicatorView =
        root->findChild<ActivityIndicatorView*>(QStringLiteral("m_nextAdActivitiIndicatorView"));
    return views;
}

BannerAdPresentation::BannerAdPresentation(QWidget* rootViewController, const BannerAdViews& views,
                                           LocationProvider location, QObject* parent)
    : QObject(parent), m_adsShowDismissView(views.m_adsShowDismissView),
      m_adsNextButton(views.m_adsNextButton),
      m_nextAdActivitiIndicatorView(views.m_nextAdActivitiIndicatorView),
      m_root(rootViewController), m_location(std::move(location))
{
}

BannerAdPresentation::~BannerAdPresentation()
{
    adsShowDismissAnimationTimer.stop();
    if (m_adBannerView) {
        m_adBannerView->setDelegate(nullptr);
        delete m_adBannerView.data();
    }
}

QPointF BannerAdPresentation::center(const QWidget* view)
{
    return QRectF(view->geometry()).center();
}

void BannerAdPresentation::setCenter(QWidget* view, QPointF center)
{
    const QSize size = view->size();
    view->move(int(std::lround(center.x() - size.width() / 2.0)),
               int(std::lround(center.y() - size.height() / 2.0)));
}

void BannerAdPresentation::initAds()
{
    requestNewAd();
}

void BannerAdPresentation::createBanner(GADAdSize adSize, const QString& adUnitID)
{
    if (m_adBannerView || !m_adsShowDismissView)
        return;
    auto* banner = new GADBannerView(adSize, m_adsShowDismissView);
    banner->setAdUnitID(adUnitID);
    banner->setRootViewController(m_root);
    banner->setDelegate(this);
    banner->move(0, 0);
    banner->show();
    m_adBannerView = banner;
}

void BannerAdPresentation::startAds()
{
    createBanner(kPhoneAdSize, QString::fromLatin1(kPhoneAdUnitID));
}

void BannerAdPresentation::requestNewAd()
{
    startAds();
    if (!m_adBannerView)
        return;
    GADRequest request = GADRequest::request();
    if (m_location) {
        if (const std::optional<BannerAdLocation> where = m_location())
            request.setLocationWithLatitude(where->latitude, where->longitude, where->accuracy);
    }
    m_adBannerView->setRootViewController(m_root);
    m_adBannerView->loadRequest(request);
}

void BannerAdPresentation::stopAds()
{
    if (!m_adBannerView)
        return;
    GADBannerView* banner = m_adBannerView;
    banner->setDelegate(nullptr);
    m_adBannerView = nullptr;
    delete banner; // also takes it out of the container
    if (m_adsShowDismissView)
        m_adsShowDismissView->hide();
    m_posYAdsShowDismiss = 0.0f;
}

void BannerAdPresentation::requestFreshAd()
{
    if (!m_dateAddRecieved.isValid() ||
        m_dateAddRecieved.msecsTo(Clock::now()) <= kFreshAdThrottleMs)
        return;
    requestNewAd();
    if (m_adsNextButton)
        m_adsNextButton->hide();
    if (m_nextAdActivitiIndicatorView) {
        m_nextAdActivitiIndicatorView->show();
        m_nextAdActivitiIndicatorView->startAnimating();
    }
}

void BannerAdPresentation::showAdsView(float shownPosition)
{
    if (!(m_posYAdsShowDismiss < shownPosition))
        return;
    if (m_adsNextButton)
        m_adsNextButton->show();
    m_posYAdsShowDismiss = shownPosition;
    if (m_nextAdActivitiIndicatorView)
        m_nextAdActivitiIndicatorView->hide();
    startAdsShowDismissEffectAnimation();
    m_dateAddRecieved = Clock::now();
}

void BannerAdPresentation::dismissAdsView(float dismissedPosition)
{
    if (m_posYAdsShowDismiss > dismissedPosition) {
        if (m_adsNextButton)
            m_adsNextButton->hide();
        if (m_nextAdActivitiIndicatorView && !m_nextAdActivitiIndicatorView->isHidden()) {
            m_nextAdActivitiIndicatorView->hide();
            m_nextAdActivitiIndicatorView->stopAnimating();
        }
        m_posYAdsShowDismiss = dismissedPosition;
    }
    startAdsShowDismissEffectAnimation();
}

void BannerAdPresentation::animateShowAdsView()
{
    showAdsView(kShownPosition);
}

void BannerAdPresentation::animateDismissAdsView()
{
    dismissAdsView(kDismissedPosition);
}

void BannerAdPresentation::updateAdDismissButton(float speed)
{
    if (!m_adsShowDismissView || !m_dateAddRecieved.isValid())
        return;
    if (speed > kDismissAboveSpeed && m_dateAddRecieved.msecsTo(Clock::now()) > kDismissAfterMs &&
        m_posYAdsShowDismiss > kFullyInAbove && center(m_adsShowDismissView).y() > kFullyInAbove)
        animateDismissAdsView();
}

void BannerAdPresentation::startAdsShowDismissEffectAnimation()
{
    adsShowDismissAnimationInterval = kSlideInterval;
    adsShowDismissAnimationTimer.start(adsShowDismissAnimationInterval,
                                       [this] { drawAdsShowDismissEffectAnimationControllFunc(); });
}

bool BannerAdPresentation::stopAdsShowDismissEffectAnimation()
{
    return adsShowDismissAnimationTimer.stop();
}

void BannerAdPresentation::drawAdsShowDismissEffectAnimationControllFunc()
{
    QWidget* container = m_adsShowDismissView;
    if (container) {
        const QPointF c = center(container);
        if (c.y() != double(m_posYAdsShowDismiss) && !container->isHidden()) {
            const double y = c.y() < double(m_posYAdsShowDismiss) ? c.y() + kSlideStepDown
                                                                  : c.y() - kSlideStepUp;
            setCenter(container, QPointF(c.x(), y));
            return;
        }
    }
    if (m_posYAdsShowDismiss < kRemoveBelowTarget)
        stopAds();
    stopAdsShowDismissEffectAnimation();
}

void BannerAdPresentation::receiveAd(std::optional<qreal> entryX, qreal entryY)
{
    bool entering = false;
    if (m_adsShowDismissView && m_adsShowDismissView->isHidden()) {
        const qreal x = entryX ? *entryX : center(m_adsShowDismissView).x();
        setCenter(m_adsShowDismissView, QPointF(x, entryY));
        m_adsShowDismissView->show();
        entering = true;
    }
    if (m_posYAdsShowDismiss < kShowBelowTarget)
        animateShowAdsView();
    else if (entering)
        // Already aimed at the shown position (a tap while the ad loaded):
        // slide there, or it would wait off screen.
        startAdsShowDismissEffectAnimation();
    m_dateAddRecieved = Clock::now();
    restoreNextAdButton();
}

void BannerAdPresentation::restoreNextAdButton()
{
    if (!m_adsNextButton || !m_nextAdActivitiIndicatorView)
        return;
    if (m_adsNextButton->isHidden() && !m_nextAdActivitiIndicatorView->isHidden()) {
        m_nextAdActivitiIndicatorView->hide();
        m_nextAdActivitiIndicatorView->stopAnimating();
        m_adsNextButton->show();
    }
}

void BannerAdPresentation::adViewDidReceiveAd(GADBannerView*)
{
    receiveAd(kEntryCenter.x(), kEntryCenter.y());
}

void BannerAdPresentation::adView_didFailToReceiveAdWithError(GADBannerView*,
                                                              const GADRequestError&)
{
    m_dateAddRecieved = Clock::now();
    restoreNextAdButton();
}
