#include "logging/log_session.h"

namespace logging {

std::optional<LogError> LogSession::open(const QString &path)
{
    if (auto error = m_file.open(path))
        return error;
    // Every sentence carries an item, so a new file always starts with a header.
    m_lastMask = 0;
    return std::nullopt;
}

std::optional<LogError> LogSession::write(std::int32_t mask, CheckValue addDate, CheckValue addTime,
                                          const LogStamp &stamp)
{
    if (addDate != m_lastDate || addTime != m_lastTime || mask != m_lastMask) {
        if (auto error = m_file.writeLine(HeaderLine(mask, addDate != 0, addTime != 0)))
            return error;
    }
    m_lastMask = mask;
    m_lastDate = addDate;
    m_lastTime = addTime;
    return m_file.writeLine(DataLine(mask, stamp, m_values, m_decimalSeparator));
}

} // namespace logging
