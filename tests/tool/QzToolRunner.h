// QzToolRunner.h: runs a tool as a real process in a scratch folder and
// gives back what it printed and its exit code as main returned it.
#ifndef QZCORE_TESTS_QZTOOLRUNNER_H
#define QZCORE_TESTS_QZTOOLRUNNER_H

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/QzTestData.h"

namespace qztest {

struct ToolResult
{
    int exitCode; // as main returned it: -2 comes back as -2, not 254
    std::string output;
};

inline std::string Quote(std::string const& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// `command` is run by the shell as it stands; the arguments are quoted.
inline ToolResult RunTool(std::string command, std::vector<std::string> const& arguments = {})
{
    for (std::string const& argument : arguments)
        command += " " + Quote(argument);
    ToolResult result{-1000, ""};
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char chunk[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        result.output.append(chunk, n);
    int const status = pipe != nullptr ? pclose(pipe) : -1;
    if (status != -1 && WIFEXITED(status))
        result.exitCode = static_cast<signed char>(WEXITSTATUS(status));
    return result;
}

// Runs `command` under address-space limits (ulimit -v), finding by bisection
// the least it needs, and returns what it did with a little less: the first
// allocation that the limit refuses shows there.
inline ToolResult ResultJustBelowTheMemoryItNeeds(std::string const& command)
{
    auto const runWith = [&](long kb) { return RunTool("ulimit -v " + std::to_string(kb) + "; " + command); };
    long enough = 1L << 20, tooLittle = 1024;
    EXPECT_EQ(runWith(enough).exitCode, 0);
    ToolResult below = runWith(tooLittle);
    while (enough - tooLittle > 16)
    {
        long const middle = (enough + tooLittle) / 2;
        ToolResult result = runWith(middle);
        (result.exitCode == 0 ? enough : tooLittle) = middle;
        if (result.exitCode != 0)
            below = result;
    }
    return below;
}

inline std::set<std::string> Entries(std::string const& folder)
{
    std::set<std::string> entries;
    for (auto const& entry : std::filesystem::directory_iterator(folder))
        entries.insert(entry.path().filename().string());
    return entries;
}

// A fresh, empty folder per test, removed afterwards.
class ToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = ::testing::TempDir() + "/qztool_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Path(std::string const& name) const { return m_folder + "/" + name; }
    std::string const& Folder() const { return m_folder; }
    ToolResult Compress(std::string const& input, std::string const& output) const
    {
        return RunTool(Quote(QZ_COMPRESS_PROGRAM), {input, output});
    }
    ToolResult Decompress(std::string const& input, std::string const& output) const
    {
        return RunTool(Quote(QZ_DECOMPRESS_PROGRAM), {input, output});
    }

    // The container QzCompress writes for input; the folder is left as it was.
    Bytes Container(Bytes const& input) const
    {
        WriteFile(Path("source.bin"), input);
        EXPECT_EQ(Compress(Path("source.bin"), Path("source.qz")).exitCode, 0);
        Bytes container = ReadFile(Path("source.qz"));
        std::filesystem::remove(Path("source.bin"));
        std::filesystem::remove(Path("source.qz"));
        return container;
    }

private:
    std::string m_folder;
};

} // namespace qztest

#endif // QZCORE_TESTS_QZTOOLRUNNER_H
