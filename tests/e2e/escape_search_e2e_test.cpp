// The escape-code search against a module whose code was changed.
#include "answering_end_to_end.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

const QString Busy = "Another command is talking to the compass. Try again when it has finished.";

class EscapeSearchEndToEnd : public AnsweringEndToEnd {
protected:
    QString terminalText() const { return control<QPlainTextEdit>("txtInput")->toPlainText(); }

    void openOnTheTerminalPanel()
    {
        startWithDataFlowing();
        control<QAbstractButton>("cmdShowCSetup")->click();
    }
    // Runs the search; the first sentence's settings read may still hold the port.
    void search()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            messages.clear();
            control<QAbstractButton>("cmdIDEsc")->click();
            if (messages != QStringList{Busy})
                return;
            platform::Wait(machine.platform, 250);
        }
        FAIL() << "the port stayed busy";
    }
};

TEST_F(EscapeSearchEndToEnd, FindsCode3AndYesSetsTheModuleBackTo27)
{
    SimulatedCompass compass(dir.path(), 2, {"--escape", "3"});
    ASSERT_TRUE(compass.linked());
    openOnTheTerminalPanel();

    search();
    ASSERT_EQ(messages,
              QStringList{"Current ESC command is 3 (0x3) would you like to change back to default <esc>=27 (0x1B)?"});
    EXPECT_EQ(window->EscCode, 3);
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(terminalText().contains(QString("Searching for ESC command (current value: %1)").arg(i)));
    EXPECT_FALSE(terminalText().contains("(current value: 4)"));
    // Yes: the module heard its own code, "%" and the new value.
    EXPECT_TRUE(waitFor([&] { return compass.received().contains("received 27<13>"); }, 3000))
        << compass.received().toStdString();
    EXPECT_TRUE(compass.received().contains("received %")) << compass.received().toStdString();

    // The module now answers 27: a second search says so, and the menu works again.
    search();
    EXPECT_EQ(messages, QStringList{"Current ESC command is the default value: <esc>=27 (0x1B)"});
    EXPECT_EQ(window->EscCode, 27);
    auto *rate = control<QLineEdit>("txtCSOutRate");
    rate->setText("5");
    control<QAbstractButton>("cmdSet(1)")->click();
    EXPECT_TRUE(waitFor([&] { return window->state().SettingsKnown && window->state().Settings.OutputRate == 5; },
                        5000))
        << compass.received().toStdString();
    EXPECT_TRUE(compass.received().contains("received 5<13>")) << compass.received().toStdString();
}

} // namespace
