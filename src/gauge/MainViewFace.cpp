// The dial face: painted once per setViewInit into one image, so that a
// moving needle never redraws it.

#include "MainView.h"

#include "Application.h"
#include "Device.h"
#include "DevicePixels.h"
#include "GaugeResources.h"
#include "ImageView.h"
#include "Localization.h"
#include "NeedleContainer.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <numbers>

namespace {
// The scale is laid out for the tablet's dial and shrunk on the phone.
constexpr float kTabletCenterY = 427.0f;
constexpr float kTabletBezelHalfWidth = 273.0f;
constexpr float kPhoneBezelHalfWidth = 147.8f;
constexpr float kPhoneScale = 0.5413919687271118f; // 147.8 / 273
constexpr float kPhoneCenterYPerHeight = 0.0625f;
constexpr float kPhoneCenterYSixteenths = 7.0f;
constexpr int kPhoneFrameHeight = Device::kPhoneDesignSize.height();
constexpr double kBezelTopDivisor = 2.0325;
constexpr double kAccuracyScaleBelowBezel = 0.3;
constexpr double kAccuracyScaleGap = 9.0;

constexpr const char* kDialFont = "classic_f";
constexpr int kNumberFontSize = 78;
constexpr int kTickFontSize = 52;
constexpr int kUnitFontSize = 100;
constexpr qreal kNumberRadius = 239;
constexpr qreal kTickRadius = 177;
constexpr qreal kUnitBelowCenter = 157;
constexpr float kNumberGrey = 0.97f;
constexpr float kTickGrey = 0.9f;
constexpr float kUnitGrey = 0.8f;

// Angular offsets that stand the digits of a number side by side on the arc.
constexpr double kThreeDigitOnes = 0.07363107800483704;
constexpr double kThreeDigitHundreds = -0.08590292185544968;
constexpr double kTwoDigitOnes = 0.04908738657832146;
constexpr double kTwoDigitTens = -0.04908738657832146;

constexpr qreal kPlateGrowX = 3, kPlateGrowY = 2;
constexpr qreal kPlateTabletShift = 2;
constexpr qreal kPlateCornerRadius = 6;

constexpr double kHalfPi = std::numbers::pi / 2.0;

struct UnitScale {
    int range;
    float step;
    const char* name;
};
constexpr UnitScale kUnitScales[] = {{220, 20.0f, "km/h"}, {180, 20.0f, "MPH"}, {60, 5.0f, "kn"}};

QFont dialFont(int pixelSize)
{
    QFont font{QString::fromLatin1(kDialFont)};
    // Points of the dial are logical pixels; unhinted metrics are the same at
    // every device pixel ratio.
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The dial's text is unhinted, so a glyph of any size is the glyph of one
// reference size scaled: the whole dial needs one font engine, and loading
// an engine is most of what the first face costs.
constexpr int kReferenceFontSize = kUnitFontSize;
struct DialText {
    explicit DialText(const QFont& asked)
        : font(withSize(asked)), metrics(font),
          factor(qreal(asked.pixelSize()) / qreal(kReferenceFontSize))
    {
    }
    qreal advance(const QString& text) const { return metrics.horizontalAdvance(text) * factor; }
    int drawnSize() const { return qRound(font.pixelSize() * factor); }
    // The top of the text box sits at the painter's origin.
    void draw(QPainter& p, const QString& text) const
    {
        p.save();
        p.scale(factor, factor);
        p.drawText(QPointF(0, metrics.ascent()), text);
        p.restore();
    }

    QFont font;
    QFontMetricsF metrics;
    qreal factor;

private:
    static QFont withSize(QFont font)
    {
        font.setPixelSize(kReferenceFontSize);
        return font;
    }
};

QColor grey(float level)
{
    return QColor::fromRgbF(level, level, level, 1.0f);
}

// Near-white that shows light on the dark parts and dark on the light ones.
void prepareElement(QPainter& p, const QFont& font, float level)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setFont(font);
    p.setPen(grey(level));
}

// Dial centre (a, b), bezel half-width c and scale factor d of a face.
struct DialMetrics {
    float a, b, c, d;
};
DialMetrics dialMetrics(QSizeF faceSize, bool tablet)
{
    return {float(faceSize.width()) / 2.0f,
            tablet ? kTabletCenterY
                   : float(faceSize.height()) * kPhoneCenterYPerHeight * kPhoneCenterYSixteenths,
            tablet ? kTabletBezelHalfWidth : kPhoneBezelHalfWidth, tablet ? 1.0f : kPhoneScale};
}

QRectF rectIn(const QWidget* widget, const QWidget* target)
{
    const QWidget* top = widget->window();
    const QPointF origin = target->mapFrom(top, widget->mapTo(top, QPointF(0, 0)));
    return QRectF(origin, QSizeF(widget->size()));
}
} // namespace

