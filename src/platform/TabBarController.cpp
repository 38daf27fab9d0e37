#include "TabBarController.h"

#include "Bundle.h"
#include "DevicePixels.h"
#include "Localization.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStackedWidget>

namespace {
constexpr int kIconSize = 30;
constexpr int kTitlePixelSize = 10;
const QColor kUnselected(146, 146, 150);

// A white-on-transparent icon in one colour, drawn at the pixels it gets.
QImage tinted(const QImage& icon, const QColor& color)
{
    QImage out(icon.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(icon.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter p(&out);
    DevicePixels::matchImageRatio(p, out);
    const QRectF all(QPointF(0, 0), icon.deviceIndependentSize());
    p.drawImage(all, icon);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(all, color);
    return out;
}
} // namespace

TabBarItem TabBarItem::downloads()
{
    return {
        Localization::translate("TabBarItem", "Downloads").orDefault(QStringLiteral("Downloads")),
        QStringLiteral("downloads_icon_bordered.png"), QStringLiteral("downloads_icon.png")};
}

// ---------------------------------------------------------------------------

TabBarButton::TabBarButton(const TabBarItem& item, QWidget* parent)
    : QAbstractButton(parent), m_item(item)
{
    setText(item.title);
    setCheckable(true);
    setAutoExclusive(true);
    // Arrow keys move between tabs once one has the focus.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void TabBarButton::setTintColor(const QColor& tint)
{
    m_tint = tint;
    update();
}

void TabBarButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    const bool on = isChecked();
    const QColor color = on ? m_tint : kUnselected;
    if (on) {
        // The selected tab sits on a soft highlight, as on the handheld bar.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 26));
        p.drawRoundedRect(QRectF(rect()).adjusted(3, 2, -3, -2), 4, 4);
    }
    const QString name =
        on && !m_item.selectedImageName.isEmpty() ? m_item.selectedImageName : m_item.imageName;
    const QImage icon = Bundle::image(name, DevicePixels::ratio(this));
    if (!icon.isNull()) {
        QRectF target(0, 0, kIconSize, kIconSize);
        target.moveCenter(QPointF(width() / 2.0, 3 + kIconSize / 2.0));
        p.drawImage(target, tinted(icon, color));
    }
    QFont f = font();
    f.setPixelSize(kTitlePixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRectF(0, kIconSize + 4, width(), height() - kIconSize - 5),
               Qt::AlignHCenter | Qt::AlignTop, text());
    if (hasFocus()) {
        p.setPen(QPen(m_tint, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    }
}

// ---------------------------------------------------------------------------

TabBar::TabBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TabBar::setItems(const QList<TabBarItem>& items)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new TabBarButton(items[i], this);
        button->setObjectName(QStringLiteral("tab%1").arg(i));
        button->setTintColor(m_tint);
        connect(button, &QAbstractButton::clicked, this, [this, i] { emit tabSelected(i); });
        m_buttons << button;
        button->show();
    }
    resizeEvent(nullptr);
}

TabBarButton* TabBar::button(int index) const
{
    return m_buttons.value(index);
}

void TabBar::setTintColor(const QColor& tint)
{
    m_tint = tint;
    for (TabBarButton* b : m_buttons)
        b->setTintColor(tint);
    update();
}

void TabBar::setTranslucent(bool translucent)
{
    m_translucent = translucent;
    update();
}

void TabBar::setBarStyle(BarStyle style)
{
    m_style = style;
    update();
}

void TabBar::setSelectedIndex(int index)
{
    if (TabBarButton* b = button(index))
        b->setChecked(true);
}

void TabBar::resizeEvent(QResizeEvent*)
{
    if (m_buttons.isEmpty())
        return;
    const qreal w = qreal(width()) / m_buttons.size();
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(QRectF(i * w, 0, w, height()).toRect());
}

void TabBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int alpha = m_translucent ? 225 : 255;
    QLinearGradient fill(0, 0, 0, height());
    if (m_style == BarStyle::Black) {
        fill.setColorAt(0.0, QColor(44, 44, 48, alpha));
        fill.setColorAt(0.5, QColor(14, 14, 16, alpha));
        fill.setColorAt(1.0, QColor(0, 0, 0, alpha));
    } else {
        fill.setColorAt(0.0, QColor(248, 248, 248, alpha));
        fill.setColorAt(1.0, QColor(222, 222, 226, alpha));
    }
    p.fillRect(rect(), fill);
    p.setPen(m_style == BarStyle::Black ? QColor(0, 0, 0) : QColor(178, 178, 178));
    p.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
}

// ---------------------------------------------------------------------------

namespace {
// The container's view: the selected page above, the bar below.
class TabBarView : public QWidget {
public:
    TabBarView(QStackedWidget* stack, TabBar* bar) : m_stack(stack), m_bar(bar)
    {
        stack->setParent(this);
        bar->setParent(this);
        setObjectName(QStringLiteral("tabBarControllerView"));
        setAttribute(Qt::WA_StyledBackground, false);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        m_stack->setGeometry(0, 0, width(), std::max(0, height() - TabBar::kHeight));
        m_bar->setGeometry(0, height() - TabBar::kHeight, width(), TabBar::kHeight);
    }

private:
    QStackedWidget* m_stack;
    TabBar* m_bar;
};
} // namespace

TabBarController::TabBarController(QObject* parent) : ViewController(parent) {}

TabBar* TabBarController::tabBar()
{
    view();
    return m_tabBar;
}

QWidget* TabBarController::loadView()
{
    m_stack = new QStackedWidget;
    m_tabBar = new TabBar;
    connect(m_tabBar, &TabBar::tabSelected, this, &TabBarController::setSelectedIndex);
    auto* v = new TabBarView(m_stack, m_tabBar);
    install(); // before the view is known: the parts are parented already
    return v;
}

void TabBarController::setViewControllers(const QList<ViewController*>& controllers)
{
    for (ViewController* c : controllers)
        c->setParent(this);
    m_controllers = controllers;
    if (isViewLoaded())
        install();
}

void TabBarController::install()
{
    if (!m_stack)
        return;
    while (m_stack->count() > 0)
        m_stack->removeWidget(m_stack->widget(0));
    QList<TabBarItem> items;
    for (ViewController* c : m_controllers) {
        items << c->tabBarItem;
        m_stack->addWidget(c->view());
    }
    m_tabBar->setItems(items);
    setSelectedIndex(m_selected);
}

void TabBarController::setSelectedIndex(int index)
{
    if (index < 0 || (index >= m_controllers.size() && !m_controllers.isEmpty()))
        return;
    m_selected = index;
    if (!m_stack || m_controllers.isEmpty())
        return;
    m_stack->setCurrentIndex(index);
    m_tabBar->setSelectedIndex(index);
    // Keys go to the shown page: Tab walks its controls, Escape closes it.
    QWidget* container = m_stack->parentWidget();
    container->setFocusProxy(m_stack->currentWidget());
    if (container->isVisible() && !m_tabBar->isAncestorOf(container->focusWidget()))
        m_stack->currentWidget()->setFocus(Qt::OtherFocusReason);
}
