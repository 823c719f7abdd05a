#pragma once
#include "logging/log_columns.h"
#include "logging/log_file.h"

#include <cstdint>

namespace logging {

// Check-box values as the log compares them: 0 unchecked, 1 checked, 2 greyed.
using CheckValue = std::int16_t;

// Writes the data lines of one log file, with a header line before the first
// and whenever the columns change.
class LogSession {
public:
    LogSession(LogValues values, QChar decimalSeparator)
        : m_values(std::move(values)), m_decimalSeparator(decimalSeparator)
    {
    }

    std::optional<LogError> open(const QString &path);
    void close() { m_file.close(); }
    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }

    // `addDate`/`addTime`: the boxes' values; `stamp` holds the texts for those that are checked.
    std::optional<LogError> write(std::int32_t mask, CheckValue addDate, CheckValue addTime, const LogStamp &stamp);

private:
    LogValues m_values;
    QChar m_decimalSeparator;
    LogFile m_file;
    std::int32_t m_lastMask = 0;
    CheckValue m_lastDate = 0;
    CheckValue m_lastTime = 0;
};

} // namespace logging
