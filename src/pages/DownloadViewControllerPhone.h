#pragma once

#include "Device.h"
#include "PageViewController.h"

#include <memory>

class Button;
class DownloadViewPad;
class NavigationItem;
class QLabel;
namespace StoreLinks {
struct MakerApp;
}
namespace Ui {
class DownloadViewControllerPhone;
class DownloadViewControllerPad;
} // namespace Ui

// The more-apps page: the paid edition and the maker's other apps, each with
// its store page, and the maker's page of apps.
class DownloadViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    explicit DownloadViewControllerPhone(QObject* parent = nullptr);
    ~DownloadViewControllerPhone() override;

    QLabel* m_recomend_title_Label = nullptr;
    QLabel* m_top_apps_top_tittle_Label = nullptr;
    QLabel* m_top_apps_top_descrption_Label = nullptr;
    QLabel* m_top_apps_button_tittle_Label = nullptr;
    QLabel* m_top_apps_button_descrption_Label = nullptr;
    QLabel* m_button_apps_top_tittle_Label = nullptr;
    QLabel* m_button_apps_top_descrption_Label = nullptr;
    Button* m_Button_apps_top_button = nullptr;
    QLabel* m_button_apps_button_tittle_Label = nullptr;
    QLabel* m_button_apps_button_descrption_Label = nullptr;
    NavigationItem* m_naviItm = nullptr;

    void appStoreKorvanePro();
    void appStoreNordweiser();
    void appStorePegelwerk();
    void appStoreTidenhub();
    void appStoreTidenhubLite();
    void appStoreZentrik();

    // Entry 3 does not fit a screen shorter than the phone's.
    static bool hidesEntryThree(int screenHeight)
    {
        return screenHeight < Device::kPhoneDesignSize.height();
    }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    void viewWillAppear() override;
    virtual QWidget* createView();
    // Binds the outlets and wires done; the phone's and the tablet's forms
    // name their widgets alike.
    template <class Form> void bindForm(const Form& form);
    // Gives an entry its texts, icon and store link.
    void fillEntry(QLabel* title, QLabel* description, Button* icon,
                   const StoreLinks::MakerApp& app, void (DownloadViewControllerPhone::*open)());

    // The entries' other keys, which nothing outside the page touches.
    Button* m_top_apps_top_button = nullptr;
    Button* m_top_apps_button_button = nullptr;
    Button* m_button_apps_button_button = nullptr;
    Button* m_button_apps_button_second_button = nullptr; // the phone's form only
    Button* m_zentrik_logo_button = nullptr;

private:
    std::unique_ptr<Ui::DownloadViewControllerPhone> m_ui;
};

class DownloadViewControllerPad : public DownloadViewControllerPhone {
    Q_OBJECT
public:
    explicit DownloadViewControllerPad(QObject* parent = nullptr);
    ~DownloadViewControllerPad() override;

protected:
    QWidget* createView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::DownloadViewControllerPad> m_ui;
};
