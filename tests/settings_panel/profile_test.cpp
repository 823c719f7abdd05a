#include "panel_bench.h"

#include "settings_panel/profile_dialog.h"
#include "settings_panel/settings_dump.h"

#include <QAbstractButton>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTableWidget>

namespace panel_test {
namespace {

using settings_panel::ProfileOutcome;

// A module's dump as it prints it: user settings, identity and calibration values.
const std::string ModuleDump = "FW_VERSION=2.6\r\nFW_DATE=Nov 05 2010\r\nSERIAL_NUMBER=000012345\r\n"
                               "OUTPUT_FORMAT=1\r\nDISPLAY_FIELDS=15\r\nSET-RESET_RATE=20\r\nDEVIATION=12.5\r\n"
                               "DECLINATION=0.0\r\nSOFTIRONCORRECTION=1\r\nBAUD_RATE=3\r\nOUTPUT_RATE=10\r\n"
                               "MAX_PSI=100\r\nHW_MOUNTING_POS=1\r\nTEMP_OFFSET=0.5\r\nLIFESKIP=8\r\nEULER=4\r\n"
                               "MAG_X_OFFSET=12.5\r\nKFILTER=0.25";

protocol::ConsoleState parsed(const std::string &dump)
{
    protocol::ConsoleState state;
    std::size_t start = 0;
    while (start < dump.size()) {
        const std::size_t end = std::min(dump.find("\r\n", start), dump.size());
        settings_panel::ParseSettingsLine(state, dump.substr(start, end - start) + "\r\n", '.');
        start = end + 2;
    }
    return state;
}

settings_panel::SettingsProfile profileOf(const QByteArray &settingsJson)
{
    const auto read = settings_panel::ReadProfile(
        R"({"format": "compass-bench settings profile", "version": 1, "settings": )" + settingsJson + "}");
    EXPECT_TRUE(read.profile) << read.error.toStdString();
    return read.profile.value_or(settings_panel::SettingsProfile{});
}

const settings_panel::ProfileEntry &entryOf(const std::vector<settings_panel::ProfileEntry> &plan, const char *name)
{
    const auto found = std::find_if(plan.begin(), plan.end(), [&](const auto &e) { return e.name == name; });
    EXPECT_NE(found, plan.end()) << name;
    return *found;
}

TEST(SettingsProfile, HoldsTheUserSettingsTheDumpPrintedAndTheModulesIdentity)
{
    const QByteArray json = settings_panel::ProfileJson(parsed(ModuleDump), QDateTime(QDate(2026, 1, 15), QTime(10, 22)));
    EXPECT_GT(json.count('\n'), 20) << "one line a value, for reading and diffing";
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(root["saved"].toString(), "2026-01-15T10:22:00");
    const QJsonObject module = root["module"].toObject();
    EXPECT_EQ(module["SERIAL_NUMBER"].toString(), "000012345");
    EXPECT_EQ(module["FW_VERSION"].toString(), "2.6");
    EXPECT_EQ(module["FW_DATE"].toString(), "Nov 05 2010");
    const QJsonObject settings = root["settings"].toObject();
    EXPECT_EQ(settings.keys(), (QStringList{"BAUD_RATE", "DECLINATION", "DEVIATION", "DISPLAY_FIELDS", "EULER",
                                            "HW_MOUNTING_POS", "LIFESKIP", "MAX_PSI", "OUTPUT_FORMAT", "OUTPUT_RATE",
                                            "SET-RESET_RATE", "SOFTIRONCORRECTION", "TEMP_OFFSET"}))
        << "no calibration value, nothing the dump did not print";
    EXPECT_EQ(settings["DEVIATION"].toDouble(), 12.5);
    EXPECT_EQ(settings["TEMP_OFFSET"].toDouble(), 0.5) << "the single float's digits, not its double";
    EXPECT_EQ(settings["OUTPUT_RATE"].toInt(), 10);
    EXPECT_EQ(settings["SOFTIRONCORRECTION"].toBool(), true);
    EXPECT_EQ(settings["BAUD_RATE"].toString(), "3");

    const auto read = settings_panel::ReadProfile(json);
    ASSERT_TRUE(read.profile);
    EXPECT_EQ(read.profile->serialNumber, "000012345");
    const auto plan = settings_panel::PlanProfile(*read.profile, parsed(ModuleDump), '.');
    EXPECT_EQ(plan.size(), 13u);
    for (const auto &entry : plan)
        EXPECT_EQ(entry.outcome, ProfileOutcome::Unchanged) << entry.name << " saved and loaded again";
}

TEST(SettingsProfile, ANewerOrForeignFileIsNoProfile)
{
    EXPECT_TRUE(settings_panel::ReadProfile("{\"format\": \"compass-bench").error.contains("not JSON"));
    EXPECT_TRUE(settings_panel::ReadProfile(R"({"format": "other", "version": 1, "settings": {}})")
                    .error.contains("no settings profile"));
    const auto newer = settings_panel::ReadProfile(
        R"({"format": "compass-bench settings profile", "version": 2, "settings": {"OUTPUT_RATE": 5}})");
    EXPECT_FALSE(newer.profile);
    EXPECT_TRUE(newer.error.contains("newer program")) << newer.error.toStdString();
}

TEST(SettingsProfile, EachSettingIsSentUnchangedOrReportedWithItsReason)
{
    const auto plan = settings_panel::PlanProfile(
        profileOf(R"({"OUTPUT_RATE": -30, "DEVIATION": 12.50, "DECLINATION": -3.25, "SOFTIRONCORRECTION": false,
                       "BAUD_RATE": 5, "TEMP_OFFSET": 0.5, "SET-RESET_RATE": 4001, "EULER": [2],
                       "HW_MOUNTING_POS": 6, "DISPLAY_FIELDS": 8192, "AVERAGING": 16, "MAG_X_OFFSET": 1,
                       "WOBBLE": 3, "OUTPUT_FORMAT": 8})"),
        parsed(ModuleDump), ',');
    const struct {
        const char *name;
        ProfileOutcome outcome;
        const char *sent;
    } expected[] = {
        {"OUTPUT_FORMAT", ProfileOutcome::Change, "8"},    {"BAUD_RATE", ProfileOutcome::Change, "5"},
        {"OUTPUT_RATE", ProfileOutcome::Change, "-30"},    {"DEVIATION", ProfileOutcome::Unchanged, ""},
        {"DECLINATION", ProfileOutcome::Change, "-32.5"},  {"TEMP_OFFSET", ProfileOutcome::Unchanged, ""},
        {"SOFTIRONCORRECTION", ProfileOutcome::Change, "0"},
        {"SET-RESET_RATE", ProfileOutcome::Refused, ""},   {"EULER", ProfileOutcome::Refused, ""},
        {"HW_MOUNTING_POS", ProfileOutcome::Change, "6"},  {"DISPLAY_FIELDS", ProfileOutcome::Refused, ""},
        {"AVERAGING", ProfileOutcome::ModuleLacks, ""},    {"MAG_X_OFFSET", ProfileOutcome::Unknown, ""},
        {"WOBBLE", ProfileOutcome::Unknown, ""},
    };
    EXPECT_EQ(plan.size(), std::size(expected));
    for (const auto &e : expected) {
        const auto &entry = entryOf(plan, e.name);
        EXPECT_EQ(entry.outcome, e.outcome) << e.name;
        if (e.outcome == ProfileOutcome::Change) {
            EXPECT_EQ(entry.sent, e.sent) << e.name;
        }
    }
    EXPECT_EQ(entryOf(plan, "SET-RESET_RATE").reason, "Please enter a valid range for deguass (5~4000).");
    EXPECT_EQ(entryOf(plan, "DECLINATION").module, "0") << "shown as the panel shows it";
    EXPECT_EQ(entryOf(plan, "TEMP_OFFSET").module, "0,5") << "with the user's separator";
    EXPECT_EQ(entryOf(plan, "SOFTIRONCORRECTION").profile, "False");
    EXPECT_EQ(entryOf(plan, "EULER").profile, "[2]") << "as the file writes it";
    EXPECT_EQ(settings_panel::Shortfalls(plan), 6);

