// Tests of the identifier's debug texts: what they return, and the one
// warning line each logs when the registry has no text for the CRC.
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierManager.h"
#include "system/internal/QzLogDebugSinkTestHook.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_lines;

void Capture(char const* line)
{
    g_lines.push_back(line);
}

class QzIdentifierDebugText : public ::testing::Test
{
protected:
    QzIdentifierDebugText() : m_previous(QzSetLogDebugSink(Capture)) { g_lines.clear(); }
    ~QzIdentifierDebugText() override { QzSetLogDebugSink(m_previous); }

    // The one line logged since the last call, without its time stamp.
    static std::string TakeOnlyLine()
    {
        EXPECT_EQ(g_lines.size(), 1u);
        std::string const line = g_lines.empty() ? "" : g_lines.back();
        g_lines.clear();
        EXPECT_TRUE(std::regex_match(line.substr(0, 9), std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2} "))) << line;
        return line.size() >= 9 ? line.substr(9) : line;
    }

private:
    QzLogDebugSink m_previous;
};

TEST_F(QzIdentifierDebugText, MissingTextIsLoggedOnceAsAWarning)
{
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
        TQzString<char> const text = id.DebugString();
        EXPECT_EQ(std::string(text.GetCString()), std::string("CRC<") + c.hexUpper + ">");
        EXPECT_EQ(text.GetLength(), 21);
        EXPECT_EQ(TakeOnlyLine(), warning);
    }
    // a known text, the empty one included, is returned without a warning
    EXPECT_STREQ(CQzIdentifier("Debug_Me").DebugString().GetCString(), "debug_me");
    EXPECT_STREQ(CQzIdentifier("").DebugCString(), "");
    EXPECT_TRUE(g_lines.empty());
}

} // namespace
