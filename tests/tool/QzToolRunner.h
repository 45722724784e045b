// QzToolRunner.h: runs a tool as a real process in a scratch folder and
// gives back what it printed and its exit code as main returned it.
#ifndef QZCORE_TESTS_QZTOOLRUNNER_H
#define QZCORE_TESTS_QZTOOLRUNNER_H

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "QzTestData.h"

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

inline ToolResult RunTool(std::string const& program, std::vector<std::string> const& arguments)
{
    std::string command = Quote(program);
    for (std::string const& argument : arguments)
        command += " " + Quote(argument);
    command += " 2>&1";
    ToolResult result{-1000, ""};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        result.output.append(chunk, n);
    int const status = pclose(pipe);
    if (WIFEXITED(status))
        result.exitCode = static_cast<signed char>(WEXITSTATUS(status));
    return result;
}

// Runs `command` in a shell under address-space limits (ulimit -v), finding
// by bisection the least it needs, and returns what it did with a little
// less: the first allocation that the limit refuses shows there.
inline ToolResult ResultJustBelowTheMemoryItNeeds(std::string const& command)
{
    auto const runWith = [&](long kilobytes) {
        return RunTool("/bin/sh", {"-c", "ulimit -v " + std::to_string(kilobytes) + "; " + command});
    };
    long enough = 4L << 20, tooLittle = 1024;
    EXPECT_EQ(runWith(enough).exitCode, 0);
    ToolResult below = runWith(tooLittle);
    while (enough - tooLittle > 16)
    {
        long const middle = (enough + tooLittle) / 2;
        ToolResult result = runWith(middle);
        if (result.exitCode == 0)
            enough = middle;
        else
        {
            tooLittle = middle;
            below = result;
        }
    }
    return below;
}

inline bool Exists(std::string const& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

inline Bytes ReadFile(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(std::string const& path, Bytes const& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::vector<std::string> FolderEntries(std::string const& folder)
{
    std::vector<std::string> entries;
    std::FILE* pipe = popen(("ls -A " + Quote(folder)).c_str(), "r");
    char line[4096];
    while (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr)
    {
        std::string entry(line);
        if (!entry.empty() && entry.back() == '\n')
            entry.pop_back();
        entries.push_back(entry);
    }
    if (pipe != nullptr)
        pclose(pipe);
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
    void TearDown() override { std::system(("rm -rf " + Quote(m_folder)).c_str()); }

    std::string Path(std::string const& name) const { return m_folder + "/" + name; }
    std::string const& Folder() const { return m_folder; }

    ToolResult Compress(std::string const& input, std::string const& output) const
    {
        return RunTool(QZ_COMPRESS_PROGRAM, {input, output});
    }
    ToolResult Decompress(std::string const& input, std::string const& output) const
    {
        return RunTool(QZ_DECOMPRESS_PROGRAM, {input, output});
    }

    // The container QzCompress writes for input; the folder is left as it was.
    Bytes Container(Bytes const& input) const
    {
        WriteFile(Path("source.bin"), input);
        EXPECT_EQ(Compress(Path("source.bin"), Path("source.qz")).exitCode, 0);
        Bytes container = ReadFile(Path("source.qz"));
        std::remove(Path("source.bin").c_str());
        std::remove(Path("source.qz").c_str());
        return container;
    }

private:
    std::string m_folder;
};

} // namespace qztest

#endif // QZCORE_TESTS_QZTOOLRUNNER_H
