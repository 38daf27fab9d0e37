#pragma once

#include <QWidget>

class QGraphicsOpacityEffect;

// A view with an opacity ("alpha") of its own, kept in single precision as
// the fade arithmetic expects.
class AlphaView : public QWidget {
    Q_OBJECT
public:
    explicit AlphaView(QWidget* parent = nullptr);

    float alpha() const { return m_alpha; }
    void setAlpha(float alpha);

private:
    float m_alpha = 1.0f;
    QGraphicsOpacityEffect* m_effect;
};
