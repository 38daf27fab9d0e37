#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// A picture whose caps keep their size while the one column right of the left
// cap and the one row below the top cap stretch to fill any rectangle, so a
// small drawing makes a button of any size.
class StretchableImage {
public:
    StretchableImage() = default;
    StretchableImage(QImage image, int leftCapWidth, int topCapHeight);
    // A bundle image at the pixel ratio it will be drawn at.
    static StretchableImage named(const QString& name, qreal devicePixelRatio, int leftCapWidth,
                                  int topCapHeight);

    bool isNull() const { return m_image.isNull(); }
    int leftCapWidth() const { return m_left; }
    int topCapHeight() const { return m_top; }
    QSizeF size() const { return m_image.deviceIndependentSize(); }

    void draw(QPainter& painter, const QRectF& target) const;

private:
    QImage m_image;
    int m_left = 0;
    int m_top = 0;
};
