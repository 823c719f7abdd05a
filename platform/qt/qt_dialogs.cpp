#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace platform::qt {

MessageResult QtMessageBox::show(const QString &text, MessageIcon icon, MessageButtons buttons,
                                 const QString &detail)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    // Informative, not detailed text: the reason is read without a "Show Details" click.
    box.setInformativeText(detail);
    switch (icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return MessageResult::Cancel;
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    default: return MessageResult::Ok;
    }
}

std::optional<QString> QtFileDialog::ask(const FileDialogRequest &request)
{
    // "Text File (*.txt)|*.txt" pairs a description with a pattern; Qt wants the description.
    QStringList filters;
    const QStringList parts = request.filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    if (filters.isEmpty() && !request.filter.isEmpty())
        filters << request.filter;
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialPath,
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(request.saveDialog ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.saveDialog ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtShell::open(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

} // namespace platform::qt
