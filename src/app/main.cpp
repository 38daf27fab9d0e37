#include "AlertView.h"
#include "Bundle.h"
#include "CommandLine.h"
#include "Device.h"
#include "DialGeometry.h"
#include "Korvane_LEAppDelegate.h"
#include "Localization.h"
#include "LocationSources.h"
#include "MainView.h"
#include "MainViewController.h"
#include "MainViewControllerPad.h"
#include "Property.h"
#include "RatePrompt.h"
#include "SingleInstance.h"
#include "StageWindow.h"
#include "StatusLine.h"
#include "X11Transfer.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// One line per alert shown, for runs where nobody sees the window.
void reportAlert(const AlertView& alert)
{
    QStringList buttons;
    for (int i = 0; i < alert.numberOfButtons(); ++i)
        buttons << alert.buttonTitleAtIndex(i);
    QString line = QStringLiteral("alert: %1 | %2 | %3")
                       .arg(alert.title(), alert.message(), buttons.join(QLatin1String(" / ")));
    line.replace(u'\n', u' ');
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Tablet layout on a screen of tablet size or any landscape screen.
bool prefersTablet(const QScreen* screen)
{
    if (!screen)
        return false;
    const QSize available = screen->availableGeometry().size();
    return std::min(available.width(), available.height()) >= Device::kTabletMinimumScreenSide ||
           available.width() > available.height();
}

// The design size at most at scale 1, shrunk to fit the screen.
QSize initialWindowSize(QSize design, const QScreen* screen)
{
    if (!screen)
        return design;
    const StageWindow::Fit fit =
        StageWindow::fit(QSizeF(design), QSizeF(screen->availableGeometry().size()));
    return (QSizeF(design) * std::min<qreal>(1.0, fit.scale)).toSize();
}
} // namespace

