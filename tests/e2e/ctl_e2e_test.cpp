// compass-ctl against simulated modules on pseudo-terminals: one profile makes
// several modules alike, a module that keeps a value is reported, the log and
// the calibration check run without a window.
#include "simulated_compass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A profile as a person would write one for the line: every user setting.
const QByteArray LineProfile = R"({
    "format": "compass-bench settings profile", "version": 1,
    "settings": {"AD_UPDATE_RATE": 4, "AVERAGING": 8, "BAUD_RATE": "3", "DECLINATION": 2.5, "DEVIATION": -1.5,
                 "DISPLAY_FIELDS": 335, "EULER": 3, "HW_MOUNTING_POS": 2, "LIFESKIP": 2, "MAX_PSI": 200,
                 "OUTPUT_FORMAT": 1, "OUTPUT_RATE": 5, "SET-RESET_RATE": 100, "SOFTIRONCORRECTION": true,
                 "TEMP_OFFSET": 1.5}
})";

class CtlEndToEnd : public ::testing::Test {
protected:
    QString ports() const { return dir.filePath("ports"); }

    // compass-ctl started with the ports folder of these tests.
    std::unique_ptr<QProcess> start(const QStringList &args)
    {
        auto process = std::make_unique<QProcess>();
        process->setProgram(QStringLiteral(COMPASS_CTL_PATH));
        process->setArguments(QStringList{"--ports-dir", ports()} + args);
        process->start();
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }
    struct Run {
        int status = -1;
        QString out;
        QString err;
    };
    static Run finish(QProcess &process)
    {
        EXPECT_TRUE(process.waitForFinished(60000)) << process.arguments().join(' ').toStdString();
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
    Run run(const QStringList &args) { return finish(*start(args)); }
    QJsonObject settingsOf(int com)
    {
        const Run r = run({"--port", QStringLiteral("COM%1").arg(com), "settings"});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object()["settings"].toObject();
    }
    QString profile()
    {
        const QString path = dir.filePath("line.json");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(LineProfile);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(CtlEndToEnd, OneProfileMakesThreeModulesAlikeAndAKeptValueIsReported)
{
    // Three modules set up differently, and a fourth that keeps its averaging whatever it is sent.
    std::vector<std::unique_ptr<SimulatedCompass>> modules;
    const QStringList setups[] = {{"--format", "2", "--fields", "7"},
                                  {"--format", "8", "--fields", "4095"},
                                  {"--fields", "15"},
                                  {"--refuse", "AVERAGING"}};
    for (int i = 0; i < 4; ++i) {
        modules.push_back(std::make_unique<SimulatedCompass>(dir.path(), 3 + i, QStringList{"--quiet"} + setups[i]));
        ASSERT_TRUE(modules.back()->linked());
    }
    EXPECT_NE(settingsOf(3), settingsOf(4));

    // All four at once, as a script on the line would.
    const QString path = profile();
    std::vector<std::unique_ptr<QProcess>> applying;
    for (int com = 3; com <= 6; ++com)
        applying.push_back(start({"--port", QStringLiteral("COM%1").arg(com), "apply", path}));
    std::vector<Run> runs;
    for (auto &process : applying)
        runs.push_back(finish(*process));

    const QJsonObject wanted = QJsonDocument::fromJson(LineProfile).object()["settings"].toObject();
    for (int com = 3; com <= 5; ++com) {
        const Run &r = runs[com - 3];
        EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
        const QJsonObject held = settingsOf(com);
        for (const QString &name : wanted.keys())
            EXPECT_EQ(held[name], wanted[name]) << "COM" << com << " " << name.toStdString();
    }
    const Run &refusing = runs[3];
    EXPECT_EQ(refusing.status, 1);
    EXPECT_TRUE(refusing.out.contains(QRegularExpression("AVERAGING +5 -> 8 +not taken: the module holds 5\\.")))
        << refusing.out.toStdString();
    EXPECT_TRUE(refusing.out.contains(QRegularExpression("OUTPUT_RATE +10 -> 5 +taken"))) << refusing.out.toStdString();

    // Applied again, nothing differs and nothing is sent.
    const Run again = run({"--port", "COM3", "apply", path, "--dry-run"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out.count("unchanged"), wanted.size()) << again.out.toStdString();
}

TEST_F(CtlEndToEnd, LogAndCheckRunWithoutAWindow)
{
    SimulatedCompass turning(dir.path(), 3,
                             {"--quiet", "--fields", "335", "--rate", "50", "--tumble", "4", "--hard-iron", "28,-16,9"});
    ASSERT_TRUE(turning.linked());
    const QString log = dir.filePath("line.txt");
    const Run logged = run({"--port", "3", "log", "--seconds", "2", "--output", log});
    EXPECT_EQ(logged.status, 0) << logged.err.toStdString();
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 50) << "50 sentences a second";
    EXPECT_EQ(lines[0], "Azimuth;Pitch;Roll;Temperature;Mag. X;Mag. Y;Mag Z;Acc. X;Acc. Y; Acc. Z;");
    EXPECT_TRUE(QRegularExpression("^(-?[0-9.]+;){3}-?[0-9.]+\u00B0C;(-?[0-9.]+;){6}$").match(lines[1]).hasMatch())
        << lines[1].toStdString();

    // The board's iron spoils the heading: checked over five seconds of turning.
    const Run checked = run({"--port", "COM3", "check", "--seconds", "5"});
    const QJsonObject check = QJsonDocument::fromJson(checked.out.toUtf8()).object();
    EXPECT_EQ(check["verdict"].toString(), "Recalibrate") << checked.out.toStdString();
    EXPECT_EQ(checked.status, 1);
    EXPECT_GT(check["heading_error_degrees"].toObject()["worst"].toDouble(), 1.0);
}

TEST_F(CtlEndToEnd, WhatWentWrongAndTheExitStatusThatSaysSo)
{
    const Run noPort = run({"info"});
    EXPECT_EQ(noPort.status, 2);
    EXPECT_TRUE(noPort.err.startsWith("compass-ctl: --port is needed")) << noPort.err.toStdString();
    EXPECT_EQ(run({"--port", "COM3", "reboot"}).status, 2);
    EXPECT_EQ(run({"--port", "COM3", "apply"}).status, 2);
    EXPECT_EQ(run({"--help"}).status, 0);

    const Run missing = run({"--port", "COM9", "info"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(missing.err.contains("No such file or directory")) << missing.err.toStdString();

    // A module without data output, which prints what it receives.
    SimulatedCompass silent(dir.path(), 3, {"--format", "16"});
    ASSERT_TRUE(silent.linked());
    QFile newer(dir.filePath("newer.json"));
    ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
    newer.write(R"({"format": "compass-bench settings profile", "version": 9, "settings": {"OUTPUT_RATE": 5}})");
    newer.close();
    const Run tooNew = run({"--port", "COM3", "apply", newer.fileName()});
    EXPECT_EQ(tooNew.status, 5);
    EXPECT_TRUE(tooNew.err.contains("newer program")) << tooNew.err.toStdString();
    EXPECT_FALSE(silent.received().contains("received")) << "nothing sent: " << silent.received().toStdString();

    const Run noData = run({"--port", "COM3", "log", "--seconds", "1"});
    EXPECT_EQ(noData.status, 4);
    EXPECT_TRUE(noData.err.contains("no data sentence")) << noData.err.toStdString();

    // The same module by its device path, which no rule names.
    const QString device = QFileInfo(QDir(ports()).filePath("COM3")).symLinkTarget();
    const Run byPath = run({"--port", device, "info"});
    EXPECT_EQ(byPath.status, 0) << byPath.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(byPath.out.toUtf8()).object()["serial_number"].toString(), "000012345");
}

} // namespace
