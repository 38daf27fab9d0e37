#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

// One location fix as the location service delivers it.
struct Fix {
    double latitude = 0.0;            // degrees
    double longitude = 0.0;           // degrees
    double speed = -1.0;              // m/s; negative when the receiver gave none
    double horizontalAccuracy = -1.0; // m; negative when unknown
    QDateTime timestamp;

    // Great-circle distance in metres.
    double distanceTo(const Fix& other) const;
};

struct LocationError {
    int code = 0;
    QString localizedDescription;
};

Q_DECLARE_METATYPE(Fix)
Q_DECLARE_METATYPE(LocationError)
