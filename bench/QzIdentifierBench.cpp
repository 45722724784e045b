// QzIdentifierBench: identifiers from 8- to 32-character names (new and
// already registered) against a plain single-thread registry built on
// absl::flat_hash_map; FindNameForCrc64 hits and misses at 1,000 and
// 100,000 names against std::unordered_map and absl::flat_hash_map; and
// lookups on 1, 2 and 4 threads. Ends with a table of ratios.
#include "foundation/QzChecksum.h"
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"

#include <absl/container/flat_hash_map.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kKeyMask = (1 << 16) - 1;

// Distinct mixed-case names of one length (at least 7), from a fixed seed:
// random letters and digits, then a counter that keeps them distinct.
std::vector<std::string> MakeNames(std::size_t count, std::size_t length, unsigned seed)
{
    static char const alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";
    std::mt19937 random(seed);
    std::vector<std::string> names(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        std::string const tail = "_" + std::to_string(i);
        while (names[i].size() + tail.size() < length)
            names[i] += alphabet[random() % (sizeof alphabet - 1)];
        names[i] += tail;
    }
    return names;
}

unsigned long long NameCrc(std::string const& name)
{
    return CreateCrc64_ToLower(name.data(), unsigned(name.size()), ~0ull);
}

// ---- identifiers from names ----

// The obvious single-thread registry an engine might write instead: hash,
// look up, store a lower-cased copy when missing. No lock, not thread-safe.
class CFlatRegistry
{
public:
    char const* Register(std::string const& name)
    {
        unsigned long long const crc = NameCrc(name);
        auto found = m_names.find(crc);
        if (found == m_names.end())
        {
            std::string lower = name;
            for (char& c : lower)
                c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
            found = m_names.emplace(crc, std::move(lower)).first;
        }
        return found->second.c_str();
    }
    void Clear() { m_names.clear(); }

private:
    absl::flat_hash_map<unsigned long long, std::string> m_names;
};

void IdentifierNewName(benchmark::State& state)
{
    std::vector<std::string> const names = MakeNames(1 << 16, std::size_t(state.range(0)), 1);
    CQzIdentifierManager::GetInstance()->Release();
    std::size_t next = 0;
    for (auto _ : state)
    {
        if (next == names.size())
        {
            // every name is new again after Release
            state.PauseTiming();
            CQzIdentifierManager::GetInstance()->Release();
            next = 0;
            state.ResumeTiming();
        }
        CQzIdentifier const id(names[next++].c_str());
        benchmark::DoNotOptimize(id);
    }
    state.SetItemsProcessed(state.iterations());
}

void FlatRegistryNewName(benchmark::State& state)
{
    std::vector<std::string> const names = MakeNames(1 << 16, std::size_t(state.range(0)), 1);
    CFlatRegistry registry;
    std::size_t next = 0;
    for (auto _ : state)
    {
        if (next == names.size())
        {
            state.PauseTiming();
            registry.Clear();
            next = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(registry.Register(names[next++]));
    }
    state.SetItemsProcessed(state.iterations());
}

void IdentifierRegisteredName(benchmark::State& state)
{
    std::vector<std::string> const names = MakeNames(4096, std::size_t(state.range(0)), 2);
    for (std::string const& name : names)
        CQzIdentifier const warm(name.c_str());
    std::size_t next = 0;
    for (auto _ : state)
    {
        CQzIdentifier const id(names[next++ & 4095].c_str());
        benchmark::DoNotOptimize(id);
    }
    state.SetItemsProcessed(state.iterations());
}

void FlatRegistryRegisteredName(benchmark::State& state)
{
    std::vector<std::string> const names = MakeNames(4096, std::size_t(state.range(0)), 2);
    CFlatRegistry registry;
    for (std::string const& name : names)
        registry.Register(name);
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.Register(names[next++ & 4095]));
    state.SetItemsProcessed(state.iterations());
}

// ---- lookups ----

// count registered names in the registry and both peers, and 65,536 keys
// to look up in random order: all registered (hits) or none (misses).
struct SLookupSet
{
    CQzIdentifierManager registry;
    std::unordered_map<unsigned long long, std::string> standard;
    absl::flat_hash_map<unsigned long long, std::string> flat;
    std::vector<unsigned long long> hits;
    std::vector<unsigned long long> misses;

    explicit SLookupSet(std::size_t count)
    {
        std::vector<unsigned long long> crcs;
        for (std::string const& name : MakeNames(count, 16, 3))
        {
            registry.CheckCrc64ForUniqueness(name.c_str(), false);
            unsigned long long const crc = NameCrc(name);
            standard.emplace(crc, registry.FindNameForCrc64(crc));
            flat.emplace(crc, registry.FindNameForCrc64(crc));
            crcs.push_back(crc);
        }
        std::mt19937_64 random(4);
        for (std::size_t i = 0; i <= kKeyMask; ++i)
        {
            hits.push_back(crcs[random() % crcs.size()]);
            unsigned long long miss;
            do
                miss = random();
            while (flat.count(miss) != 0);
            misses.push_back(miss);
        }
    }
};

