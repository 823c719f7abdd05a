#pragma once
#include "app/frm_main.h"
#include "platform/qt/qt_platform.h"
#include "platform/wait.h"
#include "simulated_compass.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

// The real program, on the real machine, against the simulator on a pty.
class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() : machine(dir.path())
    {
        // A message box would wait for a user: note its text and close it.
        dismisser.setInterval(50);
        QObject::connect(&dismisser, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                messages << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        dismisser.start();
    }

    void start()
    {
        window = std::make_unique<app::frmMain>(machine.platform);
        window->Form_Load();
        window->show();
    }
    template <class T = QWidget>
    T *control(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }
    // Starts the window, presses Open Port and waits for the first reading on the labels.
    void startWithDataFlowing()
    {
        start();
        control<QAbstractButton>("cmdOpen")->click();
        ASSERT_TRUE(window->Com().isOpen()) << messages.join('|').toStdString();
        ASSERT_TRUE(waitFor([&] { return control<QLabel>("lblHeading")->text() != "?"; }, 5000));
    }
    bool waitFor(const std::function<bool()> &done, int ms)
    {
        for (int waited = 0; waited < ms; waited += 20) {
            if (done())
                return true;
            platform::Wait(machine.platform, 20);
        }
        return done();
    }

    // With COMPASS_SCREENSHOT_DIR set, keeps a picture of the window as it is.
    void saveScreenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window->grab().save(QDir(folder).filePath(name));
    }

    QTemporaryDir dir;
    QTimer dismisser;
    QStringList messages;
    platform::qt::QtPlatform machine;
    std::unique_ptr<app::frmMain> window;
};
