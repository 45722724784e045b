// QzLog.cpp: the log's module state, line formatting and the file writes.
#include "system/QzLog.h"

#include "foundation/internal/QzCLocale.h"
#include "system/internal/QzLogDebugSinkTestHook.h"
#include "system/platform/QzPlatformClock.h"
#include "system/platform/QzPlatformDebug.h"
#include "system/platform/QzPlatformFile.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// ---- fixed configuration ----

constexpr unsigned int kOutputFiles = 1;
constexpr unsigned int kOutputDebugger = 2;
constexpr unsigned int kOutputConsole = 4;
constexpr unsigned int kOutputSwitches = kOutputFiles | kOutputDebugger;
constexpr unsigned int kLevelFilter = 31;
constexpr unsigned int kTypeFilter = 0x000107FF;

constexpr int kLevelCount = 5;
constexpr char const* kLevelTags[kLevelCount] = {
    "[   INFO] ", "[PROFILE] ", "[WARNING] ", "[  ERROR] ", "[  FATAL] "};
constexpr char const* kLevelSuffixes[kLevelCount] = {"info", "profile", "warning", "error", "fatal"};

constexpr std::size_t kTagLength = 10;
constexpr std::size_t kLineSize = 8192;
constexpr std::size_t kPathSize = 256;

// ---- module state ----

int g_mainFile = qzplatform::kInvalidFile;
int g_levelFiles[kLevelCount] = {qzplatform::kInvalidFile, qzplatform::kInvalidFile,
                                 qzplatform::kInvalidFile, qzplatform::kInvalidFile,
                                 qzplatform::kInvalidFile};
QzLogDebugSink g_debugSink = qzplatform::DebugOutput;

// ---- helpers ----

// The index of a single-bit level, or -1 for none or several bits.
int SingleLevelIndex(unsigned int level)
{
    for (int i = 0; i < kLevelCount; ++i)
        if (level == (1u << i))
            return i;
    return -1;
}

// Opens _logs/<name>.log, or _logs/<name>_<suffix>.log for a level file.
int OpenLogFile(char const* name, char const* suffix)
{
    char path[kPathSize];
    int const length = std::snprintf(path, sizeof path, "_logs%c%s%s%s.log", qzplatform::kPathSeparator,
                                     name, suffix != nullptr ? "_" : "", suffix != nullptr ? suffix : "");
    // a cut path would name some other file: that log is skipped instead
    if (length < 0 || std::size_t(length) >= sizeof path)
        return qzplatform::kInvalidFile;
    return qzplatform::CreateFileForWriting(path);
}

void CloseLogFile(int& file)
{
    if (file != qzplatform::kInvalidFile)
    {
        qzplatform::CloseFile(file);
        file = qzplatform::kInvalidFile;
    }
}

void WriteToFiles(unsigned int level, char const* line, std::size_t length)
{
    if (g_mainFile != qzplatform::kInvalidFile)
        qzplatform::WriteFile(g_mainFile, line, length);
    for (int i = 0; i < kLevelCount; ++i)
        if ((level & (1u << i)) != 0 && g_levelFiles[i] != qzplatform::kInvalidFile)
            qzplatform::WriteFile(g_levelFiles[i], line, length);
}

// Appends size bytes of text (or blanks when text is null) at line[length]
// without passing kLineSize - 2, so that the line feed and the terminator
// always fit; returns the new length.
std::size_t Append(char* line, std::size_t length, char const* text, std::size_t size)
{
    size = std::min(size, kLineSize - 2 - length);
    if (text != nullptr)
        std::memcpy(line + length, text, size);
    else
        std::memset(line + length, ' ', size);
    return length + size;
}

} // namespace

// ---- debug sink ----

QzLogDebugSink QzSetLogDebugSink(QzLogDebugSink sink)
{
    QzLogDebugSink const previous = g_debugSink;
    g_debugSink = sink != nullptr ? sink : qzplatform::DebugOutput;
    return previous;
}

// ---- the three log functions ----

void QzLogInit(char const* name)
{
    QzLogRelease();
    if (name == nullptr)
        name = "";
    qzplatform::MakeDirectory("_logs");
    g_mainFile = OpenLogFile(name, nullptr);
    for (int i = 0; i < kLevelCount; ++i)
        g_levelFiles[i] = OpenLogFile(name, kLevelSuffixes[i]);
}

void QzLog(ELogLevel level, ELogType type, int indent, char const* format, ...)
{
    if ((level & kLevelFilter) == 0 || (type & kTypeFilter) == 0)
        return;

    char line[kLineSize];
    qzplatform::SLocalTime const now = qzplatform::ReadLocalTime();
    std::size_t length = std::size_t(
        std::snprintf(line, sizeof line, "%02d:%02d:%02d ", now.hour, now.minute, now.second));

    int const levelIndex = SingleLevelIndex(level);
    if (levelIndex >= 0)
        length = Append(line, length, kLevelTags[levelIndex], kTagLength);
    if (indent > 0)
        length = Append(line, length, nullptr, std::size_t(indent) * 2);

    // vsnprintf cuts the text to the room left before the line feed
    std::size_t const room = kLineSize - 1 - length;
    va_list arguments;
    va_start(arguments, format);
    int written;
    {
        // log files read the same in every UI language: '.' for decimals
        CQzCLocaleScope const cLocale;
        written = std::vsnprintf(line + length, room, format, arguments);
    }
    va_end(arguments);
    if (written > 0)
        length += std::min(std::size_t(written), room - 1);
    line[length++] = '\n';
    line[length] = '\0';

    if ((kOutputSwitches & kOutputDebugger) != 0)
        g_debugSink(line);
    if ((kOutputSwitches & kOutputFiles) != 0)
        WriteToFiles(level, line, length);
    if ((kOutputSwitches & kOutputConsole) != 0)
        std::printf("%s", line);
}

void QzLogRelease()
{
    CloseLogFile(g_mainFile);
    for (int& file : g_levelFiles)
        CloseLogFile(file);
}
