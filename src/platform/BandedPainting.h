#pragma once

#include <QImage>
#include <QSize>
#include <functional>

class QBrush;
class QPainter;
class QRectF;
class QWidget;

// Draws `source` of `image` into `target` as drawImage does, in horizontal
// bands of a few device rows. Qt's raster engine hands any fill of more than
// about a hundred spans to the global thread pool and waits for it; a needle
// turning 30 times a second then wakes two pool threads and the painting
// thread twice per frame. Short bands keep every fill on the painting thread.
void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image,
                      const QRectF& source);
void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image);
// The same for a rectangle filled with a brush, in the painter's coordinates.
void fillRectInBands(QPainter& painter, const QRectF& rect, const QBrush& brush);

// A widget's drawing kept as an image for the size and density it was drawn
// at: what is uncovered by animations many times a second is then copied,
// not drawn again.
class KeptPicture {
public:
    void forget();
    // Copies the kept picture into `widget`'s painter, drawing it first with
    // `draw` (in the widget's points) when the widget's size or density has
    // changed since.
    void paint(QPainter& painter, const QWidget& widget,
               const std::function<void(QPainter&)>& draw);

private:
    QImage m_image;
    QSize m_size;
    qreal m_ratio = 0;
};
