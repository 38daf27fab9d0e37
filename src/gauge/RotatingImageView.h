#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

// An image view turned by an affine rotation about its own centre. Its
// untransformed frame is given by center and boundsSize, as a layout gives
// it; the widget itself is the square that holds every rotation, so turning
// repaints only what the image covered before and covers now.
class RotatingImageView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
    Q_PROPERTY(QPointF center READ center WRITE setCenter)
    Q_PROPERTY(QSizeF boundsSize READ boundsSize WRITE setBoundsSize)
public:
    explicit RotatingImageView(QWidget* parent = nullptr);

    // A picture of the bundle by name (":/images/<name>", 2x where it fits).
    void setImageName(const QString& name);
    QString imageName() const { return m_imageName; }
    // A name whose picture is missing shows a placeholder bar, so the angle
    // can still be read; a null image shows nothing.
    void setImage(const QImage& image);
    QImage image() const { return m_image; }

    // Centre in the parent's coordinates; fractions are kept.
    void setCenter(QPointF center);
    QPointF center() const { return m_center; }
    void setBoundsSize(QSizeF size);
    QSizeF boundsSize() const { return m_bounds; }

    // Radians, clockwise on the screen.
    void setRotation(float radians);
    float rotation() const { return m_rotation; }

    // The area the image's visible pixels cover at a rotation, in this
    // widget's coordinates: two boxes along a long image, so a needle at an
    // angle does not repaint the square around it.
    QRegion coveredRegion(float radians) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QPointF pivot() const;
    void placeWidget();
    void loadNamedImage();
    void findVisiblePart();

    QString m_imageName;
    QImage m_image;
    qreal m_imageRatio = 0;
    QPointF m_center;
    QSizeF m_bounds;
    QRectF m_visible; // of the frame, in points about its centre
    QRegion m_covered; // at m_coveredRotation about m_coveredPivot
    QPointF m_coveredPivot;
    float m_coveredRotation = 0;
    float m_rotation = 0;
};
