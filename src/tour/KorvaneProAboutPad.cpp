#include "KorvaneProAboutPad.h"

#include "Application.h"
#include "Bundle.h"
#include "Device.h"
#include "Localization.h"
#include "StretchableImageView.h"
#include "ui_KorvaneProAboutPad.h"

#include <QLabel>

namespace {
constexpr qreal kPadScalePortrait = 0.8;
constexpr qreal kPadScaleLandscape = 0.89;
} // namespace

void KorvaneProAboutViewPad::bindOutlets(const Ui::KorvaneProAboutPad& form)
{
    m_AdBackgroundImage = form.m_AdBackgroundImage;
    m_AccelerateView = form.m_AccelerateView;
    m_Direction_maxAvgView = form.m_Direction_maxAvgView;
    m_Direction_maxAvg_image = form.m_Direction_maxAvg_image;
    m_Direction_maxAvg_Lable = form.m_Direction_maxAvg_Lable;
    m_PadView = form.m_PadView;
    m_PadView_image = form.m_PadView_image;
    m_AlertView = form.m_AlertView;
    m_Altitude_View = form.m_Altitude_View;
    m_HUD_Explain_View = form.m_HUD_Explain_View;
    m_AppStoreButton = form.m_AppStoreButton;
    m_DownloadButton = form.m_DownloadButton;
    m_PlusLeftButton = form.m_PlusLeftButton;
    m_PlusRightButton = form.m_PlusRightButton;
    m_BackButton = form.m_BackButton;
    m_KorvaneLabel = form.m_KorvaneLabel;
    m_ProLabel = form.m_ProLabel;
    m_AdByLabel = form.m_AdByLabel;
    m_AppStoreLabel = form.m_AppStoreLabel;
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
    // Centres in points for each orientation.
    const auto place = [portrait](QWidget* w, QPointF inPortrait, QPointF inLandscape) {
        const QPointF c = portrait ? inPortrait : inLandscape;
        w->move(qRound(c.x() - w->width() / 2.0), qRound(c.y() - w->height() / 2.0));
    };
    place(m_AdBackgroundImage, {384, 512}, {512, 384});
    place(m_AccelerateView, {160, 271}, {160, 235});
    place(m_Direction_maxAvgView, {614, 290}, {839, 243});
    place(m_PadView, {384, 535}, {512, 451});
    place(m_AlertView, {160, 525}, {160, 525});
    place(m_Altitude_View, {160, 728}, {160, 728});
    place(m_HUD_Explain_View, {608, 750}, {839, 526});
    place(m_AppStoreButton, {384, 890}, {509, 660});
    place(m_DownloadButton, {384, 184}, {512, 162});
    place(m_PlusLeftButton, {25, 44}, {25, 44});
    place(m_PlusRightButton, {743, 44}, {1000, 44});
    place(m_BackButton, {384, 985}, {512, 735});
    place(m_KorvaneLabel, {208, 44}, {352, 44});
    place(m_ProLabel, {470, 44}, {614, 44});
    place(m_AdByLabel, {384, 90}, {512, 84});
    place(m_AppStoreLabel, {384, 264}, {512, 242});
}

void KorvaneProAboutViewPad::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}

KorvaneProAboutPad::KorvaneProAboutPad(QObject* parent) : KorvaneProAbout(parent) {}

KorvaneProAboutPad::~KorvaneProAboutPad() = default;

QWidget* KorvaneProAboutPad::createView()
{
    auto* view = new KorvaneProAboutViewPad;
    m_ui = std::make_unique<Ui::KorvaneProAboutPad>();
    m_ui->setupUi(view);
    view->bindOutlets(*m_ui);
    // The outlets of the phone's tour that this form has as well.
    m_LableSheet3 = m_ui->m_LableSheet3;
    m_LableSheet4 = m_ui->m_LableSheet4;
    m_LableSheet6 = m_ui->m_LableSheet6;
    m_LableHUDExplain = m_ui->m_LableHUDExplain;
    m_altitude_value_Label = m_ui->m_altitude_value_Label;
    m_altitude_value_background_Label = m_ui->m_altitude_value_background_Label;
    m_SpeedAlertFlashImageView = m_ui->m_SpeedAlertFlashImageView;
    wireKeys({m_ui->m_AppStoreButton, m_ui->m_DownloadButton, m_ui->m_PlusLeftButton,
              m_ui->m_PlusRightButton},
             {m_ui->m_BackButton});
    const FormTexts texts = formTexts();
    m_ui->m_AppStoreButton->setText(texts.available);
    m_ui->m_DownloadButton->setText(texts.download);
    m_ui->m_AppStoreLabel->setText(texts.inTheStore);
    m_ui->m_BackButton->setText(texts.done);
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
