#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <optional>

// Lifecycle callbacks of the application object.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidBecomeActive() {}
    virtual void applicationWillResignActive() {}
    virtual void applicationDidEnterBackground() {}
    virtual void applicationWillEnterForeground() {}
    virtual void applicationWillTerminate() {}
};

// The application object: open-URL service, idle timer, lifecycle and the
// window's orientation.
class Application : public QObject {
    Q_OBJECT
public:
    static Application& shared();

    using OpenURLHandler = std::function<bool(const QUrl&)>;
    // Hands the URL to the desktop: a store page to the software centre (or
    // its web page where no software centre takes appstream: links), the
    // maker's listing to the in-app browser, anything else to its handler.
    // Where nothing opens it, the window says so, with the link. True when
    // an attempt was made.
    bool openURL(const QUrl& url);
    bool canOpenURL(const QUrl& url) const;
    // What the desktop is asked to open for a URL first, and what after
    // that fails (empty when nothing is left to try).
    struct DesktopTargets {
        QString first;
        QString fallback;
    };
    static DesktopTargets desktopTargets(const QUrl& url, bool softwareCentreInstalled);
    // Tests record URLs instead of launching a browser; an empty handler
    // restores the desktop's.
    void setOpenURLHandler(OpenURLHandler handler);
    // Shows a page in the app's own browser; answers whether it did. The
    // store's listing of the maker's apps goes there: its page ships with
    // the app.
    void setInAppBrowser(OpenURLHandler browser);

    // Keeps the screen awake while the app is in front, through the desktop
    // portal's Inhibit (idle) or else org.freedesktop.ScreenSaver; released in
    // the background and at the end; silently nothing without a session bus.
    void setIdleTimerDisabled(bool disabled);
    bool isIdleTimerDisabled() const { return m_idleDisabled; }

    enum class State { Active, Inactive, Background };
    State applicationState() const { return m_state; }

    // The one orientation rule, for the window and for any screen laid out
    // by its own size: portrait when taller than wide, a square landscape.
    static bool isPortraitSize(QSizeF size) { return size.height() > size.width(); }
    // Status-bar orientation in the handheld numbering: 1 portrait when the
    // main window is portrait (or there is none), else 3 landscape.
    int statusBarOrientation() const;
    // Tests feed any value, including ones a window never gives (0, 2, 4);
    // nullopt goes back to the window's aspect.
    void setStatusBarOrientationOverride(std::optional<int> orientation);
    // Orientations 1 (portrait) and 2 (upside down).
    bool isPortrait() const;
    // Minimising or hiding this window sends the app to the background.
    void setMainWindow(QWidget* window);
    QWidget* mainWindow() const { return m_window; }
    // The main screen in points: the stage when the window scales one, else
    // the window; empty without a window.
    QSize mainScreenSize() const;

    void setDelegate(ApplicationDelegate* delegate);
    ApplicationDelegate* delegate() const { return m_delegate; }

    // SIGTERM, SIGINT and SIGHUP end the app through the normal quit path,
    // so the delegate hears of the termination.
    void installTerminationSignalHandlers();

    // Drives the lifecycle as the platform does; also used by tests.
    void enterBackground();
    // Focus moved to another window while this one stays on screen.
    void resignActive();
    void becomeActive();
    // What the platform's state change means here, given whether the main
    // window is still on screen (shown and not minimised).
    void handleQtState(Qt::ApplicationState state, bool windowOnScreen);
    void terminate();

signals:
    // Broadcast on return from the background, delivered while the state is
    // still Background, for listeners other than the one delegate.
    void willEnterForeground();
    // The main window turned between portrait and landscape (or a test's
    // override changed), after the window has laid out its new size.
    void statusBarOrientationDidChange(int orientation);

private:
    Application();
    void onQtStateChanged(Qt::ApplicationState state);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool isWindowOnScreen() const;

    void launch(const QString& target, const QString& fallback, const QUrl& asked);
    void tellNothingOpens(const QUrl& link);

    OpenURLHandler m_openURLHandler;
    OpenURLHandler m_inAppBrowser;
    ApplicationDelegate* m_delegate = nullptr;
    QPointer<QWidget> m_window;
    std::optional<int> m_orientationOverride;
    int m_announcedOrientation = 1;
    void announceOrientation();
    State m_state = State::Inactive;
    void updateInhibition();
    void requestInhibition(bool throughPortal);
    void releaseInhibition(bool wait);
    uint m_inhibitCookie = 0; // from the screen saver
    QString m_inhibitHandle;  // the portal's request object
    bool m_inhibitWanted = false;
    bool m_inhibitPending = false;
    bool m_idleDisabled = false;
    bool m_terminated = false;
};
