#include "alsatestdevice.h"

#include "recordedtone.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <alsa/asoundlib.h>
#include <cstdlib>

namespace TestSupport {

namespace {

QString homeFile(const QString& name) { return QDir::home().filePath(name); }

// Where the recordings go: a file system in memory where there is one. The output thread writes
// them (inside ALSA's calls), and one that has to wait for a busy disk would break the tone up
// as a real card never does.
QString recordingsFolder()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::homePath();
}

// Writes a file of a new identity (inode) in place of the one of that name.
void writeNewFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(contents);
        file.commit();
    }
}

} // namespace

AlsaTestDevice::AlsaTestDevice(Kind kind, int rate, int channels)
    : m_kind(kind)
    , m_rate(rate)
    , m_channels(channels)
    , m_recordings(QDir(recordingsFolder()).filePath(QStringLiteral("vantor-tones-XXXXXX")))
    , m_recording(QDir(m_recordings.path()).filePath(QStringLiteral("recorded-tones.raw")))
    , m_ahead(QDir(m_recordings.path()).filePath(QStringLiteral("held-ahead.txt")))
    , m_unpluggedMarker(homeFile(QStringLiteral("test-card-unplugged")))
    , m_server(homeFile(QStringLiteral("test-card-server")))
{
    QFile::remove(m_recording);
    QFile::remove(m_unpluggedMarker);
    restartServer();
    QString device;
    if (kind == Kind::FileOverNull) {
        device = QStringLiteral("    type file\n    slave.pcm \"null\"\n    file \"%1\"\n    format \"raw\"\n")
                     .arg(m_recording);
    } else {
        device = QStringLiteral("    type vantortestcard\n    rate %1\n    channels %2\n    slack %3\n"
                                "    record \"%4\"\n    ahead \"%5\"\n    unplugged \"%6\"\n    server \"%7\"\n")
                     .arg(rate)
                     .arg(channels)
                     .arg(kSlackMs)
                     .arg(m_recording, m_ahead, m_unpluggedMarker, m_server);
    }
    const QString config = QStringLiteral("pcm_type.vantortestcard {\n    lib \"%1\"\n}\n"
                                          "pcm.!default {\n%2    hint {\n        show on\n"
                                          "        description \"Vantor test device\"\n    }\n}\n")
                               .arg(QStringLiteral(VANTOR_ALSA_TEST_CARD), device);
    writeNewFile(homeFile(QStringLiteral(".asoundrc")), config.toUtf8());
    // ALSA keeps the configuration it has read, and looks again only when alsa.conf changes.
    snd_config_update_free_global();
}

AlsaTestDevice::~AlsaTestDevice()
{
    QFile::remove(homeFile(QStringLiteral(".asoundrc")));
    QFile::remove(m_unpluggedMarker);
    QFile::remove(m_server);
    snd_config_update_free_global();
}

std::vector<qint16> AlsaTestDevice::recorded() const
{
    QFile file(m_recording);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const int frames = bytes.size() / (2 * m_channels);
    std::vector<qint16> samples(size_t(std::max(frames, 0)));
    for (int i = 0; i < frames; ++i)
        samples[size_t(i)] = qFromLittleEndian<qint16>(bytes.constData() + i * 2 * m_channels);
    return samples;
}

qint64 AlsaTestDevice::recordedFrames() const { return QFileInfo(m_recording).size() / (2 * m_channels); }

QList<qint64> AlsaTestDevice::heldAhead() const
{
    QList<qint64> frames;
    QFile file(m_ahead);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                frames << line.toLongLong();
        }
    }
    return frames;
}

bool AlsaTestDevice::endsQuietly() const
{
    constexpr int kFrames = 5; // the middle of a sine never stays quiet this long
    QFile file(m_recording);
    const qint64 bytes = kFrames * 2 * m_channels;
    if (!file.open(QIODevice::ReadOnly) || file.size() < bytes || !file.seek(file.size() - bytes))
        return false;
    const QByteArray tail = file.read(bytes);
    for (int i = 0; i + 1 < tail.size(); i += 2 * m_channels) {
        if (std::abs(int(qFromLittleEndian<qint16>(tail.constData() + i))) >= RecordedTone::kAudible)
            return false;
    }
    return tail.size() == bytes;
}

// The file plugin writes its file a buffer behind what it was given (Qt's ALSA output: 100 ms).
int AlsaTestDevice::heldBack() const { return m_kind == Kind::FileOverNull ? m_rate * 100 / 1000 : 0; }

void AlsaTestDevice::unplug()
{
    QFile marker(m_unpluggedMarker);
    marker.open(QIODevice::WriteOnly);
}

void AlsaTestDevice::plug() { QFile::remove(m_unpluggedMarker); }

void AlsaTestDevice::restartServer() { writeNewFile(m_server, QByteArray("restarted\n")); }

} // namespace TestSupport
