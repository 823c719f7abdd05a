#pragma once
#include "app/terminal_text.h"

#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QPlainTextEdit;

namespace app {

// The terminal of the settings panel and the tools around it.
class TerminalFrame : public QWidget {
    Q_OBJECT
public:
    explicit TerminalFrame(QWidget *parent = nullptr);

    void append(const std::string &text);
    void clear();
    const std::string &text() const { return m_text.text(); }

    QCheckBox *chkShowCompassData() const { return m_chkShowCompassData; }
    QCheckBox *chkShiftMode() const { return m_chkShiftMode; }
    QAbstractButton *cmdIDEsc() const { return m_cmdIDEsc; }
    QAbstractButton *cmdHighTemp() const { return m_cmdHighTemp; }
    // Puts more tools under the others, at the right (the settings profiles).
    void addTools(QWidget *tools);

private:
    void showText();

    TerminalText m_text;
    QPlainTextEdit *m_txtInput;
    QCheckBox *m_chkShowCompassData;
    QAbstractButton *m_cmdClearDebug;
    QAbstractButton *m_cmdIDEsc;
    QCheckBox *m_chkShiftMode;
    QAbstractButton *m_cmdHighTemp;
    QGridLayout *m_tools;
};

} // namespace app
