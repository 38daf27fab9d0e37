#pragma once

#include "PageViewController.h"

#include <memory>

class Button;
class NavigationItem;
class QLabel;
class StretchableImageView;
namespace Ui {
class InfoViewControllerPhone;
class InfoViewControllerPad;
} // namespace Ui

// The info page: the app's name and version, the review invitation, and the
// ways to recommend the app or visit its pages.
class InfoViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    explicit InfoViewControllerPhone(QObject* parent = nullptr);
    ~InfoViewControllerPhone() override;

    NavigationItem* m_naviItm = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    Button* eRecommendButton = nullptr;
    Button* reviewAnimationButton = nullptr;

    void showEmailFriendShare();
    void shwoWebFriendShareTwitter();
    void shwoWebFriendShareFacebook();
    void www();
    void appStoreZentrik();
    void appStoreKorvaneFree();

    // The version line for a bundle version: the build's real word size.
    static QString versionLine(const QString& bundleVersion);
    // The review invitation with the app's name filled in.
    static QString reviewInvitation();

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    virtual QWidget* createView();
    // Binds the outlets and wires the keys; the phone's and the tablet's
    // forms name their widgets alike.
    template <class Form> void bindForm(const Form& form);

private:
    std::unique_ptr<Ui::InfoViewControllerPhone> m_ui;
};

class InfoViewControllerPad : public InfoViewControllerPhone {
    Q_OBJECT
public:
    explicit InfoViewControllerPad(QObject* parent = nullptr);
    ~InfoViewControllerPad() override;

protected:
    void viewDidLoad() override;
    QWidget* createView() override;

private:
    std::unique_ptr<Ui::InfoViewControllerPad> m_ui;
    StretchableImageView* m_info_image = nullptr;
};
