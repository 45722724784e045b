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

using qztest::NameCrc64;

std::string CaseVariant(std::string name, int variant)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        if ((i + std::size_t(variant)) % 2 == 0 && name[i] >= 'a' && name[i] <= 'z')
            name[i] = char(name[i] - 32);
    return name;
}

TEST(QzIdentifierThreads, BuildersReadersAFileLoadAndReleaseShareTheRegistry)
{
    CQzIdentifierManager* const registry = CQzIdentifierManager::GetInstance();
    registry->Release();
    qztest::CScratchDirectory const directory;
    std::string const loadPath = directory.File("load");
    qztest::Bytes file;
    qztest::PutInteger(file, 3000, 4, false);
    for (int i = 0; i < 3000; ++i)
        qztest::PutEntry(file, "file_" + std::to_string(i), NameCrc64("file_" + std::to_string(i)), false);
    qztest::WriteBytes(loadPath, file);

    // the registry's answer for a name: nothing yet (or released), or its text
    std::atomic<int> failures{0};
    auto check = [&](bool ok) { failures += ok ? 0 : 1; };
    auto nullOrText = [](char const* found, std::string const& name) { return found == nullptr || name == found; };
    std::atomic<bool> building{true};
    std::vector<QZID*> tables(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            tables[std::size_t(t)] = QZID::GetSingleton();
            for (int i = 0; i < 1500; ++i)
            {
                // every builder walks the shared names from another place
                std::string const name = "shared_name_" + std::to_string((i + t * 375) % 1500);
                std::string const own = "Own_" + std::to_string(t) + "_" + std::to_string(i);
                CQzIdentifier const id(CaseVariant(name, t).c_str()), mine(own.c_str());
                check(id.GetCrc64() == NameCrc64(name) && name == id.DebugCString() &&
                      qztest::AsciiLower(own) == mine.DebugCString() &&
                      mine.Append("_x") == CQzIdentifier((own + "_X").c_str()));
                check(nullOrText(registry->FindNameForCrc64(NameCrc64("shared_name_" + std::to_string(i))),
                                 "shared_name_" + std::to_string(i)));
            }
        });
    threads.emplace_back([&] {
        registry->LoadHashFile(TQzString<char>(loadPath.c_str()), false);
        registry->SaveHashFile(TQzString<char>(directory.File("saved").c_str()), false);
        registry->LoadHashFile(TQzString<char>(loadPath.c_str()), false);
    });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    for (QZID* table : tables)
        EXPECT_EQ(table, tables[0]);
    for (int i = 0; i < 3000; i += 7)
    {
        std::string const name = "file_" + std::to_string(i);
        EXPECT_STREQ(registry->FindNameForCrc64(NameCrc64(name)), name.c_str());
        EXPECT_STREQ(registry->FindNameForCrc64(NameCrc64("shared_name_" + std::to_string(i % 1500))),
                     ("shared_name_" + std::to_string(i % 1500)).c_str());
    }

    // Release while others build and look up: a text may be gone again,
    // but it is never wrong nor freed
    threads.clear();
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 6000; ++i)
            {
                std::string const name = "released_" + std::to_string((i * 31 + t) % 500);
                CQzIdentifier const id(CaseVariant(name, i).c_str());
                check(id.GetCrc64() == NameCrc64(name) && nullOrText(registry->FindNameForCrc64(id.GetCrc64()), name));
            }
        });
    std::thread releaser([&] {
        while (building.load())
            registry->Release(), std::this_thread::yield();
    });
    for (auto& thread : threads)
        thread.join();
    building = false;
    releaser.join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
