// QzRaiseAfterCreate.cpp: preloaded into a tool under test, raises signal
// QZ_RAISE_SIGNAL right after the tool's openat creates a file (named or
// unnamed) or its linkat succeeds, as QZ_RAISE_AFTER says: a kill at the
// worst moment, every time.
#undef _FORTIFY_SOURCE // the wrappers it adds would clash with ours
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// Passes `result` on, once the signal is raised if it is a success of `call`.
int RaiseAfter(char const* call, int result)
{
    char const* const after = std::getenv("QZ_RAISE_AFTER"); // set together with QZ_RAISE_SIGNAL
    if (result >= 0 && after != nullptr && std::strcmp(after, call) == 0)
        ::raise(std::atoi(std::getenv("QZ_RAISE_SIGNAL")));
    return result;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int openat(int folder, char const* path, int flags, ...)
{
    bool const creates = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    va_list arguments;
    va_start(arguments, flags);
    mode_t const mode = creates ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    using Openat = int (*)(int, char const*, int, ...);
    int const fd = reinterpret_cast<Openat>(::dlsym(RTLD_NEXT, "openat"))(folder, path, flags, mode);
    return creates ? RaiseAfter("openat", fd) : fd;
}

extern "C" __attribute__((visibility("default"))) int linkat(int fromFolder, char const* from, int toFolder, char const* to, int flags)
{
    using Linkat = int (*)(int, char const*, int, char const*, int);
    return RaiseAfter("linkat", reinterpret_cast<Linkat>(::dlsym(RTLD_NEXT, "linkat"))(fromFolder, from, toFolder, to, flags));
}
