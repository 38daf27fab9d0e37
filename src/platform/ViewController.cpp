#include "ViewController.h"

#include "DevicePixels.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QVariantAnimation>

namespace {
// Keeps a presented view sized to the presenter's window.
class CoverFilter : public QObject {
public:
    CoverFilter(QWidget* host, QWidget* cover) : QObject(cover), m_host(host), m_cover(cover) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_host && event->type() == QEvent::Resize && m_cover)
            m_cover->setGeometry(m_host->rect());
        return false;
    }

private:
    QPointer<QWidget> m_host;
    QPointer<QWidget> m_cover;
};
bool animationsEnabled()
{
    return qEnvironmentVariableIsEmpty("KORVANE_NO_ANIMATIONS");
}

// What a widget shows now, at the pixels it is drawn with.
QImage snapshot(QWidget* widget)
{
    const qreal ratio = DevicePixels::ratio(widget);
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter p(&image);
    DevicePixels::matchImageRatio(p, image);
    widget->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// A picture of the old screen turning over to show the new one, about the
// vertical axis. It only paints: input goes to the real screens below it, and
// nothing waits for it.
class FlipOverlay : public QWidget {
public:
    FlipOverlay(QWidget* host, QImage from, QImage to, bool backwards)
        : QWidget(host), m_from(std::move(from)), m_to(std::move(to)), m_backwards(backwards)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(host->rect());
        auto* turn = new QVariantAnimation(this);
        turn->setDuration(ViewController::kTransitionMs);
        turn->setStartValue(0.0);
        turn->setEndValue(180.0);
        turn->setEasingCurve(QEasingCurve::InOutQuad);
        connect(turn, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            m_angle = v.toDouble();
            update();
        });
        connect(turn, &QVariantAnimation::finished, this, &QObject::deleteLater);
        show();
        raise();
        turn->start();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
        const bool firstHalf = m_angle < 90.0;
        const QImage& face = firstHalf ? m_from : m_to;
        const double sign = m_backwards ? -1.0 : 1.0;
        const double angle = sign * (firstHalf ? m_angle : m_angle - 180.0);
        const QPointF c = QRectF(rect()).center();
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(angle, Qt::YAxis);
        t.translate(-c.x(), -c.y());
        p.setTransform(t, true);
        p.drawImage(QRectF(rect()), face);
        // The side turning away darkens.
        p.fillRect(rect(), QColor(0, 0, 0, int(160 * std::abs(angle) / 90.0)));
    }

private:
    QImage m_from;
    QImage m_to;
    bool m_backwards;
    double m_angle = 0;
};

// A still picture of a screen, for a transition to move about.
class Picture : public QWidget {
public:
    Picture(QWidget* parent, QImage image) : QWidget(parent), m_image(std::move(image))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(QRectF(rect()), m_image);
    }

private:
    QImage m_image;
};

// The leaving screen sliding down off the presenter.
void slideAway(QWidget* host, const QImage& leaving)
{
    auto* moving = new Picture(host, leaving);
    moving->setGeometry(host->rect());
    moving->show();
    moving->raise();
    auto* slide = new QPropertyAnimation(moving, "geometry", moving);
    slide->setDuration(ViewController::kTransitionMs * 3 / 4);
    slide->setStartValue(host->rect());
    slide->setEndValue(host->rect().translated(0, host->height()));
    slide->setEasingCurve(QEasingCurve::InCubic);
    QObject::connect(slide, &QPropertyAnimation::finished, moving, &QObject::deleteLater);
    slide->start();
}
} // namespace

ViewController::ViewController(QObject* parent) : QObject(parent) {}

ViewController::~ViewController()
{
    if (m_presented)
        delete m_presented.data();
    if (m_view && !m_view->parent())
        delete m_view.data();
}

QWidget* ViewController::view()
{
    if (!m_view) {
        m_view = loadView();
        m_view->installEventFilter(this);
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(QWidget* view)
{
    m_view = view;
}

bool ViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Show)
        viewWillAppear();
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && escapePressed())
        return true;
    return QObject::eventFilter(watched, event);
}

QWidget* ViewController::loadView()
{
    return new QWidget;
}

void ViewController::presentViewController(ViewController* controller, bool animated)
{
    if (!controller || m_presented)
        return;
    m_presented = controller;
    controller->m_presenting = this;
    controller->setParent(this);
    QWidget* host = view()->window();
    QWidget* cover = controller->view();
    cover->setParent(host);
    cover->setAutoFillBackground(true);
    host->installEventFilter(new CoverFilter(host, cover));
    const QRect target = host->rect();
    const bool animate = animated && animationsEnabled() && host->isVisible();
    const bool flip = animate && controller->modalTransitionStyle == Transition::FlipHorizontal;
    const QImage before = flip ? snapshot(host) : QImage();
    cover->setGeometry(target);
    cover->show();
    cover->raise();
    // Keys and assistive technology work on the screen in front; the covered
    // one keeps running but takes no input.
    if (view() != host)
        view()->setEnabled(false);
    cover->setFocus(Qt::OtherFocusReason);
    if (flip) {
        new FlipOverlay(host, before, snapshot(cover), false);
    } else if (animate) {
        auto* slide = new QPropertyAnimation(cover, "geometry", cover);
        slide->setDuration(kTransitionMs * 3 / 4);
        slide->setStartValue(target.translated(0, target.height()));
        slide->setEndValue(target);
        slide->setEasingCurve(QEasingCurve::OutCubic);
        slide->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        cover->setGeometry(target);
    }
}

void ViewController::dismissViewControllerAnimated(bool animated)
{
    if (!m_presented) {
        if (m_presenting)
            m_presenting->dismissViewControllerAnimated(animated);
        return;
    }
    ViewController* presented = m_presented;
    m_presented = nullptr;
    presented->m_presenting = nullptr;
    QWidget* v = presented->m_view;
    QWidget* host = v ? v->parentWidget() : nullptr;
    const bool animate =
        animated && animationsEnabled() && host && host->isVisible() && v->isVisible();
    const QImage leaving = animate ? snapshot(v) : QImage();
    if (v)
        v->hide();
    if (animate && presented->modalTransitionStyle == Transition::FlipHorizontal)
        new FlipOverlay(host, leaving, snapshot(host), true);
    else if (animate)
        slideAway(host, leaving);
    if (m_view) {
        m_view->setEnabled(true);
        m_view->setFocus(Qt::OtherFocusReason);
    }
    presented->deleteLater();
    if (presented->m_view)
        presented->m_view->deleteLater();
}
