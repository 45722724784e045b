// QzToolRunner.h: runs a tool as a real process in a scratch folder and
// gives back what it printed and its exit code as main returned it.
#ifndef QZCORE_TESTS_QZTOOLRUNNER_H
#define QZCORE_TESTS_QZTOOLRUNNER_H

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/QzTestData.h"

namespace qztest {

struct ToolResult
{
    int exitCode; // as main returned it: -2 comes back as -2, not 254
    std::string output;
    bool operator==(ToolResult const& other) const { return std::tie(exitCode, output) == std::tie(other.exitCode, other.output); }
};

inline void PrintTo(ToolResult const& result, std::ostream* out) { *out << result.exitCode << ": " << result.output; }

inline std::string Quote(std::string const& text) { return "'" + std::regex_replace(text, std::regex("'"), "'\\''") + "'"; }

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

// Runs `program` under address-space limits (ulimit -v), finding by bisection
// the least it needs, and returns what it did with a little less: the first
// allocation that the limit refuses shows there.
inline ToolResult ResultJustBelowTheMemoryItNeeds(std::string const& program, std::vector<std::string> const& arguments)
{
    auto const runWith = [&](long kb) { return RunTool("ulimit -v " + std::to_string(kb) + "; " + Quote(program), arguments); };
    long enough = 1L << 20, tooLittle = 1024;
    EXPECT_EQ(runWith(enough).exitCode, 0);
    ToolResult below = runWith(tooLittle);
    for (long middle; enough - tooLittle > 16;)
        if (ToolResult const result = runWith(middle = (enough + tooLittle) / 2); result.exitCode == 0)
            enough = middle;
        else
            std::tie(tooLittle, below) = std::tie(middle, result);
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
        m_folder = ::testing::TempDir() + "/qztool_XXXXXX";
        ASSERT_NE(mkdtemp(m_folder.data()), nullptr);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Path(std::string const& name) const { return m_folder + "/" + name; }
    std::string const& Folder() const { return m_folder; }
    ToolResult Compress(std::vector<std::string> const& arguments) const { return RunTool(Quote(QZ_COMPRESS_PROGRAM), arguments); }
    ToolResult Decompress(std::vector<std::string> const& arguments) const { return RunTool(Quote(QZ_DECOMPRESS_PROGRAM), arguments); }
    // A node of our own for memory device `minor`: a tool that replaced devices would
    // otherwise break the machine's for everyone; only who may not replace them uses /dev's.
    std::string Device(std::string const& name, unsigned minor) const
    {
        bool const own = ::mknod(Path(name).c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0 || ::geteuid() == 0;
        return own ? Path(name) : "/dev/" + name;
    }

    // The container QzCompress writes for input; the folder is left as it was.
    Bytes Container(Bytes const& input) const
    {
        WriteFile(Path("source.bin"), input);
        EXPECT_EQ(Compress({Path("source.bin"), Path("source.qz")}).exitCode, 0);
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
