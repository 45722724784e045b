// Tests of CQzIdentifier against a bit-at-a-time CRC: case folding, the
// null identifier, appending, the constructors' registrations and the
// order of CRCs.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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
    std::vector<std::string> names = {"", "a", "Position", "POSITION", "position", "caf\xC3\xA9",
                                      "CAF\xC3\x89", "@camera_perspective", "AZaz[`@{"};
    for (std::size_t length = 1; length <= 70; ++length)
        names.push_back(RandomName(random, length));
    for (std::string const& name : names)
    {
        unsigned long long const expected = ReferenceCrc64(name);
        CQzIdentifier set;
        set.Set(name.c_str());
        CQzIdentifier setString;
        setString.Set(TQzString<char>(name.c_str()));
        EXPECT_EQ(CQzIdentifier(name.c_str()).GetCrc64(), expected) << name;
        EXPECT_EQ(CQzIdentifier(TQzString<char>(name.c_str())).GetCrc64(), expected) << name;
        EXPECT_EQ(set.GetCrc64(), expected) << name;
        EXPECT_EQ(setString.GetCrc64(), expected) << name;
        EXPECT_EQ(CQzIdentifier(name.c_str()).HashTable_CreateHash(), int(expected & 0xFFFFFFFFu));
        EXPECT_EQ(CQzIdentifier(name.c_str()).IsNull(), name.empty()) << name;
        // the registry holds the first text stored, lower-cased in ASCII only
        EXPECT_STREQ(CQzIdentifier(name.c_str()).DebugCString(), AsciiLower(name).c_str()) << name;
    }
    // only 'A' to 'Z' fold: capital E with acute is another identifier
    EXPECT_NE(CQzIdentifier("caf\xC3\xA9"), CQzIdentifier("CAF\xC3\x89"));
    EXPECT_EQ(CQzIdentifier("Position"), CQzIdentifier("pOSITION"));
}

TEST(QzIdentifier, NullIdentifierIsTheEmptyName)
{
    CQzIdentifier const none;
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(none.GetCrc64(), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(none, CQzIdentifier(""));
    EXPECT_EQ(none, CQzIdentifier(static_cast<char const*>(nullptr)));
    EXPECT_EQ(none, CQzIdentifier(TQzString<char>()));
    EXPECT_EQ(none.GetMemoryUsage(), 0);
    CQzIdentifier reset("x");
    reset.Set("");
    EXPECT_TRUE(reset.IsNull());
    EXPECT_FALSE(CQzIdentifier("x").IsNull());
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
            std::string const head = whole.substr(0, cut);
            CQzIdentifier const appended = CQzIdentifier(head.c_str()).Append(whole.c_str() + cut);
            ASSERT_EQ(appended.GetCrc64(), ReferenceCrc64(whole)) << whole << " cut at " << cut;
            // the first text registered for the whole CRC may be an earlier round's
            EXPECT_STREQ(Registry().FindNameForCrc64(appended.GetCrc64()),
                         AsciiLower(whole).c_str());
        }
    }
    EXPECT_EQ(CQzIdentifier("abc").Append(nullptr), CQzIdentifier("abc"));
}

TEST(QzIdentifier, AppendToAnIdentifierWithoutTextRegistersTheSuffixAlone)
{
    Registry().Release();
    CQzIdentifier const base(ReferenceCrc64("unregistered_base"));
    CQzIdentifier const appended = base.Append("_Tail");
    EXPECT_EQ(appended.GetCrc64(), ReferenceCrc64("unregistered_base_tail"));
    EXPECT_STREQ(Registry().FindNameForCrc64(ReferenceCrc64("_tail")), "_tail");
    EXPECT_EQ(Registry().FindNameForCrc64(appended.GetCrc64()), nullptr);
    EXPECT_EQ(Registry().FindNameForCrc64(base.GetCrc64()), nullptr);
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
    EXPECT_STREQ(Registry().FindNameForCrc64(ReferenceCrc64("somename")), "somename");
    EXPECT_STREQ(CQzIdentifier(ReferenceCrc64("SOMENAME")).DebugString().GetCString(), "somename");
    CQzIdentifier const unnamed(0x43ull, nullptr);
    EXPECT_EQ(unnamed.GetCrc64(), 0x43ull);
}

TEST(QzIdentifier, ReleasedNamesAreNoLongerFound)
{
    CQzIdentifier const kept("Kept_Name");
    char const* const text = kept.DebugCString();
    Registry().Release();
    EXPECT_STREQ(kept.DebugCString(), "<empty>");
    char hex[32];
    std::snprintf(hex, sizeof hex, "CRC<%016llX>", ReferenceCrc64("kept_name"));
    EXPECT_STREQ(kept.DebugString().GetCString(), hex);
    // a text handed out before stays readable
    EXPECT_STREQ(text, "kept_name");
}

TEST(QzIdentifier, OrderIsTheUnsignedOrderOfTheCrcs)
{
    EXPECT_LT(CQzIdentifier(0x00000000FFFFFFFFull), CQzIdentifier(0x0000000100000000ull));
    EXPECT_FALSE(CQzIdentifier(0x0000000100000000ull) < CQzIdentifier(0x00000000FFFFFFFFull));
    EXPECT_LT(CQzIdentifier(0x7FFFFFFFFFFFFFFFull), CQzIdentifier(0x8000000000000000ull));
    std::mt19937_64 random(3);
    std::vector<unsigned long long> crcs(500);
    for (unsigned long long& crc : crcs)
        crc = random() >> (random() % 64);
    std::vector<CQzIdentifier> identifiers;
    for (unsigned long long crc : crcs)
        identifiers.emplace_back(crc);
    std::sort(crcs.begin(), crcs.end());
    std::sort(identifiers.begin(), identifiers.end());
    for (std::size_t i = 0; i < crcs.size(); ++i)
    {
        EXPECT_EQ(identifiers[i].GetCrc64(), crcs[i]);
        EXPECT_EQ(identifiers[i].HashTable_CreateHash(), int(crcs[i] & 0xFFFFFFFFu));
    }
    EXPECT_NE(CQzIdentifier(1ull), CQzIdentifier(2ull));
}

} // namespace
