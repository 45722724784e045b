// QzIdentifierHashEntry.h: the record the identifier registry stores for a
// CRC (the CRC and its text), and the policy that keys the table by it.
#ifndef QZCORE_IDENTIFIER_QZIDENTIFIERHASHENTRY_H
#define QZCORE_IDENTIFIER_QZIDENTIFIERHASHENTRY_H

#include "QzApi.h"
#include "foundation/QzString.h"

// A plain record: copies are deep. Entries in the registry are never
// changed once stored, so any thread may read them.
class QZ_API CQzIdentifierHashEntry
{
public:
    CQzIdentifierHashEntry() : crc64(0) {}
    CQzIdentifierHashEntry(char const* text, unsigned long long crc) : crc64(crc), name(text) {}
    CQzIdentifierHashEntry(TQzString<char> const& text, unsigned long long crc) : crc64(crc), name(text) {}
    CQzIdentifierHashEntry(CQzIdentifierHashEntry const& other) = default;
    CQzIdentifierHashEntry& operator=(CQzIdentifierHashEntry const& other) = default;
    ~CQzIdentifierHashEntry() = default;

    unsigned long long crc64; // the key
    TQzString<char> name;     // the text stored for the key
};

// Keys the registry's table by the entry's CRC; the hash is its low 32 bits.
class QZ_API CQzIdentifierHashPolicy
{
public:
    static unsigned long long GetKey(CQzIdentifierHashEntry const* entry) { return entry->crc64; }
    static bool MatchKey(CQzIdentifierHashEntry const* entry, unsigned long long key)
    {
        return entry->crc64 == key;
    }
    static int CreateHash(unsigned long long key) { return int(key & 0xFFFFFFFFu); }
};

#endif // QZCORE_IDENTIFIER_QZIDENTIFIERHASHENTRY_H
