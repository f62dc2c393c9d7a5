// A sound card for the tests, as an ALSA plugin that the ~/.asoundrc of a test names (see
// AlsaTestDevice): the machines the tests run on have none. It plays in real time at one fixed
// rate and channel count, and records what it plays on the timeline of the monotonic clock, so that
// a device that runs dry leaves silence in the recording just where a real card falls silent.
// While the file named by "unplugged" exists it behaves as a card that was unplugged: it does not
// open, and a stream open on it fails every call from then on. When the file named by "server" is
// replaced, the streams open before fail every call from then on while new ones open as before:
// the card of a sound server that restarted.
//
//   pcm_type.vantortestcard { lib "<this library>" }
//   pcm.name { type vantortestcard rate 44100 channels 1 record "<file>" unplugged "<file>" server "<file>" }
//
// The recording: the first sample's position on the timeline (int64, frames), then the frames
// from there on, signed 16-bit little-endian, interleaved; what was not played reads as zeros.
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct TestCard
{
    snd_pcm_ioplug_t io {};
    unsigned rate = 48000;
    unsigned channels = 1;
    std::string unpluggedPath;
    std::string serverPath;
    ino_t server = 0; // the server file's identity when the stream opened
    bool gone = false; // the stream has seen its card go away
    int recordFd = -1;
    int64_t origin = -1; // timeline position of the recording's first frame
    bool started = false;
    int64_t startFrame = 0; // timeline position where the frames since the last prepare begin
    snd_pcm_uframes_t hwAtStart = 0;
    int64_t written = 0; // frames since the last prepare
    std::vector<char> beforeStart; // frames written while prepared, placed when the card starts
};

int64_t nowFrame(unsigned rate)
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * rate + int64_t(now.tv_nsec) * rate / 1000000000;
}

TestCard* cardOf(snd_pcm_ioplug_t* io) { return static_cast<TestCard*>(io->private_data); }

bool unplugged(const TestCard* card)
{
    return !card->unpluggedPath.empty() && access(card->unpluggedPath.c_str(), F_OK) == 0;
}

ino_t serverIdentity(const TestCard* card)
{
    struct stat status {};
    return !card->serverPath.empty() && stat(card->serverPath.c_str(), &status) == 0 ? status.st_ino : 0;
}

// Whether the stream's card is gone: unplugged now or since, or its server restarted.
bool gone(TestCard* card)
{
    if (!card->gone)
        card->gone = unplugged(card) || serverIdentity(card) != card->server;
    return card->gone;
}

void record(TestCard* card, int64_t position, const char* frames, size_t bytes)
{
    if (card->recordFd < 0 || bytes == 0)
        return;
    if (card->origin < 0) {
        int64_t stored = -1;
        if (pread(card->recordFd, &stored, sizeof stored, 0) == ssize_t(sizeof stored)) {
            card->origin = stored;
        } else {
            card->origin = position;
            if (pwrite(card->recordFd, &position, sizeof position, 0) != ssize_t(sizeof position))
                return;
        }
    }
    const int64_t offset = int64_t(sizeof(int64_t)) + (position - card->origin) * card->channels * 2;
    if (offset >= int64_t(sizeof(int64_t)))
        (void)!pwrite(card->recordFd, frames, bytes, off_t(offset));
}

int cardStart(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    card->started = true;
    card->startFrame = nowFrame(card->rate);
    card->hwAtStart = io->hw_ptr;
    record(card, card->startFrame, card->beforeStart.data(), card->beforeStart.size());
    card->beforeStart.clear();
    return 0;
}

int cardStop(snd_pcm_ioplug_t* io)
{
    cardOf(io)->started = false;
    return 0;
}

// Played in real time; once everything written has been played the card has run dry (an xrun).
snd_pcm_sframes_t cardPointer(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    if (!card->started)
        return snd_pcm_sframes_t(io->hw_ptr % io->buffer_size);
    const int64_t played = nowFrame(card->rate) - card->startFrame;
    if (played >= card->written)
        return -EPIPE;
    return snd_pcm_sframes_t((card->hwAtStart + snd_pcm_uframes_t(played)) % io->buffer_size);
}

snd_pcm_sframes_t cardTransfer(
    snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas, snd_pcm_uframes_t offset, snd_pcm_uframes_t size)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    if (card->started && nowFrame(card->rate) - card->startFrame >= card->written)
        return -EPIPE; // ran dry before these frames came
    const char* frames = static_cast<const char*>(areas[0].addr) + (areas[0].first + offset * areas[0].step) / 8;
    const size_t bytes = size * card->channels * 2;
    if (card->started)
        record(card, card->startFrame + card->written, frames, bytes);
    else
        card->beforeStart.insert(card->beforeStart.end(), frames, frames + bytes);
    card->written += int64_t(size);
    return snd_pcm_sframes_t(size);
}