int main(int argc, char** argv)
{
    // Before the application object: it connects to the display, and --help
    // or a usage error must answer where there is none to be had.
    const auto parsed = CommandLine::parse(CommandLine::arguments(argc, argv));
    if (const int* code = std::get_if<int>(&parsed))
        return *code;
    const CommandLine options = std::get<CommandLine>(parsed);

    const bool headless = !hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool offscreen = headless || qgetenv("QT_QPA_PLATFORM") == "offscreen";

    X11Transfer::chooseSocketImages();

    // No Qt::AA_ShareOpenGLContexts for the browser engine: it would create a
    // GL context at start (some 60 MiB and the GL driver's start-up on X11)
    // for a web page most runs never open. The engine renders without it.
    // The main thread runs Qt's own event loop rather than GLib's: a needle
    // frame wakes it three times, and GLib's dispatch around each wake-up
    // cost 9 % of a drive's CPU (bench/compare_xgpsspeed.sh, tablet, three
    // runs each: 0.52 s against 0.48 s). Nothing of ours runs GLib sources on
    // it; a GTK theme plugin then misses live theme changes, which the
    // gauge's own artwork ignores. Threads started later, and programs
    // started from here, get the environment they were given.
    const bool ownEventLoop = !qEnvironmentVariableIsSet("QT_NO_GLIB");
    if (ownEventLoop)
        qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    if (ownEventLoop)
        qunsetenv("QT_NO_GLIB");
    X11Transfer::widenSendBuffer();
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Zentrik"));
    QGuiApplication::setDesktopFileName(QLatin1String(Bundle::kApplicationId));

    // Two instances would each count the trip and the last to end would
    // overwrite the other's distance: a second launch shows the first.
    SingleInstance instance(QLatin1String(Bundle::kApplicationId));
    switch (instance.acquire()) {
    case SingleInstance::Acquired::Yes:
        break;
    case SingleInstance::Acquired::OtherRuns: {
        const bool raised = instance.raiseRunning();
        std::printf("korvane: already running (process %lld)%s\n",
                    static_cast<long long>(instance.runningPid()),
                    raised ? "; its window was brought to the front" : "");
        return 0;
    }
    case SingleInstance::Acquired::Unavailable:
        // Better a gauge without the guard than no gauge.
        std::fprintf(stderr,
                     "korvane: cannot take the single-instance lock (%s); running without it\n",
                     qPrintable(instance.failureReason()));
        break;
    }
    if (offscreen || options.verbose)
        AlertView::setShowObserver(reportAlert);

    const bool tablet = options.device == CommandLine::DeviceChoice::Auto
                            ? prefersTablet(QGuiApplication::primaryScreen())
                            : options.device == CommandLine::DeviceChoice::Tablet;
    Device::setIdiom(tablet ? Device::Idiom::Tablet : Device::Idiom::Phone);
    if (!options.locale.isEmpty())
        Localization::setLocaleOverride(options.locale);
    Localization::installTranslations();

    QString error;
    LocationManager::SourceFactory factory =
        LocationSources::create(options.source, options.replaySpeed, &error);
    if (!factory) {
        std::fprintf(stderr, "korvane: %s\n", qPrintable(error));
        return 1;
    }
    LocationManager::setSourceFactory(std::move(factory));

    Application& application = Application::shared();
    application.installTerminationSignalHandlers();

    RatePrompt::installAtProgramStart();
    Korvane_LEAppDelegate::initialize();
    RatePrompt::sharedInstance()->setVerboseLogging(options.verbose);
    std::unique_ptr<Korvane_LEAppDelegate> delegate =
        tablet ? std::make_unique<Korvane_LEAppDelegatePad>()
               : std::make_unique<Korvane_LEAppDelegate>();
    application.setDelegate(delegate.get());

    // The launch description: one window showing the device family's screen,
    // scaled to whatever size the window gets.
    StageWindow window(tablet ? StageWindow::tabletDesignSize : StageWindow::phoneDesignSize);
    window.setWindowTitle(QStringLiteral("Korvane Vandel"));
    window.setWindowIcon(QIcon::fromTheme(QLatin1String(Bundle::kApplicationId),
                                          QIcon(QStringLiteral(":/images/app_icon.png"))));
    constexpr QSize kMinimumWindow(180, 240);
    window.setMinimumSize(kMinimumWindow);
    QScreen* screen = QGuiApplication::primaryScreen();
    window.resize(initialWindowSize(
        tablet ? StageWindow::tabletDesignSize(screen ? screen->availableGeometry().size()
                                                      : Device::kTabletPortraitDesignSize)
               : StageWindow::phoneDesignSize({}),
        screen));
    application.setMainWindow(&window);
    instance.onRaiseRequest([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    AlertView::setHostWindow(window.stage());
    delegate->window = &window;
    delegate->applicationDidFinishLaunching();
    application.becomeActive();

    MainView* gauge = delegate->controller()->mainView;
    window.setMarginPainter(
        [gauge](QPainter& p, const QRectF& rect) { gauge->paintBackdrop(p, rect); });
    std::unique_ptr<StatusLine> status;
    if (offscreen) {
        // The read-out comes from the gauge itself: its needle target and the
        // accuracy it shows.
        status = std::make_unique<StatusLine>([gauge] {
            const int unit = Property::instance()->m_speedUnit;
            const float span = gauge->getSpeedZeigerAngle() - DialGeometry::kStartAngle;
            const float speed =
                span * DialGeometry::maxSpeedMetersPerSecond(unit) / DialGeometry::kSweep;
            return StatusLine::Reading{speed, gauge->m_realGenauigkeitMeterGPS};
        });
        status->start();
        QObject::connect(&app, &QCoreApplication::aboutToQuit, status.get(), &StatusLine::print);
    }
    bool screenshotFailed = false;
    if (!options.screenshot.isEmpty()) {
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                         [&window, &options, &screenshotFailed] {
                             if (!window.grab().save(options.screenshot)) {
                                 std::fprintf(stderr, "korvane: cannot write screenshot %s\n",
                                              qPrintable(options.screenshot));
                                 screenshotFailed = true;
                             }
                         });
    }
    if (!options.page.isEmpty()) {
        MainViewController* controller = delegate->controller();
        const QString page = options.page;
        QTimer::singleShot(0, controller, [controller, page] {
            if (page == u"info")
                controller->showInfo();
            else if (page == u"settings")
                controller->showSettings();
            else if (page == u"tour")
                controller->showKorvaneProAbout();
            else if (page.startsWith(u"web:"))
                controller->showWebFriendShare(page.mid(4).toInt(), nullptr);
            else
                controller->showZentrikApps();
        });
    }
    if (options.quitAtEnd)
        QObject::connect(delegate->controller()->locationManager(), &LocationManager::updatesEnded,
                         &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // For the benchmarks: what a painted frame costs.
    if (qEnvironmentVariableIsSet("KORVANE_COUNT_FRAMES"))
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
            std::fprintf(stderr, "korvane: %llu frames painted\n",
                         static_cast<unsigned long long>(window.paintedFrames()));
        });

    const int rc = app.exec();
    application.setDelegate(nullptr);
    return rc != 0 ? rc : screenshotFailed ? 1 : 0;
}
