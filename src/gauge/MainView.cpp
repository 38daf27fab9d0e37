#include "MainView.h"

#include "AlphaView.h"
#include "Application.h"
#include "Device.h"
#include "DialGeometry.h"
#include "GaugeResources.h"
#include "ImageView.h"
#include "MainViewOwner.h"
#include "NeedleContainer.h"
#include "Property.h"
#include "RotatingButton.h"
#include "RotatingImageView.h"
#include "StoreLinks.h"
#include "ui_MainView.h"
#include "ui_MainViewPad.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <numbers>

namespace {
constexpr double kNeedleInterval = 1.0 / 30.0;
constexpr float kNeedleLandingAngle = 0.007f;
constexpr double kNeedleMinStep = 0.007;
constexpr float kNeedleStepDivisor = 40.0f;
constexpr float kAccuracyLandingMeters = 3.0f;
constexpr float kAccuracyStepDivisor = 10.0f;
constexpr float kStartAccuracyMeters = 300.0f;

// Accuracy needle: π at 300 m or worse, 2π below 1 m.
constexpr float kAccuracyWorst = 300.0f;
constexpr float kAccuracyBest = 1.0f;
constexpr double kAccuracyRadiansPerMeter = 0.010471975803375244;
constexpr float kPiF = 3.1415927410125732f;
constexpr float kTwoPiF = float(2.0 * std::numbers::pi);

constexpr double kAdProInterval = 0.04;
constexpr double kAdProStep = 0.1;

constexpr float kOverlayFadeInterval = 0.04f;
constexpr double kOverlayFadeStep = 0.04;
constexpr double kOverlayHiddenBelow = 0.05;

constexpr double kReviewAfterMeters = 150000.0;
constexpr const char* kReviewTitle = "Hello";
constexpr const char* kReviewMessage =
    "You are using me for a while now!\n\n If you like how I work and you have experiences or "
    "stories to tell about me!\n Think to share them with other interested users: \n\n\u2192 "
    "write a review on the App Store.\n\n Best Regards,\n Your APP :-)";
constexpr const char* kReviewCancel = "(X)";
constexpr const char* kReviewStore = "App Store";
constexpr int kReviewStoreButton = 1;

constexpr const char* kAccuracyNeedleImage = "korvaneGpsZeiger.png";
} // namespace

MainView::MainView(QWidget* parent) : MainView(parent, NoLayout{})
{
    m_ui = std::make_unique<Ui::MainView>();
    m_ui->setupUi(this);
    bindLayout(*m_ui);
}

MainView::MainView(QWidget* parent, NoLayout) : QWidget(parent)
{
    GaugeResources::ensureLoaded();
    setAttribute(Qt::WA_AcceptTouchEvents);
}

MainView::~MainView()
{
    smothZeigerStopEffectAnimation();
    stop_properties_AnimationTimer();
    adProAnimationTimer.stop();
    for (AlertView* alert : AlertView::visibleAlerts())
        if (alert->delegate() == this)
            alert->setDelegate(nullptr);
    if (m_GPSLocation)
        m_GPSLocation->setDelegate(nullptr);
}

