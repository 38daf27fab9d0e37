// Renders every bitmap of the gauge and its controls.
//
//   render_artwork FONT_DIR SVG_DIR OUT_DIR
//
// Each image is painted in its own logical units (points) and written at
// 1x and 2x ("name@2x.png"), so both come from the same drawing. Dial pieces
// are drawn in the tablet's reference units (dial radius 273) and scaled to
// the phone with the face's factor 147.8 / 273. Noise comes from a fixed hash,
// so the output is identical on every run.

#include <QColor>
#include <QConicalGradient>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double kPhoneScale = 0.5413919687271118;  // 147.8 / 273
constexpr double kPi = 3.14159265358979323846;

QString g_out;
QString g_fontFamily;

using Painter = std::function<void(QPainter &)>;

double hash01(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

void writeImage(const QImage &img, const QString &name)
{
    QImageWriter w(g_out + "/" + name);
    // For PNG, Qt maps quality 0 to the strongest (still lossless) deflate.
    w.setQuality(name.endsWith(".jpg") ? 90 : 0);
    if (!w.write(img)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(name), qPrintable(w.errorString()));
        std::exit(1);
    }
    std::printf("%-40s %4d x %4d\n", qPrintable(name), img.width(), img.height());
}

QImage paintImage(QSizeF logical, double dpr, const Painter &paint)
{
    QImage img(qRound(logical.width() * dpr), qRound(logical.height() * dpr),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.scale(dpr, dpr);
    paint(p);
    p.end();
    return img;
}

QString at2x(const QString &name)
{
    const int dot = name.lastIndexOf('.');
    return name.left(dot) + "@2x" + name.mid(dot);
}

// Writes name and name@2x from one drawing.
void emitImage(const QString &name, QSizeF logical, const Painter &paint)
{
    for (double dpr : {1.0, 2.0}) {
        QImage img = paintImage(logical, dpr, paint);
        if (name.endsWith(".jpg"))
            img = img.convertToFormat(QImage::Format_RGB32);
        writeImage(img, dpr == 1.0 ? name : at2x(name));
    }
}

// Three box passes approximate a Gaussian; used for soft shadows only.
QImage blurred(const QImage &src, int radius)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    std::vector<int> acc(std::max(w, h) + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int dir = 0; dir < 2; ++dir) {
            const int lines = dir == 0 ? h : w, len = dir == 0 ? w : h;
            for (int l = 0; l < lines; ++l) {
                for (int c = 0; c < 4; ++c) {
                    auto px = [&](int i) -> uchar & {
                        const int x = dir == 0 ? i : l, y = dir == 0 ? l : i;
                        return img.scanLine(y)[x * 4 + c];
                    };
                    acc[0] = 0;
                    for (int i = 0; i < len; ++i)
                        acc[i + 1] = acc[i] + px(i);
                    for (int i = 0; i < len; ++i) {
                        const int a = std::max(0, i - radius), b = std::min(len, i + radius + 1);
                        px(i) = uchar((acc[b] - acc[a]) / (b - a));
                    }
                }
            }
        }
    }
    return img;
}

QColor grey(double v, double a = 1.0)
{
    return QColor::fromRgbF(float(v), float(v), float(v), float(a));
}

// ---------------------------------------------------------------------------
// Background: a carbon twill mosaic. The weave repeats every four cells and
// the tile holds eight, so it tiles seamlessly.

void paintMosaic(QPainter &p, double size)
{
    const int cells = 8;
    const double cs = size / cells;
    p.fillRect(QRectF(0, 0, size, size), QColor(14, 15, 17));
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            const bool horizontal = ((i + j) % 4) < 2;
            const QRectF r(i * cs + 0.35, j * cs + 0.35, cs - 0.7, cs - 0.7);
            const double tone = 0.105 + 0.02 * hash01(i, j, 7);
            QLinearGradient g = horizontal ? QLinearGradient(r.topLeft(), r.bottomLeft())
                                           : QLinearGradient(r.topLeft(), r.topRight());
            g.setColorAt(0.0, grey(tone * 0.65));
            g.setColorAt(0.35, grey(tone * 1.15));
            g.setColorAt(0.5, grey(tone * 1.22));
            g.setColorAt(1.0, grey(tone * 0.55));
            QPainterPath path;
            path.addRoundedRect(r, cs * 0.18, cs * 0.18);
            p.fillPath(path, g);
            // Fibre lines along the bundle.
            p.save();
            p.setClipPath(path);
            p.setPen(QPen(grey(0.0, 0.22), cs * 0.04));
            for (int k = 1; k < 6; ++k) {
                const double t = k / 6.0 + (hash01(i * 7 + k, j, 3) - 0.5) * 0.05;
                if (horizontal)
                    p.drawLine(QPointF(r.left(), r.top() + t * r.height()),
                               QPointF(r.right(), r.top() + t * r.height()));
                else
                    p.drawLine(QPointF(r.left() + t * r.width(), r.top()),
                               QPointF(r.left() + t * r.width(), r.bottom()));
            }
            p.restore();
        }
    }
}

void grain(QImage &img, double amount, uint32_t seed)
{
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int d = int((hash01(x, y, seed) - 0.5) * 2 * amount);
            const QRgb c = line[x];
            auto cl = [](int v) { return std::clamp(v, 0, 255); };
            line[x] = qRgba(cl(qRed(c) + d), cl(qGreen(c) + d), cl(qBlue(c) + d), qAlpha(c));
        }
    }
}

void background()
{
    const double size = 64;  // tablet points; the phone shows it at 0.54x
    for (double dpr : {1.0, 2.0}) {
        QImage img = paintImage({size, size}, dpr, [&](QPainter &p) { paintMosaic(p, size); });
        img = img.convertToFormat(QImage::Format_RGB32);
        grain(img, 5, 11);
        const QString name = "grip_mosaik_background.jpg";
        writeImage(img, dpr == 1.0 ? name : at2x(name));
    }
}

// ---------------------------------------------------------------------------
// Bezel: the left half of a chrome ring. The face draws the image with the
// dial centre at (W, H / 2.0325) and mirrors it for the right half, so the
// lighting is symmetric about the vertical axis by construction.

constexpr double kBezelW = 273, kBezelH = 555;
const QPointF kBezelCentre(kBezelW, kBezelH / 2.0325);

void annulus(QPainter &p, QPointF c, double r0, double r1, const QBrush &b)
{
    QPainterPath path;
    path.addEllipse(c, r1, r1);
    path.addEllipse(c, r0, r0);
    path.setFillRule(Qt::OddEvenFill);
    p.fillPath(path, b);
}

QConicalGradient chrome(QPointF c, double phase)
{
    // Angles are counter-clockwise from 3 o'clock; only 90..270 is visible.
    QConicalGradient g(c, 0);
    const double bands[][2] = {{0.00, 0.60}, {0.25, 0.97}, {0.31, 0.62}, {0.37, 0.86},
                               {0.45, 0.38}, {0.50, 0.30}, {0.55, 0.50}, {0.62, 0.88},
                               {0.69, 0.48}, {0.75, 0.72}, {1.00, 0.60}};
    for (auto &b : bands) {
        const double v = std::clamp(b[1] + phase, 0.0, 1.0);
        g.setColorAt(b[0], QColor::fromRgbF(float(v * 0.93), float(v * 0.95), float(v), 1));
    }
    return g;
}

