#include "CommandLine.h"
#include "Device.h"
#include "Korvane_LEAppDelegate.h"
#include "Localization.h"
#include "LocationSources.h"
#include "StatusLine.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char** argv)
{
    const bool headless = !hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool offscreen = headless || qgetenv("QT_QPA_PLATFORM") == "offscreen";

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Zentrik"));

    const auto parsed = CommandLine::parse(app);
    if (const int* code = std::get_if<int>(&parsed))
        return *code;
    const CommandLine options = std::get<CommandLine>(parsed);

    Device::setIdiom(options.tablet ? Device::Idiom::Tablet : Device::Idiom::Phone);
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

    Korvane_LEAppDelegate::initialize();
    std::unique_ptr<Korvane_LEAppDelegate> delegate =
        options.tablet ? std::make_unique<Korvane_LEAppDelegatePad>()
                       : std::make_unique<Korvane_LEAppDelegate>();
    application.setDelegate(delegate.get());
    delegate->applicationDidFinishLaunching();
    application.becomeActive();

    std::unique_ptr<StatusLine> status;
    if (offscreen) {
        status = std::make_unique<StatusLine>([d = delegate.get()] { return d->reading(); });
        status->start();
        QObject::connect(&app, &QCoreApplication::aboutToQuit, status.get(), &StatusLine::print);
    }
    if (options.quitAtEnd)
        QObject::connect(delegate->location()->m_LocationManager(), &LocationManager::updatesEnded,
                         &app, &QCoreApplication::quit, Qt::QueuedConnection);

    const int rc = app.exec();
    application.setDelegate(nullptr);
    return rc;
}
