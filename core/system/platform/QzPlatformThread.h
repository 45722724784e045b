// QzPlatformThread.h: processor count and thread names (internal, never
// installed).
#ifndef QZCORE_SYSTEM_PLATFORM_QZPLATFORMTHREAD_H
#define QZCORE_SYSTEM_PLATFORM_QZPLATFORMTHREAD_H

namespace qzplatform {

// Logical processors online; at least 1.
unsigned int ProcessorCount();

// Names the calling thread for debuggers and tools; the name is cut to the
// 15 characters the system keeps. A null name does nothing.
void SetCurrentThreadName(char const* name);

} // namespace qzplatform

#endif // QZCORE_SYSTEM_PLATFORM_QZPLATFORMTHREAD_H
