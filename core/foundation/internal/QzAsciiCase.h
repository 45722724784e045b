// QzAsciiCase.h (internal): the one case folding of the text layer: 'A' to
// 'Z' become 'a' to 'z', every other unit stays as it is.
#ifndef QZCORE_FOUNDATION_INTERNAL_QZASCIICASE_H
#define QZCORE_FOUNDATION_INTERNAL_QZASCIICASE_H

namespace qztext {

template <typename T>
constexpr T AsciiLower(T unit)
{
    return unit >= T('A') && unit <= T('Z') ? T(unit + 0x20) : unit;
}

} // namespace qztext

#endif // QZCORE_FOUNDATION_INTERNAL_QZASCIICASE_H
