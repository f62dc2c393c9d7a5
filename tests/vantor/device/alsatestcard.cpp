// A sound card for the tests, as an ALSA plugin that the ~/.asoundrc of a test names (see
// AlsaTestDevice): the machines the tests run on have none. It plays in real time at one fixed
// rate and channel count and records what it plays.
//
// A real card that runs dry plays silence. This one waits for more (its clock stops) for up to
// "slack" milliseconds first, so that a test machine too busy to run the output thread on time
// does not break a tone up; after that it runs dry as a real card does (an xrun: between two
// tones, the usual case). A tone broken up by the program itself shows all the same: the frames
// it holds ahead of what it plays after each write go to the file named by "ahead", one line each.
//
// While the file named by "unplugged" exists it behaves as a card that was unplugged: it does not
// open, and a stream open on it fails every call from then on. When the file named by "server" is
// replaced, the writes of the streams open before fail from then on while new ones open as before:
// the card of a sound server that restarted.
//
//   pcm_type.vantortestcard { lib "<this library>" }
//   pcm.name { type vantortestcard rate 44100 channels 1 slack 250 record "<file>" ahead "<file>"
//              unplugged "<file>" server "<file>" }
//
// The recording: the frames played, signed 16-bit little-endian, interleaved; each run of playing
// after the first (the card starts again after an xrun, or another stream starts) begins with
// 50 ms of silence. Frames written but never played (a stream stopped early) are not in it.
#include <algorithm>
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSeparatorMs = 50;

struct TestCard
{
    snd_pcm_ioplug_t io {};
    unsigned rate = 48000;
    unsigned channels = 1;
    unsigned slackMs = 0;
    std::string unpluggedPath;
    std::string serverPath;
    ino_t server = 0; // the server file's identity when the stream opened
    bool unpluggedSeen = false; // the stream has seen its card unplugged
    int recordFd = -1;
    int aheadFd = -1;
    bool started = false;
    int64_t startFrame = 0; // clock position where the frames since the last prepare begin
    snd_pcm_uframes_t hwAtStart = 0;
    snd_pcm_uframes_t boundary = 0; // where positions wrap
    int64_t written = 0; // frames since the last prepare
    int64_t dryAt = -1; // clock position where the card ran dry and waits for more; -1 while playing
    std::vector<char> beforeStart; // frames written while prepared, recorded when the card starts

    int frameBytes() const { return int(channels) * 2; }
    int64_t slackFrames() const { return int64_t(slackMs) * rate / 1000; }
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
    struct stat status;
    return !card->serverPath.empty() && stat(card->serverPath.c_str(), &status) == 0 ? status.st_ino : 0;
}

// Whether the stream's card was unplugged, now or since it opened.
bool wasUnplugged(TestCard* card)
{
    card->unpluggedSeen = card->unpluggedSeen || unplugged(card);
    return card->unpluggedSeen;
}

// Whether the stream can no longer play: its card unplugged or its server restarted.
bool gone(TestCard* card) { return wasUnplugged(card) || serverIdentity(card) != card->server; }

void append(int fd, const char* bytes, size_t size)
{
    while (fd >= 0 && size > 0) {
        const ssize_t done = write(fd, bytes, size);
        if (done <= 0)
            return;
        bytes += done;
        size -= size_t(done);
    }
}

// Frames played since the card started, never more than were written.
int64_t played(const TestCard* card)
{
    if (!card->started)
        return 0;
    if (card->dryAt >= 0)
        return card->written;
    return std::min(nowFrame(card->rate) - card->startFrame, card->written);
}

// Whether the card has run dry for longer than it waits; until then, a card that has just run
// dry waits.
bool ranDry(TestCard* card)
{
    const int64_t now = nowFrame(card->rate);
    if (card->dryAt < 0) {
        if (now - card->startFrame < card->written)
            return false;
        card->dryAt = card->startFrame + card->written;
    }
    return now - card->dryAt > card->slackFrames();
}

int cardStart(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    if (card->recordFd >= 0 && lseek(card->recordFd, 0, SEEK_END) > 0) {
        const std::vector<char> silence(size_t(kSeparatorMs) * card->rate / 1000 * card->frameBytes(), 0);
        append(card->recordFd, silence.data(), silence.size());
    }
    append(card->recordFd, card->beforeStart.data(), card->beforeStart.size());
    card->beforeStart.clear();
    card->started = true;
    card->startFrame = nowFrame(card->rate);
    card->hwAtStart = io->hw_ptr;
    card->dryAt = -1;
    return 0;
}

