#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <optional>

// One location fix as the location service delivers it.
struct Fix {
    double latitude = 0.0;            // degrees
    double longitude = 0.0;           // degrees
    double speed = -1.0;              // m/s; negative when the receiver gave none
    double horizontalAccuracy = -1.0; // m; negative when unknown
    QDateTime timestamp;

    // Great-circle distance in metres.
    double distanceTo(const Fix& other) const;

    // What any source may hand on: nothing for a position off the globe or
    // not a number; a speed or accuracy that is not a number or beyond any
    // receiver's range becomes "none" (-1).
    static std::optional<Fix> sanitized(Fix fix);
    static constexpr double kMaxSpeed = 1000.0;   // m/s
    static constexpr double kMaxAccuracy = 1.0e6; // m
};

struct LocationError {
    int code = 0;
    QString localizedDescription;
};

Q_DECLARE_METATYPE(Fix)
Q_DECLARE_METATYPE(LocationError)
