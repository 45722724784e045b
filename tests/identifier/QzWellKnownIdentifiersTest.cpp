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
using qztest::NameCrc64;

// The named members as the array the table is built from (member i for
// text i), which the library asserts at compile time.
CQzIdentifier const& Member(QZID const& table, int i)
{
    return reinterpret_cast<CQzIdentifier const*>(static_cast<SQzWellKnownIdentifiers const*>(&table))[i];
}

TEST(QzWellKnownIdentifiers, EveryMemberIsItsTextsIdentifierAndRegistered)
{
    QZID* const table = QZID::GetSingleton();
    EXPECT_EQ(QZID::GetSingleton(), table);
    EXPECT_EQ(kWellKnownCount, 905);
    std::set<unsigned long long> crcs = {~0ull};
    for (int i = 0; i < kWellKnownCount; ++i)
    {
        std::string const text = kWellKnownTexts[i];
        EXPECT_EQ(Member(*table, i).GetCrc64(), NameCrc64(text)) << text;
        EXPECT_STREQ(CQzIdentifierManager::GetInstance()->FindNameForCrc64(NameCrc64(text)),
                     qztest::AsciiLower(text).c_str());
        crcs.insert(NameCrc64(text));
    }
    EXPECT_EQ(crcs.size(), std::size_t(kWellKnownCount) + 1) << "all texts have distinct CRCs";
    // members named after their texts, the exceptions and the registered-early ones
    EXPECT_EQ(table->version.GetCrc64(), NameCrc64("version"));
    EXPECT_EQ(table->parent_point.GetCrc64(), NameCrc64("parent_point"));
    EXPECT_EQ(table->p1Adjacent.GetCrc64(), NameCrc64("p1adjacent"));
    EXPECT_EQ(table->camera_perspective_at.GetCrc64(), NameCrc64("@camera_perspective"));
    EXPECT_EQ(table->template_.GetCrc64(), NameCrc64("template"));
    for (auto const& [member, text] : {std::pair{&table->near, "near"}, {&table->far, "far"},
                                       {&table->object_list, "object_list"}, {&table->layer_list, "layer_list"},
                                       {&table->extensions, "extensions"}, {&table->extension, "extension"}})
        EXPECT_EQ(member->GetCrc64(), NameCrc64(text)) << text;

    EXPECT_TRUE(table->empty.IsNull());
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
