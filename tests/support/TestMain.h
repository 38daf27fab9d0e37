#pragma once

#include <QApplication>
#include <QTest>
#include <functional>
#include <vector>

// Lets one test executable per module run several QtTest classes: each test
// file registers its class with KORVANE_REGISTER_TEST, and KORVANE_TEST_MAIN
// runs them all under one QApplication.
namespace TestMain {
using Runner = std::function<int(int, char**)>;
inline std::vector<Runner>& runners()
{
    static std::vector<Runner> list;
    return list;
}
struct Registrar {
    explicit Registrar(Runner r) { runners().push_back(std::move(r)); }
};
inline int runAll(int argc, char** argv)
{
    int failures = 0;
    for (const Runner& r : runners())
        failures += r(argc, argv);
    return failures;
}
} // namespace TestMain

#define KORVANE_REGISTER_TEST(Class)                                                             \
    static TestMain::Registrar registrar_##Class([](int argc, char** argv) {                   \
        Class test;                                                                              \
        return QTest::qExec(&test, argc, argv);                                                  \
    })

#define KORVANE_TEST_MAIN                                                                        \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        QApplication app(argc, argv);                                                            \
        return TestMain::runAll(argc, argv);                                                     \
    }
