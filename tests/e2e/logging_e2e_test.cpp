#include "answering_end_to_end.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

// Every item the module can send, in column order.
constexpr int AllFields = 8191;
const QString AllColumns = "Azimuth;Pitch;Roll;Temperature;Depth;Mag. Scalar;Mag. X;Mag. Y;Mag Z;Acc. Scalar;"
                           "Acc. X;Acc. Y; Acc. Z;Gyro Scalar;Gyro X;Gyro Y;Life Count;SPI Err;";
constexpr int ValueColumns = 18;
constexpr int TemperatureColumn = 3;
constexpr int LifeCountColumn = 16;

QString today() { return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat); }

// One log session: its header and the columns of each data line after it.
struct Session {
    QString header;
    std::vector<QStringList> rows;
};

class LoggingEndToEnd : public AnsweringEndToEnd {
protected:
    QString logPath() const { return dir.filePath("bench_log.txt"); }

    QByteArray logBytes() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The lines as written, without their CR LF; a last line without one is kept as it is.
    QStringList logLines() const
    {
        QStringList lines = QString::fromUtf8(logBytes()).split("\r\n");
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    void openLog()
    {
        fileToChoose = logPath();
        const int before = fileDialogsAnswered;
        control<QAbstractButton>("cmdOpenLog")->click();
        ASSERT_EQ(fileDialogsAnswered, before + 1) << "Open Log showed no file dialog";
        ASSERT_EQ(control<QLabel>("lblLogFile")->text(), logPath());
        ASSERT_EQ(control<QAbstractButton>("cmdOpenLog")->text(), "Close Log");
        ASSERT_TRUE(control<QAbstractButton>("cmdStartLog")->isEnabled());
    }
    void closeLog()
    {
        control<QAbstractButton>("cmdOpenLog")->click();
        EXPECT_EQ(control<QAbstractButton>("cmdOpenLog")->text(), "Open Log");
        EXPECT_FALSE(control<QAbstractButton>("cmdStartLog")->isEnabled());
        EXPECT_TRUE(control<QLabel>("lblLogFile")->text().isEmpty());
    }
    // Logs until the file holds `lines` more lines, then stops; the lines are
    // on disk as they come, not when the file is closed.
    void logLinesThenStop(int lines, const QString &screenshot = {})
    {
        const int before = int(logLines().size());
        auto *start = control<QAbstractButton>("cmdStartLog");
        auto *blinking = control<QLabel>("lblLogging");
        start->click();
        ASSERT_EQ(start->text(), "Stop Logging");
        ASSERT_TRUE(waitFor([&] { return logLines().size() >= before + lines; }, 8000))
            << "lines written while logging: " << logLines().size() - before;
        EXPECT_TRUE(waitFor([&] { return blinking->isVisibleTo(window.get()); }, 2500))
            << "the Logging label never showed";
        if (!screenshot.isEmpty())
            saveScreenshot(screenshot);
        start->click();
        EXPECT_EQ(start->text(), "Start Logging");
        EXPECT_TRUE(blinking->isHidden());
        EXPECT_TRUE(logBytes().endsWith("\r\n")) << "the last line on disk is cut: " << logBytes().right(80).toStdString();
    }
    // After Stop Logging further sentences leave the file alone.
    void expectNothingWrittenWhileStopped()
    {
        const QByteArray stopped = logBytes();
        const int sample = window->sampleNumber();
        ASSERT_TRUE(waitFor([&] { return window->sampleNumber() >= sample + 5; }, 3000)) << "no more sentences came";
        EXPECT_EQ(logBytes(), stopped);
    }

    // Splits the lines at each header; every line must be a header or a data line.
    static std::vector<Session> sessionsOf(const QStringList &lines)
    {
        std::vector<Session> sessions;
        for (const QString &line : lines) {
            if (line.endsWith(AllColumns)) {
                sessions.push_back({line, {}});
                continue;
            }
            if (sessions.empty()) {
                ADD_FAILURE() << "data before any header: " << line.toStdString();
                continue;
            }
            EXPECT_TRUE(line.endsWith(';')) << "unterminated value in " << line.toStdString();
            QStringList columns = line.split(';');
            columns.removeLast();
            sessions.back().rows.push_back(columns);
        }
        return sessions;
    }

    // The value columns of a data line as numbers, after the `stampColumns` date/time columns.
    std::vector<double> valuesOf(const QStringList &row, int stampColumns) const
    {
        std::vector<double> values;
        if (row.size() != stampColumns + ValueColumns) {
            ADD_FAILURE() << "expected " << stampColumns + ValueColumns << " values, got " << row.size() << ": "
                          << row.join(';').toStdString();
            return values;
        }
        for (int i = 0; i < ValueColumns; ++i) {
            QString text = row[stampColumns + i];
            // The temperature is logged as its label shows it, unit included.
            if (i == TemperatureColumn) {
                EXPECT_TRUE(text.endsWith(QStringLiteral("°C"))) << text.toStdString();
                text.chop(2);
            }
            text.replace(window->DecimalSeparator(), QLatin1Char('.'));
            text.replace(QLocale::system().decimalPoint(), QLatin1String("."));
            bool number = false;
            values.push_back(text.toDouble(&number));
            EXPECT_TRUE(number) << "column " << i << " is not a number: " << row[stampColumns + i].toStdString();
        }
        return values;
    }

    static void expectTimeOfDay(const QString &text)
    {
        static const QRegularExpression hoursMinutesSeconds(QStringLiteral("^\\d{1,2}:\\d{2}:\\d{2}\\b"));
        EXPECT_TRUE(hoursMinutesSeconds.match(text).hasMatch()) << "not a time of day: " << text.toStdString();
    }

    // Life counts of one session's lines, which must follow on without a gap.
    std::vector<double> expectConsecutive(const Session &session, int stampColumns) const
    {
        std::vector<double> counts;
        for (const QStringList &row : session.rows) {
            const auto values = valuesOf(row, stampColumns);
            if (values.size() == ValueColumns)
                counts.push_back(values[LifeCountColumn]);
        }
        for (std::size_t i = 1; i < counts.size(); ++i)
            EXPECT_EQ(counts[i], counts[i - 1] + 1) << "sentence lost or out of order at data line " << i;
        return counts;
    }

    void startWithSettingsRead()
    {
        startWithDataFlowing();
        // The first sentence brings a settings read; log once it is over.
        ASSERT_TRUE(waitFor([&] { return window->state().SettingsKnown && window->state().DumpReceived; }, 8000));
    }
};

TEST_F(LoggingEndToEnd, EverySentenceIsLoggedWholeAndASecondSessionAppends)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet", "--fields", QString::number(AllFields), "--rate", "20"});
    ASSERT_TRUE(compass.linked());
    startWithSettingsRead();
    const QString dayBefore = today();

