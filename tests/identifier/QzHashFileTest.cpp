// Tests of the hash file: exact bytes in both byte orders, round trips of
// many names, and damaged files, each built byte by byte here, which must
// load the entries they hold whole and nothing else.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using qztest::Bytes;
using qztest::ReferenceCrc64;
using CEntrySet = std::set<std::pair<std::string, unsigned long long>>;

TQzString<char> Path(std::string const& path)
{
    return TQzString<char>(path.c_str());
}

TEST(QzHashFile, SingleNameMakesSeventeenBytesInEitherOrder)
{
    qztest::CScratchDirectory const directory;
    CQzIdentifierManager manager;
    manager.CheckCrc64ForUniqueness("A", false);
    unsigned long long const crc = ReferenceCrc64("a");
    for (bool const bigEndian : {false, true})
    {
        std::string const path = directory.File(bigEndian ? "big" : "little");
        manager.SaveHashFile(Path(path), bigEndian);
        Bytes expected = bigEndian ? Bytes{0, 0, 0, 1, 0, 0, 0, 1, 'a'} : Bytes{1, 0, 0, 0, 1, 0, 0, 0, 'a'};
        qztest::PutInteger(expected, crc, 8, bigEndian);
        EXPECT_EQ(qztest::ReadBytes(path), expected) << (bigEndian ? "big-endian" : "little-endian");

        CQzIdentifierManager fresh;
        fresh.LoadHashFile(Path(path), bigEndian);
        EXPECT_STREQ(fresh.FindNameForCrc64(crc), "a");
        // read in the other byte order, the same bytes name another CRC
        CQzIdentifierManager crossed;
        crossed.LoadHashFile(Path(path), !bigEndian);
        EXPECT_EQ(crossed.FindNameForCrc64(crc), nullptr);
    }
    // an empty registry saves a zero count
    CQzIdentifierManager empty;
    empty.SaveHashFile(Path(directory.File("empty")), false);
    EXPECT_EQ(qztest::ReadBytes(directory.File("empty")), (Bytes{0, 0, 0, 0}));
}

TEST(QzHashFile, TenThousandNamesComeBackInEitherOrder)
{
    qztest::CScratchDirectory const directory;
    std::mt19937 random(5);
    CEntrySet registered;
    CQzIdentifierManager source;
    source.CheckCrc64ForUniqueness("", false);
    registered.emplace("", ~0ull);
    while (registered.size() < 10000)
    {
        std::string name;
        for (std::size_t i = 0, length = 1 + random() % 48; i < length; ++i)
            name += char(1 + random() % 255);
        source.CheckCrc64ForUniqueness(name.c_str(), false);
        registered.emplace(qztest::AsciiLower(name), ReferenceCrc64(name));
    }
    for (bool const bigEndian : {false, true})
    {
        std::string const path = directory.File(bigEndian ? "names_big" : "names_little");
        source.SaveHashFile(Path(path), bigEndian);
        auto const saved = qztest::ParseHashFile(qztest::ReadBytes(path), bigEndian);
        EXPECT_EQ(CEntrySet(saved.begin(), saved.end()), registered);

        CQzIdentifierManager loaded;
        loaded.LoadHashFile(Path(path), bigEndian);
        for (auto const& [name, crc] : registered)
            ASSERT_STREQ(loaded.FindNameForCrc64(crc), name.c_str());
    }
}

TEST(QzHashFile, LoadedTextsAreKeptAsReadAndKnownCrcsKeepTheirText)
{
    qztest::CScratchDirectory const directory;
    std::string const path = directory.File("mixed");
    Bytes file;
    qztest::PutInteger(file, 3, 4, false);
    qztest::PutEntry(file, "MiXeD", 0x1111, false);
    qztest::PutEntry(file, "known", ReferenceCrc64("position"), false);
    qztest::PutEntry(file, "", 0x2222, false);
    qztest::WriteBytes(path, file);

    CQzIdentifierManager manager;
    manager.CheckCrc64ForUniqueness("Position", false);
    manager.LoadHashFile(Path(path), false);
    EXPECT_STREQ(manager.FindNameForCrc64(0x1111), "MiXeD");
    EXPECT_STREQ(manager.FindNameForCrc64(ReferenceCrc64("position")), "position");
    EXPECT_EQ(manager.FindNameForCrc64(0x2222), TQzString<char>::EMPTY);
    // files that cannot be opened are ignored
    manager.LoadHashFile(Path(directory.File("missing")), false);
    manager.LoadHashFile(TQzString<char>(), false);
    manager.SaveHashFile(Path(directory.File("no_such_folder/file")), false);
    EXPECT_STREQ(manager.FindNameForCrc64(0x1111), "MiXeD");
}

