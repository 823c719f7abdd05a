#pragma once
#include "platform/platform.h"
#include "platform/sim/sim_event_pump.h"
#include "platform/sim/sim_serial_port.h"

#include <QStringList>
#include <algorithm>
#include <deque>
#include <vector>

namespace platform::sim {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    VirtualMs at;
    QString detail;
};

// What the simulated user does with the next box or file dialog: the answer,
// given after the dialog has been open for `openMs` of virtual time.
template <typename Answer>
struct UserAct {
    Answer answer;
    std::optional<VirtualMs> openMs;
};

// Modal like a real dialog: it stays open for a stretch of virtual time while
// the event pump runs inside it (serial input and timers keep coming), and the
// answer comes when it closes. The answers come from a script in the order the
// dialogs open.
template <typename Answer>
class SimModal {
public:
    SimModal(SimEventPump &pump, VirtualMs openMs) : m_pump(pump), m_openMs(openMs) {}
    // The answer of a later dialog, open for `openMs` (default: setOpenMs()).
    void queueAnswer(Answer answer, std::optional<VirtualMs> openMs = {})
    {
        m_answers.push_back({std::move(answer), openMs});
    }
    // How long a dialog without its own time stays open.
    void setOpenMs(VirtualMs ms) { m_openMs = ms; }
    // Dialogs open now, and the most that were open at one time.
    int openNow() const { return m_open; }
    int mostOpenAtOnce() const { return m_mostOpen; }

protected:
    // Takes the next scripted answer (or `fallback`) and keeps the dialog open
    // for its time with the pump running.
    Answer runModal(Answer fallback)
    {
        UserAct<Answer> act{std::move(fallback), {}};
        if (!m_answers.empty()) {
            act = std::move(m_answers.front());
            m_answers.pop_front();
        }
        ++m_open;
        m_mostOpen = std::max(m_mostOpen, m_open);
        m_pump.advance(act.openMs.value_or(m_openMs));
        --m_open;
        return std::move(act.answer);
    }
    SimEventPump &m_pump;

private:
    VirtualMs m_openMs;
    std::deque<UserAct<Answer>> m_answers;
    int m_open = 0;
    int m_mostOpen = 0;
};

// Records every message box; unscripted boxes answer Ok or Yes.
class SimMessageBox : public MessageBox, public SimModal<MessageResult> {
public:
    // A user who reads the box for a second and a half.
    static constexpr VirtualMs DefaultOpenMs = 1500;

    explicit SimMessageBox(SimEventPump &pump) : SimModal(pump, DefaultOpenMs) {}
    MessageResult show(const QString &text, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok,
                       const QString &detail = {}) override;
    const std::vector<ShownMessage> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }
    // Runs as the box opens, as a user acting while it is up.
    void setOnShow(std::function<void(const ShownMessage &)> onShow) { m_onShow = std::move(onShow); }

private:
    std::vector<ShownMessage> m_shown;
    std::function<void(const ShownMessage &)> m_onShow;
};

// Records every request; unscripted dialogs are cancelled.
class SimFileDialog : public FileDialog, public SimModal<std::optional<QString>> {
public:
    // A user who finds the file in three seconds.
    static constexpr VirtualMs DefaultOpenMs = 3000;

    explicit SimFileDialog(SimEventPump &pump) : SimModal(pump, DefaultOpenMs) {}
    // As the dialog was asked to open, its folder placed.
    const std::vector<FileDialogRequest> &requests() const { return m_requests; }

protected:
    std::optional<QString> ask(const FileDialogRequest &request) override;

private:
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

// The system's device list as the test sets it; by default the system cannot
// be asked, so the setup dialog probes the simulated ports.
class SimSerialDeviceList : public SerialDeviceList {
public:
    std::optional<std::vector<SerialDevice>> list;
    std::optional<std::vector<SerialDevice>> devices() const override { return list; }
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
    SimSerialDeviceList devices;
    SimMessageBox messages;
    SimFileDialog files;
    SimLocale locale;
    SimShell shell;
    Platform platform;

    void advance(VirtualMs ms) { pump.advance(ms); }
    VirtualMs now() const { return clock.virtualNow(); }
};

} // namespace platform::sim
