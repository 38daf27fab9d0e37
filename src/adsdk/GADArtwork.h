#pragma once

#include "GADAdResponse.h"

#include <QImage>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

// A creative's image, decoded once and drawn at whatever size and device
// pixel ratio the painter has: SVG as vectors, PNG smoothly scaled.
class GADArtwork {
public:
    explicit GADArtwork(const GADCreative& creative);
    ~GADArtwork();
    GADArtwork(const GADArtwork&) = delete;
    GADArtwork& operator=(const GADArtwork&) = delete;

    bool isValid() const;
    // Fits the image into the target keeping its aspect ratio, centred.
    void paint(QPainter& painter, const QRectF& target) const;

private:
    std::unique_ptr<QSvgRenderer> m_svg;
    QImage m_image;
};

// How the network lays out its ads; shared by the banner and the full-screen content.
namespace GADCreativeLayout {
QColor backgroundColor(const GADCreative& creative);
QColor textColor(const QColor& background);
void paintBanner(QPainter& painter, const QRectF& rect, const GADCreative& creative,
                 const GADArtwork& artwork);
} // namespace GADCreativeLayout
