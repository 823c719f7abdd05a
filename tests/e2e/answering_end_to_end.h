#pragma once
#include "end_to_end.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

// The end-to-end run with a user who answers every dialog: message boxes get
// Yes where they ask, OK otherwise (their texts are noted in `messages`); a
// file dialog gets `fileToChoose`, or is cancelled when that is empty; any
// other modal window goes to `otherModal`.
class AnsweringEndToEnd : public EndToEnd {
protected:
    AnsweringEndToEnd()
    {
        QObject::disconnect(&dismisser, nullptr, nullptr, nullptr);
        QObject::connect(&dismisser, &QTimer::timeout, [this] { answerModal(); });
    }

    QString fileToChoose;
    int fileDialogsAnswered = 0;
    std::function<void(QWidget &)> otherModal;

private:
    void answerModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            QAbstractButton *answer = box->button(QMessageBox::Yes);
            if (!answer)
                answer = box->button(QMessageBox::Ok);
            if (answer)
                answer->click();
            else
                box->done(QMessageBox::Ok);
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            ++fileDialogsAnswered;
            if (fileToChoose.isEmpty()) {
                files->reject();
                return;
            }
            // Typed into the name box, as a user would: selectFile() leaves a
            // focused name box alone, and accept() reads the box.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                ADD_FAILURE() << "the file dialog has no name box";
                files->reject();
                return;
            }
            name->setText(fileToChoose);
            static_cast<QDialog *>(files)->accept(); // the dialog checks the name, as its OK button does
        } else if (modal && otherModal) {
            otherModal(*modal);
        }
    }
};
