#include "main_window_fixture.h"
#include "menu_compass.h"
#include "settings_panel/profile_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

// Every control a user may need, fully inside the window and every frame
// around it, at no less than its size hint.
void expectUnclipped(QWidget &window, QWidget *control)
{
    const std::string name = control->objectName().toStdString();
    EXPECT_TRUE(control->isVisibleTo(&window)) << name;
    EXPECT_GE(control->width(), control->sizeHint().width()) << name << " is squeezed";
    EXPECT_GE(control->height(), control->sizeHint().height()) << name << " is squeezed";
    for (QWidget *outer = control->parentWidget(); outer != window.parentWidget(); outer = outer->parentWidget()) {
        const QRect inOuter(control->mapTo(outer, QPoint(0, 0)), control->size());
        EXPECT_TRUE(outer->rect().contains(inOuter)) << name << " is cut by " << outer->objectName().toStdString();
    }
}

// With COMPASS_SCREENSHOT_DIR set, keeps a picture of the whole screen with
// the windows where they are, the last one on top.
void keepPicture(std::initializer_list<QWidget *> windows, const char *name)
{
    const QString folder = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QImage screen((*windows.begin())->screen()->size(), QImage::Format_RGB32);
    screen.fill(QColor(58, 110, 165));
    QPainter painter(&screen);
    for (QWidget *window : windows)
        painter.drawPixmap(window->geometry().topLeft(), window->grab());
    painter.end();
    screen.save(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

// The tallest stretch of `view`, across its whole width, that no control
// covers: a frame that went away and left its room empty. A hidden notice
// whose line stays reserved counts as covering it; a container does not.
int emptyBand(QWidget &view)
{
    std::vector<std::pair<int, int>> covered;
    for (QWidget *widget : view.findChildren<QWidget *>()) {
        const bool reserved = widget->isHidden() && widget->sizePolicy().retainSizeWhenHidden()
                              && widget->parentWidget()->isVisibleTo(&view);
        if (!widget->isVisibleTo(&view) && !reserved)
            continue;
        const auto children = widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        const bool container = !qobject_cast<QGroupBox *>(widget)
                               && std::any_of(children.begin(), children.end(),
                                              [&](QWidget *child) { return child->isVisibleTo(&view); });
        if (container)
            continue;
        const int top = widget->mapTo(&view, QPoint(0, 0)).y();
        covered.emplace_back(top, top + widget->height());
    }
    std::sort(covered.begin(), covered.end());
    int reached = 0;
    int band = 0;
    for (const auto &[top, bottom] : covered) {
        band = std::max(band, top - reached);
        reached = std::max(reached, bottom);
    }
    return std::max(band, view.height() - reached);
}

class ScreenFitTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1280, 800));
        load();
        window->show();
        settle();
    }
    // A layout's request climbs one parent a pass.
    void settle()
    {
        for (int pass = 0; pass < 5; ++pass)
            QApplication::processEvents();
    }
    // At the size the window takes, then made as small as it lets itself be.
    void expectUnclippedAtAnySize(const QStringList &names)
    {
        for (const QSize size : {window->size(), QSize(1, 1)}) {
            window->resize(size);
            settle();
            for (const QString &name : names)
                expectUnclipped(*window, control(name.toLatin1()));
        }
    }
    // Every button shown, at no less than its size hint.
    void expectButtonsAtTheirHints()
    {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (!button->isVisibleTo(window.get()))
                continue;
            const std::string name = button->objectName().toStdString() + " \"" + button->text().toStdString() + "\"";
            EXPECT_GE(button->width(), button->sizeHint().width()) << name << " is squeezed";
            EXPECT_GE(button->height(), button->sizeHint().height()) << name << " is squeezed";
        }
    }
    void deliverEveryItem()
    {
        compass().deliver("$C328.1P-0.4R1.2T26.3D5M6Mx7My8Mz9A1Ax2Ay3Az4G5Gx6Gy7L8S0*00\r\n");
        sim->advance(100);
        settle();
    }
    void expectOnScreen()
    {
        const QRect screen = window->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(window->frameGeometry()));
        EXPECT_LE(window->minimumSizeHint().width(), screen.width());
        EXPECT_LE(window->minimumSizeHint().height(), screen.height());
    }
};

