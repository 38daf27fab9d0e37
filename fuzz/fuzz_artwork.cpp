// A creative's image on arbitrary bytes (the first byte picks SVG or PNG):
// decoded or refused, and drawn either way without harm.
#include "FuzzGui.h"
#include "GADArtwork.h"

#include <QImage>
#include <QPainter>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    korvaneFuzzGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > size_t(GADProtocol::kMaxImageBytes))
        return 0;
    GADCreative creative;
    creative.identifier = QStringLiteral("fuzz");
    creative.title = QStringLiteral("Fuzz");
    creative.imageFormat = data[0] & 1 ? GADCreative::ImageFormat::Png : GADCreative::ImageFormat::Svg;
    creative.imageData = QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const GADArtwork artwork(creative);
    QImage canvas(64, 48, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    GADCreativeLayout::paintBanner(painter, QRectF(0, 0, 64, 48), creative, artwork);
    return 0;
}
