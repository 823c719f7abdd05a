#pragma once
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace platform::qt {

class QtMessageBox : public MessageBox {
public:
    MessageResult show(const QString &text, MessageIcon icon, MessageButtons buttons,
                       const QString &detail) override;
};

class QtFileDialog : public FileDialog {
protected:
    std::optional<QString> ask(const FileDialogRequest &request) override;
};

class QtShell : public Shell {
public:
    bool open(const QString &url) override;
};

} // namespace platform::qt
