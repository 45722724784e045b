// Tests of CQzIdentifier against the bit-at-a-time CRC: case folding, the
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
using qztest::NameCrc64;

CQzIdentifierManager& Registry()
{
    return *CQzIdentifierManager::GetInstance();
}

std::string RandomName(std::mt19937& random, std::size_t length)
{
    static char const alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789@.\xC3\xA9\x80\xFF";
    std::string name(length, ' ');
    for (char& c : name)
        c = alphabet[random() % (sizeof alphabet - 1)];
    return name;
}

TEST(QzIdentifier, EveryWayOfBuildingFromANameGivesTheReferenceCrc)
{
    std::mt19937 random(7);
    std::vector<std::string> names = {"", "Position", "caf\xC3\xA9", "CAF\xC3\x89", "AZaz[`@{"};
    for (std::size_t length = 1; length <= 40; ++length)
        names.push_back(RandomName(random, length));
    for (std::string const& name : names)
    {
        unsigned long long const expected = NameCrc64(name);
        CQzIdentifier set, setString;
        set.Set(name.c_str());
        setString.Set(TQzString<char>(name.c_str()));
        CQzIdentifier const built(name.c_str());
        for (CQzIdentifier const& id : {built, CQzIdentifier(TQzString<char>(name.c_str())), set, setString})
        {
            EXPECT_EQ(id.GetCrc64(), expected) << name;
            // the registry holds the first text stored, lower-cased in ASCII only
            EXPECT_STREQ(id.DebugCString(), AsciiLower(name).c_str()) << name;
        }
        EXPECT_EQ(built.HashTable_CreateHash(), int(expected & 0xFFFFFFFFu));
        EXPECT_EQ(built.IsNull(), name.empty()) << name;
        EXPECT_EQ(built == CQzIdentifier(expected), true);
        EXPECT_EQ(built != CQzIdentifier(expected), false);
        EXPECT_EQ(built.GetMemoryUsage(), 0);
    }
    EXPECT_NE(CQzIdentifier("caf\xC3\xA9"), CQzIdentifier("CAF\xC3\x89"));
    // the null identifier is the empty name, however it is given
    EXPECT_TRUE(CQzIdentifier().IsNull());
    EXPECT_EQ(CQzIdentifier(), CQzIdentifier(static_cast<char const*>(nullptr)));
    EXPECT_EQ(CQzIdentifier().GetCrc64(), CQzIdentifier("").GetCrc64());
}

TEST(QzIdentifier, AppendEqualsTheIdentifierOfTheWholeName)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round)
    {
        std::string const whole = RandomName(random, 1 + random() % 40);
        for (std::size_t cut = 0; cut <= whole.size(); ++cut)
        {
            CQzIdentifier const appended = CQzIdentifier(whole.substr(0, cut).c_str()).Append(whole.c_str() + cut);
            ASSERT_EQ(appended.GetCrc64(), NameCrc64(whole)) << whole << " cut at " << cut;
            EXPECT_STREQ(Registry().FindNameForCrc64(appended.GetCrc64()), AsciiLower(whole).c_str());
            EXPECT_STREQ(appended.DebugCString(), AsciiLower(whole).c_str());
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
    // the given CRC is kept; the text goes in under its own CRC
    CQzIdentifier const named(0x42ull, "SomeName");
    EXPECT_EQ(named.GetCrc64(), 0x42ull);
    EXPECT_EQ(Registry().FindNameForCrc64(0x42ull), nullptr);
    EXPECT_STREQ(CQzIdentifier(NameCrc64("SOMENAME")).DebugCString(), "somename");
    // appending to an identifier without text registers the suffix alone
    CQzIdentifier const appended = CQzIdentifier(NameCrc64("no_text")).Append("_Tail");
    EXPECT_EQ(appended.GetCrc64(), NameCrc64("no_text_tail"));
    EXPECT_STREQ(Registry().FindNameForCrc64(NameCrc64("_tail")), "_tail");
    EXPECT_EQ(Registry().FindNameForCrc64(appended.GetCrc64()), nullptr);
}

TEST(QzIdentifier, OrderIsTheUnsignedOrderOfTheCrcs)
{
    std::mt19937_64 random(3);
    std::vector<unsigned long long> crcs(500);
    std::vector<CQzIdentifier> identifiers;
    for (unsigned long long& crc : crcs)
        identifiers.emplace_back(crc = random() >> (random() % 64));
    crcs.push_back(0x00000000FFFFFFFFull);
    crcs.push_back(0x0000000100000000ull);
    crcs.push_back(crcs[0]);
    for (std::size_t i = crcs.size() - 3; i < crcs.size(); ++i)
        identifiers.emplace_back(crcs[i]);
    std::sort(crcs.begin(), crcs.end());
    std::sort(identifiers.begin(), identifiers.end());
    for (std::size_t i = 0; i < crcs.size(); ++i)
        EXPECT_EQ(identifiers[i].GetCrc64(), crcs[i]);
    EXPECT_FALSE(CQzIdentifier(crcs[0]) < CQzIdentifier(crcs[0]));
}

} // namespace
