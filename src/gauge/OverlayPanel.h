#pragma once

#include "BandedPainting.h"

#include <QWidget>

// The tablet overlay's translucent rounded panel behind a row of controls.
// Kept as a picture: the promotional spin and the fade repaint what lies
// under it 25 times a second, and a style sheet would draw the rounded
// shape (and style every button on it) again each time.
class OverlayPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KeptPicture m_picture;
};
