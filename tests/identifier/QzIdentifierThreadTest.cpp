// Tests of the registry under several threads at once: identifiers built
// from shared and private names, lookups, a hash file loaded and saved,
// Release, and the first touch of the singletons, all racing. Run under
// ThreadSanitizer by the tsan preset.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"
#include "identifier/QzWellKnownIdentifiers.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

namespace {

using qztest::NameCrc64;

TEST(QzIdentifierThreads, BuildersReadersAFileLoadAndReleaseShareTheRegistry)
{
    CQzIdentifierManager* const registry = CQzIdentifierManager::GetInstance();
    registry->Release();
    qztest::CScratchDirectory const directory;
    TQzString<char> const loadPath(directory.File("load").c_str());
    CQzIdentifierManager source;
    for (int i = 0; i < 3000; ++i)
        source.CheckCrc64ForUniqueness(("file_" + std::to_string(i)).c_str(), false);
    source.SaveHashFile(loadPath, false);

    // Builders walk the shared names from different places in their own mix of
    // cases; until Release races with them, every name they build has its text.
    std::atomic<int> failures{0};
    std::atomic<bool> releasing{false};
    std::vector<QZID*> tables(4);
    auto build = [&](int t) {
        tables[std::size_t(t)] = QZID::GetSingleton();
        for (int i = 0; i < 1500; ++i)
        {
            std::string name = "shared_name_" + std::to_string((i + t * 375) % 1500), lower = name;
            for (std::size_t c = std::size_t(t + i) % 2; c < name.size(); c += 2)
                name[c] = char(std::toupper(name[c]));
            // a lookup of a name that may not be there yet finds nothing or its text
            std::string const own = "Own_" + std::to_string(t) + "_" + std::to_string(i), other = "shared_name_" + std::to_string(i);
            CQzIdentifier const id(name.c_str()), mine(own.c_str());
            char const* const found = registry->FindNameForCrc64(NameCrc64(other));
            bool const ok = id.GetCrc64() == NameCrc64(lower) && (found == nullptr || other == found) &&
                            (releasing || (lower == id.DebugCString() && qztest::AsciiLower(own) == mine.DebugCString() &&
                                           mine.Append("_x") == CQzIdentifier((own + "_X").c_str())));
            failures += ok ? 0 : 1;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(build, t);
    threads.emplace_back([&] {
        registry->LoadHashFile(loadPath, false);
        registry->SaveHashFile(TQzString<char>(directory.File("saved").c_str()), false);
        registry->LoadHashFile(loadPath, false);
    });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    for (QZID* table : tables)
        EXPECT_EQ(table, tables[0]);
    for (int i = 0; i < 3000; i += 7)
    {
        std::string const name = "file_" + std::to_string(i), shared = "shared_name_" + std::to_string(i % 1500);
        EXPECT_STREQ(registry->FindNameForCrc64(NameCrc64(name)), name.c_str());
        EXPECT_STREQ(registry->FindNameForCrc64(NameCrc64(shared)), shared.c_str());
    }

    // Release while others build and look up: a text may be gone again,
    // but it is never wrong nor freed
    releasing = true;
    threads.clear();
    for (int t = 0; t < 3; ++t)
        threads.emplace_back(build, t);
    std::thread releaser([&] {
        while (releasing.load())
            registry->Release(), std::this_thread::yield();
    });
    for (std::thread& thread : threads)
        thread.join();
    releasing = false;
    releaser.join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
