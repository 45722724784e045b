// QzCRC16.h: CQzCRC16, an incremental 16-bit CRC with a selectable
// polynomial (default 0x1021).
#ifndef QZCORE_FOUNDATION_QZCRC16_H
#define QZCORE_FOUNDATION_QZCRC16_H

#include "QzApi.h"

// The table is the most-significant-bit-first table of the polynomial while
// the update shifts right, so with 0x1021 this is not one of the published
// CRC-16s: "123456789" gives 0x914B. The default polynomial uses the constant
// table and allocates nothing; any other generates a table the object owns.
class QZ_API CQzCRC16
{
public:
    // The constant table of 0x1021 (entry 1 is 0x1021, entry 2 0x2042).
    static unsigned short const* const ms_pCRC16;

    CQzCRC16();
    explicit CQzCRC16(unsigned short polynomial);
    // A copy has its own copy of a generated table, never a shared one.
    CQzCRC16(CQzCRC16 const& other);
    CQzCRC16& operator=(CQzCRC16 const& other);
    virtual ~CQzCRC16();

    // Selects the polynomial's table and restarts the CRC.
    void CrcInitialize(unsigned short polynomial);

    // Continues the CRC over length bytes and returns it (the inverted
    // register). A null data pointer returns 0 and changes nothing.
    unsigned short CrcAdd(unsigned char* data, unsigned short length);

    // Starts a new CRC with the same table.
    void CrcReset();
    // The CRC so far: the inverted register.
    unsigned short CrcGet() const;
    // 1 when CrcGet() equals value, else 0.
    int operator==(unsigned short value) const;

protected:
    // Entry index of the table in use; 0 outside 0 to 255.
    unsigned short CrcTableIndex(int index) const;

private:
    unsigned short* m_pOwnedTable; // generated for another polynomial, or null
    unsigned short const* m_pTable;
    unsigned short m_register; // not inverted
};

#endif // QZCORE_FOUNDATION_QZCRC16_H