int cardPrepare(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    card->started = false;
    card->written = 0;
    card->beforeStart.clear();
    return 0;
}

// What was written has been recorded where it plays: nothing to wait for.
int cardDrain(snd_pcm_ioplug_t*) { return 0; }

int cardClose(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (card->recordFd >= 0)
        close(card->recordFd);
    if (io->poll_fd >= 0)
        close(io->poll_fd);
    delete card;
    return 0;
}

snd_pcm_ioplug_callback_t callbacks()
{
    snd_pcm_ioplug_callback_t callback {};
    callback.start = cardStart;
    callback.stop = cardStop;
    callback.pointer = cardPointer;
    callback.transfer = cardTransfer;
    callback.close = cardClose;
    callback.prepare = cardPrepare;
    callback.drain = cardDrain;
    return callback;
}

const snd_pcm_ioplug_callback_t kCallbacks = callbacks();

// Reads the card's fields; false (and an ALSA error line) on one it does not know.
bool configure(TestCard* card, snd_config_t* conf)
{
    snd_config_iterator_t i;
    snd_config_iterator_t next;
    snd_config_for_each(i, next, conf)
    {
        snd_config_t* entry = snd_config_iterator_entry(i);
        const char* id = nullptr;
        if (snd_config_get_id(entry, &id) < 0)
            continue;
        long number = 0;
        const char* text = nullptr;
        if (!strcmp(id, "comment") || !strcmp(id, "type") || !strcmp(id, "hint"))
            continue;
        if (!strcmp(id, "rate") && snd_config_get_integer(entry, &number) == 0 && number > 0)
            card->rate = unsigned(number);
        else if (!strcmp(id, "channels") && snd_config_get_integer(entry, &number) == 0 && number > 0)
            card->channels = unsigned(number);
        else if (!strcmp(id, "record") && snd_config_get_string(entry, &text) == 0)
            card->recordFd = open(text, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        else if (!strcmp(id, "unplugged") && snd_config_get_string(entry, &text) == 0)
            card->unpluggedPath = text;
        else if (!strcmp(id, "server") && snd_config_get_string(entry, &text) == 0)
            card->serverPath = text;
        else {
            SNDERR("Unknown field %s", id);
            return false;
        }
    }
    return true;
}

void release(TestCard* card)
{
    if (card->recordFd >= 0)
        close(card->recordFd);
    if (card->io.poll_fd >= 0)
        close(card->io.poll_fd);
    delete card;
}

} // namespace

extern "C" {

SND_PCM_PLUGIN_DEFINE_FUNC(vantortestcard)
{
    (void)root;
    auto* card = new TestCard;
    card->io.poll_fd = -1;
    if (!configure(card, conf)) {
        release(card);
        return -EINVAL;
    }
    if (unplugged(card)) {
        release(card);
        return -ENODEV;
    }
    card->server = serverIdentity(card);
    card->io.version = SND_PCM_IOPLUG_VERSION;
    card->io.name = "Vantor test card";
    card->io.callback = &kCallbacks;
    card->io.private_data = card;
    // Always writable: a write that has to wait polls it and finds room by the clock.
    card->io.poll_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    card->io.poll_events = POLLOUT;
    const int error = snd_pcm_ioplug_create(&card->io, name, stream, mode);
    if (error < 0) {
        release(card);
        return error;
    }
    const unsigned int access[] = { SND_PCM_ACCESS_RW_INTERLEAVED };
    const unsigned int format[] = { SND_PCM_FORMAT_S16_LE };
    snd_pcm_ioplug_set_param_list(&card->io, SND_PCM_IOPLUG_HW_ACCESS, 1, access);
    snd_pcm_ioplug_set_param_list(&card->io, SND_PCM_IOPLUG_HW_FORMAT, 1, format);
    snd_pcm_ioplug_set_param_minmax(&card->io, SND_PCM_IOPLUG_HW_CHANNELS, card->channels, card->channels);
    snd_pcm_ioplug_set_param_minmax(&card->io, SND_PCM_IOPLUG_HW_RATE, card->rate, card->rate);
    snd_pcm_ioplug_set_param_minmax(&card->io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 1 << 20);
    snd_pcm_ioplug_set_param_minmax(&card->io, SND_PCM_IOPLUG_HW_PERIODS, 2, 1024);
    *pcmp = card->io.pcm;
    return 0;
}

SND_PCM_PLUGIN_SYMBOL(vantortestcard)
}
