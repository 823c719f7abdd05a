#include "platform/qt/qt_platform.h"

#include <QDir>

namespace platform::qt {

QtPlatform::QtPlatform(const QString &settingsFolder)
    : ports(ComPortMap(QDir(settingsFolder).filePath(QStringLiteral("ports")))),
      platform{clock, pump, timers, ports, devices, messages, files, locale, shell, settingsFolder}
{
}

} // namespace platform::qt
