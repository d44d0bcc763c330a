#include "HeapCounter.hpp"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<std::int64_t> net{0};
std::atomic<std::int64_t> peak{0};

void* Counted(void* block)
{
    if (block && counting.load(std::memory_order_relaxed)) {
        const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
        const std::int64_t now = net.fetch_add(size, std::memory_order_relaxed) + size;
        for (std::int64_t seen = peak.load(std::memory_order_relaxed);
             now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed);) {
        }
    }
    return block;
}

void Release(void* block) noexcept
{
    if (block && counting.load(std::memory_order_relaxed))
        net.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)), std::memory_order_relaxed);
    std::free(block);
}

void* Allocate(std::size_t size)
{
    if (void* block = Counted(std::malloc(size ? size : 1)))
        return block;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    const auto align = static_cast<std::size_t>(alignment);
    if (void* block = Counted(std::aligned_alloc(align, (size + align - 1) / align * align)))
        return block;
    throw std::bad_alloc();
}

} // namespace

namespace quoddle::bench::heap {

void StartCounting()
{
    net.store(0);
    peak.store(0);
    counting.store(true);
}
void StopCounting() { counting.store(false); }
std::int64_t NetBytes() { return net.load(std::memory_order_relaxed); }
std::int64_t PeakNetBytes() { return peak.load(std::memory_order_relaxed); }
void ResetPeak() { peak.store(net.load(std::memory_order_relaxed), std::memory_order_relaxed); }

} // namespace quoddle::bench::heap

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size ? size : 1)); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size ? size : 1)); }
void* operator new(std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
