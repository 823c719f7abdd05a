#pragma once
#include <QString>

namespace platform {

// Where Compass.ini and the ports/ folder live: beside the program when it may
// write there (a build tree), otherwise in the user's configuration folder.
// A program under /usr counts as installed even when root could write there:
// that tree belongs to the package manager.
QString SettingsFolder(const QString &programDir, bool programDirWritable, const QString &userConfigDir);

// ~/.config/compass-bench: the folder of an installed program (QStandardPaths'
// configuration folder). The name is fixed rather than the application's,
// which title bars show.
QString UserSettingsFolder();

// The folder for this run: the program's own, or ~/.config/compass-bench
// (made when missing).
QString SettingsFolderFor(const QString &programDir);

} // namespace platform
