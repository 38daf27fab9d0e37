#include "SettingsText.h"

#include <QIODevice>
#include <QStringList>

namespace SettingsText {
namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads up to `digits` hex digits at `i`; -1 when there is none.
int hexRun(const QString& s, qsizetype& i, int digits)
{
    int value = -1;
    for (int n = 0; n < digits && i < s.size() && hexValue(s.at(i)) >= 0; ++n, ++i)
        value = (value < 0 ? 0 : value * 16) + hexValue(s.at(i));
    return value;
}

// %XX and %UXXXX, as QSettings escapes key characters.
QString unescapedKey(const QString& s)
{
    QString out;
    for (qsizetype i = 0; i < s.size();) {
        if (s.at(i) == u'%' && i + 1 < s.size()) {
            qsizetype j = i + 1;
            const bool wide = s.at(j) == u'U';
            if (wide)
                ++j;
            const qsizetype start = j;
            const int code = hexRun(s, j, wide ? 4 : 2);
            if (code >= 0 && j - start == (wide ? 4 : 2)) {
                out += QChar(char16_t(code));
                i = j;
                continue;
            }
        }
        out += s.at(i) == u'\\' ? u'/' : s.at(i);
        ++i;
    }
    return out;
}

QString escapedKey(const QString& key)
{
    QString out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '_' || u == '-' || u == '.';
        if (plain)
            out += c;
        else if (u == '/')
            out += u'\\';
        else if (u < 0x100)
            out += QStringLiteral("%%1").arg(int(u), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(int(u), 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString unescapedValue(const QString& raw)
{
    QString s = raw.trimmed();
    if (s.startsWith(QLatin1String("@@")))
        s.remove(0, 1);
    // Quotes only keep spaces and separators; values are never split.
    QString out;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s.at(i++);
        if (c == u'"')
            continue;
        if (c != u'\\' || i >= s.size()) {
            out += c;
            continue;
        }
        const QChar e = s.at(i++);
        switch (e.unicode()) {
        case 'a': out += u'\a'; break;
        case 'b': out += u'\b'; break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'v': out += u'\v'; break;
        case 'x': {
            const int code = hexRun(s, i, 4);
            out += code >= 0 ? QChar(char16_t(code)) : QChar(u'x');
            break;
        }
        default: out += e; // \" \' \? \\ \; \, and anything unknown
        }
    }
    return out;
}

QString escapedValue(const QString& value)
{
    QString out;
    bool quote = value != value.trimmed();
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case ';':
        case ',':
        case '=':
            quote = true;
            out += c;
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\x%1").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    if (out.startsWith(u'@'))
        out.prepend(u'@');
    return quote ? u'"' + out + u'"' : out;
}

} // namespace

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("conf"), read, write);
    return registered;
}

bool read(QIODevice& device, QSettings::SettingsMap& map)
{
    if (device.size() > kMaxFileBytes)
        return true;
    const QString text = QString::fromUtf8(device.read(kMaxFileBytes));
    QString prefix;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString section = unescapedKey(line.mid(1, line.size() - 2).trimmed().toString());
            prefix = section.isEmpty() || section == u"General" ? QString() : section + u'/';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = unescapedKey(line.left(equals).trimmed().toString());
        if (!key.isEmpty())
            map.insert(prefix + key, unescapedValue(line.mid(equals + 1).toString()));
    }
    return true;
}

bool write(QIODevice& device, const QSettings::SettingsMap& map)
{
    // Sections in the order the sorted keys bring them, top-level keys first.
    QMap<QString, QStringList> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(u'/');
        const QString section = slash < 0 ? QStringLiteral("General") : it.key().left(slash);
        const QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section] << escapedKey(name) + u'=' + escapedValue(it.value().toString());
    }
    QString text;
    auto addSection = [&text](const QString& section, const QStringList& lines) {
        if (!text.isEmpty())
            text += u'\n';
        text += u'[' + escapedKey(section) + QLatin1String("]\n") + lines.join(u'\n') + u'\n';
    };
    if (sections.contains(QStringLiteral("General")))
        addSection(QStringLiteral("General"), sections.take(QStringLiteral("General")));
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        addSection(it.key(), it.value());
    return device.write(text.toUtf8()) >= 0;
}

} // namespace SettingsText
