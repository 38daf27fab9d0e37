#pragma once

#include "AlertView.h"
#include "MainView.h"
#include "MainViewOwner.h"
#include "Property.h"
#include "TestEnvironment.h"

#include <QTest>
#include <cmath>
#include <memory>

#define KORVANE_COMPARE_NEAR(actual, expected, tolerance)                                          \
    QVERIFY2(std::fabs(double(actual) - double(expected)) <= (tolerance),                          \
             qPrintable(QStringLiteral("%1 is not %2")                                             \
                            .arg(double(actual), 0, 'f', 7)                                        \
                            .arg(double(expected), 0, 'f', 7)))

struct RecordingOwner : MainViewOwner {
    QList<float> speeds;
    void updateAdDismissButton(float speed) override { speeds << speed; }
};

// A fresh installation per test, and a gauge started on it as the controller
// starts it.
class GaugeFixture {
public:
    GaugeFixture() : env(std::make_unique<TestEnvironment>()) { Property::reloadForTesting(); }
    ~GaugeFixture()
    {
        view.reset();
        for (AlertView* alert : AlertView::visibleAlerts())
            delete alert;
    }

    // Settings written before start() are what the "launch" finds.
    Property* store() const { return Property::instance(); }
    // Writes the trip distance as leaving the app would, and starts over from the file.
    void storeTripDistance(double meters)
    {
        store()->saveDoubleProperty(QStringLiteral("distanceTraveled_Meter"), meters);
        Property::reloadForTesting();
    }

    template <typename View = MainView> View* start(int unit = 0)
    {
        if (store()->m_speedUnit != unit)
            store()->setSpeedUnit(unit);
        auto* created = new View;
        view.reset(created);
        view->m_MainViewController = &owner;
        view->loadLocal();
        view->addProperty(store());
        return created;
    }

    std::unique_ptr<TestEnvironment> env;
    RecordingOwner owner;
    std::unique_ptr<MainView> view;
};
