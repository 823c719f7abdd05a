#include "tools/ctl_platform.h"

#include <cstdio>

namespace compass_ctl {

platform::MessageResult ConsoleMessages::show(const QString &text, platform::MessageIcon, platform::MessageButtons,
                                              const QString &detail)
{
    const QString told = detail.isEmpty() ? text : text + QLatin1Char(' ') + detail;
    std::fprintf(stderr, "compass-ctl: %s\n", told.toLocal8Bit().constData());
    return platform::MessageResult::Ok;
}

CtlPlatform::CtlPlatform(const QString &portsDir)
    : ports(platform::ComPortMap(portsDir)),
      platform{clock, pump, timers, ports, devices, messages, files, locale, shell, QString()}
{
}

} // namespace compass_ctl
