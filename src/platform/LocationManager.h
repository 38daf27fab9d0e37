#pragma once

#include "Fix.h"
#include "LocationSource.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class LocationManager;

class LocationManagerDelegate {
public:
    virtual ~LocationManagerDelegate() = default;
    virtual void locationManager_didUpdateLocations(LocationManager*, const QList<Fix>&) {}
    virtual void locationManager_didFailWithError(LocationManager*, const LocationError&) {}
    virtual void locationManagerDidPauseLocationUpdates(LocationManager*) {}
    virtual void locationManagerDidResumeLocationUpdates(LocationManager*) {}
    // No fix for a while in the source's own time, or the source lost its
    // device or daemon; a later fix comes as usual.
    virtual void locationManagerDidLoseSource(LocationManager*) {}
};

// The location manager. Its source comes from a process-wide factory that the
// command line sets (--source); without one it has no fixes.
class LocationManager : public QObject {
    Q_OBJECT
public:
    static constexpr double kLocationAccuracyBest = -1.0;
    // Code of the error that means location access was refused; its
    // description contains "error 1".
    static constexpr int kErrorDenied = 1;
    static constexpr int kErrorLocationUnknown = 0;
    // Silence, in the source's own time, after which the source counts as lost.
    static constexpr int kLostAfterMs = 3000;
    // Without a first fix by then, the source's silence is worth a note.
    static constexpr int kNoFixNoteAfterMs = 60000;

    explicit LocationManager(QObject* parent = nullptr);
    ~LocationManager() override;

    void setDesiredAccuracy(double accuracy) { m_desiredAccuracy = accuracy; }
    double desiredAccuracy() const { return m_desiredAccuracy; }
    void setDelegate(LocationManagerDelegate* delegate) { m_delegate = delegate; }
    LocationManagerDelegate* delegate() const { return m_delegate; }
    bool respondsToSetPausesLocationUpdatesAutomatically() const { return true; }
    void setPausesLocationUpdatesAutomatically(bool pauses) { m_pausesAutomatically = pauses; }
    bool pausesLocationUpdatesAutomatically() const { return m_pausesAutomatically; }

    void startUpdatingLocation();
    void stopUpdatingLocation();
    bool isUpdating() const { return m_updating; }
    // The latest fix delivered, if any.
    std::optional<Fix> location() const { return m_location; }
    LocationSource* source() const { return m_source.get(); }

    using SourceFactory = std::function<std::unique_ptr<LocationSource>()>;
    static void setSourceFactory(SourceFactory factory);

signals:
    // The source has no more fixes (a replay reached its end).
    void updatesEnded();

private:
    void deliver(const QList<Fix>& fixes);
    void loseSource();

    LocationManagerDelegate* m_delegate = nullptr;
    std::unique_ptr<LocationSource> m_source;
    std::optional<Fix> m_location;
    double m_desiredAccuracy = 0.0;
    bool m_pausesAutomatically = true;
    bool m_updating = false;
    QTimer m_silence;
    QTimer m_firstFix;
    bool m_lost = false;
};
