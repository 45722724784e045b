// QzCLocale.cpp: the C locale object and the per-thread switch (POSIX
// newlocale and uselocale, which <locale.h> declares).
#include "foundation/internal/QzCLocale.h"

namespace {

locale_t CLocale()
{
    // made once, and never freed. The C library hands out its built-in C
    // locale here without allocating, so this does not fail; if it ever
    // did, conversions would follow the thread's locale as before.
    static locale_t const s_c = ::newlocale(LC_ALL_MASK, "C", (locale_t)0);
    return s_c;
}

} // namespace

CQzCLocaleScope::CQzCLocaleScope() : m_previous((locale_t)0)
{
    if (CLocale() != (locale_t)0)
        m_previous = ::uselocale(CLocale());
}

CQzCLocaleScope::~CQzCLocaleScope()
{
    // the previous setting may be LC_GLOBAL_LOCALE, which uselocale takes back
    if (m_previous != (locale_t)0)
        ::uselocale(m_previous);
}
