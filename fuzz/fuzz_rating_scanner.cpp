// The rating lookup's text scanner on arbitrary input: the first line is the
// key, the rest the text it is looked up in.
#include "RatePromptJSON.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype newline = bytes.indexOf('\n');
    const QString key = QString::fromUtf8(newline < 0 ? QByteArray() : bytes.left(newline));
    const QString text = QString::fromUtf8(newline < 0 ? bytes : bytes.mid(newline + 1));
    const QVariant value = RatePromptJSON::valueForKey(key, text);
    // Every step only removes or shortens text, so a value never outgrows it.
    if (value.isValid() && value.toString().size() > text.size())
        __builtin_trap();
    return 0;
}
