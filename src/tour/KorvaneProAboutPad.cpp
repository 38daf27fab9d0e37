#include "KorvaneProAboutPad.h"

#include "Application.h"
#include "Bundle.h"
#include "Device.h"
#include "Localization.h"
#include "StretchableImageView.h"
#include "ui_KorvaneProAboutPad.h"

#include <QLabel>

namespace {
struct Placement {
    const char* outlet;
    QPointF portrait;
    QPointF landscape;
};

// Centres in points for each orientation.
constexpr Placement kPlacements[] = {
    {"m_AdBackgroundImage", {384, 512}, {512, 384}},
    {"m_AccelerateView", {160, 271}, {160, 235}},
    {"m_Direction_maxAvgView", {614, 290}, {839, 243}},
    {"m_PadView", {384, 535}, {512, 451}},
    {"m_AlertView", {160, 525}, {160, 525}},
    {"m_Altitude_View", {160, 728}, {160, 728}},
    {"m_HUD_Explain_View", {608, 750}, {839, 526}},
    {"m_AppStoreButton", {384, 890}, {509, 660}},
    {"m_DownloadButton", {384, 184}, {512, 162}},
    {"m_PlusLeftButton", {25, 44}, {25, 44}},
    {"m_PlusRightButton", {743, 44}, {1000, 44}},
    {"m_BackButton", {384, 985}, {512, 735}},
    {"m_KorvaneLabel", {208, 44}, {352, 44}},
    {"m_ProLabel", {470, 44}, {614, 44}},
    {"m_AdByLabel", {384, 90}, {512, 84}},
    {"m_AppStoreLabel", {384, 264}, {512, 242}},
};
constexpr qreal kPadScalePortrait = 0.8;
constexpr qreal kPadScaleLandscape = 0.89;
constexpr const char* kTable = "KorvaneProAd";
} // namespace

void KorvaneProAboutViewPad::bindOutlets()
{
    const auto find = [this](auto*& outlet, const char* name) {
        using T = std::remove_pointer_t<std::remove_reference_t<decltype(outlet)>>;
        outlet = findChild<T*>(QLatin1String(name));
    };
    find(m_AdBackgroundImage, "m_AdBackgroundImage");
    find(m_AccelerateView, "m_AccelerateView");
    find(m_Direction_maxAvgView, "m_Direction_maxAvgView");
    find(m_Direction_maxAvg_image, "m_Direction_maxAvg_image");
    find(m_Direction_maxAvg_Lable, "m_Direction_maxAvg_Lable");
    find(m_PadView, "m_PadView");
    find(m_PadView_image, "m_PadView_image");
    find(m_AlertView, "m_AlertView");
    find(m_Altitude_View, "m_Altitude_View");
    find(m_HUD_Explain_View, "m_HUD_Explain_View");
    find(m_AppStoreButton, "m_AppStoreButton");
    find(m_DownloadButton, "m_DownloadButton");
    find(m_PlusLeftButton, "m_PlusLeftButton");
    find(m_PlusRightButton, "m_PlusRightButton");
    find(m_BackButton, "m_BackButton");
    find(m_KorvaneLabel, "m_KorvaneLabel");
    find(m_ProLabel, "m_ProLabel");
    find(m_AdByLabel, "m_AdByLabel");
    find(m_AppStoreLabel, "m_AppStoreLabel");
}

void KorvaneProAboutViewPad::layoutSubviews()
{
    const bool portrait = Application::isPortraitSize(size());
    m_AdBackgroundImage->resize(Device::tabletDesignSize(portrait));
    m_AdBackgroundImage->setImage(portrait ? QStringLiteral("AdsBackgroundPad_P.png")
                                           : QStringLiteral("AdsBackgroundPad_L.png"),
                                  0, 0);
    m_Direction_maxAvg_Lable->setText(portrait ? Localization::translate("KorvaneProAd", "53.text")
                                                     .orDefault(QStringLiteral("travel direction "))
                                               : Localization::translate("KorvaneProAd", "52.text")
                                                     .orDefault(QStringLiteral("max. ∅ speed ")));
    m_Direction_maxAvg_image->setImage(
        portrait ? QStringLiteral("compass.png") : QStringLiteral("max-avg.png"), 0, 0);
    // The gauge picture is scaled as a whole: its image fills it.
    const QString padImage = portrait ? QStringLiteral("middle_pad_horizontal.jpg")
                                      : QStringLiteral("middle_pad_vertical.jpg");
    const QSizeF natural = Bundle::image(padImage, 1.0).deviceIndependentSize();
    const qreal scale = portrait ? kPadScalePortrait : kPadScaleLandscape;
    m_PadView->resize((natural * scale).toSize());
    m_PadView_image->setGeometry(m_PadView->rect());
    m_PadView_image->setImage(padImage, 0, 0);
    m_AlertView->setHidden(portrait);
    m_Altitude_View->setHidden(!portrait);
    for (const Placement& p : kPlacements)
        if (auto* w = findChild<QWidget*>(QLatin1String(p.outlet))) {
            const QPointF c = portrait ? p.portrait : p.landscape;
            w->move(qRound(c.x() - w->width() / 2.0), qRound(c.y() - w->height() / 2.0));
        }
}

void KorvaneProAboutViewPad::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}

QWidget* KorvaneProAboutPad::createView()
{
    auto* view = new KorvaneProAboutViewPad;
    Ui::KorvaneProAboutPad ui;
    ui.setupUi(view);
    view->bindOutlets();
    return view;
}

void KorvaneProAboutPad::viewDidLoad()
{
    KorvaneProAbout::viewDidLoad();
    rotateAnimationInterval = 5.0;
    m_didTouche = false;
    m_isSegmentOnUpRise = true;
    m_animationPos = 200;
    m_blinkCount = 0;
    showAllVIews();
    loadLocal();
    static_cast<KorvaneProAboutViewPad*>(view())->layoutSubviews();
}

void KorvaneProAboutPad::alertBlinkTimerFunction()
{
    KorvaneProAbout::alertBlinkTimerFunction();
    if (!m_SpeedAlertFlashImageView || !isViewLoaded())
        return;
    QWidget* page = m_SpeedAlertFlashImageView->parentWidget();
    if (page && page->isVisibleTo(view()) && ++m_blinkCount == kBlinksShown) {
        m_SpeedAlertFlashImageView->setHidden(true);
        stopAlertBlinkTimer();
    }
}
