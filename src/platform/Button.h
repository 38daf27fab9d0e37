#pragma once

#include "StretchableImage.h"

#include <QAbstractButton>
#include <QColor>
#include <QHash>

// A button as the handheld toolkit has it: a title, an optional picture, a
// stretchable background per state and a selected state of its own (a
// segment of a segmented row). Pictures are drawn for the pixels the button
// really gets, so it stays sharp on a scaled screen.
class Button : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
    Q_PROPERTY(bool selected READ isSelected WRITE setSelected)
public:
    enum class State { Normal, Highlighted, Selected };

    explicit Button(QWidget* parent = nullptr);

    // Bundle image name, loaded at the ratio the button is drawn at.
    void setBackgroundImage(const QString& name, int leftCapWidth, int topCapHeight,
                            State state = State::Normal);
    bool hasBackgroundImage(State state) const { return m_backgrounds.contains(int(state)); }
    void setTitleColor(const QColor& color, State state = State::Normal);

    // A picture centred in the button (above the title when there is one).
    void setImageName(const QString& name);
    QString imageName() const { return m_imageName; }

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Background {
        QString name;
        int left = 0;
        int top = 0;
    };
    State currentState() const;

    QHash<int, Background> m_backgrounds;
    QHash<int, QColor> m_titleColors;
    QString m_imageName;
    bool m_selected = false;
};
