#include "Application.h"

#include "AlertView.h"
#include "Localization.h"
#include "SchemeHandlers.h"
#include "SoftwareCentre.h"
#include "StageWindow.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <memory>
#include <utility>
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
    if (!canOpenURL(url))
        return false;
    if (SoftwareCentre::isMakerListing(url) && m_inAppBrowser && m_inAppBrowser(url))
        return true;
    const bool centre = !SoftwareCentre::componentId(url).isEmpty() &&
                        SchemeHandlers::hasHandler(QStringLiteral("appstream"));
    const DesktopTargets targets = desktopTargets(url, centre);
    launch(targets.first, targets.fallback, url);
    return true;
}

Application::DesktopTargets Application::desktopTargets(const QUrl& url,
                                                        bool softwareCentreInstalled)
{
    const QString id = SoftwareCentre::componentId(url);
    if (!id.isEmpty()) {
        if (softwareCentreInstalled)
            return {SoftwareCentre::appstreamLink(id), SoftwareCentre::webLink(id)};
        return {SoftwareCentre::webLink(id), {}};
    }
    // A store page of an app we do not know (an ad's, say): its web twin is
    // the best a browser can do with it.
    if (url.scheme() == QLatin1String("itms-apps") || url.scheme() == QLatin1String("itms")) {
        QUrl web = url;
        web.setScheme(QStringLiteral("https"));
        return {web.toString(QUrl::FullyEncoded), {}};
    }
    return {url.toString(QUrl::FullyEncoded), {}};
}

void Application::launch(const QString& target, const QString& fallback, const QUrl& asked)
{
    // xdg-open waits for a handler that stays in front (a browser started by
    // it); one still running after this long has opened the link.
    constexpr int kOpenedAfterMs = 3000;
    auto* process = new QProcess(qApp); // the handler may outlive whatever asked
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto settled = std::make_shared<bool>(false);
    auto failed = [this, process, settled, fallback, asked] {
        if (std::exchange(*settled, true))
            return;
        if (!fallback.isEmpty())
            launch(fallback, {}, asked);
        else
            tellNothingOpens(asked);
    };
    connect(process, &QProcess::finished, this,
            [process, settled, failed](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (code != 0 || status != QProcess::NormalExit)
                    failed();
                *settled = true;
            });
    connect(process, &QProcess::errorOccurred, this, [process, failed](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        process->deleteLater();
        failed();
    });
    QTimer::singleShot(kOpenedAfterMs, process, [settled] { *settled = true; });
    // A mailto: link is a message to write: the desktop's mail path.
    if (target.startsWith(QLatin1String("mailto:")))
        process->start(QStringLiteral("xdg-email"), {QStringLiteral("--utf8"), target});
    else
        process->start(QStringLiteral("xdg-open"), {target});
}

void Application::tellNothingOpens(const QUrl& link)
{
    const QString id = SoftwareCentre::componentId(link);
    const QString shown = id.isEmpty() ? link.toDisplayString() : SoftwareCentre::webLink(id);
    std::fprintf(stderr, "korvane: nothing on this computer opens %s\n", qPrintable(shown));
    auto* alert = new AlertView(
        Localization::translate("Application", "Cannot open the link").orDefault({}),
        Localization::translate("Application", "No program on this computer opens this link:")
                .orDefault({}) +
            QStringLiteral("\n") + shown,
        nullptr, QStringLiteral("OK"));
    alert->show();
}

bool Application::canOpenURL(const QUrl& url) const
{
    return url.isValid() && !url.scheme().isEmpty();
}

void Application::setOpenURLHandler(OpenURLHandler handler)
{
    m_openURLHandler = std::move(handler);
}

void Application::setInAppBrowser(OpenURLHandler browser)
{
    m_inAppBrowser = std::move(browser);
}

void Application::setIdleTimerDisabled(bool disabled)
{
    m_idleDisabled = disabled;
    updateInhibition();
}