SLookupSet const& LookupSet(std::size_t count)
{
    static SLookupSet const small(1000);
    static SLookupSet const large(100000);
    return count == 1000 ? small : large;
}

std::vector<unsigned long long> const& Keys(benchmark::State const& state)
{
    SLookupSet const& set = LookupSet(std::size_t(state.range(0)));
    return state.range(1) != 0 ? set.hits : set.misses;
}

void QzFind(benchmark::State& state)
{
    CQzIdentifierManager const& registry = LookupSet(std::size_t(state.range(0))).registry;
    std::vector<unsigned long long> const& keys = Keys(state);
    std::size_t next = std::size_t(state.thread_index()) * 7919;
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.FindNameForCrc64(keys[next++ & kKeyMask]));
    state.SetItemsProcessed(state.iterations());
}

template <typename TMap>
char const* FindIn(TMap const& map, unsigned long long key)
{
    auto const found = map.find(key);
    return found != map.end() ? found->second.c_str() : nullptr;
}

void StdUnorderedMapFind(benchmark::State& state)
{
    auto const& map = LookupSet(std::size_t(state.range(0))).standard;
    std::vector<unsigned long long> const& keys = Keys(state);
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindIn(map, keys[next++ & kKeyMask]));
    state.SetItemsProcessed(state.iterations());
}

void AbslFlatHashMapFind(benchmark::State& state)
{
    auto const& map = LookupSet(std::size_t(state.range(0))).flat;
    std::vector<unsigned long long> const& keys = Keys(state);
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindIn(map, keys[next++ & kKeyMask]));
    state.SetItemsProcessed(state.iterations());
}

void LookupArguments(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({"names", "hit"});
    for (int count : {1000, 100000})
        for (int hit : {1, 0})
            bench->Args({count, hit});
}

} // namespace

BENCHMARK(IdentifierNewName)->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(FlatRegistryNewName)->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(IdentifierRegisteredName)->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(FlatRegistryRegisteredName)->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(QzFind)->Apply(LookupArguments);
BENCHMARK(StdUnorderedMapFind)->Apply(LookupArguments);
BENCHMARK(AbslFlatHashMapFind)->Apply(LookupArguments);
// the same lookups on several threads at once, timed by the wall clock
BENCHMARK(QzFind)->ArgNames({"names", "hit"})->Args({100000, 1})->Args({1000, 1})
    ->Threads(1)->Threads(2)->Threads(4)->UseRealTime();

// ---- the ratio table ----

namespace {

// Keeps every run's time per item and items per second for the table.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(std::vector<Run> const& runs) override
    {
        for (Run const& run : runs)
        {
            double const perSecond = run.counters.count("items_per_second") != 0
                                         ? double(run.counters.at("items_per_second"))
                                         : 0.0;
            m_results[run.benchmark_name()] = {run.GetAdjustedCPUTime(), perSecond};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        std::printf("\nRatios (> 1: QzCore faster)\n");
        for (char const* length : {"8", "16", "32"})
        {
            Ratio("identifier from a new name, ", length, "FlatRegistryNewName/", "IdentifierNewName/");
            Ratio("identifier from a registered name, ", length, "FlatRegistryRegisteredName/",
                  "IdentifierRegisteredName/");
            std::printf("    registered %s-character name: %.1f ns per identifier\n", length,
                        Time(std::string("IdentifierRegisteredName/") + length));
        }
        for (char const* set : {"names:1000/hit:1", "names:1000/hit:0", "names:100000/hit:1", "names:100000/hit:0"})
        {
            Ratio("FindNameForCrc64 vs std::unordered_map, ", set, "StdUnorderedMapFind/", "QzFind/");
            Ratio("FindNameForCrc64 vs absl::flat_hash_map, ", set, "AbslFlatHashMapFind/", "QzFind/");
        }
        for (char const* set : {"names:100000/hit:1", "names:1000/hit:1"})
        {
            double const one = PerSecond(std::string("QzFind/") + set + "/real_time/threads:1");
            for (int threads : {1, 2, 4})
            {
                double const all =
                    PerSecond(std::string("QzFind/") + set + "/real_time/threads:" + std::to_string(threads));
                std::printf("  %s, %d thread(s): %.1f M lookups/s in all, %.1f M per thread, %.2fx one thread\n",
                            set, threads, all / 1e6, all / threads / 1e6, one > 0 ? all / one : 0.0);
            }
        }
    }

private:
    struct SResult
    {
        double time;
        double perSecond;
    };

    double Time(std::string const& name) const
    {
        auto const found = m_results.find(name);
        return found != m_results.end() ? found->second.time : 0.0;
    }
    double PerSecond(std::string const& name) const
    {
        auto const found = m_results.find(name);
        return found != m_results.end() ? found->second.perSecond : 0.0;
    }
    void Ratio(char const* what, std::string const& argument, std::string const& peer, std::string const& ours) const
    {
        double const peerTime = Time(peer + argument);
        double const ourTime = Time(ours + argument);
        if (peerTime > 0 && ourTime > 0)
            std::printf("  %s%s: %.2f (%.1f ns against %.1f ns)\n", what, argument.c_str(), peerTime / ourTime,
                        ourTime, peerTime);
    }

    std::map<std::string, SResult> m_results;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
