#pragma once
#include "settings_panel/record_text.h"

#include <QDialog>
#include <string>

class QAbstractButton;
class QPlainTextEdit;

namespace settings_panel {

// `frmCmpData`: the compass's full settings as text, and a Close button.
class CompassDataWindow : public QDialog {
    Q_OBJECT
public:
    explicit CompassDataWindow(QWidget *parent = nullptr);

    // Replaces the text of `txtData` (CR LF lines).
    void setText(const std::string &text);
    QPlainTextEdit *txtData() const { return m_txtData; }
    QAbstractButton *cmdClose() const { return m_cmdClose; }

private:
    QPlainTextEdit *m_txtData;
    QAbstractButton *m_cmdClose;
};

} // namespace settings_panel
