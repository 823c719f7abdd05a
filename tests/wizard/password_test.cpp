#include "platform/sim/sim_platform.h"
#include "wizard/dialog_result.h"
#include "wizard/frm_ht_password.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

using wizard::frmHTPassword;
namespace PasswordResult = wizard::PasswordResult;

const QString TryAgain = QStringLiteral("Invalid password, please try again");
const QString LimitReached = QStringLiteral("You tried the password 5 times, this password prompt will close now");

class PasswordTest : public ::testing::Test {
protected:
    PasswordTest() : sim(dir.path()) {}

    // One opening of the dialog with the typed passwords, in turn, each confirmed with OK.
    std::int32_t open(const QStringList &typed, bool cancelAtEnd = false)
    {
        frmHTPassword dialog(sim.platform, tries);
        dialog.show();
        for (const QString &text : typed) {
            if (dialog.isHidden())
                break;
            dialog.txtPass()->setText(text);
            dialog.cmdOK()->click();
        }
        if (cancelAtEnd && !dialog.isHidden())
            dialog.cmdCancel()->click();
        EXPECT_TRUE(dialog.isHidden() || !cancelAtEnd);
        return dialog.DialogResult();
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    wizard::PasswordTries tries;
};

TEST_F(PasswordTest, TheRightPasswordAtTheFirstTryGivesOne)
{
    EXPECT_EQ(open({QStringLiteral("KwPPe")}), PasswordResult::Accepted);
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(PasswordTest, OtherLetterCaseOrATrailingBlankIsWrongAndEmptiesTheField)
{
    frmHTPassword dialog(sim.platform, tries);
    dialog.show();
    for (const QString &wrong : {QStringLiteral("kwppe"), QStringLiteral("KwPPe ")}) {
        dialog.txtPass()->setText(wrong);
        dialog.cmdOK()->click();
        EXPECT_FALSE(dialog.isHidden());
        EXPECT_TRUE(dialog.txtPass()->text().isEmpty());
    }
    EXPECT_EQ(sim.messages.texts(), (QStringList{TryAgain, TryAgain}));
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(dialog.DialogResult(), PasswordResult::Cancelled);
}

TEST_F(PasswordTest, TheFifthWrongTryOfTheRunClosesWithSevenAcrossOpenings)
{
    EXPECT_EQ(open({"a", "b", "c", "d"}, true), PasswordResult::Cancelled);
    EXPECT_EQ(tries.wrongTries(), 4);
    sim.messages.clear();
    EXPECT_EQ(open({"e"}), PasswordResult::TooManyTries);
    EXPECT_EQ(sim.messages.texts(), QStringList{LimitReached});
}

TEST_F(PasswordTest, EveryWrongTryAfterTheFifthClosesAgain)
{
    EXPECT_EQ(open({"a", "b", "c", "d", "e"}), PasswordResult::TooManyTries);
    sim.messages.clear();
    EXPECT_EQ(open({"f"}), PasswordResult::TooManyTries);
    EXPECT_EQ(open({"g"}), PasswordResult::TooManyTries);
    EXPECT_EQ(sim.messages.texts(), (QStringList{LimitReached, LimitReached}));
    // The right password still opens the way.
    EXPECT_EQ(open({QStringLiteral("KwPPe")}), PasswordResult::Accepted);
}

TEST_F(PasswordTest, ClosingWithoutOkLeavesTwoAndAnEmptyFieldAtTheNextOpening)
{
    frmHTPassword dialog(sim.platform, tries);
    dialog.show();
    dialog.txtPass()->setText(QStringLiteral("KwP"));
    dialog.close();
    EXPECT_EQ(dialog.DialogResult(), PasswordResult::Cancelled);

    frmHTPassword again(sim.platform, tries);
    EXPECT_TRUE(again.txtPass()->text().isEmpty());
    EXPECT_EQ(again.txtPass()->echoMode(), QLineEdit::Password);
}

TEST_F(PasswordTest, TheContactLinkOpensTheMailProgram)
{
    frmHTPassword dialog(sim.platform, tries);
    dialog.show();
    emit dialog.lblMail()->linkActivated(QStringLiteral("mail"));
    EXPECT_EQ(sim.shell.opened(), QStringList{QStringLiteral("mailto:") + frmHTPassword::SupportAddress});
    EXPECT_TRUE(dialog.lblMail()->text().contains(frmHTPassword::SupportAddress));
}

TEST_F(PasswordTest, EnterInTheFieldConfirmsThePassword)
{
    frmHTPassword dialog(sim.platform, tries);
    dialog.show();
    QTest::keyClicks(dialog.txtPass(), QStringLiteral("KwPPe"));
    QTest::keyClick(dialog.txtPass(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(dialog.DialogResult(), PasswordResult::Accepted);
}

} // namespace