void paintBezel(QPainter &p)
{
    const QPointF c = kBezelCentre;
    const double rOut = 270, rGroove = 257, rLip = 252, rIn = 245;

    // The dial is a little darker than the surroundings and sinks under the rim.
    QRadialGradient face(c, rIn);
    face.setColorAt(0.0, grey(0, 0.10));
    face.setColorAt(0.80, grey(0, 0.16));
    face.setColorAt(0.93, grey(0, 0.35));
    face.setColorAt(1.0, grey(0, 0.75));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(c, rIn + 0.5, rIn + 0.5);

    // Outer bevel: convex, lit from above.
    annulus(p, c, rGroove, rOut, chrome(c, 0.0));
    QLinearGradient light(QPointF(0, c.y() - rOut), QPointF(0, c.y() + rOut));
    light.setColorAt(0.0, grey(1, 0.30));
    light.setColorAt(0.45, grey(1, 0.0));
    light.setColorAt(0.55, grey(0, 0.0));
    light.setColorAt(1.0, grey(0, 0.45));
    annulus(p, c, rGroove, rOut, light);
    QRadialGradient roll(c, rOut);
    roll.setColorAt(rGroove / rOut, grey(0, 0.35));
    roll.setColorAt((rGroove + 4) / rOut, grey(0, 0.0));
    roll.setColorAt((rOut - 3) / rOut, grey(0, 0.0));
    roll.setColorAt(1.0, grey(0, 0.55));
    annulus(p, c, rGroove, rOut, roll);

    // Groove between the bevel and the inner lip.
    annulus(p, c, rLip, rGroove, QBrush(QColor(10, 11, 13)));

    // Inner lip: concave, so its light falls the other way.
    annulus(p, c, rIn, rLip, chrome(c, -0.12));
    QLinearGradient under(QPointF(0, c.y() - rLip), QPointF(0, c.y() + rLip));
    under.setColorAt(0.0, grey(0, 0.45));
    under.setColorAt(0.5, grey(0, 0.05));
    under.setColorAt(1.0, grey(1, 0.25));
    annulus(p, c, rIn, rLip, under);

    // Crisp edges.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(grey(0.02, 0.9), 1.2));
    p.drawEllipse(c, rOut - 0.6, rOut - 0.6);
    p.setPen(QPen(grey(1, 0.35), 0.8));
    p.drawEllipse(c, rGroove + 0.8, rGroove + 0.8);
    p.setPen(QPen(grey(0, 0.8), 1.0));
    p.drawEllipse(c, rIn + 0.5, rIn + 0.5);
}

void bezel()
{
    for (double dpr : {1.0, 2.0}) {
        const QSizeF size(kBezelW, kBezelH);
        // A soft shadow under the ring, then the ring itself.
        QImage shadow = paintImage(size, dpr, [&](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(grey(0, 0.8));
            p.drawEllipse(kBezelCentre + QPointF(0, 3), 270.5, 270.5);
        });
        shadow = blurred(shadow, int(3 * dpr));
        QImage img = paintImage(size, dpr, [&](QPainter &p) {
            p.save();
            p.resetTransform();
            p.drawImage(0, 0, shadow);
            p.restore();
            // Cut the shadow out of the dial itself: only the rim casts it.
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawEllipse(kBezelCentre, 268, 268);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            paintBezel(p);
        });
        writeImage(img, dpr == 1.0 ? "border_iPad.png" : "border_iPad@2x.png");
    }
}

// ---------------------------------------------------------------------------
// Accuracy scale: the upper half of a small dial whose needle turns from
// pi (300 m, left) through 3pi/2 (150 m, up) to 2pi (1 m, right).

constexpr double kSchabW = 120, kSchabH = 60;
const QPointF kSchabPivot(60, 50);

void paintSchablone(QPainter &p)
{
    const QPointF c = kSchabPivot;
    QPainterPath half;
    half.moveTo(c + QPointF(-54, 0));
    half.arcTo(QRectF(c.x() - 54, c.y() - 54, 108, 108), 180, -180);
    half.lineTo(c + QPointF(54, 4));
    half.lineTo(c + QPointF(-54, 4));
    half.closeSubpath();
    QRadialGradient back(c, 54);
    back.setColorAt(0.0, grey(0.02, 0.55));
    back.setColorAt(0.9, grey(0.02, 0.65));
    back.setColorAt(1.0, grey(0.02, 0.0));
    p.fillPath(half, back);

    // Poor on the left, good on the right.
    QConicalGradient band(c, 0);
    band.setColorAt(0.00, QColor(70, 205, 90));
    band.setColorAt(0.16, QColor(150, 215, 60));
    band.setColorAt(0.27, QColor(245, 200, 40));
    band.setColorAt(0.40, QColor(250, 120, 30));
    band.setColorAt(0.50, QColor(225, 45, 30));
    band.setColorAt(0.51, QColor(70, 205, 90));
    band.setColorAt(1.00, QColor(70, 205, 90));
    QPainterPath arcBand;
    arcBand.arcMoveTo(QRectF(c.x() - 46, c.y() - 46, 92, 92), 180);
    arcBand.arcTo(QRectF(c.x() - 46, c.y() - 46, 92, 92), 180, -180);
    arcBand.arcTo(QRectF(c.x() - 41, c.y() - 41, 82, 82), 0, 180);
    arcBand.closeSubpath();
    p.fillPath(arcBand, band);

    // Ticks every 25 m, longer every 75 m.
    for (int m = 0; m <= 300; m += 25) {
        const double a = kPi + (300 - std::max(m, 1)) * kPi / 300;
        const bool major = m % 75 == 0;
        const double r0 = major ? 31 : 35, r1 = 40;
        QPointF u(std::cos(a), std::sin(a));
        p.setPen(QPen(grey(0.92), major ? 2.2 : 1.3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + u * r0, c + u * r1);
    }
    p.setPen(QPen(grey(0.6, 0.8), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 47, c.y() - 47, 94, 94), 0, 180 * 16);

    QFont f(g_fontFamily);
    f.setPixelSize(32);
    p.setFont(f);
    p.setPen(grey(0.88));
    p.drawText(QRectF(c.x() - 30, c.y() - 32, 60, 20), Qt::AlignHCenter | Qt::AlignBottom, "GPS");
}

// ---------------------------------------------------------------------------
// Needles point right, with the pivot at the image centre. They are drawn in
// reference units and scaled into an image of the given logical size.

void needleShadow(QPainter &p, const QPainterPath &shape, double dpr, double unit, QSizeF size)
{
    QImage sh = paintImage(size, dpr, [&](QPainter &q) {
        q.translate(size.width() / 2, size.height() / 2);
        q.scale(unit, unit);
        q.fillPath(shape, grey(0, 0.75));
    });
    sh = blurred(sh, std::max(1, int(std::round(2.2 * unit * dpr))));
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, sh);
    p.restore();
}

