#include "GADMobileAds.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QThread>

namespace {
std::chrono::milliseconds& timeoutSetting()
{
    static std::chrono::milliseconds timeout = GADMobileAds::kDefaultRequestTimeout;
    return timeout;
}

std::chrono::milliseconds& deadlineSetting()
{
    static std::chrono::milliseconds deadline = GADMobileAds::kDefaultRequestDeadline;
    return deadline;
}
} // namespace

QUrl GADMobileAds::serverURL()
{
    const QString value = qEnvironmentVariable(kServerEnvironmentVariable).trimmed();
    return value.isEmpty() ? QUrl() : QUrl(value, QUrl::StrictMode);
}

std::chrono::milliseconds GADMobileAds::requestTimeout()
{
    return timeoutSetting();
}

void GADMobileAds::setRequestTimeout(std::chrono::milliseconds timeout)
{
    timeoutSetting() =
        timeout.count() > 0 ? timeout : std::chrono::milliseconds(kDefaultRequestTimeout);
}

std::chrono::milliseconds GADMobileAds::requestDeadline()
{
    return deadlineSetting();
}

void GADMobileAds::setRequestDeadline(std::chrono::milliseconds deadline)
{
    deadlineSetting() =
        deadline.count() > 0 ? deadline : std::chrono::milliseconds(kDefaultRequestDeadline);
}

QNetworkAccessManager* GADMobileAds::networkAccessManager()
{
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    // Owned by the application object, so it goes with it; a later
    // application object gets a new one.
    static QPointer<QNetworkAccessManager> manager;
    if (!manager)
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    return manager;
}
