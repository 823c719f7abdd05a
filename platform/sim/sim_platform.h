#pragma once
#include "platform/platform.h"
#include "platform/sim/sim_event_pump.h"
#include "platform/sim/sim_serial_port.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace platform::sim {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    VirtualMs at;
};

// Records every message box and answers from a script (default: Ok or Yes).
class SimMessageBox : public MessageBox {
public:
    explicit SimMessageBox(SimClock &clock) : m_clock(clock) {}
    MessageResult show(const QString &text, MessageIcon icon, MessageButtons buttons) override;
    void queueAnswer(MessageResult answer) { m_answers.push_back(answer); }
    const std::vector<ShownMessage> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }
    // Runs inside show(), as a modal dialog would let a user act.
    void setOnShow(std::function<void(const ShownMessage &)> onShow) { m_onShow = std::move(onShow); }

private:
    SimClock &m_clock;
    std::deque<MessageResult> m_answers;
    std::vector<ShownMessage> m_shown;
    std::function<void(const ShownMessage &)> m_onShow;
};

class SimFileDialog : public FileDialog {
public:
    std::optional<QString> choose(const FileDialogRequest &request) override;
    // The next choose() returns this (nothing = cancel).
    void queueAnswer(std::optional<QString> answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<FileDialogRequest> &requests() const { return m_requests; }

private:
    std::deque<std::optional<QString>> m_answers;
    std::vector<FileDialogRequest> m_requests;
};

class SimLocale : public Locale {
public:
    QString localeText(int item) const override;
    QString formatDate(const QDate &date) const override;
    QString formatTime(const QTime &time) const override;
    void setDecimalSeparator(QChar c) { m_decimal = c; }
    void setMonetaryDecimalSeparator(QChar c) { m_monetary = c; }
    void setDateFormat(const QString &f) { m_dateFormat = f; }
    void setTimeFormat(const QString &f) { m_timeFormat = f; }

private:
    QChar m_decimal = '.';
    QChar m_monetary = '.';
    QString m_dateFormat = "dd/MM/yyyy";
    QString m_timeFormat = "HH:mm:ss";
};

class SimShell : public Shell {
public:
    bool open(const QString &url) override { m_opened.push_back(url); return true; }
    const QStringList &opened() const { return m_opened; }

private:
    QStringList m_opened;
};

// The whole simulated machine. `platform` is what the code under test gets.
class SimPlatform {
public:
    explicit SimPlatform(const QString &appPath, Tick firstTick = 1000);

    SimClock clock;
    SimEventPump pump;
    SimPortBus ports;
    SimMessageBox messages;
    SimFileDialog files;
    SimLocale locale;
    SimShell shell;
    Platform platform;

    void advance(VirtualMs ms) { pump.advance(ms); }
    VirtualMs now() const { return clock.virtualNow(); }
};

} // namespace platform::sim
