#include "config/frm_setup.h"
#include "config/setup_rules.h"
#include "controls/xp_button.h"
#include "platform/sim/sim_platform.h"
#include "tools/pseudo_terminal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

using config::clsConfig;
using config::frmSetup;
using platform::SerialDevice;

const QString kMissingPort =
    "The previously selected COM port isn't installed on the computer, please select another COM port";

class SetupDialog : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::sim::SimPlatform sim{dir.path()};
    clsConfig cfg{dir.path()};
    std::unique_ptr<platform::SerialPort> comTest = sim.platform.ports.createPort();

    void SetUp() override
    {
        cfg.LoadSettings();
        sim.devices.list = std::vector<SerialDevice>{
            {"/dev/ttyS0", "", "", ""}, {"/dev/ttyS1", "16550A", "", ""}, {"/dev/ttyUSB0", "USB Serial", "", ""}};
    }
    std::unique_ptr<frmSetup> open() { return std::make_unique<frmSetup>(sim.platform, cfg, *comTest); }
    QByteArray fileBytes() const
    {
        QFile f(cfg.FilePath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

TEST_F(SetupDialog, LoadShowsTheStoredSettings)
{
    cfg.setSerialParity("n");
    cfg.setMagChartMax(0.5);
    sim.platform.separators.Number = u',';
    const auto dlg = open();
    EXPECT_EQ(dlg->cmbCom()->count(), 3);
    EXPECT_EQ(dlg->cmbCom()->currentText(), "COM2 - 16550A (/dev/ttyS1)");
    EXPECT_EQ(dlg->cmbBaud()->currentText(), "19200");
    EXPECT_EQ(dlg->cmbParity()->currentText(), "None");
    EXPECT_EQ(dlg->cmbDataBits()->currentText(), "8");
    EXPECT_EQ(dlg->cmbStop()->currentText(), "1");
    EXPECT_EQ(dlg->maxBox(charts::ChartId::Mag)->text(), "0,5");
    EXPECT_EQ(dlg->minBox(charts::ChartId::Cmp)->text(), "-180");
    EXPECT_TRUE(sim.messages.shown().empty());
    QStringList frames;
    const QLayout *chartFrames = dlg->findChild<QWidget *>("Frame2")->layout();
    for (int i = 0; i < chartFrames->count(); ++i) {
        const auto *frame = qobject_cast<QGroupBox *>(chartFrames->itemAt(i)->widget());
        frames << frame->objectName() + ':' + frame->title();
    }
    EXPECT_EQ(frames.join('|'), "Frame4: Magnetic Chart |Frame5: Acceleration Chart |Frame6: Compass Chart ");
}

TEST(SetupPortRule, FirstEntryContainingTheNumberIsTaken)
{
    // Port 1 picks COM10 when it comes first: it contains "COM1".
    EXPECT_EQ(config::PortEntryFor({"COM10 - a", "COM1 - b"}, "1"), 0);
    EXPECT_EQ(config::PortEntryFor({"COM3 ", "com1 - b"}, "1"), 1);
    EXPECT_EQ(config::PortEntryFor({"USB Serial Port (COM1)"}, "1"), 0);
    EXPECT_EQ(config::PortEntryFor({"COM3 ", "COM4 "}, "1"), -1);
    EXPECT_EQ(config::PortEntryFor({}, "1"), -1);
    EXPECT_EQ(config::ParityName("e"), "Even");
    EXPECT_EQ(config::ParityName("O"), "Odd");
    EXPECT_EQ(config::ParityName("M"), "");
}

TEST_F(SetupDialog, MissingPortIsReportedAndTheFirstOfferedOrNoneFromAnEmptyList)
{
    cfg.setSerialPort("7");
    const auto dlg = open();
    EXPECT_EQ(sim.messages.texts(), QStringList{kMissingPort});
    EXPECT_EQ(sim.messages.shown().front().icon, platform::MessageIcon::Information);
    EXPECT_EQ(dlg->cmbCom()->currentIndex(), 0);
    dlg->cmdOk()->click();
    EXPECT_EQ(cfg.SerialPort(), "1");

    sim.devices.list = std::vector<SerialDevice>{};
    const auto empty = open();
    EXPECT_EQ(empty->cmbCom()->currentIndex(), -1);
    empty->cmdOk()->click();
    EXPECT_EQ(cfg.SerialPort(), "1");
    EXPECT_EQ(empty->DialogResult(), 1);
}

TEST_F(SetupDialog, OkTakesEveryValueAndSaves)
{
    const auto dlg = open();
    dlg->cmbCom()->setCurrentIndex(2);
    dlg->cmbBaud()->setCurrentText("115200");
    dlg->cmbParity()->setCurrentText("Even");
    dlg->cmbDataBits()->setCurrentText("7");
    dlg->cmbStop()->setCurrentText("1.5");
    dlg->maxBox(charts::ChartId::Mag)->setText(" 1e3 ");
    dlg->minBox(charts::ChartId::Mag)->setText("-12.5");
    dlg->maxBox(charts::ChartId::Acc)->setText("4");
    dlg->minBox(charts::ChartId::Acc)->setText("not a number");
    dlg->maxBox(charts::ChartId::Cmp)->setText("+90");
    dlg->minBox(charts::ChartId::Cmp)->setText("-90");
    dlg->cmdOk()->click();

    EXPECT_EQ(dlg->DialogResult(), 1);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    clsConfig reread(dir.path());
    ASSERT_EQ(reread.LoadSettings(), 0);
    for (const clsConfig *c : {&cfg, &reread}) {
        EXPECT_EQ(c->SerialPort(), "101");
        EXPECT_EQ(c->SerialBauds(), "115200");
        EXPECT_EQ(c->SerialParity(), "E");
        EXPECT_EQ(c->SerialDataBits(), "7");
        EXPECT_EQ(c->SerialStopBits(), "1.5");
        EXPECT_EQ(c->MagChartMax(), 1000.0);
        EXPECT_EQ(c->MagChartMin(), -12.5);
        EXPECT_EQ(c->AccChartMax(), 4.0);
        EXPECT_EQ(c->AccChartMin(), -2.0); // not a number: left as it was
        EXPECT_EQ(c->CmpChartMax(), 90.0);
        EXPECT_EQ(c->CmpChartMin(), -90.0);
    }
}

TEST_F(SetupDialog, PortListFollowsALinkThatComesAndGoesKeepingTheSelection)
{
    const std::filesystem::path ports = QDir(dir.path()).filePath("ports").toStdString();
    compass_sim::PseudoTerminal adapter;
    const auto dlg = open();
    const auto entries = [&] {
        QStringList all;
        for (int i = 0; i < dlg->cmbCom()->count(); ++i)
            all << dlg->cmbCom()->itemText(i);
        return all;
    };
    dlg->cmbCom()->setCurrentIndex(2);
    const QString usb = dlg->cmbCom()->currentText();
    const QString com9 = "COM9 - link to " + QString::fromStdString(adapter.slavePath());

    auto plugged = std::make_unique<compass_sim::PortLink>(ports, 9, adapter.slavePath());
    sim.advance(1000);
    EXPECT_EQ(entries(), (QStringList{"COM1 - /dev/ttyS0", "COM2 - 16550A (/dev/ttyS1)", com9, usb}));
    EXPECT_EQ(dlg->cmbCom()->currentText(), usb);

    dlg->cmbCom()->setCurrentIndex(2);
    plugged.reset();
    sim.advance(1000);
    EXPECT_FALSE(entries().contains(com9));
    EXPECT_EQ(dlg->cmbCom()->currentIndex(), -1);

    // Plugged in again, it is the one selected once more.
    plugged = std::make_unique<compass_sim::PortLink>(ports, 9, adapter.slavePath());
    sim.advance(1000);
    EXPECT_EQ(dlg->cmbCom()->currentText(), com9);
    EXPECT_TRUE(sim.messages.shown().empty());
    dlg->cmdOk()->click();
    EXPECT_EQ(cfg.SerialPort(), "9");
}

// The port list's popup, open while a link appears, grows to show it.
TEST_F(SetupDialog, OpenPortListGrowsWithANewLink)
{
    compass_sim::PseudoTerminal adapter;
    const auto dlg = open();
    dlg->show();
    dlg->cmbCom()->showPopup();
    QAbstractItemView *list = dlg->cmbCom()->view();
    ASSERT_TRUE(list->isVisible());
    const int before = list->window()->height();
    compass_sim::PortLink plugged(QDir(dir.path()).filePath("ports").toStdString(), 9, adapter.slavePath());
    sim.advance(1000);
    QApplication::processEvents();
    ASSERT_EQ(dlg->cmbCom()->count(), 4);
    EXPECT_TRUE(list->isVisible());
    EXPECT_GT(list->window()->height(), before);
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
    EXPECT_LE(list->visualRect(dlg->cmbCom()->model()->index(3, 0)).bottom(), list->viewport()->rect().bottom());
}

TEST_F(SetupDialog, CancelChangesNothing)
{
    const QByteArray before = fileBytes();
    const auto dlg = open();
    dlg->cmbCom()->setCurrentIndex(0);
    dlg->cmbBaud()->setCurrentText("2400");
    dlg->maxBox(charts::ChartId::Cmp)->setText("45");
    dlg->cmdCancel()->click();
    EXPECT_EQ(dlg->DialogResult(), 2);
    EXPECT_EQ(cfg.SerialPort(), "2");
    EXPECT_EQ(cfg.SerialBauds(), "19200");
    EXPECT_EQ(cfg.CmpChartMax(), 360.0);
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(SetupDialog, FailedSaveIsReportedAndTheSettingsStillApply)
{
    ASSERT_TRUE(QFile::remove(cfg.FilePath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Compass.ini")); // in the way of the file
    const auto dlg = open();
    dlg->cmbBaud()->setCurrentText("9600");
    dlg->cmdOk()->click();
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_TRUE(sim.messages.texts().front().startsWith("The settings could not be saved to "));
    EXPECT_EQ(sim.messages.shown().front().icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(cfg.SerialBauds(), "9600");
    EXPECT_EQ(dlg->DialogResult(), 1);
}

TEST_F(SetupDialog, LeavingAChartBoxWithoutANumberWarns)
{
    const auto dlg = open();
    auto leave = [&](QLineEdit *box, Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(box, &out);
    };
    dlg->minBox(charts::ChartId::Acc)->setText("1,5,");
    leave(dlg->minBox(charts::ChartId::Acc), Qt::TabFocusReason);
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid numeric value."});
    EXPECT_EQ(sim.messages.shown().front().detail, "Acceleration Chart minimum: \"1,5,\" is not a number.");
    EXPECT_EQ(sim.messages.shown().front().icon, platform::MessageIcon::Exclamation);

    // Switching to another window is not leaving the box.
    sim.messages.clear();
    leave(dlg->minBox(charts::ChartId::Acc), Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(sim.messages.shown().empty());

    dlg->minBox(charts::ChartId::Acc)->setText("-1.5e-2");
    leave(dlg->minBox(charts::ChartId::Acc), Qt::TabFocusReason);
    EXPECT_TRUE(sim.messages.shown().empty());
}

// Enter in a box presses OK, after the check that leaving the box makes; a held Enter presses once.
TEST_F(SetupDialog, EnterInABoxPressesOk)
{
    const auto enter = [](QWidget *box, bool repeated = false) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), repeated);
        QApplication::sendEvent(box, &press);
    };
    const auto dlg = open();
    dlg->show();
    dlg->maxBox(charts::ChartId::Cmp)->setFocus();
    dlg->maxBox(charts::ChartId::Cmp)->setText("x90");
    enter(dlg->maxBox(charts::ChartId::Cmp), true);
    EXPECT_TRUE(sim.messages.shown().empty()) << "a repeat of a held key";
    enter(dlg->maxBox(charts::ChartId::Cmp));
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid numeric value."});
    EXPECT_EQ(sim.messages.shown().front().detail, "Compass Chart maximum: \"x90\" is not a number.");
    EXPECT_EQ(dlg->DialogResult(), 0);
    EXPECT_TRUE(dlg->isVisible());

    dlg->maxBox(charts::ChartId::Cmp)->setText("90");
    enter(dlg->maxBox(charts::ChartId::Cmp));
    EXPECT_EQ(dlg->DialogResult(), 1);
    EXPECT_EQ(cfg.CmpChartMax(), 90.0);
    EXPECT_EQ(clsConfig(dir.path()).LoadSettings(), 0);
}

// A chart shows nothing when its minimum is not below its maximum: OK refuses such a range.
TEST_F(SetupDialog, OkRefusesAMinimumNotBelowItsMaximum)
{
    const QByteArray before = fileBytes();
    const auto dlg = open();
    dlg->minBox(charts::ChartId::Mag)->setText("500");
    dlg->maxBox(charts::ChartId::Mag)->setText("300");
    dlg->cmdOk()->click();
    ASSERT_EQ(sim.messages.texts(),
              QStringList{"The Magnetic Chart minimum (500) must be below the Magnetic Chart maximum (300)."});
    EXPECT_EQ(sim.messages.shown().front().icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(dlg->focusWidget(), dlg->minBox(charts::ChartId::Mag));
    EXPECT_EQ(dlg->DialogResult(), 0);
    EXPECT_EQ(cfg.MagChartMin(), -300.0);
    EXPECT_EQ(fileBytes(), before);

    // Equal limits, and a box without a number keeps its limit: -2 is not below -3.
    sim.messages.clear();
    dlg->minBox(charts::ChartId::Mag)->setText("-300");
    dlg->minBox(charts::ChartId::Acc)->setText("2");
    dlg->maxBox(charts::ChartId::Acc)->setText("2");
    dlg->cmdOk()->click();
    dlg->minBox(charts::ChartId::Acc)->setText("two");
    dlg->maxBox(charts::ChartId::Acc)->setText("-3");
    dlg->cmdOk()->click();
    EXPECT_EQ(sim.messages.texts(),
              (QStringList{"The Acceleration Chart minimum (2) must be below the Acceleration Chart maximum (2).",
                           "The Acceleration Chart minimum (-2) must be below the Acceleration Chart maximum (-3)."}));
    EXPECT_EQ(dlg->DialogResult(), 0);

    dlg->maxBox(charts::ChartId::Acc)->setText("-1.5");
    dlg->cmdOk()->click();
    EXPECT_EQ(dlg->DialogResult(), 1);
    EXPECT_EQ(cfg.AccChartMax(), -1.5);
}

} // namespace
