// QzChecksumBench: the one-call CRCs against zlib's crc32 on 1 KiB, 64 KiB
// and 1 MiB buffers, and the case-folding 64-bit CRC on identifier-sized
// names of 8 to 32 characters.
#include "foundation/QzChecksum.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> const& Buffer()
{
    static std::vector<unsigned char> const buffer = [] {
        std::mt19937 random(1);
        std::vector<unsigned char> bytes(1 << 20);
        for (unsigned char& b : bytes)
            b = (unsigned char)random();
        return bytes;
    }();
    return buffer;
}

void ZlibCrc32(benchmark::State& state)
{
    std::size_t const size = std::size_t(state.range(0));
    unsigned char const* const data = Buffer().data();
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0, data, uInt(size)));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

void QzCreateCRC32(benchmark::State& state)
{
    std::size_t const size = std::size_t(state.range(0));
    unsigned char const* const data = Buffer().data();
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateCRC32(data, int(size)));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

void QzCreateCrc64(benchmark::State& state)
{
    std::size_t const size = std::size_t(state.range(0));
    unsigned char const* const data = Buffer().data();
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateCrc64(data, unsigned(size)));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// Mixed-case names like the engine's identifiers, length from the argument.
void QzCreateCrc64ToLower(benchmark::State& state)
{
    std::size_t const length = std::size_t(state.range(0));
    std::mt19937 random(2);
    char const* const alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789/.";
    std::vector<std::string> names(256);
    for (std::string& name : names)
        for (std::size_t i = 0; i < length; ++i)
            name += alphabet[random() % 64];
    std::size_t next = 0;
    for (auto _ : state)
    {
        std::string const& name = names[next++ & 255];
        benchmark::DoNotOptimize(CreateCrc64_ToLower(name.data(), unsigned(name.size()), ~0ull));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(length));
}

} // namespace

BENCHMARK(ZlibCrc32)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(QzCreateCRC32)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(QzCreateCrc64)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(QzCreateCrc64ToLower)->Arg(8)->Arg(12)->Arg(16)->Arg(24)->Arg(32);

BENCHMARK_MAIN();
