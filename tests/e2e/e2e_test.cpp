#include "app/frm_main.h"
#include "platform/qt/qt_platform.h"
#include "platform/wait.h"
#include "simulated_compass.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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

TEST_F(EndToEnd, LinkBecomesAliveAfterOpenPortAndTheSettingsAreRead)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet"});
    ASSERT_TRUE(compass.linked());
    start();
    ASSERT_TRUE(waitFor([&] { return control("lblPresent")->isVisibleTo(window.get()); }, 2000));
    EXPECT_EQ(messages, QStringList{"Configuration file not found or bad version, default loaded."});
    control<QAbstractButton>("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_TRUE(waitFor([&] { return !control("lblPresent")->isVisibleTo(window.get()); }, 5000));
    EXPECT_TRUE(waitFor([&] { return control<QLabel>("lblHeading")->text() != "?"; }, 5000));
    EXPECT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
    EXPECT_EQ(window->state().Settings.OutputFormat, 1);
    saveScreenshot("main_window.png");
}

} // namespace

namespace {

TEST_F(EndToEnd, PanelShowsTheModulesSettingsAndAChangedRateIsReadBack)
{
    SimulatedCompass compass(dir.path(), 2);
    ASSERT_TRUE(compass.linked());
    start();
    control<QAbstractButton>("cmdOpen")->click();
    auto *rate = control<QLineEdit>("txtCSOutRate");
    // The first data sentence brings the dump, which fills the panel.
    ASSERT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
    ASSERT_TRUE(waitFor([&] { return rate->text() == "10"; }, 3000)) << rate->text().toStdString();
    EXPECT_EQ(window->state().Settings.OutputRate, 10);
    control<QAbstractButton>("cmdShowCSetup")->click();
    rate->setText("5");
    control<QAbstractButton>("cmdSet(1)")->click();
    // The module heard ESC, "R" and the rate; the re-read shows its new value.
    EXPECT_TRUE(waitFor([&] { return compass.received().contains("received 5<13>"); }, 3000))
        << compass.received().toStdString();
    EXPECT_TRUE(waitFor([&] { return window->state().SettingsKnown; }, 3000));
    EXPECT_EQ(window->state().Settings.OutputRate, 5);
    EXPECT_EQ(rate->text(), "5");
    saveScreenshot("settings_panel_live.png");
}

} // namespace
