#pragma once

#include <QWidget>

// A view with an opacity ("alpha") of its own, kept in single precision as
// the fade arithmetic expects. Its controls draw in their paint events; a
// background Qt fills for them (autoFillBackground) would not fade.
class AlphaView : public QWidget {
    Q_OBJECT
public:
    explicit AlphaView(QWidget* parent = nullptr);

    float alpha() const { return m_alpha; }
    void setAlpha(float alpha);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    float m_alpha = 1.0f;
    bool m_composing = false; // drawing the controls into the faded layer
};
