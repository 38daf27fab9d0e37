#pragma once

#include <QWidget>

// An image view showing a stretchable bundle image over its whole area.
class StretchableImageView : public QWidget {
    Q_OBJECT
    // A picture without caps, drawn to fill the view (interface files).
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    explicit StretchableImageView(QWidget* parent = nullptr);
    void setImage(const QString& name, int leftCapWidth, int topCapHeight);
    QString imageName() const { return m_name; }
    void setImageName(const QString& name) { setImage(name, 0, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    int m_left = 0;
    int m_top = 0;
};
