// Tests of CQzIdentifier against a bit-at-a-time CRC: case folding, the
// null identifier, appending, the constructors' registrations and the
// order of CRCs.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using qztest::AsciiLower;
using qztest::ReferenceCrc64;

CQzIdentifierManager& Registry()
{
    return *CQzIdentifierManager::GetInstance();
}

std::string RandomName(std::mt19937& random, std::size_t length)
{
    static char const alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789@.\xC3\xA9\x80\xFF";
    std::string name;
    for (std::size_t i = 0; i < length; ++i)
        name += alphabet[random() % (sizeof alphabet - 1)];
    return name;
}

TEST(QzIdentifier, EveryWayOfBuildingFromANameGivesTheReferenceCrc)
{
    EXPECT_EQ(CQzIdentifier("abc").GetCrc64(), 0xF10896EFC03E0514ull);
    std::mt19937 random(7);
    std::vector<std::string> names = {"", "Position", "POSITION", "caf\xC3\xA9", "CAF\xC3\x89", "AZaz[`@{"};
    for (std::size_t length = 1; length <= 70; ++length)
        names.push_back(RandomName(random, length));
    for (std::string const& name : names)
    {
        unsigned long long const expected = ReferenceCrc64(name);
        CQzIdentifier set, setString;
        set.Set(name.c_str());
        setString.Set(TQzString<char>(name.c_str()));
        CQzIdentifier const built(name.c_str());
        EXPECT_EQ(built.GetCrc64(), expected) << name;
        EXPECT_EQ(CQzIdentifier(TQzString<char>(name.c_str())).GetCrc64(), expected) << name;
        EXPECT_EQ(set.GetCrc64(), expected) << name;
        EXPECT_EQ(setString.GetCrc64(), expected) << name;
        EXPECT_EQ(built.HashTable_CreateHash(), int(expected & 0xFFFFFFFFu));
        EXPECT_EQ(built.IsNull(), name.empty()) << name;
        // the registry holds the first text stored, lower-cased in ASCII only
        EXPECT_STREQ(built.DebugCString(), AsciiLower(name).c_str()) << name;
    }
    // only 'A' to 'Z' fold: capital E with acute is another identifier
    EXPECT_NE(CQzIdentifier("caf\xC3\xA9"), CQzIdentifier("CAF\xC3\x89"));
    EXPECT_EQ(CQzIdentifier("Position"), CQzIdentifier("pOSITION"));
    // the null identifier is the empty name, however it is given
    EXPECT_EQ(CQzIdentifier().GetCrc64(), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_TRUE(CQzIdentifier().IsNull());
    EXPECT_EQ(CQzIdentifier(), CQzIdentifier(static_cast<char const*>(nullptr)));
    EXPECT_EQ(CQzIdentifier(), CQzIdentifier(TQzString<char>()));
}

TEST(QzIdentifier, AppendEqualsTheIdentifierOfTheWholeName)
{
    CQzIdentifier const track = CQzIdentifier("single_axis").Append("_track");
    EXPECT_EQ(track, CQzIdentifier("single_axis_track"));
    EXPECT_STREQ(track.DebugCString(), "single_axis_track");
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round)
    {
        std::string const whole = RandomName(random, 1 + random() % 40);
        for (std::size_t cut = 0; cut <= whole.size(); ++cut)
        {
            CQzIdentifier const appended = CQzIdentifier(whole.substr(0, cut).c_str()).Append(whole.c_str() + cut);
            ASSERT_EQ(appended.GetCrc64(), ReferenceCrc64(whole)) << whole << " cut at " << cut;
            EXPECT_STREQ(Registry().FindNameForCrc64(appended.GetCrc64()), AsciiLower(whole).c_str());
        }
    }
    EXPECT_EQ(CQzIdentifier("abc").Append(nullptr), CQzIdentifier("abc"));
}

TEST(QzIdentifier, ConstructorsFromACrcRegisterOnlyTheGivenName)
{
    Registry().Release();
    CQzIdentifier const bare(0x1234ull);
    EXPECT_EQ(bare.GetCrc64(), 0x1234ull);
    EXPECT_EQ(Registry().FindNameForCrc64(0x1234ull), nullptr);
    EXPECT_STREQ(bare.DebugString().GetCString(), "CRC<0000000000001234>");
    EXPECT_STREQ(CQzIdentifier(0xFEDCBA9876543210ull).DebugString().GetCString(), "CRC<FEDCBA9876543210>");
    EXPECT_STREQ(bare.DebugCString(), "<empty>");

    // the given CRC is kept; the text goes in under its own CRC
    CQzIdentifier const named(0x42ull, "SomeName");
    EXPECT_EQ(named.GetCrc64(), 0x42ull);
    EXPECT_EQ(Registry().FindNameForCrc64(0x42ull), nullptr);
    EXPECT_STREQ(CQzIdentifier(ReferenceCrc64("SOMENAME")).DebugString().GetCString(), "somename");

    // appending to an identifier without text registers the suffix alone
    CQzIdentifier const appended = CQzIdentifier(ReferenceCrc64("no_text")).Append("_Tail");
    EXPECT_EQ(appended.GetCrc64(), ReferenceCrc64("no_text_tail"));
    EXPECT_STREQ(Registry().FindNameForCrc64(ReferenceCrc64("_tail")), "_tail");
    EXPECT_EQ(Registry().FindNameForCrc64(appended.GetCrc64()), nullptr);
}

TEST(QzIdentifier, OrderIsTheUnsignedOrderOfTheCrcs)
{
    EXPECT_LT(CQzIdentifier(0x00000000FFFFFFFFull), CQzIdentifier(0x0000000100000000ull));
    EXPECT_FALSE(CQzIdentifier(0x0000000100000000ull) < CQzIdentifier(0x00000000FFFFFFFFull));
    std::mt19937_64 random(3);
    std::vector<unsigned long long> crcs(500);
    std::vector<CQzIdentifier> identifiers;
    for (unsigned long long& crc : crcs)
        identifiers.emplace_back(crc = random() >> (random() % 64));
    std::sort(crcs.begin(), crcs.end());
    std::sort(identifiers.begin(), identifiers.end());
    for (std::size_t i = 0; i < crcs.size(); ++i)
        EXPECT_EQ(identifiers[i].GetCrc64(), crcs[i]);
}

} // namespace