QPainterPath speedNeedleShape()
{
    QPainterPath path;
    path.moveTo(-46, -7.0);
    path.lineTo(0, -7.6);
    path.lineTo(183, -1.6);
    path.quadTo(186.5, 0, 183, 1.6);
    path.lineTo(0, 7.6);
    path.lineTo(-46, 7.0);
    path.quadTo(-50, 0, -46, -7.0);
    path.closeSubpath();
    return path;
}

void paintSpeedNeedle(QPainter &p)
{
    QPainterPath blade;
    blade.moveTo(6, -6.9);
    blade.lineTo(183, -1.6);
    blade.quadTo(186.5, 0, 183, 1.6);
    blade.lineTo(6, 6.9);
    blade.closeSubpath();
    QLinearGradient g(QPointF(0, -6.9), QPointF(0, 6.9));
    g.setColorAt(0.0, QColor(178, 34, 8));
    g.setColorAt(0.42, QColor(255, 104, 48));
    g.setColorAt(0.5, QColor(255, 150, 100));
    g.setColorAt(0.58, QColor(242, 78, 24));
    g.setColorAt(1.0, QColor(150, 26, 6));
    p.fillPath(blade, g);

    // Counterweight tail in dark metal.
    QPainterPath tail;
    tail.moveTo(6, -7.2);
    tail.lineTo(-46, -7.0);
    tail.quadTo(-50, 0, -46, 7.0);
    tail.lineTo(6, 7.2);
    tail.closeSubpath();
    QLinearGradient t(QPointF(0, -6.5), QPointF(0, 6.5));
    t.setColorAt(0.0, grey(0.10));
    t.setColorAt(0.45, grey(0.30));
    t.setColorAt(1.0, grey(0.05));
    p.fillPath(tail, t);

    // Hub cap: radially symmetric so it looks the same at every angle.
    QRadialGradient rim(QPointF(0, 0), 18);
    rim.setColorAt(0.70, grey(0.25));
    rim.setColorAt(0.80, grey(0.85));
    rim.setColorAt(0.92, grey(0.45));
    rim.setColorAt(1.0, grey(0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(QPointF(0, 0), 18, 18);
    QRadialGradient cap(QPointF(0, 0), 13);
    cap.setColorAt(0.0, grey(0.22));
    cap.setColorAt(0.8, grey(0.08));
    cap.setColorAt(1.0, grey(0.02));
    p.setBrush(cap);
    p.drawEllipse(QPointF(0, 0), 13, 13);
    p.setBrush(QColor(230, 70, 25));
    p.drawEllipse(QPointF(0, 0), 3.4, 3.4);
}

QPainterPath gpsNeedleShape()
{
    QPainterPath path;
    path.moveTo(-10, -2.6);
    path.lineTo(42, -0.9);
    path.quadTo(44, 0, 42, 0.9);
    path.lineTo(-10, 2.6);
    path.closeSubpath();
    path.addEllipse(QPointF(0, 0), 5.5, 5.5);
    return path;
}

void paintGpsNeedle(QPainter &p)
{
    QPainterPath blade;
    blade.moveTo(-10, -2.6);
    blade.lineTo(42, -0.9);
    blade.quadTo(44, 0, 42, 0.9);
    blade.lineTo(-10, 2.6);
    blade.closeSubpath();
    QLinearGradient g(QPointF(0, -2.6), QPointF(0, 2.6));
    g.setColorAt(0.0, grey(0.70));
    g.setColorAt(0.5, grey(1.0));
    g.setColorAt(1.0, grey(0.62));
    p.fillPath(blade, g);
    QRadialGradient hub(QPointF(0, 0), 5.5);
    hub.setColorAt(0.0, grey(0.30));
    hub.setColorAt(0.7, grey(0.10));
    hub.setColorAt(0.85, grey(0.75));
    hub.setColorAt(1.0, grey(0.25));
    p.setPen(Qt::NoPen);
    p.setBrush(hub);
    p.drawEllipse(QPointF(0, 0), 5.5, 5.5);
}

void needle(const QString &name, QSizeF size, double unit, const QPainterPath &shape,
            void (*paint)(QPainter &))
{
    for (double dpr : {1.0, 2.0}) {
        QImage img = paintImage(size, dpr, [&](QPainter &p) {
            needleShadow(p, shape, dpr, unit, size);
            p.translate(size.width() / 2, size.height() / 2);
            p.scale(unit, unit);
            paint(p);
        });
        writeImage(img, dpr == 1.0 ? name : at2x(name));
    }
}

// ---------------------------------------------------------------------------
// Round overlay buttons: dark glass discs with a coloured ring and a light
// glyph, drawn on a 44 pt square.

constexpr double kBtn = 44;

void buttonBase(QPainter &p, QColor accent)
{
    const QPointF c(kBtn / 2, kBtn / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(grey(0, 0.45));
    p.drawEllipse(c + QPointF(0, 1.2), 20.5, 20.5);
    QLinearGradient rim(QPointF(0, 2), QPointF(0, kBtn - 2));
    rim.setColorAt(0, grey(0.78));
    rim.setColorAt(0.5, grey(0.30));
    rim.setColorAt(1, grey(0.55));
    p.setBrush(rim);
    p.drawEllipse(c, 20, 20);
    QLinearGradient body(QPointF(0, 3), QPointF(0, kBtn - 3));
    body.setColorAt(0, QColor(58, 62, 68));
    body.setColorAt(1, QColor(16, 17, 20));
    p.setBrush(body);
    p.drawEllipse(c, 18.6, 18.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accent, 1.6));
    p.drawEllipse(c, 16.4, 16.4);
    // Glass highlight on the upper half.
    QPainterPath gloss;
    gloss.addEllipse(QRectF(c.x() - 14, c.y() - 17, 28, 16));
    QLinearGradient gl(QPointF(0, c.y() - 17), QPointF(0, c.y() - 1));
    gl.setColorAt(0, grey(1, 0.22));
    gl.setColorAt(1, grey(1, 0.0));
    p.fillPath(gloss, gl);
}

const QColor kGlyph(242, 240, 236);

void glyphInfo(QPainter &p, QPointF c, double s, QColor col)
{
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c + QPointF(0, -6.2 * s), 1.9 * s, 1.9 * s);
    QPainterPath stem;
    stem.addRoundedRect(QRectF(c.x() - 1.7 * s, c.y() - 2.6 * s, 3.4 * s, 10.4 * s), 0.8 * s, 0.8 * s);
    p.drawPath(stem);
}

QPainterPath gearPath(QPointF c, double rOuter, double rInner, double rHole, int teeth)
{
    QPainterPath gear;
    const int n = teeth * 4;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n - kPi / 2;
        const double r = (i % 4 == 0 || i % 4 == 1) ? rOuter : rInner;
        const double a2 = a + ((i % 4 == 0 || i % 4 == 2) ? 0.06 : -0.06);
        const QPointF pt = c + QPointF(std::cos(a2), std::sin(a2)) * r;
        i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(c, rHole, rHole);
    gear.setFillRule(Qt::OddEvenFill);
    return gear;
}

void glyphGear(QPainter &p, QPointF c, double s, QColor col)
{
    p.fillPath(gearPath(c, 10.2 * s, 7.6 * s, 3.2 * s, 8), col);
}

void glyphGrid(QPainter &p, QPointF c, double s, QColor col)
{
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    for (int i = 0; i < 4; ++i) {
        const QPointF o((i % 2 ? 1.2 : -8.2) * s, (i / 2 ? 1.2 : -8.2) * s);
        p.drawRoundedRect(QRectF(c + o, QSizeF(7 * s, 7 * s)), 1.6 * s, 1.6 * s);
    }
}

void glyphMail(QPainter &p, QPointF c, double s, QColor col)
{
    const QRectF r(c.x() - 9.5 * s, c.y() - 6.5 * s, 19 * s, 13 * s);
    p.setPen(QPen(col, 1.8 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 1.5 * s, 1.5 * s);
    QPainterPath flap;
    flap.moveTo(r.topLeft() + QPointF(1 * s, 1 * s));
    flap.lineTo(c + QPointF(0, 1.5 * s));
    flap.lineTo(r.topRight() + QPointF(-1 * s, 1 * s));
    p.drawPath(flap);
}

void glyphFriends(QPainter &p, QPointF c, double s, QColor col)
{
    // Two people side by side: the "tell your friends" share.
    p.setPen(Qt::NoPen);
    auto person = [&](QPointF at, double k, QColor fill) {
        p.setBrush(fill);
        p.drawEllipse(at + QPointF(0, -5.2 * k), 3.3 * k, 3.3 * k);
        QPainterPath body;
        body.moveTo(at + QPointF(-6.2 * k, 7.5 * k));
        body.cubicTo(at + QPointF(-6.2 * k, -0.5 * k), at + QPointF(6.2 * k, -0.5 * k),
                     at + QPointF(6.2 * k, 7.5 * k));
        body.closeSubpath();
        p.drawPath(body);
    };
    person(c + QPointF(4.2 * s, -0.6 * s), 0.85 * s, QColor(col.red(), col.green(), col.blue(), 150));
    person(c + QPointF(-2.6 * s, 0.6 * s), 1.0 * s, col);
}

QPainterPath bubblePath(QPointF c, double s)
{
    QPainterPath b;
    b.addEllipse(QRectF(c.x() - 9.5 * s, c.y() - 8 * s, 19 * s, 14 * s));
    QPainterPath tailPath;
    tailPath.moveTo(c + QPointF(-5 * s, 3 * s));
    tailPath.lineTo(c + QPointF(-8 * s, 9.5 * s));
    tailPath.lineTo(c + QPointF(0 * s, 5 * s));
    tailPath.closeSubpath();
    return b.united(tailPath);
}

void glyphBubble(QPainter &p, QPointF c, double s, QColor col)
{
    // A speech bubble with three dots: the short-message share.
    p.fillPath(bubblePath(c, s), col);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 24, 28));
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(c + QPointF(i * 4.4 * s, -1 * s), 1.5 * s, 1.5 * s);
}

