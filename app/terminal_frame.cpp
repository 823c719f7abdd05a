#include "app/terminal_frame.h"

#include "app/terminal_display.h"
#include "controls/xp_button.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace app {

TerminalFrame::TerminalFrame(QWidget *parent) : QWidget(parent)
{
    auto *caption = new QLabel(tr("Terminal Window"), this);
    m_txtInput = new QPlainTextEdit(this);
    m_txtInput->setObjectName(QStringLiteral("txtInput"));
    m_txtInput->setReadOnly(true);
    m_txtInput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtInput->setAccessibleName(caption->text());
    // The window grows for the terminal rather than squeeze it.
    m_txtInput->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    QFont mono(QStringLiteral("Lucida Console"));
    mono.setStyleHint(QFont::Monospace);
    if (!QFontDatabase::families().contains(mono.family()))
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_txtInput->setFont(mono);
    caption->setBuddy(m_txtInput);

    m_chkShowCompassData = new QCheckBox(tr("Show Compass Output"), this);
    m_chkShowCompassData->setObjectName(QStringLiteral("chkShowCompassData"));
    m_cmdClearDebug = new controls::XPButton(tr("Clear"), "cmdClearDebug", this);
    m_cmdIDEsc = new controls::XPButton(tr("ID <esc>"), "cmdIDEsc", this);
    auto *escLabel = new QLabel(tr("Identity <esc> code for this compass"), this);
    m_chkShiftMode = new QCheckBox(tr("Write next command to Factory Space"), this);
    m_chkShiftMode->setObjectName(QStringLiteral("chkShiftMode"));
    m_cmdHighTemp = new controls::XPButton(tr("HT Cal"), "cmdHighTemp", this);

    m_cmdClearDebug->setAccessibleName(tr("Clear Terminal Window"));
    m_cmdIDEsc->setAccessibleDescription(escLabel->text());

    // The terminal takes the width; its tools stand in a column at its right.
    m_tools = new QGridLayout;
    m_tools->addWidget(m_chkShowCompassData, 0, 0);
    m_tools->addWidget(m_cmdClearDebug, 0, 1);
    m_tools->addWidget(m_cmdIDEsc, 1, 1);
    m_tools->addWidget(escLabel, 1, 0);
    m_tools->addWidget(m_chkShiftMode, 2, 0, 1, 2);
    m_tools->addWidget(m_cmdHighTemp, 3, 1);
    m_tools->setRowStretch(m_tools->rowCount(), 1);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_txtInput, 1, 0);
    grid->addLayout(m_tools, 1, 1);
    grid->setColumnStretch(0, 1);

    connect(m_cmdClearDebug, &QAbstractButton::clicked, this, &TerminalFrame::clear);
}

void TerminalFrame::addTools(QWidget *tools)
{
    // Into the stretching last row, which then moves down one.
    const int row = m_tools->rowCount() - 1;
    m_tools->setRowStretch(row, 0);
    m_tools->addWidget(tools, row, 0, 1, 2, Qt::AlignRight | Qt::AlignTop);
    m_tools->setRowStretch(row + 1, 1);
}

void TerminalFrame::append(const std::string &text)
{
    m_text.append(text);
    showText();
}

void TerminalFrame::clear()
{
    m_text.clear();
    showText();
}

void TerminalFrame::showText()
{
    m_txtInput->setPlainText(TerminalDisplay(m_text.text()));
    m_txtInput->moveCursor(QTextCursor::End);
    m_txtInput->verticalScrollBar()->setValue(m_txtInput->verticalScrollBar()->maximum());
}

} // namespace app
