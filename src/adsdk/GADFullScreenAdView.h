#pragma once

#include "GADAdResponse.h"
#include "GADArtwork.h"

#include <QWidget>

class QPushButton;

// The full-screen content of an ad: covers the root view it is presented
// from, follows its size, and offers the promoted page and a close button.
class GADFullScreenAdView : public QWidget {
    Q_OBJECT
public:
    GADFullScreenAdView(const GADCreative& creative, QWidget* root);

    QPushButton* closeButton() const { return m_close; }
    QPushButton* openButton() const { return m_open; }

signals:
    void closeRequested();
    void openRequested();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GADCreative m_creative;
    GADArtwork m_artwork;
    QPushButton* m_close;
    QPushButton* m_open;
};