// A damaged file and the (name, CRC) pairs it must give, no more.
struct SDamage
{
    std::string what;
    Bytes file;
    std::vector<std::pair<std::string, unsigned long long>> loaded;
};

std::vector<SDamage> DamagedFiles(bool bigEndian)
{
    std::string const longName(5000, 'L');
    std::string const zeroInside("ze\0ro", 5);
    std::vector<std::pair<std::string, unsigned long long>> const entries = {
        {"first", 0x0101}, {longName, 0x0202}, {zeroInside, 0x0303}, {"last", 0x0404}};
    auto put = [&](Bytes& file, std::size_t count) {
        qztest::PutInteger(file, count, 4, bigEndian);
        for (auto const& [name, crc] : entries)
            qztest::PutEntry(file, name, crc, bigEndian);
    };
    // what loading gives: the text ends at its first zero byte
    std::vector<std::pair<std::string, unsigned long long>> all = entries;
    all[2].first = "ze";

    std::vector<SDamage> damaged;
    Bytes whole;
    put(whole, entries.size());
    damaged.push_back({"whole", whole, all});

    // cut after every byte (inside the long name, every 61st does as well):
    // only the entries before the cut come in
    std::vector<std::size_t> ends = {4};
    for (auto const& entry : entries)
        ends.push_back(ends.back() + 12 + entry.first.size());
    for (std::size_t cut = 0; cut < whole.size(); ++cut)
    {
        if (cut > ends[1] + 8 && cut + 8 < ends[2] - 8 && cut % 61 != 0)
            continue;
        std::size_t complete = 0;
        while (complete < entries.size() && ends[complete + 1] <= cut)
            ++complete;
        damaged.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + long(cut)),
                           std::vector<std::pair<std::string, unsigned long long>>(all.begin(), all.begin() + long(complete))});
    }

    Bytes overcounted;
    put(overcounted, 0xFFFFFFFFu);
    damaged.push_back({"count of 4 Gi entries", overcounted, all});
    Bytes undercounted;
    put(undercounted, 2);
    damaged.push_back({"count of 2", undercounted, {all[0], all[1]}});

    // a length of 4 GiB in the second entry, its bytes behind it
    Bytes huge;
    qztest::PutInteger(huge, 2, 4, bigEndian);
    qztest::PutEntry(huge, "first", 0x0101, bigEndian);
    qztest::PutInteger(huge, 0xFFFFFFFFu, 4, bigEndian);
    huge.insert(huge.end(), 100000, 'x');
    damaged.push_back({"length of 4 GiB", huge, {all[0]}});
    // a length that runs into the next entry swallows it
    Bytes overlong;
    qztest::PutInteger(overlong, 2, 4, bigEndian);
    qztest::PutInteger(overlong, 5 + 12 + 4, 4, bigEndian);
    overlong.insert(overlong.end(), {'s', 'h', 'o', 'r', 't'});
    qztest::PutEntry(overlong, "next", 0x0505, bigEndian);
    Bytes const swallowed(overlong.begin() + 8, overlong.end());
    qztest::PutInteger(overlong, 0x0606, 8, bigEndian);
    damaged.push_back({"length over the next entry", overlong,
                       {{std::string(swallowed.begin(), swallowed.end()).c_str(), 0x0606}}});
    return damaged;
}

TEST(QzHashFile, DamagedFilesLoadWhatTheyHoldWhole)
{
    qztest::CScratchDirectory const directory;
    int files = 0;
    for (bool const bigEndian : {false, true})
        for (SDamage const& damage : DamagedFiles(bigEndian))
        {
            SCOPED_TRACE(damage.what + (bigEndian ? ", big-endian" : ", little-endian"));
            // a new file each time: rewriting one makes the file system flush it
            std::string const path = directory.File(std::to_string(files++));
            qztest::WriteBytes(path, damage.file);
            CQzIdentifierManager manager;
            manager.LoadHashFile(Path(path), bigEndian);
            for (auto const& [name, crc] : damage.loaded)
                ASSERT_STREQ(manager.FindNameForCrc64(crc), name.c_str());
            // nothing else came in: saving lists exactly the expected entries
            manager.SaveHashFile(Path(path + "saved"), bigEndian);
            auto const saved = qztest::ParseHashFile(qztest::ReadBytes(path + "saved"), bigEndian);
            EXPECT_EQ(CEntrySet(saved.begin(), saved.end()), CEntrySet(damage.loaded.begin(), damage.loaded.end()));
        }
}

} // namespace
