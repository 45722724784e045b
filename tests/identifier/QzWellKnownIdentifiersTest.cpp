// Tests of QZID against the bit-at-a-time CRC: every member is the
// identifier of its text, every text is registered lower-cased, all CRCs
// differ, and the singleton and its copies behave.
#include "identifier/QzIdentifierManager.h"
#include "identifier/QzWellKnownIdentifiers.h"
#include "identifier/internal/QzWellKnownTexts.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <string>

namespace {

using qzidentifier::kWellKnownCount;
using qzidentifier::kWellKnownTexts;
using qztest::ReferenceCrc64;

// The named members as the array the table is built from (member i for
// text i), which the library asserts at compile time.
CQzIdentifier const& Member(QZID const& table, int i)
{
    return reinterpret_cast<CQzIdentifier const*>(static_cast<SQzWellKnownIdentifiers const*>(&table))[i];
}

TEST(QzWellKnownIdentifiers, EveryMemberIsItsTextsIdentifierAndRegistered)
{
    QZID const& table = *QZID::GetSingleton();
    EXPECT_EQ(kWellKnownCount, 905);
    std::set<unsigned long long> crcs;
    for (int i = 0; i < kWellKnownCount; ++i)
    {
        std::string const text = kWellKnownTexts[i];
        unsigned long long const crc = ReferenceCrc64(text);
        EXPECT_EQ(Member(table, i).GetCrc64(), crc) << text;
        EXPECT_STREQ(CQzIdentifierManager::GetInstance()->FindNameForCrc64(crc), qztest::AsciiLower(text).c_str());
        crcs.insert(crc);
    }
    crcs.insert(~0ull);
    EXPECT_EQ(crcs.size(), std::size_t(kWellKnownCount) + 1) << "all texts have distinct CRCs";
}

TEST(QzWellKnownIdentifiers, MembersAreNamedAfterTheirTexts)
{
    QZID const& id = *QZID::GetSingleton();
    EXPECT_EQ(id.version.GetCrc64(), ReferenceCrc64("version"));
    EXPECT_EQ(id.parent_point.GetCrc64(), ReferenceCrc64("parent_point"));
    EXPECT_EQ(id.position_x, CQzIdentifier("position_x"));
    EXPECT_EQ(id.position_x, CQzIdentifier("Position_X"));
    EXPECT_EQ(id.p1Adjacent.GetCrc64(), ReferenceCrc64("p1adjacent"));
    EXPECT_STREQ(id.p1Adjacent.DebugCString(), "p1adjacent");
    EXPECT_EQ(id.camera_perspective_at.GetCrc64(), ReferenceCrc64("@camera_perspective"));
    EXPECT_EQ(id.template_.GetCrc64(), ReferenceCrc64("template"));
    EXPECT_EQ(id.near.GetCrc64(), ReferenceCrc64("near"));
    EXPECT_EQ(id.far.GetCrc64(), ReferenceCrc64("far"));
    EXPECT_EQ(id.object_list.GetCrc64(), ReferenceCrc64("object_list"));
    EXPECT_EQ(id.extension.GetCrc64(), ReferenceCrc64("extension"));
    EXPECT_EQ(id.extensions.GetCrc64(), ReferenceCrc64("extensions"));
    EXPECT_EQ(id.sprite_gui_main_menu_sprite_button1_disabled_002.GetCrc64(),
              ReferenceCrc64("sprite_gui_main_menu_sprite_button1_disabled_002"));
}

TEST(QzWellKnownIdentifiers, SingletonIsStableAndCopiesKeepTheEmptyPointer)
{
    QZID* const table = QZID::GetSingleton();
    EXPECT_EQ(QZID::GetSingleton(), table);
    EXPECT_TRUE(table->empty.IsNull());
    EXPECT_EQ(table->empty, CQzIdentifier());
    EXPECT_EQ(table->pEmpty, &table->empty);
    EXPECT_EQ(CQzIdentifierManager::GetInstance()->FindNameForCrc64(~0ull), TQzString<char>::EMPTY);

    // the destructor is private: the copy lives in storage never destroyed
    alignas(QZID) static unsigned char storage[sizeof(QZID)];
    QZID const* const copy = new (storage) QZID(*table);
    EXPECT_EQ(copy->pEmpty, &table->empty);
    for (int i = 0; i < kWellKnownCount; ++i)
        EXPECT_EQ(Member(*copy, i), Member(*table, i));
}

} // namespace
