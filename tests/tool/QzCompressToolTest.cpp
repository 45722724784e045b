// QzCompress run as a real process: its lines and exit codes, the files it
// touches and does not touch, the container it writes, and round trips
// through QzDecompress and through xz.
#include <gtest/gtest.h>

#include "QzContainer.h"
#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Quote;

namespace {

std::string const kBanner = "QzCompress v0.1\n\n";

class QzCompressTool : public qztest::ToolTest
{
};

} // namespace

TEST_F(QzCompressTool, FailuresBeforeTheOutputIsOpenedTouchNothing)
{
    qztest::WriteFile(Path("in.bin"), qztest::Text(1000));
    ::mkdir(Path("folder").c_str(), 0755);
    // a sparse file: its length is all that is looked at
    ASSERT_EQ(std::system(("truncate -s 1610612637 " + Quote(Path("huge.bin"))).c_str()), 0);
    std::string const usage = "Usage : QzCompress.exe input_file output_file\n";
    std::string const out = Path("out.qz"), lost = Path("no/such/folder/out.qz");
    struct SCase
    {
        std::vector<std::string> arguments;
        int code;
        std::string message;
    } const cases[] = {
        {{}, -1, usage},
        {{out}, -1, usage},
        {{Path("in.bin"), out, Path("third.qz")}, -1, usage},
        {{Path("missing.bin"), out}, -2, "Error : Unable to open input file : \"" + Path("missing.bin") + "\"\n"},
        {{Path("folder"), out}, -3, "Error : Unable to find the length of input file : \"" + Path("folder") + "\"\n"},
        {{Path("huge.bin"), out}, -6, "Error : Input file : \"" + Path("huge.bin") +
                                          "\" is too large (1610612637 bytes, at most 1610612636)\n"},
        {{Path("in.bin"), lost}, -4, "Error : Unable to open output file : \"" + lost + "\" for writing !\n"},
    };
    for (SCase const& c : cases)
    {
        qztest::ToolResult const result = qztest::RunTool(Quote(QZ_COMPRESS_PROGRAM), c.arguments);
        EXPECT_EQ(result.exitCode, c.code) << c.message;
        EXPECT_EQ(result.output, kBanner + c.message);
    }
    EXPECT_EQ(Decompress(Path("folder"), out).output, "QzDecompress v0.1\n\n" + cases[4].message);
    EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"folder", "huge.bin", "in.bin"}));

    // a full disk: a small container fails only at the close, a large one at its write
    for (Bytes const& input : {qztest::Text(100), qztest::RandomBytes(100000)})
    {
        qztest::WriteFile(Path("in.bin"), input);
        qztest::ToolResult const result = Compress(Path("in.bin"), "/dev/full");
        EXPECT_EQ(result.exitCode, -5) << result.output;
        EXPECT_EQ(result.output.rfind(kBanner + "Error : Unable to write ", 0), 0u) << result.output;
        EXPECT_NE(result.output.find("to output file : \"/dev/full\"\n"), std::string::npos) << result.output;
    }
}