QList<FaceElement> MainView::paintFaceBase(QPainter& p, QSizeF size, qreal dpr, QPointF center,
                                           float c, float d, bool tablet) const
{
    QList<FaceElement> drawn;
    const float a = float(center.x()), b = float(center.y());
    const QRectF bounds(QPointF(0, 0), size);

    // Background texture, tiled from the pattern phase.
    QImage tile = GaugeResources::image(QStringLiteral("grip_mosaik_background.jpg"), dpr);
    if (tile.isNull()) {
        p.fillRect(bounds, Qt::black);
    } else {
        const qreal tileScale = (tablet ? 1.0 : qreal(d)) / tile.devicePixelRatio();
        tile.setDevicePixelRatio(1.0);
        QBrush pattern(tile);
        pattern.setTransform(QTransform(tileScale, 0, 0, tileScale, a - d, b - d));
        p.fillRect(bounds, pattern);
        drawn.append({FaceElement::Kind::Background, {}, 0, 0, 0, {}, bounds});
    }

    // Bezel: the left half and its mirror image.
    const QImage border = GaugeResources::image(QStringLiteral("border_iPad.png"), dpr);
    if (!border.isNull()) {
        const QSizeF natural = border.deviceIndependentSize();
        const float h = float(natural.height()) * c / float(natural.width());
        const double top = double(b) - double(h) / kBezelTopDivisor;
        const QRectF left(a - c, top, c, h);
        p.drawImage(left, border);
        p.save();
        p.translate(2.0 * a, 0);
        p.scale(-1, 1);
        p.drawImage(left, border);
        p.restore();
        drawn.append({FaceElement::Kind::Bezel, {}, 0, 0, 0, {}, QRectF(a - c, top, 2 * c, h)});
    }
    return drawn;
}

QPointF MainView::faceTexturePhase() const
{
    const auto [a, b, c, d] = dialMetrics(m_View_Main->size(), Device::isTablet());
    return QPointF(a - d, b - d);
}

void MainView::paintBackdrop(QPainter& p, const QRectF& rect) const
{
    const bool tablet = Device::isTablet();
    QImage tile = GaugeResources::image(QStringLiteral("grip_mosaik_background.jpg"),
                                        DevicePixels::ratio(this));
    if (tile.isNull()) {
        p.fillRect(rect, Qt::black);
        return;
    }
    const auto [a, b, c, d] = dialMetrics(m_View_Main->size(), tablet);
    const qreal tileScale = (tablet ? 1.0 : qreal(d)) / tile.devicePixelRatio();
    tile.setDevicePixelRatio(1.0);
    const QPointF phase = m_View_Main->mapTo(this, QPointF(a - d, b - d));
    QBrush pattern(tile);
    pattern.setTransform(QTransform(tileScale, 0, 0, tileScale, phase.x(), phase.y()));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(rect, pattern);
}

