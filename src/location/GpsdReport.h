#pragma once

#include "Fix.h"

#include <QJsonObject>
#include <optional>

// gpsd's JSON reports, apart from the connection that brings them, so that
// the reading can be fuzzed on its own.
namespace GpsdReport {
// The fix a TPV report carries, if it has one: mode 2 or 3 and a finite
// in-range position. Speed absent → -1; accuracy from eph, else from
// epx/epy, else -1.
std::optional<Fix> fix(const QJsonObject& report);

// One line of gpsd's stream, newline included: whether gpsd said something
// (a report of any class), and the fix if it is a TPV report with one.
struct Line {
    bool fromGpsd = false;
    std::optional<Fix> fix;
};
Line readLine(const QByteArray& line);
} // namespace GpsdReport
