#pragma once
#include "platform/platform.h"
#include "wizard/password_tries.h"

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wizard {

// Guards the factory calibration. DialogResult() is 1 for the right password,
// 7 once the wrong-try limit is reached and 2 for any other way of closing.
class frmHTPassword : public QDialog {
    Q_OBJECT
public:
    static const QString SupportAddress;

    frmHTPassword(platform::Platform &platform, PasswordTries &tries, QWidget *parent = nullptr);

    std::int32_t DialogResult() const { return m_dialogResult; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void lblMail_Click();

    QLineEdit *txtPass() const { return m_txtPass; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }
    QLabel *lblMail() const { return m_lblMail; }

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    platform::Platform &m_platform;
    PasswordTries &m_tries;
    std::int32_t m_dialogResult;
    QLineEdit *m_txtPass;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
    QLabel *m_lblMail;
};

} // namespace wizard
