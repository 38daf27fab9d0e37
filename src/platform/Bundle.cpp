#include "Bundle.h"

#include "Localization.h"

#include <QFile>
#include <QHash>
#include <QImageReader>

namespace {
QString& versionOverride()
{
    static QString v;
    return v;
}
} // namespace

QString Bundle::version()
{
    return versionOverride().isEmpty() ? QStringLiteral(KORVANE_VERSION) : versionOverride();
}

QString Bundle::shortVersionString()
{
    return versionOverride().isEmpty() ? QStringLiteral(KORVANE_SHORT_VERSION) : versionOverride();
}

QString Bundle::displayName()
{
    return QStringLiteral("Korvane Vandel");
}

QString Bundle::localizedDisplayName()
{
    return Localization::translate("InfoPlist", "CFBundleDisplayName")
        .orDefault(QStringLiteral("Korvane"));
}

QString Bundle::identifier()
{
    return QStringLiteral("com.zentrik.korvanevandel.free");
}

void Bundle::setVersionOverride(const QString& version)
{
    versionOverride() = version;
}

QImage Bundle::image(const QString& name, qreal devicePixelRatio)
{
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
