// Tests of the hash file: exact bytes in both byte orders, a round trip of
// many names, and damaged files built byte by byte here, which must load
// the entries they hold whole and nothing else.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using qztest::Bytes;
using qztest::NameCrc64;
using CEntries = std::vector<std::pair<std::string, unsigned long long>>;

TQzString<char> Path(std::string const& path)
{
    return TQzString<char>(path.c_str());
}

// The entry count at the start of a saved file.
unsigned long long SavedCount(CQzIdentifierManager const& manager, std::string const& path, bool bigEndian)
{
    manager.SaveHashFile(Path(path), bigEndian);
    Bytes const file = qztest::ReadBytes(path);
    unsigned long long count = 0;
    for (int i = 0; i < 4; ++i)
        count |= (unsigned long long)file.at(std::size_t(i)) << (8 * (bigEndian ? 3 - i : i));
    return count;
}

TEST(QzHashFile, SingleNameMakesSeventeenBytesInEitherOrder)
{
    qztest::CScratchDirectory const directory;
    CQzIdentifierManager manager;
    manager.CheckCrc64ForUniqueness("A", false);
    for (bool const bigEndian : {false, true})
    {
        std::string const path = directory.File(bigEndian ? "big" : "little");
        manager.SaveHashFile(Path(path), bigEndian);
        Bytes expected;
        qztest::PutInteger(expected, 1, 4, bigEndian);
        qztest::PutEntry(expected, "a", NameCrc64("a"), bigEndian);
        ASSERT_EQ(expected.size(), 17u);
        EXPECT_EQ(qztest::ReadBytes(path), expected) << (bigEndian ? "big-endian" : "little-endian");

        CQzIdentifierManager fresh, crossed;
        fresh.LoadHashFile(Path(path), bigEndian);
        EXPECT_STREQ(fresh.FindNameForCrc64(NameCrc64("a")), "a");
        // read in the other byte order, the same bytes name another CRC
        crossed.LoadHashFile(Path(path), !bigEndian);
        EXPECT_EQ(crossed.FindNameForCrc64(NameCrc64("a")), nullptr);
    }
    CQzIdentifierManager empty;
    empty.SaveHashFile(Path(directory.File("empty")), false);
    EXPECT_EQ(qztest::ReadBytes(directory.File("empty")), (Bytes{0, 0, 0, 0}));
    // files that cannot be opened are ignored
    manager.LoadHashFile(Path(directory.File("missing")), false);
    manager.SaveHashFile(Path(directory.File("no_such_folder/file")), false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("a")), "a");
}

TEST(QzHashFile, TenThousandNamesComeBackInEitherOrder)
{
    qztest::CScratchDirectory const directory;
    std::mt19937 random(5);
    std::map<unsigned long long, std::string> registered = {{~0ull, ""}};
    CQzIdentifierManager source;
    source.CheckCrc64ForUniqueness("", false);
    while (registered.size() < 10000)
    {
        std::string name(1 + random() % 48, ' ');
        for (char& c : name)
            c = char(1 + random() % 255);
        source.CheckCrc64ForUniqueness(name.c_str(), false);
        registered.emplace(NameCrc64(name), qztest::AsciiLower(name));
    }
    for (bool const bigEndian : {false, true})
    {
        std::string const path = directory.File(bigEndian ? "names_big" : "names_little");
        EXPECT_EQ(SavedCount(source, path, bigEndian), 10000u);
        CQzIdentifierManager loaded;
        loaded.LoadHashFile(Path(path), bigEndian);
        for (auto const& [crc, name] : registered)
            ASSERT_STREQ(loaded.FindNameForCrc64(crc), name.c_str());
    }
}

TEST(QzHashFile, DamagedFilesLoadWhatTheyHoldWhole)
{
    qztest::CScratchDirectory const directory;
    int files = 0;
    for (bool const bigEndian : {false, true})
    {
        // names longer than 511 bytes are read whole; a text ends at its
        // first zero byte; loaded texts are not lower-cased
        CEntries const entries = {{"First", 0x0101}, {std::string(5000, 'L'), 0x0202}, {std::string("ze\0ro", 5), 0x0303}, {"last", 0x0404}};
        CEntries loaded = entries;
        loaded[2].first = "ze";
        std::vector<std::pair<Bytes, CEntries>> damaged;
        Bytes whole;
        qztest::PutInteger(whole, entries.size(), 4, bigEndian);
        std::vector<std::size_t> ends = {4};
        for (auto const& [name, crc] : entries)
        {
            qztest::PutEntry(whole, name, crc, bigEndian);
            ends.push_back(whole.size());
        }
        // cut anywhere (inside the long name, every 61st byte): the entries
        // before the cut come in
        for (std::size_t cut = 0; cut <= whole.size(); ++cut)
            if (cut < ends[1] + 8 || cut + 16 > ends[2] || cut % 61 == 0)
            {
                std::size_t complete = 0;
                while (complete < entries.size() && ends[complete + 1] <= cut)
                    ++complete;
                damaged.emplace_back(Bytes(whole.begin(), whole.begin() + long(cut)),
                                     CEntries(loaded.begin(), loaded.begin() + long(complete)));
            }
        for (unsigned long long const count : {0xFFFFFFFFull, 2ull})
        {
            Bytes recounted = whole;
            for (int i = 0; i < 4; ++i)
                recounted[std::size_t(i)] = (unsigned char)(count >> (8 * (bigEndian ? 3 - i : i)));
            damaged.emplace_back(recounted, CEntries(loaded.begin(), loaded.begin() + (count == 2 ? 2 : 4)));
        }
        // a length of 4 GiB in the second entry, with fewer bytes behind it
        Bytes huge(whole.begin(), whole.begin() + long(ends[1]));
        qztest::PutInteger(huge, 0xFFFFFFFFu, 4, bigEndian);
        huge.insert(huge.end(), 100000, 'x');
        damaged.emplace_back(huge, CEntries{loaded[0]});

        for (auto const& [file, expected] : damaged)
        {
            // a new file each time: rewriting one makes the file system flush it
            std::string const path = directory.File(std::to_string(files++));
            SCOPED_TRACE(std::to_string(file.size()) + " bytes, " + (bigEndian ? "big-endian" : "little-endian"));
            qztest::WriteBytes(path, file);
            CQzIdentifierManager manager;
            manager.LoadHashFile(Path(path), bigEndian);
            for (auto const& [name, crc] : expected)
                ASSERT_STREQ(manager.FindNameForCrc64(crc), name.c_str());
            EXPECT_EQ(SavedCount(manager, path + "saved", bigEndian), expected.size()) << "nothing else came in";
        }
    }
}

} // namespace
