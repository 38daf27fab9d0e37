#pragma once

#include "Fix.h"

#include <QByteArray>
#include <QSignalSpy>
#include <QString>

// One NMEA sentence with its checksum and CR LF.
inline QByteArray nmea(QByteArrayView body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body.toByteArray() + '*' +
           QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// "2024-05-18T09:14:05.000Z 11.52 4.59": time, speed, accuracy of a fix.
inline QString summary(const Fix& f)
{
    return QStringLiteral("%1 %2 %3")
        .arg(f.timestamp.toString(Qt::ISODateWithMs))
        .arg(f.speed, 0, 'f', 2)
        .arg(f.horizontalAccuracy, 0, 'f', 2);
}

inline bool sameFix(const Fix& a, const Fix& b)
{
    return a.latitude == b.latitude && a.longitude == b.longitude && a.speed == b.speed &&
           a.horizontalAccuracy == b.horizontalAccuracy && a.timestamp == b.timestamp;
}

// Every fix a spy on fixesReceived has seen, in order.
inline QList<Fix> collect(const QSignalSpy& spy)
{
    QList<Fix> out;
    for (const QList<QVariant>& signal : spy)
        out += signal.at(0).value<QList<Fix>>();
    return out;
}
