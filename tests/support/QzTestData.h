// QzTestData.h: reproducible inputs for tests (random bytes, text, runs and
// mixtures of them, all from fixed seeds), and whole files read and written.
#ifndef QZCORE_TESTS_QZTESTDATA_H
#define QZCORE_TESTS_QZTESTDATA_H

#include <cstddef>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace qztest {

using Bytes = std::vector<char>;

inline Bytes RandomBytes(std::size_t size, unsigned seed = 1)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (char& byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

// Words drawn from a small vocabulary: compressible like real text.
inline Bytes Text(std::size_t size, unsigned seed = 2)
{
    static char const* const words[] = {"the ", "engine ", "scene ", "entity ", "camera ", "particle ", "dialog ", "undo ",
                                        "vector ", "matrix ", "\n", "compress ", "LZMA ", "0123 ", "QzCore "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size)
        for (char const* c = words[random() % (sizeof words / sizeof words[0])]; *c; ++c)
            bytes.push_back(*c);
    bytes.resize(size);
    return bytes;
}

// Long runs of one byte value each, of random lengths.
inline Bytes Runs(std::size_t size, unsigned seed = 3)
{
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size)
    {
        // two statements: arguments are evaluated in no fixed order
        std::size_t const length = 1 + random() % 5000;
        bytes.insert(bytes.end(), length, char(random() & 0xFF));
    }
    bytes.resize(size);
    return bytes;
}

// Blocks of random bytes, text and runs, in random order.
inline Bytes Mixed(std::size_t size, unsigned seed = 4)
{
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size)
    {
        std::size_t const block = 1 + random() % 65536;
        unsigned const kind = random() % 3;
        Bytes const part = kind == 0 ? RandomBytes(block, random()) : kind == 1 ? Text(block, random()) : Runs(block, random());
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    bytes.resize(size);
    return bytes;
}

inline Bytes FromString(std::string const& text) { return Bytes(text.begin(), text.end()); }

inline Bytes ReadFile(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(std::string const& path, Bytes const& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace qztest

#endif // QZCORE_TESTS_QZTESTDATA_H
