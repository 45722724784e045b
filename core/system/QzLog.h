// QzLog.h: the library's diagnostic channel: filtered, time-stamped lines
// sent to the debugger and to log files under _logs.
#ifndef QZCORE_SYSTEM_QZLOG_H
#define QZCORE_SYSTEM_QZLOG_H

#include "QzApi.h"

// Severity, one bit per value; a combination of bits is logged untagged to
// the file of every level it contains.
enum ELogLevel : unsigned int
{
    LOG_INFO = 1,
    LOG_PROFILE = 2,
    LOG_WARNING = 4,
    LOG_ERROR = 8,
    LOG_FATAL = 16,
};

// Category bits; which bit belongs to which subsystem is the caller's
// affair. Bits 0 to 10 and 16 pass the filter, every other bit is dropped.
enum ELogType : unsigned int
{
    LOG_TYPE_GENERAL = 1,
    LOG_TYPE_IDENTIFIER = 2,
};

// Creates _logs in the current directory and opens (truncating) the main
// file _logs/<name>.log and the level files _logs/<name>_<level>.log.
// Files that cannot be opened are skipped; files still open from an
// earlier call are closed first.
QZ_API void QzLogInit(char const* name);

// Filters, formats and emits one line: "hh:mm:ss ", the ten-character level
// tag, two blanks per indent step, the printf-formatted text and "\n".
// Lines longer than 8191 characters are cut (the line feed is kept).
QZ_API void QzLog(ELogLevel level, ELogType type, int indent, char const* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;

// Closes every open log file; messages still reach the debugger.
QZ_API void QzLogRelease();

#endif // QZCORE_SYSTEM_QZLOG_H
