#pragma once
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <csignal>

// The compass simulator as a separate process on a pseudo-terminal, linked
// as ports/COM<n> inside the program's directory.
class SimulatedCompass {
public:
    SimulatedCompass(const QString &appDir, int com, const QStringList &extraArgs = {})
        : m_link(QDir(appDir).filePath(QStringLiteral("ports/COM%1").arg(com)))
    {
        m_process.setProgram(QStringLiteral(COMPASS_SIM_PATH));
        m_process.setArguments(QStringList{"--ports-dir", QDir(appDir).filePath("ports"), "--com",
                                           QString::number(com)}
                               + extraArgs);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        m_process.waitForStarted(5000);
        for (int i = 0; i < 100 && !QFileInfo(m_link).isSymLink(); ++i)
            QThread::msleep(20);
    }
    ~SimulatedCompass() { stop(); }

    bool linked() const { return QFileInfo(m_link).isSymLink(); }
    // What the simulator printed about the bytes it received.
    QString received()
    {
        m_output += QString::fromLocal8Bit(m_process.readAllStandardOutput());
        return m_output;
    }
    // Gone at once, as an adapter pulled out: the device and its link go with
    // it. A link left behind could name a pty another test has since been given.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
        QFile::remove(m_link);
    }
    // Stops sending at once, as a module that stalls; kill() ends it.
    void suspend() { ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP); }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            kill();
    }

private:
    QString m_link;
    QProcess m_process;
    QString m_output;
};
