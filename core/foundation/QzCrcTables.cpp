// QzCrcTables.cpp: the constant CRC tables, evaluated by the compiler.
#include "foundation/internal/QzCrcTables.h"

namespace qzcrc {

constexpr SSlicedTable<unsigned int> g_crc32Table = MakeSlicedTable(kCrc32Polynomial);
constexpr SSlicedTable<unsigned long long> g_crc64Table = MakeSlicedTable(kCrc64Polynomial);
constexpr STable<unsigned short> g_crc16Table = MakeMsbFirstTable(kCrc16Polynomial);

static_assert(g_crc32Table.entry[0][1] == 0x77073096u, "standard CRC-32 table");
static_assert(g_crc64Table.entry[0][1] == 0x7AD870C830358979ull, "64-bit table");
static_assert(g_crc64Table.entry[0][128] == kCrc64Polynomial, "64-bit table");
static_assert(g_crc16Table.entry[1] == 0x1021 && g_crc16Table.entry[2] == 0x2042, "16-bit table");

} // namespace qzcrc
