#pragma once

#include "Application.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class MainViewController;
class MainViewControllerPad;
class Property;

// The phone application delegate: launch sequence, foreground and background
// handling.
class Korvane_LEAppDelegate : public ApplicationDelegate {
public:
    Korvane_LEAppDelegate();
    ~Korvane_LEAppDelegate() override;

    // Class initialisation: runs once before the first delegate is used.
    static void initialize();

    QPointer<QWidget> window;
    Property* prop = nullptr;

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive() override;
    void applicationDidEnterBackground() override;
    void applicationWillTerminate() override;

    // Picks the unit from the locale on the installation's first launch.
    static void chooseUnitOnFirstLaunch(Property* prop, const QString& localeIdentifier);

    // The main screen controller of the device family.
    virtual MainViewController* controller() const { return mainViewController.get(); }

    std::unique_ptr<MainViewController> mainViewController;

protected:
    virtual void createMainViewController();
};

class Korvane_LEAppDelegatePad : public Korvane_LEAppDelegate {
public:
    MainViewController* controller() const override;
    std::unique_ptr<MainViewControllerPad> mainViewControllerPad;

protected:
    void createMainViewController() override;
};
