// What the rating lookup does with a store answer: the record from the parsed
// or scanned body, its members, their integer values and the version order.
#include "RatePromptJSON.h"

#include <cstddef>
#include <cstdint>

namespace {
int sign(int v)
{
    return (v > 0) - (v < 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool parser : {true, false}) {
        std::optional<RatePromptError> error;
        const QVariant record = RatePromptJSON::recordFromBody(body, parser, &error);
        if (error && record.isValid())
            __builtin_trap();
        for (const char* key : {"bundleId", "trackId", "primaryGenreId", "version"}) {
            const QVariant value = RatePromptJSON::valueForKey(QString::fromLatin1(key), record);
            (void)RatePromptJSON::integerValue(value);
            const QString text = value.toString();
            const QString installed = QStringLiteral("1.9");
            if (sign(RatePromptJSON::compareVersions(text, installed)) !=
                    -sign(RatePromptJSON::compareVersions(installed, text)) ||
                RatePromptJSON::compareVersions(text, text) != 0)
                __builtin_trap();
        }
    }
    return 0;
}
