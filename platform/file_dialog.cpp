#include "platform/file_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

std::optional<QString> FileDialog::choose(FileDialogRequest request)
{
    if (!m_lastFolder.isEmpty() && (request.initialPath.isEmpty() || QDir::isRelativePath(request.initialPath)))
        request.initialPath = QDir(m_lastFolder).filePath(request.initialPath);
    std::optional<QString> chosen = ask(request);
    if (chosen)
        m_lastFolder = QFileInfo(*chosen).absolutePath();
    return chosen;
}

} // namespace platform
