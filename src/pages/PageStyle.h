#pragma once

#include <QColor>
#include <QFont>

class QLabel;
class QPainter;
class QWidget;
class Button;

// The look the pages share with the gauge: the carbon texture under a dark
// veil, light text, steel and blue keys.
namespace PageStyle {

// Sizes are in points, the stage's unit.
QFont font(int pixelSize, bool bold = false);
// The digit font of the trip read-out, at the given size.
QFont digitFont(int pixelSize);

void paintBackground(QPainter& p, const QWidget* page);
void styleLabel(QLabel* label, int pixelSize, bool bold = false, const QColor& color = Qt::white);
// Shrinks the label's font, down to minPixelSize, until its text fits.
void fitWidth(QLabel* label, int minPixelSize);
// Heading over a group of controls: small capitals in the tint blue.
void styleHeading(QLabel* label);
// A standard key (dark steel or blue) with its title.
void styleKey(Button* button, bool blue, int pixelSize = 15);

inline const QColor kTint{127, 190, 255};
inline const QColor kSecondaryText{176, 180, 188};

} // namespace PageStyle
