// QzBitwiseCrc.h: reflected CRCs computed one bit at a time, the reference
// that the table-driven and folding CRCs of the library are checked against.
#ifndef QZCORE_TESTS_QZBITWISECRC_H
#define QZCORE_TESTS_QZBITWISECRC_H

#include <cstddef>
#include <string>

namespace qztest {

constexpr unsigned long long kJonesPolynomial = 0x95AC9329AC4BC9B5ull; // reflected

// The register after length bytes, from reg as it stands (no inversion in or
// out); with lowerCapitals each byte 'A' to 'Z' is read as 'a' to 'z'.
template <typename U>
U BitwiseCrc(U polynomial, U reg, void const* data, std::size_t length, bool lowerCapitals = false)
{
    unsigned char const* const bytes = static_cast<unsigned char const*>(data);
    for (std::size_t i = 0; i < length; ++i)
    {
        reg ^= U(lowerCapitals && bytes[i] >= 'A' && bytes[i] <= 'Z' ? bytes[i] + 32 : bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1) != 0 ? U((reg >> 1) ^ polynomial) : U(reg >> 1);
    }
    return reg;
}

// The case-folding 64-bit CRC of a name, as identifiers compute it.
inline unsigned long long NameCrc64(std::string const& text, unsigned long long reg = ~0ull)
{
    return BitwiseCrc(kJonesPolynomial, reg, text.data(), text.size(), true);
}

} // namespace qztest

#endif // QZCORE_TESTS_QZBITWISECRC_H
