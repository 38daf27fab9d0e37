#pragma once

#include "Device.h"
#include "PageViewController.h"

class Button;
class DownloadViewPad;
class NavigationItem;
class QLabel;
namespace StoreLinks {
struct MakerApp;
}

// The more-apps page: the paid edition and the maker's other apps, each with
// its store page, and the maker's page of apps.
class DownloadViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    explicit DownloadViewControllerPhone(QObject* parent = nullptr);

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
    // Gives an entry its texts, icon and store link.
    void fillEntry(QLabel* title, QLabel* description, const char* iconButton,
                   const StoreLinks::MakerApp& app, void (DownloadViewControllerPhone::*open)());
};

class DownloadViewControllerPad : public DownloadViewControllerPhone {
    Q_OBJECT
public:
    explicit DownloadViewControllerPad(QObject* parent = nullptr);

protected:
    QWidget* createView() override;
    void viewDidLoad() override;
};
