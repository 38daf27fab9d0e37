#include "GaugeResources.h"

#include <QDir>
#include <QFontDatabase>
#include <QHash>
#include <QImageReader>

#ifdef KORVANE_HAVE_ARTWORK
// Outside any namespace, as the resource initialiser requires.
static void initArtwork()
{
    Q_INIT_RESOURCE(artwork);
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
    // Bundle images are read-only, so a decoded copy can be shared (as the
    // platform's named-image cache does).
    static QHash<QString, QImage> cache;
    QString path = QStringLiteral(":/images/") + name;
    if (devicePixelRatio > 1.0) {
        const int dot = name.lastIndexOf(u'.');
        const QString hiRes =
            QStringLiteral(":/images/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
        if (QFile::exists(hiRes))
            path = hiRes;
    }
    auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    QImageReader reader(path);
    QImage img = reader.read();
    if (!img.isNull() && path.contains(QLatin1String("@2x.")))
        img.setDevicePixelRatio(2.0);
    if (!img.isNull() && img.format() != QImage::Format_ARGB32_Premultiplied &&
        img.hasAlphaChannel())
        img.convertTo(QImage::Format_ARGB32_Premultiplied);
    cache.insert(path, img);
    return img;
}

bool hasFontFamily(const QString& family)
{
    ensureLoaded();
    return QFontDatabase::hasFamily(family);
}

} // namespace GaugeResources
