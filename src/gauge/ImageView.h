#pragma once

#include <QImage>
#include <QWidget>

// Shows one image at its own device pixel ratio, top left, unscaled. Used
// for the pre-rendered dial face: a repaint only copies pixels.
class ImageView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setImage(const QImage& image);
    QImage image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
