// QzWorkerStartTestHook.h: a test hook (internal, never installed) that
// makes a chosen worker thread start fail, as when the system has no thread
// left to give.
#ifndef QZCORE_SYSTEM_INTERNAL_QZWORKERSTARTTESTHOOK_H
#define QZCORE_SYSTEM_INTERNAL_QZWORKERSTARTTESTHOOK_H

// The nth worker thread start from now on fails (1: the next one); 0
// disarms. For tests only; not synchronised with managers being built.
void QzTestFailWorkerThreadStart(unsigned int nth);

// Asked before each worker thread start: true for the start picked above.
bool QzTestWorkerThreadStartFails();

#endif // QZCORE_SYSTEM_INTERNAL_QZWORKERSTARTTESTHOOK_H
