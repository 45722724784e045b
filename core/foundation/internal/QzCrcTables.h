// QzCrcTables.h (internal): how the CRC tables are generated, and the
// constant sliced tables behind the one-call CRCs, built at compile time.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZCRCTABLES_H
#define QZCORE_FOUNDATION_INTERNAL_QZCRCTABLES_H

namespace qzcrc {

constexpr unsigned short kCrc16Polynomial = 0x1021;
constexpr unsigned int kCrc32Polynomial = 0xEDB88320u;            // reflected
constexpr unsigned long long kCrc64Polynomial = 0x95AC9329AC4BC9B5ull; // reflected Jones

// Entry of a reflected table: index shifted right eight times, applying the
// polynomial whenever a 1 bit falls out.
template <typename U>
constexpr U ReflectedEntry(U polynomial, unsigned int index)
{
    U value = U(index);
    for (int bit = 0; bit < 8; ++bit)
        value = (value & 1) != 0 ? U((value >> 1) ^ polynomial) : U(value >> 1);
    return value;
}

// Entry of a most-significant-bit-first 16-bit table: index shifted left
// by eight, then eight times left, applying the polynomial when bit 15
// falls out.
constexpr unsigned short MsbFirstEntry(unsigned short polynomial, unsigned int index)
{
    unsigned int value = index << 8;
    for (int bit = 0; bit < 8; ++bit)
        value = (value & 0x8000u) != 0 ? (value << 1) ^ polynomial : value << 1;
    return (unsigned short)value;
}

// entry[0] is the one-byte table; entry[k][i] is the CRC of byte i
// followed by k zero bytes, so eight bytes take eight independent lookups.
template <typename U>
struct SSlicedTable
{
    static constexpr int slices = 8;
    U entry[slices][256];
};

template <typename U>
constexpr SSlicedTable<U> MakeSlicedTable(U polynomial)
{
    SSlicedTable<U> table{};
    for (unsigned int i = 0; i < 256; ++i)
        table.entry[0][i] = ReflectedEntry(polynomial, i);
    for (int k = 1; k < SSlicedTable<U>::slices; ++k)
        for (unsigned int i = 0; i < 256; ++i)
        {
            U const previous = table.entry[k - 1][i];
            table.entry[k][i] = U((previous >> 8) ^ table.entry[0][previous & 0xFF]);
        }
    return table;
}

template <typename U>
struct STable
{
    U entry[256];
};

constexpr STable<unsigned short> MakeMsbFirstTable(unsigned short polynomial)
{
    STable<unsigned short> table{};
    for (unsigned int i = 0; i < 256; ++i)
        table.entry[i] = MsbFirstEntry(polynomial, i);
    return table;
}

extern SSlicedTable<unsigned int> const g_crc32Table;
extern SSlicedTable<unsigned long long> const g_crc64Table;
extern STable<unsigned short> const g_crc16Table;

} // namespace qzcrc

#endif // QZCORE_FOUNDATION_INTERNAL_QZCRCTABLES_H
