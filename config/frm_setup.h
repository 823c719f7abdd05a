#pragma once
#include "config/cls_config.h"
#include "config/mod_serial_port.h"
#include "platform/platform.h"

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;
namespace controls { class XPButton; }

namespace config {

// The "Setup" dialog: the compass port's line settings and the chart ranges.
// OK writes them to the settings and saves the file; Cancel changes nothing.
// DialogResult() is 1 after OK, 2 after Cancel, 0 when closed otherwise.
// While it is open its port list follows adapters plugged in and out.
class frmSetup : public QDialog {
    Q_OBJECT

public:
    static constexpr std::int32_t ResultOk = 1;
    static constexpr std::int32_t ResultCancel = 2;
    // How often the port list is read again: a plugged adapter shows within a second.
    static constexpr int PortPollMs = 500;

    frmSetup(platform::Platform &platform, clsConfig &config, platform::SerialPort &comTest,
             QWidget *parent = nullptr);

    std::int32_t DialogResult() const { return m_dialogResult; }

    QComboBox *cmbCom() const { return m_cmbCom; }
    QComboBox *cmbBaud() const { return m_cmbBaud; }
    QComboBox *cmbParity() const { return m_cmbParity; }
    QComboBox *cmbDataBits() const { return m_cmbDataBits; }
    QComboBox *cmbStop() const { return m_cmbStop; }
    // A chart's range boxes, in its frame of the chart table.
    QLineEdit *minBox(charts::ChartId id) const { return m_minBoxes[id]; }
    QLineEdit *maxBox(charts::ChartId id) const { return m_maxBoxes[id]; }
    controls::XPButton *cmdOk() const { return m_cmdOk; }
    controls::XPButton *cmdCancel() const { return m_cmdCancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Enter presses OK, as leaving the box for OK would.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void LoadValues();
    void SelectPort();
    // Takes the system's list again, keeping the chosen port selected while it is there.
    void RefreshPortList();
    // Tells the user, and keeps the focus there, when the box holds no number.
    bool ValidateChartBox(QLineEdit *box);
    // A chart's range as OK would take it.
    ChartRange boxedRange(charts::ChartId id) const;
    // Tells the user, and puts the focus on the minimum, when a chart's limits
    // (as OK would take them) are no range the chart can show.
    bool ValidateChartRanges();
    void cmdOk_Click();
    void cmdCancel_Click();

    platform::Platform &m_platform;
    clsConfig &m_config;
    platform::SerialPort &m_comTest;
    QChar m_decimalSeparator;
    std::int32_t m_dialogResult = 0;
    platform::ComPortMap m_portMap;
    std::unique_ptr<platform::Timer> m_tmrPortPoll;
    // The port number last selected, kept while its adapter is unplugged.
    std::optional<QString> m_chosenPort;

    QComboBox *m_cmbCom = nullptr;
    QComboBox *m_cmbBaud = nullptr;
    QComboBox *m_cmbParity = nullptr;
    QComboBox *m_cmbDataBits = nullptr;
    QComboBox *m_cmbStop = nullptr;
    charts::PerChart<QLineEdit *> m_minBoxes{};
    charts::PerChart<QLineEdit *> m_maxBoxes{};
    controls::XPButton *m_cmdOk = nullptr;
    controls::XPButton *m_cmdCancel = nullptr;
};

} // namespace config
