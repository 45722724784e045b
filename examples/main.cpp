// main.cpp: a client of libqzcore: compresses a text with the memory
// compressor, reads it back and says whether the round trip held.
#include <QzCore.h>

#include <cstdio>
#include <cstring>

int main()
{
    char const text[] = "QzCore example: names, arrays, compression. QzCore example: names, arrays.";
    int const size = int(sizeof text);

    CQzMemoryCompressor compressor;
    CQzArray<char> packed;
    int const capacity = compressor.ComputeCompressionBufferSize(text, size);
    for (int i = 0; i < capacity; ++i)
        packed.Add(0);
    int const used = compressor.Compress(text, size, packed.GetData(), packed.GetCount());

    char restored[sizeof text] = {};
    CQzMemoryDecompressor decompressor;
    decompressor.Initialize(packed.GetData(), used);
    int const produced = decompressor.DecompressOutputBytes(restored, size);

    bool const same = produced == size && std::memcmp(text, restored, sizeof text) == 0;
    std::printf("qzcore example: %d bytes -> %d bytes -> %d bytes: %s\n", size, used, produced,
                same ? "round trip ok" : "round trip FAILED");
    return same ? 0 : 1;
}
