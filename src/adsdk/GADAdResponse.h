#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

class QJsonObject;
class QJsonValue;

// One ad of the network: a promotion with the advertised app's artwork, drawn
// in a square at the banner's left and large in the full-screen content.
struct GADCreative {
    enum class ImageFormat { Png, Svg };
    QString identifier;
    QString title;
    QString text;
    QUrl clickURL;
    QColor background; // invalid: the SDK's default
    ImageFormat imageFormat = ImageFormat::Svg;
    QByteArray imageData;
};

// A custom-event class the mediation asks to fill the request.
struct GADMediatedNetwork {
    QString className;
    QString parameter;
    QString label;
};

// The network's answer to one request, from the ad server or from the house
// inventory. The banner tries the mediated networks in order and falls back
// to the network's own ad; with neither it reports no fill.
//
// The answer is one JSON object (UTF-8); unknown keys are ignored:
//
//   {
//     "mediation": [                                  optional, at most 8
//       {"class_name": "adPad",                       [A-Za-z_][A-Za-z0-9_]{0,63}
//        "parameter": "...", "label": "..."}          optional, ≤ 1024 characters each
//     ],
//     "ad": {                                         optional
//       "id": "pro-2024-1",                           [A-Za-z0-9._-]{1,64}
//       "title": "...",                               1–80 characters
//       "text": "...",                                optional, ≤ 160 characters
//       "click_url": "itms-apps://…",                 absolute http, https or itms-apps URL with a
//       host "background": "#10233f",                      optional, #RRGGBB "image_png_base64":
//       "…"                       exactly one image: a PNG or an SVG document, |
//       "image_svg_base64": "…"                     base64, ≤ 256 KiB decoded, ≤ 2048 px a side
//     }
//   }
//
// `{}` means no fill. Text may not contain control characters. Anything else
// (wrong types, bad base64, images that do not decode, a body over 512 KiB)
// is an invalid answer.
struct GADAdResponse {
    QList<GADMediatedNetwork> mediation;
    std::optional<GADCreative> ad;

    bool isEmpty() const { return mediation.isEmpty() && !ad; }

    // A server's answer; nothing, with the reason in `why`, when it breaks the protocol.
    static std::optional<GADAdResponse> fromJson(const QByteArray& body, QString* why = nullptr);
};

namespace GADProtocol {
inline constexpr qsizetype kMaxResponseBytes = 512 * 1024;
inline constexpr qsizetype kMaxImageBytes = 256 * 1024;
inline constexpr int kMaxImageSide = 2048;
inline constexpr int kMaxMediatedNetworks = 8;

// The house inventory may also name its artwork by file or resource path
// ("image": ":/ads/pro.svg"); a server never may.
enum class ImageSources { InlineOnly, InlineOrLocalFiles };

std::optional<GADCreative> parseCreative(const QJsonObject& object, ImageSources sources,
                                         QString* why);
std::optional<QList<GADMediatedNetwork>> parseMediation(const QJsonValue& value, QString* why);
} // namespace GADProtocol
