// QzOutputFile.cpp: writes QzDecompress's output through an unnamed
// temporary file (O_TMPFILE, then linkat and rename) or in place, on POSIX.
#include "QzOutputFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Tests build a copy of the tool that takes the path of file systems
// without unnamed files.
#if defined(QZ_TEST_NO_UNNAMED_FILES)
constexpr bool kUnnamedFiles = false;
#else
constexpr bool kUnnamedFiles = true;
#endif

// ---- removing a named temporary file when the tool is interrupted ----

// Only async-signal-safe calls touch this from the handler. A name is
// watched only once the file exists, so an interrupt never removes a file
// that another program happened to create under the same name.
char g_temporaryPath[PATH_MAX];
volatile std::sig_atomic_t g_hasTemporary = 0;
int const kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void RemoveTemporaryAndDie(int signal)
{
    if (g_hasTemporary)
        ::unlink(g_temporaryPath);
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
}

// Holds the cleanup signals back, with their handler installed, while a
// temporary name is created and watched: an interrupt between the two then
// arrives once the handler knows the name, and removes the file.
class CCreatingTemporary
{
public:
    CCreatingTemporary()
    {
        struct sigaction handler = {};
        handler.sa_handler = RemoveTemporaryAndDie;
        sigemptyset(&handler.sa_mask);
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kCleanupSignals)
        {
            ::sigaction(signal, &handler, nullptr);
            sigaddset(&held, signal);
        }
        ::sigprocmask(SIG_BLOCK, &held, &m_previous);
    }
    ~CCreatingTemporary() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    CCreatingTemporary(CCreatingTemporary const&) = delete;
    CCreatingTemporary& operator=(CCreatingTemporary const&) = delete;

private:
    sigset_t m_previous;
};

// Called with the signals held, right after the file got its name; false
// when the path is too long to be held.
bool WatchTemporary(std::string const& path)
{
    if (path.size() >= sizeof g_temporaryPath)
        return false;
    std::memcpy(g_temporaryPath, path.c_str(), path.size() + 1);
    g_hasTemporary = 1;
    return true;
}

void ForgetTemporary() { g_hasTemporary = 0; }

// ---- paths ----

// The file a path ends at once its symbolic links are followed; the last one
// may name a file that does not exist yet.
bool FollowLinks(std::string path, std::string& target)
{
    for (int hop = 0; hop < 40; ++hop)
    {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        {
            target = path;
            return true;
        }
        char link[PATH_MAX];
        ssize_t const length = ::readlink(path.c_str(), link, sizeof link - 1);
        if (length < 0)
            return false;
        link[length] = '\0';
        std::string::size_type const slash = path.rfind('/');
        if (link[0] == '/' || slash == std::string::npos)
            path = link;
        else
            path = path.substr(0, slash + 1) + link;
    }
    return false; // a loop of links
}

void SplitPath(std::string const& path, std::string& folder, std::string& name)
{
    std::string::size_type const slash = path.rfind('/');
    if (slash == std::string::npos)
    {
        folder = ".";
        name = path;
        return;
    }
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
}

// A short name nobody guesses: 249-byte outputs still get one.
std::string RandomName()
{
    static char const letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::string name = ".qz";
    for (int i = 0; i < 10; ++i)
        name += letters[device() % (sizeof letters - 1)];
    return name;
}

bool WriteAll(int fd, char const* data, std::size_t size)
{
    while (size > 0)
    {
        ssize_t const written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

} // namespace

// ---- opening ----

CQzOutputFile::~CQzOutputFile()
{
    Discard();
}

bool CQzOutputFile::Open(char const* path)
{
    std::string target;
    if (!FollowLinks(path, target))
        return false;
    struct stat info;
    m_existed = ::stat(target.c_str(), &info) == 0;
    if (!m_existed && errno != ENOENT)
        return false;
    if (m_existed && S_ISDIR(info.st_mode))
        return false;
    if (m_existed && !S_ISREG(info.st_mode))
    {
        // a device or FIFO cannot be replaced, only written
        m_fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        m_kind = m_fd >= 0 ? EKind::inPlace : EKind::none;
        return m_fd >= 0;
    }
    if (m_existed)
    {
        // the same test that opening it for writing would make, without
        // truncating it
        int const probe = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0)
            return false;
        ::close(probe);
    }

    SplitPath(target, m_folder, m_name);
    m_folderFd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0)
        return false;
    return OpenTemporary(m_existed, m_existed ? info.st_mode & 07777 : 0, m_existed ? info.st_uid : 0,
                         m_existed ? info.st_gid : 0);
}

