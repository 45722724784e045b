// QzHashFileFuzz.cpp: arbitrary bytes as an identifier hash file. Loading
// must end without overrun or leak whatever the fields say, and what was
// loaded must survive a save and a load into a fresh registry unchanged.
#include "identifier/QzIdentifierManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using CEntries = std::set<std::pair<std::string, unsigned long long>>;

// The loader takes a path: inputs go through files in memory when the
// system has /dev/shm, named after this process.
std::string ScratchPath(char const* what)
{
    char const* const folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/qz_hashfile_fuzz_" + std::to_string(getpid()) + "_" + what;
}

std::vector<unsigned char> ReadAll(std::string const& path)
{
    std::vector<unsigned char> bytes;
    if (std::FILE* const file = std::fopen(path.c_str(), "rb"))
    {
        unsigned char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

// A saved file must be well formed and hold exactly the count it announces.
CEntries ParseSaved(std::vector<unsigned char> const& file, bool bigEndian)
{
    std::size_t at = 0;
    auto take = [&](int size) {
        if (file.size() - at < std::size_t(size))
            std::abort();
        unsigned long long value = 0;
        for (int i = 0; i < size; ++i)
            value |= (unsigned long long)file[at + std::size_t(i)] << (8 * (bigEndian ? size - 1 - i : i));
        at += std::size_t(size);
        return value;
    };
    CEntries entries;
    for (unsigned long long count = take(4); count > 0; --count)
    {
        std::size_t const length = std::size_t(take(4));
        if (file.size() - at < length)
            std::abort();
        std::string name(file.begin() + long(at), file.begin() + long(at + length));
        at += length;
        if (!entries.emplace(std::move(name), take(8)).second)
            std::abort(); // one entry per CRC
    }
    if (at != file.size())
        std::abort();
    return entries;
}

// Removes the scratch files when the fuzzer ends normally.
struct SScratchFiles
{
    std::string input = ScratchPath("input");
    std::string saved = ScratchPath("saved");
    std::string resaved = ScratchPath("resaved");
    ~SScratchFiles()
    {
        std::remove(input.c_str());
        std::remove(saved.c_str());
        std::remove(resaved.c_str());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static SScratchFiles const scratch;
    std::string const& input = scratch.input;
    std::string const& saved = scratch.saved;
    std::string const& resaved = scratch.resaved;
    // the first byte picks the byte order, the rest is the file
    bool const bigEndian = (data[0] & 1) != 0;
    if (std::FILE* const file = std::fopen(input.c_str(), "wb"))
    {
        std::fwrite(data + 1, 1, size - 1, file);
        std::fclose(file);
    }

    CQzIdentifierManager loaded;
    loaded.CheckCrc64ForUniqueness("Position", false);
    loaded.LoadHashFile(TQzString<char>(input.c_str()), bigEndian);
    loaded.SaveHashFile(TQzString<char>(saved.c_str()), bigEndian);
    CEntries const first = ParseSaved(ReadAll(saved), bigEndian);

    CQzIdentifierManager fresh;
    fresh.LoadHashFile(TQzString<char>(saved.c_str()), bigEndian);
    for (auto const& [name, crc] : first)
    {
        char const* const text = fresh.FindNameForCrc64(crc);
        if (text == nullptr || name != text)
            std::abort();
    }
    fresh.SaveHashFile(TQzString<char>(resaved.c_str()), bigEndian);
    if (ParseSaved(ReadAll(resaved), bigEndian) != first)
        std::abort();
    return 0;
}
