// QzCRC16.cpp: the 16-bit CRC object: table choice, copies, the update.
#include "foundation/QzCRC16.h"

#include "foundation/internal/QzCrcTableOwner.h"
#include "foundation/internal/QzCrcTables.h"

unsigned short const* const CQzCRC16::ms_pCRC16 = qzcrc::g_crc16Table.entry;

// ---- construction and copies ----

CQzCRC16::CQzCRC16() : CQzCRC16(qzcrc::kCrc16Polynomial)
{
}

CQzCRC16::CQzCRC16(unsigned short polynomial) : m_pOwnedTable(nullptr), m_pTable(nullptr), m_register(0xFFFF)
{
    CrcInitialize(polynomial);
}

CQzCRC16::CQzCRC16(CQzCRC16 const& other)
    : m_pOwnedTable(nullptr), m_pTable(nullptr), m_register(other.m_register)
{
    qzcrc::CopyTable(m_pOwnedTable, m_pTable, other.m_pOwnedTable, other.m_pTable);
}

CQzCRC16& CQzCRC16::operator=(CQzCRC16 const& other)
{
    if (this != &other)
    {
        qzcrc::CopyTable(m_pOwnedTable, m_pTable, other.m_pOwnedTable, other.m_pTable);
        m_register = other.m_register;
    }
    return *this;
}

CQzCRC16::~CQzCRC16()
{
    delete[] m_pOwnedTable;
}

// ---- the CRC ----

void CQzCRC16::CrcInitialize(unsigned short polynomial)
{
    m_register = 0xFFFF;
    qzcrc::SelectTable(m_pOwnedTable, m_pTable, ms_pCRC16, polynomial == qzcrc::kCrc16Polynomial,
                       [polynomial](unsigned int i) { return qzcrc::MsbFirstEntry(polynomial, i); });
}

unsigned short CQzCRC16::CrcAdd(unsigned char* data, unsigned short length)
{
    if (data == nullptr)
        return 0;
    // the table is most-significant-bit first but the register shifts right
    unsigned int reg = m_register;
    for (unsigned int i = 0; i < length; ++i)
        reg = (reg >> 8) ^ m_pTable[(data[i] ^ reg) & 0xFF];
    m_register = (unsigned short)reg;
    return CrcGet();
}

void CQzCRC16::CrcReset()
{
    m_register = 0xFFFF;
}

unsigned short CQzCRC16::CrcGet() const
{
    return (unsigned short)(m_register ^ 0xFFFF);
}

int CQzCRC16::operator==(unsigned short value) const
{
    return CrcGet() == value ? 1 : 0;
}

unsigned short CQzCRC16::CrcTableIndex(int index) const
{
    return qzcrc::TableEntry(m_pTable, index);
}
