#include "settings_panel/profile_commands.h"

#include "controls/busy_pointer.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"
#include "protocol/timed_commands.h"
#include "settings_panel/profile_dialog.h"
#include "settings_panel/settings_commands.h"
#include "settings_panel/settings_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace settings_panel {

namespace {

QString profileFilter()
{
    return ProfileCommands::tr("Settings profile (*.json)|*.json");
}

} // namespace

ProfileCommands::ProfileCommands(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                                 SettingsReader &reader, QWidget &windowAnchor)
    : m_host(host), m_state(state), m_gate(gate), m_reader(reader), m_windowAnchor(windowAnchor)
{
}

void ProfileCommands::withMenu(std::function<void(protocol::MenuExchange &)> action)
{
    if (auto exchange = m_gate.tryBegin()) {
        action(*exchange);
        return;
    }
    if (m_waitingForMenu)
        return;
    m_waitingForMenu = true;
    m_gate.whenFree([this, action = std::move(action)]() mutable {
        m_waitingForMenu = false;
        withMenu(std::move(action));
    });
}

void ProfileCommands::SaveSettings()
{
    // A read under way has not printed every setting yet: save once it is over.
    withMenu([this](protocol::MenuExchange &exchange) { save(exchange); });
}

void ProfileCommands::save(protocol::MenuExchange &exchange)
{
    if (!m_state.DumpReceived || m_state.DumpNamesSeen.empty()) {
        exchange.end();
        m_host.platform().messages.show(
            tr("The module's settings have not been read yet, so there is nothing to save."),
            platform::MessageIcon::Information, platform::MessageButtons::Ok,
            tr("Open the port and wait for the module's readings: its settings are read with the first "
               "one. Then save again."));
        return;
    }
    const QByteArray json = ProfileJson(m_state, m_host.platform().clock.now());
    exchange.end();
    platform::FileDialogRequest request;
    request.title = tr("Save Settings");
    request.filter = profileFilter();
    request.pathMustExist = false;
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("json");
    const auto path = m_host.platform().files.choose(request);
    if (!path)
        return;
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        showExclamation(tr("The profile could not be saved to %1.").arg(*path),
                        file.errorString() + tr(". Choose a folder you may write to, with room left."));
}

void ProfileCommands::LoadSettings()
{
    if (!m_host.port().isOpen()) {
        showExclamation(SettingsCommands::PortClosedMessage());
        return;
    }
    platform::FileDialogRequest request;
    request.title = tr("Load Settings");
    request.filter = profileFilter();
    request.saveDialog = false;
    const auto path = m_host.platform().files.choose(request);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        showExclamation(tr("The profile %1 could not be read.").arg(*path), file.errorString() + '.');
        return;
    }
    const ProfileRead read = ReadProfile(file.readAll());
    if (!read.profile) {
        showExclamation(tr("%1 cannot be loaded; nothing was sent.").arg(*path), read.error);
        return;
    }
    withMenu([this, profile = *read.profile, path = *path](protocol::MenuExchange &exchange) {
        compare(exchange, profile, path);
    });
}

void ProfileCommands::compare(protocol::MenuExchange &exchange, const SettingsProfile &profile, const QString &path)
{
    if (!m_host.port().isOpen())
        return;
    std::optional<controls::BusyPointer> busy(std::in_place);
    m_reader.RequestSettings(exchange, false);
    // A port lost meanwhile has been told already.
    if (!m_host.port().isOpen())
        return;
    if (!m_state.DumpReceived) {
        exchange.end();
        busy.reset();
        showExclamation(tr("The module did not answer the settings request; nothing was sent."),
                        tr("Check that the module is connected and sends data, then load the profile "
                           "again."));
        return;
    }
    std::vector<ProfileEntry> plan = PlanProfile(profile, m_state, decimalSeparator());
    exchange.end();
    busy.reset();
    ProfileDialog dialog(m_windowAnchor.window());
    dialog.showPlan(profile, path, plan);
    m_host.runModal(dialog);
    if (!dialog.applyChosen())
        return;
    withMenu([this, plan = std::move(plan)](protocol::MenuExchange &applying) { apply(applying, plan); });
}

void ProfileCommands::apply(protocol::MenuExchange &exchange, std::vector<ProfileEntry> plan)
{
    std::optional<controls::BusyPointer> busy(std::in_place);
    platform::Platform &platform = m_host.platform();
    for (const ProfileEntry *entry : SendingOrder(plan)) {
        if (!m_host.port().isOpen())
            break;
        protocol::SendSettingCommand(platform, m_host.port(), *entry->setting, entry->sent,
                                     [this] { m_state.MenuCommandActive = true; });
        m_state.MenuCommandActive = false;
    }
    m_host.clearShiftMode(exchange);
    if (!m_host.port().isOpen())
        return;
    platform::Wait(platform, protocol::PanelPace::BeforeReread);
    m_reader.RequestSettings(exchange, true);
    if (!m_host.port().isOpen())
        return;
    JudgeReadBack(plan, m_state, decimalSeparator());
    exchange.end();
    busy.reset();
    if (!m_state.DumpReceived)
        showExclamation(tr("The module did not answer when its settings were read back, so none of "
                           "those sent is confirmed."),
                        tr("If the profile changed the baud rate, set the port to the new speed with "
                           "Configure, then load the profile again to compare."));
    ProfileDialog report(m_windowAnchor.window());
    report.showReport(plan);
    m_host.runModal(report);
}

void ProfileCommands::showExclamation(const QString &text, const QString &detail)
{
    m_host.platform().messages.show(text, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok, detail);
}

char ProfileCommands::decimalSeparator() const
{
    return m_host.platform().separators.numberByte();
}

} // namespace settings_panel
