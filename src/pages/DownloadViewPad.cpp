#include "DownloadViewPad.h"

#include "Application.h"
#include "Localization.h"
#include "PageStyle.h"
#include "StoreLinks.h"
#include "ui_DownloadViewControllerPad.h"

#include <QLabel>
#include <QPainter>

namespace {
struct GroupCentres {
    QPointF title, topApps, bottomApps, logo;
};
constexpr GroupCentres kPortrait{{384, 115}, {404, 380}, {404, 640}, {384, 880}};
constexpr GroupCentres kLandscape{{512, 80}, {330, 384}, {744, 384}, {512, 670}};
// The paid edition's box sits between the title and the entries; in
// portrait one entry's height above the first, so that all five entries keep
// one rhythm down the page (the groups' entries are as far apart as the
// groups' centres allow).
constexpr QPointF kProBoxPortrait{384, 186};
constexpr QPointF kProBoxLandscape{512, 170};

void centre(QWidget* w, QPointF c)
{
    if (!w)
        return;
    QRectF frame(QPointF(), QSizeF(w->size()));
    frame.moveCenter(c);
    w->move(frame.topLeft().toPoint());
}
} // namespace

DownloadViewPhone::DownloadViewPhone(QWidget* parent) : QWidget(parent) {}

void DownloadViewPhone::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PageStyle::paintBackground(p, this);
}

DownloadViewPad::DownloadViewPad(QWidget* parent) : DownloadViewPhone(parent) {}

void DownloadViewPad::bindOutlets(const Ui::DownloadViewControllerPad& form)
{
    m_recomend_title_View = form.m_recomend_title_View;
    m_top_apps_View = form.m_top_apps_View;
    m_button_apps_View = form.m_button_apps_View;
    m_top_of_top_apps_View = form.m_top_of_top_apps_View;
    m_top_of_top_apps_top_tittle_Label = form.m_top_of_top_apps_top_tittle_Label;
    m_top_of_top_apps_top_descrption_Label = form.m_top_of_top_apps_top_descrption_Label;
    m_zentrik_logo_link_View = form.m_zentrik_logo_link_View;
}

void DownloadViewPad::loadLocal()
{
    const StoreLinks::MakerApp& pro = StoreLinks::kKorvanePro;
    m_top_of_top_apps_top_tittle_Label->setText(
        Localization::string(pro.titleKey, "moreApps", QString::fromUtf8(pro.title)));
    m_top_of_top_apps_top_descrption_Label->setText(
        Localization::string(pro.descriptionKey, "moreApps", QString::fromUtf8(pro.description)));
}

void DownloadViewPad::layoutSubviews()
{
    const bool portrait = Application::isPortraitSize(size());
    const GroupCentres& c = portrait ? kPortrait : kLandscape;
    centre(m_recomend_title_View, c.title);
    centre(m_top_apps_View, c.topApps);
    centre(m_button_apps_View, c.bottomApps);
    centre(m_zentrik_logo_link_View, c.logo);
    centre(m_top_of_top_apps_View, portrait ? kProBoxPortrait : kProBoxLandscape);
}

void DownloadViewPad::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}
