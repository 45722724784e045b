// Tests that a hash file's length and count fields cannot make the loader
// allocate: this program counts what operator new hands out, and a file
// that announces 4 GiB must not cost more than it holds.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_largest{0};
std::atomic<std::size_t> g_total{0};

void* Allocate(std::size_t size)
{
    std::size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size))
    {
    }
    g_total += size;
    if (void* const block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

} // namespace

// every form, so that no sanitizer's own form meets a block from malloc
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::nothrow_t const&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, std::nothrow_t const&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::nothrow_t const&) noexcept { std::free(block); }
void operator delete[](void* block, std::nothrow_t const&) noexcept { std::free(block); }

TEST(QzHashFileAllocation, LengthAndCountFieldsAllocateNoMoreThanTheFileHolds)
{
    qztest::CScratchDirectory const directory;
    std::string const path = directory.File("huge");
    for (bool const bigEndian : {false, true})
    {
        // 4 Gi entries announced, and a 4 GiB name in a file of about 1 MiB
        qztest::Bytes file;
        qztest::PutInteger(file, 0xFFFFFFFFu, 4, bigEndian);
        qztest::PutEntry(file, "first", 0x0101, bigEndian);
        qztest::PutInteger(file, 0xFFFFFFFFu, 4, bigEndian);
        file.insert(file.end(), 1 << 20, 'x');
        qztest::WriteBytes(path, file);

        CQzIdentifierManager manager;
        g_largest = 0;
        g_total = 0;
        manager.LoadHashFile(TQzString<char>(path.c_str()), bigEndian);
        EXPECT_STREQ(manager.FindNameForCrc64(0x0101), "first");
        EXPECT_LT(g_largest.load(), std::size_t(4) << 20) << "largest single allocation";
        EXPECT_LT(g_total.load(), std::size_t(16) << 20) << "all allocations together";
    }
}