    control<QCheckBox>("chkLogDate")->setChecked(true);
    control<QCheckBox>("chkLogTime")->setChecked(true);
    openLog();
    logLinesThenStop(25, QStringLiteral("main_window_logging.png"));
    expectNothingWrittenWhileStopped();
    closeLog();
    const QByteArray firstSession = logBytes();

    // Second session: the same file, now without the date.
    control<QCheckBox>("chkLogDate")->setChecked(false);
    openLog();
    logLinesThenStop(10);
    closeLog();
    const QString dayAfter = today();

    const QByteArray all = logBytes();
    EXPECT_TRUE(all.startsWith(firstSession)) << "the second session changed the first one's lines";
    EXPECT_EQ(all.count('\n'), all.count("\r\n")) << "a line ends with a bare LF";
    EXPECT_EQ(all.count('\r'), all.count("\r\n")) << "a stray CR inside a line";

    const auto sessions = sessionsOf(logLines());
    ASSERT_EQ(sessions.size(), 2u) << QString::fromUtf8(all).toStdString();
    EXPECT_EQ(sessions[0].header, "Date;Time;" + AllColumns);
    EXPECT_EQ(sessions[1].header, "Time;" + AllColumns);
    ASSERT_GE(sessions[0].rows.size(), 25u - 1);
    ASSERT_GE(sessions[1].rows.size(), 10u - 1);

    for (const QStringList &row : sessions[0].rows) {
        ASSERT_FALSE(row.isEmpty());
        EXPECT_TRUE(row[0] == dayBefore || row[0] == dayAfter) << "date column: " << row[0].toStdString();
        if (row.size() > 1)
            expectTimeOfDay(row[1]);
    }
    for (const QStringList &row : sessions[1].rows)
        expectTimeOfDay(row[0]);

    const auto first = expectConsecutive(sessions[0], 2);
    const auto second = expectConsecutive(sessions[1], 1);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_GT(second.front(), first.back()) << "the second session's lines come after the first's";
}

TEST_F(LoggingEndToEnd, HeadingPitchAndRollOnlyLogThreeNumbersALine)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet", "--fields", "7", "--rate", "20"});
    ASSERT_TRUE(compass.linked());
    startWithSettingsRead();
    openLog();
    logLinesThenStop(10);
    closeLog();

    const QStringList lines = logLines();
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[0], "Azimuth;Pitch;Roll;");
    static const QRegularExpression threeNumbers(QStringLiteral("^(-?\\d+([.,]\\d+)?;){3}$"));
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_TRUE(threeNumbers.match(lines[i]).hasMatch()) << "line " << i << ": " << lines[i].toStdString();
}

TEST_F(LoggingEndToEnd, SetupDialogListsThePortAndCancelLeavesTheLinkRunning)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet"});
    ASSERT_TRUE(compass.linked());
    startWithSettingsRead();
    QStringList offeredPorts;
    bool shown = false;
    otherModal = [&](QWidget &dialog) {
        if (dialog.objectName() != "frmSetup")
            return;
        shown = true;
        if (auto *ports = dialog.findChild<QComboBox *>("cmbCom"))
            for (int i = 0; i < ports->count(); ++i)
                offeredPorts << ports->itemText(i);
        const QString folder = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            dialog.grab().save(QDir(folder).filePath("setup_dialog.png"));
        if (auto *cancel = dialog.findChild<QAbstractButton *>("cmdCancel"))
            cancel->click();
    };
    const QStringList before = messages;
    control<QAbstractButton>("cmdConfigure")->click();

    ASSERT_TRUE(shown);
    EXPECT_EQ(window->DialogResult, 2);
    EXPECT_EQ(messages, before) << messages.join(" | ").toStdString();
    EXPECT_TRUE(offeredPorts.filter(QRegularExpression("\\bCOM2\\b")).size() == 1) << offeredPorts.join(", ").toStdString();
    // Listing the ports probed them; the program's own port still carries data.
    EXPECT_TRUE(window->Com().isOpen());
    const int sample = window->sampleNumber();
    EXPECT_TRUE(waitFor([&] { return window->sampleNumber() > sample + 3; }, 3000));
}

} // namespace
