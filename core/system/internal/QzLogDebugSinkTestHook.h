// QzLogDebugSinkTestHook.h: a test hook (internal, never installed) that
// redirects the log's debugger output, the platform's debug channel by
// default, so tests can read it.
#ifndef QZCORE_SYSTEM_INTERNAL_QZLOGDEBUGSINKTESTHOOK_H
#define QZCORE_SYSTEM_INTERNAL_QZLOGDEBUGSINKTESTHOOK_H

using QzLogDebugSink = void (*)(char const* line);

// Installs sink (null restores the default) and returns the previous one.
// Not synchronised: called while no other thread logs.
QzLogDebugSink QzSetLogDebugSink(QzLogDebugSink sink);

#endif // QZCORE_SYSTEM_INTERNAL_QZLOGDEBUGSINKTESTHOOK_H
