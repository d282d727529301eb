#include "platform/core/ConstantPages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace dd {

void ReleaseConstantPages(const void* begin, const void* end) {
#if defined(__linux__) && defined(MADV_PAGEOUT)
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page;
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(end) / page * page;
    // Paging out never changes what the pages hold, unlike dropping them; a refusal only leaves
    // them resident.
    if (first < last)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_PAGEOUT);
#else
    (void)begin;
    (void)end;
#endif
}

} // namespace dd
