#pragma once

#include "LocationSource.h"

#include <functional>
#include <memory>

// The default: gpsd on localhost if it answers, else GeoClue if the system
// offers it, else the refused-access failure (code 1, "error 1"), so the
// app shows that location is off. The choice is made on the first start().
class AutoSource : public LocationSource {
    Q_OBJECT
public:
    // How long a local gpsd gets to accept; a missing one refuses at once.
    static constexpr int kProbeMs = 500;

    struct Probes {
        std::function<bool()> gpsd;
        std::function<bool()> geoClue;
    };
    // The real checks; tests pass their own.
    static Probes systemProbes();

    explicit AutoSource(QObject* parent = nullptr);
    AutoSource(Probes probes, QObject* parent = nullptr);
    ~AutoSource() override;

    void start() override;
    void stop() override;
    QString description() const override;

    // The source chosen, once start() has run (none when neither was there).
    LocationSource* chosen() const { return m_chosen.get(); }

private:
    Probes m_probes;
    std::unique_ptr<LocationSource> m_chosen;
    bool m_decided = false;
};
