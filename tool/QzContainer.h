// QzContainer.h: the compressed container's header, shared by the two tools:
// "QZCOMPRESSED", the 32-bit little-endian uncompressed size, 16 zero bytes.
#ifndef QZCORE_TOOL_QZCONTAINER_H
#define QZCORE_TOOL_QZCONTAINER_H

#include <cstdint>
#include <cstring>

namespace qzcontainer {

constexpr char kMagic[] = "QZCOMPRESSED";
constexpr int kMagicSize = 12;
constexpr int kSizeOffset = 12;
constexpr int kReservedOffset = 16;
constexpr int kHeaderSize = 32;
constexpr int kPropertySize = 5;
// lc 3, lp 0, pb 2 and a 1 MiB dictionary: the only properties a container
// carries, so a reader never lets a damaged file pick its memory use
constexpr unsigned char kProperties[kPropertySize] = {0x5D, 0x00, 0x00, 0x10, 0x00};
// Above this the worst-case output size no longer fits a signed 32-bit int.
constexpr long long kMaxInputSize = 1610612636;

inline void WriteHeader(unsigned char (&header)[kHeaderSize], std::uint32_t size)
{
    std::memset(header, 0, sizeof header);
    std::memcpy(header, kMagic, kMagicSize);
    for (int i = 0; i < 4; ++i)
        header[kSizeOffset + i] = (unsigned char)(size >> (8 * i));
}

inline std::uint32_t ReadSize(unsigned char const* header)
{
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i)
        size = (size << 8) | header[kSizeOffset + i];
    return size;
}

} // namespace qzcontainer

#endif // QZCORE_TOOL_QZCONTAINER_H
