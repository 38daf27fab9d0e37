#pragma once

#include "AlertView.h"
#include "GPSLocation.h"
#include "RepeatingTimer.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <QPointer>
#include <memory>

class AlphaView;
class ImageView;
class MainViewOwner;
class NeedleContainer;
class Property;
class QLabel;
class QMouseEvent;
class QPainter;
class QPushButton;
class QTouchEvent;
class RotatingButton;
class RotatingImageView;
namespace Ui {
class MainView;
class MainViewPad;
} // namespace Ui

// One thing the face painter put into the face image, in face coordinates.
// Kept so the face can be checked without reading pixels.
struct FaceElement {
    enum class Kind {
        Background,
        Bezel,
        Digit,
        Tick,
        UnitName,
        AccuracyScale,
        DistancePlate,
        DistanceUnit
    };
    Kind kind = Kind::Digit;
    QString text;     // the digit, tick glyph, unit name or distance unit
    float value = 0;  // the number a digit belongs to, the value of a tick
    int tickKind = 0; // 1 small, 2 middle, 3 big
    double angle = 0; // direction of the element's radial line, radians
    QPointF anchor;   // middle of the top edge of the text box
    QRectF rect;      // where an image or the plate went
    // How a text was drawn: its grey, pixel size and blend mode.
    float grey = 0;
    int pixelSize = 0;
    QPainter::CompositionMode blend = QPainter::CompositionMode_SourceOver;
};

// The gauge: a dial face rendered once into an image, a speed needle and an
// accuracy needle that glide to their targets under a timer that stops by
// itself, a trip-distance read-out, and the controls overlay with its
// promotional spin. It is the location source's delegate.
class MainView : public QWidget, public GPSLocationDelegate, public AlertViewDelegate {
    Q_OBJECT
public:
    // Loads the phone layout ("MainView.ui").
    explicit MainView(QWidget* parent = nullptr);
    ~MainView() override;

    // Layout elements.
    QLabel* cLight = nullptr;
    QWidget* addsView = nullptr;
    QLabel* m_GenauigkeitMeter = nullptr;
    QLabel* m_speedLabel = nullptr;
    ImageView* m_View_Main = nullptr;
    RotatingImageView* m_speedZeiger = nullptr;
    RotatingImageView* m_gpsZeiger = nullptr;
    AlphaView* m_BackgroundView = nullptr;

    bool m_onSpeedNeedleFunAdjust = false;
    RepeatingTimer smothZeigerEffectAnimationTimer;
    double smothZeigereffectAnimationInterval = 0;
    RepeatingTimer adProAnimationTimer;
    double adProAnimationInterval = 0;
    RepeatingTimer properties_AnimationTimer;

    QPushButton* m_friendShareButton = nullptr;
    QPushButton* iButton = nullptr;
    RotatingButton* adProButton = nullptr;
    Property* prop = nullptr;
    QLabel* m_Speedo_Label = nullptr;
    QLabel* m_distanceTraveled = nullptr;
    QLabel* m_distanceTraveled_Background = nullptr;
    QLabel* m_distanceUnitLabel = nullptr;
    QPushButton* m_properties_twitter_webio_Button = nullptr;
    QPushButton* m_properties_facebook_Button = nullptr;

    float m_currentZeigerAngle = 0;
    float m_speedZeigerAngle = 0;
    float m_currentAdProAngle = 0;
    float m_currentGenauigkeitMeterGPS = 0;
    float m_realGenauigkeitMeterGPS = 0;
    bool m_onFlipView = false;
    std::unique_ptr<GPSLocation> m_GPSLocation;
    // The fixes' source, handed in by the screen's owner before addProperty
    // (not owned); a gauge on its own makes one.
    QPointer<LocationManager> m_locationSource;
    MainViewOwner* m_MainViewController = nullptr; // not owned; outlives the view

    // Further buttons of the layout, for the controller to wire.
    QPushButton* m_settingsButton = nullptr;
    QPushButton* m_zentrikAppsButton = nullptr;
    QPushButton* m_moreAppsButton = nullptr; // wired to moreAppsButtonAction here

    // The speed needle's superview; the wheel centre refers to its space.
    NeedleContainer* needleContainer() const;

