#include "ViewController.h"

#include <QEvent>
#include <QPropertyAnimation>

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
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(QWidget* view)
{
    m_view = view;
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
    cover->show();
    cover->raise();
    if (animated && controller->modalTransitionStyle == Transition::CoverVertical &&
        qEnvironmentVariableIsEmpty("KORVANE_NO_ANIMATIONS")) {
        auto* slide = new QPropertyAnimation(cover, "geometry", cover);
        slide->setDuration(300);
        slide->setStartValue(target.translated(0, target.height()));
        slide->setEndValue(target);
        slide->setEasingCurve(QEasingCurve::OutCubic);
        slide->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        cover->setGeometry(target);
    }
}

void ViewController::dismissViewControllerAnimated(bool)
{
    if (!m_presented) {
        if (m_presenting)
            m_presenting->dismissViewControllerAnimated(false);
        return;
    }
    ViewController* presented = m_presented;
    m_presented = nullptr;
    presented->m_presenting = nullptr;
    if (QWidget* v = presented->m_view)
        v->hide();
    presented->deleteLater();
    if (presented->m_view)
        presented->m_view->deleteLater();
}
