// QzCRC32.cpp: the 32-bit CRC object: table choice, copies, the update
// (the fast shared update for the standard table).
#include "foundation/QzCRC32.h"

#include "foundation/internal/QzCrcTableOwner.h"
#include "foundation/internal/QzCrcTables.h"
#include "foundation/internal/QzCrcUpdate.h"

unsigned int const* const CQzCRC32::ms_pCRC32 = qzcrc::g_crc32Table.entry[0];

// ---- construction and copies ----

CQzCRC32::CQzCRC32() : CQzCRC32(qzcrc::kCrc32Polynomial)
{
}

CQzCRC32::CQzCRC32(unsigned int polynomial) : m_pOwnedTable(nullptr), m_pTable(nullptr), m_register(0xFFFFFFFFu)
{
    CrcInitialize(polynomial);
}

CQzCRC32::CQzCRC32(CQzCRC32 const& other)
    : m_pOwnedTable(nullptr), m_pTable(nullptr), m_register(other.m_register)
{
    qzcrc::CopyTable(m_pOwnedTable, m_pTable, other.m_pOwnedTable, other.m_pTable);
}

CQzCRC32& CQzCRC32::operator=(CQzCRC32 const& other)
{
    if (this != &other)
    {
        qzcrc::CopyTable(m_pOwnedTable, m_pTable, other.m_pOwnedTable, other.m_pTable);
        m_register = other.m_register;
    }
    return *this;
}

CQzCRC32::~CQzCRC32()
{
    delete[] m_pOwnedTable;
}

// ---- the CRC ----

void CQzCRC32::CrcInitialize(unsigned int polynomial)
{
    m_register = 0xFFFFFFFFu;
    qzcrc::SelectTable(m_pOwnedTable, m_pTable, ms_pCRC32, polynomial == qzcrc::kCrc32Polynomial,
                       [polynomial](unsigned int i) { return qzcrc::ReflectedEntry(polynomial, i); });
}

unsigned int CQzCRC32::CrcAdd(void const* data, unsigned int length)
{
    if (data == nullptr)
        return 0;
    unsigned char const* const bytes = static_cast<unsigned char const*>(data);
    if (m_pTable == ms_pCRC32)
        m_register = qzcrc::Crc32Update(m_register, bytes, length);
    else
        for (unsigned int i = 0; i < length; ++i)
            m_register = (m_register >> 8) ^ m_pTable[(bytes[i] ^ m_register) & 0xFF];
    return CrcGet();
}

void CQzCRC32::CrcReset()
{
    m_register = 0xFFFFFFFFu;
}

unsigned int CQzCRC32::CrcGet() const
{
    return m_register ^ 0xFFFFFFFFu;
}

int CQzCRC32::operator==(unsigned int value) const
{
    return CrcGet() == value ? 1 : 0;
}

unsigned int CQzCRC32::CrcTableIndex(int index) const
{
    return qzcrc::TableEntry(m_pTable, index);
}
