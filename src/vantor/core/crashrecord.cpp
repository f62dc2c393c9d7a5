#include "core/crashrecord.h"

#include "core/moduletable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QVariant>

#include <atomic>
#include <boost/stacktrace/safe_dump_to.hpp>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

// Frames written at most; the trace shows the innermost ones (of a stack overflow, the recursion).
constexpr size_t kMaxFrames = 64;
// Frames captured: the handler's own frames come first and are left out.
constexpr size_t kCapturedFrames = kMaxFrames + 16;

std::mutex s_refreshMutex;
// The descriptor the signal handlers write the log through. Once open its number stays: a new
// file is put behind the same number (dup3), so a handler never writes to a number that has
// meanwhile been given to another file.
std::atomic<int> s_logFd { -1 };
QByteArray s_logPath;
dev_t s_logDevice = 0;
ino_t s_logInode = 0;
std::atomic<long> s_utcOffsetSeconds { 0 };

QByteArray configuredLogPath()
{
    const QCoreApplication* instance = QCoreApplication::instance();
    if (!instance)
        return QByteArray();
    const QVariant enabled = instance->property("LOGFILE_ENABLED");
    const QVariant fileName = instance->property("LOGFILE");
    if (!enabled.isValid() || !enabled.toBool() || !fileName.isValid())
        return QByteArray();
    return QFile::encodeName(fileName.toString());
}

void closeLog()
{
    const int fd = s_logFd.exchange(-1);
    if (fd >= 0)
        ::close(fd);
    s_logPath.clear();
}

// Keeps the descriptor on the file the path names now: the log is removed after a version change
// and written anew, and a test or a later instance may point it elsewhere.
void followLog(const QByteArray& path)
{
    if (path.isEmpty()) {
        closeLog();
        return;
    }
    struct stat named {};
    if (path == s_logPath && s_logFd.load() >= 0 && ::stat(path.constData(), &named) == 0
        && named.st_dev == s_logDevice && named.st_ino == s_logInode)
        return;
    // Not blocking: a FIFO in the log's place must not hold the caller; only a plain file is kept.
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, O_APPEND);
    const int current = s_logFd.load();
    if (current >= 0) {
        ::dup3(fd, current, O_CLOEXEC);
        ::close(fd);
    } else {
        s_logFd.store(fd);
    }
    s_logPath = path;
    s_logDevice = opened.st_dev;
    s_logInode = opened.st_ino;
}

void takeUtcOffset()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (::localtime_r(&now, &local))
        s_utcOffsetSeconds.store(local.tm_gmtoff);
}

// One line of output built on the stack and written with one write(2), so that lines written by
// other threads to the same file at the same time stay whole.
class Line
{
public:
    void append(const char* text)
    {
        for (size_t i = 0; text && text[i] && m_length < sizeof(m_text) - 1; ++i)
            m_text[m_length++] = text[i];
    }

    void appendNumber(uintptr_t value, unsigned base, int width = 0)
    {
        char digits[sizeof(uintptr_t) * 8];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value && count < int(sizeof(digits)));
        for (int pad = count; pad < width; ++pad)
            append("0");
        while (count > 0 && m_length < sizeof(m_text) - 1)
            m_text[m_length++] = digits[--count];
    }

    void appendHex(uintptr_t value)
    {
        append("0x");
        appendNumber(value, 16);
    }

    // Writes the line with its line end.
    void writeTo(int fd)
    {
        m_text[m_length] = '\n';
        const char* text = m_text;
        size_t left = m_length + 1;
        while (left > 0) {
            const ssize_t written = ::write(fd, text, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            text += written;
            left -= size_t(written);
        }
    }

private:
    char m_text[512];
    size_t m_length = 0;
};

