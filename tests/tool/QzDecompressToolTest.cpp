// QzDecompress run as a real process: what is not a container, or is a
// damaged one, fails with a clear line and leaves no output behind; what it
// writes over keeps its kind, mode and place, even when the tool is killed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>

#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Quote;

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
            auto const [exitCode, text] = Decompress({Path("in.qz"), Path(output)});
            EXPECT_TRUE(exitCode == code && text.rfind(kBanner + "Error : ", 0) == 0 && text.find(message) != std::string::npos &&
                        std::count(text.begin(), text.end(), '\n') == 3) << exitCode << " " << text;
        }
        EXPECT_EQ(qztest::ReadFile(Path("existing.out")), qztest::FromString("keep me"));
        EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"existing.out", "in.qz"}));
    }
};

TEST_F(QzDecompressTool, RejectsWhatIsNotAWholeContainer)
{
    EXPECT_EQ(Decompress({Path("a")}), (qztest::ToolResult{-1, kBanner + "Usage : QzDecompress input_file output_file\n"}));
    EXPECT_EQ(Decompress({Path("missing.qz"), Path("out")}),
              (qztest::ToolResult{-2, kBanner + "Error : Unable to open input file : \"" + Path("missing.qz") + "\"\n"}));
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
    for (std::size_t at = 32; at < 37; ++at)
        changes.emplace_back(at, char(0xFF), -6, "LZMA properties " + std::string("5D 00 00 10 00").replace(3 * (at - 32), 2, "FF") +
                                                     " are not 5D 00 00 10 00)");
    auto const changed = [&](std::size_t at, char value) { Bytes bytes = valid; bytes[at] = value; return bytes; };
    for (auto const& [at, value, code, message] : changes)
        ExpectRejected(changed(at, value), code, message);
    // a stream cut short
    ExpectRejected(Bytes(valid.begin(), valid.begin() + std::ptrdiff_t(valid.size() / 2)), -8, "corrupt or ends early");
}

TEST_F(QzDecompressTool, OutputThatCannotBeWrittenFailsAndStaysAsItWas)
{
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(1000)));
    ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("loop", Path("loop").c_str()), 0);
    for (std::string const& output : {Path("no/such/out"), Path("folder"), Path("loop")})
        EXPECT_EQ(Decompress({Path("in.qz"), output}),
                  (qztest::ToolResult{-4, kBanner + "Error : Unable to open output file : \"" + output + "\" for writing !\n"}));
    EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"folder", "in.qz", "loop"}));
    EXPECT_TRUE(qztest::Entries(Path("folder")).empty());
    std::string const device = Device("full", 7);
    EXPECT_EQ(Decompress({Path("in.qz"), device}),
              (qztest::ToolResult{-5, kBanner + "Error : Unable to write 1000 bytes to output file : \"" + device + "\"\n"}));
    EXPECT_TRUE(std::filesystem::is_character_file(device));

    // a file its user may not write is not replaced, though its folder is
    // open to all: run as nobody when we are root, else as ourselves
    qztest::WriteFile(Path("locked"), qztest::FromString("keep me"));
    ASSERT_EQ(::chmod(Path("locked").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(Folder().c_str(), 0777), 0);
    std::string const as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    EXPECT_EQ(qztest::RunTool(as + Quote(QZ_DECOMPRESS_PROGRAM), {Path("in.qz"), Path("locked")}).exitCode, -4);
    EXPECT_EQ(qztest::ReadFile(Path("locked")), qztest::FromString("keep me"));
}

TEST_F(QzDecompressTool, DevicesFifosAndLinksAreWrittenThroughNotReplaced)
{
    Bytes const input = qztest::Text(60000, 53);
    qztest::WriteFile(Path("in.qz"), Container(input));

    // a device, also when it gets descriptor 0 (the tool run without standard input)
    std::string const device = Device("null", 3);
    ASSERT_EQ(qztest::RunTool(Quote(QZ_DECOMPRESS_PROGRAM) + " <&-", {Path("in.qz"), device}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_character_file(device));

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    std::thread reader([&] { EXPECT_EQ(qztest::ReadFile(Path("fifo")), input); });
    EXPECT_EQ(Decompress({Path("in.qz"), Path("fifo")}).exitCode, 0);
    reader.join();
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));

    // a link is followed to its file, relative to the link's folder
    ASSERT_EQ(::mkdir(Path("real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real/target", Path("link").c_str()), 0);
    for (int run = 0; run < 2; ++run) // creates the file, then replaces it
    {
        ASSERT_EQ(Decompress({Path("in.qz"), Path("link")}).exitCode, 0);
        EXPECT_TRUE(std::filesystem::is_symlink(Path("link")));
        EXPECT_EQ(qztest::ReadFile(Path("real/target")), input);
    }
    EXPECT_EQ(qztest::Entries(Path("real")), std::set<std::string>{"target"});
    // a chain of 39 links is followed to its end
    for (int i = 0; i < 39; ++i)
        ASSERT_EQ(::symlink((i == 38 ? std::string("real/target") : "chain" + std::to_string(i + 1)).c_str(), Path("chain" + std::to_string(i)).c_str()), 0);
    ASSERT_EQ(Decompress({Path("in.qz"), Path("chain0")}).exitCode, 0);
}

TEST_F(QzDecompressTool, PutsOnlyWholeOutputsInPlaceKeepingTheirModeAndKilledLeavesNoLitter)
{
    Bytes const input = qztest::Text(200000, 56);
    qztest::WriteFile(Path("in.qz"), Container(input));
    // QzDecompress (its output an unnamed file until whole, then linked under a temporary
    // name to replace an old one), or its copy that writes through a named temporary file,
    // with a signal raised right after its first call of that name
    struct SCase { bool named; char const* call; int signal; bool existing; } const cases[] = {
        {false, "openat", SIGKILL, false}, {false, "openat", SIGKILL, true}, {false, "linkat", SIGTERM, true},
        {true, "openat", SIGINT, false}, {true, "openat", SIGTERM, true}, {true, "openat", SIGHUP, true}};
    for (SCase const& c : cases)
    {
        std::filesystem::remove(Path("out"));
        if (c.existing)
            qztest::WriteFile(Path("out"), qztest::FromString("old"));
        std::string const raise = "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" + Quote(QZ_RAISE_AFTER_CREATE) +
                                  " QZ_RAISE_AFTER=" + c.call + " QZ_RAISE_SIGNAL=" + std::to_string(c.signal);
        EXPECT_EQ(qztest::RunTool(raise, {c.named ? QZ_DECOMPRESS_NAMED_PROGRAM : QZ_DECOMPRESS_PROGRAM, Path("in.qz"), Path("out")}).exitCode,
                  static_cast<signed char>(128 + c.signal)) << raise;
        EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"in.qz", c.existing ? "out" : "in.qz"})) << raise;
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
