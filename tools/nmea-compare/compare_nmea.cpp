// Reads every receiver log with Qt's QNmeaPositionInfoSource (real-time mode
// over a QIODevice) and with our NmeaParser, and applies the check our parser
// passes in the suite: one fix per epoch and speeds within 0.1 kn of gpsd's
// own reading (.chk). Prints one line per log and a summary.
#include "NmeaParser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGeoPositionInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNmeaPositionInfoSource>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <map>

namespace {
constexpr double kSpeedTolerance = 0.0514; // 0.1 kn

struct Reading {
    QDateTime time;
    double speed; // m/s, -1 without
};

QList<Reading> readWithQt(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QNmeaPositionInfoSource source(QNmeaPositionInfoSource::RealTimeMode);
    source.setDevice(&buffer);
    QList<Reading> out;
    QObject::connect(&source, &QNmeaPositionInfoSource::positionUpdated,
                     [&out](const QGeoPositionInfo& info) {
                         out.append({info.timestamp(),
                                     info.hasAttribute(QGeoPositionInfo::GroundSpeed)
                                         ? info.attribute(QGeoPositionInfo::GroundSpeed)
                                         : -1.0});
                     });
    source.startUpdates();
    // Written in receiver-sized pieces, each followed by the event loop, as a
    // serial line would deliver it.
    for (qsizetype at = 0; at < bytes.size(); at += 512) {
        const qint64 pos = buffer.pos();
        buffer.seek(buffer.size());
        buffer.write(bytes.mid(at, 512));
        buffer.seek(pos);
        QCoreApplication::processEvents();
    }
    QEventLoop wait;
    QTimer::singleShot(50, &wait, &QEventLoop::quit);
    wait.exec();
    return out;
}

int apart(const QDateTime& a, const QDateTime& b)
{
    const int d = std::abs(a.time().msecsSinceStartOfDay() - b.time().msecsSinceStartOfDay());
    return std::min(d, 86'400'000 - d);
}

// Speeds off by more than the tolerance at gpsd's times, and gpsd's times
// matched by no reading.
std::pair<int, int> compare(const QList<Reading>& readings, const std::map<QString, double>& gpsd)
{
    int off = 0, unmatched = 0;
    for (const auto& [time, speed] : gpsd) {
        const QDateTime t = QDateTime::fromString(time, Qt::ISODateWithMs);
        const Reading* nearest = nullptr;
        for (const Reading& r : readings)
            if (r.time.isValid() && (!nearest || apart(r.time, t) < apart(nearest->time, t)))
                nearest = &r;
        if (!nearest || apart(nearest->time, t) > 5) {
            ++unmatched;
            continue;
        }
        if (nearest->speed >= 0 && std::abs(nearest->speed - speed) > kSpeedTolerance)
            ++off;
    }
    return {off, unmatched};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    int qtWorse = 0, logs = 0;
    std::printf("%-26s %7s %7s %6s | %7s %7s %5s %5s | %7s %5s %5s\n", "log", "gpsd", "ours",
                "", "qt", "untimed", "off", "miss", "ours", "off", "miss");
    for (const QString& name : dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name)), check(dir.filePath(name + QStringLiteral(".chk")));
        if (!file.open(QIODevice::ReadOnly) || !check.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        std::map<QString, double> gpsd;
        while (!check.atEnd()) {
            const QJsonObject tpv = QJsonDocument::fromJson(check.readLine()).object();
            if (tpv.value("mode").toInt() >= 2 && tpv.contains("time") && tpv.contains("speed"))
                gpsd[tpv.value("time").toString()] = tpv.value("speed").toDouble();
        }
        QList<Reading> ours;
        for (const Fix& f : NmeaLogReader::readBytes(bytes))
            ours.append({f.timestamp, f.speed});
        const QList<Reading> qt = readWithQt(bytes);
        int untimed = 0;
        for (const Reading& r : qt)
            untimed += !r.time.isValid();
        const auto [qtOff, qtMiss] = compare(qt, gpsd);
        const auto [ourOff, ourMiss] = compare(ours, gpsd);
        ++logs;
        const bool worse = qtOff > ourOff || qtMiss > ourMiss || qt.size() > ours.size() + 1;
        qtWorse += worse;
        std::printf("%-26s %7zu %7lld %6s | %7lld %7d %5d %5d | %7lld %5d %5d%s\n",
                    qPrintable(name), gpsd.size(), static_cast<long long>(ours.size()), "",
                    static_cast<long long>(qt.size()), untimed, qtOff, qtMiss,
                    static_cast<long long>(ours.size()), ourOff, ourMiss, worse ? "  qt worse" : "");
    }
    std::printf("%d logs; Qt's reader fails the check where ours passes on %d\n", logs, qtWorse);
    return 0;
}
