// Turns a picture into the raw pixel form the app maps without decoding:
// "KVPIXEL1", width and height as little-endian 32-bit numbers, then the rows
// in premultiplied ARGB, four bytes a pixel in native order.
//   korvane_pixels INPUT OUTPUT

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvane_pixels INPUT OUTPUT\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1]))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "korvane_pixels: cannot read %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "korvane_pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    QByteArray header("KVPIXEL1");
    header.append(8, '\0');
    qToLittleEndian<quint32>(quint32(image.width()), header.data() + 8);
    qToLittleEndian<quint32>(quint32(image.height()), header.data() + 12);
    out.write(header);
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return out.flush() ? 0 : 1;
}
