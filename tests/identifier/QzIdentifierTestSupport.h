// QzIdentifierTestSupport.h: what the identifier tests check against: the
// bit-at-a-time case-folding CRC, hash files built byte by byte, and a
// scratch directory.
#ifndef QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H
#define QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H

#include "support/QzBitwiseCrc.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace qztest {

inline std::string AsciiLower(std::string text)
{
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
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

inline Bytes ReadBytes(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(std::string const& path, Bytes const& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), long(bytes.size()));
}

// A fresh directory for one test, removed with it.
class CScratchDirectory
{
public:
    CScratchDirectory() { std::filesystem::remove_all(m_path), std::filesystem::create_directories(m_path); }
    ~CScratchDirectory() { std::filesystem::remove_all(m_path); }

    std::string File(std::string const& name) const { return (m_path / name).string(); }

private:
    static inline int ms_next = 0;
    std::filesystem::path const m_path = std::filesystem::temp_directory_path() /
        ("qz_identifier_" + std::to_string(::getpid()) + "_" + std::to_string(ms_next++));
};

} // namespace qztest

#endif // QZCORE_TESTS_IDENTIFIER_QZIDENTIFIERTESTSUPPORT_H
