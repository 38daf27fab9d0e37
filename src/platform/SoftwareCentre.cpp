#include "SoftwareCentre.h"

#include <QRegularExpression>

namespace SoftwareCentre {

namespace {
bool isStoreScheme(const QString& scheme)
{
    return scheme == QLatin1String("itms-apps") || scheme == QLatin1String("itms") ||
           scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool isStoreHost(const QString& host)
{
    return host == QLatin1String(kStoreHost) || host == QLatin1String(kStoreShortLinkHost);
}

const App* byStoreId(const QString& id)
{
    if (id == QLatin1String(kKorvaneVandel.storeId))
        return &kKorvaneVandel;
    if (id == QLatin1String(kKorvaneOstrin.storeId))
        return &kKorvaneOstrin;
    for (const App& app : kMakerApps)
        if (id == QLatin1String(app.storeId))
            return &app;
    return nullptr;
}

// URLs lower-case their host; the software centre's ids keep their case.
QString knownComponent(const QString& id)
{
    for (const App* app : {&kKorvaneVandel, &kKorvaneOstrin, &kMakerApps[0], &kMakerApps[1],
                           &kMakerApps[2], &kMakerApps[3]})
        if (id.compare(QLatin1String(app->componentId), Qt::CaseInsensitive) == 0)
            return QLatin1String(app->componentId);
    return {};
}
} // namespace

QString componentId(const QUrl& url)
{
    if (url.scheme() == QLatin1String("appstream")) {
        // appstream://ID and appstream:ID both occur.
        return knownComponent(url.host().isEmpty() ? url.path() : url.host());
    }
    if (!isStoreScheme(url.scheme()) || !isStoreHost(url.host()))
        return {};
    static const QRegularExpression path(QStringLiteral("^(?:/[A-Za-z]{2})?/app/(?:[^/]+/)?id(\\d+)$"));
    const QRegularExpressionMatch m = path.match(url.path());
    if (!m.hasMatch())
        return {};
    const App* app = byStoreId(m.captured(1));
    return app ? QLatin1String(app->componentId) : QString();
}

bool isMakerListing(const QUrl& url)
{
    return isStoreScheme(url.scheme()) && isStoreHost(url.host()) &&
           url.path().startsWith(QLatin1String("/apps/"));
}

QString appstreamLink(const QString& componentId)
{
    return QStringLiteral("appstream://") + componentId;
}

QString webLink(const QString& componentId)
{
    return QStringLiteral("https://flathub.org/apps/") + componentId;
}

} // namespace SoftwareCentre
