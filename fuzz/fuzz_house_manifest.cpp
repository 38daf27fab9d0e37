// The house-ad manifest on arbitrary bytes: loaded or refused with a reason;
// a loaded one answers every ad unit.
#include "FuzzGui.h"
#include "GADHouseNetwork.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    korvaneFuzzGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GADHouseNetwork& network = GADHouseNetwork::shared();
    QString error;
    const bool loaded =
        network.loadManifest(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (loaded == !error.isEmpty())
        std::abort();
    for (const QString& unit : {QStringLiteral("ca-app-pub-1/2"), QStringLiteral("*"), QString()}) {
        const GADAdResponse first = network.respond(unit);
        const GADAdResponse second = network.respond(unit);
        if (!loaded && (!first.isEmpty() || !second.isEmpty()))
            std::abort();
    }
    network.resetRotation();
    return 0;
}
