#pragma once

#include <QWidget>

// An image view showing a stretchable bundle image over its whole area.
class StretchableImageView : public QWidget {
    Q_OBJECT
public:
    explicit StretchableImageView(QWidget* parent = nullptr);
    void setImage(const QString& name, int leftCapWidth, int topCapHeight);
    QString imageName() const { return m_name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    int m_left = 0;
    int m_top = 0;
};
