#include "platform/settings_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString SettingsFolder(const QString &programDir, bool programDirWritable, const QString &userConfigDir)
{
    const QString program = QDir::cleanPath(programDir);
    const bool installed = program == QStringLiteral("/usr") || program.startsWith(QStringLiteral("/usr/"));
    return programDirWritable && !installed ? programDir : userConfigDir;
}

QString UserSettingsFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("compass-bench"));
}

QString SettingsFolderFor(const QString &programDir)
{
    const QString folder = SettingsFolder(programDir, QFileInfo(programDir).isWritable(), UserSettingsFolder());
    // A folder that cannot be made shows up as a settings file that cannot be written.
    QDir().mkpath(folder);
    return folder;
}

} // namespace platform
