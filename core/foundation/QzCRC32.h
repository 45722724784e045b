// QzCRC32.h: CQzCRC32, an incremental reflected 32-bit CRC with a selectable
// polynomial; the default 0xEDB88320 is the standard CRC-32 of zlib.
#ifndef QZCORE_FOUNDATION_QZCRC32_H
#define QZCORE_FOUNDATION_QZCRC32_H

#include "QzApi.h"

// The default polynomial uses the constant table and allocates nothing; any
// other generates a reflected table the object owns.
class QZ_API CQzCRC32
{
public:
    // The standard reflected CRC-32 table (entry 1 is 0x77073096).
    static unsigned int const* const ms_pCRC32;

    CQzCRC32();
    // polynomial in reflected form
    explicit CQzCRC32(unsigned int polynomial);
    // A copy has its own copy of a generated table, never a shared one.
    CQzCRC32(CQzCRC32 const& other);
    CQzCRC32& operator=(CQzCRC32 const& other);
    virtual ~CQzCRC32();

    // Selects the polynomial's table and restarts the CRC.
    void CrcInitialize(unsigned int polynomial);

    // Continues the CRC over length bytes and returns it (the inverted
    // register). A null data pointer returns 0 and changes nothing.
    unsigned int CrcAdd(void const* data, unsigned int length);

    // Starts a new CRC with the same table.
    void CrcReset();
    // The CRC so far: the inverted register.
    unsigned int CrcGet() const;
    // 1 when CrcGet() equals value, else 0.
    int operator==(unsigned int value) const;

protected:
    // Entry index of the table in use; 0 outside 0 to 255.
    unsigned int CrcTableIndex(int index) const;

private:
    unsigned int* m_pOwnedTable; // generated for another polynomial, or null
    unsigned int const* m_pTable;
    unsigned int m_register; // not inverted
};

#endif // QZCORE_FOUNDATION_QZCRC32_H
