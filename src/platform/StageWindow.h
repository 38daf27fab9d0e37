#pragma once

#include "Device.h"

#include <QGraphicsView>
#include <QPointer>
#include <functional>

class QGraphicsProxyWidget;

// The application window. Screens are laid out in fixed points (a 320 × 568
// phone, a 768 × 1024 tablet); the window shows its one stage of that size,
// scaled uniformly to the largest size that fits, centred, and maps pointer
// and touch positions back into points. Widgets on the stage stay real
// widgets, so their own coordinates never change with the window.
class StageWindow : public QGraphicsView {
    Q_OBJECT
public:
    // The stage's size in points for a window of the given size.
    using DesignSize = std::function<QSize(QSize window)>;
    // Fills the margins around the stage; the painter works in stage points.
    using MarginPainter = std::function<void(QPainter&, const QRectF&)>;

    explicit StageWindow(DesignSize designSize, QWidget* parent = nullptr);
    ~StageWindow() override;

    // The container the screens live in, sized in points.
    QWidget* stage() const { return m_stage; }
    qreal stageScale() const { return m_fit.scale; }
    QPointF stageOffset() const { return m_fit.offset; }
    void setMarginPainter(MarginPainter painter);
    // Frames painted so far, so the cost of a frame can be measured.
    quint64 paintedFrames() const { return m_paintedFrames; }

    struct Fit {
        qreal scale = 1.0;
        QPointF offset;
    };
    // Largest uniform scale of `design` that fits `window`, centred.
    static Fit fit(QSizeF design, QSizeF window);

    // The stage of a StageWindow, or the window itself for any other widget.
    static QWidget* stageOf(QWidget* window);

    // Device, phone and tablet design sizes.
    static QSize phoneDesignSize(QSize) { return Device::kPhoneDesignSize; }
    static QSize tabletDesignSize(QSize window);

    // Like widget->update(region) for a widget on a stage, but the window
    // repaints just these rectangles: through the stage's own update the
    // scene would repaint the box around everything asked for in the frame
    // (a turning needle's two halves, both needles). False, having done
    // nothing, for a widget on no stage, hidden or not updating.
    static bool updateExactly(QWidget* widget, const QRegion& region);

    // Hands what was asked for so far on to the windows, to be repainted
    // apart from what is asked for after (the scene would repaint the box
    // around both).
    static void settleRepaints();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void scrollContentsBy(int, int) override {}
    bool event(QEvent* event) override;

private:
    void refit();
    // Hands what the stage asked for so far on to the viewport.
    void settle();

    DesignSize m_designSize;
    MarginPainter m_marginPainter;
    QGraphicsScene* m_scene = nullptr;
    QGraphicsProxyWidget* m_proxy = nullptr;
    QPointer<QWidget> m_stage;
    Fit m_fit;
    quint64 m_paintedFrames = 0;
};
