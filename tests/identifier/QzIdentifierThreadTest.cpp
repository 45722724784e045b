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
#include <string>
#include <thread>
#include <vector>

namespace {

using qztest::ReferenceCrc64;

constexpr int kBuilders = 4;

std::string CaseVariant(std::string name, int variant)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        if ((i + std::size_t(variant)) % 2 == 0 && name[i] >= 'a' && name[i] <= 'z')
            name[i] = char(name[i] - 32);
    return name;
}

// The registry's answer for a name's CRC: nothing yet, or its text.
bool NullOrText(char const* found, std::string const& lowerName)
{
    return found == nullptr || lowerName == found;
}

TEST(QzIdentifierThreads, BuildersReadersAndAFileLoadShareTheRegistry)
{
    CQzIdentifierManager* const registry = CQzIdentifierManager::GetInstance();
    registry->Release();
    std::vector<std::string> shared;
    for (int i = 0; i < 1500; ++i)
        shared.push_back("shared_name_" + std::to_string(i * 7919));

    qztest::CScratchDirectory const directory;
    std::string const loadPath = directory.File("load");
    qztest::Bytes file;
    qztest::PutInteger(file, 3000, 4, false);
    for (int i = 0; i < 3000; ++i)
        qztest::PutEntry(file, "file_" + std::to_string(i), ReferenceCrc64("file_" + std::to_string(i)), false);
    qztest::WriteBytes(loadPath, file);

    std::atomic<bool> building{true};
    std::atomic<int> failures{0};
    std::vector<QZID*> tables(kBuilders);
    std::vector<std::thread> threads;
    for (int t = 0; t < kBuilders; ++t)
        threads.emplace_back([&, t] {
            tables[std::size_t(t)] = QZID::GetSingleton();
            for (int i = 0; i < 1500; ++i)
            {
                // every builder walks the shared names from another place
                std::string const& name = shared[std::size_t((i + t * 375) % 1500)];
                CQzIdentifier const id(CaseVariant(name, t).c_str());
                std::string const own = "Own_" + std::to_string(t) + "_" + std::to_string(i);
                CQzIdentifier const mine(own.c_str());
                if (id.GetCrc64() != ReferenceCrc64(name) || name != id.DebugCString() ||
                    qztest::AsciiLower(own) != mine.DebugCString() ||
                    mine.Append("_x") != CQzIdentifier((own + "_X").c_str()))
                    ++failures;
            }
        });
    for (int r = 0; r < 2; ++r)
        threads.emplace_back([&] {
            while (building.load())
                for (std::string const& name : shared)
                    if (!NullOrText(registry->FindNameForCrc64(ReferenceCrc64(name)), name))
                        ++failures;
        });
    threads.emplace_back([&] {
        registry->LoadHashFile(TQzString<char>(loadPath.c_str()), false);
        registry->SaveHashFile(TQzString<char>(directory.File("saved").c_str()), false);
        registry->LoadHashFile(TQzString<char>(loadPath.c_str()), false);
    });
    for (int t = 0; t < kBuilders; ++t)
        threads[std::size_t(t)].join();
    building = false;
    for (std::size_t t = kBuilders; t < threads.size(); ++t)
        threads[t].join();

    EXPECT_EQ(failures.load(), 0);
    for (QZID* table : tables)
        EXPECT_EQ(table, tables[0]);
    for (std::string const& name : shared)
        EXPECT_STREQ(registry->FindNameForCrc64(ReferenceCrc64(name)), name.c_str());
    for (int i = 0; i < 3000; i += 7)
        EXPECT_STREQ(registry->FindNameForCrc64(ReferenceCrc64("file_" + std::to_string(i))),
                     ("file_" + std::to_string(i)).c_str());
    // the file saved in the middle holds exactly what it announces
    EXPECT_GE(qztest::ParseHashFile(qztest::ReadBytes(directory.File("saved")), false).size(), 3000u);
}

TEST(QzIdentifierThreads, ReleaseWhileOthersBuildAndLookUp)
{
    CQzIdentifierManager* const registry = CQzIdentifierManager::GetInstance();
    std::atomic<bool> building{true};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round)
                for (int i = 0; i < 300; ++i)
                {
                    std::string const name = "released_" + std::to_string((i * 31 + t) % 500);
                    CQzIdentifier const id(CaseVariant(name, round).c_str());
                    // the text may be gone again, but never wrong nor freed
                    if (id.GetCrc64() != ReferenceCrc64(name) ||
                        !NullOrText(registry->FindNameForCrc64(id.GetCrc64()), name))
                        ++failures;
                }
        });
    threads.emplace_back([&] {
        while (building.load())
        {
            registry->Release();
            std::this_thread::yield();
        }
    });
    for (int t = 0; t < 3; ++t)
        threads[std::size_t(t)].join();
    building = false;
    threads.back().join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
