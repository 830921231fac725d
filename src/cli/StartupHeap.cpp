// The heap of zebstat-batch in huge pages. A run of the batch tool is short:
// its memory is touched once, and on a virtual machine each first touch of a
// 4 KiB page (a page fault) costs more than the program's arithmetic — the
// largest record file took some 1,600 faults, about two thirds of the run.
// Before main, the heap is made to start on a 2 MiB boundary, grows in steps of
// 64 MiB of address space (only what is touched takes memory), never goes back
// to mmap'd blocks for large buffers, and is marked for transparent huge pages,
// so a run takes a few dozen faults. Where the system has no transparent huge
// pages nothing changes. Linked into the batch programs only.
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

#if !defined(__SANITIZE_ADDRESS__)

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr std::size_t kGrowthBytes = std::size_t{64} << 20;

// The first 2 MiB of the heap, held to the end: its first page is touched
// before the rest is marked, so it could not be a huge page.
void* heldFirstBlock = nullptr;

struct StartupHeap {
    StartupHeap() {
        if (::mallopt(M_MMAP_THRESHOLD, 32 << 20) != 1 || ::mallopt(M_TRIM_THRESHOLD, 512 << 20) != 1 ||
            ::mallopt(M_TOP_PAD, static_cast<int>(kGrowthBytes)) != 1)
            return;
        void* const brk = ::sbrk(0);
        if (brk == reinterpret_cast<void*>(-1)) return;
        const auto now = reinterpret_cast<std::uintptr_t>(brk);
        const std::uintptr_t start = (now + kHugePage - 1) & ~(kHugePage - 1);
        if (start > now && ::sbrk(static_cast<std::intptr_t>(start - now)) == reinterpret_cast<void*>(-1)) return;
        heldFirstBlock = std::malloc(kHugePage - 64);
        const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(kHugePage - 1);
        if (heldFirstBlock && end > start + kHugePage)
            ::madvise(reinterpret_cast<void*>(start + kHugePage), end - start - kHugePage, MADV_HUGEPAGE);
    }
};

const StartupHeap startupHeap;

#endif

} // namespace
