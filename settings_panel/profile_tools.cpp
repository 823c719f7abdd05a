#include "settings_panel/profile_tools.h"

#include "controls/xp_button.h"

#include <QHBoxLayout>

namespace settings_panel {

ProfileTools::ProfileTools(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frProfileTools"));
    m_cmdSaveSettings = new controls::XPButton(tr("Save Settings..."), "cmdSaveSettings", this);
    m_cmdLoadSettings = new controls::XPButton(tr("Load Settings..."), "cmdLoadSettings", this);
    m_cmdSaveSettings->setAccessibleDescription(tr("Save the module's settings to a profile file"));
    m_cmdLoadSettings->setAccessibleDescription(
        tr("Compare a profile file with the module's settings, then send what differs"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_cmdSaveSettings);
    layout->addWidget(m_cmdLoadSettings);
}

} // namespace settings_panel
