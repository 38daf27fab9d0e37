#pragma once

#include <QString>
#include <QUrl>

// The desktop's software centre stands in for the handheld's store: a store
// page address names an app by its store id, the software centre by its
// AppStream component id. GNOME Software and KDE Discover open
// appstream://ID on the app's page; Flathub shows the same app on the web.
namespace SoftwareCentre {

struct App {
    const char* storeId;
    const char* componentId;
};

inline constexpr const char* kStoreHost = "itunes.apple.com";
inline constexpr const char* kStoreShortLinkHost = "itunes.com";

// Every app the store links of this edition name, and nothing else.
inline constexpr App kKorvaneVandel{"436352457", "com.zentrik.KorvaneVandel"};
inline constexpr App kKorvaneOstrin{"431496713", "com.zentrik.KorvaneOstrin"};
inline constexpr App kMakerApps[] = {{"445062011", "com.zentrik.Nordweiser"},
                                     {"452231730", "com.zentrik.Pegelwerk"},
                                     {"468510394", "com.zentrik.Tidenhub"},
                                     {"479103822", "com.zentrik.TidenhubLite"}};

// The component a store page address names: "itms-apps://HOST/app/idN?mt=8",
// its web twin (with or without a country), or "appstream://ID" itself.
// Empty for anything else, an unknown id among them.
QString componentId(const QUrl& url);
// The store's listing of a maker's apps ("itms-apps://HOST/apps/NAME").
bool isMakerListing(const QUrl& url);

// As text: a QUrl would lower-case the id, which the software centre reads
// as given.
QString appstreamLink(const QString& componentId);
// The app's page for a browser, and for messages read on other machines.
QString webLink(const QString& componentId);

} // namespace SoftwareCentre
