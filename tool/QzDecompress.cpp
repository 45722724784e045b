// QzDecompress.cpp: reads a container back. The output is written under a
// temporary name and renamed into place only once all of it is on disk, so a
// failure never leaves a half-written or short file behind.
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "QzContainer.h"
#include "QzInputFile.h"
#include "compression/QzMemoryDecompressor.h"

namespace {

constexpr int kNotAContainer = -6;
constexpr int kOutOfMemory = -7;
constexpr int kCorruptStream = -8;

// Reads the whole file; returns 0 or the exit code after printing the error.
int ReadContainer(char const* path, char*& data, long& length)
{
    switch (ReadInputFile(path, INT_MAX, data, length))
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
    if (length < qzcontainer::kHeaderSize + qzcontainer::kPropertySize)
    {
        std::printf("Error : Input file : \"%s\" is not a QzCompress container (%ld bytes is too short)\n",
                    path, length);
        return kNotAContainer;
    }
    if (std::memcmp(data, qzcontainer::kMagic, qzcontainer::kMagicSize) != 0)
    {
        std::printf("Error : Input file : \"%s\" is not a QzCompress container (no \"%s\" magic)\n", path,
                    qzcontainer::kMagic);
        return kNotAContainer;
    }
    for (int i = qzcontainer::kReservedOffset; i < qzcontainer::kHeaderSize; ++i)
    {
        if (data[i] != 0)
        {
            std::printf("Error : Input file : \"%s\" is not a QzCompress container (reserved byte %d is not zero)\n",
                        path, i);
            return kNotAContainer;
        }
    }
    if (qzcontainer::ReadSize(data) > qzcontainer::kMaxInputSize)
    {
        std::printf("Error : Input file : \"%s\" is not a QzCompress container (size %u is too large)\n",
                    path, unsigned(qzcontainer::ReadSize(data)));
        return kNotAContainer;
    }
    return 0;
}

// The output under construction: a fresh file beside the final path, renamed
// into place only once all of it is on disk.
class CTemporaryOutput
{
public:
    explicit CTemporaryOutput(char const* path) : m_path(path), m_file(nullptr)
    {
        // "x": never clobber a file that happens to carry the temporary name
        for (int attempt = 0; attempt < 100 && m_file == nullptr; ++attempt)
        {
            m_temporary = m_path + ".qztmp" + std::to_string(attempt);
            m_file = std::fopen(m_temporary.c_str(), "wbx");
        }
    }
    CTemporaryOutput(CTemporaryOutput const&) = delete;
    CTemporaryOutput& operator=(CTemporaryOutput const&) = delete;
    ~CTemporaryOutput() { Discard(); }

    bool IsOpen() const { return m_file != nullptr; }
    bool Write(char const* data, int size)
    {
        return std::fwrite(data, 1, std::size_t(size), m_file) == std::size_t(size);
    }

    // Closes the file (where a full disk may show first) and renames it.
    bool Commit()
    {
        bool const closed = std::fclose(m_file) == 0;
        m_file = nullptr;
        if (closed && std::rename(m_temporary.c_str(), m_path.c_str()) == 0)
        {
            m_temporary.clear();
            return true;
        }
        Discard();
        return false;
    }

    void Discard()
    {
        if (m_file != nullptr)
            std::fclose(m_file);
        m_file = nullptr;
        if (!m_temporary.empty())
            std::remove(m_temporary.c_str());
        m_temporary.clear();
    }

private:
    std::string m_path;
    std::string m_temporary;
    std::FILE* m_file;
};

// Decoded in pieces straight to the file: no buffer of the whole output.
constexpr int kPieceSize = 1 << 20;

int DecompressFile(char const* inputPath, char const* outputPath)
{
    char* container = nullptr;
    long length = 0;
    if (int const error = ReadContainer(inputPath, container, length))
        return error;
    unsigned char const* bytes = reinterpret_cast<unsigned char const*>(container);
    if (int const error = CheckHeader(inputPath, bytes, length))
    {
        delete[] container;
        return error;
    }
    int const size = int(qzcontainer::ReadSize(bytes));

    CTemporaryOutput output(outputPath);
    if (!output.IsOpen())
    {
        delete[] container;
        std::printf("Error : Unable to open output file : \"%s\" for writing !\n", outputPath);
        return -4;
    }
    char* piece = new (std::nothrow) char[kPieceSize];
    if (piece == nullptr)
    {
        delete[] container;
        std::printf("Error : Unable to allocate %d bytes for output file : \"%s\"\n", kPieceSize, outputPath);
        return kOutOfMemory;
    }

    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(container + qzcontainer::kHeaderSize, int(length) - qzcontainer::kHeaderSize);
    int produced = 0;
    bool written = true;
    while (produced < size && written)
    {
        int const wanted = size - produced < kPieceSize ? size - produced : kPieceSize;
        int const got = decompressor.DecompressOutputBytes(piece, wanted);
        written = output.Write(piece, got);
        produced += got;
        if (got < wanted)
            break;
    }
    decompressor.Release();
    delete[] piece;
    delete[] container;

    if (written && produced != size)
    {
        std::printf("Error : Compressed data in \"%s\" is corrupt or ends early (%d of %d bytes decoded)\n",
                    inputPath, produced, size);
        return kCorruptStream;
    }
    if (!written || !output.Commit())
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
    if (argc != 3)
    {
        std::printf("Usage : QzDecompress input_file output_file\n");
        return -1;
    }
    return DecompressFile(argv[1], argv[2]);
}
