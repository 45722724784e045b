// QzCrcTableOwner.h (internal): the table rules shared by the CRC classes:
// the constant table for the default polynomial, else a generated table
// the object owns, reused by later polynomials and never shared by copies.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZCRCTABLEOWNER_H
#define QZCORE_FOUNDATION_INTERNAL_QZCRCTABLEOWNER_H

#include <algorithm>

namespace qzcrc {

constexpr int kTableSize = 256;

// entry(i) gives entry i of the polynomial's generated table.
template <typename U, typename Entry>
void SelectTable(U*& owned, U const*& table, U const* constant, bool isDefault, Entry entry)
{
    if (isDefault)
    {
        table = constant;
        return;
    }
    if (owned == nullptr)
        owned = new U[kTableSize];
    for (int i = 0; i < kTableSize; ++i)
        owned[i] = entry(unsigned(i));
    table = owned;
}

// Takes over the other object's table contents: the same constant table, or
// a copy of its generated one in a block of our own.
template <typename U>
void CopyTable(U*& owned, U const*& table, U const* otherOwned, U const* otherTable)
{
    if (otherOwned == nullptr || otherTable != otherOwned)
    {
        table = otherTable;
        return;
    }
    if (owned == nullptr)
        owned = new U[kTableSize];
    std::copy(otherOwned, otherOwned + kTableSize, owned);
    table = owned;
}

template <typename U>
U TableEntry(U const* table, int index)
{
    return table != nullptr && index >= 0 && index < kTableSize ? table[index] : U(0);
}

} // namespace qzcrc

#endif // QZCORE_FOUNDATION_INTERNAL_QZCRCTABLEOWNER_H