TEST_F(ScreenFitTest, SettingsPanelAndTerminalFitTheScreen)
{
    expectOnScreen();
    const QSize dataView = window->size();
    press("cmdShowCSetup");
    settle();
    expectOnScreen();
    keepPicture({window.get()}, "main_window_settings_panel");
    QStringList controls{"txtInput",     "chkShowCompassData", "cmdClearDebug",  "cmdIDEsc",
                         "chkShiftMode", "cmdHighTemp",        "cmdSaveSettings", "cmdLoadSettings"};
    for (int i = 0; i < 24; ++i)
        controls << QStringLiteral("cmdSet(%1)").arg(i);
    expectUnclippedAtAnySize(controls);
    press("cmdShowCSetup");
    settle();
    expectOnScreen();
    EXPECT_EQ(window->size(), dataView);
}

TEST_F(ScreenFitTest, DataViewMakesRoomForEveryFrameAndHoldsStill)
{
    press("cmdOpen");
    deliverEveryItem();
    expectOnScreen();
    keepPicture({window.get()}, "main_window_data_view");
    const QRect before = window->geometry();
    expectUnclippedAtAnySize({"frMag", "frAcc", "frGyro", "Horizon", "Air1", "Frame4", "lblHeading", "lblDepth",
                              "lblMag", "lblMagZ", "lblAccY", "lblGyroY"});
    window->setGeometry(before);
    const QRect frame = control("frMag")->geometry();
    // Silent: the notice shows, and hides again with the next sentence.
    sim->advance(2000);
    settle();
    ASSERT_TRUE(shown("lblPresent"));
    EXPECT_EQ(window->geometry(), before);
    EXPECT_EQ(control("frMag")->geometry(), frame);
    compass().deliver("$C1P2R3T4D5M6Mx7My8Mz9A1Ax2Ay3Az4G5Gx6Gy7L8S0*00\r\n");
    sim->advance(600);
    settle();
    ASSERT_FALSE(shown("lblPresent"));
    EXPECT_EQ(window->geometry(), before);
}

TEST_F(ScreenFitTest, FramesThatGoAwayLeaveNoEmptyBand)
{
    // No taller than the spacing around a frame.
    constexpr int MostSpace = 20;
    press("cmdOpen");
    const auto gyroOnly = [this] {
        compass().deliver("$C328.1P-0.4R1.2T26.3G5Gx6Gy7*00\r\n");
        sim->advance(100);
        settle();
    };
    gyroOnly();
    const int gyroHeight = window->height();
    deliverEveryItem();
    ASSERT_GT(window->height(), gyroHeight);
    gyroOnly();
    ASSERT_FALSE(shown("frMag"));
    ASSERT_FALSE(shown("frAcc"));
    // The window gives back the room the frames took.
    EXPECT_EQ(window->height(), gyroHeight);
    EXPECT_LE(emptyBand(*control("frViewData")), MostSpace);
    // A window the user made taller, or maximised, fills it with the instruments.
    window->resize(window->width(), window->height() + 150);
    settle();
    EXPECT_LE(emptyBand(*control("frViewData")), MostSpace);
    window->showMaximized();
    settle();
    EXPECT_LE(emptyBand(*control("frViewData")), MostSpace);
}

TEST_F(ScreenFitTest, MaximisedWindowStaysMaximisedInBothViews)
{
    window->showMaximized();
    settle();
    ASSERT_TRUE(window->isMaximized());
    const QRect maximised = window->geometry();
    ASSERT_EQ(window->frameGeometry(), window->screen()->availableGeometry());
    const auto expectMaximised = [&](const char *after) {
        EXPECT_TRUE(window->isMaximized()) << after;
        EXPECT_EQ(window->geometry(), maximised) << after;
    };
    press("cmdShowCSetup");
    settle();
    expectMaximised("Program");
    keepPicture({window.get()}, "main_window_maximised_settings_panel");
    press("cmdShowCSetup");
    settle();
    expectMaximised("Output");
    press("cmdOpen");
    deliverEveryItem();
    expectMaximised("new frames");
    keepPicture({window.get()}, "main_window_maximised_data_view");
    press("cmdShowCSetup");
    settle();
    expectMaximised("Program again");
    // Restored after the view changed: at the size the view shown asks for.
    ASSERT_TRUE(shown("frCS"));
    window->showNormal();
    settle();
    ASSERT_FALSE(window->isMaximized());
    EXPECT_EQ(window->size(), window->sizeHint());
    expectOnScreen();
}

TEST_F(ScreenFitTest, AtTheWindowsMinimumSizeEveryButtonKeepsItsSizeHint)
{
    press("cmdOpen");
    deliverEveryItem();
    for (int view = 0; view < 2; ++view) {
        window->resize(1, 1);
        settle();
        ASSERT_LT(window->height(), 600);
        expectButtonsAtTheirHints();
        press("cmdShowCSetup");
        settle();
    }
}