void MainView::adjustImgViewsInit()
{
    const bool tablet = Device::isTablet();
    if (!tablet) {
        // The screen in points: the stage when the window scales one.
        const QSize screen = Application::shared().mainScreenSize();
        if (screen.height() == kPhoneFrameHeight)
            resize(screen);
    }

    const QSizeF size = m_View_Main->size();
    const auto [a, b, c, d] = dialMetrics(size, tablet);
    if (!tablet)
        m_needleContainer->setCenter(QPointF(a, b));

    const qreal dpr = DevicePixels::ratio(m_View_Main);
    QImage face(qCeil(size.width() * dpr), qCeil(size.height() * dpr), QImage::Format_RGB32);
    face.setDevicePixelRatio(dpr);
    // Point sizes of the layout's labels mean what they mean on screen.
    face.setDotsPerMeterX(qRound(m_View_Main->logicalDpiX() / 0.0254));
    face.setDotsPerMeterY(qRound(m_View_Main->logicalDpiY() / 0.0254));
    QPainter p(&face);
    DevicePixels::matchImageRatio(p, face);
    m_faceContext = &p;
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // Not kept between renderings: a second full-window image would cost
    // more memory than drawing texture and bezel again costs time.
    m_faceElements = paintFaceBase(p, size, dpr, QPointF(a, b), c, d, tablet);

    const int32_t unit = speedUnit();
    if (unit >= 0 && unit < int32_t(std::size(kUnitScales))) {
        const UnitScale& s = kUnitScales[unit];
        paintSchablonUniteRange(s.range, s.step, true, QPointF(a, b), d);
        paintSchablone_Unite(QString::fromLatin1(s.name), d, QPointF(a, b),
                             dialFont(kUnitFontSize));
        // What a screen reader says of the face: it is a picture.
        m_View_Main->setAccessibleName(Localization::translate("Localizable", "SpeedDial")
                                           .orDefault(QStringLiteral("Speed dial")) +
                                       QStringLiteral(", ") + QString::fromLatin1(s.name));
    }

    const QImage accuracy = GaugeResources::image(QStringLiteral("gps_schablone.png"), dpr);
    if (!accuracy.isNull()) {
        const QSizeF natural = accuracy.deviceIndependentSize();
        const float w = float(natural.width()), h = float(natural.height());
        const QRectF r(a - d * w / 2.0f,
                       double(b) + double(c) * kAccuracyScaleBelowBezel + kAccuracyScaleGap, d * w,
                       d * h);
        p.drawImage(r, accuracy);
        m_faceElements.append({FaceElement::Kind::AccuracyScale, {}, 0, 0, 0, {}, r});
    }

    // The black plate under the trip-distance digits.
    QRectF plate = rectIn(m_distanceTraveled_Background, m_View_Main)
                       .adjusted(-kPlateGrowX, -kPlateGrowY, kPlateGrowX, kPlateGrowY);
    if (tablet)
        plate.moveLeft(a - plate.width() / 2 + kPlateTabletShift);
    {
        QPainterPath rounded;
        rounded.addRoundedRect(plate, kPlateCornerRadius, kPlateCornerRadius);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(rounded, Qt::black);
        p.restore();
        m_faceElements.append({FaceElement::Kind::DistancePlate, {}, 0, 0, 0, {}, plate});
    }

    // The distance unit becomes part of the face; the label itself goes.
    {
        QLabel* label = m_distanceUnitLabel;
        label->ensurePolished();
        const QRectF r = rectIn(label, m_View_Main);
        p.save();
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(label->font());
        p.setPen(label->palette().color(label->foregroundRole()));
        p.drawText(r, int(label->alignment()), label->text());
        p.restore();
        m_faceElements.append({FaceElement::Kind::DistanceUnit, label->text(), 0, 0, 0, {}, r});
        label->hide();
    }

    m_faceContext = nullptr;
    p.end();
    m_View_Main->setImage(face);
}

void MainView::paintSchablonUniteRange(int range, float speedStepWidth, bool smalMarkers,
                                       QPointF center, float scale)
{
    const QFont numberFont = dialFont(kNumberFontSize);
    const QFont tickFont = dialFont(kTickFontSize);
    if (range < 0)
        return;
    const double s = speedStepWidth;
    for (int v = 0; v <= range;) {
        paintSchabloneNr(v, scale, center, numberFont);
        paintSchablone_marker(float(v), 3, scale, center, tickFont);
        if (v >= 1) {
            if (smalMarkers) {
                paintSchablone_marker(float(v - 0.25 * s), 1, scale, center, tickFont);
                paintSchablone_marker(float(v - 0.5 * s), 2, scale, center, tickFont);
                paintSchablone_marker(float(v - 0.75 * s), 1, scale, center, tickFont);
            } else {
                paintSchablone_marker(float(v - 0.5 * s), 1, scale, center, tickFont);
            }
        }
        const int next = int(float(v) + speedStepWidth);
        if (next <= v)
            break; // a step that never advances would loop for ever
        v = next;
    }
}

