#include "vantorprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

VantorProcess::VantorProcess()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

VantorProcess::~VantorProcess() { kill(); }

QString VantorProcess::dataPath() { return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Velmora/Vantor"); }

QString VantorProcess::logPath() { return dataPath() + QStringLiteral("/Vantor.log"); }

QString VantorProcess::settingsPath()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Velmora/Vantor.conf");
}

bool VantorProcess::start(int timeoutMs)
{
    m_process.start(QStringLiteral(VANTOR_BINARY), QStringList());
    if (!m_process.waitForStarted(timeoutMs))
        return false;
    return waitForLog(QStringLiteral("Version: "), timeoutMs);
}

void VantorProcess::signal(int signalNumber)
{
    if (m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_process.processId()), signalNumber);
}

void VantorProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}

bool VantorProcess::isRunning() const { return m_process.state() == QProcess::Running; }

bool VantorProcess::crashed() const
{
    return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::CrashExit;
}

qint64 VantorProcess::residentKiB() const
{
    return m_process.state() == QProcess::Running ? residentKiB(m_process.processId()) : -1;
}

qint64 VantorProcess::residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString VantorProcess::log() const
{
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

int VantorProcess::droppedClients(const QString& logText)
{
    static const QRegularExpression summed(QStringLiteral("(\\d+) more"));
    int count = 0;
    for (const QString& line : logText.split('\n')) {
        if (!line.contains(QLatin1String(" dropped: ")))
            continue;
        count += line.contains(QLatin1String("TCP client dropped:")) ? 1 : 0;
        const QRegularExpressionMatch more = summed.match(line);
        count += more.hasMatch() ? more.captured(1).toInt() : 0;
    }
    return count;
}

bool VantorProcess::waitForLog(const QString& text, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (log().contains(text))
            return true;
        QTest::qWait(50);
    }
    return false;
}

QString VantorProcess::output() const { return QString::fromLocal8Bit(const_cast<QProcess&>(m_process).readAll()); }
