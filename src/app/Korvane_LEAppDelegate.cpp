#include "Korvane_LEAppDelegate.h"

#include "Localization.h"
#include "Property.h"

void Korvane_LEAppDelegate::initialize() {}

Korvane_LEAppDelegate::Korvane_LEAppDelegate() = default;
Korvane_LEAppDelegate::~Korvane_LEAppDelegate() = default;

void Korvane_LEAppDelegate::chooseUnitOnFirstLaunch(Property* prop, const QString& localeIdentifier)
{
    if (!prop->m_isfirstInit)
        return;
    if (localeIdentifier.contains(QLatin1String("en_US")) ||
        localeIdentifier.contains(QLatin1String("en_GB")))
        prop->setSpeedUnit(1);
    else
        prop->setSpeedUnit(0);
    prop->saveBoolProperty(QStringLiteral("firstInit"), false);
}

void Korvane_LEAppDelegate::applicationDidFinishLaunching()
{
    prop = Property::instance();
    chooseUnitOnFirstLaunch(prop, Localization::localeIdentifier());
    Application::shared().setIdleTimerDisabled(true);
    if (window)
        window->show();
    m_location = std::make_unique<GPSLocation>();
    m_location->delegate = this;
}

void Korvane_LEAppDelegate::speedDidUpate(float speed, float accuracy, double distance)
{
    prop->add_DistanceTraveled_Meter(distance);
    m_reading = {speed, accuracy};
}

void Korvane_LEAppDelegate::applicationDidBecomeActive() {}

void Korvane_LEAppDelegate::applicationDidEnterBackground()
{
    Property::instance()->save_temp_values();
}

void Korvane_LEAppDelegate::applicationWillTerminate()
{
    Property::instance()->save_temp_values();
}
