#include "GADAdResponse.h"

#include "GADArtwork.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace {
bool fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return false;
}

bool hasControlCharacters(const QString& s)
{
    return std::any_of(s.begin(), s.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Reads an optional or required string member within a length limit.
bool readString(const QJsonObject& o, const QString& key, bool required, qsizetype minLength,
                qsizetype maxLength, QString* out, QString* why)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined() && !required)
        return true;
    if (!v.isString())
        return fail(why, key + QStringLiteral(" is not a string"));
    const QString s = v.toString();
    if (s.size() < minLength || s.size() > maxLength)
        return fail(why, key + QStringLiteral(" has a bad length"));
    if (hasControlCharacters(s))
        return fail(why, key + QStringLiteral(" contains control characters"));
    *out = s;
    return true;
}

bool readInlineImage(const QString& encoded, QByteArray* out, QString* why)
{
    // Guard before decoding: base64 grows the data by a third.
    if (encoded.size() > GADProtocol::kMaxImageBytes / 3 * 4 + 4)
        return fail(why, QStringLiteral("image too large"));
    const auto decoded =
        QByteArray::fromBase64Encoding(encoded.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return fail(why, QStringLiteral("image is not base64"));
    *out = decoded.decoded;
    return true;
}

bool readLocalImage(const QString& path, QByteArray* out, GADCreative::ImageFormat* format,
                    QString* why)
{
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        *format = GADCreative::ImageFormat::Svg;
    else if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        *format = GADCreative::ImageFormat::Png;
    else
        return fail(why, QStringLiteral("image is neither .svg nor .png: ") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(why, QStringLiteral("image not found: ") + path);
    *out = file.read(GADProtocol::kMaxImageBytes + 1);
    if (out->size() > GADProtocol::kMaxImageBytes)
        return fail(why, QStringLiteral("image too large: ") + path);
    out->squeeze(); // read() reserved the whole limit
    return true;
}
} // namespace

namespace GADProtocol {

std::optional<GADCreative> parseCreative(const QJsonObject& o, ImageSources sources, QString* why)
{
    static const QRegularExpression idPattern(QStringLiteral("^[A-Za-z0-9._-]{1,64}$"));
    static const QRegularExpression colourPattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    GADCreative c;
    if (!readString(o, QStringLiteral("id"), true, 1, 64, &c.identifier, why))
        return std::nullopt;
    if (!idPattern.match(c.identifier).hasMatch()) {
        fail(why, QStringLiteral("bad id"));
        return std::nullopt;
    }
    QString clickURL, background;
    if (!readString(o, QStringLiteral("title"), true, 1, 80, &c.title, why) ||
        !readString(o, QStringLiteral("text"), false, 0, 160, &c.text, why) ||
        !readString(o, QStringLiteral("click_url"), true, 1, 2048, &clickURL, why) ||
        !readString(o, QStringLiteral("background"), false, 7, 7, &background, why))
        return std::nullopt;

    c.clickURL = QUrl(clickURL, QUrl::StrictMode);
    const QString scheme = c.clickURL.scheme().toLower();
    if (!c.clickURL.isValid() || c.clickURL.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http") &&
         scheme != QLatin1String("itms-apps"))) {
        fail(why, QStringLiteral("bad click_url"));
        return std::nullopt;
    }
    if (!background.isEmpty()) {
        if (!colourPattern.match(background).hasMatch()) {
            fail(why, QStringLiteral("bad background"));
            return std::nullopt;
        }
        c.background = QColor::fromString(background);
    }

    const bool hasPng = o.contains(QLatin1String("image_png_base64"));
    const bool hasSvg = o.contains(QLatin1String("image_svg_base64"));
    const bool hasLocal = o.contains(QLatin1String("image"));
    if (int(hasPng) + int(hasSvg) + int(hasLocal) != 1) {
        fail(why, QStringLiteral("an ad needs exactly one image"));
        return std::nullopt;
    }
    QString source;
    const QString key = hasPng   ? QStringLiteral("image_png_base64")
                        : hasSvg ? QStringLiteral("image_svg_base64")
                                 : QStringLiteral("image");
    if (!readString(o, key, true, 1, kMaxImageBytes * 2, &source, why))
        return std::nullopt;
    if (hasLocal) {
        if (sources != ImageSources::InlineOrLocalFiles) {
            fail(why, QStringLiteral("image paths are not allowed"));
            return std::nullopt;
        }
        if (!readLocalImage(source, &c.imageData, &c.imageFormat, why))
            return std::nullopt;
    } else {
        c.imageFormat = hasPng ? GADCreative::ImageFormat::Png : GADCreative::ImageFormat::Svg;
        if (!readInlineImage(source, &c.imageData, why))
            return std::nullopt;
    }
    if (!GADArtwork(c).isValid()) {
        fail(why, QStringLiteral("image does not decode"));
        return std::nullopt;
    }
    return c;
}

std::optional<QList<GADMediatedNetwork>> parseMediation(const QJsonValue& value, QString* why)
{
    static const QRegularExpression classPattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    if (!value.isArray()) {
        fail(why, QStringLiteral("mediation is not an array"));
        return std::nullopt;
    }
    const QJsonArray array = value.toArray();
    if (array.size() > kMaxMediatedNetworks) {
        fail(why, QStringLiteral("too many mediated networks"));
        return std::nullopt;
    }
    QList<GADMediatedNetwork> networks;
    for (const QJsonValue& entry : array) {
        if (!entry.isObject()) {
            fail(why, QStringLiteral("mediated network is not an object"));
            return std::nullopt;
        }
        const QJsonObject o = entry.toObject();
        GADMediatedNetwork n;
        if (!readString(o, QStringLiteral("class_name"), true, 1, 64, &n.className, why) ||
            !readString(o, QStringLiteral("parameter"), false, 0, 1024, &n.parameter, why) ||
            !readString(o, QStringLiteral("label"), false, 0, 1024, &n.label, why))
            return std::nullopt;
        if (!classPattern.match(n.className).hasMatch()) {
            fail(why, QStringLiteral("bad class_name"));
            return std::nullopt;
        }
        networks.append(n);
    }
    return networks;
}

} // namespace GADProtocol

std::optional<GADAdResponse> GADAdResponse::fromJson(const QByteArray& body, QString* why)
{
    if (body.size() > GADProtocol::kMaxResponseBytes) {
        fail(why, QStringLiteral("answer too large"));
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        fail(why, QStringLiteral("answer is not a JSON object"));
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    GADAdResponse response;
    if (root.contains(QLatin1String("mediation"))) {
        auto mediation = GADProtocol::parseMediation(root.value(QLatin1String("mediation")), why);
        if (!mediation)
            return std::nullopt;
        response.mediation = *mediation;
    }
    if (root.contains(QLatin1String("ad"))) {
        const QJsonValue ad = root.value(QLatin1String("ad"));
        if (!ad.isObject()) {
            fail(why, QStringLiteral("ad is not an object"));
            return std::nullopt;
        }
        response.ad =
            GADProtocol::parseCreative(ad.toObject(), GADProtocol::ImageSources::InlineOnly, why);
        if (!response.ad)
            return std::nullopt;
    }
    return response;
}
