#pragma once

#include "MailComposer.h"

#include <QObject>

class ShareWithWebViewController;
class ViewController;

// The main screen controller's sharing: the e-mail recommendation, the
// social posts and the web share page. Composers are made anew each time
// and presented by the given page, or by the main screen without one.
class ShareComposers : public QObject, public MailComposeViewControllerDelegate {
    Q_OBJECT
public:
    explicit ShareComposers(ViewController* mainScreen);

    void showEmailFriendShare(ViewController* presenter);
    void mailComposeController_didFinishWithResult(MailComposer* controller,
                                                   MailComposeResult result,
                                                   const QString& error) override;
    void shwoWebFriendShareFacebook(ViewController* presenter);
    void shwoWebFriendShareTwitter(ViewController* presenter);
    void showFacebookFriendShare(ViewController* presenter);
    void showTwitterFriendShare(ViewController* presenter);
    void showWebioFriendShare(ViewController* presenter);
    // withoutLink: the post without the store link.
    static QString shareBody(bool withoutLink);
    void showTwitter_MainWindow() { shwoWebFriendShareTwitter(nullptr); }
    void showFacebook_MainWindow() { shwoWebFriendShareFacebook(nullptr); }
    void showWebFriendShare(int serviceCode, ViewController* presenter);
    void didFinishShowWebFriendShare(QObject*) {}

    // The e-mail's parts, as the composer gets them.
    static QString emailSubject();
    static QString emailBody();

protected:
    virtual ShareWithWebViewController* createWebPage();

private:
    ViewController* presenterOr(ViewController* presenter) const;
    void showSocial(int service, ViewController* presenter);

    ViewController* m_mainScreen;
};

// The tablet opens the tablet's web page.
class ShareComposersPad : public ShareComposers {
    Q_OBJECT
public:
    using ShareComposers::ShareComposers;

protected:
    ShareWithWebViewController* createWebPage() override;
};
