#include "IDSControllerPhone.h"

namespace {
constexpr float kTintRed = 0.5f;
constexpr float kTintGreen = 0.745098f;
constexpr float kTintBlue = 1.0f;
} // namespace

void styleIDSTabBar(TabBar* bar)
{
    bar->setTintColor(QColor::fromRgbF(kTintRed, kTintGreen, kTintBlue, 1.0f));
    bar->setTranslucent(true);
    bar->setBarStyle(TabBar::BarStyle::Black);
}

IDSControllerPhone::IDSControllerPhone(QObject* parent) : TabBarController(parent) {}

void IDSControllerPhone::viewDidLoad()
{
    TabBarController::viewDidLoad();
    styleIDSTabBar(tabBar());
}

IDSControllerPad::IDSControllerPad(QObject* parent) : TabBarController(parent) {}

void IDSControllerPad::viewDidLoad()
{
    TabBarController::viewDidLoad();
    styleIDSTabBar(tabBar());
}
