#include "Bundle.h"

namespace {
QString& versionOverride()
{
    static QString v;
    return v;
}
} // namespace

QString Bundle::version()
{
    return versionOverride().isEmpty() ? QStringLiteral(KORVANE_VERSION) : versionOverride();
}

QString Bundle::shortVersionString()
{
    return versionOverride().isEmpty() ? QStringLiteral(KORVANE_SHORT_VERSION) : versionOverride();
}

QString Bundle::displayName()
{
    return QStringLiteral("Korvane Vandel");
}

QString Bundle::identifier()
{
    return QStringLiteral("com.zentrik.korvanevandel.free");
}

void Bundle::setVersionOverride(const QString& version)
{
    versionOverride() = version;
}
