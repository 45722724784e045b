// QzCLocale.h: runs number-text conversions in the C locale whatever the
// process or the calling thread has set (internal, never installed), so
// data files read and write the same in every UI language.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZCLOCALE_H
#define QZCORE_FOUNDATION_INTERNAL_QZCLOCALE_H

#include <locale.h>

// For its lifetime the calling thread converts with '.' as the decimal
// point (strtod, printf's %f and the like); the thread's own locale comes
// back afterwards. Cheap: two thread-local switches, no allocation.
class CQzCLocaleScope
{
public:
    CQzCLocaleScope();
    ~CQzCLocaleScope();
    CQzCLocaleScope(CQzCLocaleScope const&) = delete;
    CQzCLocaleScope& operator=(CQzCLocaleScope const&) = delete;

private:
    locale_t m_previous;
};

#endif // QZCORE_FOUNDATION_INTERNAL_QZCLOCALE_H
