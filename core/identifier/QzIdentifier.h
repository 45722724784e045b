// QzIdentifier.h: CQzIdentifier, a name reduced to its 64-bit
// case-insensitive CRC, with a pointer to a readable text for diagnostics.
#ifndef QZCORE_IDENTIFIER_QZIDENTIFIER_H
#define QZCORE_IDENTIFIER_QZIDENTIFIER_H

#include "QzApi.h"
#include "foundation/QzString.h"

// Foo, FOO and foo are one identifier: the CRC (reflected polynomial
// 0x95AC9329AC4BC9B5, all ones to start, no final inversion) folds 'A' to
// 'Z' to lower case. Equality, order and hashing use the CRC alone. The
// null identifier, which is also that of the empty name, has the CRC
// 0xFFFFFFFFFFFFFFFF.
//
// Building from a name registers it with CQzIdentifierManager::GetInstance()
// and points at the text the registry keeps (lower-cased, the first one
// stored for the CRC). A null name is read as the empty name.
//
// Threads: an identifier is a value; distinct identifiers may be used on
// any threads at once, and every operation (construction, Set, Append, the
// debug texts included) may run concurrently with any other, since the
// registry is safe from any thread.
class QZ_API CQzIdentifier
{
public:
    CQzIdentifier() : m_crc64(kNullCrc64), m_pName(nullptr) {}
    CQzIdentifier(CQzIdentifier const& other) = default;
    CQzIdentifier& operator=(CQzIdentifier const& other) = default;

    // A bare CRC: the name is the registry's text for it, or null. Nothing
    // is registered. Explicit, so that a stray integer never becomes one.
    explicit CQzIdentifier(unsigned long long crc);

    // Keeps crc and the caller's text pointer (which must outlive the
    // identifier, and is not checked against crc); registers the text
    // under its own CRC.
    CQzIdentifier(unsigned long long crc, char const* name);

    // The CRC of the name; registers it; the name is the registry's text.
    CQzIdentifier(char const* name);
    CQzIdentifier(TQzString<char> const& name);
    void Set(char const* name);
    void Set(TQzString<char> const& name);

    // ---- the CRC ----

    bool IsNull() const { return m_crc64 == kNullCrc64; }
    unsigned long long GetCrc64() const { return m_crc64; }
    // the low 32 bits of the CRC
    int HashTable_CreateHash() const { return int(m_crc64 & 0xFFFFFFFFu); }

    bool operator==(CQzIdentifier const& other) const { return m_crc64 == other.m_crc64; }
    bool operator!=(CQzIdentifier const& other) const { return m_crc64 != other.m_crc64; }
    // unsigned 64-bit order of the CRCs
    bool operator<(CQzIdentifier const& other) const { return m_crc64 < other.m_crc64; }

    // ---- names ----

    // The identifier of this name followed by suffix, from the suffix's
    // bytes alone (the CRC continues from this one). Registers the
    // registry's text for this identifier (empty when it has none) followed
    // by suffix.
    CQzIdentifier Append(char const* suffix) const;

    // The registry's text for the CRC; otherwise "<empty>", after a warning
    // "MISSING DEBUG STRING FOR CRC64: <%016llx>" (type 2) in the log.
    char const* DebugCString() const;

    // The registry's text for the CRC; otherwise the same warning and the
    // text "CRC<" + 16 upper-case hexadecimal digits + ">".
    TQzString<char> DebugString() const;

    // An identifier owns nothing.
    int GetMemoryUsage() const { return 0; }

private:
    static constexpr unsigned long long kNullCrc64 = 0xFFFFFFFFFFFFFFFFull;

    unsigned long long m_crc64;
    char const* m_pName; // not owned
};

#endif // QZCORE_IDENTIFIER_QZIDENTIFIER_H
