#include "adPad.h"

// Registered during static initialisation; the library's link options keep
// this object in every binary that links korvane_ads.
extern "C" {
extern const bool korvane_adPad_registered;
const bool korvane_adPad_registered = GADCustomEventRegistry::registerClass(
    QString::fromLatin1(adPad::kClassName), [] { return std::make_unique<adPad>(); });
}

adPad::~adPad()
{
    m_delegate = nullptr;
    if (m_AdBannerView)
        m_AdBannerView->setDelegate(nullptr);
    m_AdBannerView.reset();
}

void adPad::requestBannerAd(GADAdSize adSize, const QString& /*serverParameter*/,
                            const QString& /*serverLabel*/,
                            const GADCustomEventRequest& /*request*/)
{
    if (m_AdBannerView)
        m_AdBannerView->setDelegate(nullptr);
    if (ADBannerView::respondsToInitWithAdType()) {
        m_AdBannerView = std::make_unique<ADBannerView>(ADBannerView::ADAdType::Banner);
        const double width = adSize.size.width();
        // The tablet widths; any other width keeps the platform's own frame.
        if (width == 1024.0 || width == 768.0) {
            QRect frame = m_AdBannerView->frame();
            frame.setWidth(int(width));
            m_AdBannerView->setFrame(frame);
        }
    } else {
        m_AdBannerView = std::make_unique<ADBannerView>();
    }
    if (!m_holder)
        m_holder = std::make_unique<QWidget>();
    m_AdBannerView->setParent(m_holder.get());
    m_AdBannerView->setDelegate(this);
}

void adPad::bannerViewDidLoadAd(ADBannerView* banner)
{
    banner->setHidden(false);
    if (m_delegate)
        m_delegate->customEventBanner_didReceiveAd(this, banner);
}

void adPad::bannerView_didFailToReceiveAdWithError(ADBannerView* banner, const ADError& error)
{
    banner->setHidden(true);
    if (m_delegate) {
        GADRequestError e;
        e.domain = error.domain;
        e.code = error.code;
        e.localizedDescription = error.localizedDescription;
        m_delegate->customEventBanner_didFailAd(this, e);
    }
}

bool adPad::bannerViewActionShouldBegin(ADBannerView* /*banner*/, bool willLeaveApplication)
{
    if (m_delegate) {
        if (willLeaveApplication)
            m_delegate->customEventBannerWillLeaveApplication(this);
        else
            m_delegate->customEventBannerWillPresentModal(this);
    }
    return true;
}

void adPad::bannerViewActionDidFinish(ADBannerView* /*banner*/)
{
    if (m_delegate)
        m_delegate->customEventBannerDidDismissModal(this);
}
