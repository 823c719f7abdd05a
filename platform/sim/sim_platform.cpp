#include "platform/sim/sim_platform.h"

#include <QLocale>

namespace platform::sim {

MessageResult SimMessageBox::show(const QString &text, MessageIcon icon, MessageButtons buttons,
                                  const QString &detail)
{
    m_shown.push_back({text, icon, buttons, m_pump.clock().virtualNow(), detail});
    if (m_onShow)
        m_onShow(ShownMessage(m_shown.back()));
    return runModal(buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok);
}

QStringList SimMessageBox::texts() const
{
    QStringList all;
    for (const auto &m : m_shown)
        all << m.text;
    return all;
}

std::optional<QString> SimFileDialog::ask(const FileDialogRequest &request)
{
    m_requests.push_back(request);
    return runModal(std::nullopt);
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
    : clock(firstTick), pump(clock), ports(pump), messages(pump), files(pump),
      platform{clock, pump, pump, ports, devices, messages, files, locale, shell, appPath}
{
}

} // namespace platform::sim
