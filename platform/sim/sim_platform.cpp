#include "platform/sim/sim_platform.h"

#include <QLocale>

namespace platform::sim {

MessageResult SimMessageBox::show(const QString &text, MessageIcon icon, MessageButtons buttons)
{
    m_shown.push_back({text, icon, buttons, m_clock.virtualNow()});
    if (m_onShow)
        m_onShow(m_shown.back());
    if (!m_answers.empty()) {
        const MessageResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

QStringList SimMessageBox::texts() const
{
    QStringList all;
    for (const auto &m : m_shown)
        all << m.text;
    return all;
}

std::optional<QString> SimFileDialog::choose(const FileDialogRequest &request)
{
    m_requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    auto answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString SimLocale::localeText(int item) const
{
    switch (item) {
    case MonetaryDecimalSeparator:
        return QString(m_monetary);
    case DecimalSeparator:
        return QString(m_decimal);
    default:
        if (item >= FirstAbbreviatedMonth && item < FirstAbbreviatedMonth + 12)
            return QLocale::c().monthName(item - FirstAbbreviatedMonth + 1, QLocale::ShortFormat);
        return QString(QChar(0));
    }
}

QString SimLocale::formatDate(const QDate &date) const
{
    return date.toString(m_dateFormat);
}

QString SimLocale::formatTime(const QTime &time) const
{
    return time.toString(m_timeFormat);
}

SimPlatform::SimPlatform(const QString &appPath, Tick firstTick)
    : clock(firstTick), pump(clock), ports(pump), messages(clock),
      platform{clock, pump, pump, ports, messages, files, locale, shell, appPath}
{
}

} // namespace platform::sim
