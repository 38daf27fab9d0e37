#pragma once

#include <QString>
#include <QUrl>

// Store pages of this edition, the paid edition and the maker's other apps.
namespace StoreLinks {

inline constexpr const char* kStoreHost = "itunes.apple.com";
inline constexpr const char* kKorvaneFreeStoreId = "436352457";
inline constexpr const char* kKorvaneProStoreId = "431496713";
inline constexpr const char* kZentrikAppStoreIds[] = {"445062011", "452231730", "468510394",
                                                      "479103822"};

inline QUrl storePageURL(const char* storeId)
{
    return QUrl(QStringLiteral("itms-apps://%1/app/id%2?mt=8")
                    .arg(QLatin1String(kStoreHost), QLatin1String(storeId)));
}

// The maker's page listing all of its apps.
inline QUrl makerAppsPageURL()
{
    return QUrl(QStringLiteral("itms-apps://itunes.com/apps/Zentrik"));
}

} // namespace StoreLinks
