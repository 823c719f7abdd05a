#pragma once
#include <QString>
#include <optional>

namespace platform {

struct FileDialogRequest {
    QString title;
    // In the "Description (*.ext)|*.ext" form.
    QString filter;
    QString initialPath;
    bool pathMustExist = true;
    bool saveDialog = true;
    // Ask before a save replaces a file (a log is appended to, so it does not).
    bool confirmOverwrite = false;
    // Added to a name typed without one ("png").
    QString defaultSuffix;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> choose(const FileDialogRequest &request) = 0;
};

} // namespace platform
