// QzReflectionClientTypes.h: the engine's client classes that reflection
// records refer to by pointer (CQzResource, CQzManaged), enumeration
// descriptions (SQzEnum) and the 16-byte qzUUID.
#ifndef QZCORE_REFLECTION_QZREFLECTIONCLIENTTYPES_H
#define QZCORE_REFLECTION_QZREFLECTIONCLIENTTYPES_H

#include "QzApi.h"

// These are client types: the library never calls them from a thread of its
// own, so they are used on whatever threads the client uses them.

// A universally unique identifier: 16 bytes, no layout beyond them.
struct qzUUID
{
    unsigned char bytes[16];
};

// The bases of the engine's resources and managed objects. Records only hold
// and hand back pointers to them; clients derive their own classes.
class QZ_API CQzResource
{
public:
    virtual ~CQzResource();
};

class QZ_API CQzManaged
{
public:
    virtual ~CQzManaged();
};

// Describes an enumeration for editors: a client derives from it and returns
// its entry table; the table's length is the client's convention.
class QZ_API SQzEnum
{
public:
    struct SEntry
    {
        int value;
        char const* name;
    };

    virtual ~SQzEnum();
    virtual SEntry const* GetEntries() const = 0;
};

#endif // QZCORE_REFLECTION_QZREFLECTIONCLIENTTYPES_H
