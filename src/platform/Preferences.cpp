#include "Preferences.h"

#include <QSettings>
#include <QStandardPaths>
#include <cmath>

Preferences& Preferences::shared()
{
    static Preferences instance;
    return instance;
}

Preferences::Preferences() = default;
Preferences::~Preferences() = default;

QString Preferences::filePath()
{
    // The path QSettings("Zentrik", "KorvaneVandel") uses natively on Linux,
    // computed per call so a changed XDG_CONFIG_HOME is honoured.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Zentrik/KorvaneVandel.conf");
}

QSettings& Preferences::settings()
{
    if (!m_settings || m_settings->fileName() != filePath())
        m_settings = std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
    return *m_settings;
}

void Preferences::reload()
{
    if (m_settings)
        m_settings->sync();
    m_settings.reset();
}

QVariant Preferences::raw(const QString& key)
{
    return settings().value(key);
}

bool Preferences::contains(const QString& key)
{
    return settings().contains(key);
}

int Preferences::getInt(const QString& key, int defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Int)
        return v.toInt();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

bool Preferences::getBool(const QString& key, bool defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    const QString s = v.toString().trimmed().toLower();
    if (s == u"true")
        return true;
    if (s == u"false")
        return false;
    // A number reads as a boolean too: non-zero is true.
    bool ok = false;
    const long long n = s.toLongLong(&ok);
    return ok ? n != 0 : defaultValue;
}

double Preferences::getDouble(const QString& key, double defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
        v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const double value = v.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : defaultValue;
}

QString Preferences::getString(const QString& key, const QString& defaultValue)
{
    const QVariant v = raw(key);
    return v.typeId() == QMetaType::QString ? v.toString() : defaultValue;
}

QDateTime Preferences::getDate(const QString& key, const QDateTime& defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    const QDateTime d = QDateTime::fromString(v.toString().trimmed(), Qt::ISODateWithMs);
    return d.isValid() ? d : defaultValue;
}

void Preferences::setInt(const QString& key, int value)
{
    settings().setValue(key, value);
}

void Preferences::setBool(const QString& key, bool value)
{
    settings().setValue(key, value);
}

void Preferences::setDouble(const QString& key, double value)
{
    // Shortest round-trip text, so the value reads back bit for bit.
    settings().setValue(key, QString::number(value, 'g', 17));
}

void Preferences::setString(const QString& key, const QString& value)
{
    settings().setValue(key, value);
}

void Preferences::setDate(const QString& key, const QDateTime& value)
{
    settings().setValue(key, value.toUTC().toString(Qt::ISODateWithMs));
}

void Preferences::remove(const QString& key)
{
    settings().remove(key);
}

void Preferences::synchronize()
{
    settings().sync();
}
