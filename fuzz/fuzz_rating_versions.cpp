// The version order that decides whether the store has a newer release: three
// versions, one a line. The order must be total (reflexive, antisymmetric,
// transitive) whatever the text, and for plain dotted numbers it must be the
// numeric order, part by part, a missing part counting as smaller.
#include "RatePromptJSON.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// The parts of "1.10.3", or none when the text is anything else or a part
// would not fit the reference's integers.
std::optional<std::vector<quint64>> dottedNumbers(QStringView s)
{
    std::vector<quint64> parts;
    quint64 part = 0;
    int digits = 0;
    for (QChar c : s) {
        if (c >= u'0' && c <= u'9') {
            if (++digits > 18)
                return std::nullopt;
            part = part * 10 + (c.unicode() - u'0');
        } else if (c == u'.' && digits > 0) {
            parts.push_back(part);
            part = 0;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    parts.push_back(part);
    return parts;
}

int referenceOrder(const std::vector<quint64>& a, const std::vector<quint64>& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return sign(int(a.size() > b.size()) - int(a.size() < b.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    const QString a = QString::fromUtf8(lines.value(0));
    const QString b = QString::fromUtf8(lines.value(1));
    const QString c = QString::fromUtf8(lines.value(2));
    const auto cmp = [](const QString& x, const QString& y) {
        return sign(RatePromptJSON::compareVersions(x, y));
    };

    const int ab = cmp(a, b);
    const int bc = cmp(b, c);
    const int ac = cmp(a, c);
    if (cmp(a, a) != 0 || cmp(b, a) != -ab || cmp(c, b) != -bc || cmp(c, a) != -ac)
        __builtin_trap();
    // a <= b <= c must give a <= c, and a == b must order c alike for both.
    if (ab <= 0 && bc <= 0 && ac > 0)
        __builtin_trap();
    if (ab >= 0 && bc >= 0 && ac < 0)
        __builtin_trap();
    if (ab == 0 && ac != bc)
        __builtin_trap();

    const auto na = dottedNumbers(a);
    const auto nb = dottedNumbers(b);
    if (na && nb && ab != referenceOrder(*na, *nb))
        __builtin_trap();
    return 0;
}
