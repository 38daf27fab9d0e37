#include "NmeaParser.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
constexpr int kMsPerDay = 24 * 3600 * 1000;
// A receiver reporting faster than this is reporting garbage (the export
// limit for GPS receivers is about 515 m/s).
constexpr double kMaxSpeed = 1000.0;
// NMEA caps a sentence at 82 characters; anything much longer without a line
// break is binary data that happens to contain no newline.
constexpr qsizetype kMaxLine = 1024;
constexpr qint64 kUnixEpochJulianDay = 2440588;
// Receivers print the time of one epoch at different precisions in different
// sentences (GLL "200619.295", RMC "200619.30"): rounding to centiseconds
// moves a time by at most 5 ms.
constexpr int kSameEpochMs = 5;

// Up to this many comma-separated fields are looked at; RMC, GGA, GSA and
// friends need fewer.
constexpr int kMaxFields = 24;

struct Fields {
    std::array<QByteArrayView, kMaxFields> f;
    int count = 0;
    QByteArrayView operator[](int i) const { return i < count ? f[size_t(i)] : QByteArrayView(); }
};

Fields split(QByteArrayView s)
{
    Fields out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= s.size() && out.count < kMaxFields; ++i) {
        if (i == s.size() || s[i] == ',') {
            out.f[size_t(out.count++)] = s.sliced(start, i - start);
            start = i + 1;
        }
    }
    return out;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A plain unsigned decimal ("12", "0.5", "012.30"). Anything else — signs,
// exponents, "nan", "inf" — is not a value a receiver sends.
std::optional<double> unsignedNumber(QByteArrayView s)
{
    if (s.isEmpty())
        return std::nullopt;
    int dots = 0;
    for (char c : s) {
        if (c == '.')
            ++dots;
        else if (!isDigit(c))
            return std::nullopt;
    }
    if (dots > 1 || s.size() == dots)
        return std::nullopt;
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> twoDigits(QByteArrayView s, qsizetype at)
{
    if (at + 2 > s.size() || !isDigit(s[at]) || !isDigit(s[at + 1]))
        return std::nullopt;
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// "hhmmss" or "hhmmss.sss" → milliseconds since midnight.
std::optional<int> timeOfDay(QByteArrayView s)
{
    if (s.size() < 6)
        return std::nullopt;
    const auto h = twoDigits(s, 0), m = twoDigits(s, 2);
    const auto sec = unsignedNumber(s.sliced(4));
    if (!h || !m || !sec || *h > 23 || *m > 59 || *sec >= 61.0)
        return std::nullopt;
    const int ms = int(std::lround(*sec * 1000.0));
    // A leap second (ss = 60) stays within the day it ends.
    return std::min((*h * 60 + *m) * 60000 + ms, kMsPerDay - 1);
}

// "ddmmyy" of RMC; two-digit years from 80 on are the 1900s.
QDate rmcDate(QByteArrayView s)
{
    if (s.size() != 6)
        return {};
    const auto d = twoDigits(s, 0), m = twoDigits(s, 2), y = twoDigits(s, 4);
    if (!d || !m || !y)
        return {};
    return QDate(*y >= 80 ? 1900 + *y : 2000 + *y, *m, *d);
}

// "ddmm.mmmm" / "dddmm.mmmm" with its hemisphere letter → signed degrees.
std::optional<double> coordinate(QByteArrayView value, QByteArrayView hemisphere, double maxDegrees)
{
    const auto v = unsignedNumber(value);
    if (!v || hemisphere.size() != 1)
        return std::nullopt;
    const double degrees = std::floor(*v / 100.0);
    const double minutes = *v - degrees * 100.0;
    if (minutes >= 60.0)
        return std::nullopt;
    double result = degrees + minutes / 60.0;
    if (result > maxDegrees)
        return std::nullopt;
    const char h = hemisphere[0];
    if (h == 'S' || h == 'W')
        result = -result;
    else if (h != 'N' && h != 'E')
        return std::nullopt;
    return result;
}

std::optional<double> speedFromKnots(QByteArrayView s)
{
    const auto v = unsignedNumber(s);
    if (!v || *v * kMetresPerSecondPerKnot > kMaxSpeed)
        return std::nullopt;
    return *v * kMetresPerSecondPerKnot;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// NMEA 2.3 mode indicator: 'N' means no fix even when the status says
// otherwise.
bool modeAllowsFix(QByteArrayView mode)
{
    return mode.isEmpty() || mode[0] != 'N';
}
} // namespace

bool NmeaParser::sameEpoch(int a, int b)
{
    return std::abs(a - b) <= kSameEpochMs;
}

bool NmeaParser::hasValidChecksum(QByteArrayView s)
{
    if (s.size() < 4 || s[0] != '$' || s[s.size() - 3] != '*')
        return false;
    const int hi = hexDigit(s[s.size() - 2]), lo = hexDigit(s[s.size() - 1]);
    if (hi < 0 || lo < 0)
        return false;
    unsigned char sum = 0;
    for (qsizetype i = 1; i < s.size() - 3; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c > 0x7e)
            return false;
        sum ^= c;
    }
    return sum == (hi << 4 | lo);
}

QList<Fix> NmeaParser::feed(QByteArrayView bytes)
{
    QList<Fix> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        if (m_partial.isEmpty()) {
            handleLine(bytes.sliced(start, i - start), out);
        } else {
            m_partial.append(bytes.sliced(start, i - start));
            if (m_partial.size() <= kMaxLine)
                handleLine(m_partial, out);
            m_partial.clear();
        }
        start = i + 1;
    }
    if (start < bytes.size()) {
        if (m_partial.size() <= kMaxLine)
            m_partial.append(bytes.sliced(start, std::min(bytes.size() - start, kMaxLine + 1)));
    }
    return out;
}

