// A working module over a real line: its settings read, the ports listed, every sentence logged (a Set
// pressed by hand over a real line is in the tap's session).
#include "end_to_end.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <vector>

namespace {

TEST_F(EndToEnd, SettingsAreReadAndTheSetupDialogListsThePortWhileDataFlows)
{
    SimulatedCompass compass(dir.path(), 2);
    ASSERT_TRUE(compass.linked());
    start();
    ASSERT_TRUE(waitFor([&] { return shown("lblPresent"); }, 2000));
    EXPECT_EQ(messages, QStringList{"Configuration file not found or bad version, default loaded."});
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_TRUE(waitFor([&] { return !shown("lblPresent"); }, 5000));
    // The first data sentence brings the dump, which fills the panel.
    ASSERT_TRUE(waitFor([&] { return settingsRead(); }, 8000));
    auto *rate = control<QLineEdit>("txtCSOutRate");
    ASSERT_TRUE(waitFor([&] { return rate->text() == "10"; }, 3000)) << rate->text().toStdString();
    saveScreenshot(*window, "main_window.png");

    // Listing the ports probes them; the program's own port still carries data.
    QStringList offeredPorts;
    otherModal = [&](QWidget &dialog) {
        if (auto *ports = dialog.findChild<QComboBox *>("cmbCom"))
            for (int i = 0; i < ports->count(); ++i)
                offeredPorts << ports->itemText(i);
        saveScreenshot(dialog, "setup_dialog.png");
        dialog.findChild<QAbstractButton *>("cmdCancel")->click();
    };
    const QStringList before = messages;
    button("cmdConfigure")->click();
    EXPECT_EQ(window->DialogResult, 2);
    EXPECT_EQ(messages, before) << messages.join(" | ").toStdString();
    EXPECT_EQ(offeredPorts.filter(QRegularExpression("\\bCOM2\\b")).size(), 1) << offeredPorts.join(", ").toStdString();
    EXPECT_TRUE(window->Com().isOpen());
    const int sample = window->sampleNumber();
    EXPECT_TRUE(waitFor([&] { return window->sampleNumber() > sample + 3; }, 3000));
}

// Every item the module can send, in column order.
const QString AllColumns = "Azimuth;Pitch;Roll;Temperature;Depth;Mag. Scalar;Mag. X;Mag. Y;Mag Z;Acc. Scalar;"
                           "Acc. X;Acc. Y; Acc. Z;Gyro Scalar;Gyro X;Gyro Y;Life Count;SPI Err;";

class LoggingEndToEnd : public EndToEnd {
protected:
    QString logPath() const { return dir.filePath("bench_log.txt"); }
    QByteArray logBytes() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Logs until the file holds `lines` more lines, then stops; the lines are
    // on disk as they come, not when the file is closed.
    void logSession(int lines, const QString &screenshot = {})
    {
        fileToChoose = logPath();
        button("cmdOpenLog")->click();
        ASSERT_EQ(control<QLabel>("lblLogFile")->text(), logPath());
        const auto count = [&] { return logBytes().count("\r\n"); };
        const auto before = count();
        button("cmdStartLog")->click();
        ASSERT_TRUE(waitFor([&] { return count() >= before + lines; }, 8000)) << count() - before;
        EXPECT_TRUE(waitFor([&] { return shown("lblLogging"); }, 2500)) << "the Logging label never showed";
        if (!screenshot.isEmpty())
            saveScreenshot(*window, screenshot);
        button("cmdStartLog")->click();
        // Stopped: further sentences leave the file alone.
        const QByteArray stopped = logBytes();
        const int sample = window->sampleNumber();
        ASSERT_TRUE(waitFor([&] { return window->sampleNumber() >= sample + 3; }, 3000));
        EXPECT_EQ(logBytes(), stopped);
        button("cmdOpenLog")->click();
    }
    // The life counts of the data lines after the header `header`, which must
    // follow on without a gap; each line holds `columns` values.
    std::vector<double> lifeCounts(const QStringList &lines, const QString &header, int columns)
    {
        std::vector<double> counts;
        for (qsizetype i = lines.indexOf(header) + 1; i > 0 && i < lines.size(); ++i) {
            if (lines[i].endsWith(AllColumns))
                break;
            const QStringList row = lines[i].split(';');
            EXPECT_EQ(row.size(), columns + 1) << lines[i].toStdString();
            EXPECT_TRUE(lines[i].endsWith(';')) << lines[i].toStdString();
            if (row.size() == columns + 1)
                counts.push_back(row[columns - 2].toDouble());
            if (counts.size() > 1) {
                EXPECT_EQ(counts.back(), counts[counts.size() - 2] + 1) << "sentence lost at " << lines[i].toStdString();
            }
        }
        return counts;
    }
};

TEST_F(LoggingEndToEnd, EverySentenceIsLoggedWholeAndASecondSessionAppends)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet", "--fields", "8191", "--rate", "20"});
    ASSERT_TRUE(compass.linked());
    startWithDataFlowing();
    ASSERT_TRUE(waitFor([&] { return settingsRead(); }, 8000));
    control<QCheckBox>("chkLogDate")->setChecked(true);
    control<QCheckBox>("chkLogTime")->setChecked(true);
    logSession(25, "main_window_logging.png");
    const QByteArray firstSession = logBytes();
    control<QCheckBox>("chkLogDate")->setChecked(false);
    logSession(10);

    const QByteArray all = logBytes();
    EXPECT_TRUE(all.startsWith(firstSession)) << "the second session changed the first one's lines";
    EXPECT_EQ(all.count('\n'), all.count("\r\n")) << "a line ends with a bare LF";
    EXPECT_EQ(all.count('\r'), all.count("\r\n")) << "a stray CR inside a line";
    const QStringList lines = QString::fromUtf8(all).split("\r\n", Qt::SkipEmptyParts);
    const auto first = lifeCounts(lines, "Date;Time;" + AllColumns, 20);
    const auto second = lifeCounts(lines, "Time;" + AllColumns, 19);
    ASSERT_GE(first.size(), 24u);
    ASSERT_GE(second.size(), 9u);
    EXPECT_GT(second.front(), first.back());
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(lines[1].startsWith(today + ';')) << lines[1].toStdString();
    EXPECT_TRUE(QRegularExpression("^\\d{1,2}:\\d{2}:\\d{2}\\b").match(lines.last()).hasMatch()) << lines.last().toStdString();
}

} // namespace
