#include "GaugeResources.h"

#include "Bundle.h"

#include <QDir>
#include <QFontDatabase>
#include <QHash>
#include <QImageReader>

#ifdef KORVANE_HAVE_ARTWORK
// Outside any namespace, as the resource initialiser requires.
static void initArtwork()
{
    Q_INIT_RESOURCE(artwork);
    Q_INIT_RESOURCE(pixels);
}
#endif

namespace GaugeResources {

void ensureLoaded()
{
    static const bool loaded = [] {
#ifdef KORVANE_HAVE_ARTWORK
        initArtwork();
#endif
        const QDir fonts(QStringLiteral(":/fonts"));
        for (const QString& file :
             fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}))
            QFontDatabase::addApplicationFont(fonts.filePath(file));
        return true;
    }();
    Q_UNUSED(loaded);
}

QImage image(const QString& name, qreal devicePixelRatio)
{
    ensureLoaded();
    return Bundle::image(name, devicePixelRatio);
}

bool hasFontFamily(const QString& family)
{
    ensureLoaded();
    return QFontDatabase::hasFamily(family);
}

} // namespace GaugeResources
