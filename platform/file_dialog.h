#pragma once
#include <QString>
#include <optional>

namespace platform {

struct FileDialogRequest {
    QString title;
    // In the "Description (*.ext)|*.ext" form.
    QString filter;
    // A file name alone (or nothing) opens in the folder last used.
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
    // The chosen file, or nothing when the user cancelled. The dialog opens in
    // the folder of the file last chosen through it, whichever window asked.
    std::optional<QString> choose(FileDialogRequest request);

protected:
    // Shows the dialog; `request.initialPath` is where it opens.
    virtual std::optional<QString> ask(const FileDialogRequest &request) = 0;

private:
    QString m_lastFolder;
};

} // namespace platform