    const auto order = settings_panel::SendingOrder(plan);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order.back()->name, "BAUD_RATE") << "the module answers at its new speed after it";
}

TEST(SettingsProfile, TheReadBackTellsTakenFromNotTaken)
{
    auto plan = settings_panel::PlanProfile(profileOf(R"({"OUTPUT_RATE": 5, "DEVIATION": 1, "EULER": 0})"),
                                            parsed(ModuleDump), '.');
    settings_panel::JudgeReadBack(plan, parsed("OUTPUT_RATE=5\r\nDEVIATION=12.5"), '.');
    EXPECT_EQ(entryOf(plan, "OUTPUT_RATE").outcome, ProfileOutcome::Taken);
    EXPECT_EQ(entryOf(plan, "DEVIATION").outcome, ProfileOutcome::NotTaken);
    EXPECT_EQ(settings_panel::OutcomeText(entryOf(plan, "DEVIATION")), "not taken: the module holds 12.5.");
    EXPECT_EQ(entryOf(plan, "EULER").outcome, ProfileOutcome::NotTaken) << "the read-back did not print it";
    EXPECT_EQ(settings_panel::Shortfalls(plan), 2);
}

// Load Settings on the panel, against a compass that answers the menu.
class ProfileLoad : public PanelBench {
protected:
    ProfileLoad()
    {
        host.onModal = [this](QDialog &dialog) {
            // A user who reads the window for a second and a half.
            sim.advance(1500);
            auto &shown = static_cast<settings_panel::ProfileDialog &>(dialog);
            QStringList rows;
            for (int row = 0; row < shown.tblSettings()->rowCount(); ++row)
                rows << shown.tblSettings()->item(row, 0)->text() + " | " + shown.tblSettings()->item(row, 3)->text();
            dialogs.push_back(rows);
            (!shown.cmdApply()->isHidden() && apply ? shown.cmdApply() : shown.cmdCancel())->click();
            if (!shown.cmdClose()->isHidden())
                shown.cmdClose()->click();
        };
    }
    QString profileFile(const QByteArray &settingsJson, int version = 1)
    {
        const QString path = dir.filePath("profile.json");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "compass-bench settings profile", "version": )" + QByteArray::number(version) +
                   R"(, "settings": )" + settingsJson + "}");
        return path;
    }
    std::vector<Sent> load(const QString &path)
    {
        sim.files.queueAnswer(path);
        host.sim().clearWritten();
        const VirtualMs start = sim.now();
        controller.profiles().LoadSettings();
        return sent(start);
    }

    bool apply = true;
    std::vector<QStringList> dialogs;
};