template <class Form> void MainView::bindLayout(const Form& form)
{
    cLight = form.cLight;
    addsView = form.addsView;
    m_GenauigkeitMeter = form.m_GenauigkeitMeter;
    m_speedLabel = form.m_speedLabel;
    m_View_Main = form.m_View_Main;
    m_speedZeiger = form.m_speedZeiger;
    m_gpsZeiger = form.m_gpsZeiger;
    m_BackgroundView = form.m_BackgroundView;
    m_friendShareButton = form.m_friendShareButton;
    iButton = form.iButton;
    adProButton = form.adProButton;
    m_Speedo_Label = form.m_Speedo_Label;
    m_distanceTraveled = form.m_distanceTraveled;
    m_distanceTraveled_Background = form.m_distanceTraveled_Background;
    m_distanceUnitLabel = form.m_distanceUnitLabel;
    m_properties_twitter_webio_Button = form.m_properties_twitter_webio_Button;
    m_properties_facebook_Button = form.m_properties_facebook_Button;
    m_settingsButton = form.m_settingsButton;
    m_zentrikAppsButton = form.m_zentrikAppsButton;
    m_moreAppsButton = form.m_moreAppsButton;
    m_needleContainer = form.m_speedElementsView;
    connect(m_moreAppsButton, &QPushButton::clicked, this, &MainView::moreAppsButtonAction);

    // Face, needles and read-outs lie over most of the gauge; presses on
    // them are the dial's. Buttons keep their own.
    for (QWidget* passive :
         std::initializer_list<QWidget*>{m_View_Main, m_needleContainer, cLight, m_GenauigkeitMeter,
                                         m_speedLabel, m_Speedo_Label, m_distanceTraveled,
                                         m_distanceTraveled_Background, m_distanceUnitLabel})
        passive->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The two forms the gauge is built from.
template void MainView::bindLayout(const Ui::MainView&);
template void MainView::bindLayout(const Ui::MainViewPad&);

NeedleContainer* MainView::needleContainer() const
{
    return m_needleContainer;
}

int32_t MainView::speedUnit() const
{
    return (prop ? prop : Property::instance())->m_speedUnit;
}

float MainView::speedToAngle(float metersPerSecond) const
{
    return DialGeometry::speedToAngle(metersPerSecond, speedUnit());
}

float MainView::speedInUniteToAngle(float speedInUnit) const
{
    return DialGeometry::speedInUniteToAngle(speedInUnit, speedUnit());
}

float MainView::getSkinMaxSpeedRangeInUnit() const
{
    return DialGeometry::getSkinMaxSpeedRangeInUnit(speedUnit());
}

float MainView::touchAngleOnWheel(QPointF point) const
{
    return DialGeometry::touchAngleOnWheel(point, DialGeometry::kPhoneWheelCenter);
}

float MainView::touchRadiusOnWheel(QPointF point) const
{
    return DialGeometry::touchRadiusOnWheel(point, DialGeometry::kPhoneWheelCenter);
}

// ---------------------------------------------------------------------------
// Start-up and speed updates

void MainView::addProperty(Property* s)
{
    prop = s;
    m_onFlipView = false;
    m_onSpeedNeedleFunAdjust = false;

    adProAnimationInterval = kAdProInterval;
    m_currentAdProAngle = 0;
    startAdProEffectAnimation();

    smothZeigereffectAnimationInterval = kNeedleInterval;

    // Set once; speed updates leave it alone.
    const char* format = prop->m_speedUnit == 1   ? "%1.1f mph"
                         : prop->m_speedUnit == 2 ? "%1.1f kn"
                                                  : "%1.1f km/h";
    m_speedLabel->setText(QString::asprintf(format, 0.0));

    m_realGenauigkeitMeterGPS = kStartAccuracyMeters;
    m_currentGenauigkeitMeterGPS = kStartAccuracyMeters;
    m_gpsZeiger->setRotation(kPiF);
    m_gpsZeiger->show();

    setViewInit();

    m_GPSLocation = std::make_unique<GPSLocation>(m_locationSource);
    m_GPSLocation->setDelegate(this);

    const float a = speedToAngle(0);
    m_speedZeigerAngle = a;
    m_currentZeigerAngle = a;
    m_speedZeiger->setRotation(a);
    m_speedZeiger->show();

    showStartUpReviewAnimationIfDue();
}

void MainView::setViewInit()
{
    m_gpsZeiger->setImageName(QLatin1String(kAccuracyNeedleImage));
    updateDistanceUnitText();
    adjustImgViewsInit();
    start_properties_AnimationTimer(kOverlayShowSeconds);
    update_m_distanceTraveled_Label();
}

void MainView::updateDistanceUnitText()
{
    switch (speedUnit()) {
    case 0:
        m_distanceUnitLabel->setText(QStringLiteral("km"));
        break;
    case 1:
        m_distanceUnitLabel->setText(QStringLiteral("mi"));
        break;
    case 2:
        m_distanceUnitLabel->setText(QStringLiteral("nmi"));
        break;
    default:
        break;
    }
}

void MainView::speedDidUpate(float speed, float accuracy, double distance)
{
    if (m_onFlipView)
        return;
    prop->add_DistanceTraveled_Meter(distance, m_GPSLocation ? m_GPSLocation->reportedFixTime()
                                                             : QDateTime());
    update_m_distanceTraveled_Label();
    // Belt and braces: a target that is not a number would hide the needle
    // for good and keep its timer running.
    if (const float target = speedToAngle(speed); std::isfinite(target)) {
        m_speedZeigerAngle = target;
        startSmothZeigerEffectAnimation();
    }
    if (std::isfinite(accuracy))
        m_realGenauigkeitMeterGPS = accuracy;
    if (m_MainViewController)
        m_MainViewController->updateAdDismissButton(speed);
}

void MainView::update_m_distanceTraveled_Label()
{
    const double meters = (prop ? prop : Property::instance())->m_distanceTraveled_Meter;
    const double perUnit = DialGeometry::metersPerUnit(speedUnit());
    const double shown = perUnit > 0 ? meters / perUnit : 0.0;
    // Five digits and a tenth, rolling over at 100,000 as a car's odometer
    // does; nothing below zero.
    constexpr long long kTenthsPerTurn = 1000000;
    const long long tenths = std::isfinite(shown) && shown > 0
                                 ? std::llround(std::fmod(shown, 1.0e5) * 10.0) % kTenthsPerTurn
                                 : 0;
    m_distanceTraveled->setText(QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
}

void MainView::setGpsZeiger(float accuracy)
{
    float angle = kPiF;
    if (accuracy >= kAccuracyBest && accuracy < kAccuracyWorst)
        angle = float(double(kAccuracyWorst - accuracy) * kAccuracyRadiansPerMeter + double(kPiF));
    else if (accuracy < kAccuracyBest)
        angle = kTwoPiF;
    m_gpsZeiger->setRotation(angle);
}

void MainView::startSmothZeigerEffectAnimation()
{
    smothZeigerEffectAnimationTimer.start(smothZeigereffectAnimationInterval, [this] {
        drawSmoothZeigerEffectAnimationControllFunc();
    });
}

bool MainView::smothZeigerStopEffectAnimation()
{
    return smothZeigerEffectAnimationTimer.stop();
}

void MainView::drawSmoothZeigerEffectAnimationControllFunc()
{
    bool moved = false;
    if (!m_onSpeedNeedleFunAdjust) {
        const float diff = m_speedZeigerAngle - m_currentZeigerAngle;
        if (std::fabs(diff) < kNeedleLandingAngle) {
            m_currentZeigerAngle = m_speedZeigerAngle;
        } else {
            const float step = diff / kNeedleStepDivisor;
            if (std::fabs(step) < kNeedleLandingAngle)
                m_currentZeigerAngle =
                    float(double(m_currentZeigerAngle) + std::copysign(kNeedleMinStep, step));
            else
                m_currentZeigerAngle += step;
            moved = true;
        }
        m_speedZeiger->setRotation(m_currentZeigerAngle);
    }

    float cur = m_currentGenauigkeitMeterGPS;
    const float real = m_realGenauigkeitMeterGPS;
    if (cur != real) {
        if (cur - kAccuracyLandingMeters < real && real < cur + kAccuracyLandingMeters)
            cur = real;
        else
            cur = cur + (real - cur) / kAccuracyStepDivisor;
        m_currentGenauigkeitMeterGPS = cur;
        setGpsZeiger(cur);
        if (m_onFlipView)
            smothZeigerStopEffectAnimation();
    } else if (!moved || m_onFlipView) {
        smothZeigerStopEffectAnimation();
    }
}

void MainView::releaseForFlipviewNProAd()
{
    // Only the oldest supported handset is short of memory while covered.
    if (!Device::machine().contains(QLatin1String("iphone2,1"), Qt::CaseSensitive))
        return;
    m_View_Main->setImage(QImage());
    m_gpsZeiger->setImage(QImage());
}

// ---------------------------------------------------------------------------
// Controls overlay

void MainView::start_properties_AnimationTimer(float delay)
{
    if (delay > 1) {
        stop_properties_AnimationTimer();
        m_BackgroundView->setAlpha(1.0f);
        m_BackgroundView->setHidden(false);
        if (m_adProSpinWaitsForOverlay) {
            m_adProSpinWaitsForOverlay = false;
            startAdProEffectAnimation();
        }
    }
    if (properties_AnimationTimer.isRunning())
        return;
    properties_AnimationTimer.start(double(delay),
                                    [this] { properties_AnimationTimer_ControllFunc(); });
}

bool MainView::stop_properties_AnimationTimer()
{
    return properties_AnimationTimer.stop();
}

void MainView::properties_AnimationTimer_ControllFunc()
{
    if (m_BackgroundView->alpha() == 1.0f) {
        stop_properties_AnimationTimer();
        start_properties_AnimationTimer(kOverlayFadeInterval);
    }
    if (double(m_BackgroundView->alpha()) < kOverlayHiddenBelow) {
        stop_properties_AnimationTimer();
        m_BackgroundView->setHidden(true);
        if (prop && prop->m_didPressProAd) {
            stopAdProEffectAnimation();
        } else if (adProAnimationTimer.stop()) {
            // Nobody sees the hidden button turn; waking 25 times a second
            // for it would keep an idle gauge busy.
            m_adProSpinWaitsForOverlay = true;
        }
        return;
    }
    m_BackgroundView->setAlpha(float(double(m_BackgroundView->alpha()) - kOverlayFadeStep));
}

// ---------------------------------------------------------------------------
// Promotional spin

void MainView::startAdProEffectAnimation()
{
    adProAnimationTimer.start(adProAnimationInterval,
                              [this] { drawAdProEffectAnimationControllFunc(); });
}

bool MainView::stopAdProEffectAnimation()
{
    m_adProSpinWaitsForOverlay = false;
    const bool wasRunning = adProAnimationTimer.stop();
    adProButton->setRotation(0);
    return wasRunning;
}

void MainView::drawAdProEffectAnimationControllFunc()
{
    m_currentAdProAngle = float(double(m_currentAdProAngle) + kAdProStep);
    adProButton->setRotation(m_currentAdProAngle);
}

// ---------------------------------------------------------------------------
// Review invitation and store pages

void MainView::showStartUpReviewAnimationIfDue()
{
    if (!(prop->m_distanceTraveled_Meter > kReviewAfterMeters) ||
        prop->m_didShowStartUpReviewAnimation)
        return;
    auto* alert =
        new AlertView(QString::fromUtf8(kReviewTitle), QString::fromUtf8(kReviewMessage), this,
                      QString::fromUtf8(kReviewCancel), {QString::fromUtf8(kReviewStore)});
    alert->show();
    // Whatever the answer, the invitation never comes again.
    prop->setDidShowStartUpReviewAnimation(true);
}

void MainView::alertView_clickedButtonAtIndex(AlertView*, int buttonIndex)
{
    if (buttonIndex == kReviewStoreButton)
        Application::shared().openURL(appStorePageURL());
}

void MainView::moreAppsButtonAction()
{
    Application::shared().openURL(makerAppsPageURL());
}

QUrl MainView::appStorePageURL()
{
    return StoreLinks::storePageURL(StoreLinks::kKorvaneFreeStoreId);
}

QUrl MainView::makerAppsPageURL()
{
    return StoreLinks::makerAppsPageURL();
}
