// QzPlatformDebug.h: the debugger's output channel (internal, never
// installed).
#ifndef QZCORE_SYSTEM_PLATFORM_QZPLATFORMDEBUG_H
#define QZCORE_SYSTEM_PLATFORM_QZPLATFORMDEBUG_H

namespace qzplatform {

// True while a tracer (a debugger) is attached to this process.
bool IsDebuggerAttached();

// Writes the text to stderr when a debugger was attached at the first
// call; else nothing.
void DebugOutput(char const* text);

} // namespace qzplatform

#endif // QZCORE_SYSTEM_PLATFORM_QZPLATFORMDEBUG_H
