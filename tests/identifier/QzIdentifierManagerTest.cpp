// Tests of the identifier registry through its interface: lower-cased
// registration, the first text winning over a real CRC collision, and
// Release.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

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

TEST(QzIdentifierManager, StoresTheLowerCasedFirstTextForACrcAndEmptyAsEmpty)
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

    // the empty text is found as EMPTY, a CRC nobody stored as null
    EXPECT_EQ(other.FindNameForCrc64(~0ull), nullptr);
    other.CheckCrc64ForUniqueness("", false);
    other.CheckCrc64ForUniqueness(nullptr, false);
    EXPECT_EQ(other.FindNameForCrc64(~0ull), TQzString<char>::EMPTY);
    EXPECT_EQ(other.FindNameForCrc64(ReferenceCrc64("never")), nullptr);
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

} // namespace
