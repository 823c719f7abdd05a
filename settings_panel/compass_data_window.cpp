#include "settings_panel/compass_data_window.h"

#include "controls/xp_button.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace settings_panel {

CompassDataWindow::CompassDataWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCmpData"));
    setWindowTitle(tr("Compass Data"));

    m_txtData = new QPlainTextEdit(this);
    m_txtData->setObjectName(QStringLiteral("txtData"));
    m_txtData->setAccessibleName(tr("Compass Data"));
    m_txtData->setReadOnly(true);
    m_txtData->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_cmdClose = new controls::XPButton(tr("Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(m_cmdClose, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtData);
    layout->addLayout(buttons);
    resize(420, 560);
}

void CompassDataWindow::setText(const std::string &text)
{
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_txtData->setPlainText(shown);
}

} // namespace settings_panel
