// QzDecompress run as a real process: what is not a container, or is a
// damaged one, fails with a clear line and leaves no output behind; what it
// writes over keeps its kind, mode and place, even when the tool is killed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>
#include <tuple>

#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Quote;

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
        EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"existing.out", "in.qz"}));
    }
};

} // namespace

TEST_F(QzDecompressTool, RejectsWhatIsNotAWholeContainer)
{
    qztest::ToolResult const usage = qztest::RunTool(Quote(QZ_DECOMPRESS_PROGRAM), {Path("a")});
    qztest::ToolResult const missing = Decompress(Path("missing.qz"), Path("out"));
    EXPECT_EQ(usage.exitCode, -1);
    EXPECT_EQ(missing.exitCode, -2);
    EXPECT_EQ(usage.output, kBanner + "Usage : QzDecompress input_file output_file\n");
    EXPECT_EQ(missing.output, kBanner + "Error : Unable to open input file : \"" + Path("missing.qz") + "\"\n");
    EXPECT_TRUE(qztest::Entries(Folder()).empty());

    Bytes const valid = Container(qztest::Mixed(60000, 51));
    ExpectRejected(Bytes(), -6, "is not a QzCompress container");
    ExpectRejected(Bytes(valid.begin(), valid.begin() + 36), -6, "too short");
    // one byte changed: the magic, a reserved byte, the size (too large, or
    // more than the stream holds), the stream, the properties, which a
    // container carries exactly (others could make the decoder ask for gigabytes)
    std::vector<std::tuple<std::size_t, char, int, std::string>> changes = {
        {0, 'X', -6, "magic"}, {16, 1, -6, "reserved byte 16"}, {31, 1, -6, "reserved byte 31"},
        {15, char(0x80), -6, "too large"}, {12, char(valid[12] + 1), -8, "corrupt or ends early"},
        {37, 1, -8, "(0 of 60000 bytes decoded)"}}; // a stream that no decoder takes from its first byte
    for (std::size_t property = 32; property < 37; ++property)
    {
        std::string shown = "5D 00 00 10 00";
        shown.replace(3 * (property - 32), 2, "FF");
        changes.emplace_back(property, char(0xFF), -6, "LZMA properties " + shown + " are not 5D 00 00 10 00)");
    }
    for (auto const& [at, value, code, message] : changes)
    {
        Bytes damaged = valid;
        damaged[at] = value;
        ExpectRejected(damaged, code, message);
    }
    // a stream cut short
    ExpectRejected(Bytes(valid.begin(), valid.begin() + std::ptrdiff_t(valid.size() / 2)), -8, "corrupt or ends early");
}

