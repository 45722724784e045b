// Tests of the log: which files a line lands in, the exact line format (the
// clock digits aside), the filters, the life cycle, overlong input and the
// decimal point under a comma locale.
#include "system/QzLog.h"
#include "system/internal/QzLogDebugSinkTestHook.h"

#include "QzSystemTestDirectory.h"
#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

char const* const kSuffixes[] = {"", "_info", "_profile", "_warning", "_error", "_fatal"};

std::vector<std::string> g_debugLines;

void CaptureDebugLine(char const* line)
{
    g_debugLines.push_back(line);
}

// Each test runs in its own empty directory with the debug output captured.
class QzLogTest : public ::testing::Test
{
protected:
    QzLogTest() { m_previousSink = QzSetLogDebugSink(CaptureDebugLine); g_debugLines.clear(); }
    ~QzLogTest() override
    {
        QzLogRelease();
        QzSetLogDebugSink(m_previousSink);
    }

    // The contents of the six files of "tool", keyed by suffix.
    static std::map<std::string, std::string> ReadToolFiles()
    {
        std::map<std::string, std::string> files;
        for (char const* suffix : kSuffixes)
            files[suffix] = qztest::ReadWholeFile(fs::path("_logs") / (std::string("tool") + suffix + ".log"));
        return files;
    }

    // Expects line in exactly the files named by landed, and no other text.
    static void ExpectOnlyIn(std::vector<std::string> const& landed, std::string const& line)
    {
        std::map<std::string, std::string> const files = ReadToolFiles();
        for (char const* suffix : kSuffixes)
        {
            bool const expected = std::find(landed.begin(), landed.end(), suffix) != landed.end();
            EXPECT_EQ(files.at(suffix), expected ? line : "") << "file tool" << suffix << ".log";
        }
    }

    qztest::CTemporaryCurrentDirectory m_directory;
    QzLogDebugSink m_previousSink;
};

// "hh:mm:ss " then the rest, with the clock digits free.
::testing::AssertionResult HasLine(std::string const& line, std::string const& afterStamp)
{
    static std::regex const stamp("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9] ");
    if (line.size() < 9 || !std::regex_search(line, stamp))
        return ::testing::AssertionFailure() << "no time stamp in \"" << line << "\"";
    if (line.substr(9) != afterStamp)
        return ::testing::AssertionFailure() << "\"" << line.substr(9) << "\" is not \"" << afterStamp << "\"";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(QzLogTest, InitCreatesTheSixFilesEmptyAndTruncatesOldOnes)
{
    fs::create_directory("_logs");
    for (char const* suffix : {"", "_warning"})
        std::ofstream(fs::path("_logs") / (std::string("tool") + suffix + ".log")) << "old text\n";

    QzLogInit("tool");

    for (char const* suffix : kSuffixes)
    {
        fs::path const path = fs::path("_logs") / (std::string("tool") + suffix + ".log");
        ASSERT_TRUE(fs::is_regular_file(path)) << path;
        EXPECT_EQ(fs::file_size(path), 0u) << path;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator("_logs"), fs::directory_iterator()), 6);
}

TEST_F(QzLogTest, SingleBitLevelLandsInTheMainAndItsOwnFileWithItsTag)
{
    struct SCase
    {
        ELogLevel level;
        char const* suffix;
        char const* tag;
    };
    SCase const cases[] = {{LOG_INFO, "_info", "[   INFO] "},
                           {LOG_PROFILE, "_profile", "[PROFILE] "},
                           {LOG_WARNING, "_warning", "[WARNING] "},
                           {LOG_ERROR, "_error", "[  ERROR] "},
                           {LOG_FATAL, "_fatal", "[  FATAL] "}};
    for (SCase const& c : cases)
    {
        QzLogInit("tool");
        QzLog(c.level, ELogType(2), 0, "x=%d", 5);
        std::string const line = qztest::ReadWholeFile("_logs/tool.log");
        EXPECT_TRUE(HasLine(line, std::string(c.tag) + "x=5\n"));
        ExpectOnlyIn({"", c.suffix}, line);
        ASSERT_EQ(g_debugLines.size(), 1u);
        EXPECT_EQ(g_debugLines[0], line);
        g_debugLines.clear();
        QzLogRelease();
    }
}

