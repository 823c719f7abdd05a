#include "logging/log_file.h"

#include <QFileInfo>

namespace logging {

namespace {
LogError errorOf(const QFile &file) { return {int(file.error()), file.errorString()}; }
} // namespace

std::optional<LogError> LogFile::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return errorOf(m_file);
    return std::nullopt;
}

void LogFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

std::optional<LogError> LogFile::writeLine(const QString &line)
{
    // Writing on into a deleted file would lose every line without a sign.
    if (!QFileInfo::exists(m_file.fileName()))
        return LogError{int(QFileDevice::WriteError), tr("The log file %1 no longer exists.").arg(m_file.fileName())};
    const QByteArray bytes = line.toLocal8Bit() + "\r\n";
    if (m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        const LogError error = errorOf(m_file);
        m_file.unsetError();
        return error;
    }
    return std::nullopt;
}

} // namespace logging
