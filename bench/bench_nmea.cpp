// Reading a long NMEA log into fixes: one hour at 10 Hz (36,000 epochs of
// RMC + GGA) should take well under a second.
#include "NmeaParser.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {
QByteArray sentence(const char* body)
{
    unsigned char sum = 0;
    for (const char* c = body; *c; ++c)
        sum ^= static_cast<unsigned char>(*c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return QByteArray("$") + body + tail;
}

QByteArray hourAt10Hz()
{
    QByteArray log;
    log.reserve(36'000 * 150);
    char body[160];
    for (int i = 0; i < 36'000; ++i) {
        const int tenths = i % 10, s = (i / 10) % 60, m = (i / 600) % 60, h = 9 + i / 36'000;
        const double minutesNorth = 23.79106 + 0.00001 * i;
        const double minutesEast = 44.63495 + 0.000005 * i;
        const double knots = 30.0 + 20.0 * std::sin(i / 900.0);
        std::snprintf(body, sizeof body,
                      "GPRMC,%02d%02d%02d.%d0,A,48%08.5f,N,011%08.5f,E,%.2f,84.4,180524,3.4,E,A", h,
                      m, s, tenths, minutesNorth, minutesEast, knots);
        log += sentence(body);
        std::snprintf(body, sizeof body,
                      "GPGGA,%02d%02d%02d.%d0,48%08.5f,N,011%08.5f,E,1,09,%.2f,449.8,M,47.3,M,,", h,
                      m, s, tenths, minutesNorth, minutesEast, 0.9 + 0.01 * (i % 50));
        log += sentence(body);
    }
    return log;
}

void BM_ReadHourAt10Hz(benchmark::State& state)
{
    static const QByteArray log = hourAt10Hz();
    qsizetype fixes = 0;
    for (auto _ : state) {
        const QList<Fix> read = NmeaLogReader::readBytes(log);
        fixes = read.size();
        benchmark::DoNotOptimize(read.constData());
    }
    if (fixes != 36'000)
        state.SkipWithError("wrong number of fixes");
    state.counters["fixes"] = double(fixes);
    state.SetBytesProcessed(state.iterations() * log.size());
}
} // namespace

BENCHMARK(BM_ReadHourAt10Hz)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
