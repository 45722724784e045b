// QzApi.h: the export macro and the few types every QzCore header shares.
#ifndef QZCORE_QZAPI_H
#define QZCORE_QZAPI_H

// Every exported class and free function carries QZ_API; the library is
// built with hidden visibility, so anything without it stays internal.
#if defined(_WIN32)
#  if defined(QZ_BUILDING_LIBRARY)
#    define QZ_API __declspec(dllexport)
#  else
#    define QZ_API __declspec(dllimport)
#  endif
#else
#  define QZ_API __attribute__((visibility("default")))
#endif

// The wide text unit is 16-bit UCS-2, as on the original platform.
#if defined(_WIN32)
typedef wchar_t qzwchar_t;
#else
typedef char16_t qzwchar_t;
#endif

static_assert(sizeof(qzwchar_t) == 2, "wide text is 16-bit UCS-2");

#endif // QZCORE_QZAPI_H
