#include "platform/sim/sim_platform.h"
#include "wizard/dialog_result.h"
#include "wizard/frm_ht_password.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using wizard::frmHTPassword;
namespace Result = wizard::PasswordResult;

const QString TryAgain = QStringLiteral("Invalid password, please try again");
const QString LimitReached = QStringLiteral("You tried the password 5 times, this password prompt will close now");

class PasswordTest : public ::testing::Test {
protected:
    PasswordTest() : sim(dir.path()) {}

    // One opening of the dialog: the typed passwords in turn, each confirmed with OK, then Cancel if still open.
    std::int32_t open(const QStringList &typed)
    {
        frmHTPassword dialog(sim.platform, tries);
        dialog.show();
        EXPECT_TRUE(dialog.txtPass()->text().isEmpty());
        for (const QString &text : typed) {
            dialog.txtPass()->setText(text);
            dialog.cmdOK()->click();
            if (dialog.isHidden())
                return dialog.DialogResult();
            EXPECT_TRUE(dialog.txtPass()->text().isEmpty());
        }
        dialog.cmdCancel()->click();
        return dialog.DialogResult();
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    wizard::PasswordTries tries;
};

TEST_F(PasswordTest, OnlyTheExactPasswordGivesOne)
{
    EXPECT_EQ(open({QStringLiteral("kwppe"), QStringLiteral("KwPPe ")}), Result::Cancelled);
    EXPECT_EQ(sim.messages.texts(), (QStringList{TryAgain, TryAgain}));
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(open({QStringLiteral("KwPPe")}), Result::Accepted);
}

TEST_F(PasswordTest, TheFifthWrongTryOfTheRunClosesWithSevenAndSoDoesEveryLaterOne)
{
    EXPECT_EQ(open({"a", "b", "c", "d"}), Result::Cancelled);
    sim.messages.clear();
    EXPECT_EQ(open({"e"}), Result::TooManyTries);
    EXPECT_EQ(open({"f"}), Result::TooManyTries);
    EXPECT_EQ(sim.messages.texts(), (QStringList{LimitReached, LimitReached}));
    EXPECT_EQ(open({QStringLiteral("KwPPe")}), Result::Accepted) << "the right password still opens the way";
}

} // namespace
