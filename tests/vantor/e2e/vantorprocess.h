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

    static QString dataPath();
    static QString logPath();
    static QString settingsPath();
    QString log() const;
    // Waits until the diagnostic log contains the text.
    bool waitForLog(const QString& text, int timeoutMs = 10000) const;
    QString output() const;

private:
    QProcess m_process;
};
