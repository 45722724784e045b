// Tests of the log: the files a line lands in, the exact line format, the
// filters, the files' life cycle, overlong input and a comma locale.
#include "system/QzLog.h"
#include "system/internal/QzLogDebugSinkTestHook.h"
#include "system/platform/QzPlatformDebug.h"
#include "system/platform/QzPlatformFile.h"

#include "support/QzCommaLocale.h"

#include <gtest/gtest.h>

#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

char const* const kSuffixes[] = {"", "_info", "_profile", "_warning", "_error", "_fatal"}; // main, level bits

std::vector<std::string> g_debugLines; // after their stamps

std::string ReadLog(std::string const& name)
{
    std::ifstream file("_logs/" + name + ".log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

long Count(fs::path const& folder) { return long(std::distance(fs::directory_iterator(folder), fs::directory_iterator())); }

// The line after its "hh:mm:ss " stamp.
std::string AfterStamp(std::string const& line)
{
    static std::regex const stamp("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9] ");
    return std::regex_match(line.substr(0, 9), stamp) ? line.substr(9) : "no stamp: " + line;
}

// Each test runs in its own empty directory with the debug output captured.
class QzLogTest : public ::testing::Test
{
protected:
    QzLogTest() : m_previous(fs::current_path())
    {
        std::string pattern = (fs::temp_directory_path() / "qzlog-XXXXXX").string();
        m_directory = ::mkdtemp(&pattern[0]);
        fs::current_path(m_directory);
        m_sink = QzSetLogDebugSink([](char const* line) { g_debugLines.push_back(AfterStamp(line)); });
        g_debugLines.clear();
    }
    ~QzLogTest() override
    {
        QzLogRelease();
        QzSetLogDebugSink(m_sink);
        fs::current_path(m_previous);
        fs::remove_all(m_directory);
    }

    fs::path m_previous, m_directory;
    QzLogDebugSink m_sink;
};

} // namespace

TEST_F(QzLogTest, ALineLandsInTheFileOfEveryLevelBitUnlessFilteredAndFormatsExactly)
{
    fs::create_directory("_logs");
    std::ofstream("_logs/tool_fatal.log") << std::string(100, 'o') << "\n"; // truncated by the first init
    // a level and its tag, shown for single bits only
    std::pair<unsigned int, char const*> const cases[] = {
        {LOG_FATAL, "[  FATAL] "},   {LOG_INFO, "[   INFO] "},  {LOG_PROFILE, "[PROFILE] "},
        {LOG_WARNING, "[WARNING] "}, {LOG_ERROR, "[  ERROR] "}, {LOG_INFO | LOG_PROFILE, ""}, {LOG_WARNING | LOG_FATAL | 32, ""}};
    for (auto const& [level, tag] : cases)
    {
        g_debugLines.clear();
        QzLogInit("tool");
        QzLog(ELogLevel(level), LOG_TYPE_GENERAL, 0, "x=%d", 5);
        std::string const line = ReadLog("tool");
        EXPECT_EQ(AfterStamp(line), std::string(tag) + "x=5\n");
        EXPECT_EQ(g_debugLines, std::vector<std::string>{AfterStamp(line)});
        for (unsigned int bit = 0; bit < 5; ++bit)
            EXPECT_EQ(ReadLog("tool" + std::string(kSuffixes[bit + 1])), (level >> bit & 1) != 0 ? line : "")
                << "level " << level << ", file " << kSuffixes[bit + 1];
    }
    EXPECT_EQ(Count("_logs"), 6);

    // filters drop levels and types outside their bits
    g_debugLines.clear();
    QzLog(ELogLevel(0), LOG_TYPE_GENERAL, 0, "no level");
    QzLog(ELogLevel(32), LOG_TYPE_GENERAL, 0, "level above the filter");
    for (unsigned int type : {0u, 1u << 11, 1u << 15, 1u << 17, 1u << 31})
        QzLog(LOG_ERROR, ELogType(type), 0, "type %u", type);
    EXPECT_TRUE(g_debugLines.empty());
    // the bits at both ends of the passing ranges
    for (unsigned int type : {1u << 10, 1u << 16, (1u << 11) | 1u, unsigned(LOG_TYPE_IDENTIFIER)})
        QzLog(LOG_INFO, ELogType(type), 0, "type %u", type);
    EXPECT_EQ(g_debugLines.size(), 4u);

    // indents, arguments and overlong text
    g_debugLines.clear();
    {
        qztest::CCommaDecimalLocale const german;
        ASSERT_EQ(german.Failure(), "");
        testing::internal::CaptureStdout();
        QzLog(LOG_INFO, LOG_TYPE_GENERAL, 2, "two");
        QzLog(LOG_INFO, LOG_TYPE_GENERAL, -1, "%c", 'z');
        QzLog(ELogLevel(3), LOG_TYPE_GENERAL, 1, "%s|%5.2f|%c", "args", 2.5, 'z');
        QzLog(LOG_INFO, LOG_TYPE_GENERAL, 0, "%.2f", 2.5);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), ""); // the console is off
    }
    // lines are cut to 8191 characters and keep their line feed; a huge indent is all blanks
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 3, "%s", std::string(10000, 'm').c_str());
    QzLog(LOG_INFO, LOG_TYPE_GENERAL, 1 << 30, "lost");
    EXPECT_EQ(g_debugLines, (std::vector<std::string>{"[   INFO]     two\n", "[   INFO] z\n", "  args| 2.50|z\n",
                                               "[   INFO] 2.50\n", // a comma locale changes nothing
                                               "[   INFO]       " + std::string(8191 - 9 - 10 - 6 - 1, 'm') + "\n",
                                               "[   INFO] " + std::string(8191 - 9 - 10 - 1, ' ') + "\n"}));
}

TEST_F(QzLogTest, FilesOpenOnlyBetweenInitAndReleaseAndTheDebuggerChannelOnlyWithADebugger)
{
    long const descriptors = Count("/proc/self/fd");
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "before");
    EXPECT_FALSE(fs::exists("_logs"));
    QzLogInit("first");
    mode_t const mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status("_logs").permissions(), fs::perms(0755 & ~mask));
    EXPECT_TRUE(qzplatform::MakeDirectory("_logs")); // an existing folder is no error
    fs::create_directories("_logs/tool_warning.log"); // a directory in the file's place
    QzLogInit("tool"); // closes the files of "first"
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "during");
    QzLogRelease();
    QzLogRelease();
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "after");
    EXPECT_EQ(Count("/proc/self/fd"), descriptors);
    EXPECT_EQ(ReadLog("first"), "");
    EXPECT_EQ(AfterStamp(ReadLog("tool")), "[WARNING] during\n");
    EXPECT_EQ(g_debugLines.size(), 3u);

    // the longest name whose path no longer fits in 256 bytes opens nothing
    QzLogInit(std::string(246, 'n').c_str());
    QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "long name");
    QzLogInit(nullptr); // an empty name
    EXPECT_TRUE(Count("_logs") == 18 && fs::exists("_logs/_fatal.log")) << Count("_logs") << " files";

    // a child that asks to be traced has this process for its debugger
    pid_t const child = ::fork();
    if (child == 0)
    {
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::_exit(qzplatform::IsDebuggerAttached() ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    ASSERT_FALSE(qzplatform::IsDebuggerAttached()) << "run without a debugger";
    QzSetLogDebugSink(nullptr); // the default channel
    testing::internal::CaptureStderr();
    QzLog(LOG_ERROR, LOG_TYPE_GENERAL, 0, "unheard");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
