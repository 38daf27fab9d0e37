#pragma once

#include "LocationManager.h"

#include <QString>

// Turns the command line's --source and --replay-speed into the location
// manager's source factory:
//
//     QString error;
//     auto factory = LocationSources::create(source, replaySpeed, &error);
//     if (!factory) { qCritical().noquote() << "korvane:" << error; return 2; }
//     LocationManager::setSourceFactory(factory);
//
// SOURCE is one of
//   auto (also "")         gpsd on localhost, else GeoClue, else location is off
//   gpsd[://HOST[:PORT]]   gpsd's JSON protocol, default localhost:2947
//   nmea:PATH              a live receiver (character device, FIFO) or an NMEA
//                          log replayed at its recorded pace × replaySpeed
//   geoclue                the GeoClue2 service
//   demo                   the bundled drive, replayed like a log
//
// create() answers nullptr, with a one-line reason, when the source cannot run
// at all: an unknown SOURCE, a replay speed outside kMinReplaySpeed..kMaxReplaySpeed, an
// NMEA log that is missing, unreadable or holds no fix, a device (or a /dev
// path) that cannot be opened, an explicitly named gpsd that does not accept
// a connection within kGpsdProbeMs, or GeoClue without Qt's plugin. Trouble
// later on (gpsd going away, a receiver unplugged) reaches the delegate as
// failures with code kErrorLocationUnknown while the source keeps retrying;
// with auto and neither service there, the failure is code kErrorDenied
// ("error 1"), the path of refused location access.
//
// Replays (nmea:LOG, demo) emit LocationSource::ended() after the last fix,
// which LocationManager passes on as updatesEnded(); for --quit-at-end,
// connect to that, or wrap the factory and connect to the source it makes.
namespace LocationSources {
constexpr int kGpsdProbeMs = 2000;
// Replay paces that make sense: a day's log in a quarter of an hour at most,
// a hundred times slower at least. Beyond them the source's timers leave
// what a timer can hold.
constexpr double kMinReplaySpeed = 0.01;
constexpr double kMaxReplaySpeed = 1000.0;
inline bool isValidReplaySpeed(double speed)
{
    return speed >= kMinReplaySpeed && speed <= kMaxReplaySpeed; // false for NaN
}
// The bundled drive.
inline constexpr auto kDemoDrive = ":/drives/demo.nmea";

LocationManager::SourceFactory create(const QString& source, double replaySpeed,
                                      QString* errorMessage);
} // namespace LocationSources
