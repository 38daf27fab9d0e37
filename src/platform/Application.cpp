#include "Application.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
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
    return QDesktopServices::openUrl(url);
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
        QDBusReply<uint> reply = screenSaver.call(QStringLiteral("Inhibit"),
                                                  QStringLiteral("korvane"),
                                                  QStringLiteral("Showing the speed gauge"));
        if (reply.isValid())
            m_inhibitCookie = reply.value();
    } else if (!disabled && m_inhibitCookie != 0) {
        screenSaver.call(QStringLiteral("UnInhibit"), m_inhibitCookie);
        m_inhibitCookie = 0;
    }
}

bool Application::isPortrait() const
{
    if (!m_window)
        return true;
    return m_window->height() > m_window->width();
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
    switch (state) {
    case Qt::ApplicationActive:
        becomeActive();
        break;
    // A desktop has no background state of its own: a minimised or
    // deactivated window is where the trip must be saved.
    case Qt::ApplicationInactive:
    case Qt::ApplicationHidden:
    case Qt::ApplicationSuspended:
        enterBackground();
        break;
    }
}

void Application::enterBackground()
{
    if (m_state == State::Background)
        return;
    if (m_state == State::Active && m_delegate)
        m_delegate->applicationWillResignActive();
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
