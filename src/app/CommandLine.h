#pragma once

#include <QString>
#include <QStringList>
#include <variant>

struct CommandLine {
    enum class DeviceChoice { Auto, Phone, Tablet };
    DeviceChoice device = DeviceChoice::Auto;
    QString source = QStringLiteral("auto");
    double replaySpeed = 1.0;
    bool quitAtEnd = false;
    QString screenshot;
    QString locale;
    // A screen to open after launch, as its button would: info, settings, apps.
    QString page;
    bool verbose = false;

    // Parses the arguments; on --help, --version or a bad value prints what
    // is due and returns the exit code instead. Needs no application object,
    // so it answers before any connection to a display is tried. Qt's own
    // options (-platform, -qwindowgeometry, ...) are accepted and left for
    // the application object to take.
    static std::variant<CommandLine, int> parse(const QStringList& arguments);
    static QStringList arguments(int argc, const char* const* argv);
};
