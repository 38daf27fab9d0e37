#pragma once

#include "KorvaneProAbout.h"

#include <memory>

class QLabel;
class StretchableImageView;
namespace Ui {
class KorvaneProAboutPad;
}

// The tablet's tour page: every feature at once, laid out for portrait and
// for landscape.
class KorvaneProAboutViewPad : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    StretchableImageView* m_Direction_maxAvg_image = nullptr;
    QLabel* m_Direction_maxAvg_Lable = nullptr;
    QWidget* m_AlertView = nullptr;
    QWidget* m_Altitude_View = nullptr;
    QWidget* m_BackButton = nullptr;

    void bindOutlets(const Ui::KorvaneProAboutPad& form);
    // Places every element for the view's orientation (portrait when taller
    // than wide, upside down included).
    void layoutSubviews();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Only this view places these.
    StretchableImageView* m_AdBackgroundImage = nullptr;
    QWidget* m_AccelerateView = nullptr;
    QWidget* m_Direction_maxAvgView = nullptr;
    QWidget* m_PadView = nullptr;
    StretchableImageView* m_PadView_image = nullptr;
    QWidget* m_HUD_Explain_View = nullptr;
    QWidget* m_AppStoreButton = nullptr;
    QWidget* m_DownloadButton = nullptr;
    QWidget* m_PlusLeftButton = nullptr;
    QWidget* m_PlusRightButton = nullptr;
    QLabel* m_KorvaneLabel = nullptr;
    QLabel* m_ProLabel = nullptr;
    QLabel* m_AdByLabel = nullptr;
    QLabel* m_AppStoreLabel = nullptr;
};

class KorvaneProAboutPad : public KorvaneProAbout {
    Q_OBJECT
public:
    static constexpr int kBlinksShown = 11;

    explicit KorvaneProAboutPad(QObject* parent = nullptr);
    ~KorvaneProAboutPad() override;

    int32_t m_blinkCount = 0;

    void setViewspos(float) override {}
    void viewAnimationControllFunc() override {}
    void rotateSegmetnsFunction() override {}
    void alertBlinkTimerFunction() override;

protected:
    QWidget* createView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::KorvaneProAboutPad> m_ui;
};
