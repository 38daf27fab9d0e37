// The NMEA reader on arbitrary bytes: read whole and read in chunks of
// sizes taken from the input, it gives the same fixes; with a flush at a
// line break in the middle (a receiver going quiet) every fix is still sane.
#include "NmeaParser.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
void check(const Fix& f)
{
    const bool ok = std::isfinite(f.latitude) && std::abs(f.latitude) <= 90.0 &&
                    std::isfinite(f.longitude) && std::abs(f.longitude) <= 180.0 &&
                    (f.speed == -1.0 || (std::isfinite(f.speed) && f.speed >= 0.0)) &&
                    (f.horizontalAccuracy == -1.0 ||
                     (std::isfinite(f.horizontalAccuracy) && f.horizontalAccuracy >= 0.0)) &&
                    f.timestamp.isValid();
    if (!ok)
        std::abort();
}

bool same(const Fix& a, const Fix& b)
{
    return a.latitude == b.latitude && a.longitude == b.longitude && a.speed == b.speed &&
           a.horizontalAccuracy == b.horizontalAccuracy && a.timestamp == b.timestamp;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    NmeaParser whole;
    QList<Fix> expected = whole.feed(bytes);
    expected += whole.finish();
    for (const Fix& f : expected)
        check(f);

    NmeaParser chunked;
    QList<Fix> got;
    uint32_t seed = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        seed = (seed ^ data[i]) * 16777619u;
    for (qsizetype at = 0; at < bytes.size();) {
        seed = seed * 1664525u + 1013904223u;
        const qsizetype n = std::min<qsizetype>(1 + (seed >> 24) % 97, bytes.size() - at);
        got += chunked.feed(bytes.sliced(at, n));
        at += n;
    }
    got += chunked.finish();
    if (got.size() != expected.size())
        std::abort();
    for (qsizetype i = 0; i < got.size(); ++i)
        if (!same(got[i], expected[i]))
            std::abort();

    const qsizetype middle = bytes.first(bytes.size() / 2).lastIndexOf('\n');
    if (middle >= 0) {
        NmeaParser quiet;
        QList<Fix> fixes = quiet.feed(bytes.first(middle + 1));
        fixes += quiet.flush();
        fixes += quiet.feed(bytes.sliced(middle + 1));
        fixes += quiet.finish();
        for (const Fix& f : fixes)
            check(f);
    }
    return 0;
}
