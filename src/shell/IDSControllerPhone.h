#pragma once

#include "TabBarController.h"

// The page container: info, settings and more apps as tabs, flipping in over
// the main screen. The phone's stays upright.
class IDSControllerPhone : public TabBarController {
    Q_OBJECT
public:
    explicit IDSControllerPhone(QObject* parent = nullptr);
    Qt::Orientations supportedInterfaceOrientations() const override { return Qt::Vertical; }
    bool shouldAutorotate() const override { return false; }

protected:
    void viewDidLoad() override;
};

// The tablet's container turns with the device.
class IDSControllerPad : public TabBarController {
    Q_OBJECT
public:
    explicit IDSControllerPad(QObject* parent = nullptr);
    bool shouldAutorotateToInterfaceOrientation(int) const { return true; }

protected:
    void viewDidLoad() override;
};

// The tab bar's look, shared by both containers.
void styleIDSTabBar(TabBar* bar);
