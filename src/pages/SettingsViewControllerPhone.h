#pragma once

#include "PageViewController.h"

class NavigationItem;
class SettingsViewPhone;
class StretchableImageView;

// The settings page of the page container: unit, trip, FAQ and Feedback.
class SettingsViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    explicit SettingsViewControllerPhone(QObject* parent = nullptr);

    NavigationItem* m_naviItm = nullptr;

    SettingsViewPhone* settingsView() const { return m_settingsView; }

    void wwwFAQ();
    void wwwFeedbackAction();

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    // Builds the view from the interface file.
    virtual SettingsViewPhone* createView();

    SettingsViewPhone* m_settingsView = nullptr;
};

class SettingsViewControllerPad : public SettingsViewControllerPhone {
    Q_OBJECT
public:
    explicit SettingsViewControllerPad(QObject* parent = nullptr);

    StretchableImageView* m_info_image = nullptr;

protected:
    void viewDidLoad() override;
    SettingsViewPhone* createView() override;
};
