#include "platform/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace lorvanel {

namespace {

#if defined(__linux__)
// The pages of `page` bytes that lie wholly inside the buffer, as madvise takes them: calls
// f(start, length) when there is at least one.
template <class F> void forWholePages(void* buffer, std::size_t size, std::uintptr_t page, F f) {
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
    const std::uintptr_t last = (begin + size) & ~(page - 1);
    if (last > first) f(reinterpret_cast<void*>(first), last - first);
}
#endif

} // namespace

void adviseLargeBuffer(void* buffer, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only whole large pages inside the buffer can be backed by one.
    forWholePages(buffer, size, std::uintptr_t{2} << 20,
                  [](void* start, std::size_t length) { ::madvise(start, length, MADV_HUGEPAGE); });
#else
    (void)buffer;
    (void)size;
#endif
}

void prefaultBuffer(void* buffer, std::size_t size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // madvise takes whole pages; the partial ones at the buffer's ends come at their first write.
    forWholePages(
        buffer, size, static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE)),
        [](void* start, std::size_t length) { ::madvise(start, length, MADV_POPULATE_WRITE); });
#else
    (void)buffer;
    (void)size;
#endif
}

} // namespace lorvanel
