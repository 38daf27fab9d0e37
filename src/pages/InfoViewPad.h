#pragma once

#include <QWidget>

// The info page's view on the phone: the pages' texture behind its controls.
class InfoViewPhone : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The tablet's: every control on one panel that stays centred.
class InfoViewPad : public InfoViewPhone {
    Q_OBJECT
public:
    using InfoViewPhone::InfoViewPhone;

    QWidget* m_info_View = nullptr;

    void layoutSubviews();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
