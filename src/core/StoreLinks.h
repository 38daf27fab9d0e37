#pragma once

#include "SoftwareCentre.h"

#include <QString>
#include <QUrl>

// Store pages of this edition, the paid edition and the maker's other apps.
namespace StoreLinks {

inline constexpr const char* kStoreHost = SoftwareCentre::kStoreHost;
inline constexpr const char* kKorvaneFreeStoreId = SoftwareCentre::kKorvaneVandel.storeId;
inline constexpr const char* kKorvaneProStoreId = SoftwareCentre::kKorvaneOstrin.storeId;
inline constexpr const char* kZentrikAppStoreIds[] = {
    SoftwareCentre::kMakerApps[0].storeId, SoftwareCentre::kMakerApps[1].storeId,
    SoftwareCentre::kMakerApps[2].storeId, SoftwareCentre::kMakerApps[3].storeId};

inline QUrl storePageURL(const char* storeId)
{
    return QUrl(QStringLiteral("itms-apps://%1/app/id%2?mt=8")
                    .arg(QLatin1String(kStoreHost), QLatin1String(storeId)));
}

// This app's page on the web, for messages read on other machines: its
// Flathub page, which a friend on any system can open.
inline QString storeWebLink()
{
    return SoftwareCentre::webLink(QLatin1String(SoftwareCentre::kKorvaneVandel.componentId));
}

// The networks' web share pages.
inline constexpr const char* kFacebookShareHost = "www.facebook.com";
inline constexpr const char* kTwitterShareHost = "twitter.com";

// An app the more-apps page recommends: its texts in the "moreApps" table
// (with the English defaults), its icon and its store page.
struct MakerApp {
    const char* titleKey;
    const char* title;
    const char* descriptionKey;
    const char* description;
    const char* icon;
    const char* storeId;
};

inline constexpr MakerApp kKorvanePro{QT_TRANSLATE_NOOP("moreApps", "KorvanePro"),
                                      "Korvane Ostrin",
                                      QT_TRANSLATE_NOOP("moreApps", "KorvanePro_desc"),
                                      "Acceleration in sec, speed alert, digital, HUD...",
                                      "moreApps_korvane-pro.png",
                                      kKorvaneProStoreId};
// The maker's other apps; the last two are the two editions of one app.
inline constexpr MakerApp kMakerApps[] = {
    {QT_TRANSLATE_NOOP("moreApps", "Nordweiser"), "Nordweiser Compass",
     QT_TRANSLATE_NOOP("moreApps", "Nordweiser_desc"),
     "A true-north compass that works without a network.", "moreApps_nordweiser.png",
     kZentrikAppStoreIds[0]},
    {QT_TRANSLATE_NOOP("moreApps", "Pegelwerk"), "Pegelwerk Level",
     QT_TRANSLATE_NOOP("moreApps", "Pegelwerk_desc"),
     "Spirit level and inclinometer for shelves, pictures and caravans.", "moreApps_pegelwerk.png",
     kZentrikAppStoreIds[1]},
    {QT_TRANSLATE_NOOP("moreApps", "Tidenhub"), "Tidenhub Tides",
     QT_TRANSLATE_NOOP("moreApps", "Tidenhub_desc"),
     "Tides and currents for 4,000 harbours, offline.", "moreApps_tidenhub.png",
     kZentrikAppStoreIds[2]},
    {QT_TRANSLATE_NOOP("moreApps", "TidenhubLite"), "Tidenhub Lite",
     QT_TRANSLATE_NOOP("moreApps", "TidenhubLite_desc"), "The tides of your home harbour, free.",
     "moreApps_tidenhub-lite.png", kZentrikAppStoreIds[3]},
};

// The maker's page listing all of its apps.
inline QUrl makerAppsPageURL()
{
    return QUrl(QStringLiteral("itms-apps://%1/apps/Zentrik")
                    .arg(QLatin1String(SoftwareCentre::kStoreShortLinkHost)));
}

// The maker's web site and the product's pages on it; they ship with the app
// (resources/site) and are read offline. The site's root lists the maker's
// apps, so the store's listing of them opens there.
inline constexpr const char* kMakerWebHost = "www.zentrik.example";
inline constexpr int kMakerSiteService = 255;
inline QString makerWebPath(int serviceCode)
{
    const QString product =
        QStringLiteral("http://%1/iphone/korvane-vandel").arg(QLatin1String(kMakerWebHost));
    switch (serviceCode) {
    case 2:
        return product;
    case 3:
        return product + QStringLiteral("/feedback");
    case 4:
        return product + QStringLiteral("/faq");
    default:
        return QStringLiteral("http://%1").arg(QLatin1String(kMakerWebHost));
    }
}

} // namespace StoreLinks
