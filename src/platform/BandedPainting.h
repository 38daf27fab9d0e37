#pragma once

class QBrush;
class QImage;
class QPainter;
class QRectF;

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
