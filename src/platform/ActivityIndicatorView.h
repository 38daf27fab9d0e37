#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// A small spinner: a ring of spokes whose bright head turns while animating.
// It hides itself when stopped, and its timer runs only while it animates on
// screen, so an idle indicator costs nothing.
class ActivityIndicatorView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    static constexpr int kSpokes = 12;
    static constexpr int kFrameIntervalMs = 1000 / kSpokes; // one turn a second

    explicit ActivityIndicatorView(QWidget* parent = nullptr);

    // Shows the indicator and turns it.
    void startAnimating();
    // Stops and hides it.
    void stopAnimating();
    bool isAnimating() const { return m_animating; }
    // Whether frames are being drawn right now (animating and shown).
    bool isTicking() const { return m_timer.isActive(); }

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    // The spoke that is brightest, 0 … kSpokes − 1.
    int frame() const { return m_frame; }
    void advanceFrame();

    QSize sizeHint() const override { return QSize(20, 20); }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QTimer m_timer;
    QColor m_color = Qt::white;
    int m_frame = 0;
    bool m_animating = false;
};