namespace {
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
constexpr uint kPortalInhibitIdle = 8;
constexpr int kReleaseAtEndTimeoutMs = 1000;
} // namespace

// The screen stays awake while the app is in front: inhibited while the idle
// timer is off and the app is not in the background, released otherwise and
// at the end. Calls are asynchronous; a reply that arrives when the wish has
// changed is undone at once.
void Application::updateInhibition()
{
    const bool want = m_idleDisabled && m_state != State::Background && !m_terminated;
    if (want == m_inhibitWanted)
        return;
    m_inhibitWanted = want;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || m_inhibitPending)
        return;
    if (want)
        requestInhibition(true);
    else
        releaseInhibition(false);
}

void Application::requestInhibition(bool throughPortal)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString reason = QStringLiteral("Showing the speed gauge");
    QDBusMessage call;
    if (throughPortal) {
        call = QDBusMessage::createMethodCall(
            kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        call << QString() << kPortalInhibitIdle << QVariantMap{{QStringLiteral("reason"), reason}};
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaverService,
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              kScreenSaverService, QStringLiteral("Inhibit"));
        call << QGuiApplication::desktopFileName() << reason;
    }
    m_inhibitPending = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, throughPortal](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusMessage reply = w->reply();
                if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                    if (throughPortal) {
                        requestInhibition(false); // no portal: the screen saver itself
                        return;
                    }
                    m_inhibitPending = false;
                    return; // silently nothing
                }
                m_inhibitPending = false;
                if (throughPortal)
                    m_inhibitHandle =
                        reply.arguments().constFirst().value<QDBusObjectPath>().path();
                else
                    m_inhibitCookie = reply.arguments().constFirst().toUInt();
                if (!m_inhibitWanted)
                    releaseInhibition(false);
            });
}

void Application::releaseInhibition(bool wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call;
    if (!m_inhibitHandle.isEmpty()) {
        call = QDBusMessage::createMethodCall(kPortalService, m_inhibitHandle,
                                              QStringLiteral("org.freedesktop.portal.Request"),
                                              QStringLiteral("Close"));
        m_inhibitHandle.clear();
    } else if (m_inhibitCookie != 0) {
        call = QDBusMessage::createMethodCall(kScreenSaverService,
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              kScreenSaverService, QStringLiteral("UnInhibit"));
        call << m_inhibitCookie;
        m_inhibitCookie = 0;
    } else {
        return;
    }
    // At the end the process is about to go: make sure the release left.
    if (wait)
        bus.call(call, QDBus::Block, kReleaseAtEndTimeoutMs);
    else
        bus.asyncCall(call);
}

int Application::statusBarOrientation() const
{
    constexpr int portrait = 1, landscape = 3;
    if (m_orientationOverride)
        return *m_orientationOverride;
    if (!m_window || isPortraitSize(m_window->size()))
        return portrait;
    return landscape;
}

void Application::setStatusBarOrientationOverride(std::optional<int> orientation)
{
    m_orientationOverride = orientation;
    announceOrientation();
}

void Application::announceOrientation()
{
    const int orientation = statusBarOrientation();
    if (orientation == m_announcedOrientation)
        return;
    m_announcedOrientation = orientation;
    emit statusBarOrientationDidChange(orientation);
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
    announceOrientation();
}

QSize Application::mainScreenSize() const
{
    const QWidget* screen = StageWindow::stageOf(m_window);
    return screen ? screen->size() : QSize();
}

bool Application::isWindowOnScreen() const
{
    return m_window && m_window->isVisible() && !m_window->isMinimized();
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    // Filters run before the window's own resize handling: listeners hear
    // of the turn once the window has laid out its new size.
    if (watched == m_window && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &Application::announceOrientation, Qt::QueuedConnection);
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
    updateInhibition();
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
    updateInhibition();
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
    m_inhibitWanted = false;
    if (QDBusConnection::sessionBus().isConnected())
        releaseInhibition(true);
    if (m_delegate)
        m_delegate->applicationWillTerminate();
}
