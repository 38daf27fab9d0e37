#pragma once

#include <QUrl>
#include <chrono>

class QNetworkAccessManager;

// Process-wide settings of the SDK.
class GADMobileAds {
public:
    // A running banner asks for a new ad this often.
    static constexpr std::chrono::seconds kRefreshInterval{60};
    // An ad server that sends nothing for this long has failed the request.
    static constexpr std::chrono::seconds kDefaultRequestTimeout{10};
    // Nor may the whole request take longer than this, however steadily the
    // server trickles: a banner stuck on one request would never refresh.
    static constexpr std::chrono::seconds kDefaultRequestDeadline{30};
    // Names the ad server's base URL; unset, the house inventory serves.
    static constexpr char kServerEnvironmentVariable[] = "KORVANE_AD_SERVER";

    // Read on each request, so a test can point one banner at a server.
    static QUrl serverURL();
    static std::chrono::milliseconds requestTimeout();
    static std::chrono::milliseconds requestDeadline();
    // Tests shorten them; zero or less restores the default.
    static void setRequestTimeout(std::chrono::milliseconds timeout);
    static void setRequestDeadline(std::chrono::milliseconds deadline);

    // The one network manager of the SDK, living on the main thread.
    static QNetworkAccessManager* networkAccessManager();
};
