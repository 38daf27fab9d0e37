#pragma once

#include <QImage>
#include <QString>

// The app information dictionary.
class Bundle {
public:
    // The desktop's name for the app: desktop entry, icon, metainfo, GeoClue
    // and screen-lock requests.
    static constexpr const char* kApplicationId = "com.zentrik.KorvaneVandel";

    static QString version();            // CFBundleVersion
    static QString shortVersionString(); // CFBundleShortVersionString
    static QString displayName();        // CFBundleDisplayName
    // The display name as the "InfoPlist" table gives it for the user's
    // language ("Korvane" without an entry): the name messages use.
    static QString localizedDisplayName();
    static QString identifier();
    // ":/images/<name>", or its "@2x" variant where more than one pixel goes
    // to a point; the image's device pixel ratio says which one came back, so
    // deviceIndependentSize() is always the size in points. Null when missing.
    // Decoded images are shared, as the platform's named-image cache does.
    static QImage image(const QString& name, qreal devicePixelRatio);
    // Tests pretend to be another version without rebuilding.
    static void setVersionOverride(const QString& version);
};
