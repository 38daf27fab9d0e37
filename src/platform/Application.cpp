#include "Application.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &c, 1);
}
} // namespace

Application& Application::shared()
{
    static Application* app = new Application; // lives until exit, like the process's app object
    return *app;
}

Application::Application()
{
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::applicationStateChanged, this,
                &Application::onQtStateChanged);
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &Application::terminate);
}

bool Application::openURL(const QUrl& url)
{
    if (m_openURLHandler)
        return m_openURLHandler(url);
    return QDesktopServices::openUrl(desktopURL(url));
}

QUrl Application::desktopURL(const QUrl& url)
{
    // No Linux desktop has a client for store links; their https twin opens
    // the same store page in the browser.
    if (url.scheme() == QLatin1String("itms-apps") || url.scheme() == QLatin1String("itms")) {
        QUrl web = url;
        web.setScheme(QStringLiteral("https"));
        return web;
    }
    return url;
}

bool Application::canOpenURL(const QUrl& url) const
{
    return url.isValid() && !url.scheme().isEmpty();
}

void Application::setOpenURLHandler(OpenURLHandler handler)
{
    m_openURLHandler = std::move(handler);
}

void Application::setIdleTimerDisabled(bool disabled)
{
    m_idleDisabled = disabled;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusInterface screenSaver(QStringLiteral("org.freedesktop.ScreenSaver"),
                               QStringLiteral("/org/freedesktop/ScreenSaver"),
                               QStringLiteral("org.freedesktop.ScreenSaver"), bus);
    if (!screenSaver.isValid())
        return;
    if (disabled && m_inhibitCookie == 0) {
        QDBusReply<uint> reply =
            screenSaver.call(QStringLiteral("Inhibit"), QStringLiteral("korvane"),
                             QStringLiteral("Showing the speed gauge"));
        if (reply.isValid())
            m_inhibitCookie = reply.value();
    } else if (!disabled && m_inhibitCookie != 0) {
        screenSaver.call(QStringLiteral("UnInhibit"), m_inhibitCookie);
        m_inhibitCookie = 0;
    }
}

int Application::statusBarOrientation() const
{
    constexpr int portrait = 1, landscape = 3;
    if (m_orientationOverride)
        return *m_orientationOverride;
    if (!m_window || m_window->height() > m_window->width())
        return portrait;
    return landscape;
}

void Application::setStatusBarOrientationOverride(std::optional<int> orientation)
{
    m_orientationOverride = orientation;
}

bool Application::isPortrait() const
{
    const int orientation = statusBarOrientation();
    return orientation == 1 || orientation == 2;
}

void Application::setDelegate(ApplicationDelegate* delegate)
{
    m_delegate = delegate;
}

void Application::installTerminationSignalHandlers()
{
    if (signalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char buf[16];
        [[maybe_unused]] const auto n = ::read(signalPipe[0], buf, sizeof buf);
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

void Application::onQtStateChanged(Qt::ApplicationState state)
{
    handleQtState(state, isWindowOnScreen());
}

void Application::handleQtState(Qt::ApplicationState state, bool windowOnScreen)
{
    switch (state) {
    case Qt::ApplicationActive:
        becomeActive();
        break;
    // A desktop reports a mere focus change as inactive; only a window that
    // left the screen is in the background, where the trip is saved and a
    // return counts as a new use.
    case Qt::ApplicationInactive:
        if (windowOnScreen)
            resignActive();
        else
            enterBackground();
        break;
    case Qt::ApplicationHidden:
    case Qt::ApplicationSuspended:
        enterBackground();
        break;
    }
}

void Application::setMainWindow(QWidget* window)
{
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window)
        m_window->installEventFilter(this);
}

bool Application::isWindowOnScreen() const
{
    return m_window && m_window->isVisible() && !m_window->isMinimized();
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && m_state != State::Background) {
        // Minimising may arrive after the focus change that made us inactive.
        if ((event->type() == QEvent::WindowStateChange && m_window->isMinimized()) ||
            event->type() == QEvent::Hide)
            enterBackground();
    }
    return QObject::eventFilter(watched, event);
}

void Application::resignActive()
{
    if (m_state != State::Active)
        return;
    m_state = State::Inactive;
    if (m_delegate)
        m_delegate->applicationWillResignActive();
}

void Application::enterBackground()
{
    if (m_state == State::Background)
        return;
    resignActive();
    m_state = State::Background;
    if (m_delegate)
        m_delegate->applicationDidEnterBackground();
}

void Application::becomeActive()
{
    if (m_state == State::Active)
        return;
    const bool fromBackground = m_state == State::Background;
    if (fromBackground)
        emit willEnterForeground();
    m_state = State::Active;
    if (!m_delegate)
        return;
    if (fromBackground)
        m_delegate->applicationWillEnterForeground();
    m_delegate->applicationDidBecomeActive();
}

void Application::terminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    if (m_delegate)
        m_delegate->applicationWillTerminate();
}
