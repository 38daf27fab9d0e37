#include "CommandLine.h"

#include "Bundle.h"
#include "LocationSources.h"

#include <QCommandLineParser>
#include <cmath>
#include <cstdio>

namespace {
// The options QGuiApplication and QApplication take from the command line
// themselves; they are parsed here only so that they are not errors.
void addQtOptions(QCommandLineParser& parser)
{
    static const char* const withValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"};
    static const char* const flags[] = {"reverse", "widgetcount", "nograb", "dograb",
                                        "testability"};
    for (const char* name : withValue) {
        QCommandLineOption option(QLatin1String(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option{QLatin1String(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}
} // namespace

QStringList CommandLine::arguments(int argc, const char* const* argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

std::variant<CommandLine, int> CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform offscreen).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Korvane Vandel: an analogue GPS speed gauge."));
    // Not addHelpOption(): its --help-all would list Qt's options, which only
    // an application object knows.
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help"),
                                         QStringLiteral("?")},
                                        QStringLiteral("Displays help on commandline options.")));
    parser.addVersionOption();
    const QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("Gauge layout: auto (default: tablet on a screen at "
                       "least 600 pixels on its shorter side or a "
                       "landscape screen), phone or tablet."),
        QStringLiteral("auto|phone|tablet"), QStringLiteral("auto"));
    const QCommandLineOption source(
        QStringLiteral("source"),
        QStringLiteral("Where fixes come from: auto (default), gpsd[://HOST[:PORT]], "
                       "nmea:PATH (serial device or log file), geoclue, demo."),
        QStringLiteral("SOURCE"), QStringLiteral("auto"));
    const QCommandLineOption replaySpeed(
        QStringLiteral("replay-speed"),
        QStringLiteral("Replay logs X times their recorded pace (0.01 to 1000)."),
        QStringLiteral("X"), QStringLiteral("1"));
    const QCommandLineOption quitAtEnd(QStringLiteral("quit-at-end"),
                                       QStringLiteral("Quit when a replayed log ends."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Write a PNG of the window when quitting."),
                                        QStringLiteral("FILE.png"));
    const QCommandLineOption locale(QStringLiteral("locale"),
                                    QStringLiteral("Use this locale instead of the system's."),
                                    QStringLiteral("NAME"));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QStringLiteral("Log the rating prompt's decisions and report the alerts shown."));
    const QCommandLineOption page(
        QStringLiteral("page"),
        QStringLiteral("Open a page after launch, as its button would: info, settings, apps, tour, or web:N (the in-app web page for share service code N, 0 to 255)."),
        QStringLiteral("PAGE"));
    parser.addOptions({device, source, replaySpeed, quitAtEnd, screenshot, locale, page, verbose});
    addQtOptions(parser);

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "korvane: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // Without an application object the parser cannot know our name.
        QString help = parser.helpText();
        help.replace(QLatin1String("<executable_name>"), QLatin1String("korvane"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("korvane %s\n", qPrintable(Bundle::version()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "korvane: unexpected argument '%s'\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    CommandLine options;
    const QString deviceValue = parser.value(device);
    if (deviceValue == u"phone")
        options.device = DeviceChoice::Phone;
    else if (deviceValue == u"tablet")
        options.device = DeviceChoice::Tablet;
    else if (deviceValue != u"auto") {
        std::fprintf(stderr, "korvane: --device must be auto, phone or tablet, not '%s'\n",
                     qPrintable(deviceValue));
        return 2;
    }
    options.source = parser.value(source);
    static const QStringList plainSources{QStringLiteral("auto"), QStringLiteral("demo"),
                                          QStringLiteral("geoclue"), QStringLiteral("gpsd")};
    if (!plainSources.contains(options.source) &&
        !options.source.startsWith(QLatin1String("gpsd://")) &&
        !options.source.startsWith(QLatin1String("nmea:"))) {
        std::fprintf(stderr,
                     "korvane: unknown --source '%s' (auto, gpsd[://HOST[:PORT]], nmea:PATH, "
                     "geoclue or demo)\n",
                     qPrintable(options.source));
        return 2;
    }
    bool ok = false;
    options.replaySpeed = parser.value(replaySpeed).toDouble(&ok);
    if (!ok || !LocationSources::isValidReplaySpeed(options.replaySpeed)) {
        std::fprintf(stderr, "korvane: --replay-speed must be a number from %g to %g, not '%s'\n",
                     LocationSources::kMinReplaySpeed, LocationSources::kMaxReplaySpeed,
                     qPrintable(parser.value(replaySpeed)));
        return 2;
    }
    options.quitAtEnd = parser.isSet(quitAtEnd);
    options.screenshot = parser.value(screenshot);
    options.locale = parser.value(locale);
    options.verbose = parser.isSet(verbose);
    options.page = parser.value(page);
    static const QStringList pages{QStringLiteral("info"), QStringLiteral("settings"),
                                   QStringLiteral("apps"), QStringLiteral("tour"),
                                   QStringLiteral("web:N")};
    bool codeOk = false;
    const bool webPage = options.page.startsWith(QLatin1String("web:")) &&
                         options.page.mid(4).toUInt(&codeOk) <= 255 && codeOk;
    if (parser.isSet(page) && !webPage && !pages.contains(options.page)) {
        std::fprintf(stderr, "korvane: --page must be one of %s, not '%s'\n",
                     qPrintable(pages.join(QLatin1String(", "))), qPrintable(options.page));
        return 2;
    }
    return options;
}
