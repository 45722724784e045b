// QzLzmaThreadsDriver.cpp: compresses one file with LzmaCompress as Compress
// calls it (properties, then the stream, no container header). Built twice by
// bench/lzma_threads.sh, with the SDK's single-thread encoder and with ours.
#include <cstdio>
#include <vector>

#include "compression/internal/LzmaCompress.h"

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::printf("usage: %s input output\n", argv[0]);
        return 1;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr)
        return 2;
    std::vector<unsigned char> input;
    unsigned char chunk[1 << 16];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) != 0;)
        input.insert(input.end(), chunk, chunk + got);
    std::fclose(in);

    std::vector<unsigned char> output(input.size() + input.size() / 3 + 133);
    std::size_t streamSize = output.size() - 5;
    std::size_t propsSize = 5;
    int const result = LzmaCompress(output.data() + 5, &streamSize, input.data(), input.size(),
                                    output.data(), &propsSize, -1, 0x100000, -1, -1, -1, -1, -1);
    if (result != 0)
        return 3;
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr)
        return 4;
    bool const written = std::fwrite(output.data(), 1, 5 + streamSize, out) == 5 + streamSize;
    return std::fclose(out) == 0 && written ? 0 : 5;
}
