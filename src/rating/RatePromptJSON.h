#pragma once

#include "RatePromptError.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

// How the store lookup reads its answer. Free of the app object and of the
// network, so the tests and the fuzz targets drive it with bare bytes.
namespace RatePromptJSON {

// A member of a record. A parsed record (QJsonObject) answers its member; a
// text record is scanned as text without a parser; anything else has none.
QVariant valueForKey(const QString& key, const QVariant& json);

// The record of a lookup answer: with the parser, the last element of
// "results" (none when there is none or it is no object), or the parser's
// error in `error`; without it, the whole body as text (none when the body
// is not UTF-8).
QVariant recordFromBody(const QByteArray& body, bool useParser,
                        std::optional<RatePromptError>* error);

// Leading integer of a member as the store gives it (number or digit text);
// 0 when there is none.
qint64 integerValue(const QVariant& value);

// Negative, 0 or positive like strcmp; runs of digits compare as numbers, so
// "1.10" is greater than "1.9".
int compareVersions(QStringView a, QStringView b);

inline constexpr const char* kParseErrorDomain = "JSONParseErrorDomain";

} // namespace RatePromptJSON
