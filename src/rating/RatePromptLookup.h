#pragma once

// Internal to the rating module: what the store lookup shares with the
// RatePrompt that started it.

#include "RatePrompt.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

// Fields that the lookup thread reads or writes while the main thread may do
// the same; they outlive the RatePrompt, so a late lookup never touches a
// destroyed one.
struct RatePrompt::Shared {
    std::atomic<quint32> appStoreID{0};           // the configured identifier
    std::atomic<quint32> rememberedAppStoreID{0}; // copy of the stored one
    std::atomic<quint32> appStoreGenreID{0};
};

// The configuration one lookup works with, copied on the main thread when it
// starts.
struct RatePrompt::Lookup {
    QPointer<RatePrompt> prompt; // read on the main thread only
    std::shared_ptr<Shared> shared;
    QString serviceRoot; // scheme and host, as "https://itunes.apple.com"
    QString country;
    QString bundleID;
    QString version;
    QString cacheDirectory;
    QDateTime now; // the app's clock when the lookup started
    QUrl customRatingsURL;
    bool onlyPromptIfLatestVersion = true;
    bool previewMode = false;
    bool verboseLogging = false;
    bool useJSONParser = true;
};
