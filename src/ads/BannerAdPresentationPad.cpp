#include "BannerAdPresentationPad.h"

#include "ActivityIndicatorView.h"
#include "Application.h"

#include <QEvent>
#include <QPushButton>
#include <QWidget>

namespace {
// The phone's interface file gives its next-ad button the same look.
constexpr char kNextAdButtonStyle[] =
    "QPushButton { color: white; background: rgba(0, 0, 0, 150); border: 1px solid rgba(255, "
    "255, 255, 170); border-radius: 14px; font-size: 18px; padding: 0 0 2px 0; }"
    "QPushButton:pressed { background: rgba(255, 255, 255, 90); }";
constexpr int kNextAdButtonSide = 28;
constexpr int kNextAdIndicatorSide = 20;
constexpr int kNextAdMargin = 8; // from the banner's right end
} // namespace

GADAdSize BannerAdPresentationPad::adSizeForOrientation(int orientation)
{
    const double width = isLandscape(orientation) ? kLandscapeAdWidth : kPortraitAdWidth;
    return GADAdSizeFromSize(QSizeF(width, kAdHeight));
}

int BannerAdPresentationPad::currentInterfaceOrientation()
{
    return Application::shared().isPortrait() ? InterfaceOrientationPortrait
                                              : InterfaceOrientationLandscapeRight;
}

void BannerAdPresentationPad::startAds()
{
    createBanner(adSizeForOrientation(m_interfaceOrientation),
                 QString::fromLatin1(kTabletAdUnitID));
}

void BannerAdPresentationPad::animateShowAdsView()
{
    showAdsView(kTabletShownPosition);
}

void BannerAdPresentationPad::animateDismissAdsView()
{
    dismissAdsView(kTabletDismissedPosition);
}

void BannerAdPresentationPad::adViewDidReceiveAd(GADBannerView*)
{
    receiveAd(std::nullopt, kTabletEntryY);
}

void BannerAdPresentationPad::rotateToInterfaceOrientation(int orientation)
{
    m_interfaceOrientation = orientation;
    // The screen is laid out after the banner is made: follow its size.
    if (m_adsShowDismissView && m_adsShowDismissView->parentWidget()) {
        m_adsShowDismissView->parentWidget()->removeEventFilter(this);
        m_adsShowDismissView->parentWidget()->installEventFilter(this);
    }
    if (m_adBannerView)
        m_adBannerView->setAdSize(adSizeForOrientation(orientation));
    fitContainer(orientation);
}

bool BannerAdPresentationPad::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && m_adsShowDismissView &&
        watched == m_adsShowDismissView->parentWidget())
        fitContainer(m_interfaceOrientation);
    return BannerAdPresentation::eventFilter(watched, event);
}

void BannerAdPresentationPad::fitContainer(int orientation)
{
    QWidget* container = m_adsShowDismissView;
    QWidget* root = container ? container->parentWidget() : nullptr;
    if (!root)
        return;
    const int width = int(adSizeForOrientation(orientation).size.width());
    const int grown = width - container->width();
    // The next-ad button and indicator keep their place under the banner's right end.
    for (QWidget* child : {static_cast<QWidget*>(m_adsNextButton.data()),
                           static_cast<QWidget*>(m_nextAdActivitiIndicatorView.data())})
        if (child && child->parentWidget() == container)
            child->move(child->x() + grown, child->y());
    const qreal y = center(container).y();
    container->resize(width, container->height());
    setCenter(container, QPointF(root->width() / 2.0, y));
}

BannerAdViews BannerAdPresentationPad::createViews(QWidget* root, int orientation)
{
    BannerAdViews views;
    const QSizeF ad = adSizeForOrientation(orientation).size;
    const int width = int(ad.width());
    const int bannerHeight = int(ad.height());

    auto* container = new QWidget(root);
    container->setObjectName(QStringLiteral("m_adsShowDismissView"));
    container->resize(width, kContainerHeight);
    setCenter(container, QPointF(root->width() / 2.0, double(kTabletDismissedPosition)));

    auto* button = new QPushButton(QStringLiteral("\u21BB"), container);
    button->setObjectName(QStringLiteral("m_adsNextButton"));
    button->setStyleSheet(QString::fromLatin1(kNextAdButtonStyle));
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(width - kNextAdMargin - kNextAdButtonSide,
                        bannerHeight + (kContainerHeight - bannerHeight - kNextAdButtonSide) / 2,
                        kNextAdButtonSide, kNextAdButtonSide);

    auto* indicator = new ActivityIndicatorView(container);
    indicator->setObjectName(QStringLiteral("m_nextAdActivitiIndicatorView"));
    const QPoint middle = button->geometry().center();
    indicator->setGeometry(middle.x() + 1 - kNextAdIndicatorSide / 2,
                           middle.y() + 1 - kNextAdIndicatorSide / 2, kNextAdIndicatorSide,
                           kNextAdIndicatorSide);

    container->hide();
    container->raise();
    views.m_adsShowDismissView = container;
    views.m_adsNextButton = button;
    views.m_nextAdActivitiIndicatorView = indicator;
    return views;
}
