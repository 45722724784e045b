// QzIdentifierManager.h: the process-wide registry that gives the text back
// for an identifier's 64-bit CRC, and its hash file.
#ifndef QZCORE_IDENTIFIER_QZIDENTIFIERMANAGER_H
#define QZCORE_IDENTIFIER_QZIDENTIFIERMANAGER_H

#include "QzApi.h"
#include "foundation/QzString.h"
#include "identifier/QzHashTable.h"
#include "identifier/QzIdentifierHashEntry.h"

// Every identifier built from a name records it here, lower-cased, under
// its CRC; the first text stored for a CRC stays. Entries are never freed
// while the manager lives, and GetInstance's manager lives until the
// process ends, so a text it has returned stays valid even after Release.
//
// Threads: every operation may be called from any thread, concurrently.
// FindNameForCrc64 takes no lock and never waits. Registration, loading,
// saving and Release take turns on one writer lock; a lookup running
// beside them sees the table before or after each single change.
class QZ_API CQzIdentifierManager
{
public:
    // The process-wide manager, made on the first call (from any thread).
    static CQzIdentifierManager* GetInstance();

    // An empty registry of its own. Its destructor frees its entries, so
    // texts it returned must not be used after it; identifiers only ever
    // use GetInstance's manager.
    CQzIdentifierManager();
    virtual ~CQzIdentifierManager();

    // Two managers would share (and free) one table: copies are forbidden.
    CQzIdentifierManager(CQzIdentifierManager const&) = delete;
    CQzIdentifierManager& operator=(CQzIdentifierManager const&) = delete;

    // Does nothing: the manager is ready when made.
    void Initialize();

    // ---- names ----

    // The text stored for crc (EMPTY for an empty text), or null.
    char const* FindNameForCrc64(unsigned long long crc) const;

    // Stores a lower-cased copy of name under the name's case-folding CRC,
    // unless that CRC already has a text. The flag is not used; a null
    // name records nothing.
    void CheckCrc64ForUniqueness(char const* name, bool flag);

    // Forgets every name: later lookups start from an empty table of 256
    // buckets. Texts returned earlier stay valid.
    void Release();

    // ---- hash file ----

    // File: a 32-bit entry count, then per entry a 32-bit name length, the
    // name's bytes and the 64-bit CRC, all little-endian, or all big-endian
    // with swapEndian. Entries are in bucket order.

    // Adds the file's entries as they are (not lower-cased; the text ends at
    // its first zero byte); a CRC that already has a text keeps it. Loading
    // stops at the first entry the file does not hold whole, and allocates
    // no more than the file holds. A file that cannot be opened is ignored.
    void LoadHashFile(TQzString<char> const& path, bool swapEndian);

    // Writes every entry; a file that cannot be opened is ignored.
    void SaveHashFile(TQzString<char> const& path, bool swapEndian) const;

private:
    friend class CQzIdentifier;
    using CTable = TQzHashTable<CQzIdentifierHashEntry, unsigned long long, CQzIdentifierHashPolicy>;
    struct SWriter;

    // Registration of name under crc, its own case-folding CRC, which the
    // caller has computed: returns the text now stored for crc.
    char const* RegisterName(char const* name, unsigned long long crc);

    CTable m_table;     // read by any thread, changed under the writer lock
    SWriter* m_pWriter; // the writer lock and the entries
};

#endif // QZCORE_IDENTIFIER_QZIDENTIFIERMANAGER_H
