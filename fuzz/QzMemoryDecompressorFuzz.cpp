// QzMemoryDecompressorFuzz.cpp: arbitrary bytes as a compressed buffer; the
// decoder must end every call within the room it was given.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compression/QzMemoryDecompressor.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size < 3 || size > (1 << 20))
        return 0;
    // the first byte picks the piece size; the second whether the buffer
    // carries the properties Compress writes (most runs: their 1 MiB
    // dictionary keeps each run fast) or its own, the rest is the buffer
    int const piece = 1 + data[0] * 64;
    bool const ownProperties = data[1] >= 224;
    std::vector<char> input;
    if (!ownProperties)
        input.assign({0x5D, 0x00, 0x00, 0x10, 0x00});
    input.insert(input.end(), data + 2, data + size);
    // a dictionary of up to 4 GiB is legal LZMA, but more than a fuzzer may
    // allocate: keep it within 64 MiB
    if (input.size() >= 5)
        input[4] = char(std::uint8_t(input[4]) & 0x03);
    std::vector<char> output(static_cast<std::size_t>(piece));

    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(input.data(), int(input.size()));
    for (int call = 0; call < 64; ++call)
        if (decompressor.DecompressOutputBytes(output.data(), piece) == 0)
            break;

    CQzMemoryDecompressor feeder;
    feeder.Initialize(input.data(), int(input.size()));
    std::vector<char> whole(1 << 16);
    int position = 0;
    for (int call = 0; call < 64 && position < int(whole.size()); ++call)
        position += feeder.DecompressInputBytes(whole.data(), piece, int(whole.size()) - position);
    return 0;
}
