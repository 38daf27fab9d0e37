// gpsd's JSON reports on arbitrary bytes: a fix that comes out has a finite
// position on the globe, and once made safe for the gauge, finite speed and
// accuracy within any receiver's range.
#include "GpsdReport.h"

#include <QJsonDocument>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!doc.isObject())
        return 0;
    const std::optional<Fix> fix = GpsdReport::fix(doc.object());
    if (!fix)
        return 0;
    if (!std::isfinite(fix->latitude) || std::abs(fix->latitude) > 90.0 ||
        !std::isfinite(fix->longitude) || std::abs(fix->longitude) > 180.0 ||
        std::isnan(fix->speed) || std::isnan(fix->horizontalAccuracy))
        std::abort();
    const std::optional<Fix> safe = Fix::sanitized(*fix);
    if (!safe)
        std::abort();
    const bool ok = (safe->speed == -1.0 || (safe->speed >= 0.0 && safe->speed <= Fix::kMaxSpeed)) &&
                    (safe->horizontalAccuracy == -1.0 ||
                     (safe->horizontalAccuracy >= 0.0 &&
                      safe->horizontalAccuracy <= Fix::kMaxAccuracy));
    if (!ok)
        std::abort();
    return 0;
}
