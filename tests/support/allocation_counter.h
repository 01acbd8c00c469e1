// Counts every allocation the program makes, by replacing the global
// operator new. Include it in exactly one source file of an executable.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace marlinet::testing {
inline std::atomic<std::int64_t> g_allocations{0};

inline std::int64_t Allocations() {
    return g_allocations.load(std::memory_order_relaxed);
}
} // namespace marlinet::testing

void* operator new(std::size_t size) {
    marlinet::testing::g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

// The library's temporary buffers (std::stable_sort) come from the nothrow
// form and go back through the plain delete below: both must be this file's.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    marlinet::testing::g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

// GCC pairs the malloc above with the frees below only when it cannot see
// both; where it inlines one into a caller it takes them for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop
