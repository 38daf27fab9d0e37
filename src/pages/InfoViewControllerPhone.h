#pragma once

#include "PageViewController.h"

class Button;
class NavigationItem;
class QLabel;
class StretchableImageView;

// The info page: the app's name and version, the review invitation, and the
// ways to recommend the app or visit its pages.
class InfoViewControllerPhone : public PageViewController {
    Q_OBJECT
public:
    using PageViewController::PageViewController;

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
};

class InfoViewControllerPad : public InfoViewControllerPhone {
    Q_OBJECT
public:
    using InfoViewControllerPhone::InfoViewControllerPhone;

    StretchableImageView* m_info_image = nullptr;

protected:
    void viewDidLoad() override;
    QWidget* createView() override;
};
