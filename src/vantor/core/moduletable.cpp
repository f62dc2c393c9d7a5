#include "core/moduletable.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstddef>
#include <link.h>
#include <mutex>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

struct Module
{
    uintptr_t start = 0;
    uintptr_t end = 0;
    uintptr_t base = 0;
    char path[256] = {};
};

constexpr int kMaxModules = 512;

struct Table
{
    Module modules[kMaxModules];
    int count = 0;
};

// Two tables: refresh() fills the one not in use and then publishes it, so a handler that reads
// the table while another thread refreshes it always sees a whole one.
Table s_tables[2];
std::atomic<int> s_active { -1 };
std::mutex s_refreshMutex;
// The loader's counts of libraries ever loaded and unloaded when the table was last taken.
unsigned long long s_adds = ULLONG_MAX;
unsigned long long s_subs = ULLONG_MAX;

struct Counts
{
    unsigned long long adds = 0;
    unsigned long long subs = 0;
    bool known = false;
};

int readCounts(dl_phdr_info* info, size_t size, void* data)
{
    auto* counts = static_cast<Counts*>(data);
    if (size >= offsetof(dl_phdr_info, dlpi_subs) + sizeof(info->dlpi_subs)) {
        counts->adds = info->dlpi_adds;
        counts->subs = info->dlpi_subs;
        counts->known = true;
    }
    return 1; // the first module carries the counts of all
}

void copyPath(char* target, size_t size, const char* source)
{
    size_t i = 0;
    for (; source && source[i] && i + 1 < size; ++i)
        target[i] = source[i];
    target[i] = '\0';
}

int addModule(dl_phdr_info* info, size_t, void* data)
{
    auto* table = static_cast<Table*>(data);
    if (table->count >= kMaxModules)
        return 1;
    uintptr_t start = UINTPTR_MAX;
    uintptr_t end = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type != PT_LOAD)
            continue;
        start = std::min<uintptr_t>(start, info->dlpi_addr + header.p_vaddr);
        end = std::max<uintptr_t>(end, info->dlpi_addr + header.p_vaddr + header.p_memsz);
    }
    if (start >= end)
        return 0;
    Module& module = table->modules[table->count++];
    module.start = start;
    module.end = end;
    module.base = info->dlpi_addr;
    if (info->dlpi_name && info->dlpi_name[0]) {
        copyPath(module.path, sizeof(module.path), info->dlpi_name);
    } else {
        // The program itself has no name in the loader's list.
        const ssize_t length = ::readlink("/proc/self/exe", module.path, sizeof(module.path) - 1);
        module.path[length > 0 ? length : 0] = '\0';
    }
    return 0;
}

} // namespace

void ModuleTable::refresh()
{
    std::lock_guard<std::mutex> lock(s_refreshMutex);
    Counts counts;
    dl_iterate_phdr(readCounts, &counts);
    const int active = s_active.load(std::memory_order_acquire);
    if (active >= 0 && counts.known && counts.adds == s_adds && counts.subs == s_subs)
        return;
    Table& next = s_tables[active == 0 ? 1 : 0];
    next.count = 0;
    dl_iterate_phdr(addModule, &next);
    s_adds = counts.known ? counts.adds : ULLONG_MAX;
    s_subs = counts.known ? counts.subs : ULLONG_MAX;
    s_active.store(active == 0 ? 1 : 0, std::memory_order_release);
}

bool ModuleTable::locate(uintptr_t address, const char*& path, uintptr_t& offset)
{
    const int active = s_active.load(std::memory_order_acquire);
    if (active < 0)
        return false;
    const Table& table = s_tables[active];
    for (int m = 0; m < table.count && m < kMaxModules; ++m) {
        const Module& module = table.modules[m];
        if (address >= module.start && address < module.end) {
            path = module.path;
            offset = address - module.base;
            return true;
        }
    }
    return false;
}

} // namespace Vl::Tavix3::UI
