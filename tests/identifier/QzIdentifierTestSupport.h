// QzIdentifierTestSupport.h: what the identifier tests check against: a
// bit-at-a-time case-folding CRC-64, hash files built byte by byte, and a
// scratch directory.
#ifndef QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H
#define QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qztest {

// The 64-bit CRC one bit at a time: reflected polynomial 0x95AC9329AC4BC9B5,
// 'A' to 'Z' read as lower case, no final inversion.
inline unsigned long long ReferenceCrc64(std::string const& text, unsigned long long reg = ~0ull)
{
    for (unsigned char c : text)
    {
        reg ^= (c >= 'A' && c <= 'Z') ? c + 32u : c;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1) != 0 ? (reg >> 1) ^ 0x95AC9329AC4BC9B5ull : reg >> 1;
    }
    return reg;
}

inline std::string AsciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return text;
}

using Bytes = std::vector<unsigned char>;

// An integer of size bytes, little-endian or big-endian.
inline void PutInteger(Bytes& out, unsigned long long value, int size, bool bigEndian)
{
    for (int i = 0; i < size; ++i)
        out.push_back((unsigned char)(value >> (8 * (bigEndian ? size - 1 - i : i))));
}

// One entry of a hash file: length, name bytes, CRC.
inline void PutEntry(Bytes& out, std::string const& name, unsigned long long crc, bool bigEndian)
{
    PutInteger(out, name.size(), 4, bigEndian);
    out.insert(out.end(), name.begin(), name.end());
    PutInteger(out, crc, 8, bigEndian);
}

// The (name, CRC) entries of a well-formed hash file, in file order.
inline std::vector<std::pair<std::string, unsigned long long>> ParseHashFile(Bytes const& file, bool bigEndian)
{
    std::size_t at = 0;
    auto take = [&](int size) {
        unsigned long long value = 0;
        for (int i = 0; i < size; ++i)
            value |= (unsigned long long)file.at(at + i) << (8 * (bigEndian ? size - 1 - i : i));
        at += std::size_t(size);
        return value;
    };
    std::vector<std::pair<std::string, unsigned long long>> entries;
    for (unsigned long long count = take(4); count > 0; --count)
    {
        std::size_t const length = std::size_t(take(4));
        std::string name(file.begin() + long(at), file.begin() + long(at + length));
        at += length;
        entries.emplace_back(std::move(name), take(8));
    }
    return file.size() == at ? entries : decltype(entries){};
}

inline Bytes ReadBytes(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(std::filesystem::path const& path, Bytes const& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), long(bytes.size()));
}

// A fresh directory for one test, removed with it.
class CScratchDirectory
{
public:
    CScratchDirectory()
        : m_path(std::filesystem::temp_directory_path() /
                 ("qz_identifier_" + std::to_string(::getpid()) + "_" + std::to_string(ms_next++)))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~CScratchDirectory() { std::filesystem::remove_all(m_path); }

    std::string File(std::string const& name) const { return (m_path / name).string(); }

private:
    static inline int ms_next = 0;
    std::filesystem::path m_path;
};

} // namespace qztest

#endif // QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H
