// Tests of the identifier's debug texts: what they return, and the one
// warning line each logs when the registry has no text for the CRC.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"
#include "system/internal/QzLogDebugSinkTestHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_lines;

// The lines logged since the last call, without their "hh:mm:ss " stamps.
std::vector<std::string> TakeLines()
{
    std::vector<std::string> lines;
    for (std::string const& line : g_lines)
        lines.push_back(line.size() >= 9 ? line.substr(9) : line);
    g_lines.clear();
    return lines;
}

TEST(QzIdentifierDebugText, MissingTextIsLoggedOnceAsAWarning)
{
    QzLogDebugSink const previous = QzSetLogDebugSink([](char const* line) { g_lines.push_back(line); });
    CQzIdentifierManager::GetInstance()->Release();
    struct SCase { unsigned long long crc; char const* hexUpper; char const* hexLower; };
    SCase const cases[] = {{0x1234ull, "0000000000001234", "0000000000001234"},
                           {0xABCDEF0123456789ull, "ABCDEF0123456789", "abcdef0123456789"},
                           {0x00000000FFFFFFFFull, "00000000FFFFFFFF", "00000000ffffffff"}};
    for (SCase const& c : cases)
    {
        std::vector<std::string> const warning = {std::string("[WARNING] MISSING DEBUG STRING FOR CRC64: <") + c.hexLower + ">\n"};
        CQzIdentifier const id(c.crc);
        EXPECT_STREQ(id.DebugCString(), "<empty>");
        EXPECT_EQ(TakeLines(), warning);
        EXPECT_EQ(std::string(id.DebugString().GetCString()), std::string("CRC<") + c.hexUpper + ">");
        EXPECT_EQ(TakeLines(), warning);
    }
    // a known text, the empty one included, is returned without a warning
    EXPECT_STREQ(CQzIdentifier("Debug_Me").DebugString().GetCString(), "debug_me");
    EXPECT_STREQ(CQzIdentifier("").DebugCString(), "");
    EXPECT_TRUE(g_lines.empty());
    QzSetLogDebugSink(previous);
}

} // namespace