TEST_F(QzDecompressTool, OutputThatCannotBeWrittenFailsAndStaysAsItWas)
{
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(1000)));
    ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("loop", Path("loop").c_str()), 0);
    for (std::string const& output : {Path("no/such/out"), Path("folder"), Path("loop")})
    {
        qztest::ToolResult const result = Decompress(Path("in.qz"), output);
        EXPECT_EQ(result.exitCode, -4) << output;
        EXPECT_EQ(result.output, kBanner + "Error : Unable to open output file : \"" + output + "\" for writing !\n");
    }
    EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"folder", "in.qz", "loop"}));
    EXPECT_TRUE(qztest::Entries(Path("folder")).empty());
    // a full device of our own where we may make one: a tool that replaced
    // devices would otherwise break the machine's /dev/full for everyone
    bool const ownFull = ::mknod(Path("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    std::string const device = ownFull ? Path("full") : "/dev/full";
    qztest::ToolResult const full = Decompress(Path("in.qz"), device);
    EXPECT_EQ(full.exitCode, -5);
    EXPECT_EQ(full.output, kBanner + "Error : Unable to write 1000 bytes to output file : \"" + device + "\"\n");
    EXPECT_TRUE(std::filesystem::is_character_file(device));

    // a file its user may not write is not replaced, though its folder is
    // open to all: run as nobody when we are root, else as ourselves
    qztest::WriteFile(Path("locked"), qztest::FromString("keep me"));
    ASSERT_EQ(::chmod(Path("locked").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(Folder().c_str(), 0777), 0);
    std::string const as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    qztest::ToolResult const result = qztest::RunTool(as + Quote(QZ_DECOMPRESS_PROGRAM), {Path("in.qz"), Path("locked")});
    EXPECT_EQ(result.exitCode, -4) << result.output;
    EXPECT_EQ(qztest::ReadFile(Path("locked")), qztest::FromString("keep me"));
}

TEST_F(QzDecompressTool, DevicesFifosAndLinksAreWrittenThroughNotReplaced)
{
    Bytes const input = qztest::Text(60000, 53);
    qztest::WriteFile(Path("in.qz"), Container(input));

    // a null device of our own where we may make one: a tool that replaced
    // devices would otherwise break the machine's /dev/null for everyone
    bool const ownDevice = ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    std::string const device = ownDevice ? Path("null") : "/dev/null";
    // also when the device gets descriptor 0 (the tool run without standard input)
    std::string const withoutInput = Quote(QZ_DECOMPRESS_PROGRAM) + " " + Quote(Path("in.qz")) + " " + Quote(device) + " <&-";
    ASSERT_EQ(qztest::RunTool(withoutInput).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_character_file(device));
    std::filesystem::remove(Path("null"));

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    std::thread reader([&] { EXPECT_EQ(qztest::ReadFile(Path("fifo")), input); });
    EXPECT_EQ(Decompress(Path("in.qz"), Path("fifo")).exitCode, 0);
    reader.join();
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));

    // a link is followed to its file, relative to the link's folder
    ASSERT_EQ(::mkdir(Path("real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real/target", Path("link").c_str()), 0);
    for (int run = 0; run < 2; ++run) // creates the file, then replaces it
    {
        ASSERT_EQ(Decompress(Path("in.qz"), Path("link")).exitCode, 0);
        EXPECT_TRUE(std::filesystem::is_symlink(Path("link")));
        EXPECT_EQ(qztest::ReadFile(Path("real/target")), input);
    }
    EXPECT_EQ(qztest::Entries(Path("real")), std::set<std::string>{"target"});
    // a chain of 39 links is followed to its end
    for (int i = 0; i < 39; ++i)
    {
        std::string const next = i == 38 ? "real/target" : "chain" + std::to_string(i + 1);
        ASSERT_EQ(::symlink(next.c_str(), Path("chain" + std::to_string(i)).c_str()), 0);
    }
    ASSERT_EQ(Decompress(Path("in.qz"), Path("chain0")).exitCode, 0);
}

TEST_F(QzDecompressTool, PutsOnlyWholeOutputsInPlaceKeepingTheirModeAndKilledLeavesNoLitter)
{
    Bytes const input = qztest::Text(200000, 56);
    qztest::WriteFile(Path("in.qz"), Container(input));
    // QzDecompress, or its copy that writes through a named temporary file,
    // with a signal raised right after its first call of that name
    struct SCase { bool named; char const* call; int signal; bool existing; } const cases[] = {
        {false, "openat", SIGKILL, false}, // the output is an unnamed file until it is whole
        {false, "openat", SIGKILL, true},
        {false, "linkat", SIGTERM, true}, // linked under a temporary name to replace the old one
        {true, "openat", SIGINT, false},  // a named temporary file where there are no unnamed ones
        {true, "openat", SIGTERM, true},
        {true, "openat", SIGHUP, true},
    };
    for (SCase const& c : cases)
    {
        std::filesystem::remove(Path("out"));
        if (c.existing)
            qztest::WriteFile(Path("out"), qztest::FromString("old"));
        qztest::ToolResult const result = qztest::RunTool(
            "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" + Quote(QZ_RAISE_AFTER_CREATE) + " QZ_RAISE_AFTER=" +
                c.call + " QZ_RAISE_SIGNAL=" + std::to_string(c.signal) + " " +
                Quote(c.named ? QZ_DECOMPRESS_NAMED_PROGRAM : QZ_DECOMPRESS_PROGRAM),
            {Path("in.qz"), Path("out")});
        EXPECT_EQ(result.exitCode, static_cast<signed char>(128 + c.signal)) << c.call << " " << c.signal;
        std::set<std::string> const expected = {"in.qz", c.existing ? "out" : "in.qz"};
        EXPECT_EQ(qztest::Entries(Folder()), expected) << c.call << " " << c.signal;
        EXPECT_EQ(qztest::ReadFile(Path("out")), c.existing ? qztest::FromString("old") : Bytes());
    }
    // runs that complete put the whole file in place: an existing one keeps
    // its mode, a new one gets the mode any new file gets, and a name as long
    // as a name can be leaves room for no suffix
    mode_t const mask = ::umask(0);
    ::umask(mask);
    std::string const longName(255, 'n');
    for (char const* program : {QZ_DECOMPRESS_PROGRAM, QZ_DECOMPRESS_NAMED_PROGRAM})
        for (auto const& [output, mode] : {std::pair(std::string("out"), 0600u), std::pair(std::string("out"), 0751u),
                                           std::pair(std::string("new"), 0666u & ~mask), std::pair(longName, 0666u & ~mask)})
        {
            if (output == "out") // a failed chmod shows in the mode below
                ::chmod(Path("out").c_str(), mode);
            ASSERT_EQ(qztest::RunTool(Quote(program), {Path("in.qz"), Path(output)}).exitCode, 0);
            EXPECT_EQ(qztest::ReadFile(Path(output)), input) << program << " " << output;
            EXPECT_EQ(unsigned(std::filesystem::status(Path(output)).permissions()), mode) << program << " " << output;
            if (output != "out")
                std::filesystem::remove(Path(output));
        }
    EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"in.qz", "out"}));
}
