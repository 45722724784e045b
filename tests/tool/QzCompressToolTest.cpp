// QzCompress run as a real process: its lines and exit codes, the files it
// touches and does not touch, the container it writes, and round trips
// through QzDecompress and through xz.
#include <gtest/gtest.h>

#include "QzContainer.h"
#include "QzTestData.h"
#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Exists;
using qztest::RunTool;

namespace {

std::string const kBanner = "QzCompress v0.1\n\n";

class QzCompressTool : public qztest::ToolTest
{
};

} // namespace

TEST_F(QzCompressTool, WrongArgumentCountPrintsUsageAndTouchesNothing)
{
    std::string const usage = kBanner + "Usage : QzCompress.exe input_file output_file\n";
    std::string const input = Path("in.txt");
    qztest::WriteFile(input, qztest::Text(100));

    for (std::vector<std::string> const& arguments :
         {std::vector<std::string>{}, {Path("only.qz")}, {input, Path("out.qz"), Path("third.qz")}})
    {
        qztest::ToolResult const result = RunTool(QZ_COMPRESS_PROGRAM, arguments);
        EXPECT_EQ(result.exitCode, -1);
        EXPECT_EQ(result.output, usage);
    }
    EXPECT_EQ(qztest::FolderEntries(Folder()), std::vector<std::string>{"in.txt"});
}

TEST_F(QzCompressTool, MissingInputFailsBeforeTheOutputIsCreated)
{
    qztest::ToolResult const result = Compress(Path("missing.bin"), Path("out.qz"));
    EXPECT_EQ(result.exitCode, -2);
    EXPECT_EQ(result.output, kBanner + "Error : Unable to open input file : \"" + Path("missing.bin") + "\"\n");
    EXPECT_FALSE(Exists(Path("out.qz")));
}

TEST_F(QzCompressTool, OutputInAMissingFolderFailsAndCreatesNothing)
{
    qztest::WriteFile(Path("in.bin"), qztest::Mixed(200000));
    std::string const output = Path("no/such/folder/out.qz");
    qztest::ToolResult const result = Compress(Path("in.bin"), output);
    EXPECT_EQ(result.exitCode, -4);
    EXPECT_EQ(result.output, kBanner + "Error : Unable to open output file : \"" + output + "\" for writing !\n");
    EXPECT_FALSE(Exists(Path("no")));
}

