// QzDecompress run as a real process: what is not a container, or is a
// damaged one, fails with a clear line and leaves no output behind; what it
// writes over keeps its kind, mode and place, even when the tool is killed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "QzTestData.h"
#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Exists;
using qztest::RunTool;

namespace {

std::string const kBanner = "QzDecompress v0.1\n\n";

class QzDecompressTool : public qztest::ToolTest
{
protected:
    // Decompressing `container` fails with `code`, says `message`, and leaves
    // the folder as it was: an existing output keeps its bytes, no temporary.
    void ExpectRejected(Bytes const& container, int code, std::string const& message)
    {
        qztest::WriteFile(Path("in.qz"), container);
        qztest::WriteFile(Path("existing.out"), qztest::FromString("keep me"));
        for (std::string const output : {"new.out", "existing.out"})
        {
            qztest::ToolResult const result = Decompress(Path("in.qz"), Path(output));
            EXPECT_EQ(result.exitCode, code) << result.output;
            EXPECT_EQ(result.output.rfind(kBanner + "Error : ", 0), 0u) << result.output;
            EXPECT_NE(result.output.find(message), std::string::npos) << result.output;
            EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 3) << result.output;
        }
        EXPECT_EQ(qztest::ReadFile(Path("existing.out")), qztest::FromString("keep me"));
        EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"existing.out", "in.qz"}));
    }
};

} // namespace

TEST_F(QzDecompressTool, WrongArgumentCountOrMissingInput)
{
    qztest::ToolResult const usage = RunTool(QZ_DECOMPRESS_PROGRAM, {Path("a")});
    EXPECT_EQ(usage.exitCode, -1);
    EXPECT_EQ(usage.output, kBanner + "Usage : QzDecompress input_file output_file\n");

    qztest::ToolResult const missing = Decompress(Path("missing.qz"), Path("out"));
    EXPECT_EQ(missing.exitCode, -2);
    EXPECT_EQ(missing.output, kBanner + "Error : Unable to open input file : \"" + Path("missing.qz") + "\"\n");
    EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(QzDecompressTool, RejectsWhatIsNotAContainer)
{
    Bytes const valid = Container(qztest::Text(50000));

    ExpectRejected(Bytes(), -6, "is not a QzCompress container");
    ExpectRejected(Bytes(valid.begin(), valid.begin() + 36), -6, "too short");

    Bytes wrongMagic = valid;
    wrongMagic[0] = 'X';
    ExpectRejected(wrongMagic, -6, "magic");

    for (int reserved : {16, 31})
    {
        Bytes dirty = valid;
        dirty[std::size_t(reserved)] = 1;
        ExpectRejected(dirty, -6, "reserved byte " + std::to_string(reserved));
    }

    Bytes hugeSize = valid;
    hugeSize[15] = char(0x80);
    ExpectRejected(hugeSize, -6, "too large");

    // a container carries exactly these properties: others could make the
    // decoder ask for gigabytes
    for (std::size_t property = 32; property < 37; ++property)
    {
        Bytes otherProperties = valid;
        otherProperties[property] = char(0xFF);
        ExpectRejected(otherProperties, -6, "are not 5D 00 00 10 00");
    }
}

TEST_F(QzDecompressTool, RejectsStreamsThatEndEarlyOrAreCorrupt)
{
    Bytes const input = qztest::Mixed(400000, 51);
    Bytes const valid = Container(input);

    ExpectRejected(Bytes(valid.begin(), valid.begin() + std::ptrdiff_t(valid.size() / 2)), -8, "corrupt or ends early");

    // a size field that claims more than the stream holds
    Bytes longer = valid;
    longer[12] = char((unsigned char)longer[12] + 1);
    ExpectRejected(longer, -8, "corrupt or ends early");
}

TEST_F(QzDecompressTool, OutputThatCannotBeWrittenFailsAndStaysAsItWas)
{
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(1000)));
    ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    for (std::string const& output : {Path("no/such/out"), Path("folder")})
    {
        qztest::ToolResult const result = Decompress(Path("in.qz"), output);
        EXPECT_EQ(result.exitCode, -4) << output;
        EXPECT_EQ(result.output, kBanner + "Error : Unable to open output file : \"" + output + "\" for writing !\n");
    }
    EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"folder", "in.qz"}));
    EXPECT_TRUE(qztest::FolderEntries(Path("folder")).empty());

    // a file its user may not write is not replaced, though its folder is
    // open to all: run as nobody when we are root, else as ourselves
    qztest::WriteFile(Path("locked"), qztest::FromString("keep me"));
    ASSERT_EQ(::chmod(Path("locked").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(Folder().c_str(), 0777), 0);
    std::string const as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    qztest::ToolResult const result =
        RunTool("/bin/sh", {"-c", as + qztest::Quote(QZ_DECOMPRESS_PROGRAM) + " " + qztest::Quote(Path("in.qz")) +
                                      " " + qztest::Quote(Path("locked"))});
    EXPECT_EQ(result.exitCode, -4) << result.output;
    EXPECT_EQ(qztest::ReadFile(Path("locked")), qztest::FromString("keep me"));
}

