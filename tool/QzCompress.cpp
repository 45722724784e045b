// QzCompress.cpp: compresses one file into a container: a 32-byte header,
// then the LZMA properties and stream from CQzMemoryCompressor.
#include <climits>
#include <cstdio>
#include <new>

#include "QzContainer.h"
#include "QzInputFile.h"
#include "compression/QzMemoryCompressor.h"

namespace {

// Exit codes beyond the five fixed ones, for the cases those do not cover.
constexpr int kInputTooLarge = -6;
constexpr int kOutOfMemory = -7;
constexpr int kCompressionFailed = -8;

int CompressFile(char const* inputPath, char const* outputPath)
{
    char* inputBuffer = nullptr;
    long fileLength = 0;
    switch (ReadInputFile(inputPath, qzcontainer::kMaxInputSize, inputBuffer, fileLength))
    {
    case EInputFileResult::ok:
        break;
    case EInputFileResult::cannotOpen:
        std::printf("Error : Unable to open input file : \"%s\"\n", inputPath);
        return -2;
    case EInputFileResult::unknownLength:
        std::printf("Error : Unable to find the length of input file : \"%s\"\n", inputPath);
        return -3;
    case EInputFileResult::tooLarge:
        std::printf("Error : Input file : \"%s\" is too large (%ld bytes, at most %lld)\n", inputPath,
                    fileLength, qzcontainer::kMaxInputSize);
        return kInputTooLarge;
    case EInputFileResult::outOfMemory:
        std::printf("Error : Unable to allocate %ld bytes for input file : \"%s\"\n", fileLength, inputPath);
        return kOutOfMemory;
    case EInputFileResult::shortRead:
        std::printf("Error : Unable to read %d bytes from input file : \"%s\" for reading !\n",
                    int(fileLength), inputPath);
        return -3;
    }
    int const length = int(fileLength);

    CQzMemoryCompressor* compressor = new CQzMemoryCompressor();
    int const capacity = compressor->ComputeCompressionBufferSize(inputBuffer, length);
    char* outputBuffer = new (std::nothrow) char[capacity];
    if (outputBuffer == nullptr)
    {
        delete compressor;
        delete[] inputBuffer;
        std::printf("Error : Unable to allocate %d bytes for compressing input file : \"%s\"\n",
                    capacity, inputPath);
        return kOutOfMemory;
    }
    int const compressedLength = compressor->Compress(inputBuffer, length, outputBuffer, capacity);
    delete compressor;
    if (compressedLength <= 0)
    {
        delete[] outputBuffer;
        delete[] inputBuffer;
        std::printf("Error : Unable to compress %d bytes from input file : \"%s\"\n", length, inputPath);
        return kCompressionFailed;
    }

    // the output is first touched here, once compression has finished
    std::FILE* output = std::fopen(outputPath, "wb");
    if (output == nullptr)
    {
        delete[] outputBuffer;
        delete[] inputBuffer;
        std::printf("Error : Unable to open output file : \"%s\" for writing !\n", outputPath);
        return -4;
    }

    unsigned char header[qzcontainer::kHeaderSize];
    qzcontainer::WriteHeader(header, std::uint32_t(length));
    if (std::fwrite(header, 1, sizeof header, output) != sizeof header)
    {
        std::fclose(output);
        delete[] outputBuffer;
        delete[] inputBuffer;
        std::printf("Error : Unable to write %d bytes (header) to output file : \"%s\"\n",
                    qzcontainer::kHeaderSize, outputPath);
        return -5;
    }
    // stdio may hold the data until the close, so a full disk can show only there
    bool const written =
        std::fwrite(outputBuffer, 1, std::size_t(compressedLength), output) == std::size_t(compressedLength);
    bool const closed = std::fclose(output) == 0;
    delete[] outputBuffer;
    delete[] inputBuffer;
    if (!written || !closed)
    {
        std::printf("Error : Unable to write %d bytes to output file : \"%s\"\n", compressedLength,
                    outputPath);
        return -5;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::printf("QzCompress v0.1\n");
    std::printf("\n");
    // the output may be this very stream (/dev/stdout): the banner goes out
    // now, before the output is opened, not at exit over the container
    std::fflush(stdout);
    if (argc != 3)
    {
        std::printf("Usage : QzCompress.exe input_file output_file\n");
        return -1;
    }
    return CompressFile(argv[1], argv[2]);
}
