// QzReflectionVariantAccess.h: moves a member's value between an object and
// packed bytes through its record, for the snapshot and the state
// (internal, never installed).
#ifndef QZCORE_REFLECTION_INTERNAL_QZREFLECTIONVARIANTACCESS_H
#define QZCORE_REFLECTION_INTERNAL_QZREFLECTIONVARIANTACCESS_H

#include "reflection/QzBasicVariant.h"
#include "reflection/QzReflectionInformation.h"

// The variant type a record's value is kept as (REFLECTION_DATA_SET_ENUM as
// an int), or TYPE_INVALID for the types kept otherwise or not at all.
CQzBasicVariant::EType QzVariantTypeOfMember(CQzReflectionInformation::EType type);

// Reads the member through the record into out (type and bytes); false, and
// out untouched, when the member has no variant type.
bool QzReadMemberAsVariant(CQzReflectionInformation const& info, void* object, CQzBasicVariant& out);

// Writes packed bytes of the member's variant type through the record, so a
// setter runs; false, and nothing written, when it has no variant type.
bool QzWriteMemberFromBytes(CQzReflectionInformation const& info, void* object, void const* bytes);

// A variant of type 0 whose 64 bytes are all zero.
void QzClearVariant(CQzBasicVariant& variant);

#endif // QZCORE_REFLECTION_INTERNAL_QZREFLECTIONVARIANTACCESS_H
