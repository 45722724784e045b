// QzCrcFold.cpp: carry-less multiplication folding (PCLMULQDQ), compiled
// for that instruction set and only called when the processor has it.
#include "foundation/internal/QzCrcFold.h"

#if defined(__x86_64__) || defined(__i386__)

#include <emmintrin.h>
#include <wmmintrin.h>

namespace qzcrc {

namespace {

// x * x^distance + next, modulo the polynomial, in 128 bits.
__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i x, __m128i keys, __m128i next)
{
    __m128i const low = _mm_clmulepi64_si128(x, keys, 0x00);
    __m128i const high = _mm_clmulepi64_si128(x, keys, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

__attribute__((target("sse2"))) inline __m128i Load(unsigned char const* data, std::size_t block)
{
    return _mm_loadu_si128(reinterpret_cast<__m128i const*>(data + block * 16));
}

} // namespace

bool HasCarrylessMultiply()
{
    static bool const has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    return has;
}

__attribute__((target("pclmul,sse2"))) void FoldBlocks(unsigned long long reg, unsigned char const* data,
                                                         std::size_t blocks, SFoldKeys const& keys,
                                                         unsigned char out[16])
{
    // The register is XORed into the first bytes, which is what the
    // byte-wise update does with it; four independent lanes hide latency.
    __m128i x0 = _mm_xor_si128(Load(data, 0), _mm_cvtsi64_si128((long long)reg));
    __m128i x1 = Load(data, 1);
    __m128i x2 = Load(data, 2);
    __m128i x3 = Load(data, 3);
    __m128i const by4 = _mm_set_epi64x((long long)keys.by4High, (long long)keys.by4Low);
    std::size_t block = 4;
    for (; block + 4 <= blocks; block += 4)
    {
        x0 = Fold(x0, by4, Load(data, block));
        x1 = Fold(x1, by4, Load(data, block + 1));
        x2 = Fold(x2, by4, Load(data, block + 2));
        x3 = Fold(x3, by4, Load(data, block + 3));
    }
    __m128i const by1 = _mm_set_epi64x((long long)keys.by1High, (long long)keys.by1Low);
    __m128i x = Fold(Fold(Fold(x0, by1, x1), by1, x2), by1, x3);
    for (; block < blocks; ++block)
        x = Fold(x, by1, Load(data, block));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), x);
}

} // namespace qzcrc

#endif // x86
