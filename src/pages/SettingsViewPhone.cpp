#include "SettingsViewPhone.h"

#include "Application.h"
#include "Button.h"
#include "Localization.h"
#include "PageStyle.h"
#include "Property.h"
#include "StoreLinks.h"
#include "ui_SettingsViewControllerPad.h"
#include "ui_SettingsViewControllerPhone.h"

#include <QLabel>
#include <QPainter>

namespace {
constexpr int kSegmentCap = 11;
constexpr int kBlueKeyLeftCap = 15;
constexpr int kBlueKeyTopCap = 10;
constexpr int kResetKeyCap = 10;

struct DistanceUnit {
    const char* text;
    double metersPerUnit;
};
// Miles of 1609 m, as the trip counter has always counted them.
DistanceUnit distanceUnit(int32_t speedUnit)
{
    switch (speedUnit) {
    case 0:
        return {"km", 1000.0};
    case 1:
        return {"mi", 1609.0};
    default:
        return {"nmi", 1852.0};
    }
}
} // namespace

SettingsViewPhone::SettingsViewPhone(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SettingsViewPhone"));
}

template <class Form> void SettingsViewPhone::bindOutlets(const Form& form)
{
    m_unit_kmh_button = form.m_unit_kmh_button;
    m_unit_mph_button = form.m_unit_mph_button;
    m_unit_knot_button = form.m_unit_knot_button;
    m_FAQ_button = form.m_FAQ_button;
    m_Feedback_button = form.m_Feedback_button;
    m_reset_Lable = form.m_reset_Lable;
    m_dis_Unit_Lable = form.m_dis_Unit_Lable;
    m_dist_Value_Lable = form.m_dist_Value_Lable;
    m_dist_reset_button = form.m_dist_reset_button;
    m_moreApps_button = form.m_moreApps_button;
    m_unit_Title_Lable = form.m_unit_Title_Lable;
    m_dist_Title_Lable = form.m_dist_Title_Lable;

    connect(m_unit_kmh_button, &QAbstractButton::clicked, this,
            &SettingsViewPhone::unite_kmh_button);
    connect(m_unit_mph_button, &QAbstractButton::clicked, this,
            &SettingsViewPhone::unite_mph_button);
    connect(m_unit_knot_button, &QAbstractButton::clicked, this,
            &SettingsViewPhone::unite_knot_button);
    connect(m_dist_reset_button, &QAbstractButton::clicked, this,
            &SettingsViewPhone::resetDistance);
    connect(m_moreApps_button, &QAbstractButton::clicked, this,
            &SettingsViewPhone::moreAppsButtonAction);

    // Texts and sizes the interface file leaves to the code.
    for (Button* segment : {m_unit_kmh_button, m_unit_mph_button, m_unit_knot_button}) {
        segment->setFont(PageStyle::font(16, true));
        segment->setTitleColor(PageStyle::kSecondaryText);
        segment->setTitleColor(Qt::white, Button::State::Selected);
    }
    // km/h and mph read the same in every language the app speaks; knots do not.
    m_unit_knot_button->setText(
        Localization::translate("Localizable", "Knots").orDefault(QStringLiteral("knots")));
    m_unit_Title_Lable->setText(Localization::translate("Localizable", "SpeedUnit")
                                    .orDefault(QStringLiteral("Speed unit")));
    m_dist_Title_Lable->setText(
        Localization::translate("Localizable", "Trip").orDefault(QStringLiteral("Trip")));
    PageStyle::styleHeading(m_unit_Title_Lable);
    PageStyle::styleHeading(m_dist_Title_Lable);
    PageStyle::styleLabel(m_dis_Unit_Lable, 18, false, PageStyle::kSecondaryText);
    PageStyle::styleLabel(m_reset_Lable, 16);
    PageStyle::styleLabel(m_dist_Value_Lable, 38);
    m_dist_reset_button->setFont(PageStyle::font(22));
    m_FAQ_button->setFont(PageStyle::font(15, true));
    m_Feedback_button->setFont(PageStyle::font(15, true));
    m_moreApps_button->setText(Localization::translate("Localizable", "MoreAppsFromZentrik")
                                   .orDefault(QStringLiteral("More apps from Zentrik")));
    m_moreApps_button->setAccessibleName(m_moreApps_button->text());
    PageStyle::styleKey(m_moreApps_button, false);
}