TEST_F(QzCompressTool, ContainersRoundTripThroughBothToolsAndXz)
{
    // the last two end in a match that QzDecompress's 1 MiB pieces cut in two
    std::vector<Bytes> inputs = {Bytes(), Bytes{'\x7F'}, qztest::Mixed(200000, 13), qztest::Text(3000, 54)};
    inputs.back().resize((1 << 20) + 1, 0);
    inputs.push_back(inputs.back());
    inputs.back().resize((2 << 20) + 3, 0);
    qztest::WriteFile(Path("in.qz"), qztest::RandomBytes(1 << 18)); // truncated by the first run
    for (Bytes const& input : inputs)
    {
        qztest::WriteFile(Path("in.bin"), input);
        qztest::ToolResult const compressed = Compress(Path("in.bin"), Path("in.qz"));
        ASSERT_EQ(compressed.exitCode, 0) << compressed.output;
        EXPECT_EQ(compressed.output, kBanner);
        qztest::ToolResult const decompressed = Decompress(Path("in.qz"), Path("out.bin"));
        ASSERT_EQ(decompressed.exitCode, 0) << decompressed.output;
        EXPECT_EQ(decompressed.output, "QzDecompress v0.1\n\n");
        EXPECT_EQ(qztest::ReadFile(Path("out.bin")), input) << "input of " << input.size() << " bytes";

        // the header: magic, size, sixteen zeros, the fixed properties
        Bytes const container = qztest::ReadFile(Path("in.qz"));
        ASSERT_GT(container.size(), 37u);
        EXPECT_LE(container.size(), 32u + 133u + input.size() + input.size() / 3);
        EXPECT_EQ(std::string(container.data(), 12), "QZCOMPRESSED");
        EXPECT_EQ(qzcontainer::ReadSize(reinterpret_cast<unsigned char const*>(container.data())), input.size());
        EXPECT_EQ(Bytes(container.begin() + 16, container.begin() + 32), Bytes(16, 0));
        EXPECT_EQ(Bytes(container.begin() + 32, container.begin() + 37), (Bytes{0x5D, 0x00, 0x00, 0x10, 0x00}));

        // xz reads .lzma: the five properties, the 64-bit size, the stream
        Bytes lzma(container.begin() + 32, container.begin() + 37);
        lzma.insert(lzma.end(), container.begin() + 12, container.begin() + 16);
        lzma.insert(lzma.end(), 4, 0);
        lzma.insert(lzma.end(), container.begin() + 37, container.end());
        qztest::WriteFile(Path("in.lzma"), lzma);
        std::string const xz = QZ_XZ_PROGRAM " --format=lzma -dc " + Quote(Path("in.lzma")) + " > " + Quote(Path("xz.out"));
        EXPECT_EQ(std::system(xz.c_str()), 0);
        EXPECT_EQ(qztest::ReadFile(Path("xz.out")), input);
    }

    // standard output as the output: the banner leaves stdout before the
    // container is written there
    qztest::ToolResult const result =
        qztest::RunTool(Quote(QZ_COMPRESS_PROGRAM) + " " + Quote(Path("in.bin")) + " /dev/stdout > " + Quote(Path("out.qz")));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(qztest::ReadFile(Path("out.qz")), qztest::ReadFile(Path("in.qz")));
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(QzCompressTool, MemoryThatCannotBeHadIsAnErrorOfItsOwnInBothTools)
{
    // the input and output buffers are small: the limit that first fails is
    // the encoder's, whose tables and thread need several megabytes
    qztest::WriteFile(Path("in.bin"), qztest::Text(100000, 16));
    qztest::ToolResult const result = qztest::ResultJustBelowTheMemoryItNeeds(
        Quote(QZ_COMPRESS_PROGRAM) + " " + Quote(Path("in.bin")) + " " + Quote(Path("out.qz")));
    EXPECT_EQ(result.exitCode, -8) << result.output;
    EXPECT_EQ(result.output, kBanner + "Error : Unable to compress 100000 bytes from input file : \"" +
                                 Path("in.bin") + "\"\n");
    // the decoder's: an error of its own, not corrupt data
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(20000, 55)));
    qztest::ToolResult const decoder = qztest::ResultJustBelowTheMemoryItNeeds(
        Quote(QZ_DECOMPRESS_PROGRAM) + " " + Quote(Path("in.qz")) + " " + Quote(Path("out")));
    EXPECT_EQ(decoder.exitCode, -7) << decoder.output;
    EXPECT_EQ(decoder.output.rfind("QzDecompress v0.1\n\nError : Unable to allocate ", 0), 0u) << decoder.output;

    // 200 MB of address space: the 300 MB input buffer cannot be had
    ASSERT_EQ(std::system(("truncate -s 300000000 " + Quote(Path("big.bin"))).c_str()), 0);
    qztest::ToolResult const big = qztest::RunTool("ulimit -v 200000; " + Quote(QZ_COMPRESS_PROGRAM),
                                                   {Path("big.bin"), Path("big.qz")});
    EXPECT_EQ(big.exitCode, -7) << big.output;
    EXPECT_EQ(big.output, kBanner + "Error : Unable to allocate 300000000 bytes for input file : \"" +
                              Path("big.bin") + "\"\n");
    EXPECT_FALSE(std::filesystem::exists(Path("big.qz")));
}
#endif
