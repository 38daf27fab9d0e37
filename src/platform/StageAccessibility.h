#pragma once

#include <QRect>

class QWidget;

// Screen readers see the stage's widgets where and as large as they are
// drawn, under the one window that shows them.
namespace StageAccessibility {
// Puts our interfaces ahead of every factory installed so far; called again
// once a module has installed factories of its own (the browser engine's).
void install();
// Where `widget` is drawn, in global pixels; through the stage's scale when
// it lives on a stage.
QRect drawnRect(const QWidget* widget);
} // namespace StageAccessibility
