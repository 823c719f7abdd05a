#pragma once
#include "answering_end_to_end.h"
#include "logging/log_frame.h"
#include "controls/xp_button.h"

#include <QDialog>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>
#include <unistd.h>

// The end-to-end run for faults: every modal window is answered so that a
// fault never leaves the program waiting for a user; a modal window other than
// a message box or file dialog is closed.
class FaultEndToEnd : public AnsweringEndToEnd {
protected:
    FaultEndToEnd()
    {
        otherModal = [](QWidget &modal) {
            if (auto *dialog = qobject_cast<QDialog *>(&modal))
                dialog->reject();
            else
                modal.close();
        };
    }

    QAbstractButton *button(const char *name) const { return control<QAbstractButton>(name); }
    bool enabled(const char *name) const { return button(name)->isEnabled(); }
    logging::LogFrame *logFrame() const { return window->findChild<logging::LogFrame *>(); }

    // Opens `path` as the log file and starts logging.
    void startLog(const QString &path)
    {
        fileToChoose = path;
        logFrame()->cmdOpenLog()->click();
        ASSERT_TRUE(logFrame()->LogFileOpen()) << messages.join('|').toStdString();
        logFrame()->cmdStartLog()->click();
        ASSERT_TRUE(logFrame()->LoggingActive());
    }

    // Processor time this process used while the event loop ran for `ms`.
    double cpuSecondsWhileWaiting(int ms)
    {
        const double before = cpuSeconds();
        platform::Wait(machine.platform, ms);
        return cpuSeconds() - before;
    }

    static double cpuSeconds()
    {
        rusage use{};
        ::getrusage(RUSAGE_SELF, &use);
        return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec)
               + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    }

    static long residentKiB()
    {
        long pages = 0, resident = 0;
        if (FILE *f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(f);
        }
        return resident * (::sysconf(_SC_PAGESIZE) / 1024);
    }

    // Whether any message so far contains `part`.
    bool told(const QString &part) const
    {
        for (const QString &m : messages)
            if (m.contains(part))
                return true;
        return false;
    }
};

// Data lines of a log file: those that begin with a number (the header lines
// begin with a column name).
inline QStringList logDataLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QByteArray first = line.split(';').value(0);
        bool number = false;
        first.toDouble(&number);
        if (number)
            lines << QString::fromLatin1(line);
    }
    return lines;
}
