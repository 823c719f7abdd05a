#pragma once
#include "app/receive_path.h"
#include "app/sentence_parser.h"
#include "platform/platform.h"
#include "protocol/console_state.h"
#include "protocol/link_supervisor.h"
#include "settings_panel/settings_host.h"
#include "wizard/wizard_host.h"

#include <QWidget>
#include <memory>

class QAbstractButton;
class QLabel;

namespace charts { class ChartWindows; }
namespace config { class clsConfig; }
namespace device { class clsCompass; }
namespace logging { class LogFrame; }
namespace mag_check { class frmMagCheck; }
namespace protocol { class MenuExchange; class MenuExchangeGate; }
namespace settings_panel { class CompassSettingsPanel; class SettingsPanelController; }

namespace app {

class EscapeSearch;
class LiveDisplay;
class TerminalFrame;

// The program's main window: it owns the port, the settings, the compass
// object and the chart windows for the whole run.
class frmMain : public QWidget, private settings_panel::SettingsHost, private wizard::WizardHost {
    Q_OBJECT
public:
    // "Quorvane Orvex Demo Utility V2.6", 31 blanks, "(Nov 5, 2010)".
    static QString Caption();
    static constexpr int OpenAttempts = 20;

    explicit frmMain(platform::Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // Window load: settings, charts, defaults. Shows the settings-file notice.
    void Form_Load();

    bool TryToOpenPort();
    void ApplySettings();
    void ExitProgram();

    // Handlers, public so that tests can press them.
    void cmdOpen_Click();
    void cmdClose_Click();
    void cmdConfigure_Click();
    void cmdExit_Click();
    void cmdShowCSetup_Click();
    void chkShiftMode_Click();
    void cmdHighTemp_Click();

    protocol::ConsoleState &state() { return m_state; }
    ReceivePath &receivePath() { return *m_receive; }
    platform::SerialPort &Com() { return *m_com; }
    protocol::LinkSupervisor &link() { return *m_link; }
    std::int32_t sampleNumber() const { return m_parser->SampleNumber(); }
    std::int32_t DialogResult = 0;

signals:
    // The program should end now.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    // SettingsHost
    platform::Platform &platform() override { return m_platform; }
    platform::SerialPort &port() override { return *m_com; }
    platform::Timer &checkAliveTimer() override { return m_link->tmrCheckAlive(); }
    void updateFormat16Notice() override { m_link->UpdateFormat16Notice(); }
    void clearShiftMode(protocol::MenuExchange &running) override;
    void appendTerminal(const std::string &text) override;
    void runModal(QDialog &dialog) override;
    // WizardHost
    device::SerialLineSettings storedSerialSettings() override;
    float refAngleThreshold() override;
    device::clsCompass &replaceCompass(std::unique_ptr<device::clsCompass> compass) override;
    void setCompassOwnsPort(bool owns) override { m_state.CompassOwnsPort = owns; }

    void tellConfigLoad(std::int32_t loaded);
    void buildWindow();
    // The link supervision, the parser, the receive path and the escape
    // search, connected to what they feed.
    void connectReceivePath();
    void onPortLost(const std::string &reason);
    void setPortButtons(bool open);
    // Resizes the window to `wanted`, within the available screen and above
    // the layout's minimum, and moves it back onto the screen if it sticks out.
    void fitToScreen(QSize wanted);
    // Maximised or full screen: the window manager decides the size and place.
    bool followsScreen() const;

    platform::Platform &m_platform;
    protocol::ConsoleState m_state;
    std::unique_ptr<config::clsConfig> m_config;
    std::unique_ptr<device::clsCompass> m_gCompass;
    std::unique_ptr<platform::SerialPort> m_com;
    std::unique_ptr<platform::SerialPort> m_comTest;
    std::unique_ptr<protocol::LinkSupervisor> m_link;
    std::unique_ptr<SentenceParser> m_parser;
    std::unique_ptr<ReceivePath> m_receive;
    std::unique_ptr<EscapeSearch> m_escapeSearch;
    std::unique_ptr<protocol::MenuExchangeGate> m_gate;
    protocol::MenuExchange *m_shiftModeExchange = nullptr;
    // A window for each chart of the chart table, without an owner, loaded hidden.
    std::unique_ptr<charts::ChartWindows> m_charts;
    // Opened from the magnetic chart window; the parser feeds both charts through it.
    std::unique_ptr<mag_check::frmMagCheck> m_frmMagCheck;
    // The size hint the window last followed, and the size it was given for it.
    QSize m_askedFor;
    QSize m_fitted;
    // The view changed while the window was maximised.
    bool m_fitWhenRestored = false;

    QAbstractButton *m_cmdConfigure = nullptr;
    QAbstractButton *m_cmdOpen = nullptr;
    QAbstractButton *m_cmdClose = nullptr;
    QAbstractButton *m_cmdExit = nullptr;
    QAbstractButton *m_cmdShowCSetup = nullptr;
    QAbstractButton *m_cmdShowCmpData = nullptr;
    QWidget *m_frViewData = nullptr;
    QWidget *m_frCS = nullptr;
    QLabel *m_lblPresent = nullptr;
    QLabel *m_lblFormat16 = nullptr;
    QLabel *m_lbl1004 = nullptr;
    TerminalFrame *m_terminal = nullptr;
    LiveDisplay *m_live = nullptr;
    logging::LogFrame *m_logFrame = nullptr;
    settings_panel::CompassSettingsPanel *m_settingsPanel = nullptr;
    settings_panel::SettingsPanelController *m_panelController = nullptr;
};

} // namespace app