TEST_F(QzLogTest, SeveralLevelBitsGetNoTagAndLandInEveryLevelFileTheyName)
{
    QzLogInit("tool");
    QzLog(ELogLevel(LOG_INFO | LOG_PROFILE), LOG_TYPE_GENERAL, 0, "both");
    std::string const line = qztest::ReadWholeFile("_logs/tool.log");
    EXPECT_TRUE(HasLine(line, "both\n"));
    ExpectOnlyIn({"", "_info", "_profile"}, line);

    QzLogInit("tool");
    QzLog(ELogLevel(LOG_WARNING | LOG_FATAL | 32), LOG_TYPE_GENERAL, 0, "three");
    std::string const line2 = qztest::ReadWholeFile("_logs/tool.log");
    EXPECT_TRUE(HasLine(line2, "three\n"));
    ExpectOnlyIn({"", "_warning", "_fatal"}, line2);
}

TEST_F(QzLogTest, FilteredLevelsAndTypesWriteNothing)
{
    QzLogInit("tool");
    QzLog(ELogLevel(0), LOG_TYPE_GENERAL, 0, "no level");
    QzLog(ELogLevel(32), LOG_TYPE_GENERAL, 0, "level above the filter");
    QzLog(LOG_ERROR, ELogType(0), 0, "no type");
    QzLog(LOG_ERROR, ELogType(1u << 11), 0, "type bit 11");
    QzLog(LOG_ERROR, ELogType(1u << 15), 0, "type bit 15");
    QzLog(LOG_ERROR, ELogType(1u << 17), 0, "type bit 17");
    QzLog(LOG_ERROR, ELogType(0x80000000u), 0, "type bit 31");
    ExpectOnlyIn({}, "");
    EXPECT_TRUE(g_debugLines.empty());

    // the bits at both ends of the passing ranges
    QzLog(LOG_INFO, ELogType(1u << 10), 0, "a");
    QzLog(LOG_INFO, ELogType(1u << 16), 0, "b");
    QzLog(LOG_INFO, ELogType((1u << 11) | 1u), 0, "c");
    EXPECT_EQ(g_debugLines.size(), 3u);
}

TEST_F(QzLogTest, IndentAddsTwoBlanksPerStepAndNothingWhenNotPositive)
{
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 2, "two");
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, -1, "minus one");
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 0, "zero");
    QzLog(ELogLevel(3), LOG_TYPE_GENERAL, 1, "%s|%5.2f|%c", "args", 2.5, 'z');
    ASSERT_EQ(g_debugLines.size(), 4u);
    EXPECT_TRUE(HasLine(g_debugLines[0], "[   INFO]     two\n"));
    EXPECT_TRUE(HasLine(g_debugLines[1], "[   INFO] minus one\n"));
    EXPECT_TRUE(HasLine(g_debugLines[2], "[   INFO] zero\n"));
    EXPECT_TRUE(HasLine(g_debugLines[3], "  args| 2.50|z\n"));
}

TEST_F(QzLogTest, NumbersKeepTheDecimalPointUnderACommaLocale)
{
    qztest::CCommaDecimalLocale const german;
    ASSERT_EQ(german.Failure(), "");
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 0, "%.2f", 2.5);
    ASSERT_EQ(g_debugLines.size(), 1u);
    EXPECT_TRUE(HasLine(g_debugLines[0], "[   INFO] 2.50\n"));
}

