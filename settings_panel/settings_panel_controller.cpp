#include "settings_panel/settings_panel_controller.h"

#include "numbers/number_reader.h"
#include "settings_panel/panel_refresh.h"
#include "settings_panel/profile_tools.h"
#include "settings_panel/rate_unit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace settings_panel {

SettingsPanelController::SettingsPanelController(SettingsHost &host, protocol::ConsoleState &state,
                                                 protocol::MenuExchangeGate &gate, CompassSettingsPanel &panel,
                                                 QObject *parent)
    : QObject(parent), m_host(host), m_state(state), m_panel(panel),
      m_guard(host.platform().messages, [this] { return decimalSeparator(); }),
      m_reader(host, state, gate, panel, [this] { RefreshSettingsPanel(); }),
      m_commands(host, state, gate, panel, m_reader), m_profiles(host, state, gate, m_reader, panel)
{
    linkScrollBars();
    watchFields();
    connect(&m_panel, &CompassSettingsPanel::setPressed, this, [this](int index) { m_commands.Press(index); });
}

void SettingsPanelController::offerProfiles(ProfileTools &tools)
{
    connect(tools.cmdSaveSettings(), &QAbstractButton::clicked, this, [this] { m_profiles.SaveSettings(); });
    connect(tools.cmdLoadSettings(), &QAbstractButton::clicked, this, [this] { m_profiles.LoadSettings(); });
}

void SettingsPanelController::FillDefaults()
{
    FillPanelDefaults(m_panel);
}

bool SettingsPanelController::RefreshSettingsPanel()
{
    return settings_panel::RefreshSettingsPanel(m_panel, m_state, m_host,
                                                [this](bool available) { m_commands.setNullGyroAvailable(available); });
}

void SettingsPanelController::linkScrollBars()
{
    for (const protocol::Setting &setting : protocol::Settings()) {
        if (setting.input != protocol::Input::FieldWithScrollBar)
            continue;
        QLineEdit *field = m_panel.field(setting.inputName);
        const int mirror = setting.scrollMirror;
        connect(m_panel.scrollBar(setting.inputName), &QScrollBar::valueChanged, this,
                [field, mirror](int value) { field->setText(QString::number(mirror - value)); });
    }
    // The unit follows every edit of the rate, the program's own included.
    QLabel *unit = m_panel.lblCSOutRateUnit();
    connect(m_panel.txtCSOutRate(), &QLineEdit::textChanged, this, [this, unit](const QString &text) {
        if (const auto number = numbers::ReadNumber(text.toLatin1().toStdString(), {decimalSeparator()}))
            unit->setText(OutRateUnit(numbers::RoundHalfEven(*number) < 0 ? -1 : 0));
    });
}

void SettingsPanelController::watchFields()
{
    for (const protocol::Setting &setting : protocol::Settings()) {
        if (!setting.check)
            continue;
        std::function<void(double)> onValid;
        if (setting.input == protocol::Input::FieldWithScrollBar) {
            QScrollBar *bar = m_panel.scrollBar(setting.inputName);
            const int mirror = setting.scrollMirror;
            onValid = [bar, mirror](double number) { bar->setValue(mirror - static_cast<int>(number)); };
        }
        m_guard.watch(m_panel.field(setting.inputName), *setting.check, m_panel.cmdSet(setting.button),
                      std::move(onValid));
    }
}

char SettingsPanelController::decimalSeparator() const
{
    return m_host.platform().separators.numberByte();
}

} // namespace settings_panel
