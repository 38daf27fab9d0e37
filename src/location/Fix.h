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

    // Whether a receiver could have got from `from` to `to` in the time
    // between their timestamps: at the faster of both speeds or a car's top
    // speed, whichever is more, plus both radii of uncertainty, with room to
    // spare. Without both timestamps nothing can be judged and the move
    // passes. Real receivers jump (multipath, a cold start, a bad almanac);
    // such a fix must not count as travel.
    static bool isPlausibleMove(const Fix& from, const Fix& to);
    static constexpr double kPlausibleTopSpeed = 100.0; // m/s, 360 km/h
    static constexpr double kUnknownAccuracy = 500.0;   // m, a fix without its radius
    static constexpr double kPlausibleMargin = 2.0;
    static constexpr double kPlausibleSlack = 100.0; // m
};

struct LocationError {
    int code = 0;
    QString localizedDescription;
};

Q_DECLARE_METATYPE(Fix)
Q_DECLARE_METATYPE(LocationError)