QList<Fix> NmeaParser::finish()
{
    QList<Fix> out;
    if (!m_partial.isEmpty() && m_partial.size() <= kMaxLine)
        handleLine(m_partial, out);
    m_partial.clear();
    closeEpoch(out);
    return out;
}

QList<Fix> NmeaParser::flush()
{
    QList<Fix> out;
    closeEpoch(out);
    return out;
}

void NmeaParser::handleLine(QByteArrayView line, QList<Fix>& out)
{
    if (line.size() > kMaxLine)
        return;
    // Each '$' starts a candidate sentence: this copes with noise before a
    // sentence and with sentences run together without a line break.
    qsizetype start = line.indexOf('$');
    while (start >= 0) {
        qsizetype next = line.indexOf('$', start + 1);
        QByteArrayView candidate = line.sliced(start, (next < 0 ? line.size() : next) - start);
        while (!candidate.isEmpty() && (candidate.back() == ' ' || candidate.back() == '\t'))
            candidate.chop(1);
        if (hasValidChecksum(candidate))
            handleSentence(candidate.sliced(1, candidate.size() - 4), out);
        start = next;
    }
}

void NmeaParser::handleSentence(QByteArrayView body, QList<Fix>& out)
{
    // Two-letter talker, three-letter type, then the fields; proprietary
    // sentences ($P…) are not ours.
    if (body.size() < 6 || body[0] == 'P' || body[5] != ',')
        return;
    const QByteArrayView type = body.sliced(2, 3);
    const Fields f = split(body.sliced(6));

    auto openUntimed = [this] {
        if (!m_epoch.open) {
            m_epoch = Epoch();
            m_epoch.open = true;
        }
    };
    auto enterTimed = [&](QByteArrayView timeField, unsigned kind) {
        if (const auto t = timeOfDay(timeField))
            enterEpoch(*t, kind, out);
        else
            openUntimed();
    };
    auto setPosition = [this](std::optional<double> lat, std::optional<double> lon) {
        if (!lat || !lon || m_epoch.hasPosition)
            return;
        m_epoch.hasPosition = true;
        m_epoch.latitude = *lat;
        m_epoch.longitude = *lon;
    };
    auto setHdop = [this](QByteArrayView s) {
        if (const auto v = unsignedNumber(s); v && *v > 0.0)
            m_epoch.hdop = *v;
    };

    if (type == "RMC" || type == "GGA" || type == "GNS")
        m_seenPrimary = true;

    if (type == "RMC") {
        enterTimed(f[0], kRmc);
        if (const QDate d = rmcDate(f[8]); d.isValid()) {
            m_epoch.date = d;
            m_date = d;
        }
        if (f[1] != "A" || !modeAllowsFix(f[11]))
            return;
        setPosition(coordinate(f[2], f[3], 90.0), coordinate(f[4], f[5], 180.0));
        if (const auto v = speedFromKnots(f[6]))
            m_epoch.speed = *v;
    } else if (type == "GGA") {
        enterTimed(f[0], kGga);
        const auto quality = unsignedNumber(f[5]);
        if (!quality || *quality < 1.0)
            return;
        setPosition(coordinate(f[1], f[2], 90.0), coordinate(f[3], f[4], 180.0));
        setHdop(f[7]);
    } else if (type == "GLL") {
        enterTimed(f[4], kGll);
        // Some receivers stamp GLL a second off the rest of the epoch. Once
        // RMC, GGA or GNS are known to come, GLL only marks a new epoch; its
        // position is neither needed nor trusted.
        if (m_seenPrimary || f[5] != "A" || !modeAllowsFix(f[6]))
            return;
        setPosition(coordinate(f[0], f[1], 90.0), coordinate(f[2], f[3], 180.0));
    } else if (type == "GNS") {
        enterTimed(f[0], kGns);
        // One mode letter per constellation; all 'N' is no fix.
        const QByteArrayView modes = f[5];
        if (modes.isEmpty() || modes.count('N') == modes.size())
            return;
        setPosition(coordinate(f[1], f[2], 90.0), coordinate(f[3], f[4], 180.0));
        setHdop(f[7]);
    } else if (type == "GSA") {
        openUntimed();
        if (const auto mode = unsignedNumber(f[1]); mode && *mode >= 2.0)
            setHdop(f[15]);
    } else if (type == "VTG") {
        openUntimed();
        // NMEA 2.3+ tags every value with its unit letter; older receivers
        // send bare values: true track, magnetic track, knots, km/h.
        const bool tagged = f[1] == "T";
        const QByteArrayView knots = tagged ? f[4] : f[2];
        const QByteArrayView kmh = tagged ? f[6] : f[3];
        if (tagged && !modeAllowsFix(f[8]))
            return;
        if (const auto v = speedFromKnots(knots))
            m_epoch.speed = *v;
        else if (const auto k = unsignedNumber(kmh); k && *k / 3.6 <= kMaxSpeed)
            m_epoch.speed = *k / 3.6;
    } else if (type == "ZDA") {
        const auto t = timeOfDay(f[0]);
        const auto d = unsignedNumber(f[1]), m = unsignedNumber(f[2]), y = unsignedNumber(f[3]);
        if (!t || !d || !m || !y || *d > 31.0 || *m > 12.0 || *y > 9999.0)
            return;
        const QDate date{int(*y), int(*m), int(*d)};
        if (!date.isValid())
            return;
        // ZDA may tick on its own schedule; it names the date without
        // starting an epoch.
        if (m_epoch.open && m_epoch.hasTime && sameEpoch(m_epoch.msOfDay, *t))
            m_epoch.date = date;
        else
            m_lastMsOfDay = *t;
        m_date = date;
    }
}

