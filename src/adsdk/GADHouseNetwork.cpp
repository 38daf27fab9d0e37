#include "GADHouseNetwork.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr char kAnyUnit[] = "*";
}

GADHouseNetwork& GADHouseNetwork::shared()
{
    static GADHouseNetwork network;
    return network;
}

bool GADHouseNetwork::loadManifest(const QByteArray& json, QString* error)
{
    m_loaded = true;
    m_ads.clear();
    m_mediation.clear();
    m_next = 0;

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = QStringLiteral("manifest is not a JSON object");
        return false;
    }
    const QJsonObject root = doc.object();
    QList<GADCreative> ads;
    QHash<QString, QList<GADMediatedNetwork>> mediation;
    const QJsonValue adsValue = root.value(QLatin1String("ads"));
    if (!adsValue.isUndefined() && !adsValue.isArray()) {
        if (error)
            *error = QStringLiteral("ads is not an array");
        return false;
    }
    for (const QJsonValue& entry : adsValue.toArray()) {
        QString why;
        auto ad = entry.isObject()
                      ? GADProtocol::parseCreative(
                            entry.toObject(), GADProtocol::ImageSources::InlineOrLocalFiles, &why)
                      : std::nullopt;
        if (!ad) {
            if (error)
                *error = QStringLiteral("ad %1: %2").arg(ads.size()).arg(why);
            return false;
        }
        ads.append(*ad);
    }
    const QJsonValue mediationValue = root.value(QLatin1String("mediation"));
    if (!mediationValue.isUndefined() && !mediationValue.isObject()) {
        if (error)
            *error = QStringLiteral("mediation is not an object");
        return false;
    }
    const QJsonObject units = mediationValue.toObject();
    for (auto it = units.begin(); it != units.end(); ++it) {
        QString why;
        auto networks = GADProtocol::parseMediation(it.value(), &why);
        if (!networks) {
            if (error)
                *error = it.key() + QStringLiteral(": ") + why;
            return false;
        }
        mediation.insert(it.key(), *networks);
    }
    m_ads = ads;
    m_mediation = mediation;
    return true;
}

bool GADHouseNetwork::loadManifestFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadManifest(QByteArray());
        if (error)
            *error = QStringLiteral("cannot read ") + path;
        return false;
    }
    return loadManifest(file.readAll(), error);
}

void GADHouseNetwork::reset()
{
    m_loaded = false;
    m_ads.clear();
    m_mediation.clear();
    m_next = 0;
}

void GADHouseNetwork::ensureLoaded()
{
    if (m_loaded)
        return;
    // Without a manifest the network simply has nothing to give.
    if (QFile::exists(QString::fromLatin1(kDefaultManifestPath))) {
        QString error;
        if (!loadManifestFile(QString::fromLatin1(kDefaultManifestPath), &error))
            qWarning("ad house inventory: %s", qPrintable(error));
    }
    m_loaded = true;
}

GADAdResponse GADHouseNetwork::respond(const QString& adUnitID)
{
    GADAdResponse response;
    response.mediation = mediationForAdUnit(adUnitID);
    if (!m_ads.isEmpty())
        response.ad = m_ads.at(m_next++ % m_ads.size());
    return response;
}

QList<GADCreative> GADHouseNetwork::ads()
{
    ensureLoaded();
    return m_ads;
}

QList<GADMediatedNetwork> GADHouseNetwork::mediationForAdUnit(const QString& adUnitID)
{
    ensureLoaded();
    const auto it = m_mediation.constFind(adUnitID);
    if (it != m_mediation.constEnd())
        return *it;
    return m_mediation.value(QString::fromLatin1(kAnyUnit));
}
