#include "main_window_fixture.h"
#include "app/application_name.h"
#include "settings_panel/compass_data_window.h"
#include "settings_panel/profile_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSet>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace {

QString told(QWidget *widget, QAccessible::Text what)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(what) : QString();
}

// What a screen reader reads of `window`: its title bar, a unique name for
// every control the keyboard reaches, and the text of every label.
void expectReadable(QWidget &window, const QString &title)
{
    SCOPED_TRACE(title.toStdString());
    EXPECT_EQ(window.windowTitle(), title);
    QSet<QString> names;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        const QString name = told(widget, QAccessible::Name);
        const std::string id = widget->objectName().toStdString() + " \"" + name.toStdString() + "\"";
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            const QString text = label->text().remove(QLatin1Char('&'));
            if (label->textFormat() != Qt::RichText && !text.isEmpty()) {
                EXPECT_TRUE(name.contains(text) || told(widget, QAccessible::Value).contains(text))
                    << id << " hides \"" << text.toStdString() << "\"";
            }
            continue;
        }
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        EXPECT_FALSE(name.isEmpty()) << id << " has no name";
        EXPECT_FALSE(names.contains(name.toLower())) << id << " is named twice";
        names.insert(name.toLower());
    }
}

// Runs `open`, which shows a modal window; `check` looks at it while it is open.
void whileModal(const std::function<void()> &open, const std::function<void(QDialog &)> &check)
{
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        check(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
}

// Qt appends a display name that was set to every title bar; one never set
// follows the application's name.
bool displayNameSet()
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QLatin1Char('?'));
    const bool set = QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    return set;
}

TEST_F(MainWindowTest, EveryWindowCanBeReadAloudUnderItsOwnCaption)
{
    app::NameApplication();
    EXPECT_FALSE(displayNameSet());

    load();
    window->show();
    press("cmdOpen");
    compass().deliver("$C328.1P-0.4R1.2T26.3D5M6Mx7My8Mz9A1Ax2Ay3Az4G5Gx6Gy7L8S0*00\r\n");
    sim->advance(100);
    ASSERT_EQ(told(control("lblHeading"), QAccessible::Name), QString::fromUtf8("Heading 328.1°"));
    expectReadable(*window, app::frmMain::Caption());
    press("cmdShowCSetup");
    expectReadable(*window, app::frmMain::Caption());

    for (QWidget *chart : QApplication::topLevelWidgets()) {
        const QString name = chart->objectName();
        if (name.endsWith("Graph"))
            expectReadable(*chart, name == "frmCmpGraph"   ? "Compass Data Graph"
                                   : name == "frmMagGraph" ? "Magnometer Mag Graph"
                                                           : "Accelerometer Data Graph");
    }
    settings_panel::CompassDataWindow data(window.get());
    expectReadable(data, "Compass Data");
    settings_panel::ProfileDialog profile(window.get());
    profile.showPlan({}, "module.json", {});
    expectReadable(profile, "Settings Profile");
    whileModal([&] { window->cmdConfigure_Click(); }, [](QDialog &setup) { expectReadable(setup, "Setup"); });
    whileModal([&] { window->cmdHighTemp_Click(); }, [](QDialog &password) {
        expectReadable(password, "HT Calibration");
        password.findChild<QLineEdit *>("txtPass")->setText("KwPPe");
        QTimer::singleShot(0, [] {
            auto *wizard = QApplication::activeModalWidget();
            ASSERT_EQ(wizard->objectName(), "frmHighTempCal");
            expectReadable(*wizard, "High Temp Calibration");
            wizard->close();
        });
        password.findChild<QAbstractButton *>("cmdOK")->click();
    });
}

// A screen reader follows every caption that changes, keeping what the button acts on.
TEST_F(MainWindowTest, ButtonsAreReadWithTheCaptionTheyShowNow)
{
    load();
    window->show();
    const auto name = [this](const char *button) { return told(control(button), QAccessible::Name).toStdString(); };
    press("cmdShowCSetup");
    EXPECT_EQ(name("cmdShowCSetup"), "Output");
    press("cmdOpen");
    press("cmdSet(6)");
    EXPECT_EQ(name("cmdSet(6)"), "Done! Calibration X,Y Compass Level");
    press("cmdSet(6)");
    EXPECT_EQ(name("cmdSet(6)"), "Start Calibration X,Y Compass Level");
    std::vector<std::string> heard;
    for (int point = 0; point < 5; ++point) {
        press("cmdSet(15)");
        heard.push_back(name("cmdSet(15)"));
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"Aim Mag North Soft Iron", "Aim Mag East Soft Iron",
                                               "Aim Mag South Soft Iron", "Aim Mag West Soft Iron",
                                               "Calibrate Soft Iron"}));
    press("cmdShowCSetup");
    sim->files.queueAnswer(dir.filePath("readings.txt"));
    press("cmdOpenLog");
    press("cmdStartLog");
    EXPECT_EQ(name("cmdOpenLog"), "Close Log");
    EXPECT_EQ(name("cmdStartLog"), "Stop Logging");
}

} // namespace
