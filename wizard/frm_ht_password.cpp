#include "wizard/frm_ht_password.h"

#include "wizard/dialog_result.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace wizard {

const QString frmHTPassword::SupportAddress = QStringLiteral("factory.support@quorvane.example");

namespace {

QLabel *makeLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

frmHTPassword::frmHTPassword(platform::Platform &platform, PasswordTries &tries, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_tries(tries), m_dialogResult(PasswordResult::Cancelled)
{
    setObjectName(QStringLiteral("frmHTPassword"));
    setWindowTitle(tr("HT Calibration"));
    setFont(QFont(QStringLiteral("Verdana"), 8));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);

    auto *label1 = makeLabel(tr("Factory mode function, please enter password to access"), "Label1", this);
    auto *label2 = makeLabel(tr("Password:"), "Label2", this);

    m_txtPass = new QLineEdit(this);
    m_txtPass->setObjectName(QStringLiteral("txtPass"));
    m_txtPass->setEchoMode(QLineEdit::Password);
    m_txtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_txtPass->setAccessibleName(tr("Password"));
    label2->setBuddy(m_txtPass);

    m_cmdOK = new QPushButton(tr("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(tr("&Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *label3 = makeLabel(tr("Contact"), "Label3", this);
    m_lblMail = makeLabel(QStringLiteral("<a href=\"mail\" style=\"color:#0000ff\">%1</a>").arg(SupportAddress),
                          "lblMail", this);
    m_lblMail->setTextFormat(Qt::RichText);
    m_lblMail->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_lblMail->setFocusPolicy(Qt::TabFocus);
    m_lblMail->setAccessibleName(tr("Contact address %1").arg(SupportAddress));
    auto *label5 = makeLabel(tr("for password"), "Label5", this);

    auto *field = new QHBoxLayout;
    field->addWidget(label2);
    field->addWidget(m_txtPass, 1);

    auto *contact = new QHBoxLayout;
    contact->addWidget(label3);
    contact->addWidget(m_lblMail);
    contact->addWidget(label5);
    contact->addStretch();

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(image, 0, 0, 3, 1);
    grid->addWidget(label1, 0, 1);
    grid->addLayout(field, 1, 1);
    grid->addLayout(contact, 2, 1);
    grid->addLayout(buttons, 0, 2, 3, 1);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmHTPassword::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmHTPassword::cmdCancel_Click);
    connect(m_lblMail, &QLabel::linkActivated, this, &frmHTPassword::lblMail_Click);
}

void frmHTPassword::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_txtPass->setFocus();
}

bool frmHTPassword::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_txtPass->setFocus();
    return QDialog::event(event);
}

void frmHTPassword::cmdOK_Click()
{
    switch (m_tries.check(m_txtPass->text())) {
    case PasswordTries::Outcome::Accepted:
        m_dialogResult = PasswordResult::Accepted;
        accept();
        return;
    case PasswordTries::Outcome::LimitReached:
        m_platform.messages.show(tr("You tried the password 5 times, this password prompt will close now"),
                                 platform::MessageIcon::Exclamation);
        m_dialogResult = PasswordResult::TooManyTries;
        reject();
        return;
    case PasswordTries::Outcome::TryAgain:
        m_platform.messages.show(tr("Invalid password, please try again"), platform::MessageIcon::Exclamation);
        m_txtPass->clear();
        m_txtPass->setFocus();
        return;
    }
}

void frmHTPassword::cmdCancel_Click()
{
    reject();
}

void frmHTPassword::lblMail_Click()
{
    m_platform.shell.open(QStringLiteral("mailto:") + SupportAddress);
}

} // namespace wizard
