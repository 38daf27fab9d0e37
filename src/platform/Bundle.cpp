#include "Bundle.h"

#include "Localization.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QResource>
#include <QtEndian>

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

namespace {
// A picture kept as raw pixels (see tools/pixels), or a null image.
QImage rawPixels(const QString& path)
{
    QResource resource(path);
    if (!resource.isValid())
        return {};
    auto* bytes = new QByteArray(resource.uncompressedData());
    constexpr qsizetype kHeader = 16;
    // Stored uncompressed, the bytes are the binary's own and may sit at any
    // address; pixels are read as whole words.
    if (quintptr(bytes->constData() + kHeader) % alignof(quint32) != 0)
        *bytes = QByteArray(bytes->constData(), bytes->size());
    const char* data = bytes->constData();
    const qsizetype size = bytes->size();
    const quint32 width = size >= kHeader ? qFromLittleEndian<quint32>(data + 8) : 0;
    const quint32 height = size >= kHeader ? qFromLittleEndian<quint32>(data + 12) : 0;
    if (size < kHeader || !bytes->startsWith("KVPIXEL1") || width == 0 || width > 16384 ||
        height == 0 || height > 16384 || size - kHeader != qsizetype(width) * height * 4) {
        delete bytes;
        return {};
    }
    // The image reads the unpacked bytes in place and lets them go with it.
    return QImage(
        reinterpret_cast<const uchar*>(data + kHeader), int(width), int(height), int(width) * 4,
        QImage::Format_ARGB32_Premultiplied,
        [](void* bytes) { delete static_cast<QByteArray*>(bytes); }, bytes);
}
} // namespace

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
    QImage img = rawPixels(QStringLiteral(":/pixels/") + path.mid(path.lastIndexOf(u'/') + 1));
    if (img.isNull())
        img = QImageReader(path).read();
    if (!img.isNull() && path.contains(QLatin1String("@2x.")))
        img.setDevicePixelRatio(2.0);
    if (!img.isNull() && img.format() != QImage::Format_ARGB32_Premultiplied &&
        img.hasAlphaChannel())
        img.convertTo(QImage::Format_ARGB32_Premultiplied);
    cache.insert(path, img);
    return img;
}
