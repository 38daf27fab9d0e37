// Touch on the dial: dragging the speed needle by hand, and taps on the gauge.

#include "MainView.h"

#include "AlphaView.h"
#include "DevicePixels.h"
#include "MainViewOwner.h"
#include "NeedleContainer.h"
#include "RotatingImageView.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTouchEvent>
#include <cmath>

namespace {
// 2π / 8.8 to either side of the needle.
constexpr double kGrabTolerance = 0.7139983303613165;
constexpr float kPhoneGrabRadius = 155.0f;

// Views that only group others: a press on their bare area is the dial's.
bool isBareContainer(const QWidget* w)
{
    return w->metaObject() == &QWidget::staticMetaObject || qobject_cast<const AlphaView*>(w) ||
           qobject_cast<const NeedleContainer*>(w);
}
} // namespace

QPointF MainView::pointInNeedleContainer(QPointF viewPoint) const
{
    return m_needleContainer->toContainerSpace(m_needleContainer->mapFrom(this, viewPoint));
}

void MainView::touchesBegan(QPointF point)
{
    grabSpeedNeedle(point, kPhoneGrabRadius);
}

void MainView::grabSpeedNeedle(QPointF point, float radiusLimit)
{
    // At the wheel centre the angle is NaN and fails both comparisons.
    const double theta = touchAngleOnWheel(point);
    const float r = touchRadiusOnWheel(point);
    const double current = m_currentZeigerAngle;
    if (current - kGrabTolerance < theta && theta < current + kGrabTolerance && r < radiusLimit)
        m_onSpeedNeedleFunAdjust = true;
}

void MainView::touchesMoved(QPointF point)
{
    const float theta = touchAngleOnWheel(point);
    // Passing exactly over the centre gives no direction; a NaN angle would
    // also stall the glide back for good.
    if (!m_onSpeedNeedleFunAdjust || std::isnan(theta))
        return;
    m_currentZeigerAngle = theta;
    m_speedZeiger->setRotation(theta);
}

void MainView::touchesEnded(QPointF)
{
    if (m_MainViewController) {
        if (m_MainViewController->hasAdBannerView())
            m_MainViewController->animateShowAdsView();
        else
            m_MainViewController->requestNewAd();
    }
    start_properties_AnimationTimer(kOverlayShowSeconds);
    m_properties_twitter_webio_Button->setHidden(m_properties_facebook_Button->isHidden());
    m_properties_facebook_Button->setHidden(!m_properties_facebook_Button->isHidden());
    if (m_onSpeedNeedleFunAdjust) {
        m_onSpeedNeedleFunAdjust = false;
        startSmothZeigerEffectAnimation();
    }
}

// ---------------------------------------------------------------------------
// Qt input

void MainView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    touchesBegan(pointInNeedleContainer(event->position()));
}

void MainView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    touchesMoved(pointInNeedleContainer(event->position()));
}

void MainView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    touchesEnded(pointInNeedleContainer(event->position()));
}

bool MainView::dialTakesTouchAt(QPoint viewPoint) const
{
    // Transparent views are skipped by childAt already.
    for (const QWidget* w = childAt(viewPoint); w && w != this; w = w->parentWidget())
        if (!isBareContainer(w))
            return false;
    return true;
}

bool MainView::event(QEvent* event)
{
    // The face is an image: rendered again for the stage's new pixel size.
    if (event->type() == DevicePixels::changeEvent() && prop)
        adjustImgViewsInit();
    switch (event->type()) {
    case QEvent::TouchBegin: {
        auto* touch = static_cast<QTouchEvent*>(event);
        if (touch->points().isEmpty() ||
            !dialTakesTouchAt(mapFromGlobal(touch->points().first().globalPosition()).toPoint())) {
            // Left unaccepted, the touch comes back as a mouse press for the
            // control under it; a control that declines passes it back here.
            event->ignore();
            return false;
        }
        handleTouchEvent(touch);
        event->accept();
        return true;
    }
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        handleTouchEvent(static_cast<QTouchEvent*>(event));
        event->accept();
        return true;
    case QEvent::TouchCancel:
        // Deliberately nothing: a drag the system cancelled stays where it
        // is until the next touch ends.
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

void MainView::handleTouchEvent(QTouchEvent* event)
{
    // Like the handheld callbacks: per phase, the first touch in that phase.
    auto first = [event](QEventPoint::State state) -> const QEventPoint* {
        for (const QEventPoint& p : event->points())
            if (p.state() == state)
                return &p;
        return nullptr;
    };
    auto here = [this](const QEventPoint* p) {
        return pointInNeedleContainer(mapFromGlobal(p->globalPosition()));
    };
    if (const QEventPoint* p = first(QEventPoint::State::Pressed))
        touchesBegan(here(p));
    if (const QEventPoint* p = first(QEventPoint::State::Updated))
        touchesMoved(here(p));
    if (const QEventPoint* p = first(QEventPoint::State::Released))
        touchesEnded(here(p));
}
