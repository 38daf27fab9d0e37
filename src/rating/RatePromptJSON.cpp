#include "RatePromptJSON.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <limits>

namespace RatePromptJSON {
namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The scanner reads the answer without a parser: it finds the member by its
// quoted name and takes the text up to the next comma, widening the value
// while a quoted string has not closed yet.
QVariant scanText(const QString& key, const QString& text)
{
    const QString quotedKey = u'"' + key + u'"';
    const qsizetype keyAt = text.indexOf(quotedKey);
    if (keyAt < 0)
        return {};
    const qsizetype colon = text.indexOf(u':', keyAt + quotedKey.size());
    if (colon < 0)
        return {};
    const qsizetype start = colon + 1;
    qsizetype comma = text.indexOf(u',', start);
    if (comma < 0)
        return {};
    QString value = text.mid(start, comma - start).trimmed();
    if (value.startsWith(u'"')) {
        while (!value.endsWith(u'"')) {
            comma = text.indexOf(u',', comma + 1);
            // A quoted string that never closes before the text ends has no
            // defined value.
            if (comma < 0)
                return {};
            value = text.mid(start, comma - start).trimmed();
            if (!value.startsWith(u'"'))
                break;
        }
    }

    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && value[begin] == u'"')
        ++begin;
    while (end > begin && value[end - 1] == u'"')
        --end;
    value = value.mid(begin, end - begin);

    // One after the other over the whole value, so an escaped backslash
    // before "n" ends up as a line break too.
    static const struct {
        const char16_t* escape;
        char16_t replacement;
    } escapes[] = {{u"\\\\", u'\\'}, {u"\\/", u'/'}, {u"\\\"", u'"'}, {u"\\n", u'\n'},
                   {u"\\r", u'\r'},  {u"\\t", u'\t'}, {u"\\f", u'\f'}, {u"\\b", u'\b'}};
    for (const auto& e : escapes)
        value.replace(QString::fromUtf16(e.escape), QString(QChar(e.replacement)));

    for (qsizetype at = value.indexOf(u"\\u"); at >= 0; at = value.indexOf(u"\\u")) {
        // A cut-off escape has no defined value either.
        if (value.size() - at < 6)
            return {};
        char16_t code = 0;
        for (qsizetype i = at + 2; i < at + 6; ++i) {
            const int d = hexDigit(value[i]);
            if (d < 0)
                break;
            code = char16_t(code * 16 + d);
        }
        value.replace(at, 6, QChar(code));
    }
    return value;
}

} // namespace

QVariant valueForKey(const QString& key, const QVariant& json)
{
    switch (json.typeId()) {
    case QMetaType::QString:
        return scanText(key, json.toString());
    case QMetaType::QJsonObject: {
        const QJsonValue v = json.toJsonObject().value(key);
        return v.isUndefined() ? QVariant() : v.toVariant();
    }
    case QMetaType::QVariantMap:
        return json.toMap().value(key);
    default:
        return {};
    }
}

QVariant recordFromBody(const QByteArray& body, bool useParser, std::optional<RatePromptError>* error)
{
    if (error)
        error->reset();
    if (!useParser) {
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decode(body);
        if (decode.hasError())
            return {};
        return text;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = RatePromptError{QString::fromLatin1(kParseErrorDomain), int(parseError.error),
                                     QStringLiteral("The store's answer is not valid JSON (%1 at offset %2)")
                                         .arg(parseError.errorString())
                                         .arg(parseError.offset)};
        return {};
    }
    // Answers of another shape hold no record rather than bringing the app
    // down.
    const QJsonArray results = doc.object().value(QLatin1String("results")).toArray();
    if (results.isEmpty() || !results.last().isObject())
        return {};
    return results.last().toObject();
}

qint64 integerValue(const QVariant& value)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return value.toLongLong();
    case QMetaType::ULongLong:
        return value.toULongLong() > quint64(kMax) ? kMax : qint64(value.toULongLong());
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!(d == d))
            return 0;
        if (d >= 9.2233720368547758e18)
            return kMax;
        if (d <= -9.2233720368547758e18)
            return kMin;
        return qint64(d);
    }
    case QMetaType::QString: {
        const QString s = value.toString();
        qsizetype i = 0;
        while (i < s.size() && s[i].isSpace())
            ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
            negative = s[i++] == u'-';
        qint64 n = 0;
        for (; i < s.size() && isDigit(s[i]); ++i) {
            const int d = s[i].unicode() - u'0';
            if (n > (kMax - d) / 10)
                return negative ? kMin : kMax;
            n = n * 10 + d;
        }
        return negative ? -n : n;
    }
    default:
        return 0;
    }
}

int compareVersions(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            qsizetype endA = i;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            qsizetype endB = j;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            // Compared as digit strings without leading zeros, so runs of any
            // length never overflow.
            while (i < endA - 1 && a[i] == u'0')
                ++i;
            while (j < endB - 1 && b[j] == u'0')
                ++j;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            for (; i < endA; ++i, ++j) {
                if (a[i] != b[j])
                    return a[i] < b[j] ? -1 : 1;
            }
            j = endB;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j] ? -1 : 1;
            ++i;
            ++j;
        }
    }
    return int(i < a.size()) - int(j < b.size());
}

} // namespace RatePromptJSON
