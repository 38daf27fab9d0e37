#pragma once

#include "GADAdResponse.h"

#include <QHash>
#include <QList>
#include <QString>

// The network's answers without an ad server: promotions compiled into the
// app and the mediation configured per ad unit, read from a manifest:
//
//   {
//     "ads": [ <ad>, ... ],                     ads as in GADAdResponse; "image" may be a path
//     "mediation": {
//       "<ad unit>": [ <mediated network>, ... ],
//       "*": [ ... ]                            units without an entry of their own
//     }
//   }
//
// Ads rotate in manifest order, one per request, across all banners.
class GADHouseNetwork {
public:
    static constexpr char kDefaultManifestPath[] = ":/ads/inventory.json";

    static GADHouseNetwork& shared();

    // Replaces the inventory; on failure the inventory is empty and `error`
    // says why.
    bool loadManifest(const QByteArray& json, QString* error = nullptr);
    bool loadManifestFile(const QString& path, QString* error = nullptr);
    // Forgets the inventory; the next request reads the default manifest.
    void reset();
    void resetRotation() { m_next = 0; }

    GADAdResponse respond(const QString& adUnitID);

    QList<GADCreative> ads();
    QList<GADMediatedNetwork> mediationForAdUnit(const QString& adUnitID);

private:
    void ensureLoaded();

    bool m_loaded = false;
    QList<GADCreative> m_ads;
    QHash<QString, QList<GADMediatedNetwork>> m_mediation;
    qsizetype m_next = 0;
};
