#include "Korvane_LEAppDelegate.h"

#include "Localization.h"
#include "MainView.h"
#include "MainViewController.h"
#include "MainViewControllerPad.h"
#include "Property.h"
#include "RatePrompt.h"
#include "StageWindow.h"

#include <QVBoxLayout>

void Korvane_LEAppDelegate::initialize()
{
    RatePrompt* rating = RatePrompt::sharedInstance();
    rating->setDaysUntilPrompt(2.0f);
    rating->setUsesUntilPrompt(6);
}

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

void Korvane_LEAppDelegate::createMainViewController()
{
    mainViewController = std::make_unique<MainViewController>();
}

MainViewController* Korvane_LEAppDelegatePad::controller() const
{
    return mainViewControllerPad.get();
}

void Korvane_LEAppDelegatePad::createMainViewController()
{
    mainViewControllerPad = std::make_unique<MainViewControllerPad>();
}

void Korvane_LEAppDelegate::applicationDidFinishLaunching()
{
    prop = Property::instance();
    chooseUnitOnFirstLaunch(prop, Localization::measurementLocaleIdentifier());
    createMainViewController();
    Application::shared().setIdleTimerDisabled(true);
    if (window) {
        auto* layout = new QVBoxLayout(StageWindow::stageOf(window));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(controller()->view());
        window->show();
        window->activateWindow();
    }
    controller()->addProperty(prop);
}

void Korvane_LEAppDelegate::applicationDidBecomeActive()
{
    MainViewController* c = controller();
    if (!c || !c->mainView)
        return;
    c->mainView->start_properties_AnimationTimer(4.0f);
    if (!c->isPresentingScreen())
        c->initAds();
}

void Korvane_LEAppDelegate::applicationDidEnterBackground()
{
    Property::instance()->save_temp_values();
}

void Korvane_LEAppDelegate::applicationWillTerminate()
{
    Property::instance()->save_temp_values();
}