TEST_F(ProfileLoad, ApplySendsOnlyTheDifferencesAsTheSetButtonsDoThenReadsBack)
{
    // The module takes the rate, and keeps its old deviation.
    board.replies['&'] = {ModuleDump, "OUTPUT_RATE=-5\r\nDEVIATION=12.5\r\nDECLINATION=0.0\r\nBAUD_RATE=3"};
    const auto written = load(profileFile(R"({"OUTPUT_RATE": -5, "DEVIATION": 1.5, "DECLINATION": 0})"));
    // The module's settings are read once the user has picked the file.
    const std::vector<Sent> read = {{platform::sim::SimFileDialog::DefaultOpenMs, ESC},
                                    {After(50) + After(300), "&"},
                                    {After(500), " "}};
    ASSERT_EQ(written.size(), 12u);
    EXPECT_EQ(std::vector<Sent>(written.begin(), written.begin() + 3), read);
    // Once the user applied the differences, the two changes, as their Set buttons send them.
    EXPECT_EQ(std::vector<Sent>(written.begin() + 4, written.begin() + 7),
              (std::vector<Sent>{{After(500), "R"}, {After(500), "-5\r"}, {0, ESC}}));
    EXPECT_EQ(std::vector<Sent>(written.begin() + 7, written.begin() + 9),
              (std::vector<Sent>{{After(500), "N"}, {After(500), "15\r"}}));
    EXPECT_EQ(std::vector<Sent>(written.begin() + 10, written.end()),
              (std::vector<Sent>{{After(50) + After(300), "&"}, {After(500), " "}}));
    EXPECT_EQ(written[9], (Sent{After(200), ESC})) << "read back 200 ms after the last command";

    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0], (QStringList{"Output Rate (OUTPUT_RATE) | to be set", "Deviation (DEVIATION) | to be set",
                                       "Declination (DECLINATION) | unchanged"}));
    EXPECT_EQ(dialogs[1], (QStringList{"Output Rate (OUTPUT_RATE) | taken",
                                       "Deviation (DEVIATION) | not taken: the module holds 12.5.",
                                       "Declination (DECLINATION) | unchanged"}));
    EXPECT_EQ(panel->txtCSOutRate()->text(), "-5") << "the panel shows what the module holds";
}

