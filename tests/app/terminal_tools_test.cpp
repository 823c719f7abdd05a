#include "main_window_fixture.h"

#include <QPlainTextEdit>

namespace {

class TerminalToolsTest : public MainWindowTest {
protected:
    // A compass that sends data every 100 ms and answers only its own escape code.
    void connectCompass(int escapeCode)
    {
        load();
        press("cmdOpen");
        compass().setPeer([this, escapeCode](std::string_view bytes) {
            for (char c : bytes) {
                received.push_back({sim->now(), c});
                if (static_cast<unsigned char>(c) == escapeCode)
                    compass().deliver("\r\nCMD:", sim->now() + 5);
            }
        });
        feed = sim->pump.createTimer();
        feed->setTickHandler([this] { compass().deliver("$C1.0*00\r\n"); });
        feed->setInterval(100);
        feed->setEnabled(true);
        sim->advance(300);
        received.clear();
        sim->messages.clear();
    }
    QString terminalText() const { return control<QPlainTextEdit>("txtInput")->toPlainText(); }

    struct Byte {
        platform::sim::VirtualMs at;
        char c;
    };
    std::vector<Byte> received;
    std::unique_ptr<platform::Timer> feed;
};

TEST_F(TerminalToolsTest, SearchFindsAChangedCodeAndSetsItBackOnYes)
{
    connectCompass(3);
    // The question comes after ESC; the user reads it for two seconds.
    sim->messages.queueAnswer(platform::MessageResult::Yes, 2000);
    // Lines that come while the question is up are lines again, not search capture.
    sim->messages.setOnShow([&](const auto &) { EXPECT_FALSE(window->receivePath().EscSearchActive()); });
    press("cmdIDEsc");
    ASSERT_EQ(sim->messages.shown().size(), 1u);
    EXPECT_EQ(sim->messages.texts().front(),
              "Current ESC command is 3 (0x3) would you like to change back to default <esc>=27 (0x1B)?");
    EXPECT_EQ(sim->messages.shown().front().buttons, platform::MessageButtons::YesNo);
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(terminalText().contains(QString("(current value: %1)").arg(i)));
    EXPECT_FALSE(terminalText().contains("(current value: 4)"));
    // 0,1,2,3 tried; then ESC, the code, "%", "27", CR with their pauses.
    ASSERT_EQ(received.size(), 4u + 1u + 1u + 1u + 3u);
    std::string tail;
    for (std::size_t i = 4; i < received.size(); ++i)
        tail += received[i].c;
    EXPECT_EQ(tail, std::string("\x1b\x03%27\r"));
    EXPECT_EQ(received[5].at - received[4].at, 2000u + 51u);
    EXPECT_EQ(received[6].at - received[5].at, 51u);
    EXPECT_EQ(received[7].at - received[6].at, 251u);
    EXPECT_EQ(received[9].at, received[7].at);
}

TEST_F(TerminalToolsTest, NoAnswerTriesEveryCodeThenWarns)
{
    connectCompass(-1);
    const auto start = sim->now();
    press("cmdIDEsc");
    EXPECT_EQ(received.size(), 256u);
    ASSERT_EQ(sim->messages.shown().size(), 1u);
    EXPECT_GE(sim->messages.shown()[0].at - start, 256u * 100u);
    EXPECT_LE(sim->messages.shown()[0].at - start, 256u * 102u + 200u);
    EXPECT_EQ(sim->messages.texts(),
              QStringList{"ESC Command was not found, please check if the compass is connected to the computer"});
    EXPECT_TRUE(terminalText().contains("(current value: 255)"));
}

TEST_F(TerminalToolsTest, TerminalShowsEachLineOnceAndTheEscapeByName)
{
    load();
    press("cmdOpen");
    compass().deliver("CMD:\x1b\r\nReady\r\n");
    sim->advance(100);
    EXPECT_EQ(terminalText(), "CMD:<ESC>\nReady\n");
}

} // namespace
