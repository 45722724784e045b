// QzLogSink.h: where the log's debugger output goes (internal): the
// platform's debug channel by default, replaceable so tests can read it.
#ifndef QZCORE_SYSTEM_QZLOGSINK_H
#define QZCORE_SYSTEM_QZLOGSINK_H

using QzLogDebugSink = void (*)(char const* line);

// Installs sink (null restores the default) and returns the previous one.
// Not synchronised: called while no other thread logs.
QzLogDebugSink QzSetLogDebugSink(QzLogDebugSink sink);

#endif // QZCORE_SYSTEM_QZLOGSINK_H