void glyphWaves(QPainter &p, QPointF c, double s, QColor col)
{
    // A bubble with broadcast waves: the micro-blog share.
    p.fillPath(bubblePath(c + QPointF(-2 * s, 1.5 * s), 0.8 * s), col);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        const double r = (5 + i * 3.6) * s;
        p.setPen(QPen(col, 1.7 * s, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(c.x() + 2 * s - r, c.y() - 3 * s - r, 2 * r, 2 * r), 5 * 16, 80 * 16);
    }
}

void glyphGlobe(QPainter &p, QPointF c, double s, QColor col)
{
    p.setPen(QPen(col, 1.6 * s));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 9 * s, 9 * s);
    p.drawEllipse(c, 4 * s, 9 * s);
    p.drawLine(c + QPointF(-9 * s, 0), c + QPointF(9 * s, 0));
    p.drawLine(c + QPointF(0, -9 * s), c + QPointF(0, 9 * s));
    p.drawLine(c + QPointF(-7.8 * s, -4.5 * s), c + QPointF(7.8 * s, -4.5 * s));
    p.drawLine(c + QPointF(-7.8 * s, 4.5 * s), c + QPointF(7.8 * s, 4.5 * s));
}

void glyphStore(QPainter &p, QPointF c, double s, QColor col)
{
    // A shopping bag: the maker's listing in the store.
    QPainterPath bag;
    bag.moveTo(c + QPointF(-7.6 * s, -3.4 * s));
    bag.lineTo(c + QPointF(7.6 * s, -3.4 * s));
    bag.lineTo(c + QPointF(8.6 * s, 8.6 * s));
    bag.lineTo(c + QPointF(-8.6 * s, 8.6 * s));
    bag.closeSubpath();
    p.setPen(QPen(col, 1.2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(col);
    p.drawPath(bag);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, 1.8 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 4.2 * s, c.y() - 9.6 * s, 8.4 * s, 10 * s), 0, 180 * 16);
    p.drawLine(c + QPointF(-4.2 * s, -4.6 * s), c + QPointF(-4.2 * s, -2 * s));
    p.drawLine(c + QPointF(4.2 * s, -4.6 * s), c + QPointF(4.2 * s, -2 * s));
    // The handle's roots, punched into the bag.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 24, 28));
    p.drawEllipse(c + QPointF(-4.2 * s, -0.6 * s), 1.1 * s, 1.1 * s);
    p.drawEllipse(c + QPointF(4.2 * s, -0.6 * s), 1.1 * s, 1.1 * s);
}

using Glyph = void (*)(QPainter &, QPointF, double, QColor);

void button(const QString &name, QColor accent, Glyph glyph, QColor glyphColour = kGlyph)
{
    emitImage(name, {kBtn, kBtn}, [&](QPainter &p) {
        buttonBase(p, accent);
        glyph(p, QPointF(kBtn / 2, kBtn / 2), 1.0, glyphColour);
    });
}

// ---------------------------------------------------------------------------
// Paid-edition tour button: a serrated seal that spins; the dots on its
// ring make the turning visible even where the seal is symmetric.

