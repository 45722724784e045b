// QzContainerReaderFuzz.cpp: arbitrary bytes as a container file, through
// QzDecompress's checks and decoding; the output may never exceed the size
// the header states, and a file the checks accept must decode or fail cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "QzContainer.h"
#include "QzContainerReader.h"

namespace {

class CCountingSink : public qzcontainer::CPieceSink
{
public:
    bool Write(char const*, int size) override
    {
        total += size;
        return true;
    }
    long total = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size > (1 << 20))
        return 0;
    qzcontainer::SCheck const check = qzcontainer::CheckContainer(data, long(size));
    if (check.problem != qzcontainer::EProblem::none)
        return 0;
    // a size that decoding would take long to reach gains nothing
    if (qzcontainer::ReadSize(data) > (64u << 20))
        return 0;
    CCountingSink sink;
    int produced = 0;
    qzcontainer::EDecodeResult const result = qzcontainer::DecodeContainer(data, long(size), sink, produced);
    if (produced != sink.total || produced > int(qzcontainer::ReadSize(data)) ||
        (result == qzcontainer::EDecodeResult::ok && produced != int(qzcontainer::ReadSize(data))))
        std::abort();
    return 0;
}