bool CQzOutputFile::OpenTemporary(bool existed, unsigned int mode, unsigned int owner, unsigned int group)
{
    // an unnamed file can be linked in only through /proc
    if (kUnnamedFiles && ::access("/proc/self/fd", X_OK) == 0)
    {
        m_fd = ::openat(m_folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            m_kind = EKind::unnamed;
        else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return false; // the folder refuses new files
    }
    if (m_kind == EKind::none)
    {
        for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt)
        {
            m_temporaryName = RandomName();
            CCreatingTemporary const creating;
            m_fd = ::openat(m_folderFd, m_temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST)
                break;
            // a name the handler could not hold is not kept
            if (m_fd >= 0 && !WatchTemporary(m_folder + "/" + m_temporaryName))
            {
                ::unlinkat(m_folderFd, m_temporaryName.c_str(), 0);
                ::close(m_fd);
                m_fd = -1;
                break;
            }
        }
        if (m_fd < 0)
        {
            m_temporaryName.clear();
            return false;
        }
        m_kind = EKind::named;
    }
    if (existed)
    {
        // the replacement keeps what it replaces: its owner where we may set
        // it (the owner first: a change of owner may clear set-id bits), then
        // its mode
        if (::fchown(m_fd, owner, group) != 0)
            (void)::fchown(m_fd, uid_t(-1), group);
        ::fchmod(m_fd, mode);
    }
    return true;
}

// ---- writing and committing ----

bool CQzOutputFile::Write(char const* data, int size)
{
    return m_fd >= 0 && WriteAll(m_fd, data, std::size_t(size));
}

bool CQzOutputFile::Commit()
{
    if (m_fd < 0)
        return false;
    if (m_kind == EKind::inPlace)
    {
        int const fd = m_fd;
        m_fd = -1;
        m_kind = EKind::none;
        return ::close(fd) == 0;
    }
    // the data reaches the disk before the name does, so that a crash leaves
    // the old file or the new one, never an empty or partial new one
    bool const committed = ::fsync(m_fd) == 0 && LinkIntoPlace() && ::fsync(m_folderFd) == 0;
    Discard();
    return committed;
}

bool CQzOutputFile::LinkIntoPlace()
{
    if (m_kind == EKind::named)
    {
        if (::renameat(m_folderFd, m_temporaryName.c_str(), m_folderFd, m_name.c_str()) != 0)
            return false;
        ForgetTemporary();
        m_temporaryName.clear();
        return true;
    }

    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", m_fd);
    // a new output is linked straight to its name: no moment with litter
    if (!m_existed && ::linkat(AT_FDCWD, self, m_folderFd, m_name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (!m_existed && errno != EEXIST)
        return false;
    // an existing one is replaced atomically: linked under a temporary
    // name, renamed over it
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::string const name = RandomName();
        {
            CCreatingTemporary const creating;
            if (::linkat(AT_FDCWD, self, m_folderFd, name.c_str(), AT_SYMLINK_FOLLOW) != 0)
            {
                if (errno == EEXIST)
                    continue;
                return false;
            }
            WatchTemporary(m_folder + "/" + name);
        }
        bool const renamed = ::renameat(m_folderFd, name.c_str(), m_folderFd, m_name.c_str()) == 0;
        if (!renamed)
            ::unlinkat(m_folderFd, name.c_str(), 0);
        ForgetTemporary();
        return renamed;
    }
    return false;
}

void CQzOutputFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporaryName.empty())
    {
        ::unlinkat(m_folderFd, m_temporaryName.c_str(), 0);
        ForgetTemporary();
        m_temporaryName.clear();
    }
    if (m_folderFd >= 0)
        ::close(m_folderFd);
    m_folderFd = -1;
    m_kind = EKind::none;
}
