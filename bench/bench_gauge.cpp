// The gauge's costs: rendering the face, one needle tick with its repaint,
// and what an idle gauge costs (it should wake up for nothing).
//
// Runs at device pixel ratio 2 (QT_SCALE_FACTOR=2) on the offscreen platform
// unless the environment says otherwise.

#include "AlphaView.h"
#include "Device.h"
#include "ImageView.h"
#include "MainView.h"
#include "Property.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Starts a gauge as the controller does, on a throw-away settings folder.
std::unique_ptr<MainView> startedGauge(Device::Idiom idiom)
{
    Device::setIdiom(idiom);
    auto view = std::make_unique<MainView>();
    if (idiom == Device::Idiom::Tablet)
        view->m_View_Main->resize(768, 1024); // the tablet face view
    view->loadLocal();
    view->addProperty(Property::instance());
    return view;
}

void faceRendering(benchmark::State& state, Device::Idiom idiom, bool first)
{
    auto view = startedGauge(idiom);
    for (auto _ : state) {
        if (first) {
            // A gauge that has never drawn its face, as at start-up.
            state.PauseTiming();
            view = std::make_unique<MainView>();
            view->prop = Property::instance();
            if (idiom == Device::Idiom::Tablet)
                view->m_View_Main->resize(768, 1024);
            state.ResumeTiming();
        }
        view->adjustImgViewsInit();
        benchmark::DoNotOptimize(view->m_View_Main->image().constBits());
    }
    const QImage face = view->m_View_Main->image();
    state.counters["dpr"] = face.devicePixelRatio();
    state.counters["pixels"] = double(face.width()) * face.height();
    Device::setIdiom(Device::Idiom::Phone);
}

// At start-up.
void BM_FacePhoneFirst(benchmark::State& state)
{
    faceRendering(state, Device::Idiom::Phone, true);
}
BENCHMARK(BM_FacePhoneFirst)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// On every return from a secondary page or the tour.
void BM_FacePhone(benchmark::State& state)
{
    faceRendering(state, Device::Idiom::Phone, false);
}
BENCHMARK(BM_FacePhone)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FaceTabletFirst(benchmark::State& state)
{
    faceRendering(state, Device::Idiom::Tablet, true);
}
BENCHMARK(BM_FaceTabletFirst)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FaceTablet(benchmark::State& state)
{
    faceRendering(state, Device::Idiom::Tablet, false);
}
BENCHMARK(BM_FaceTablet)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The first face of a fresh process, as a user waits for it at start: no
// image decoded, no font looked up yet. Each iteration runs this binary
// again (see coldFaceChild), which times its one face and prints it.
constexpr const char* kColdFaceChild = "--cold-face-child";

void coldFace(benchmark::State& state, const char* device)
{
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kColdFaceChild), QString::fromLatin1(device)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            state.SkipWithError("the child process failed");
            return;
        }
        state.SetIterationTime(child.readAllStandardOutput().trimmed().toDouble() / 1e9);
    }
}

void BM_FacePhoneCold(benchmark::State& state)
{
    coldFace(state, "phone");
}
BENCHMARK(BM_FacePhoneCold)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_FaceTabletCold(benchmark::State& state)
{
    coldFace(state, "tablet");
}
BENCHMARK(BM_FaceTabletCold)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

int coldFaceChild(const char* device)
{
    const Device::Idiom idiom =
        qstrcmp(device, "tablet") == 0 ? Device::Idiom::Tablet : Device::Idiom::Phone;
    Device::setIdiom(idiom);
    MainView view;
    view.prop = Property::instance();
    if (idiom == Device::Idiom::Tablet)
        view.m_View_Main->resize(768, 1024);
    QElapsedTimer clock;
    clock.start();
    view.adjustImgViewsInit();
    const qint64 ns = clock.nsecsElapsed();
    if (view.m_View_Main->image().isNull())
        return 1;
    printf("%lld\n", static_cast<long long>(ns));
    return 0;
}

// One timer tick of a moving needle, painted to the window's backing store.
void BM_NeedleTickWithRepaint(benchmark::State& state)
{
    auto view = startedGauge(Device::Idiom::Phone);
    view->show();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    view->speedDidUpate(60, 20, 0);
    const float low = view->speedToAngle(0), high = view->speedToAngle(60);
    for (auto _ : state) {
        if (std::fabs(view->m_speedZeigerAngle - view->m_currentZeigerAngle) < 0.1f)
            view->m_speedZeigerAngle = view->m_speedZeigerAngle == high ? low : high;
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_NeedleTickWithRepaint)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Counts timer events, except those of the one timer that ends the wait.
class TimerEventCounter : public QObject {
public:
    explicit TimerEventCounter(const QObject* ignored) : m_ignored(ignored) {}
    int timerEvents = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && watched != m_ignored)
            ++timerEvents;
        return false;
    }

private:
    const QObject* m_ignored;
};

// A gauge whose needles are at rest and whose overlay has faded, left alone
// on a blocking event loop for 300 ms: it should schedule nothing, and the
// process should use next to no CPU time.
void idleGauge(benchmark::State& state, bool tourSeen)
{
    Property::instance()->setDidPressProAd(tourSeen);
    auto view = startedGauge(Device::Idiom::Phone);
    view->show();
    view->speedDidUpate(20, 30, 0);
    while (view->smothZeigerEffectAnimationTimer.isRunning())
        view->drawSmoothZeigerEffectAnimationControllFunc();
    while (view->properties_AnimationTimer.isRunning())
        view->properties_AnimationTimer_ControllFunc();
    QCoreApplication::processEvents();

    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    TimerEventCounter counter(&end);
    qApp->installEventFilter(&counter);
    for (auto _ : state) {
        end.start(300);
        loop.exec();
    }
    qApp->removeEventFilter(&counter);
    state.counters["timerEvents"] = counter.timerEvents;
    state.counters["runningGaugeTimers"] = int(view->smothZeigerEffectAnimationTimer.isRunning()) +
                                           int(view->properties_AnimationTimer.isRunning()) +
                                           int(view->adProAnimationTimer.isRunning());
    Property::instance()->setDidPressProAd(false);
}

void BM_IdleGaugeTourNeverOpened(benchmark::State& state)
{
    idleGauge(state, false);
}
BENCHMARK(BM_IdleGaugeTourNeverOpened)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

void BM_IdleGaugeTourSeen(benchmark::State& state)
{
    idleGauge(state, true);
}
BENCHMARK(BM_IdleGaugeTourSeen)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kColdFaceChild) == 0)
        return coldFaceChild(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
