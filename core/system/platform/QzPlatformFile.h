// QzPlatformFile.h: the write-only files of the log over the operating
// system's descriptors (internal, never installed).
#ifndef QZCORE_SYSTEM_PLATFORM_QZPLATFORMFILE_H
#define QZCORE_SYSTEM_PLATFORM_QZPLATFORMFILE_H

#include <cstddef>

namespace qzplatform {

// A file handle is a descriptor; this value means "not open".
constexpr int kInvalidFile = -1;

// The folder separator of this platform's paths.
constexpr char kPathSeparator = '/';

// Creates one directory (mode 0755); an existing one is not an error.
bool MakeDirectory(char const* path);

// Opens for writing, creating or truncating the file (mode 0644);
// kInvalidFile on failure.
int CreateFileForWriting(char const* path);

// One write call; the caller does not look at the result.
void WriteFile(int file, char const* data, std::size_t size);

void CloseFile(int file);

} // namespace qzplatform

#endif // QZCORE_SYSTEM_PLATFORM_QZPLATFORMFILE_H
