#pragma once

#include <cstdint>

namespace Vl::Tavix3::UI {

// What a fatal signal leaves behind: its name and a stack trace of the failing thread, on the
// console and in the diagnostic log. The trace names each frame as module + offset
// ("3# 0x7f... in /path/Vantor+0x4c61b"); nothing is looked up by name, so writing it costs no
// memory and little time.
//
// The writing functions make async-signal-safe calls only (write(2) on descriptors opened
// beforehand, numbers formatted on the stack). Everything they need is prepared by refresh(),
// from normal code: a descriptor on the diagnostic log file, kept open for appending and opened
// again when the file is replaced or removed, the table of loaded modules and the offset of
// local time.
class CrashRecord
{
public:
    // Follows the log file (the application properties "LOGFILE" and "LOGFILE_ENABLED"), takes the
    // module table again when libraries came or went, and the local time's offset. Cheap when
    // nothing changed; the diagnostic log calls it after each line. Not for signal handlers.
    static void refresh();

    // The record of a fatal signal: the name on standard error, the trace on standard output, and
    // both in the diagnostic log as lines of its own format (function field: function). The
    // trace starts at the frame of faultAddress (the instruction the signal interrupted) when
    // it is among the frames; else at the caller of this function.
    static void writeFatal(const char* function, const char* name, uintptr_t faultAddress);

    // A trace of the calling thread, starting at the caller of this function, to the descriptor.
    static void writeTrace(int fd);
};

} // namespace Vl::Tavix3::UI
