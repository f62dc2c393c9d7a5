#pragma once

#include <QProcess>
#include <QString>

// The real Vantor program started offscreen in the test's private home.
class VantorProcess
{
public:
    VantorProcess();
    ~VantorProcess();

    // Starts Vantor and waits until its diagnostic log shows it has initialised.
    bool start(int timeoutMs = 20000);
    void signal(int signalNumber);
    void kill();
    bool isRunning() const;
    // Ended by a signal (after its start).
    bool crashed() const;
    // The program's resident memory (VmRSS) in KiB; -1 when it cannot be read.
    qint64 residentKiB() const;
    // The same of any process.
    static qint64 residentKiB(qint64 pid);

    static QString dataPath();
    static QString logPath();
    static QString settingsPath();
    QString log() const;
    // The TCP clients that lines of the log report dropped: one for each line of a drop, and those it
    // sums up.
    static int droppedClients(const QString& logText);
    // Waits until the diagnostic log contains the text.
    bool waitForLog(const QString& text, int timeoutMs = 10000) const;
    QString output() const;

private:
    QProcess m_process;
};
