// QzProcess.h: CQzProcess, the record of a child process: its command, its
// handles and identifiers, and its last recorded state.
#ifndef QZCORE_SYSTEM_QZPROCESS_H
#define QZCORE_SYSTEM_QZPROCESS_H

#include "QzApi.h"
#include "foundation/QzString.h"

// What creating a process reports: its handles and identifiers.
struct SQzProcessInformation
{
    void* process;
    void* thread;
    unsigned int processId;
    unsigned int threadId;
};

// Filled by whoever launches the process, then read through its accessors.
class QZ_API CQzProcess
{
public:
    enum EStatus : unsigned int
    {
        STATUS_NOT_STARTED = 0,
        STATUS_RUNNING,
        STATUS_FINISHED,
        STATUS_FAILED,
    };

    // A record of no process: empty command, null handles, not started.
    CQzProcess();
    CQzProcess(CQzProcess const&) = default;
    CQzProcess& operator=(CQzProcess const&) = default;

    // The process handle, to be waited on with the system's wait functions.
    void* GetWaitHandle() { return m_information.process; }
    EStatus GetStatus() { return m_status; }

protected:
    // filled by the launcher, which derives from this record
    TQzString<char> m_command;
    unsigned int m_settings[4];
    SQzProcessInformation m_information;
    EStatus m_status;
    unsigned int m_lastWord;
};

#endif // QZCORE_SYSTEM_QZPROCESS_H
