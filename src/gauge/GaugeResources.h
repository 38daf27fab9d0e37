#pragma once

#include <QImage>
#include <QString>

// The gauge's pictures and fonts, compiled into the library.
namespace GaugeResources {

// Registers the compiled-in resources and the two dial fonts; later calls do
// nothing.
void ensureLoaded();

// ":/images/<name>", or its "@2x" variant where the screen has more than one
// pixel per point; the image's device pixel ratio says which one came back,
// so deviceIndependentSize() is always the size in points. A null image when
// the resource is missing. Decoded images are kept for the next call.
QImage image(const QString& name, qreal devicePixelRatio);

// Whether a font family was registered (the dial falls back to the default
// family otherwise).
bool hasFontFamily(const QString& family);

} // namespace GaugeResources
