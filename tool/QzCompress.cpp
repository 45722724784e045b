// QzCompress.cpp: compresses one file into a container: a 32-byte header,
// then the LZMA properties and stream from CQzMemoryCompressor.
#include <climits>
#include <cstdio>
#include <new>

#include "QzContainer.h"
#include "compression/QzMemoryCompressor.h"

namespace {

// Exit codes beyond the five fixed ones, for the cases those do not cover.
constexpr int kInputTooLarge = -6;
constexpr int kOutOfMemory = -7;
constexpr int kCompressionFailed = -8;

int CompressFile(char const* inputPath, char const* outputPath)
{
    std::FILE* input = std::fopen(inputPath, "rb");
    if (input == nullptr)
    {
        std::printf("Error : Unable to open input file : \"%s\"\n", inputPath);
        return -2;
    }

    long fileLength = -1;
    if (std::fseek(input, 0, SEEK_END) == 0)
        fileLength = std::ftell(input);
    if (fileLength < 0 || std::fseek(input, 0, SEEK_SET) != 0)
    {
        std::fclose(input);
        std::printf("Error : Unable to find the length of input file : \"%s\"\n", inputPath);
        return -3;
    }
    if (fileLength > qzcontainer::kMaxInputSize)
    {
        std::fclose(input);
        std::printf("Error : Input file : \"%s\" is too large (%ld bytes, at most %lld)\n", inputPath,
                    fileLength, qzcontainer::kMaxInputSize);
        return kInputTooLarge;
    }
    int const length = int(fileLength);

    char* inputBuffer = new (std::nothrow) char[length];
    if (inputBuffer == nullptr)
    {
        std::fclose(input);
        std::printf("Error : Unable to allocate %d bytes for input file : \"%s\"\n", length, inputPath);
        return kOutOfMemory;
    }
    // a byte past the length means the file grew, or is no regular file
    bool const readAll = std::fread(inputBuffer, 1, std::size_t(length), input) == std::size_t(length) &&
                         std::fgetc(input) == EOF && !std::ferror(input);
    std::fclose(input);
    if (!readAll)
    {
        delete[] inputBuffer;
        std::printf("Error : Unable to read %d bytes from input file : \"%s\" for reading !\n", length,
                    inputPath);
        return -3;
    }

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
    if (argc != 3)
    {
        std::printf("Usage : QzCompress.exe input_file output_file\n");
        return -1;
    }
    return CompressFile(argv[1], argv[2]);
}
