#pragma once

#include "Fix.h"

#include <QList>
#include <QObject>

// Where fixes come from (gpsd, NMEA serial or log, GeoClue, the demo drive).
// Every source ends in the same three signals, so nothing above the location
// manager knows which one runs.
class LocationSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void start() = 0;
    virtual void stop() {}
    // Human-readable name for status output ("gpsd localhost:2947", …).
    virtual QString description() const = 0;
    // How much faster than the wall clock the source's own time runs (a
    // replay at 50× runs 50 times faster).
    virtual double timeScale() const { return 1.0; }

signals:
    void fixesReceived(const QList<Fix>& fixes);
    void failed(const LocationError& error);
    // A replayed log has no more fixes.
    void ended();
};
