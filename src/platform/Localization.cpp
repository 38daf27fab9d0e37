#include "Localization.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace {
QString& localeOverride()
{
    static QString id;
    return id;
}
constexpr const char* kDefaultTable = "Localizable";
} // namespace

QString Localization::string(const char* key, const char* table, const QString& defaultValue)
{
    const char* context = table ? table : kDefaultTable;
    const QString text = QCoreApplication::translate(context, key);
    if (text != QLatin1String(key))
        return text;
    return defaultValue.isEmpty() ? QString::fromUtf8(key) : defaultValue;
}

bool Localization::has(const char* key, const char* table)
{
    return QCoreApplication::translate(table ? table : kDefaultTable, key) != QLatin1String(key);
}

void Localization::setLocaleOverride(const QString& identifier)
{
    localeOverride() = identifier;
}

QString Localization::localeIdentifier()
{
    if (!localeOverride().isEmpty())
        return localeOverride();
    return QLocale::system().name();
}

QLocale Localization::locale()
{
    return QLocale(localeIdentifier());
}

QString Localization::measurementLocaleIdentifier()
{
    if (!localeOverride().isEmpty())
        return localeOverride();
    for (const char* variable : {"LC_ALL", "LC_MEASUREMENT", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value.section(u'.', 0, 0).section(u'@', 0, 0);
    }
    return localeIdentifier();
}

QStringList Localization::preferredLanguages()
{
    QStringList languages;
    if (!localeOverride().isEmpty()) {
        const QString id = localeOverride().section(u'.', 0, 0).section(u'@', 0, 0);
        languages << id;
        const QString language = id.section(u'_', 0, 0);
        if (language != id)
            languages << language;
        return languages;
    }
    for (const QString& l : QLocale::system().uiLanguages())
        languages << QString(l).replace(u'-', u'_');
    return languages;
}

void Localization::installTranslations()
{
    static std::unique_ptr<QTranslator> translator;
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::make_unique<QTranslator>();
    QStringList languages = preferredLanguages();
    languages << QStringLiteral("en");
    for (const QString& lang : std::as_const(languages)) {
        if (translator->load(QStringLiteral(":/translations/korvane_") + lang)) {
            QCoreApplication::installTranslator(translator.get());
            return;
        }
    }
}
