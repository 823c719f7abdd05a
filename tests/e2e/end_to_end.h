#pragma once
#include "app/frm_main.h"
#include "controls/xp_button.h"
#include "logging/log_frame.h"
#include "platform/qt/qt_platform.h"
#include "platform/wait.h"
#include "simulated_compass.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

// The real program, on the real machine, against the simulator on a pty. A
// user answers every modal window, so a fault never leaves the program waiting:
// message boxes get Yes where they ask and OK otherwise (their texts go to
// `messages`); a file dialog gets `fileToChoose`; any other modal window goes
// to `otherModal`, or is closed.
class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() : machine(dir.path())
    {
        answerer.setInterval(50);
        QObject::connect(&answerer, &QTimer::timeout, [this] { answerModal(); });
        answerer.start();
    }

    void start()
    {
        window = std::make_unique<app::frmMain>(machine.platform);
        window->Form_Load();
        window->show();
    }
    template <class T = QWidget>
    T *control(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }
    QAbstractButton *button(const char *name) const { return control<QAbstractButton>(name); }
    bool shown(const char *name) const { return control(name)->isVisibleTo(window.get()); }
    logging::LogFrame *logFrame() const { return window->findChild<logging::LogFrame *>(); }
    bool settingsRead() const { return window->state().DumpReceived && window->state().SettingsKnown; }

    // Starts the window, presses Open Port and waits for the first reading on the labels.
    void startWithDataFlowing()
    {
        start();
        button("cmdOpen")->click();
        ASSERT_TRUE(window->Com().isOpen()) << messages.join('|').toStdString();
        ASSERT_TRUE(waitFor([&] { return control<QLabel>("lblHeading")->text() != "?"; }, 5000));
    }
    // Runs the event loop until `done`, for `ms` at most.
    bool waitFor(const std::function<bool()> &done, int ms)
    {
        for (int waited = 0; waited < ms && !done(); waited += 20)
            platform::Wait(machine.platform, 20);
        return done();
    }
    // Opens `path` as the log file and starts logging.
    void startLog(const QString &path)
    {
        fileToChoose = path;
        logFrame()->cmdOpenLog()->click();
        ASSERT_TRUE(logFrame()->LogFileOpen()) << messages.join('|').toStdString();
        logFrame()->cmdStartLog()->click();
        ASSERT_TRUE(logFrame()->LoggingActive());
    }
    // Whether any message so far contains `part`.
    bool told(const QString &part) const
    {
        return std::any_of(messages.begin(), messages.end(), [&](const QString &m) { return m.contains(part); });
    }
    // With COMPASS_SCREENSHOT_DIR set, keeps a picture of `widget` as it is.
    static void saveScreenshot(QWidget &widget, const QString &name)
    {
        const QString folder = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            widget.grab().save(QDir(folder).filePath(name));
    }

    QTemporaryDir dir;
    QTimer answerer;
    QStringList messages;
    QString fileToChoose;
    std::function<void(QWidget &)> otherModal;
    platform::qt::QtPlatform machine;
    std::unique_ptr<app::frmMain> window;

private:
    void answerModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            QAbstractButton *answer = box->button(QMessageBox::Yes);
            answer = answer ? answer : box->button(QMessageBox::Ok);
            if (answer)
                answer->click();
            else
                box->done(QMessageBox::Ok);
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            // Typed into the name box, as a user would: accept() reads the box.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (fileToChoose.isEmpty() || !name) {
                files->reject();
                return;
            }
            name->setText(fileToChoose);
            static_cast<QDialog *>(files)->accept();
        } else if (modal && otherModal) {
            otherModal(*modal);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    }
};

// Data lines of a log file: those that begin with a number (the header lines
// begin with a column name).
inline QStringList logDataLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        bool number = false;
        line.split(';').value(0).toDouble(&number);
        if (number)
            lines << QString::fromLatin1(line);
    }
    return lines;
}
