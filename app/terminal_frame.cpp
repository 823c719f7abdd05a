#include "app/terminal_frame.h"

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
    QFont mono(QStringLiteral("Lucida Console"));
    mono.setStyleHint(QFont::Monospace);
    if (!QFontDatabase::families().contains(mono.family()))
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_txtInput->setFont(mono);
    caption->setBuddy(m_txtInput);

    m_chkShowCompassData = new QCheckBox(tr("Show Compass Output"), this);
    m_chkShowCompassData->setObjectName(QStringLiteral("chkShowCompassData"));
    m_cmdClearDebug = new XPButton(tr("Clear"), "cmdClearDebug", this);
    m_cmdIDEsc = new XPButton(tr("ID <esc>"), "cmdIDEsc", this);
    auto *escLabel = new QLabel(tr("Identity <esc> code for this compass"), this);
    m_chkShiftMode = new QCheckBox(tr("Write next command to Factory Space"), this);
    m_chkShiftMode->setObjectName(QStringLiteral("chkShiftMode"));
    m_cmdHighTemp = new XPButton(tr("HT Cal"), "cmdHighTemp", this);

    m_cmdClearDebug->setAccessibleName(tr("Clear Terminal Window"));
    m_cmdIDEsc->setAccessibleDescription(escLabel->text());

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption, 0, 0, 1, 3);
    grid->addWidget(m_txtInput, 1, 0, 1, 3);
    grid->addWidget(m_chkShowCompassData, 2, 0, 1, 2);
    grid->addWidget(m_cmdClearDebug, 2, 2);
    grid->addWidget(m_cmdIDEsc, 3, 0);
    grid->addWidget(escLabel, 3, 1, 1, 2);
    grid->addWidget(m_chkShiftMode, 4, 0, 1, 2);
    grid->addWidget(m_cmdHighTemp, 4, 2);
    grid->setRowStretch(1, 1);

    connect(m_cmdClearDebug, &QAbstractButton::clicked, this, &TerminalFrame::clear);
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
    // The module's text is bytes; show them one character each.
    m_txtInput->setPlainText(QString::fromLatin1(m_text.text().data(),
                                                 static_cast<qsizetype>(m_text.text().size())));
    m_txtInput->moveCursor(QTextCursor::End);
    m_txtInput->verticalScrollBar()->setValue(m_txtInput->verticalScrollBar()->maximum());
}

} // namespace app
