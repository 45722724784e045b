// QzIdentifierHashFile.cpp: saving the registry to a hash file and loading
// one back. The loader reads files that others may have written, so every
// field is checked against what the file really holds: a damaged file
// loads the entries it holds whole and nothing else, and a length field
// never makes the loader allocate more than the file contains.
#include "identifier/QzIdentifierManager.h"

#include "identifier/internal/QzIdentifierWriter.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Names arrive in pieces of this size at most, so a buffer only grows by
// what was actually read.
constexpr std::size_t kNamePiece = 64 * 1024;

struct SFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, SFileCloser>;

// ---- integers in either byte order ----

// bytes (4 or 8) little-endian, or big-endian with swapEndian.
bool ReadInteger(std::FILE* file, int bytes, bool swapEndian, unsigned long long& value)
{
    unsigned char raw[8];
    if (std::fread(raw, 1, std::size_t(bytes), file) != std::size_t(bytes))
        return false;
    value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= (unsigned long long)raw[i] << (8 * (swapEndian ? bytes - 1 - i : i));
    return true;
}

void WriteInteger(std::FILE* file, int bytes, bool swapEndian, unsigned long long value)
{
    unsigned char raw[8];
    for (int i = 0; i < bytes; ++i)
        raw[i] = (unsigned char)(value >> (8 * (swapEndian ? bytes - 1 - i : i)));
    std::fwrite(raw, 1, std::size_t(bytes), file);
}

// ---- names ----

// Reads length name bytes into name, zero-terminated; false when the file
// ends first. Names of any length are read whole, nothing is cut.
bool ReadName(std::FILE* file, unsigned long long length, std::vector<char>& name)
{
    name.clear();
    while (name.size() < length)
    {
        std::size_t const piece = std::size_t(std::min<unsigned long long>(length - name.size(), kNamePiece));
        std::size_t const start = name.size();
        name.resize(start + piece);
        if (std::fread(name.data() + start, 1, piece, file) != piece)
            return false;
    }
    name.push_back('\0');
    return true;
}

} // namespace

// ---- the two file operations ----

void CQzIdentifierManager::LoadHashFile(TQzString<char> const& path, bool swapEndian)
{
    CFile const file(std::fopen(path.GetCString(), "rb"));
    if (file == nullptr)
        return;

    std::lock_guard<std::mutex> const turn(m_pWriter->lock);
    unsigned long long count = 0;
    if (!ReadInteger(file.get(), 4, swapEndian, count))
        return;
    // each entry takes at least 12 bytes, so the file's end bounds the loop
    // whatever the count says
    std::vector<char> name;
    for (; count > 0; --count)
    {
        unsigned long long length = 0;
        unsigned long long crc = 0;
        if (!ReadInteger(file.get(), 4, swapEndian, length) || !ReadName(file.get(), length, name) ||
            !ReadInteger(file.get(), 8, swapEndian, crc))
            return;
        // stored as read: up to the first zero byte, not lower-cased; a CRC
        // already present keeps its text
        m_table.FindOrInsert(crc, [&] { return m_pWriter->entries.New(name.data(), crc); });
    }
}

void CQzIdentifierManager::SaveHashFile(TQzString<char> const& path, bool swapEndian) const
{
    CFile const file(std::fopen(path.GetCString(), "wb"));
    if (file == nullptr)
        return;

    // one turn for the count and the walk, so the file holds what it announces
    std::lock_guard<std::mutex> const turn(m_pWriter->lock);
    WriteInteger(file.get(), 4, swapEndian, (unsigned long long)m_table.GetEntryCount());
    m_table.ForEachEntry([&](CQzIdentifierHashEntry const* entry) {
        int const length = entry->name.GetLength();
        WriteInteger(file.get(), 4, swapEndian, (unsigned long long)length);
        std::fwrite(entry->name.GetCString(), 1, std::size_t(length), file.get());
        WriteInteger(file.get(), 8, swapEndian, entry->crc64);
    });
}
