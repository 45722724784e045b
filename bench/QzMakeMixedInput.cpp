// QzMakeMixedInput.cpp: writes the benchmarks' mixed input (random bytes,
// text and runs in blocks, from a fixed seed) so every run sees the same data.
#include <cstdio>
#include <cstdlib>

#include "QzTestData.h"

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: QzMakeMixedInput bytes output_file\n");
        return 1;
    }
    std::size_t const size = std::strtoull(argv[1], nullptr, 10);
    qztest::Bytes const bytes = qztest::Mixed(size, 2026);
    std::FILE* file = std::fopen(argv[2], "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0)
    {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
