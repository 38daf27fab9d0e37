#pragma once

class QObject;
class ViewController;

// What the secondary pages ask of the main screen controller that opened them.
class PageOwner {
public:
    virtual ~PageOwner() = default;
    // Closes the page container.
    virtual void dismissISDView(QObject* sender) = 0;
    // Opens the web page for a share service code, presented from `from`.
    virtual void showWebFriendShare(int serviceCode, ViewController* from) = 0;
    // Recommends the app by e-mail, on Facebook or on Twitter, from `from`.
    virtual void showEmailFriendShare(ViewController* from) = 0;
    virtual void shwoWebFriendShareTwitter(ViewController* from) = 0;
    virtual void shwoWebFriendShareFacebook(ViewController* from) = 0;
};