TEST_F(QzDecompressTool, ReplacesAnExistingOutputKeepingItsMode)
{
    Bytes const input = qztest::Runs(100000, 52);
    qztest::WriteFile(Path("in.qz"), Container(input));
    for (unsigned const mode : {0600u, 0751u})
    {
        qztest::WriteFile(Path("out"), qztest::RandomBytes(500000));
        ASSERT_EQ(::chmod(Path("out").c_str(), mode), 0);
        ASSERT_EQ(Decompress(Path("in.qz"), Path("out")).exitCode, 0);
        EXPECT_EQ(qztest::ReadFile(Path("out")), input);
        struct stat info;
        ASSERT_EQ(::stat(Path("out").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
    // a name as long as a name can be leaves room for no suffix
    std::string const longName(255, 'n');
    ASSERT_EQ(Decompress(Path("in.qz"), Path(longName)).exitCode, 0);
    EXPECT_EQ(qztest::ReadFile(Path(longName)), input);
    EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"in.qz", longName, "out"}));
}

TEST_F(QzDecompressTool, DevicesFifosAndLinksAreWrittenThroughNotReplaced)
{
    Bytes const input = qztest::Text(300000, 53);
    qztest::WriteFile(Path("in.qz"), Container(input));

    // a null device of our own where we may make one: a tool that replaced
    // devices would otherwise break the machine's /dev/null for everyone
    bool const ownDevice = ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    std::string const device = ownDevice ? Path("null") : "/dev/null";
    ASSERT_EQ(Decompress(Path("in.qz"), device).exitCode, 0);
    struct stat info;
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    std::remove(Path("null").c_str());

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    std::thread reader([&] { EXPECT_EQ(qztest::ReadFile(Path("fifo")), input); });
    EXPECT_EQ(Decompress(Path("in.qz"), Path("fifo")).exitCode, 0);
    reader.join();
    ASSERT_EQ(::lstat(Path("fifo").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // a link is followed to its file, relative to the link's folder
    ASSERT_EQ(::mkdir(Path("real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real/target", Path("link").c_str()), 0);
    ASSERT_EQ(Decompress(Path("in.qz"), Path("link")).exitCode, 0);
    ASSERT_EQ(::lstat(Path("link").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(qztest::ReadFile(Path("real/target")), input);
    ASSERT_EQ(Decompress(Path("in.qz"), Path("link")).exitCode, 0); // and now replaces it
    EXPECT_EQ(qztest::FolderEntries(Path("real")), std::vector<std::string>{"target"});
}

namespace {

// A container of `size` zero bytes, built fast by xz (with an end marker,
// which the reader takes like any other stream).
Bytes ZerosContainer(std::string const& folder, long size)
{
    std::string const lzma = folder + "/zeros.lzma";
    std::string const command = "head -c " + std::to_string(size) + " /dev/zero | " + QZ_XZ_PROGRAM +
                                " --format=lzma --lzma1=preset=1,dict=1MiB,lc=3,lp=0,pb=2 -c > " + qztest::Quote(lzma);
    EXPECT_EQ(std::system(command.c_str()), 0);
    Bytes const stream = qztest::ReadFile(lzma);
    std::remove(lzma.c_str());
    Bytes container = qztest::FromString("QZCOMPRESSED");
    for (int i = 0; i < 4; ++i)
        container.push_back(char(size >> (8 * i)));
    container.insert(container.end(), 16, 0);
    container.insert(container.end(), stream.begin(), stream.begin() + 5);
    container.insert(container.end(), stream.begin() + 13, stream.end());
    return container;
}

pid_t Spawn(std::string const& program, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits, for up to ten seconds, until `ready` holds or the process has ended.
template <typename Ready>
bool WaitWhileRunning(pid_t pid, Ready ready)
{
    for (int poll = 0; poll < 20000; ++poll)
    {
        if (ready())
            return true;
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return false;
}

bool WritesAnUnnamedFile(pid_t pid)
{
    for (std::string const& fd : qztest::FolderEntries("/proc/" + std::to_string(pid) + "/fd"))
    {
        char target[4096] = {};
        std::string const link = "/proc/" + std::to_string(pid) + "/fd/" + fd;
        if (::readlink(link.c_str(), target, sizeof target - 1) > 0 && std::string(target).find("(deleted)") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

TEST_F(QzDecompressTool, KilledMidWayLeavesNoLitter)
{
    qztest::WriteFile(Path("in.qz"), ZerosContainer(Folder(), 256L << 20));
    qztest::WriteFile(Path("out"), qztest::FromString("old"));
    for (std::string const output : {"new", "out"})
    {
        // the output is an unnamed file until it is whole: even SIGKILL
        // leaves nothing behind
        pid_t const pid = Spawn(QZ_DECOMPRESS_PROGRAM, {Path("in.qz"), Path(output)});
        ASSERT_TRUE(WaitWhileRunning(pid, [&] { return WritesAnUnnamedFile(pid); }));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"in.qz", "out"}));
        EXPECT_EQ(qztest::ReadFile(Path("out")), qztest::FromString("old"));
    }

    // where the file system has no unnamed files, the short-lived name is
    // removed when the tool is interrupted
    for (int const signal : {SIGINT, SIGTERM})
    {
        pid_t const pid = Spawn(QZ_DECOMPRESS_NAMED_PROGRAM, {Path("in.qz"), Path("out")});
        ASSERT_TRUE(WaitWhileRunning(pid, [&] { return qztest::FolderEntries(Folder()).size() == 3; }));
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"in.qz", "out"}));
        EXPECT_EQ(qztest::ReadFile(Path("out")), qztest::FromString("old"));
    }
    // and a run that completes puts the whole file in place
    ASSERT_EQ(RunTool(QZ_DECOMPRESS_NAMED_PROGRAM, {Path("in.qz"), Path("out")}).exitCode, 0);
    struct stat info;
    ASSERT_EQ(::stat(Path("out").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 256L << 20);
    EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"in.qz", "out"}));
}

TEST_F(QzDecompressTool, RunsAcrossPieceBoundariesComeBackWhole)
{
    // the stream ends in a match that a 1 MiB piece cuts in two
    for (long const size : {(1L << 20) + 1, (2L << 20) + 3})
    {
        Bytes input = qztest::Text(3000, 54);
        input.resize(std::size_t(size), 0);
        qztest::WriteFile(Path("in.qz"), Container(input));
        qztest::ToolResult const result = Decompress(Path("in.qz"), Path("out"));
        ASSERT_EQ(result.exitCode, 0) << result.output;
        EXPECT_EQ(qztest::ReadFile(Path("out")), input);
    }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(QzDecompressTool, ADecoderWithoutMemoryIsAnErrorNotCorruptData)
{
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(20000, 55)));
    qztest::ToolResult const result = qztest::ResultJustBelowTheMemoryItNeeds(
        qztest::Quote(QZ_DECOMPRESS_PROGRAM) + " " + qztest::Quote(Path("in.qz")) + " " + qztest::Quote(Path("out")));
    EXPECT_EQ(result.exitCode, -7) << result.output;
    EXPECT_EQ(result.output.rfind(kBanner + "Error : Unable to allocate ", 0), 0u) << result.output;
}
#endif