    // Dial geometry with the store's current unit.
    float speedToAngle(float metersPerSecond) const;
    float speedInUniteToAngle(float speedInUnit) const;
    float getSkinMaxSpeedRangeInUnit() const;
    float getSpeedZeigerAngle() const { return m_speedZeigerAngle; }
    virtual float touchAngleOnWheel(QPointF point) const;
    virtual float touchRadiusOnWheel(QPointF point) const;

    // Face.
    void adjustImgViewsInit();
    void paintSchablonUniteRange(int range, float speedStepWidth, bool smalMarkers, QPointF center,
                                 float scale);
    void paintSchabloneNr(int nr, float scale, QPointF center, const QFont& font);
    void paintSchablone_marker(float value, int smalMiddleBig, float scale, QPointF center,
                               const QFont& font);
    void paintSchablone_Unite(const QString& unite, float scale, QPointF center, const QFont& font);
    void loadLocal();
    // Where the face's background tiles start, in face coordinates; a view
    // beside the face continues the texture from here without a seam.
    QPointF faceTexturePhase() const;
    // Fills rect (this view's coordinates, may reach beyond it) with the
    // face's texture, continuing it seamlessly.
    void paintBackdrop(QPainter& p, const QRectF& rect) const;
    // What the latest adjustImgViewsInit drew, in drawing order.
    const QList<FaceElement>& faceElements() const { return m_faceElements; }

    // Start-up and speed updates.
    void addProperty(Property* s);
    virtual void setViewInit();
    void speedDidUpate(float speed, float accuracy, double distance) override;
    void update_m_distanceTraveled_Label();
    void setGpsZeiger(float accuracy);
    void startSmothZeigerEffectAnimation();
    bool smothZeigerStopEffectAnimation();
    void drawSmoothZeigerEffectAnimationControllFunc();
    void releaseForFlipviewNProAd();

    // Controls overlay, promotional spin, review invitation.
    void start_properties_AnimationTimer(float delay);
    bool stop_properties_AnimationTimer();
    void properties_AnimationTimer_ControllFunc();
    void startAdProEffectAnimation();
    bool stopAdProEffectAnimation();
    void drawAdProEffectAnimationControllFunc();
    void alertView_clickedButtonAtIndex(AlertView* alertView, int buttonIndex) override;
    void moreAppsButtonAction();

    // Touch on the dial, one touch at a time, in the needle container's
    // space. A touch that lands on the speed needle drags it; every touch
    // that ends is a tap on the gauge. Fed from mouse and touch input.
    virtual void touchesBegan(QPointF point);
    void touchesMoved(QPointF point);
    void touchesEnded(QPointF point);
    // A point of this view in the needle container's space.
    QPointF pointInNeedleContainer(QPointF viewPoint) const;

    // Store pages this view opens; the controller opens the same.
    static QUrl appStorePageURL();
    static QUrl makerAppsPageURL();

protected:
    // How long a tap or a start keeps the controls overlay up.
    static constexpr float kOverlayShowSeconds = 4.0f;

    struct NoLayout {};
    // For a subclass that loads a layout of its own and then calls bindLayout.
    MainView(QWidget* parent, NoLayout);
    // Takes the layout elements from the phone's or the tablet's form.
    template <class Form> void bindLayout(const Form& form);

    // The last step of addProperty.
    void showStartUpReviewAnimationIfDue();
    // The distance unit text for the store's unit; an unknown unit keeps it.
    void updateDistanceUnitText();
    // Starts a drag when the point lies on the speed needle, nearer to the
    // wheel centre than radiusLimit.
    void grabSpeedNeedle(QPointF point, float radiusLimit);

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int32_t speedUnit() const;
    // Whether a touch beginning here is the dial's, or belongs to a control
    // of the layout (which then gets it as a mouse press).
    bool dialTakesTouchAt(QPoint viewPoint) const;
    void handleTouchEvent(QTouchEvent* event);

    // Texture and bezel, the part of the face that no setting changes.
    QList<FaceElement> paintFaceBase(QPainter& p, QSizeF size, qreal dpr, QPointF center, float c,
                                     float d, bool tablet) const;

    QPainter* m_faceContext = nullptr; // the open image context while the face renders
    QList<FaceElement> m_faceElements;
    NeedleContainer* m_needleContainer = nullptr;
    std::unique_ptr<Ui::MainView> m_ui;
    // The spin waits while the overlay, and with it the button, is hidden.
    bool m_adProSpinWaitsForOverlay = false;
};
