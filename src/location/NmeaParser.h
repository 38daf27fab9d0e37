#pragma once

#include "Fix.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QFile>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

// Streaming NMEA 0183 reader: bytes in, one Fix per receiver epoch out, in
// order. An epoch is every sentence that carries the same UTC time, plus the
// untimed ones (GSA, VTG) that follow them. Reads RMC, GGA, GLL, GNS, GSA, VTG
// and ZDA from any talker (GP, GN, GL, GA, BD, GB, …). Sentences without a
// valid checksum, cut short, or with NaN or out-of-range values are skipped.
//
// Works without an event loop, so tests and benchmarks call it directly; the
// replay and serial sources use it too.
//
// Why not Qt's QNmeaPositionInfoSource: measured over the 105 receiver logs of
// tests/data/gps-logs with tools/nmea-compare (Qt 6.4, real-time mode over a
// QIODevice, the same check this reader passes: one fix per epoch, speeds
// within 0.1 kn of gpsd's), Qt's reader fails on 25 logs where this one
// passes. It reports positions for epochs without a fix (holux-gm-210,
// skytraq, tn200: 9–19 fixes where gpsd has none), one update per sentence
// rather than per epoch (tomtom-mkII 27 for 4 epochs, garmin25lp 19 for 10,
// sl869 15 for 8), misses whole logs or epochs (st-teseo-liv4f, whose
// GGA/RMC come from the "GN" talker: 0 of 12; ac12 1 of 7; mtk-3301), and
// takes speeds from the wrong sentence of a mixed-rate epoch (rst39: 25 of
// 40 off, humminbird-M37 8, tn204 2).
class NmeaParser {
public:
    // Horizontal accuracy = HDOP × this. 5.1 m is a typical one-sigma range
    // error of an unaided GPS receiver, so the figure is a radius of roughly
    // 68 % confidence, as a platform location service reports it.
    static constexpr double kUserEquivalentRangeError = 5.1;

    // Epochs completed by these bytes. The open epoch stays pending until a
    // sentence of the next epoch arrives or finish() is called.
    QList<Fix> feed(QByteArrayView bytes);
    // End of input: reads a last line without a line break and closes the
    // open epoch.
    QList<Fix> finish();
    // Closes the open epoch but keeps an unfinished line: a live receiver has
    // gone quiet after its burst of sentences, so the epoch is complete.
    QList<Fix> flush();

    // Date for epochs before any RMC or ZDA has named one. Default 1970-01-01,
    // so a log reads the same every time; a live reader passes today.
    void setFallbackDate(QDate date) { m_date = date; }

    // The XOR checksum of "$BODY*HH" matches (HH in either case).
    static bool hasValidChecksum(QByteArrayView sentence);

private:
    struct Epoch {
        bool open = false;
        bool hasTime = false;
        int msOfDay = 0;
        unsigned kinds = 0; // timed sentence kinds read so far
        QDate date;
        bool hasPosition = false;
        double latitude = 0.0;
        double longitude = 0.0;
        double speed = -1.0;
        double hdop = -1.0;
    };

    enum Kind : unsigned { kRmc = 1, kGga = 2, kGll = 4, kGns = 8 };

    void handleLine(QByteArrayView line, QList<Fix>& out);
    void handleSentence(QByteArrayView body, QList<Fix>& out);
    // A timed sentence: closes the open epoch when the time differs.
    void enterEpoch(int msOfDay, unsigned kind, QList<Fix>& out);
    void closeEpoch(QList<Fix>& out);
    static bool sameEpoch(int msOfDayA, int msOfDayB);

    QByteArray m_partial; // bytes after the last line break
    Epoch m_epoch;
    QDate m_date = QDate(1970, 1, 1); // last date seen
    int m_lastMsOfDay = -1;           // time of the last epoch with a time
    qint64 m_lastEmitted = -1;        // ms since epoch of the last fix delivered
    bool m_seenPrimary = false;       // an RMC, GGA or GNS has been read
};

// A log read as it is needed, a block at a time, so a long drive is never
// held in memory whole: gives the same fixes as NmeaLogReader::readBytes.
class NmeaLogStream {
public:
    static constexpr qint64 kBlockBytes = 64 * 1024;

    // nullptr and, when asked, a one-line reason if the file cannot be read.
    static std::unique_ptr<NmeaLogStream> open(const QString& path,
                                               QString* errorMessage = nullptr);
    // The next fix, or none at the end of the log.
    std::optional<Fix> next();

private:
    QFile m_file;
    NmeaParser m_parser;
    QList<Fix> m_pending;
    qsizetype m_taken = 0;
    bool m_finished = false;
};

namespace NmeaLogReader {
// Every fix of a whole log.
QList<Fix> readBytes(QByteArrayView bytes);
// As readBytes; a file that cannot be read gives no fixes and, when asked, a
// one-line reason.
QList<Fix> readFile(const QString& path, QString* errorMessage = nullptr);
} // namespace NmeaLogReader
