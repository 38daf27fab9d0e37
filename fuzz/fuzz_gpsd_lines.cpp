// gpsd's stream on arbitrary bytes, framed into lines as the source frames
// them: every fix that comes out has a finite position on the globe.
#include "GpsdReport.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    while (stream.canReadLine()) {
        const GpsdReport::Line line = GpsdReport::readLine(stream.readLine());
        if (!line.fix)
            continue;
        const Fix& fix = *line.fix;
        if (!line.fromGpsd || !std::isfinite(fix.latitude) || std::abs(fix.latitude) > 90.0 ||
            !std::isfinite(fix.longitude) || std::abs(fix.longitude) > 180.0 || std::isnan(fix.speed) ||
            std::isnan(fix.horizontalAccuracy))
            std::abort();
    }
    return 0;
}