// "yyyy-MM-dd hh:mm:ss.zzz" in local time, from the clock and the offset refresh() took.
void appendLocalTime(Line& line)
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long seconds = static_cast<long long>(now.tv_sec) + s_utcOffsetSeconds.load();
    long long days = seconds / 86400;
    long long secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    // Civil date from the count of days since 1970-01-01 (proleptic Gregorian calendar).
    const long long shifted = days + 719468;
    const long long era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const long long dayOfEra = shifted - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    line.appendNumber(uintptr_t(year), 10, 4);
    line.append("-");
    line.appendNumber(uintptr_t(month), 10, 2);
    line.append("-");
    line.appendNumber(uintptr_t(day), 10, 2);
    line.append(" ");
    line.appendNumber(uintptr_t(secondOfDay / 3600), 10, 2);
    line.append(":");
    line.appendNumber(uintptr_t(secondOfDay / 60 % 60), 10, 2);
    line.append(":");
    line.appendNumber(uintptr_t(secondOfDay % 60), 10, 2);
    line.append(".");
    line.appendNumber(uintptr_t(now.tv_nsec / 1000000), 10, 3);
}

// The frames of the calling thread, innermost first.
struct Frames
{
    void* addresses[kCapturedFrames] = {};
    size_t first = 0;
    size_t count = 0;
};

// Frame 0 is the caller's own; when one of the frames is the address from, the trace starts there.
void capture(Frames& frames, uintptr_t from)
{
    frames.count = boost::stacktrace::safe_dump_to(0, frames.addresses, sizeof(frames.addresses));
    frames.first = 0;
    for (size_t i = 0; from != 0 && i < frames.count; ++i) {
        if (reinterpret_cast<uintptr_t>(frames.addresses[i]) == from) {
            frames.first = i;
            break;
        }
    }
}

// "3# 0x7f... in /path/module+0x4c61b" (the module part only when a module holds the address).
void appendFrame(Line& line, size_t number, const void* frame)
{
    const auto address = reinterpret_cast<uintptr_t>(frame);
    line.appendNumber(number, 10);
    line.append("# ");
    line.appendHex(address);
    const char* path = nullptr;
    uintptr_t offset = 0;
    if (ModuleTable::locate(address, path, offset)) {
        line.append(" in ");
        line.append(path);
        line.append("+");
        line.appendHex(offset);
    }
}

// Writes the frames to fd, one line each, every line starting with the prefix.
void writeFrames(int fd, const Frames& frames, const Line& prefix)
{
    for (size_t i = frames.first, n = 0; i < frames.count && frames.addresses[i] && n < kMaxFrames; ++i, ++n) {
        Line line = prefix;
        appendFrame(line, n, frames.addresses[i]);
        line.writeTo(fd);
    }
}

} // namespace

void CrashRecord::refresh()
{
    std::lock_guard<std::mutex> lock(s_refreshMutex);
    ModuleTable::refresh();
    followLog(configuredLogPath());
    takeUtcOffset();
}

void CrashRecord::writeFatal(const char* function, const char* name, uintptr_t faultAddress)
{
    Frames frames;
    capture(frames, faultAddress);
    if (frames.first == 0)
        frames.first = 1; // the interrupted frame is not among them: start at the caller

    // The log first: the console may be a pipe nobody reads any more, where a write blocks.
    const int logFd = s_logFd.load();
    if (logFd >= 0) {
        Line prefix;
        prefix.append("DEBUG|");
        appendLocalTime(prefix);
        prefix.append("|");
        prefix.append(function);
        prefix.append("||");
        Line line = prefix;
        line.append(name);
        line.writeTo(logFd);
        writeFrames(logFd, frames, prefix);
    }
    Line line;
    line.append(name);
    line.writeTo(STDERR_FILENO);
    writeFrames(STDOUT_FILENO, frames, Line());
}

void CrashRecord::writeTrace(int fd)
{
    Frames frames;
    capture(frames, 0);
    frames.first = 1; // this function's own frame
    writeFrames(fd, frames, Line());
}

} // namespace Vl::Tavix3::UI
