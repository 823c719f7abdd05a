#pragma once
#include <QWidget>

class QAbstractButton;

namespace settings_panel {

// "Save Settings..." and "Load Settings...", side by side; the host places
// them among the terminal's tools.
class ProfileTools : public QWidget {
    Q_OBJECT
public:
    explicit ProfileTools(QWidget *parent = nullptr);
    QAbstractButton *cmdSaveSettings() const { return m_cmdSaveSettings; }
    QAbstractButton *cmdLoadSettings() const { return m_cmdLoadSettings; }

private:
    QAbstractButton *m_cmdSaveSettings;
    QAbstractButton *m_cmdLoadSettings;
};

} // namespace settings_panel
