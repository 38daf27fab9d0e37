#pragma once

#include "Application.h"
#include "GPSLocation.h"
#include "StatusLine.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class Property;

// The phone application delegate: launch sequence, foreground and background
// handling.
class Korvane_LEAppDelegate : public ApplicationDelegate, public GPSLocationDelegate {
public:
    Korvane_LEAppDelegate();
    ~Korvane_LEAppDelegate() override;

    // Runs once before the first delegate is created.
    static void initialize();

    QPointer<QWidget> window;
    Property* prop = nullptr;

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive() override;
    void applicationDidEnterBackground() override;
    void applicationWillTerminate() override;

    // Picks the unit from the locale on the installation's first launch.
    static void chooseUnitOnFirstLaunch(Property* prop, const QString& localeIdentifier);

    GPSLocation* location() const { return m_location.get(); }
    StatusLine::Reading reading() const { return m_reading; }

    void speedDidUpate(float speed, float accuracy, double distance) override;

private:
    std::unique_ptr<GPSLocation> m_location;
    StatusLine::Reading m_reading;
};

class Korvane_LEAppDelegatePad : public Korvane_LEAppDelegate {};