// Frames written but not played are dropped from the recording: no card plays them.
int cardStop(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (card->started && card->recordFd >= 0) {
        const off_t unplayed = off_t(card->written - played(card)) * card->frameBytes();
        const off_t size = lseek(card->recordFd, 0, SEEK_END);
        if (unplayed > 0 && size >= unplayed && ftruncate(card->recordFd, size - unplayed) == 0)
            lseek(card->recordFd, 0, SEEK_END);
    }
    card->started = false;
    return 0;
}

snd_pcm_sframes_t cardPointer(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (wasUnplugged(card))
        return -ENODEV;
    if (!card->started)
        return snd_pcm_sframes_t(io->hw_ptr);
    if (ranDry(card))
        return -EPIPE;
    // The position on the boundary's scale, not the buffer's: a writer late by a whole buffer or
    // more sees the card's position as it is, not a buffer short.
    const snd_pcm_uframes_t wrap = card->boundary > 0 ? card->boundary : io->buffer_size;
    return snd_pcm_sframes_t((card->hwAtStart + snd_pcm_uframes_t(played(card))) % wrap);
}

int cardSwParams(snd_pcm_ioplug_t* io, snd_pcm_sw_params_t* params)
{
    snd_pcm_uframes_t boundary = 0;
    if (snd_pcm_sw_params_get_boundary(params, &boundary) == 0)
        cardOf(io)->boundary = boundary;
    return 0;
}

snd_pcm_sframes_t cardTransfer(
    snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas, snd_pcm_uframes_t offset, snd_pcm_uframes_t size)
{
    TestCard* card = cardOf(io);
    if (gone(card))
        return -ENODEV;
    if (card->started) {
        if (ranDry(card))
            return -EPIPE;
        if (card->dryAt >= 0) {
            // It waited: it plays on from now.
            card->startFrame += nowFrame(card->rate) - card->dryAt;
            card->dryAt = -1;
        }
    }
    const char* frames = static_cast<const char*>(areas[0].addr) + (areas[0].first + offset * areas[0].step) / 8;
    const size_t bytes = size * size_t(card->frameBytes());
    if (card->started)
        append(card->recordFd, frames, bytes);
    else
        card->beforeStart.insert(card->beforeStart.end(), frames, frames + bytes);
    card->written += int64_t(size);
    if (card->aheadFd >= 0) {
        char line[32];
        const int length = snprintf(line, sizeof line, "%lld\n", static_cast<long long>(card->written - played(card)));
        append(card->aheadFd, line, size_t(length));
    }
    return snd_pcm_sframes_t(size);
}

int cardPrepare(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    if (wasUnplugged(card))
        return -ENODEV;
    card->started = false;
    card->written = 0;
    card->dryAt = -1;
    card->beforeStart.clear();
    return 0;
}

// Plays what was written, in real time.
int cardDrain(snd_pcm_ioplug_t* io)
{
    TestCard* card = cardOf(io);
    while (card->started && !gone(card) && played(card) < card->written)
        usleep(1000);
    return 0;
}

void release(TestCard* card)
{
    if (card->recordFd >= 0)
        close(card->recordFd);
    if (card->aheadFd >= 0)
        close(card->aheadFd);
    if (card->io.poll_fd >= 0)
        close(card->io.poll_fd);
    delete card;
}

int cardClose(snd_pcm_ioplug_t* io)
{
    release(cardOf(io));
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
    callback.sw_params = cardSwParams;
    return callback;
}

const snd_pcm_ioplug_callback_t kCallbacks = callbacks();

int openForAppending(const char* path) { return open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644); }

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
        else if (!strcmp(id, "slack") && snd_config_get_integer(entry, &number) == 0 && number >= 0)
            card->slackMs = unsigned(number);
        else if (!strcmp(id, "record") && snd_config_get_string(entry, &text) == 0)
            card->recordFd = openForAppending(text);
        else if (!strcmp(id, "ahead") && snd_config_get_string(entry, &text) == 0)
            card->aheadFd = openForAppending(text);
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
    card->io.flags = SND_PCM_IOPLUG_FLAG_BOUNDARY_WA;
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
