#pragma once

#include <cstdint>

namespace Vl::Tavix3::UI {

// The program and the libraries loaded in the process, with the range of addresses each one
// occupies, so that a stack frame can be written as module + offset without looking anything up
// at that moment. The table is a snapshot: refresh() takes it again from normal code when
// libraries have been loaded or unloaded since (plugins arrive long after start-up); locate()
// only reads the last snapshot and is safe inside a signal handler.
class ModuleTable
{
public:
    // Takes the table again when the set of loaded libraries has changed. Not for signal handlers.
    static void refresh();

    // The module holding the address and the address's offset in it (the address the module's
    // file gives the instruction, as addr2line takes it); false when no module holds it.
    // Async-signal-safe: no allocation, no lock.
    static bool locate(uintptr_t address, const char*& path, uintptr_t& offset);
};

} // namespace Vl::Tavix3::UI
