#pragma once

#include <QAbstractButton>
#include <QImage>

// A button showing one picture that can be turned about the button's centre.
class RotatingButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    explicit RotatingButton(QWidget* parent = nullptr);

    void setImageName(const QString& name);
    QString imageName() const { return m_imageName; }

    // Radians, clockwise on the screen.
    void setRotation(float radians);
    float rotation() const { return m_rotation; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QString m_imageName;
    QImage m_image;
    qreal m_imageRatio = 0;
    float m_rotation = 0;
};