void MainView::paintSchabloneNr(int nr, float scale, QPointF center, const QFont& font)
{
    if (!m_faceContext)
        return;
    QPainter& p = *m_faceContext;
    const int count = nr > 99 ? 3 : nr > 9 ? 2 : 1;
    const float theta = speedInUniteToAngle(float(nr));
    const DialText text(font);
    int m = nr;
    for (int i = 1; i <= count; ++i, m /= 10) {
        const QString digit = QString::asprintf("%i", m % 10);
        double offset = 0;
        if (count == 3)
            offset = i == 1 ? kThreeDigitOnes : i == 3 ? kThreeDigitHundreds : 0.0;
        else if (count == 2)
            offset = i == 1 ? kTwoDigitOnes : kTwoDigitTens;

        p.save();
        p.translate(center);
        p.scale(scale, scale);
        p.rotate(qRadiansToDegrees(double(theta) + kHalfPi + offset));
        const qreal w = text.advance(digit);
        p.translate(-w / 2, 0);
        p.translate(0, -kNumberRadius);
        prepareElement(p, text.font, kNumberGrey);
        text.draw(p, digit);
        m_faceElements.append({FaceElement::Kind::Digit,
                               digit,
                               float(nr),
                               0,
                               double(theta) + offset,
                               p.worldTransform().map(QPointF(w / 2, 0)),
                               {},
                               float(p.pen().color().redF()),
                               text.drawnSize(),
                               p.compositionMode()});
        p.restore();
    }
}

void MainView::paintSchablone_marker(float value, int smalMiddleBig, float scale, QPointF center,
                                     const QFont& font)
{
    if (!m_faceContext)
        return;
    QPainter& p = *m_faceContext;
    const QString glyph = smalMiddleBig == 1   ? QStringLiteral("A")
                          : smalMiddleBig == 2 ? QStringLiteral("B")
                                               : QStringLiteral("C");
    const float theta = speedInUniteToAngle(value);
    const DialText text(font);
    p.save();
    p.translate(center);
    p.scale(scale, scale);
    p.rotate(qRadiansToDegrees(double(theta) + kHalfPi));
    const qreal w = text.advance(glyph);
    p.translate(-w / 2 + 1, 0);
    p.translate(0, -kTickRadius);
    prepareElement(p, text.font, kTickGrey);
    text.draw(p, glyph);
    m_faceElements.append({FaceElement::Kind::Tick,
                           glyph,
                           value,
                           smalMiddleBig == 1 || smalMiddleBig == 2 ? smalMiddleBig : 3,
                           double(theta),
                           p.worldTransform().map(QPointF(w / 2, 0)),
                           {},
                           float(p.pen().color().redF()),
                           text.drawnSize(),
                           p.compositionMode()});
    p.restore();
}

void MainView::paintSchablone_Unite(const QString& unite, float scale, QPointF center,
                                    const QFont& font)
{
    if (!m_faceContext)
        return;
    QPainter& p = *m_faceContext;
    const DialText text(font);
    p.save();
    p.translate(center);
    p.scale(scale, scale);
    const qreal w = text.advance(unite);
    p.translate(-w / 2 + 1, 0);
    p.translate(0, kUnitBelowCenter);
    prepareElement(p, text.font, kUnitGrey);
    text.draw(p, unite);
    m_faceElements.append({FaceElement::Kind::UnitName,
                           unite,
                           0,
                           0,
                           kHalfPi,
                           p.worldTransform().map(QPointF(w / 2, 0)),
                           {},
                           float(p.pen().color().redF()),
                           text.drawnSize(),
                           p.compositionMode()});
    p.restore();
}

void MainView::loadLocal()
{
    m_Speedo_Label->setText(
        Localization::translate("Localizable", "KorvaneFree").orDefault(QString()));
    for (QLabel* label : {m_distanceTraveled, m_distanceTraveled_Background}) {
        const QFont layoutFont = label->font();
        QFont digits{QStringLiteral("iSDigitIta_AndSymb")};
        if (layoutFont.pointSizeF() > 0)
            digits.setPointSizeF(layoutFont.pointSizeF());
        else
            digits.setPixelSize(layoutFont.pixelSize());
        label->setFont(digits);
    }
}
