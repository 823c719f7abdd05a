#pragma once
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <optional>

namespace logging {

// What went wrong with the log file, for the user.
struct LogError {
    int number;
    QString description;
};

// The open log file. Lines are appended, ended by CR LF, and flushed one by
// one, so a failure is seen at the line that caused it and what came before
// stays in the file.
class LogFile {
    Q_DECLARE_TR_FUNCTIONS(LogFile)
public:
    // An existing file is appended to; a missing one is created.
    std::optional<LogError> open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }

    std::optional<LogError> writeLine(const QString &line);

private:
    QFile m_file;
};

} // namespace logging