// The two forms the page is built from.
template void SettingsViewPhone::bindOutlets(const Ui::SettingsViewControllerPhone&);
template void SettingsViewPhone::bindOutlets(const Ui::SettingsViewControllerPad&);

void SettingsViewPhone::setProperty(Property* store)
{
    m_prop = store;
    setUnitButtons();
    setUniteTitles();

    m_unit_kmh_button->setBackgroundImage(QStringLiteral("multi_left_buttom_background_img.png"),
                                          kSegmentCap, kSegmentCap);
    m_unit_kmh_button->setBackgroundImage(QStringLiteral("multi_left_buttom_background_on_img.png"),
                                          kSegmentCap, kSegmentCap, Button::State::Selected);
    m_unit_mph_button->setBackgroundImage(QStringLiteral("multi_middle_buttom_background_img.png"),
                                          kSegmentCap, kSegmentCap);
    m_unit_mph_button->setBackgroundImage(
        QStringLiteral("multi_middle_buttom_background_on_img.png"), kSegmentCap, kSegmentCap,
        Button::State::Selected);
    m_unit_knot_button->setBackgroundImage(QStringLiteral("multi_right_buttom_background_img.png"),
                                           kSegmentCap, kSegmentCap);
    m_unit_knot_button->setBackgroundImage(
        QStringLiteral("multi_right_buttom_background_on_img.png"), kSegmentCap, kSegmentCap,
        Button::State::Selected);
    for (Button* key : {m_FAQ_button, m_Feedback_button})
        key->setBackgroundImage(QStringLiteral("button_standard_blue_background_img.png"),
                                kBlueKeyLeftCap, kBlueKeyTopCap);
    m_dist_reset_button->setBackgroundImage(QStringLiteral("button_standard_background_img.png"),
                                            kResetKeyCap, kResetKeyCap);

    // The digit font at the sizes the labels already have.
    m_dist_Value_Lable->setFont(PageStyle::digitFont(m_dist_Value_Lable->font().pixelSize()));
    m_dist_reset_button->setFont(PageStyle::digitFont(m_dist_reset_button->font().pixelSize()));
    m_reset_Lable->setText(Localization::translate("Localizable", "Reset").text());
}

void SettingsViewPhone::unitChange(int32_t unit)
{
    m_prop->setSpeedUnit(unit);
    setUniteTitles();
    setUnitButtons();
}

void SettingsViewPhone::setUnitButtons()
{
    m_unit_knot_button->setSelected(false);
    m_unit_mph_button->setSelected(false);
    m_unit_kmh_button->setSelected(false);
    const int32_t unit = m_prop->m_speedUnit;
    Button* selected = unit == 1   ? m_unit_mph_button
                       : unit == 0 ? m_unit_kmh_button
                                   : m_unit_knot_button;
    selected->setSelected(true);
    m_showingSelection = true;
    for (Button* b : {m_unit_kmh_button, m_unit_mph_button, m_unit_knot_button})
        b->setChecked(b->isSelected());
    m_showingSelection = false;
}

void SettingsViewPhone::setUniteTitles()
{
    const DistanceUnit u = distanceUnit(m_prop->m_speedUnit);
    m_dis_Unit_Lable->setText(QLatin1String(u.text));
    m_dist_Value_Lable->setText(
        QString::asprintf("%1.1f", m_prop->m_distanceTraveled_Meter / u.metersPerUnit));
}

void SettingsViewPhone::resetDistance()
{
    m_prop->reset_DistanceTraveled();
    setUniteTitles();
}

void SettingsViewPhone::moreAppsButtonAction()
{
    Application::shared().openURL(StoreLinks::makerAppsPageURL());
}

void SettingsViewPhone::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PageStyle::paintBackground(p, this);
}

// ---------------------------------------------------------------------------

SettingsViewPad::SettingsViewPad(QWidget* parent) : SettingsViewPhone(parent)
{
    setObjectName(QStringLiteral("SettingsViewPad"));
}

void SettingsViewPad::layoutSubviews()
{
    if (!m_ViewTop_Left)
        return;
    const QPointF centre = width() < height() ? QPointF(384, 512) : QPointF(512, 384);
    QRectF frame(QPointF(), QSizeF(m_ViewTop_Left->size()));
    frame.moveCenter(centre);
    m_ViewTop_Left->move(frame.topLeft().toPoint());
}

void SettingsViewPad::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}
