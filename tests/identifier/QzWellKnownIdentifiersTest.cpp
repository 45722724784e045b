// Tests of QZID against the bit-at-a-time CRC: every member is the
// identifier of its text, every text is registered lower-cased, all CRCs
// differ, and the empty one is the null identifier.
#include "identifier/QzIdentifierManager.h"
#include "identifier/QzWellKnownIdentifiers.h"
#include "identifier/internal/QzWellKnownTexts.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using qzidentifier::kWellKnownCount;
using qzidentifier::kWellKnownTexts;
using qztest::NameCrc64;

TEST(QzWellKnownIdentifiers, EveryMemberIsItsTextsIdentifierAndRegistered)
{
    QZID* const table = QZID::GetSingleton();
    EXPECT_EQ(kWellKnownCount, 905);
    // the members as the array the table is built from (member i for text i)
    auto const* const members = reinterpret_cast<CQzIdentifier const*>(static_cast<SQzWellKnownIdentifiers*>(table));
    std::set<unsigned long long> crcs = {~0ull};
    for (int i = 0; i < kWellKnownCount; ++i)
    {
        std::string const text = kWellKnownTexts[i];
        EXPECT_EQ(members[i].GetCrc64(), NameCrc64(text)) << text;
        EXPECT_STREQ(CQzIdentifierManager::GetInstance()->FindNameForCrc64(NameCrc64(text)),
                     qztest::AsciiLower(text).c_str());
        crcs.insert(NameCrc64(text));
    }
    EXPECT_EQ(crcs.size(), std::size_t(kWellKnownCount) + 1) << "all texts have distinct CRCs";
    // the two members not named after their texts
    EXPECT_EQ(table->camera_perspective_at.GetCrc64(), NameCrc64("@camera_perspective"));
    EXPECT_EQ(table->template_.GetCrc64(), NameCrc64("template"));

    EXPECT_TRUE(table->empty.IsNull());
    EXPECT_EQ(table->pEmpty, &table->empty);
    EXPECT_EQ(CQzIdentifierManager::GetInstance()->FindNameForCrc64(~0ull), TQzString<char>::EMPTY);
}

} // namespace