void paintTourButton(QPainter &p)
{
    const double size = 60;
    const QPointF c(size / 2, size / 2);
    QPainterPath seal;
    const int points = 24;
    for (int i = 0; i < points * 2; ++i) {
        const double a = kPi * i / points - kPi / 2;
        const double r = i % 2 ? 25.5 : 28.5;
        const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r;
        i == 0 ? seal.moveTo(pt) : seal.lineTo(pt);
    }
    seal.closeSubpath();
    p.fillPath(seal.translated(0, 1), grey(0, 0.45));
    QRadialGradient g(c + QPointF(0, -8), 34);
    g.setColorAt(0.0, QColor(255, 140, 70));
    g.setColorAt(0.6, QColor(232, 72, 24));
    g.setColorAt(1.0, QColor(160, 36, 8));
    p.fillPath(seal, g);

    QLinearGradient ring(QPointF(0, c.y() - 22), QPointF(0, c.y() + 22));
    ring.setColorAt(0, grey(0.95));
    ring.setColorAt(0.5, grey(0.45));
    ring.setColorAt(1, grey(0.80));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(c, 22, 22);
    QLinearGradient body(QPointF(0, c.y() - 20), QPointF(0, c.y() + 20));
    body.setColorAt(0, QColor(52, 55, 60));
    body.setColorAt(1, QColor(12, 13, 15));
    p.setBrush(body);
    p.drawEllipse(c, 20.3, 20.3);

    p.setBrush(QColor(255, 120, 60));
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * kPi * i / 12 - kPi / 2;
        const double r = i == 0 ? 1.6 : 0.9;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 17.4, r, r);
    }
    QFont f(g_fontFamily);
    f.setPixelSize(40);
    p.setFont(f);
    p.setPen(grey(0.97));
    p.drawText(QRectF(c.x() - 18, c.y() - 9.5, 36, 19), Qt::AlignCenter, "PRO");
    QPainterPath gloss;
    gloss.addEllipse(QRectF(c.x() - 15, c.y() - 19, 30, 17));
    QLinearGradient gl(QPointF(0, c.y() - 19), QPointF(0, c.y() - 2));
    gl.setColorAt(0, grey(1, 0.25));
    gl.setColorAt(1, grey(1, 0.0));
    p.fillPath(gloss, gl);
}

// ---------------------------------------------------------------------------
// Tab bar icons: white shapes on transparent, 30 pt. The bar tints them;
// the "bordered" variant is the outline shown while a tab is not selected.

constexpr double kTab = 30;

