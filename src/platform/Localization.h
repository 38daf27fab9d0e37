#pragma once

#include <QLocale>
#include <QString>

// Localised texts in named tables. A table is a translation context; the key
// is the source text. Without an entry the default is shown, or the key
// itself when the default is empty.
class Localization {
public:
    // A text of a named table. Looked up as Localization::translate("Table",
    // "key"), with literal table and key, so that lupdate finds every key.
    struct Text {
        const char* table;
        const char* key;
        // The table's text, else the default, else the key itself.
        QString orDefault(const QString& defaultValue) const
        {
            return string(key, table, defaultValue);
        }
        QString text() const { return string(key, table); }
    };
    static constexpr Text translate(const char* table, const char* key) { return {table, key}; }

    // For keys that come from a table of the code (marked there with
    // QT_TRANSLATE_NOOP); literal keys use translate().
    static QString string(const char* key, const char* table = nullptr,
                          const QString& defaultValue = {});
    // True when the table has an entry for the key.
    static bool has(const char* key, const char* table = nullptr);

    // The user's locale: the --locale override, else the system's. The raw
    // identifier (as "en_US_POSIX") is kept for substring tests.
    static void setLocaleOverride(const QString& identifier);
    static QString localeIdentifier();
    // The locale whose units the user measures in: the --locale override,
    // else LC_ALL, LC_MEASUREMENT, LANG (the C library's order), without
    // encoding or modifier ("en_GB.UTF-8" → "en_GB").
    static QString measurementLocaleIdentifier();
    static QLocale locale();
    // The user's preferred languages, most preferred first ("pt_BR", "pt", …).
    static QStringList preferredLanguages();

    // Loads the app's translations for the current locale from
    // :/translations/korvane_<lang>.qm; later calls replace earlier ones.
    static void installTranslations();
};
