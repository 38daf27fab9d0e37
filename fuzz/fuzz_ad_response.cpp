// The ad server's answer on arbitrary bytes: it is refused with a reason or
// accepted within the protocol's limits, never anything in between.
#include "FuzzGui.h"
#include "GADAdResponse.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    korvaneFuzzGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString why;
    const auto response =
        GADAdResponse::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &why);
    if (!response) {
        if (why.isEmpty())
            std::abort();
        return 0;
    }
    if (response->mediation.size() > GADProtocol::kMaxMediatedNetworks)
        std::abort();
    for (const GADMediatedNetwork& n : response->mediation)
        if (n.className.isEmpty() || n.className.size() > 64 || n.parameter.size() > 1024 || n.label.size() > 1024)
            std::abort();
    if (const auto& ad = response->ad) {
        if (ad->title.isEmpty() || ad->title.size() > 80 || ad->text.size() > 160 || !ad->clickURL.isValid() ||
            ad->imageData.size() > GADProtocol::kMaxImageBytes)
            std::abort();
    }
    return 0;
}