TEST_F(QzCompressTool, InputThatIsNotARegularFileIsAReadError)
{
    ::mkdir(Path("folder").c_str(), 0755);
    qztest::ToolResult const result = Compress(Path("folder"), Path("out.qz"));
    EXPECT_EQ(result.exitCode, -3);
    EXPECT_EQ(result.output, kBanner + "Error : Unable to find the length of input file : \"" + Path("folder") + "\"\n");
    EXPECT_FALSE(Exists(Path("out.qz")));

    qztest::ToolResult const decompress = Decompress(Path("folder"), Path("out"));
    EXPECT_EQ(decompress.exitCode, -3) << decompress.output;
    EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(QzCompressTool, WriteErrorsOnAFullDiskAreReportedEvenWhenOnlyTheCloseSeesThem)
{
    if (!Exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this machine";
    // small: everything fits stdio's buffer and fails at the close;
    // large: the data write itself fails
    for (Bytes const& input : {qztest::Text(100), qztest::RandomBytes(300000)})
    {
        qztest::WriteFile(Path("in.bin"), input);
        qztest::ToolResult const result = Compress(Path("in.bin"), "/dev/full");
        EXPECT_EQ(result.exitCode, -5) << result.output;
        EXPECT_EQ(result.output.rfind(kBanner + "Error : Unable to write ", 0), 0u) << result.output;
        EXPECT_NE(result.output.find("to output file : \"/dev/full\"\n"), std::string::npos) << result.output;
    }
}

TEST_F(QzCompressTool, EmptyInputGivesAContainerOfSizeZero)
{
    qztest::WriteFile(Path("empty"), Bytes());
    qztest::ToolResult const result = Compress(Path("empty"), Path("empty.qz"));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, kBanner);
    Bytes const container = qztest::ReadFile(Path("empty.qz"));
    ASSERT_GT(container.size(), 37u);
    EXPECT_LE(container.size(), 32u + 133u);
    EXPECT_EQ(qzcontainer::ReadSize(reinterpret_cast<unsigned char const*>(container.data())), 0u);
}

TEST_F(QzCompressTool, HeaderHoldsMagicSizeZerosAndProperties)
{
    Bytes const container = Container(qztest::Mixed(123457, 12));
    ASSERT_GT(container.size(), 37u);
    EXPECT_EQ(std::string(container.data(), 12), "QZCOMPRESSED");
    EXPECT_EQ(Bytes(container.begin() + 12, container.begin() + 16), (Bytes{0x41, (char)0xE2, 0x01, 0x00}));
    EXPECT_EQ(Bytes(container.begin() + 16, container.begin() + 32), Bytes(16, 0));
    EXPECT_EQ(Bytes(container.begin() + 32, container.begin() + 37), (Bytes{0x5D, 0x00, 0x00, 0x10, 0x00}));
}

TEST_F(QzCompressTool, AnExistingOutputIsTruncated)
{
    qztest::WriteFile(Path("out.qz"), qztest::RandomBytes(1 << 20));
    qztest::WriteFile(Path("in.txt"), qztest::FromString("short"));
    ASSERT_EQ(Compress(Path("in.txt"), Path("out.qz")).exitCode, 0);
    Bytes const container = qztest::ReadFile(Path("out.qz"));
    EXPECT_LT(container.size(), 100u);
    EXPECT_EQ(qzcontainer::ReadSize(reinterpret_cast<unsigned char const*>(container.data())), 5u);
}

TEST_F(QzCompressTool, RoundTripsThroughBothTools)
{
    std::vector<Bytes> const inputs = {Bytes(),           Bytes{'\x7F'},           qztest::Text(300000),
                                       qztest::RandomBytes(200000), qztest::Runs(500000),
                                       qztest::Mixed(5300000, 13)};
    for (Bytes const& input : inputs)
    {
        qztest::WriteFile(Path("in.bin"), input);
        qztest::ToolResult const compressed = Compress(Path("in.bin"), Path("in.qz"));
        ASSERT_EQ(compressed.exitCode, 0) << compressed.output;
        qztest::ToolResult const decompressed = Decompress(Path("in.qz"), Path("out.bin"));
        ASSERT_EQ(decompressed.exitCode, 0) << decompressed.output;
        EXPECT_EQ(decompressed.output, "QzDecompress v0.1\n\n");
        EXPECT_EQ(qztest::ReadFile(Path("out.bin")), input) << "input of " << input.size() << " bytes";
    }
}

TEST_F(QzCompressTool, XzDecodesTheContainersStream)
{
    Bytes const input = qztest::Mixed(2000000, 14);
    Bytes const container = Container(input);
    ASSERT_GT(container.size(), 37u);

    // .lzma: the five properties, the 64-bit little-endian size, the stream
    Bytes lzma(container.begin() + 32, container.begin() + 37);
    lzma.insert(lzma.end(), container.begin() + 12, container.begin() + 16);
    lzma.insert(lzma.end(), 4, 0);
    lzma.insert(lzma.end(), container.begin() + 37, container.end());
    qztest::WriteFile(Path("in.lzma"), lzma);

    int const status = std::system((std::string(QZ_XZ_PROGRAM) + " --format=lzma -dc " + qztest::Quote(Path("in.lzma")) +
                                    " > " + qztest::Quote(Path("xz.out")))
                                       .c_str());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(qztest::ReadFile(Path("xz.out")), input);
}

TEST_F(QzCompressTool, InputBeyondTheLargestSizeIsRefusedBeforeReading)
{
    // a sparse file: its length is all that is looked at
    ASSERT_EQ(std::system(("truncate -s 1610612637 " + qztest::Quote(Path("huge.bin"))).c_str()), 0);
    qztest::ToolResult const result = Compress(Path("huge.bin"), Path("huge.qz"));
    EXPECT_EQ(result.exitCode, -6);
    EXPECT_EQ(result.output, kBanner + "Error : Input file : \"" + Path("huge.bin") +
                                 "\" is too large (1610612637 bytes, at most 1610612636)\n");
    EXPECT_FALSE(Exists(Path("huge.qz")));
}

TEST_F(QzCompressTool, StandardOutputAsTheOutputGetsTheWholeContainer)
{
    qztest::WriteFile(Path("in.bin"), qztest::Text(5000, 15));
    Bytes const expected = Container(qztest::Text(5000, 15));
    // the banner must leave stdout before the container is written there
    qztest::ToolResult const result = RunTool(
        "/bin/sh", {"-c", qztest::Quote(QZ_COMPRESS_PROGRAM) + " " + qztest::Quote(Path("in.bin")) +
                              " /dev/stdout > " + qztest::Quote(Path("out.qz"))});
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(qztest::ReadFile(Path("out.qz")), expected);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(QzCompressTool, AnEncoderWithoutMemoryIsAnErrorOfItsOwn)
{
    qztest::WriteFile(Path("in.bin"), qztest::Text(100000, 16));
    // the input and output buffers are small: the limit that first fails is
    // the encoder's, whose tables and thread need several megabytes
    qztest::ToolResult const result = qztest::ResultJustBelowTheMemoryItNeeds(
        qztest::Quote(QZ_COMPRESS_PROGRAM) + " " + qztest::Quote(Path("in.bin")) + " " + qztest::Quote(Path("out.qz")));
    EXPECT_EQ(result.exitCode, -8) << result.output;
    EXPECT_EQ(result.output, kBanner + "Error : Unable to compress 100000 bytes from input file : \"" +
                                 Path("in.bin") + "\"\n");
}

TEST_F(QzCompressTool, MemoryThatCannotBeHadIsAnErrorNotACrash)
{
    ASSERT_EQ(std::system(("truncate -s 300000000 " + qztest::Quote(Path("big.bin"))).c_str()), 0);
    // 200 MB of address space: the 300 MB input buffer cannot be had
    std::string const command = "ulimit -v 200000; " + qztest::Quote(QZ_COMPRESS_PROGRAM) + " " +
                                qztest::Quote(Path("big.bin")) + " " + qztest::Quote(Path("big.qz"));
    qztest::ToolResult const result = RunTool("/bin/sh", {"-c", command});
    EXPECT_EQ(result.exitCode, -7) << result.output;
    EXPECT_EQ(result.output, kBanner + "Error : Unable to allocate 300000000 bytes for input file : \"" +
                                 Path("big.bin") + "\"\n");
    EXPECT_FALSE(Exists(Path("big.qz")));
}
#endif
