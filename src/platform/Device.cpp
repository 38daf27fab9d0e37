#include "Device.h"

#include <QSysInfo>
#include <sys/utsname.h>

namespace {
Device::Idiom& currentIdiom()
{
    static Device::Idiom idiom = Device::Idiom::Phone;
    return idiom;
}
} // namespace

Device::Idiom Device::idiom()
{
    return currentIdiom();
}

void Device::setIdiom(Idiom idiom)
{
    currentIdiom() = idiom;
}

QString Device::machine()
{
    utsname u{};
    if (uname(&u) != 0)
        return QString();
    return QString::fromLocal8Bit(u.machine);
}

QString Device::systemVersion()
{
    return QSysInfo::kernelVersion();
}
