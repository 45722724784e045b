// QzOutputFile.h: the file QzDecompress writes, put in place only once it is
// whole. The tools' only code that speaks to the operating system directly.
#ifndef QZCORE_TOOL_QZOUTPUTFILE_H
#define QZCORE_TOOL_QZOUTPUTFILE_H

#include <string>

// A regular output (or one that does not exist yet) is written to an unnamed
// temporary file in the target's folder and linked over the target by
// Commit, so a failure or a kill leaves the target as it was and no litter
// behind. Where the file system has no unnamed files, a short random name
// stands in, removed again on SIGINT, SIGTERM, SIGHUP and SIGQUIT. A
// symbolic link is followed to the file it names. A device or FIFO is
// written in place. The replacement keeps the existing file's mode (and its
// owner, where the caller may set it); a file the caller could not write,
// or a folder, is refused.
//
// One object per output, used by the one thread of the tool.
class CQzOutputFile
{
public:
    CQzOutputFile() = default;
    CQzOutputFile(CQzOutputFile const&) = delete;
    CQzOutputFile& operator=(CQzOutputFile const&) = delete;
    // discards what was not committed
    ~CQzOutputFile();

    // false when the output cannot be written: a missing folder, a folder,
    // a file or folder without write permission
    bool Open(char const* path);
    bool Write(char const* data, int size);
    // Flushes the file to the disk and puts it in place; false when that
    // fails, and the target is then left as it was.
    bool Commit();

private:
    enum class EKind
    {
        none,
        inPlace,  // a device or FIFO, written directly
        unnamed,  // O_TMPFILE, linked into the folder by Commit
        named,    // a temporary name, renamed over the target by Commit
    };

    bool OpenTemporary(bool existed, unsigned int mode, unsigned int owner, unsigned int group);
    bool LinkIntoPlace();
    void Discard();

    EKind m_kind = EKind::none;
    int m_fd = -1;
    int m_folderFd = -1;
    bool m_existed = false;
    std::string m_folder; // the target's folder, as a path
    std::string m_name;   // the target's name within it
    std::string m_temporaryName; // of a named temporary file, in the folder
};

#endif // QZCORE_TOOL_QZOUTPUTFILE_H
