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

void Capture(char const* line)
{
    g_lines.push_back(line);
}

// The one line logged since the last call, without its "hh:mm:ss " stamp.
std::string TakeOnlyLine()
{
    EXPECT_EQ(g_lines.size(), 1u);
    std::string const line = g_lines.empty() ? "" : g_lines.back();
    g_lines.clear();
    return line.size() >= 9 ? line.substr(9) : line;
}

TEST(QzIdentifierDebugText, MissingTextIsLoggedOnceAsAWarning)
{
    QzLogDebugSink const previous = QzSetLogDebugSink(Capture);
    CQzIdentifierManager::GetInstance()->Release();
    struct SCase { unsigned long long crc; char const* hexUpper; char const* hexLower; };
    SCase const cases[] = {{0x1234ull, "0000000000001234", "0000000000001234"},
                           {0xABCDEF0123456789ull, "ABCDEF0123456789", "abcdef0123456789"},
                           {0x00000000FFFFFFFFull, "00000000FFFFFFFF", "00000000ffffffff"}};
    for (SCase const& c : cases)
    {
        std::string const warning = std::string("[WARNING] MISSING DEBUG STRING FOR CRC64: <") + c.hexLower + ">\n";
        CQzIdentifier const id(c.crc);
        EXPECT_STREQ(id.DebugCString(), "<empty>");
        EXPECT_EQ(TakeOnlyLine(), warning);
        EXPECT_EQ(std::string(id.DebugString().GetCString()), std::string("CRC<") + c.hexUpper + ">");
        EXPECT_EQ(TakeOnlyLine(), warning);
    }
    // a known text, the empty one included, is returned without a warning
    EXPECT_STREQ(CQzIdentifier("Debug_Me").DebugString().GetCString(), "debug_me");
    EXPECT_STREQ(CQzIdentifier("").DebugCString(), "");
    EXPECT_TRUE(g_lines.empty());
    QzSetLogDebugSink(previous);
}

} // namespace
