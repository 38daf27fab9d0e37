#include "KorvaneProAbout.h"

#include "AlphaView.h"
#include "Application.h"
#include "Button.h"
#include "Device.h"
#include "GaugeResources.h"
#include "Localization.h"
#include "PageStyle.h"
#include "Property.h"
#include "SegmentedControl.h"
#include "StoreLinks.h"
#include "StretchableImageView.h"
#include "ui_KorvaneProAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>

namespace {
constexpr double kFrameInterval = 1.0 / 30.0;
constexpr double kFirstShowInterval = 5.0;
constexpr double kShowInterval = 4.0;
constexpr double kBlinkInterval = 1.0;
constexpr double kAltitudeInterval = 0.04;
constexpr int32_t kBadgeTicks = 200;
constexpr float kBadgeStep = 0.04f;
constexpr int kBadgeFadeOutBelow = 24;
constexpr int kBadgeFadeInFrom = 175;
constexpr int kDesignHeight = Device::kPhoneDesignSize.height();
constexpr double kBadgeY = 480;
constexpr float kFirstPageX = 160.0f;
constexpr float kRestDistance = 3.0f;
constexpr float kAltitudeTop = 100.0f;
constexpr float kAltitudeBottom = 240.0f;
constexpr float kAltitudeStep = 0.5f;
constexpr int kSegmentFontSize = 15;
constexpr int kSegmentLabelWidth = 30;
constexpr const char* kDigitFont = "iSDigitIta_AndSymb";

QFont digitFont(int pixelSize)
{
    GaugeResources::ensureLoaded();
    QFont f{QLatin1String(kDigitFont)};
    f.setPixelSize(pixelSize);
    return f;
}

// Where a widget's centre is, and moving it there.
QPointF centreOf(const QWidget* w)
{
    return QRectF(w->geometry()).center();
}
void moveCentre(QWidget* w, QPointF c)
{
    w->move(qRound(c.x() - w->width() / 2.0), qRound(c.y() - w->height() / 2.0));
}
} // namespace

KorvaneProAbout::KorvaneProAbout(QObject* parent) : ViewController(parent) {}

KorvaneProAbout::~KorvaneProAbout()
{
    delegate = nullptr;
    stopAllTimers();
}

QWidget* KorvaneProAbout::createView()
{
    auto* view = new QWidget;
    m_ui = std::make_unique<Ui::KorvaneProAbout>();
    m_ui->setupUi(view);
    segment1 = m_ui->segment1;
    segment2 = m_ui->segment2;
    m_69View = m_ui->m_69View;
    m_repeatIndividualView = m_ui->m_repeatIndividualView;
    m_musikView = m_ui->m_musikView;
    m_hudView = m_ui->m_hudView;
    m_speedAlertView = m_ui->m_speedAlertView;
    m_farbeView = m_ui->m_farbeView;
    m_pauseView = m_ui->m_pauseView;
    m_LableTitle = m_ui->m_LableTitle;
    m_LableSheet1 = m_ui->m_LableSheet1;
    m_LableSheet2 = m_ui->m_LableSheet2;
    m_LableSheet3 = m_ui->m_LableSheet3;
    m_LableSheet4 = m_ui->m_LableSheet4;
    m_LableSheet5 = m_ui->m_LableSheet5;
    m_LableSheet6 = m_ui->m_LableSheet6;
    m_LableHUDExplain = m_ui->m_LableHUDExplain;
    m_altitude_value_Label = m_ui->m_altitude_value_Label;
    m_altitude_value_background_Label = m_ui->m_altitude_value_background_Label;
    m_SpeedAlertFlashImageView = m_ui->m_SpeedAlertFlashImageView;
    m_aviableAppStore = m_ui->m_aviableAppStore;
    m_backgroundAdds_img = m_ui->m_backgroundAdds_img;
    wireKeys({m_ui->m_aviableAppStoreButton}, {m_ui->m_doneButton});
    const FormTexts texts = formTexts();
    m_ui->m_aviableAppStoreLabel->setText(texts.available);
    m_ui->m_doneButton->setText(texts.done);
    return view;
}

