#include "device/pcspeakertonesink.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

// The range the PC speaker driver accepts; other tones cannot be played and are dropped.
constexpr uint kMinFrequency = 20;
constexpr uint kMaxFrequency = 32767;

constexpr size_t kBitsPerLong = sizeof(unsigned long) * CHAR_BIT;

bool testBit(const unsigned long* bits, unsigned bit)
{
    return (bits[bit / kBitsPerLong] >> (bit % kBitsPerLong)) & 1UL;
}

bool canPlayTones(int fd)
{
    unsigned long types[EV_MAX / kBitsPerLong + 1] = {};
    if (ioctl(fd, EVIOCGBIT(0, sizeof(types)), types) < 0 || !testBit(types, EV_SND))
        return false;
    unsigned long sounds[SND_MAX / kBitsPerLong + 1] = {};
    return ioctl(fd, EVIOCGBIT(EV_SND, sizeof(sounds)), sounds) >= 0 && testBit(sounds, SND_TONE);
}

} // namespace

std::shared_ptr<PcSpeakerToneSink> PcSpeakerToneSink::open(const QString& inputFolder)
{
    const QStringList names
        = QDir(inputFolder).entryList({ QStringLiteral("event*") }, QDir::System | QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString path = inputFolder + QLatin1Char('/') + name;
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (canPlayTones(fd)) {
            qDebug().noquote() << "Tones go to the PC speaker" << path;
            return std::shared_ptr<PcSpeakerToneSink>(new PcSpeakerToneSink(fd, path));
        }
        ::close(fd);
    }
    return nullptr;
}

PcSpeakerToneSink::PcSpeakerToneSink(int fileDescriptor, const QString& path)
    : m_fd(fileDescriptor)
    , m_path(path)
{
}

PcSpeakerToneSink::~PcSpeakerToneSink()
{
    writeTone(0);
    ::close(m_fd);
}

bool PcSpeakerToneSink::writeTone(int frequencyHz)
{
    input_event event {};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = frequencyHz;
    ssize_t written = 0;
    do {
        written = ::write(m_fd, &event, sizeof(event));
    } while (written < 0 && errno == EINTR);
    return written == ssize_t(sizeof(event));
}

void PcSpeakerToneSink::play(uint frequencyHz, uint durationMs)
{
    if (frequencyHz < kMinFrequency || frequencyHz > kMaxFrequency || durationMs == 0)
        return;
    QMutexLocker locker(&m_mutex);
    const quint64 generation = ++m_generation;
    m_replaced.wakeAll();
    if (!writeTone(int(frequencyHz)))
        return;
    const QDeadlineTimer end(durationMs, Qt::PreciseTimer);
    while (m_generation == generation && !end.hasExpired())
        m_replaced.wait(&m_mutex, end);
    // A newer tone took over the speaker: stopping it here would cut that tone short.
    if (m_generation == generation)
        writeTone(0);
}

std::shared_ptr<PcSpeakerToneSink> PcSpeakerToneSink::fromDescriptor(int fileDescriptor, const QString& path)
{
    return std::shared_ptr<PcSpeakerToneSink>(new PcSpeakerToneSink(fileDescriptor, path));
}

} // namespace Vl::Tavix3::UI
