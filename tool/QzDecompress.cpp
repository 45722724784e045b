// QzDecompress.cpp: reads a container back. The output is put in place only
// once all of it has been written (see QzOutputFile.h), so a failure leaves
// the target as it was.
#include <climits>
#include <cstdio>
#include <memory>

#include "QzContainer.h"
#include "QzContainerReader.h"
#include "QzInputFile.h"
#include "QzOutputFile.h"

namespace {

constexpr int kNotAContainer = -6;
constexpr int kOutOfMemory = -7;
constexpr int kCorruptStream = -8;

// Reads the whole file; returns 0 or the exit code after printing the error.
int ReadContainer(char const* path, std::unique_ptr<char[]>& data, long& length)
{
    char* bytes = nullptr;
    EInputFileResult const result = ReadInputFile(path, INT_MAX, bytes, length);
    data.reset(bytes);
    switch (result)
    {
    case EInputFileResult::ok:
        return 0;
    case EInputFileResult::cannotOpen:
        std::printf("Error : Unable to open input file : \"%s\"\n", path);
        return -2;
    case EInputFileResult::unknownLength:
        std::printf("Error : Unable to find the length of input file : \"%s\"\n", path);
        return -3;
    case EInputFileResult::tooLarge:
        std::printf("Error : Input file : \"%s\" is not a QzCompress container (%ld bytes is too long)\n",
                    path, length);
        return kNotAContainer;
    case EInputFileResult::outOfMemory:
        std::printf("Error : Unable to allocate %ld bytes for input file : \"%s\"\n", length, path);
        return kOutOfMemory;
    case EInputFileResult::shortRead:
        break;
    }
    std::printf("Error : Unable to read %ld bytes from input file : \"%s\" for reading !\n", length, path);
    return -3;
}

// Checks the header; returns 0 or the exit code after printing the error.
int CheckHeader(char const* path, unsigned char const* data, long length)
{
    qzcontainer::SCheck const check = qzcontainer::CheckContainer(data, length);
    if (check.problem == qzcontainer::EProblem::none)
        return 0;
    std::printf("Error : Input file : \"%s\" is not a QzCompress container (", path);
    switch (check.problem)
    {
    case qzcontainer::EProblem::none:
    case qzcontainer::EProblem::tooShort:
        std::printf("%ld bytes is too short", length);
        break;
    case qzcontainer::EProblem::noMagic:
        std::printf("no \"%s\" magic", qzcontainer::kMagic);
        break;
    case qzcontainer::EProblem::reservedByteNotZero:
        std::printf("reserved byte %d is not zero", check.detail);
        break;
    case qzcontainer::EProblem::sizeTooLarge:
        std::printf("size %u is too large", unsigned(qzcontainer::ReadSize(data)));
        break;
    case qzcontainer::EProblem::otherProperties:
        std::printf("LZMA properties %02X %02X %02X %02X %02X are not 5D 00 00 10 00",
                    data[qzcontainer::kHeaderSize], data[qzcontainer::kHeaderSize + 1],
                    data[qzcontainer::kHeaderSize + 2], data[qzcontainer::kHeaderSize + 3],
                    data[qzcontainer::kHeaderSize + 4]);
        break;
    }
    std::printf(")\n");
    return kNotAContainer;
}

class COutputSink : public qzcontainer::CPieceSink
{
public:
    explicit COutputSink(CQzOutputFile& file) : m_file(file) {}
    bool Write(char const* piece, int size) override { return m_file.Write(piece, size); }

private:
    CQzOutputFile& m_file;
};

int DecompressFile(char const* inputPath, char const* outputPath)
{
    std::unique_ptr<char[]> container;
    long length = 0;
    if (int const error = ReadContainer(inputPath, container, length))
        return error;
    unsigned char const* bytes = reinterpret_cast<unsigned char const*>(container.get());
    if (int const error = CheckHeader(inputPath, bytes, length))
        return error;
    int const size = int(qzcontainer::ReadSize(bytes));

    CQzOutputFile output;
    if (!output.Open(outputPath))
    {
        std::printf("Error : Unable to open output file : \"%s\" for writing !\n", outputPath);
        return -4;
    }
    COutputSink sink(output);
    int produced = 0;
    switch (qzcontainer::DecodeContainer(bytes, length, sink, produced))
    {
    case qzcontainer::EDecodeResult::ok:
        break;
    case qzcontainer::EDecodeResult::outOfMemory:
        std::printf("Error : Unable to allocate memory to decode input file : \"%s\"\n", inputPath);
        return kOutOfMemory;
    case qzcontainer::EDecodeResult::corrupt:
        std::printf("Error : Compressed data in \"%s\" is corrupt or ends early (%d of %d bytes decoded)\n",
                    inputPath, produced, size);
        return kCorruptStream;
    case qzcontainer::EDecodeResult::writeFailed:
        std::printf("Error : Unable to write %d bytes to output file : \"%s\"\n", size, outputPath);
        return -5;
    }
    if (!output.Commit())
    {
        std::printf("Error : Unable to write %d bytes to output file : \"%s\"\n", size, outputPath);
        return -5;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::printf("QzDecompress v0.1\n");
    std::printf("\n");
    // the output may be this very stream (/dev/stdout): the banner goes out
    // before any of the data does
    std::fflush(stdout);
    if (argc != 3)
    {
        std::printf("Usage : QzDecompress input_file output_file\n");
        return -1;
    }
    return DecompressFile(argv[1], argv[2]);
}
