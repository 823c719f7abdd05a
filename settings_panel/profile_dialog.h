#pragma once
#include "settings_panel/profile_plan.h"

#include <QDialog>
#include <vector>

class QAbstractButton;
class QLabel;
class QTableWidget;

namespace settings_panel {

// "Settings Profile": a profile against the module, setting by setting. First
// the differences, before anything is sent (Apply, Cancel); after applying,
// what the module took (Close).
class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProfileDialog(QWidget *parent = nullptr);

    void showPlan(const SettingsProfile &profile, const QString &path, const std::vector<ProfileEntry> &plan);
    void showReport(const std::vector<ProfileEntry> &plan);
    // Apply was pressed.
    bool applyChosen() const { return result() == QDialog::Accepted && m_planShown; }

    QLabel *lblSummary() const { return m_lblSummary; }
    QTableWidget *tblSettings() const { return m_tblSettings; }
    QAbstractButton *cmdApply() const { return m_cmdApply; }
    QAbstractButton *cmdCancel() const { return m_cmdCancel; }
    QAbstractButton *cmdClose() const { return m_cmdClose; }

private:
    void fill(const std::vector<ProfileEntry> &plan, const QString &moduleColumn, const QString &lastColumn);

    QLabel *m_lblSummary;
    QTableWidget *m_tblSettings;
    QAbstractButton *m_cmdApply;
    QAbstractButton *m_cmdCancel;
    QAbstractButton *m_cmdClose;
    bool m_planShown = false;
};

} // namespace settings_panel
