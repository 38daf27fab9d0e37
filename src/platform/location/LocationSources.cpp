#include "LocationSources.h"

#include "AutoSource.h"
#include "GeoClueSource.h"
#include "GpsdSource.h"
#include "NmeaParser.h"
#include "NmeaReplaySource.h"
#include "NmeaSerialSource.h"

#include <QUrl>

#include <cmath>
#include <cstdio>

namespace {
LocationManager::SourceFactory fail(QString* errorMessage, const QString& text)
{
    if (errorMessage)
        *errorMessage = text;
    return nullptr;
}

LocationManager::SourceFactory replay(const QString& path, const QString& description,
                                      double replaySpeed, QString* errorMessage)
{
    // The log is read as it plays; here only as far as its first fix.
    QString error;
    const std::unique_ptr<NmeaLogStream> head = NmeaLogStream::open(path, &error);
    if (!head)
        return fail(errorMessage, error);
    if (!head->next())
        return fail(errorMessage, QStringLiteral("NMEA log %1 holds no position fix").arg(path));
    QString text = description;
    if (replaySpeed != 1.0)
        text += QStringLiteral(" at %1× speed").arg(replaySpeed);
    return [path, replaySpeed, text] {
        std::shared_ptr<NmeaLogStream> stream = NmeaLogStream::open(path);
        NmeaReplaySource::FixSupplier fixes;
        if (stream)
            fixes = [stream] { return stream->next(); };
        return std::make_unique<NmeaReplaySource>(std::move(fixes), replaySpeed, text);
    };
}
} // namespace

LocationManager::SourceFactory LocationSources::create(const QString& source, double replaySpeed,
                                                       QString* errorMessage)
{
    if (!isValidReplaySpeed(replaySpeed))
        return fail(errorMessage, QStringLiteral("replay speed must be between %1 and %2, not %3")
                                      .arg(kMinReplaySpeed)
                                      .arg(kMaxReplaySpeed)
                                      .arg(replaySpeed));

    if (source.isEmpty() || source == QLatin1String("auto"))
        return [] { return std::make_unique<AutoSource>(); };

    if (source == QLatin1String("demo"))
        return replay(QString::fromLatin1(kDemoDrive), QStringLiteral("demo drive"), replaySpeed,
                      errorMessage);

    if (source == QLatin1String("geoclue")) {
        if (!GeoClueSource::pluginAvailable())
            return fail(errorMessage, QStringLiteral("Qt's GeoClue plugin is not installed"));
        // As gpsd is probed: one line now; the app then runs the refused
        // path ("GPS is OFF"), as a user who denied access would see it.
        if (!GeoClueSource::serviceAvailable())
            std::fprintf(stderr, "korvane: GeoClue does not answer on the system bus "
                                 "(is geoclue-2.0 installed and the system bus running?)\n");
        return [] { return std::make_unique<GeoClueSource>(); };
    }

    if (source == QLatin1String("gpsd") || source.startsWith(QLatin1String("gpsd://"))) {
        QString host = QStringLiteral("localhost");
        int port = GpsdSource::kDefaultPort;
        if (source != QLatin1String("gpsd")) {
            const QUrl url(source, QUrl::StrictMode);
            if (!url.isValid() || url.host().isEmpty() ||
                (!url.path().isEmpty() && url.path() != QLatin1String("/")) || url.hasQuery() ||
                !url.userInfo().isEmpty())
                return fail(errorMessage,
                            QStringLiteral("not a gpsd address: %1 (expected gpsd://HOST[:PORT])")
                                .arg(source));
            host = url.host();
            port = url.port(GpsdSource::kDefaultPort);
            if (port <= 0)
                return fail(errorMessage, QStringLiteral("not a gpsd port: %1").arg(source));
        }
        QString error;
        if (!GpsdSource::probe(host, quint16(port), kGpsdProbeMs, &error))
            return fail(errorMessage, error);
        return [host, port] { return std::make_unique<GpsdSource>(host, quint16(port)); };
    }

    if (source.startsWith(QLatin1String("nmea:"))) {
        const QString path = source.mid(5);
        if (path.isEmpty())
            return fail(errorMessage, QStringLiteral("nmea: needs a path (nmea:PATH)"));
        // A missing /dev node is an unplugged receiver, not a log.
        if (NmeaSerialSource::isLiveDevice(path) || path.startsWith(QLatin1String("/dev/"))) {
            QString error;
            if (!NmeaSerialSource::canOpen(path, &error))
                return fail(errorMessage, error);
            return [path] { return std::make_unique<NmeaSerialSource>(path); };
        }
        return replay(path, QStringLiteral("NMEA log %1").arg(path), replaySpeed, errorMessage);
    }

    return fail(
        errorMessage,
        QStringLiteral("unknown location source \"%1\" (expected auto, gpsd[://HOST[:PORT]], "
                       "nmea:PATH, geoclue or demo)")
            .arg(source));
}
