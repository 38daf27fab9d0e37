#pragma once

#include <QImage>
#include <QWidget>

// Tiles a picture of the bundle at its natural size from a given pattern
// phase, so that it continues a texture painted elsewhere without a seam.
class TextureView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    explicit TextureView(QWidget* parent = nullptr);

    void setImageName(const QString& name);
    QString imageName() const { return m_imageName; }

    // Where a tile's top left falls, in this view's coordinates.
    void setPatternPhase(QPointF phase);
    QPointF patternPhase() const { return m_phase; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void loadTile();

    QString m_imageName;
    QImage m_tile;
    qreal m_tileRatio = 0;
    qreal m_tileScale = 1;
    QPointF m_phase;
};