TEST_F(QzLogTest, LoggingOutsideInitAndReleaseCreatesNoFile)
{
    QzLog(LOG_WARNING, LOG_TYPE_IDENTIFIER, 0, "before");
    EXPECT_FALSE(fs::exists("_logs"));

    QzLogInit("tool");
    QzLog(LOG_WARNING, LOG_TYPE_IDENTIFIER, 0, "during");
    QzLogRelease();
    QzLogRelease();
    QzLog(LOG_WARNING, LOG_TYPE_IDENTIFIER, 0, "after");

    EXPECT_TRUE(HasLine(qztest::ReadWholeFile("_logs/tool.log"), "[WARNING] during\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator("_logs"), fs::directory_iterator()), 6);
    ASSERT_EQ(g_debugLines.size(), 3u);
    EXPECT_TRUE(HasLine(g_debugLines[0], "[WARNING] before\n"));
    EXPECT_TRUE(HasLine(g_debugLines[2], "[WARNING] after\n"));
}

TEST_F(QzLogTest, SecondInitClosesTheFirstFilesAndOpensTheNewOnes)
{
    QzLogInit("first");
    QzLogInit("second");
    QzLog(LOG_ERROR, LOG_TYPE_GENERAL, 0, "where");
    EXPECT_EQ(qztest::ReadWholeFile("_logs/first.log"), "");
    EXPECT_TRUE(HasLine(qztest::ReadWholeFile("_logs/second_error.log"), "[  ERROR] where\n"));
}

TEST_F(QzLogTest, OverlongMessageIsCutToTheLineBufferKeepingTheLineFeed)
{
    QzLogInit("tool");
    std::string const text(10000, 'm');
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 3, "%s", text.c_str());
    std::string const line = qztest::ReadWholeFile("_logs/tool_info.log");
    ASSERT_EQ(line.size(), 8191u);
    EXPECT_TRUE(HasLine(line, "[   INFO]       " + std::string(8191 - 9 - 10 - 6 - 1, 'm') + "\n"));

    // an indent larger than the buffer fills it with blanks and still ends
    QzLog(LOG_PROFILE, LOG_TYPE_GENERAL, 1 << 30, "lost");
    std::string const blanks = qztest::ReadWholeFile("_logs/tool_profile.log");
    ASSERT_EQ(blanks.size(), 8191u);
    EXPECT_TRUE(HasLine(blanks, "[PROFILE] " + std::string(8191 - 9 - 10 - 1, ' ') + "\n"));
}

TEST_F(QzLogTest, FilesThatCannotBeOpenedAreSkippedAndTheOthersWritten)
{
    fs::create_directories("_logs/tool_warning.log"); // a directory in the file's place
    QzLogInit("tool");
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "still here");
    EXPECT_TRUE(HasLine(qztest::ReadWholeFile("_logs/tool.log"), "[WARNING] still here\n"));
    EXPECT_TRUE(fs::is_directory("_logs/tool_warning.log"));

    // a name too long for a path opens nothing, and logging goes on
    QzLogInit(std::string(400, 'n').c_str());
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "long name");
    EXPECT_EQ(std::distance(fs::directory_iterator("_logs"), fs::directory_iterator()), 6);
    EXPECT_TRUE(HasLine(g_debugLines.back(), "[WARNING] long name\n"));
}

TEST_F(QzLogTest, ConcurrentMessagesEachLandAsOneWholeLine)
{
    QzSetLogDebugSink([](char const*) {});
    QzLogInit("tool");
    int const threads = 4;
    int const perThread = 300;
    std::vector<std::thread> loggers;
    for (int t = 0; t < threads; ++t)
        loggers.emplace_back([t] {
            for (int i = 0; i < perThread; ++i)
                QzLog(LOG_ERROR, LOG_TYPE_GENERAL, t, "thread %d line %d %s", t, i, "padding padding padding");
        });
    for (std::thread& logger : loggers)
        logger.join();

    std::istringstream lines(qztest::ReadWholeFile("_logs/tool_error.log"));
    static std::regex const whole(
        "([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9] \\[  ERROR\\] ( *)thread ([0-9]) line ([0-9]+) padding padding padding");
    std::vector<int> seen(threads, 0);
    std::string line;
    int count = 0;
    while (std::getline(lines, line))
    {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, whole)) << line;
        int const thread = std::stoi(match[3]);
        EXPECT_EQ(match[2].length(), std::size_t(thread) * 2);
        EXPECT_EQ(std::stoi(match[4]), seen[thread]++); // each thread's lines in its order
        ++count;
    }
    EXPECT_EQ(count, threads * perThread);
    EXPECT_EQ(qztest::ReadWholeFile("_logs/tool.log").size(), qztest::ReadWholeFile("_logs/tool_error.log").size());
}