// A module as it leaves the simulator, and the same one after a profile: it
// took every setting sent but the declination.
const std::string ModuleBefore =
    "FW_VERSION=2.6\r\nFW_DATE=Nov 05 2010\r\nSERIAL_NUMBER=000012345\r\nOUTPUT_FORMAT=1\r\nDISPLAY_FIELDS=15\r\n"
    "SET-RESET_RATE=20\r\nDEVIATION=0.0\r\nDECLINATION=0.0\r\nSOFTIRONCORRECTION=0\r\nBAUD_RATE=3\r\n"
    "OUTPUT_RATE=10\r\nMAX_PSI=100\r\nAVERAGING=5\r\nAD_UPDATE_RATE=3\r\nHW_MOUNTING_POS=1\r\nTEMP_OFFSET=0.0\r\n"
    "LIFESKIP=8\r\nEULER=4\r\nKFILTER=0.25";
const std::string ModuleAfter =
    "FW_VERSION=2.6\r\nFW_DATE=Nov 05 2010\r\nSERIAL_NUMBER=000012345\r\nOUTPUT_FORMAT=2\r\nDISPLAY_FIELDS=335\r\n"
    "SET-RESET_RATE=100\r\nDEVIATION=0.0\r\nDECLINATION=0.0\r\nSOFTIRONCORRECTION=1\r\nBAUD_RATE=3\r\n"
    "OUTPUT_RATE=20\r\nMAX_PSI=100\r\nAVERAGING=8\r\nAD_UPDATE_RATE=3\r\nHW_MOUNTING_POS=1\r\nTEMP_OFFSET=0.0\r\n"
    "LIFESKIP=8\r\nEULER=4\r\nKFILTER=0.25";
const QByteArray Profile = R"({
    "format": "compass-bench settings profile", "version": 1, "saved": "2026-01-15T10:22:03",
    "module": {"FW_DATE": "Nov 05 2010", "FW_VERSION": "2.6", "SERIAL_NUMBER": "000054321"},
    "settings": {"AD_UPDATE_RATE": 9, "AVERAGING": 8, "BAUD_RATE": "3", "DECLINATION": 2.5, "DEVIATION": 0,
                 "DISPLAY_FIELDS": 335, "EULER": 4, "GAIN": 2, "HW_MOUNTING_POS": 1, "LIFESKIP": 8, "MAX_PSI": 100,
                 "OUTPUT_FORMAT": 2, "OUTPUT_RATE": 20, "SET-RESET_RATE": 100, "SOFTIRONCORRECTION": true,
                 "TEMP_OFFSET": 0}
})";

// The differences before anything is sent, and the report after: each at
// full size on the screen, every cell readable without scrolling.
TEST_F(ScreenFitTest, SettingsProfileWindowFitsBeforeAndAfterApplying)
{
    press("cmdShowCSetup");
    press("cmdOpen");
    settle();
    MenuCompass board(*sim, compass());
    board.replies['&'] = {ModuleBefore, ModuleAfter};
    const QString path = dir.filePath("line-3.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Profile);
    file.close();
    sim->files.queueAnswer(path);

    QStringList summaries;
    std::function<void()> answer = [&] {
        auto *dialog = qobject_cast<settings_panel::ProfileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, answer);
            return;
        }
        settle();
        QTableWidget *table = dialog->tblSettings();
        EXPECT_TRUE(window->screen()->availableGeometry().contains(dialog->frameGeometry()));
        EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
        EXPECT_LE(table->verticalHeader()->length(), table->viewport()->height());
        keepPicture({window.get(), dialog}, summaries.isEmpty() ? "settings_profile_differences"
                                                                : "settings_profile_applied");
        summaries << dialog->lblSummary()->text();
        (dialog->cmdApply()->isVisible() ? dialog->cmdApply() : dialog->cmdClose())->click();
        if (summaries.size() < 2)
            QTimer::singleShot(10, answer);
    };
    QTimer::singleShot(0, answer);
    press("cmdLoadSettings");
    ASSERT_EQ(summaries.size(), 2);
    EXPECT_TRUE(summaries[0].contains("7 settings differ from the module")) << summaries[0].toStdString();
    EXPECT_TRUE(summaries[1].contains("6 taken, 1 not taken")) << summaries[1].toStdString();
}

} // namespace