TEST_F(ProfileLoad, AReadBackWithoutAnswerConfirmsNothing)
{
    // As a module that took a new baud rate and now talks at it.
    board.replies['&'] = {ModuleDump, ""};
    load(profileFile(R"({"OUTPUT_RATE": -5})"));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1], QStringList{"Output Rate (OUTPUT_RATE) | not taken: the module's settings no longer show it."});
    ASSERT_EQ(sim.messages.texts().size(), 1);
    EXPECT_TRUE(sim.messages.texts()[0].contains("did not answer when its settings were read back"));
}

TEST_F(ProfileLoad, CancelOrAProfileThatCannotBeLoadedSendsNothing)
{
    // A poll read saw the averaging; the module's settings read afresh do not show it.
    read("AVERAGING=5", false);
    board.replies['&'] = {ModuleDump};
    apply = false;
    EXPECT_EQ(load(profileFile(R"({"OUTPUT_RATE": -5, "AVERAGING": 8})")).size(), 3u)
        << "the read of the module's settings alone";
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], (QStringList{"Output Rate (OUTPUT_RATE) | to be set",
                                       "Average Samples (AVERAGING) | not sent: the module does not have this setting."}));

    EXPECT_TRUE(load(profileFile(R"({"OUTPUT_RATE": -5})", 2)).empty());
    EXPECT_TRUE(load(dir.filePath("missing.json")).empty());
    const QStringList told = sim.messages.texts();
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].endsWith("profile.json cannot be loaded; nothing was sent.")) << told[0].toStdString();
    EXPECT_TRUE(sim.messages.shown()[0].detail.contains("newer program"));
    EXPECT_TRUE(told[1].contains("missing.json could not be read")) << told[1].toStdString();
    EXPECT_EQ(dialogs.size(), 1u);

    host.port().close();
    EXPECT_TRUE(load(profileFile(R"({"OUTPUT_RATE": -5})")).empty());
    EXPECT_EQ(sim.messages.texts().back(),
              "The com port isn't open, to set this parameter you should first open the port and connect to the Orvex.");
}

TEST_F(ProfileLoad, SaveWritesWhatTheLastDumpPrinted)
{
    const QString path = dir.filePath("saved.json");
    sim.files.queueAnswer(path);
    controller.profiles().SaveSettings();
    EXPECT_FALSE(QFile::exists(path)) << "nothing read yet, nothing to save";
    EXPECT_EQ(sim.messages.shown().back().icon, platform::MessageIcon::Information);

    read(ModuleDump, false);
    controller.profiles().SaveSettings();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject settings = QJsonDocument::fromJson(file.readAll()).object()["settings"].toObject();
    EXPECT_EQ(settings["OUTPUT_RATE"].toInt(), 10);
    EXPECT_EQ(settings.size(), 13);
}

} // namespace
} // namespace panel_test
