#pragma once

#include "PageViewController.h"

#include <memory>

class NavigationItem;
class SettingsViewPhone;
class StretchableImageView;
namespace Ui {
class SettingsViewControllerPhone;
class SettingsViewControllerPad;
} // namespace Ui

// The settings page of the page container: unit, trip, FAQ and Feedback.
class SettingsViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    explicit SettingsViewControllerPhone(QObject* parent = nullptr);
    ~SettingsViewControllerPhone() override;

    NavigationItem* m_naviItm = nullptr;

    SettingsViewPhone* settingsView() const { return m_settingsView; }

    void wwwFAQ();
    void wwwFeedbackAction();

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    // Builds the view from the interface file and binds its outlets.
    virtual SettingsViewPhone* createView();

    SettingsViewPhone* m_settingsView = nullptr;

private:
    std::unique_ptr<Ui::SettingsViewControllerPhone> m_ui;
};

class SettingsViewControllerPad : public SettingsViewControllerPhone {
    Q_OBJECT
public:
    explicit SettingsViewControllerPad(QObject* parent = nullptr);
    ~SettingsViewControllerPad() override;

protected:
    void viewDidLoad() override;
    SettingsViewPhone* createView() override;

private:
    std::unique_ptr<Ui::SettingsViewControllerPad> m_ui;
    StretchableImageView* m_info_image = nullptr;
};
