#include "platform/qt/qt_platform.h"

#include <QDir>
#include <chrono>

namespace platform::qt {

Tick QtClock::tickCount() const
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<Tick>(ms);
}

QtPlatform::QtPlatform(const QString &settingsFolder)
    : ports(ComPortMap(QDir(settingsFolder).filePath(QStringLiteral("ports")))),
      platform{clock, pump, timers, ports, devices, messages, files, locale, shell, settingsFolder}
{
}

} // namespace platform::qt
