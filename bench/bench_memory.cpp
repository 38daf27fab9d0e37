// Peak resident size of the real app on the demo drive, window and all, on
// the offscreen platform at device pixel ratio 2. Each iteration is one whole
// run of the binary; the counter is the child's peak RSS from wait4().

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Returns the peak RSS in KiB, or -1 when the run failed.
long runApp(const std::vector<std::string>& args, const QString& home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    const QByteArray h = home.toLocal8Bit();
    env.push_back("XDG_CONFIG_HOME=" + h.toStdString() + "/config");
    env.push_back("XDG_CACHE_HOME=" + h.toStdString() + "/cache");
    env.push_back("XDG_DATA_HOME=" + h.toStdString() + "/data");
    env.push_back("XDG_RUNTIME_DIR=" + h.toStdString()); // QTemporaryDir is 0700
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("QT_SCALE_FACTOR=2");
    std::vector<char*> argv, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

// page: a screen opened after launch ("" for none); web pages go to a port
// where nobody listens, so the engine's own cost is measured.
void demoDrive(benchmark::State& state, const char* device, const char* page)
{
    long peak = 0;
    for (auto _ : state) {
        QTemporaryDir home;
        std::vector<std::string> args{KORVANE_BINARY, "--source", "demo", "--replay-speed", "100",
                                      "--quit-at-end", "--device", device};
        if (*page) {
            args.insert(args.end(), {"--page", page});
            setenv("KORVANE_WEB_HOST", "127.0.0.1:9", 1);
        }
        const long kib = runApp(args, home.path());
        if (kib < 0) {
            state.SkipWithError("the app did not run to the end of the demo drive");
            return;
        }
        peak = std::max(peak, kib);
    }
    state.counters["peak_rss_MiB"] = double(peak) / 1024.0;
}

} // namespace

BENCHMARK_CAPTURE(demoDrive, phone, "phone", "")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(demoDrive, tablet, "tablet", "")->Unit(benchmark::kMillisecond)->Iterations(1);
// The browser engine is loaded with the first web page and stays.
BENCHMARK_CAPTURE(demoDrive, phone_web_page, "phone", "web:2")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
