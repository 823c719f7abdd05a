#include "settings_panel/profile_dialog.h"

#include "controls/xp_button.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace settings_panel {

namespace {

enum Column { SettingColumn, ModuleColumn, ProfileColumn, OutcomeColumn, ColumnCount };

// "Output Rate (OUTPUT_RATE)": the panel's caption and the profile's name.
QString settingName(const ProfileEntry &entry)
{
    const QString name = QString::fromStdString(entry.name);
    if (!entry.setting)
        return name;
    QString caption = protocol::SettingText(entry.setting->caption);
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption + QStringLiteral(" (") + name + QLatin1Char(')');
}

bool fallsShort(ProfileOutcome outcome)
{
    return outcome == ProfileOutcome::Unknown || outcome == ProfileOutcome::ModuleLacks ||
           outcome == ProfileOutcome::Refused || outcome == ProfileOutcome::NotTaken;
}

int countOf(const std::vector<ProfileEntry> &plan, ProfileOutcome outcome)
{
    return static_cast<int>(std::count_if(plan.begin(), plan.end(),
                                           [outcome](const ProfileEntry &e) { return e.outcome == outcome; }));
}

} // namespace

ProfileDialog::ProfileDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSettingsProfile"));
    setWindowTitle(tr("Settings Profile"));

    m_lblSummary = new QLabel(this);
    m_lblSummary->setObjectName(QStringLiteral("lblSummary"));
    m_lblSummary->setWordWrap(true);

    m_tblSettings = new QTableWidget(0, ColumnCount, this);
    m_tblSettings->setObjectName(QStringLiteral("tblSettings"));
    m_tblSettings->setAccessibleName(tr("Settings of the profile against the module"));
    m_tblSettings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblSettings->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblSettings->verticalHeader()->hide();
    // A line of text a row: every user setting shows without scrolling.
    m_tblSettings->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_tblSettings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tblSettings->horizontalHeader()->setStretchLastSection(true);

    m_cmdApply = new controls::XPButton(tr("Apply"), "cmdApply", this);
    m_cmdCancel = new controls::XPButton(tr("Cancel"), "cmdCancel", this);
    m_cmdClose = new controls::XPButton(tr("Close"), "cmdClose", this);
    connect(m_cmdApply, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(m_cmdCancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_cmdClose, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdApply);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSummary);
    layout->addWidget(m_tblSettings, 1);
    layout->addLayout(buttons);
    resize(900, 520);
}

void ProfileDialog::showPlan(const SettingsProfile &profile, const QString &path, const std::vector<ProfileEntry> &plan)
{
    m_planShown = true;
    const int changes = countOf(plan, ProfileOutcome::Change);
    QString from = tr("saved %1").arg(profile.saved);
    if (!profile.serialNumber.isEmpty())
        from += tr(" from module %1 (firmware %2)").arg(profile.serialNumber, profile.firmwareVersion);
    QString what = changes == 0   ? tr("No setting differs from the module: nothing to send.")
                   : changes == 1 ? tr("1 setting differs from the module: Apply sends it, Cancel sends nothing.")
                                  : tr("%1 settings differ from the module: Apply sends them, Cancel sends nothing.")
                                        .arg(changes);
    if (const int reported = Shortfalls(plan))
        what += QLatin1Char(' ') + (reported == 1 ? tr("1 setting of the profile cannot be sent; the table says why.")
                                                  : tr("%1 settings of the profile cannot be sent; the table says why.")
                                                        .arg(reported));
    m_lblSummary->setText(tr("Profile %1, %2.").arg(QFileInfo(path).fileName(), from) + QLatin1Char('\n') + what);
    m_lblSummary->setToolTip(path);
    fill(plan, tr("Module"), tr("What happens"));
    m_cmdApply->setEnabled(changes > 0);
    m_cmdApply->setVisible(true);
    m_cmdCancel->setVisible(true);
    m_cmdClose->setVisible(false);
    (changes ? m_cmdApply : m_cmdCancel)->setFocus();
}

void ProfileDialog::showReport(const std::vector<ProfileEntry> &plan)
{
    m_planShown = false;
    m_lblSummary->setText(tr("Settings read back from the module: %1 taken, %2 not taken, %3 unchanged, %4 not sent.")
                              .arg(countOf(plan, ProfileOutcome::Taken))
                              .arg(countOf(plan, ProfileOutcome::NotTaken))
                              .arg(countOf(plan, ProfileOutcome::Unchanged))
                              .arg(countOf(plan, ProfileOutcome::Unknown) + countOf(plan, ProfileOutcome::ModuleLacks) +
                                   countOf(plan, ProfileOutcome::Refused)));
    fill(plan, tr("Module before"), tr("Result"));
    m_cmdApply->setVisible(false);
    m_cmdCancel->setVisible(false);
    m_cmdClose->setVisible(true);
    m_cmdClose->setFocus();
}

void ProfileDialog::fill(const std::vector<ProfileEntry> &plan, const QString &moduleColumn, const QString &lastColumn)
{
    m_tblSettings->setHorizontalHeaderLabels({tr("Setting"), moduleColumn, tr("Profile"), lastColumn});
    m_tblSettings->setRowCount(static_cast<int>(plan.size()));
    for (int row = 0; row < static_cast<int>(plan.size()); ++row) {
        const ProfileEntry &entry = plan[row];
        const QString cells[ColumnCount] = {settingName(entry), QString::fromStdString(entry.module),
                                            QString::fromStdString(entry.profile), OutcomeText(entry)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (fallsShort(entry.outcome))
                item->setForeground(QColor(170, 0, 0));
            m_tblSettings->setItem(row, column, item);
        }
    }
}

} // namespace settings_panel
