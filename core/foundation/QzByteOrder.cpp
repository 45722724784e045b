// QzByteOrder.cpp: byte reversal through the bytes of the representation,
// so every width and float take the same path.
#include "foundation/QzByteOrder.h"

#include <algorithm>
#include <cstring>

namespace {

template <typename T>
void Reverse(T& value)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(&value, bytes, sizeof(T));
}

template <typename T>
void ReverseEach(T* buffer, unsigned int sizeInBytes)
{
    if (buffer == nullptr)
        return;
    for (unsigned int i = 0, count = sizeInBytes / sizeof(T); i < count; ++i)
        Reverse(buffer[i]);
}

} // namespace

// ---- values ----

void QzSwapEndian(unsigned short& value) { Reverse(value); }
void QzSwapEndian(short& value) { Reverse(value); }
void QzSwapEndian(unsigned int& value) { Reverse(value); }
void QzSwapEndian(int& value) { Reverse(value); }
void QzSwapEndian(unsigned long& value) { Reverse(value); }
void QzSwapEndian(long& value) { Reverse(value); }
void QzSwapEndian(float& value) { Reverse(value); }
void QzSwapEndian(long long& value) { Reverse(value); }
void QzSwapEndian(unsigned long long& value) { Reverse(value); }

// ---- buffers ----

void QzSwapEndian(unsigned short* buffer, unsigned int sizeInBytes) { ReverseEach(buffer, sizeInBytes); }
void QzSwapEndian(short* buffer, unsigned int sizeInBytes) { ReverseEach(buffer, sizeInBytes); }
void QzSwapEndian(unsigned int* buffer, unsigned int sizeInBytes) { ReverseEach(buffer, sizeInBytes); }
void QzSwapEndian(int* buffer, unsigned int sizeInBytes) { ReverseEach(buffer, sizeInBytes); }
void QzSwapEndian(float* buffer, unsigned int sizeInBytes) { ReverseEach(buffer, sizeInBytes); }

// ---- alignment ----

unsigned int QzAlignValue(unsigned int value, unsigned int alignment)
{
    unsigned int const misalignment = value & (alignment - 1);
    return misalignment == 0 ? value : value + (alignment - misalignment);
}
