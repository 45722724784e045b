// QzDecompress run as a real process: what is not a container, or is a
// damaged one, fails with a clear line and leaves no output behind.
#include <gtest/gtest.h>

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

    Bytes badProperties = valid;
    badProperties[32] = char(0xFF);
    ExpectRejected(badProperties, -8, "corrupt or ends early");
}

TEST_F(QzDecompressTool, OutputInAMissingFolderFails)
{
    qztest::WriteFile(Path("in.qz"), Container(qztest::Text(1000)));
    qztest::ToolResult const result = Decompress(Path("in.qz"), Path("no/such/out"));
    EXPECT_EQ(result.exitCode, -4);
    EXPECT_EQ(result.output, kBanner + "Error : Unable to open output file : \"" + Path("no/such/out") + "\" for writing !\n");
    EXPECT_FALSE(Exists(Path("no")));
}

TEST_F(QzDecompressTool, ReplacesAnExistingOutputOnSuccess)
{
    Bytes const input = qztest::Runs(100000, 52);
    qztest::WriteFile(Path("in.qz"), Container(input));
    qztest::WriteFile(Path("out"), qztest::RandomBytes(500000));
    ASSERT_EQ(Decompress(Path("in.qz"), Path("out")).exitCode, 0);
    EXPECT_EQ(qztest::ReadFile(Path("out")), input);
    EXPECT_EQ(qztest::FolderEntries(Folder()), (std::vector<std::string>{"in.qz", "out"}));
}
