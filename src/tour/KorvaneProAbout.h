#pragma once

#include "RepeatingTimer.h"
#include "ViewController.h"

#include <QPointer>
#include <cstdint>
#include <initializer_list>
#include <memory>

class AlphaView;
class QAbstractButton;
class QLabel;
class SegmentedControl;
class StretchableImageView;
class KorvaneProAbout;
namespace Ui {
class KorvaneProAbout;
}

class KorvaneProAboutDelegate {
public:
    virtual ~KorvaneProAboutDelegate() = default;
    virtual void KorvaneProAboutDidFinish(QObject* sender) = 0;
};

// The paid edition's feature tour: seven pages on a horizontal strip with
// two segmented controls as the page index, a slide show, drag paging, the
// speed-alert and altitude demonstrations and a fading store badge.
class KorvaneProAbout : public ViewController {
    Q_OBJECT
public:
    static constexpr int kPageCount = 7;
    static constexpr float kPageWidth = 320.0f;

    explicit KorvaneProAbout(QObject* parent = nullptr);
    ~KorvaneProAbout() override;

    SegmentedControl* segment1 = nullptr;
    SegmentedControl* segment2 = nullptr;
    QWidget* m_69View = nullptr;
    QWidget* m_repeatIndividualView = nullptr;
    QWidget* m_musikView = nullptr;
    QWidget* m_hudView = nullptr;
    QWidget* m_speedAlertView = nullptr;
    QWidget* m_farbeView = nullptr;
    QWidget* m_pauseView = nullptr;
    QLabel* m_LableTitle = nullptr;
    QLabel* m_LableSheet1 = nullptr;
    QLabel* m_LableSheet2 = nullptr;
    QLabel* m_LableSheet3 = nullptr;
    QLabel* m_LableSheet4 = nullptr;
    QLabel* m_LableSheet5 = nullptr;
    QLabel* m_LableSheet6 = nullptr;
    QLabel* m_LableHUDExplain = nullptr;
    QLabel* m_altitude_value_Label = nullptr;
    QLabel* m_altitude_value_background_Label = nullptr;
    QWidget* m_SpeedAlertFlashImageView = nullptr;
    AlphaView* m_aviableAppStore = nullptr;
    StretchableImageView* m_backgroundAdds_img = nullptr;

    float m_ViewPosX = 0.0f;
    double rotateAnimationInterval = 5.0;
    int32_t m_animationPos = 200;
    bool m_didTouche = false;
    bool m_isSegmentOnUpRise = true;
    bool m_isAltitudeOnPpRise = true;
    KorvaneProAboutDelegate* delegate = nullptr;

    RepeatingTimer viewAnimationTimer;
    RepeatingTimer rotateAnimationTimer;
    RepeatingTimer aviableAppStoreAnimationTimer;
    RepeatingTimer alertBlinkTimer;
    RepeatingTimer altitudeTimer;

    void setInitSegment(int page);
    void setSegment(int page);
    void segment1Action();
    void segment2Action();
    void showView(int page);
    virtual void setViewspos(float x);
    void showAllVIews();
    void loadLocal();
    static void changeUISegmentFont(QWidget* view, const QFont& font);
    void appStoreKorvanePro();
    void done2();

    // Drag paging: the finger moved by dx points; the finger lifted.
    void touchesMoved(float dx);
    void touchesEnded();

    void startViewAnimation();
    void stopViewAnimation();
    void startRotateAnimation();
    void stopRotateAnimation();
    void startAviableAppStoreAnimation();
    void stopAviableAppStoreAnimation();
    void startAlertBlinkTimer();
    void stopAlertBlinkTimer();
    void startAltitudeTimer();
    void stopAltitudeTimer();

    virtual void viewAnimationControllFunc();
    virtual void rotateSegmetnsFunction();
    void aviableAppStoreFunction();
    virtual void alertBlinkTimerFunction();
    void altitudeTimerFunction();

    // The pages in strip order, and the page a control pair points at.
    QList<QWidget*> pages() const;
    int currentPage() const;
    // Centre x of page 0.
    float stripPosition() const;
    // The dial ranges of the paid edition in a speed unit.
    static QString rangeText(int32_t speedUnit);

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    bool escapePressed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Builds the view from the interface file, binds the outlets the form
    // has, wires its keys and gives it its texts.
    virtual QWidget* createView();
    // The keys that lead to the paid edition's store page, and those that
    // close the tour.
    void wireKeys(std::initializer_list<QAbstractButton*> storeLinks,
                  std::initializer_list<QAbstractButton*> doneKeys);
    // The forms' texts that follow the user's language.
    struct FormTexts {
        QString available, download, inTheStore, done;
    };
    static FormTexts formTexts();
    // Fonts, colours and keys the interface file leaves to the code.
    void style(QWidget* view);
    void stopAllTimers();

private:
    // Widgets sit on whole points; the strip and the read-out move in
    // fractions, so their exact places are kept here.
    float m_stripX = 160.0f;
    float m_altitudeY = 0.0f;
    bool m_altitudeYKnown = false;
    QPointF m_lastDrag;
    bool m_dragging = false;
    std::unique_ptr<Ui::KorvaneProAbout> m_ui;
};
