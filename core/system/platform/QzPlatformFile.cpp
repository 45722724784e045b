// QzPlatformFile.cpp: log files over POSIX descriptors.
#include "system/platform/QzPlatformFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qzplatform {

bool MakeDirectory(char const* path)
{
    return ::mkdir(path, 0755) == 0 || errno == EEXIST;
}

int CreateFileForWriting(char const* path)
{
    int const file = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return file < 0 ? kInvalidFile : file;
}

void WriteFile(int file, char const* data, std::size_t size)
{
    // a short or failed write is dropped, as the log never reports failures
    ssize_t const written = ::write(file, data, size);
    (void)written;
}

void CloseFile(int file)
{
    ::close(file);
}

} // namespace qzplatform
