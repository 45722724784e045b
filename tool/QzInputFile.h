// QzInputFile.h: reads a whole input file into memory for the tools, telling
// apart the ways that can fail so each tool can print its own line.
#ifndef QZCORE_TOOL_QZINPUTFILE_H
#define QZCORE_TOOL_QZINPUTFILE_H

#include <cstdio>
#include <new>

enum class EInputFileResult
{
    ok,
    cannotOpen,
    unknownLength, // no length, or not a file that can be read (a folder)
    tooLarge,      // longer than the caller's limit; length holds the real length
    outOfMemory,
    shortRead,     // fewer bytes than the length, or more (the file grew)
};

// On ok, data holds length bytes from new[]; the caller deletes them.
inline EInputFileResult ReadInputFile(char const* path, long maxLength, char*& data, long& length)
{
    data = nullptr;
    length = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return EInputFileResult::cannotOpen;

    // a folder opens and seeks like a file; only reading it fails
    bool const readable = !(std::fgetc(file) == EOF && std::ferror(file));
    long end = -1;
    if (readable && std::fseek(file, 0, SEEK_END) == 0)
        end = std::ftell(file);
    if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0)
    {
        std::fclose(file);
        return EInputFileResult::unknownLength;
    }
    length = end;
    if (length > maxLength)
    {
        std::fclose(file);
        return EInputFileResult::tooLarge;
    }

    data = new (std::nothrow) char[std::size_t(length)];
    if (data == nullptr)
    {
        std::fclose(file);
        return EInputFileResult::outOfMemory;
    }
    // a byte past the length means the file changed while it was read
    bool const readAll = std::fread(data, 1, std::size_t(length), file) == std::size_t(length) &&
                         std::fgetc(file) == EOF && !std::ferror(file);
    std::fclose(file);
    if (!readAll)
    {
        delete[] data;
        data = nullptr;
        return EInputFileResult::shortRead;
    }
    return EInputFileResult::ok;
}

#endif // QZCORE_TOOL_QZINPUTFILE_H
