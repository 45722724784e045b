// QzCompress run as a real process: its lines and exit codes, the files it
// touches and does not touch, the container it writes, and round trips
// through QzDecompress and through xz.
#include <gtest/gtest.h>

#include "QzContainer.h"
#include "QzToolRunner.h"

using qztest::Bytes;
using qztest::Quote;
using QzCompressTool = qztest::ToolTest;

std::string const kBanner = "QzCompress v0.1\n\n";

TEST_F(QzCompressTool, FailuresBeforeTheOutputIsOpenedTouchNothing)
{
    qztest::WriteFile(Path("in.bin"), qztest::Text(1000));
    ::mkdir(Path("folder").c_str(), 0755);
    // a sparse file: its length is all that is looked at
    ASSERT_EQ(std::system(("truncate -s 1610612637 " + Quote(Path("huge.bin"))).c_str()), 0);
    std::string const usage = "Usage : QzCompress.exe input_file output_file\n", out = Path("out.qz"), lost = Path("no/such/out.qz");
    std::tuple<std::vector<std::string>, int, std::string> const cases[] = {
        {{}, -1, usage}, {{out}, -1, usage}, {{Path("in.bin"), out, Path("third.qz")}, -1, usage},
        {{Path("missing.bin"), out}, -2, "Error : Unable to open input file : \"" + Path("missing.bin") + "\"\n"},
        {{Path("folder"), out}, -3, "Error : Unable to find the length of input file : \"" + Path("folder") + "\"\n"},
        {{Path("huge.bin"), out}, -6, "Error : Input file : \"" + Path("huge.bin") +
                                          "\" is too large (1610612637 bytes, at most 1610612636)\n"},
        {{Path("in.bin"), lost}, -4, "Error : Unable to open output file : \"" + lost + "\" for writing !\n"},
    };
    for (auto const& [arguments, code, message] : cases)
        EXPECT_EQ(Compress(arguments), (qztest::ToolResult{code, kBanner + message}));
    EXPECT_EQ(Decompress({Path("folder"), out}).output, "QzDecompress v0.1\n\n" + std::get<2>(cases[4]));
    EXPECT_EQ(qztest::Entries(Folder()), (std::set<std::string>{"folder", "huge.bin", "in.bin"}));

    // a full disk: a small container fails only at the close, a large one at its write
    std::string const full = Device("full", 7);
    for (Bytes const& input : {qztest::Text(100), qztest::RandomBytes(100000)})
    {
        qztest::WriteFile(Path("in.bin"), input);
        auto const [code, text] = Compress({Path("in.bin"), full});
        EXPECT_TRUE(code == -5 && text.rfind(kBanner + "Error : Unable to write ", 0) == 0 &&
                    text.find("to output file : \"" + full + "\"\n") != std::string::npos) << code << " " << text;
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
        ASSERT_EQ(Compress({Path("in.bin"), Path("in.qz")}), (qztest::ToolResult{0, kBanner}));
        ASSERT_EQ(Decompress({Path("in.qz"), Path("out.bin")}), (qztest::ToolResult{0, "QzDecompress v0.1\n\n"}));
        EXPECT_EQ(qztest::ReadFile(Path("out.bin")), input) << "input of " << input.size() << " bytes";

        // the header: magic, size, sixteen zeros, the fixed properties
        Bytes const container = qztest::ReadFile(Path("in.qz"));
        std::string const c(container.begin(), container.end());
        ASSERT_GT(c.size(), 37u);
        EXPECT_LE(c.size(), 32u + 133u + input.size() + input.size() / 3);
        EXPECT_EQ(c.substr(0, 12), "QZCOMPRESSED");
        EXPECT_EQ(qzcontainer::ReadSize(reinterpret_cast<unsigned char const*>(c.data())), input.size());
        EXPECT_EQ(c.substr(16, 21), std::string(16, '\0') + std::string("\x5D\0\0\x10\0", 5));
        // xz reads .lzma: the five properties, the 64-bit size, the stream
        qztest::WriteFile(Path("in.lzma"), qztest::FromString(c.substr(32, 5) + c.substr(12, 4) + std::string(4, '\0') + c.substr(37)));
        EXPECT_EQ(qztest::FromString(qztest::RunTool(QZ_XZ_PROGRAM " --format=lzma -dc", {Path("in.lzma")}).output), input);
    }

    // standard output as the output: the banner leaves stdout before the
    // container is written there
    EXPECT_EQ(qztest::RunTool(Quote(QZ_COMPRESS_PROGRAM) + " " + Quote(Path("in.bin")) + " /dev/stdout > " + Quote(Path("out.qz"))).exitCode, 0);
    EXPECT_EQ(qztest::ReadFile(Path("out.qz")), qztest::ReadFile(Path("in.qz")));
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(QzCompressTool, MemoryThatCannotBeHadIsAnErrorOfItsOwnInBothTools)
{
    // the input and output buffers are small: the limit that first fails is
    // the encoder's, whose tables and thread need several megabytes
    qztest::WriteFile(Path("in.bin"), qztest::Text(100000, 16));
    EXPECT_EQ(qztest::ResultJustBelowTheMemoryItNeeds(QZ_COMPRESS_PROGRAM, {Path("in.bin"), Path("out.qz")}),
              (qztest::ToolResult{-8, kBanner + "Error : Unable to compress 100000 bytes from input file : \"" + Path("in.bin") + "\"\n"}));
    // the decoder's: an error of its own, not corrupt data
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(20000, 55)));
    auto const [code, text] = qztest::ResultJustBelowTheMemoryItNeeds(QZ_DECOMPRESS_PROGRAM, {Path("in.qz"), Path("out")});
    EXPECT_TRUE(code == -7 && text.rfind("QzDecompress v0.1\n\nError : Unable to allocate ", 0) == 0) << code << " " << text;

    // 200 MB of address space: the 300 MB input buffer cannot be had
    ASSERT_EQ(std::system(("truncate -s 300000000 " + Quote(Path("big.bin"))).c_str()), 0);
    EXPECT_EQ(qztest::RunTool("ulimit -v 200000; " + Quote(QZ_COMPRESS_PROGRAM), {Path("big.bin"), Path("big.qz")}),
              (qztest::ToolResult{-7, kBanner + "Error : Unable to allocate 300000000 bytes for input file : \"" + Path("big.bin") + "\"\n"}));
    EXPECT_FALSE(std::filesystem::exists(Path("big.qz")));
}
#endif