void NmeaParser::enterEpoch(int msOfDay, unsigned kind, QList<Fix>& out)
{
    // A second sentence of a kind the epoch already has starts the next
    // epoch, however close its time (receivers 10 ms apart exist).
    if (m_epoch.open && m_epoch.hasTime &&
        (msOfDay == m_epoch.msOfDay ||
         (sameEpoch(m_epoch.msOfDay, msOfDay) && !(m_epoch.kinds & kind)))) {
        m_epoch.kinds |= kind;
        return;
    }
    Epoch next;
    if (m_epoch.open && !m_epoch.hasTime)
        next = m_epoch; // untimed sentences that came first belong to this epoch
    else
        closeEpoch(out);
    // A log without dates still crosses midnight.
    if (m_lastMsOfDay >= 0 && msOfDay < m_lastMsOfDay - kMsPerDay / 2)
        m_date = m_date.addDays(1);
    m_lastMsOfDay = msOfDay;
    next.open = true;
    next.hasTime = true;
    next.msOfDay = msOfDay;
    next.kinds = kind;
    next.date = m_date;
    m_epoch = next;
}

void NmeaParser::closeEpoch(QList<Fix>& out)
{
    const Epoch e = m_epoch;
    m_epoch = Epoch();
    if (!e.open || !e.hasTime || !e.hasPosition || !e.date.isValid())
        return;
    const qint64 ms = (e.date.toJulianDay() - kUnixEpochJulianDay) * kMsPerDay + e.msOfDay;
    // The same epoch again (a live line flushed while quiet, then the rest of
    // the epoch's sentences arrived) is not a new fix.
    if (ms == m_lastEmitted)
        return;
    m_lastEmitted = ms;
    Fix fix;
    fix.latitude = e.latitude;
    fix.longitude = e.longitude;
    fix.speed = e.speed;
    fix.horizontalAccuracy = e.hdop > 0.0 ? e.hdop * kUserEquivalentRangeError : -1.0;
    fix.timestamp = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    out.append(fix);
}

QList<Fix> NmeaLogReader::readBytes(QByteArrayView bytes)
{
    NmeaParser parser;
    QList<Fix> fixes = parser.feed(bytes);
    fixes.append(parser.finish());
    return fixes;
}

std::unique_ptr<NmeaLogStream> NmeaLogStream::open(const QString& path, QString* errorMessage)
{
    auto stream = std::unique_ptr<NmeaLogStream>(new NmeaLogStream);
    stream->m_file.setFileName(path);
    if (QFileInfo(path).isDir() || !stream->m_file.open(QIODevice::ReadOnly)) {
        if (errorMessage)
            *errorMessage = QStringLiteral("cannot read NMEA log %1: %2")
                                .arg(path, QFileInfo(path).isDir()
                                               ? QStringLiteral("is a folder")
                                               : stream->m_file.errorString());
        return nullptr;
    }
    return stream;
}

std::optional<Fix> NmeaLogStream::next()
{
    while (m_taken == m_pending.size()) {
        if (m_finished)
            return std::nullopt;
        m_pending.clear();
        m_taken = 0;
        const QByteArray block = m_file.read(kBlockBytes);
        if (block.isEmpty()) {
            m_pending = m_parser.finish();
            m_finished = true;
        } else {
            m_pending = m_parser.feed(block);
        }
    }
    return m_pending[m_taken++];
}

QList<Fix> NmeaLogReader::readFile(const QString& path, QString* errorMessage)
{
    const std::unique_ptr<NmeaLogStream> stream = NmeaLogStream::open(path, errorMessage);
    QList<Fix> fixes;
    if (stream)
        while (std::optional<Fix> fix = stream->next())
            fixes.append(*fix);
    return fixes;
}
