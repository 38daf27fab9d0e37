#pragma once

#include <QObject>
#include <QUrl>
#include <functional>

class QWidget;

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
    bool openURL(const QUrl& url);
    bool canOpenURL(const QUrl& url) const;
    // Tests record URLs instead of launching a browser; an empty handler
    // restores the desktop's.
    void setOpenURLHandler(OpenURLHandler handler);

    // Keeps the screen awake through org.freedesktop.ScreenSaver; silently
    // nothing without a session bus.
    void setIdleTimerDisabled(bool disabled);
    bool isIdleTimerDisabled() const { return m_inhibitCookie != 0 || m_idleDisabled; }

    enum class State { Active, Inactive, Background };
    State applicationState() const { return m_state; }

    // Portrait when the main window is taller than wide.
    bool isPortrait() const;
    void setMainWindow(QWidget* window) { m_window = window; }
    QWidget* mainWindow() const { return m_window; }

    void setDelegate(ApplicationDelegate* delegate);
    ApplicationDelegate* delegate() const { return m_delegate; }

    // SIGTERM, SIGINT and SIGHUP end the app through the normal quit path,
    // so the delegate hears of the termination.
    void installTerminationSignalHandlers();

    // Drives the lifecycle as the platform does; also used by tests.
    void enterBackground();
    void becomeActive();
    void terminate();

signals:
    // Broadcast on return from the background, delivered while the state is
    // still Background, for listeners other than the one delegate.
    void willEnterForeground();

private:
    Application();
    void onQtStateChanged(Qt::ApplicationState state);

    OpenURLHandler m_openURLHandler;
    ApplicationDelegate* m_delegate = nullptr;
    QWidget* m_window = nullptr;
    State m_state = State::Inactive;
    uint m_inhibitCookie = 0;
    bool m_idleDisabled = false;
    bool m_terminated = false;
};
