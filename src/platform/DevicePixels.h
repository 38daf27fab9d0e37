#pragma once

#include <QEvent>

class QImage;
class QPainter;
class QWidget;

// How many device pixels a point is where a widget is drawn, and the one
// notification that it changed. Widgets that keep images rendered for a
// ratio ask here; none of them needs to know about the scaling window.
namespace DevicePixels {

// Device pixels per point where `widget` is drawn: its screen's ratio, times
// the stage's scale when it lives on one. Images rendered for this ratio
// land pixel for pixel.
qreal ratio(const QWidget* widget);

// QPainter applies an image's pixel ratio only from 1 up; an image for a
// stage scaled below 1 has a lower ratio, so its painter scales by hand.
void matchImageRatio(QPainter& painter, const QImage& image);

// Sent to every widget of a tree whose ratio changed (a rescaled stage, a
// screen of another density).
QEvent::Type changeEvent();
void announceChange(QWidget* root);

// Whether `event` may mean that the ratio at the widget changed: the
// announcement, or the widget being shown where it is drawn for the first
// time. The widget compares with the ratio it rendered for.
bool mayHaveChanged(const QEvent* event);

} // namespace DevicePixels
