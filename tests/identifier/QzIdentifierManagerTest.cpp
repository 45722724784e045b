// Tests of the identifier registry through its interface: lower-cased
// registration, the first text winning over a real CRC collision, Release,
// and growth seen through the bucket order of saved files.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using qztest::ReferenceCrc64;

// The 64-bit CRC step of one zero byte, undone: the top byte of each table
// entry differs, so it names the byte that fell out.
unsigned long long UndoZeroByte(unsigned long long reg)
{
    for (unsigned int i = 0; i < 256; ++i)
    {
        unsigned long long entry = i;
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 1) != 0 ? (entry >> 1) ^ 0x95AC9329AC4BC9B5ull : entry >> 1;
        if ((entry >> 56) == (reg >> 56))
            return ((reg ^ entry) << 8) | i;
    }
    ADD_FAILURE() << "no table entry has the top byte of " << reg;
    return 0;
}

// A name other than target whose CRC is target's: eight bytes after a
// prefix move the register anywhere, since they are XORed into it whole
// before eight steps that can be undone.
std::string CollidingName(std::string const& target)
{
    for (int attempt = 0; attempt < 1000; ++attempt)
    {
        std::string const prefix = "forged" + std::to_string(attempt);
        unsigned long long start = ReferenceCrc64(target);
        for (int i = 0; i < 8; ++i)
            start = UndoZeroByte(start);
        unsigned long long const bytes = start ^ ReferenceCrc64(prefix);
        std::string name = prefix;
        for (int i = 0; i < 8; ++i)
            name += char((bytes >> (8 * i)) & 0xFF);
        // capitals would be folded and a zero would end the text
        if (std::none_of(name.begin(), name.end(), [](char c) { return c == 0 || (c >= 'A' && c <= 'Z'); }))
            return name;
    }
    ADD_FAILURE() << "no colliding name for " << target;
    return target;
}

std::vector<unsigned long long> SavedCrcs(CQzIdentifierManager const& manager, std::string const& path)
{
    manager.SaveHashFile(TQzString<char>(path.c_str()), false);
    std::vector<unsigned long long> crcs;
    for (auto const& entry : qztest::ParseHashFile(qztest::ReadBytes(path), false))
        crcs.push_back(entry.second);
    return crcs;
}

bool SortedByHome(std::vector<unsigned long long> const& crcs, unsigned long long buckets)
{
    return std::is_sorted(crcs.begin(), crcs.end(), [buckets](unsigned long long a, unsigned long long b) {
        return (a & (buckets - 1)) < (b & (buckets - 1));
    });
}

TEST(QzIdentifierManager, StoresTheLowerCasedFirstTextForACrc)
{
    CQzIdentifierManager manager;
    manager.Initialize();
    manager.CheckCrc64ForUniqueness("Foo", true);
    EXPECT_STREQ(manager.FindNameForCrc64(ReferenceCrc64("FOO")), "foo");
    manager.CheckCrc64ForUniqueness("FOO", false);
    EXPECT_STREQ(manager.FindNameForCrc64(ReferenceCrc64("foo")), "foo");

    std::string const forged = CollidingName("alpha");
    ASSERT_NE(forged, "alpha");
    ASSERT_EQ(ReferenceCrc64(forged), ReferenceCrc64("alpha"));
    manager.CheckCrc64ForUniqueness("Alpha", false);
    manager.CheckCrc64ForUniqueness(forged.c_str(), false);
    EXPECT_STREQ(manager.FindNameForCrc64(ReferenceCrc64("alpha")), "alpha");

    CQzIdentifierManager other;
    other.CheckCrc64ForUniqueness(forged.c_str(), false);
    other.CheckCrc64ForUniqueness("alpha", false);
    EXPECT_EQ(std::string(other.FindNameForCrc64(ReferenceCrc64("alpha"))), forged);
}

TEST(QzIdentifierManager, EmptyTextIsFoundAsEmptyAndUnknownCrcsAsNull)
{
    CQzIdentifierManager manager;
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), nullptr);
    manager.CheckCrc64ForUniqueness("", false);
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), TQzString<char>::EMPTY);
    manager.CheckCrc64ForUniqueness(nullptr, false);
    EXPECT_EQ(manager.FindNameForCrc64(0ull), nullptr);
    EXPECT_EQ(manager.FindNameForCrc64(ReferenceCrc64("never")), nullptr);
}

TEST(QzIdentifierManager, ReleaseForgetsNamesButTextsHandedOutStay)
{
    CQzIdentifierManager manager;
    std::map<std::string, char const*> texts;
    for (int i = 0; i < 1000; ++i)
    {
        std::string const name = "Released_" + std::to_string(i);
        manager.CheckCrc64ForUniqueness(name.c_str(), false);
        texts[qztest::AsciiLower(name)] = manager.FindNameForCrc64(ReferenceCrc64(name));
    }
    manager.Release();
    manager.Release();
    for (auto const& [name, text] : texts)
    {
        EXPECT_EQ(manager.FindNameForCrc64(ReferenceCrc64(name)), nullptr);
        EXPECT_EQ(std::string(text), name);
    }
    // the next registration starts an empty table again
    manager.CheckCrc64ForUniqueness("Released_7", false);
    EXPECT_STREQ(manager.FindNameForCrc64(ReferenceCrc64("released_7")), "released_7");
    EXPECT_EQ(manager.FindNameForCrc64(ReferenceCrc64("released_8")), nullptr);
}

TEST(QzIdentifierManager, SixtyFifthNameDoublesTheBuckets)
{
    // names whose CRCs start in distinct buckets of 256, so that a saved
    // file lists them in the order of their starting buckets
    std::vector<std::string> names;
    std::vector<bool> used(256);
    for (int i = 0; names.size() < 65; ++i)
    {
        std::string const name = "grow_" + std::to_string(i);
        unsigned int const home = unsigned(ReferenceCrc64(name) & 255);
        if (!used[home])
        {
            used[home] = true;
            names.push_back(name);
        }
    }
    qztest::CScratchDirectory const directory;
    CQzIdentifierManager manager;
    for (std::size_t i = 0; i < 64; ++i)
        manager.CheckCrc64ForUniqueness(names[i].c_str(), false);
    std::vector<unsigned long long> const at64 = SavedCrcs(manager, directory.File("64"));
    ASSERT_EQ(at64.size(), 64u);
    EXPECT_TRUE(SortedByHome(at64, 256));

    manager.CheckCrc64ForUniqueness(names[64].c_str(), false);
    std::vector<unsigned long long> const at65 = SavedCrcs(manager, directory.File("65"));
    ASSERT_EQ(at65.size(), 65u);
    EXPECT_TRUE(SortedByHome(at65, 512));
    EXPECT_FALSE(SortedByHome(at65, 256));
}

} // namespace