void KorvaneProAbout::wireKeys(std::initializer_list<QAbstractButton*> storeLinks,
                               std::initializer_list<QAbstractButton*> doneKeys)
{
    for (QAbstractButton* b : storeLinks)
        connect(b, &QAbstractButton::clicked, this, &KorvaneProAbout::appStoreKorvanePro);
    for (QAbstractButton* b : doneKeys)
        connect(b, &QAbstractButton::clicked, this, &KorvaneProAbout::done2);
}

KorvaneProAbout::FormTexts KorvaneProAbout::formTexts()
{
    return {
        Localization::translate("Localizable", "AvailableInTheStore")
            .orDefault(QStringLiteral("Available in the store")),
        Localization::translate("Localizable", "Download").orDefault(QStringLiteral("Download")),
        Localization::translate("Localizable", "InTheStore")
            .orDefault(QStringLiteral("in the store")),
        Localization::translate("NavigationItem", "Done").orDefault(QStringLiteral("Done"))};
}

QWidget* KorvaneProAbout::loadView()
{
    QWidget* view = createView();
    style(view);
    view->installEventFilter(this);
    return view;
}

void KorvaneProAbout::style(QWidget* view)
{
    // Pages 0–2 and 4–6; page 3, the head-up display, sits between the two.
    if (segment1)
        segment1->setTitles({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    if (segment2)
        segment2->setTitles({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")});
    for (QLabel* label : view->findChildren<QLabel*>()) {
        if (label == m_altitude_value_Label || label == m_altitude_value_background_Label)
            continue;
        const QString name = label->objectName();
        if (name == u"m_LableTitle" || name == u"m_KorvaneLabel" || name == u"m_ProLabel")
            PageStyle::styleLabel(label, name == u"m_LableTitle" ? 26 : 40, true);
        else if (name == u"m_AdByLabel" || name == u"m_AppStoreLabel")
            PageStyle::styleLabel(label, 15, false, PageStyle::kSecondaryText);
        else if (name == u"m_LableSheet5")
            PageStyle::styleLabel(label, 15, true, PageStyle::kTint);
        else
            PageStyle::styleLabel(label, name == u"m_aviableAppStoreLabel" ? 13 : 19, true);
        if (name == u"m_aviableAppStoreLabel")
            label->setWordWrap(false);
    }
    for (Button* key : view->findChildren<Button*>()) {
        const QString name = key->objectName();
        if (name == u"m_DownloadButton")
            PageStyle::styleKey(key, true, 18);
        else if (name == u"m_AppStoreButton") {
            key->setBackgroundImage(QStringLiteral("tour_store_badge.png"), 44, 0);
            key->setFont(PageStyle::font(15, true));
        } else if (name == u"m_doneButton" || name == u"m_BackButton" || name.startsWith(u"m_Plus"))
            PageStyle::styleKey(key, false, name.startsWith(u"m_Plus") ? 22 : 15);
    }
}

void KorvaneProAbout::viewDidLoad()
{
    rotateAnimationInterval = kFirstShowInterval;
    m_didTouche = false;
    m_isSegmentOnUpRise = true;
    m_isAltitudeOnPpRise = true;
    m_animationPos = kBadgeTicks;
    if (segment2)
        connect(segment2, &SegmentedControl::valueChanged, this, &KorvaneProAbout::segment2Action);
    if (segment1)
        connect(segment1, &SegmentedControl::valueChanged, this, &KorvaneProAbout::segment1Action);
    startAlertBlinkTimer();
    startAltitudeTimer();
    if (m_backgroundAdds_img)
        m_backgroundAdds_img->setImage(QStringLiteral("backgroundAdds.png"), 0, 423);
    for (QLabel* label : {m_altitude_value_Label, m_altitude_value_background_Label})
        if (label) {
            // The digit face at the size the label already has.
            QFont f = digitFont(kSegmentFontSize);
            f.setPointSizeF(label->font().pointSizeF());
            label->setFont(f);
        }
    changeUISegmentFont(segment2, digitFont(kSegmentFontSize));
    setViewspos(kFirstPageX);
    showAllVIews();
    loadLocal();
}

QList<QWidget*> KorvaneProAbout::pages() const
{
    return {m_69View,   m_repeatIndividualView, m_musikView,
            m_hudView,  m_speedAlertView,       m_farbeView,
            m_pauseView};
}

float KorvaneProAbout::stripPosition() const
{
    return m_stripX;
}

void KorvaneProAbout::setViewspos(float x)
{
    const QList<QWidget*> strip = pages();
    if (!m_69View)
        return;
    m_stripX = x;
    const double y = centreOf(m_69View).y();
    for (int k = 0; k < strip.size(); ++k)
        if (strip[k])
            moveCentre(strip[k], QPointF(x + kPageWidth * k, y));
}

void KorvaneProAbout::showAllVIews()
{
    for (QWidget* page : pages())
        if (page)
            page->setVisible(true);
}

QString KorvaneProAbout::rangeText(int32_t speedUnit)
{
    switch (speedUnit) {
    case 1:
        return QStringLiteral("[100 | 180 | 220 | 360 | 999] mph");
    case 2:
        return QStringLiteral("[30 | 60 | 90 | 120 | 999] knot");
    default:
        return QStringLiteral("[140 | 220 | 280 | 440 | 999] km/h");
    }
}

void KorvaneProAbout::loadLocal()
{
    const auto set = [](QLabel* label, const QString& text) {
        if (label)
            label->setText(text);
    };
    set(m_LableTitle, Localization::translate("Localizable", "Korvane").orDefault(QString()));
    set(m_LableSheet1, Localization::translate("KorvaneProAd", "52.text")
                           .orDefault(QStringLiteral("max. ∅ speed ")));
    set(m_LableSheet2, Localization::translate("KorvaneProAd", "53.text")
                           .orDefault(QStringLiteral("travel direction ")));
    set(m_LableSheet3, Localization::translate("KorvaneProAd", "56.text")
                           .orDefault(QStringLiteral("0 to 100 in [s] ")));
    set(m_LableSheet4, Localization::translate("KorvaneProAd", "54.text")
                           .orDefault(QStringLiteral("speed alert ")));
    set(m_LableSheet6,
        Localization::translate("KorvaneProAd", "Altitude").orDefault(QStringLiteral("altitude ")));
    set(m_LableHUDExplain, Localization::translate("KorvaneProAd", "hud")
                               .orDefault(QStringLiteral("HUD [Head Up Display] ")));
    set(m_LableSheet5, rangeText(Property::instance()->m_speedUnit));
    // The segments stand for their pages' subjects.
    const QList<QLabel*> subjects{m_LableSheet1, m_LableSheet2, m_LableSheet3,
                                  m_LableSheet4, m_LableSheet5, m_LableSheet6};
    for (int i = 0; i < 6; ++i) {
        SegmentedControl* control = i < 3 ? segment1 : segment2;
        if (control && subjects[i] && control->segment(i % 3))
            control->segment(i % 3)->setAccessibleName(subjects[i]->text().trimmed());
    }
}

void KorvaneProAbout::changeUISegmentFont(QWidget* view, const QFont& font)
{
    if (!view)
        return;
    if (auto* label = qobject_cast<QLabel*>(view)) {
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        // The bounds narrow about the label's centre.
        const QPointF c = centreOf(label);
        label->resize(kSegmentLabelWidth, label->height());
        moveCentre(label, c);
    } else if (auto* button = qobject_cast<QAbstractButton*>(view)) {
        button->setFont(font); // its title is drawn centred already
    }
    for (QWidget* child : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        changeUISegmentFont(child, font);
}

int KorvaneProAbout::currentPage() const
{
    if (segment1 && segment1->selectedSegmentIndex() >= 0)
        return segment1->selectedSegmentIndex();
    if (segment2 && segment2->selectedSegmentIndex() >= 0)
        return segment2->selectedSegmentIndex() + 4;
    return 3;
}

void KorvaneProAbout::setInitSegment(int page)
{
    if (page != 0)
        setSegment(page);
    else if (!m_didTouche)
        startRotateAnimation();
}

void KorvaneProAbout::setSegment(int page)
{
    if (page <= 2) {
        if (segment1)
            segment1->setSelectedSegmentIndex(page);
        if (segment2)
            segment2->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
        segment1Action();
    } else if (page == 3) {
        if (segment1)
            segment1->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
        if (segment2)
            segment2->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
        showView(3);
    } else {
        if (segment2)
            segment2->setSelectedSegmentIndex(page - 4);
        if (segment1)
            segment1->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
        segment2Action();
    }
    if (page == 6)
        startAltitudeTimer();
    else
        stopAltitudeTimer();
    if (m_ViewPosX != stripPosition())
        startViewAnimation();
}

void KorvaneProAbout::segment1Action()
{
    if (segment1 && segment1->selectedSegmentIndex() >= 0) {
        showView(segment1->selectedSegmentIndex());
        if (segment2)
            segment2->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
    }
    stopAltitudeTimer();
    changeUISegmentFont(segment2, digitFont(kSegmentFontSize));
}

void KorvaneProAbout::segment2Action()
{
    const int j = segment2 ? segment2->selectedSegmentIndex() : SegmentedControl::kNoSegment;
    if (j >= 0) {
        showView(j + 4);
        if (segment1)
            segment1->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
    }
    if (j == 2)
        startAltitudeTimer();
    else
        stopAltitudeTimer();
    changeUISegmentFont(segment2, digitFont(kSegmentFontSize));
}

void KorvaneProAbout::showView(int page)
{
    if (page < 1 || page > 6)
        page = 0;
    m_ViewPosX = kFirstPageX - kPageWidth * page;
    if (QWidget* view = pages().value(page))
        view->setVisible(true);
    startViewAnimation();
}

void KorvaneProAbout::viewAnimationControllFunc()
{
    const float c = stripPosition();
    const float d = m_ViewPosX - c;
    const float s = d / 10.0f;
    if (std::abs(int(s)) > 2)
        setViewspos(c + s);
    else
        setViewspos(c + (d < 0 ? -kRestDistance : kRestDistance));
    if (std::abs(d) < kRestDistance) {
        setViewspos(c);
        stopViewAnimation();
    }
}

void KorvaneProAbout::startViewAnimation()
{
    viewAnimationTimer.start(kFrameInterval, [this] { viewAnimationControllFunc(); });
}

void KorvaneProAbout::stopViewAnimation()
{
    viewAnimationTimer.stop();
    if (!m_didTouche)
        startRotateAnimation();
    if (!isViewLoaded())
        return;
    if (view()->height() != kDesignHeight) {
        startAviableAppStoreAnimation();
    } else if (m_aviableAppStore) {
        moveCentre(m_aviableAppStore, QPointF(view()->width() / 2.0, kBadgeY));
        m_aviableAppStore->setAlpha(1.0f);
    }
}

void KorvaneProAbout::startRotateAnimation()
{
    rotateAnimationTimer.start(rotateAnimationInterval, [this] { rotateSegmetnsFunction(); });
}

void KorvaneProAbout::stopRotateAnimation()
{
    rotateAnimationTimer.stop();
}

void KorvaneProAbout::rotateSegmetnsFunction()
{
    int next = currentPage() + (m_isSegmentOnUpRise ? 1 : -1);
    if (next >= kPageCount) {
        next = 5;
        m_isSegmentOnUpRise = false;
    } else if (next <= -1) {
        next = 1;
        m_isSegmentOnUpRise = true;
    }
    setSegment(next);
    if (rotateAnimationInterval != kShowInterval) {
        rotateAnimationInterval = kShowInterval;
        stopRotateAnimation();
        startRotateAnimation();
    }
}

void KorvaneProAbout::touchesMoved(float dx)
{
    stopRotateAnimation();
    m_didTouche = true;
    stopViewAnimation();
    setViewspos(stripPosition() + dx);
}

void KorvaneProAbout::touchesEnded()
{
    const float c = stripPosition();
    // Let go beyond the first page, the strip returns to it; beyond the
    // last, to the last.
    const int page = c > kFirstPageX
                         ? 0
                         : std::min(kPageCount - 1, std::abs(int((c - kPageWidth) / kPageWidth)));
    setSegment(page);
}

void KorvaneProAbout::startAviableAppStoreAnimation()
{
    aviableAppStoreAnimationTimer.start(kFrameInterval, [this] { aviableAppStoreFunction(); });
}

void KorvaneProAbout::stopAviableAppStoreAnimation()
{
    aviableAppStoreAnimationTimer.stop();
}

void KorvaneProAbout::aviableAppStoreFunction()
{
    const int32_t p = m_animationPos;
    if (m_aviableAppStore) {
        if (p <= kBadgeFadeOutBelow)
            m_aviableAppStore->setAlpha(m_aviableAppStore->alpha() - kBadgeStep);
        if (p >= kBadgeFadeInFrom && p < kBadgeTicks)
            m_aviableAppStore->setAlpha(m_aviableAppStore->alpha() + kBadgeStep);
    }
    if (p == 0)
        stopAviableAppStoreAnimation();
    else
        m_animationPos = p - 1;
}

void KorvaneProAbout::startAlertBlinkTimer()
{
    alertBlinkTimer.start(kBlinkInterval, [this] { alertBlinkTimerFunction(); });
}

void KorvaneProAbout::stopAlertBlinkTimer()
{
    alertBlinkTimer.stop();
}

void KorvaneProAbout::alertBlinkTimerFunction()
{
    if (m_SpeedAlertFlashImageView)
        m_SpeedAlertFlashImageView->setHidden(!m_SpeedAlertFlashImageView->isHidden());
}

void KorvaneProAbout::startAltitudeTimer()
{
    altitudeTimer.start(kAltitudeInterval, [this] { altitudeTimerFunction(); });
}

void KorvaneProAbout::stopAltitudeTimer()
{
    altitudeTimer.stop();
}

void KorvaneProAbout::altitudeTimerFunction()
{
    if (!m_altitude_value_Label || !isViewLoaded())
        return;
    QWidget* container = m_altitude_value_Label->parentWidget();
    QWidget* page = container ? container->parentWidget() : nullptr;
    if (!page || !page->isVisibleTo(view()))
        return;
    if (!m_altitudeYKnown) {
        m_altitudeY = float(centreOf(container).y());
        m_altitudeYKnown = true;
    }
    const float y = m_altitudeY;
    float step;
    if (m_isAltitudeOnPpRise) {
        if (y < kAltitudeTop)
            m_isAltitudeOnPpRise = false;
        step = -kAltitudeStep;
    } else {
        if (y > kAltitudeBottom)
            m_isAltitudeOnPpRise = true;
        step = kAltitudeStep;
    }
    const float newY = y + step;
    m_altitudeY = newY;
    moveCentre(container, QPointF(centreOf(container).x(), newY));
    if (int(newY) % 10 == 0)
        m_altitude_value_Label->setText(QString::asprintf("%1.0f", double((241.0f - newY) * 9.0f)));
}

void KorvaneProAbout::appStoreKorvanePro()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kKorvaneProStoreId));
}

void KorvaneProAbout::stopAllTimers()
{
    viewAnimationTimer.stop();
    rotateAnimationTimer.stop();
    aviableAppStoreAnimationTimer.stop();
    alertBlinkTimer.stop();
    altitudeTimer.stop();
}

void KorvaneProAbout::done2()
{
    stopAllTimers();
    if (KorvaneProAboutDelegate* d = delegate)
        d->KorvaneProAboutDidFinish(this);
    delegate = nullptr;
}

bool KorvaneProAbout::escapePressed()
{
    done2();
    return true;
}

bool KorvaneProAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (isViewLoaded() && watched == view()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_lastDrag = static_cast<QMouseEvent*>(event)->position();
            m_dragging = false;
            return true;
        case QEvent::MouseMove: {
            const QPointF at = static_cast<QMouseEvent*>(event)->position();
            const float dx = float(at.x() - m_lastDrag.x());
            m_lastDrag = at;
            if (dx != 0.0f) {
                m_dragging = true;
                touchesMoved(dx);
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (m_dragging)
                touchesEnded();
            m_dragging = false;
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                // The keyboard takes over from the slide show, as a drag does.
                stopRotateAnimation();
                m_didTouche = true;
                const int page = currentPage() + (key == Qt::Key_Right ? 1 : -1);
                setSegment(std::clamp(page, 0, kPageCount - 1));
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return ViewController::eventFilter(watched, event);
}
