// Tests of CQzIdentifier against the bit-at-a-time CRC: case folding, the
// null identifier, appending, the constructors' registrations and order.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using qztest::AsciiLower;
using qztest::NameCrc64;

std::string RandomName(std::mt19937& random, std::size_t length)
{
    static char const alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789@.\xC3\xA9\x80\xFF";
    std::string name(length, ' ');
    for (char& c : name)
        c = alphabet[random() % (sizeof alphabet - 1)];
    return name;
}

TEST(QzIdentifier, EveryWayOfBuildingFromANameAppendingIncludedGivesTheReferenceCrc)
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
        EXPECT_TRUE(built == CQzIdentifier(expected) && !(built != CQzIdentifier(expected))) << name;
        // appending continues the CRC and registers the whole text, which
        // nothing registered before the first cut
        std::string const whole = name + "!";
        for (std::size_t cut = 0; cut <= whole.size(); ++cut)
        {
            CQzIdentifier const appended = CQzIdentifier(whole.substr(0, cut).c_str()).Append(whole.c_str() + cut);
            EXPECT_EQ(appended.GetCrc64(), NameCrc64(whole)) << whole << " cut at " << cut;
            EXPECT_STREQ(appended.DebugCString(), AsciiLower(whole).c_str()) << whole << " cut at " << cut;
        }
    }
    // the null identifier is the empty name, however it is given
    EXPECT_EQ(CQzIdentifier(), CQzIdentifier(static_cast<char const*>(nullptr)));
    EXPECT_EQ(CQzIdentifier("abc").Append(nullptr), CQzIdentifier("abc"));
    // order is the unsigned order of all 64 bits
    for (auto const& [low, high] : {std::pair{1ull, 2ull}, {0xFFFFFFFFull, 0x100000000ull}, {~0ull >> 1, 1ull << 63}})
        EXPECT_TRUE(CQzIdentifier(low) < CQzIdentifier(high) && !(CQzIdentifier(high) < CQzIdentifier(low)) &&
                    !(CQzIdentifier(low) < CQzIdentifier(low)))
            << high;
}

TEST(QzIdentifier, ConstructorsFromACrcRegisterOnlyTheGivenName)
{
    CQzIdentifierManager& registry = *CQzIdentifierManager::GetInstance();
    registry.Release();
    CQzIdentifier const bare(0x1234ull);
    EXPECT_EQ(bare.GetCrc64(), 0x1234ull);
    EXPECT_EQ(registry.FindNameForCrc64(0x1234ull), nullptr);
    // the given CRC is kept; the text goes in under its own CRC
    CQzIdentifier const named(0x42ull, "SomeName");
    EXPECT_EQ(named.GetCrc64(), 0x42ull);
    EXPECT_EQ(registry.FindNameForCrc64(0x42ull), nullptr);
    EXPECT_STREQ(CQzIdentifier(NameCrc64("SOMENAME")).DebugCString(), "somename");
    // appending to an identifier without text registers the suffix alone
    CQzIdentifier const appended = CQzIdentifier(NameCrc64("no_text")).Append("_Tail");
    EXPECT_EQ(appended.GetCrc64(), NameCrc64("no_text_tail"));
    EXPECT_STREQ(registry.FindNameForCrc64(NameCrc64("_tail")), "_tail");
    EXPECT_EQ(registry.FindNameForCrc64(appended.GetCrc64()), nullptr);
}

} // namespace