void tabIcons()
{
    const QPointF c(kTab / 2, kTab / 2);
    const QColor white(255, 255, 255);
    emitImage("info_icon_borederd.png", {kTab, kTab}, [&](QPainter &p) {
        p.setPen(QPen(white, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 12, 12);
        glyphInfo(p, c + QPointF(0, 0.4), 1.0, white);
    });
    emitImage("info_icon.png", {kTab, kTab}, [&](QPainter &p) {
        QPainterPath disc;
        disc.addEllipse(c, 13, 13);
        p.fillPath(disc, white);
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        glyphInfo(p, c + QPointF(0, 0.4), 1.0, white);
    });
    emitImage("settings_icon_bordered.png", {kTab, kTab}, [&](QPainter &p) {
        p.setPen(QPen(white, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(gearPath(c, 12.5, 9.6, 4.2, 9));
    });
    emitImage("settings_icon.png", {kTab, kTab}, [&](QPainter &p) {
        p.fillPath(gearPath(c, 13.2, 10.0, 4.2, 9), white);
    });
    auto tray = [&](QPainter &p, bool filled) {
        QPainterPath arrow;
        arrow.moveTo(c + QPointF(-3, -12));
        arrow.lineTo(c + QPointF(3, -12));
        arrow.lineTo(c + QPointF(3, -2));
        arrow.lineTo(c + QPointF(8, -2));
        arrow.lineTo(c + QPointF(0, 6));
        arrow.lineTo(c + QPointF(-8, -2));
        arrow.lineTo(c + QPointF(-3, -2));
        arrow.closeSubpath();
        p.setPen(QPen(white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(filled ? QBrush(white) : QBrush(Qt::NoBrush));
        p.drawPath(arrow);
        QPainterPath base;
        base.moveTo(c + QPointF(-12, 4));
        base.lineTo(c + QPointF(-12, 12));
        base.lineTo(c + QPointF(12, 12));
        base.lineTo(c + QPointF(12, 4));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(white, filled ? 3 : 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(base);
    };
    emitImage("downloads_icon_bordered.png", {kTab, kTab}, [&](QPainter &p) { tray(p, false); });
    emitImage("downloads_icon.png", {kTab, kTab}, [&](QPainter &p) { tray(p, true); });
}

// Page controls: small drawings whose caps keep their size while the one
// pixel row and column after the caps stretch (left cap 11, top cap 11 for
// the unit segments; 15 × 10 and 10 × 10 for the standard buttons).
constexpr double kSegW = 23, kSegH = 32, kSegR = 7;

void paintSegment(QPainter &p, bool roundLeft, bool roundRight, bool on)
{
    const QRectF box(0.5, 0.5, kSegW - 1, kSegH - 2);
    QPainterPath shape;
    const double l = roundLeft ? kSegR : 0, r = roundRight ? kSegR : 0;
    shape.moveTo(box.left() + l, box.top());
    shape.lineTo(box.right() - r, box.top());
    if (r > 0)
        shape.arcTo(QRectF(box.right() - 2 * r, box.top(), 2 * r, 2 * r), 90, -90);
    shape.lineTo(box.right(), box.bottom() - r);
    if (r > 0)
        shape.arcTo(QRectF(box.right() - 2 * r, box.bottom() - 2 * r, 2 * r, 2 * r), 0, -90);
    shape.lineTo(box.left() + l, box.bottom());
    if (l > 0)
        shape.arcTo(QRectF(box.left(), box.bottom() - 2 * l, 2 * l, 2 * l), 270, -90);
    shape.lineTo(box.left(), box.top() + l);
    if (l > 0)
        shape.arcTo(QRectF(box.left(), box.top(), 2 * l, 2 * l), 180, -90);
    shape.closeSubpath();
    // A lit key in the tint blue when selected, brushed dark steel otherwise.
    QLinearGradient fill(QPointF(0, box.top()), QPointF(0, box.bottom()));
    if (on) {
        fill.setColorAt(0, QColor(118, 184, 250));
        fill.setColorAt(0.5, QColor(52, 128, 222));
        fill.setColorAt(0.51, QColor(34, 108, 204));
        fill.setColorAt(1, QColor(24, 82, 170));
    } else {
        fill.setColorAt(0, QColor(82, 86, 94));
        fill.setColorAt(0.5, QColor(48, 50, 56));
        fill.setColorAt(0.51, QColor(36, 38, 43));
        fill.setColorAt(1, QColor(26, 27, 31));
    }
    p.setPen(Qt::NoPen);
    p.fillPath(shape.translated(0, 1), grey(1, 0.10)); // light edge below
    p.fillPath(shape, fill);
    p.setPen(QPen(on ? QColor(12, 44, 96) : grey(0.02), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (!on) {
        p.setPen(QPen(grey(1, 0.16), 1.0));
        p.drawLine(QPointF(box.left() + l, box.top() + 1.5), QPointF(box.right() - r, box.top() + 1.5));
    } else {
        // Pressed in: a soft inner shadow along the top.
        QLinearGradient inner(QPointF(0, box.top()), QPointF(0, box.top() + 6));
        inner.setColorAt(0, grey(0, 0.35));
        inner.setColorAt(1, grey(0, 0.0));
        p.fillPath(shape, inner);
    }
}

void paintStandardButton(QPainter &p, QSizeF size, QColor top, QColor bottom, QColor edge)
{
    const QRectF box(0.5, 0.5, size.width() - 1, size.height() - 2);
    QPainterPath shape;
    shape.addRoundedRect(box, 8, 8);
    QLinearGradient fill(QPointF(0, box.top()), QPointF(0, box.bottom()));
    fill.setColorAt(0, top.lighter(118));
    fill.setColorAt(0.5, top);
    fill.setColorAt(0.51, bottom.lighter(110));
    fill.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.fillPath(shape.translated(0, 1), grey(1, 0.10));
    p.fillPath(shape, fill);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(QPen(grey(1, 0.22), 1.0));
    p.drawLine(QPointF(box.left() + 8, box.top() + 1.5), QPointF(box.right() - 8, box.top() + 1.5));
}

void pageControls()
{
    emitImage("multi_left_buttom_background_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, true, false, false); });
    emitImage("multi_left_buttom_background_on_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, true, false, true); });
    emitImage("multi_middle_buttom_background_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, false, false, false); });
    emitImage("multi_middle_buttom_background_on_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, false, false, true); });
    emitImage("multi_right_buttom_background_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, false, true, false); });
    emitImage("multi_right_buttom_background_on_img.png", {kSegW, kSegH},
              [](QPainter &p) { paintSegment(p, false, true, true); });
    emitImage("button_standard_blue_background_img.png", {31, 32}, [](QPainter &p) {
        paintStandardButton(p, {31, 32}, QColor(60, 136, 226), QColor(26, 90, 182),
                            QColor(12, 44, 96));
    });
    emitImage("button_standard_background_img.png", {21, 32}, [](QPainter &p) {
        paintStandardButton(p, {21, 32}, QColor(70, 73, 80), QColor(30, 31, 35), grey(0.02));
    });
}

// The tablet pages' panel: a dark plate with a chrome lip and carbon inside,
// stretched from its 99-point caps (the one middle row and column repeat).
void flipsideBackground()
{
    constexpr double kSize = 199, kRadius = 28;
    emitImage("FLIPSIDEBACKGROUND.png", {kSize, kSize}, [](QPainter &p) {
        const QRectF outer(2, 2, kSize - 4, kSize - 4);
        QPainterPath plate;
        plate.addRoundedRect(outer, kRadius, kRadius);
        p.fillPath(plate.translated(0, 1.5), grey(0, 0.5));
        QLinearGradient lip(outer.topLeft(), outer.bottomLeft());
        lip.setColorAt(0, grey(0.80));
        lip.setColorAt(0.5, grey(0.32));
        lip.setColorAt(1, grey(0.62));
        p.fillPath(plate, lip);
        const QRectF inner = outer.adjusted(4, 4, -4, -4);
        QPainterPath well;
        well.addRoundedRect(inner, kRadius - 4, kRadius - 4);
        QRadialGradient body(inner.center(), inner.width() * 0.7);
        body.setColorAt(0, QColor(30, 31, 35));
        body.setColorAt(0.5, QColor(30, 31, 35));
        body.setColorAt(1, QColor(14, 14, 16));
        p.fillPath(well, body);
    });
}

void svgImage(const QString &svg, const QString &name, int px)
{
    QSvgRenderer r(svg);
    if (!r.isValid()) {
        std::fprintf(stderr, "invalid svg %s\n", qPrintable(svg));
        std::exit(1);
    }
    QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    r.render(&p);
    p.end();
    writeImage(img, name);
}

// ---------------------------------------------------------------------------
// The paid edition's feature tour: a background, one picture per feature in
// the gauge's own materials (chrome, carbon, orange needle), the blinking
// alert lamp and the store badge. Pictures are 260 x 220 points.

constexpr double kPicW = 260, kPicH = 220;
const QColor kTourBase(18, 20, 24);
const QColor kNeedle(238, 92, 40);
const QColor kTourBlue(127, 190, 255);

// A small dial: chrome ring, dark face, ticks over `sweep` degrees.
void miniDial(QPainter &p, QPointF c, double r, double sweepDeg = 270)
{
    QLinearGradient ring(c + QPointF(0, -r), c + QPointF(0, r));
    ring.setColorAt(0, grey(0.95));
    ring.setColorAt(0.5, grey(0.42));
    ring.setColorAt(1, grey(0.85));
    p.setPen(Qt::NoPen);
    p.setBrush(grey(0, 0.45));
    p.drawEllipse(c + QPointF(0, 2), r + 1, r + 1);
    p.setBrush(ring);
    p.drawEllipse(c, r, r);
    QRadialGradient face(c + QPointF(0, -r * 0.3), r);
    face.setColorAt(0, QColor(44, 47, 53));
    face.setColorAt(1, QColor(10, 11, 13));
    p.setBrush(face);
    p.drawEllipse(c, r * 0.9, r * 0.9);
    const double start = 90 + (360 - sweepDeg) / 2;  // clockwise from lower left
    for (int i = 0; i <= 24; ++i) {
        const double a = (start + sweepDeg * i / 24) * kPi / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        const bool big = i % 4 == 0;
        p.setPen(QPen(grey(0.92), big ? r * 0.035 : r * 0.018, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + dir * r * (big ? 0.68 : 0.74), c + dir * r * 0.82);
    }
}

void needleAt(QPainter &p, QPointF c, double len, double deg, QColor col, double width)
{
    const double a = deg * kPi / 180;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF n(-dir.y(), dir.x());
    QPainterPath path;
    path.moveTo(c - dir * len * 0.18 + n * width);
    path.lineTo(c + dir * len);
    path.lineTo(c - dir * len * 0.18 - n * width);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(path);
}

void hub(QPainter &p, QPointF c, double r)
{
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.4);
    g.setColorAt(0, grey(0.95));
    g.setColorAt(1, grey(0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void caption(QPainter &p, const QRectF &r, const QString &text, double px, QColor col, bool bold = true)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(int(px));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(col);
    p.drawText(r, Qt::AlignCenter, text);
}

void paintMaxAvg(QPainter &p)
{
    const QPointF c(kPicW / 2, 112);
    miniDial(p, c, 100);
    needleAt(p, c, 80, 200, kTourBlue, 3.2);   // average
    needleAt(p, c, 84, 318, kNeedle, 3.6);     // maximum
    hub(p, c, 8);
    caption(p, QRectF(c.x() - 60, c.y() + 22, 120, 22), QString::fromUtf8("\u2205 68"), 17, kTourBlue);
    caption(p, QRectF(c.x() - 60, c.y() + 44, 120, 22), "max 131", 17, kNeedle);
}

void paintDirection(QPainter &p)
{
    const QPointF c(kPicW / 2, 112);
    miniDial(p, c, 100, 360);
    const char *points[] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        const double a = (i * 90 - 90) * kPi / 180;
        caption(p, QRectF(c.x() + std::cos(a) * 56 - 14, c.y() + std::sin(a) * 56 - 12, 28, 24),
                points[i], 20, i == 0 ? kNeedle : grey(0.92));
    }
    // The heading: a slim rose pointing north-east.
    needleAt(p, c, 46, -45, kNeedle, 7);
    needleAt(p, c, 46, 135, grey(0.8), 7);
    hub(p, c, 6);
}

void paintAccelerate(QPainter &p)
{
    const QPointF c(kPicW / 2, 120);
    // A stopwatch: crown and pushers above the dial.
    QLinearGradient metal(QPointF(0, 0), QPointF(0, 30));
    metal.setColorAt(0, grey(0.9));
    metal.setColorAt(1, grey(0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(c.x() - 12, c.y() - 118, 24, 18), 4, 4);
    p.save();
    p.translate(c);
    for (double deg : {-40.0, 40.0}) {
        p.save();
        p.rotate(deg);
        p.drawRoundedRect(QRectF(-7, -110, 14, 16), 3, 3);
        p.restore();
    }
    p.restore();
    miniDial(p, c, 98, 360);
    // The run from 0 to 100 as a lit arc.
    p.setPen(QPen(kNeedle, 7, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 70, c.y() - 70, 140, 140), 90 * 16, -245 * 16);
    needleAt(p, c, 72, -90 + 245, grey(0.95), 3);
    hub(p, c, 6);
    caption(p, QRectF(c.x() - 60, c.y() - 40, 120, 24), "0-100", 18, grey(0.85));
    caption(p, QRectF(c.x() - 60, c.y() + 16, 120, 30), "6.8 s", 26, kNeedle);
}

void paintHud(QPainter &p)
{
    // A windscreen at night: the speed shows mirrored on the panel below and
    // reads right way round as a reflection in the glass.
    QPainterPath glass;
    glass.moveTo(30, 10);
    glass.lineTo(230, 10);
    glass.lineTo(255, 150);
    glass.lineTo(5, 150);
    glass.closeSubpath();
    QLinearGradient sky(QPointF(0, 10), QPointF(0, 150));
    sky.setColorAt(0, QColor(14, 22, 40));
    sky.setColorAt(1, QColor(34, 48, 74));
    p.setPen(QPen(grey(0.7), 3));
    p.setBrush(sky);
    p.drawPath(glass);
    // The road ahead.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 54, 60));
    QPainterPath road;
    road.moveTo(110, 100);
    road.lineTo(150, 100);
    road.lineTo(220, 150);
    road.lineTo(40, 150);
    road.closeSubpath();
    p.drawPath(road);
    p.setPen(QPen(QColor(230, 230, 200), 2, Qt::DashLine));
    p.drawLine(QPointF(130, 102), QPointF(130, 148));
    // The reflection.
    QFont f(g_fontFamily);
    f.setPixelSize(46);
    p.setFont(f);
    p.setPen(QColor(120, 255, 160, 220));
    p.drawText(QRectF(70, 30, 120, 56), Qt::AlignCenter, "88");
    // The panel with the app's mirrored read-out.
    QLinearGradient dash(QPointF(0, 150), QPointF(0, 215));
    dash.setColorAt(0, grey(0.22));
    dash.setColorAt(1, grey(0.06));
    p.setPen(Qt::NoPen);
    p.setBrush(dash);
    p.drawRoundedRect(QRectF(0, 150, kPicW, 66), 10, 10);
    p.save();
    p.translate(130, 0);
    p.scale(-1, 1);
    p.setPen(QColor(120, 255, 160));
    p.drawText(QRectF(-60, 156, 120, 56), Qt::AlignCenter, "88");
    p.restore();
}

void paintAlert(QPainter &p)
{
    const QPointF c(112, 118);
    miniDial(p, c, 98);
    // The alert zone above the limit.
    p.setPen(QPen(QColor(220, 40, 30), 8, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 74, c.y() - 74, 148, 148), -10 * 16, 55 * 16);
    needleAt(p, c, 80, -20, kNeedle, 3.6);
    hub(p, c, 7);
    // The lamp's socket; the blinking light sits on top of it.
    const QPointF lamp(182, 48);
    p.setPen(Qt::NoPen);
    p.setBrush(grey(0.55));
    p.drawEllipse(lamp, 24, 24);
    p.setBrush(QColor(60, 10, 8));
    p.drawEllipse(lamp, 19, 19);
    caption(p, QRectF(c.x() - 50, c.y() + 28, 100, 24), "120", 20, QColor(255, 90, 70));
}

void paintAlertFlash(QPainter &p)
{
    const QPointF c(32, 32);
    QRadialGradient glow(c, 32);
    glow.setColorAt(0, QColor(255, 210, 170, 255));
    glow.setColorAt(0.35, QColor(255, 60, 30, 255));
    glow.setColorAt(0.6, QColor(230, 30, 20, 140));
    glow.setColorAt(1, QColor(230, 30, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, 32, 32);
}

void paintRanges(QPainter &p)
{
    // Five dials whose scales end ever higher: the ranges to choose from,
    // all five inside the picture with their shadows.
    const double radii[] = {18, 21, 24, 27, 30};
    constexpr double gap = 4;
    double x = (kPicW - 2 * (18 + 21 + 24 + 27 + 30) - 4 * gap) / 2;
    for (int i = 0; i < 5; ++i) {
        const double r = radii[i];
        const QPointF c(x + r, 150 - r);
        miniDial(p, c, r, 120 + 30 * i);
        needleAt(p, c, r * 0.8, -90 + 20 * i, kNeedle, 2);
        hub(p, c, r * 0.12);
        x += 2 * r + gap;
    }
    p.setPen(QPen(kTourBlue, 2));
    p.drawLine(QPointF(14, 186), QPointF(246, 186));
    p.setBrush(kTourBlue);
    p.setPen(Qt::NoPen);
    QPainterPath arrow;
    arrow.moveTo(252, 186);
    arrow.lineTo(240, 180);
    arrow.lineTo(240, 192);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void paintAltitude(QPainter &p)
{
    // Two ridges and a summit up to the right, where the read-out climbs.
    QPainterPath far;
    far.moveTo(0, 200);
    far.lineTo(40, 120);
    far.lineTo(80, 150);
    far.lineTo(130, 70);
    far.lineTo(160, 110);
    far.lineTo(260, 60);
    far.lineTo(260, 220);
    far.lineTo(0, 220);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(38, 44, 56));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 220);
    near.lineTo(0, 190);
    near.lineTo(70, 170);
    near.lineTo(150, 120);
    near.lineTo(200, 40);
    near.lineTo(216, 30);
    near.lineTo(236, 52);
    near.lineTo(260, 80);
    near.lineTo(260, 220);
    near.closeSubpath();
    QLinearGradient rock(QPointF(0, 30), QPointF(0, 220));
    rock.setColorAt(0, QColor(96, 102, 114));
    rock.setColorAt(1, QColor(30, 33, 38));
    p.setBrush(rock);
    p.drawPath(near);
    // Snow on the summit.
    QPainterPath snow;
    snow.moveTo(200, 40);
    snow.lineTo(216, 30);
    snow.lineTo(236, 52);
    snow.lineTo(222, 48);
    snow.lineTo(212, 56);
    snow.closeSubpath();
    p.setBrush(grey(0.95));
    p.drawPath(snow);
    // An altitude scale on the left.
    p.setPen(QPen(kTourBlue, 1.5));
    p.drawLine(QPointF(14, 20), QPointF(14, 200));
    for (int i = 0; i <= 9; ++i)
        p.drawLine(QPointF(14, 200 - i * 20), QPointF(i % 3 == 0 ? 26 : 20, 200 - i * 20));
}

void paintStoreBadge(QPainter &p)
{
    const QRectF r(1, 1, 218, 42);
    p.setPen(QPen(grey(0.75), 1.5));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 42, 48));
    g.setColorAt(1, QColor(6, 6, 8));
    p.setBrush(g);
    p.drawRoundedRect(r, 9, 9);
    glyphStore(p, QPointF(24, 22), 1.25, grey(0.96));
}

void paintTourBackground(QPainter &p, QSizeF size, double bottomStrip)
{
    QLinearGradient g(QPointF(0, 0), QPointF(0, size.height()));
    g.setColorAt(0, QColor(34, 37, 43));
    g.setColorAt(0.25, kTourBase);
    g.setColorAt(1, kTourBase);
    p.fillRect(QRectF(QPointF(), size), g);
    QRadialGradient glow(QPointF(size.width() / 2, size.height() * 0.42), size.width() * 0.75);
    glow.setColorAt(0, QColor(127, 190, 255, 40));
    glow.setColorAt(1, QColor(127, 190, 255, 0));
    p.fillRect(QRectF(QPointF(), size), glow);
    if (bottomStrip > 0) {
        const QRectF strip(0, size.height() - bottomStrip, size.width(), bottomStrip);
        QLinearGradient sg(strip.topLeft(), strip.bottomLeft());
        sg.setColorAt(0, QColor(46, 49, 56));
        sg.setColorAt(1, QColor(8, 8, 10));
        p.fillRect(strip, sg);
        p.fillRect(QRectF(0, strip.top(), size.width(), 1), grey(0.6, 0.8));
    }
}

void paintPadPicture(QPainter &p, QSizeF size)
{
    // A tablet showing the gauge, on the tour's own base colour (a JPEG).
    p.fillRect(QRectF(QPointF(), size), kTourBase);
    const QRectF body = QRectF(QPointF(), size).adjusted(1, 1, -1, -1);
    QLinearGradient frame(body.topLeft(), body.bottomLeft());
    frame.setColorAt(0, grey(0.55));
    frame.setColorAt(1, grey(0.2));
    p.setPen(Qt::NoPen);
    p.setBrush(frame);
    p.drawRoundedRect(body, 6, 6);
    const QRectF screen = body.adjusted(16, 16, -16, -16);
    p.setBrush(QColor(12, 13, 15));
    p.drawRect(screen);
    const double r = std::min(screen.width(), screen.height()) * 0.44;
    const QPointF c = screen.center();
    miniDial(p, c, r);
    needleAt(p, c, r * 0.8, 200, kNeedle, r * 0.04);
    hub(p, c, r * 0.08);
}

void tourArtwork()
{
    emitImage("backgroundAdds.png", {320, 477}, [](QPainter &p) {
        paintTourBackground(p, {320, 477}, 53);
    });
    emitImage("AdsBackgroundPad_P.png", {768, 1024}, [](QPainter &p) {
        paintTourBackground(p, {768, 1024}, 0);
    });
    emitImage("AdsBackgroundPad_L.png", {1024, 768}, [](QPainter &p) {
        paintTourBackground(p, {1024, 768}, 0);
    });
    const std::pair<const char *, void (*)(QPainter &)> pictures[] = {
        {"tour_maxavg.png", paintMaxAvg},       {"max-avg.png", paintMaxAvg},
        {"tour_direction.png", paintDirection}, {"compass.png", paintDirection},
        {"tour_accelerate.png", paintAccelerate}, {"tour_hud.png", paintHud},
        {"tour_alert.png", paintAlert},         {"tour_ranges.png", paintRanges},
        {"tour_altitude.png", paintAltitude}};
    for (const auto &[name, paint] : pictures)
        emitImage(name, {kPicW, kPicH}, paint);
    emitImage("tour_alert_flash.png", {64, 64}, paintAlertFlash);
    emitImage("tour_store_badge.png", {220, 44}, paintStoreBadge);
    emitImage("middle_pad_horizontal.jpg", {270, 200}, [](QPainter &p) { paintPadPicture(p, {270, 200}); });
    emitImage("middle_pad_vertical.jpg", {250, 330}, [](QPainter &p) { paintPadPicture(p, {250, 330}); });
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FONT_DIR SVG_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    const QString fonts = QString::fromLocal8Bit(argv[1]);
    const QString svgs = QString::fromLocal8Bit(argv[2]);
    g_out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(g_out);
    const int id = QFontDatabase::addApplicationFont(fonts + "/classic_f.ttf");
    g_fontFamily = QFontDatabase::applicationFontFamilies(id).value(0);
    if (g_fontFamily != "classic_f") {
        std::fprintf(stderr, "classic_f.ttf not loadable from %s\n", qPrintable(fonts));
        return 1;
    }

    background();
    bezel();
    emitImage("gps_schablone.png", {kSchabW, kSchabH}, paintSchablone);

    // Speed needle: tip 185 reference units from the pivot, just past the
    // top of the big ticks (177), so it reads against the tick ring.
    needle("zeiger.png", {200, 24}, kPhoneScale, speedNeedleShape(), paintSpeedNeedle);
    needle("zeigerPad.png", {370, 44}, 1.0, speedNeedleShape(), paintSpeedNeedle);
    // Accuracy needle: tip 44 units, inside the scale's coloured band.
    needle("korvaneGpsZeiger.png", {48, 12}, kPhoneScale, gpsNeedleShape(), paintGpsNeedle);
    needle("ZeigerGPSPad.png", {90, 22}, 1.0, gpsNeedleShape(), paintGpsNeedle);

    const QColor neutral(150, 156, 165), warm(238, 92, 40);
    button("button_info.png", neutral, glyphInfo);
    button("button_settings.png", neutral, glyphGear);
    button("button_more_apps.png", neutral, glyphGrid);
    button("button_share_mail.png", warm, glyphMail);
    button("button_share_facebook.png", QColor(80, 120, 200), glyphFriends);
    button("button_share_twitter.png", QColor(60, 170, 230), glyphBubble);
    button("button_share_weibo.png", QColor(225, 60, 45), glyphWaves);
    button("button_share_web.png", neutral, glyphGlobe);
    button("button_store.png", QColor(96, 178, 92), glyphStore);
    emitImage("pro_tour_button.png", {60, 60}, paintTourButton);

    tabIcons();

    svgImage(svgs + "/app_icon.svg", "app_icon.png", 256);
    svgImage(svgs + "/app_icon.svg", "moreApps_icon_KorvaneVandel.png", 114);
    // The desktop's icon theme sizes, beside the desktop entry.
    for (int px : {48, 64, 128, 256}) {
        const QString dir = QString("../desktop/icons/%1x%1").arg(px);
        QDir(g_out).mkpath(dir);
        svgImage(svgs + "/app_icon.svg", dir + "/com.zentrik.KorvaneVandel.png", px);
    }

    pageControls();
    flipsideBackground();
    tourArtwork();
    // Icons of the apps the more-apps page recommends, 57 points.
    for (const char *app : {"korvane-pro", "nordweiser", "pegelwerk", "tidenhub", "tidenhub-lite"}) {
        const QString source = svgs + "/../../../resources/ads/" + app + ".svg";
        svgImage(source, QString("moreApps_%1.png").arg(app), 57);
        svgImage(source, QString("moreApps_%1@2x.png").arg(app), 114);
    }
    return 0;
}
