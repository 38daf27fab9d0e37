#pragma once

#include <QString>

// The app information dictionary.
class Bundle {
public:
    static QString version();             // CFBundleVersion
    static QString shortVersionString();  // CFBundleShortVersionString
    static QString displayName();         // CFBundleDisplayName
    static QString identifier();
    // Tests pretend to be another version without rebuilding.
    static void setVersionOverride(const QString& version);
};
