#include "GPSLocation.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {
struct Sink : GPSLocationDelegate {
    double total = 0;
    void speedDidUpate(float speed, float accuracy, double distance) override
    {
        total += double(speed) + double(accuracy) + distance;
    }
};

// A drive along a gentle curve, so the moving state holds and every fix
// takes the distance branch.
void BM_PerFixStep(benchmark::State& state)
{
    GPSLocation location;
    Sink sink;
    location.delegate = &sink;
    QList<Fix> fixes;
    // Timed one second apart, so each fix also takes the jump test.
    const QDateTime start(QDate(2024, 5, 18), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < 4096; ++i) {
        Fix f;
        f.latitude = 48.1 + i * 1e-4;
        f.longitude = 11.5 + i * 1e-4 + std::sin(i * 0.01) * 1e-5;
        f.speed = 25.0;
        f.horizontalAccuracy = 5.0 + (i % 7);
        f.timestamp = start.addSecs(i);
        fixes.append(f);
    }
    // Delivered in batches of 64, so list handling stays out of the figure.
    constexpr qsizetype kBatch = 64;
    QList<QList<Fix>> batches;
    for (qsizetype b = 0; b < fixes.size(); b += kBatch)
        batches.append(fixes.mid(b, kBatch));
    qsizetype i = 0;
    for (auto _ : state) {
        location.locationManager_didUpdateLocations(nullptr, batches[i]);
        i = (i + 1) % batches.size();
    }
    benchmark::DoNotOptimize(sink.total);
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_PerFixStep);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
