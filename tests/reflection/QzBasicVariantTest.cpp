// The variant's tables against the value structs and name lookup; the byte
// copies of SetValue, MemoryCopyTo and assignment.
#include "reflection/QzBasicVariant.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

typedef CQzBasicVariant V;

struct SRow // indexed by EType
{
    char const* name;
    size_t size;
    V::EType component;
    void (*set)(V&, unsigned char const*); // SetValue of the row's struct
};

template <typename T>
SRow Row(char const* name, V::EType component)
{
    return SRow{name, sizeof(T), component, [](V& v, unsigned char const* bytes) {
                    T value;
                    std::memcpy(&value, bytes, sizeof value);
                    v.SetValue(value);
                }};
}

V::EType const F = V::TYPE_FLOAT, I = V::TYPE_INT, U = V::TYPE_UINT, B = V::TYPE_BOOL;
SRow const kRows[] = {
    Row<BasicMat4x4>("matrix4x4", F), Row<BasicMat3x3>("matrix3x3", F), Row<BasicMat2x2>("matrix2x2", F),
    Row<BasicFloat4>("vector4", F), Row<BasicInt4>("ivector4", I), Row<BasicUint4>("uvector4", U),
    Row<BasicBool4>("bvector4", B), Row<BasicRGBAf>("rgbaf", F), Row<BasicFloat3>("vector3", F),
    Row<BasicEulerAngles>("eulerangles", F), Row<BasicInt3>("ivector3", I), Row<BasicUint3>("uvector3", U),
    Row<BasicBool3>("bvector3", B), Row<BasicRGBf>("rgbf", F), Row<BasicFloat2>("vector2", F),
    Row<BasicInt2>("ivector2", I), Row<BasicUint2>("uvector2", U), Row<BasicBool2>("bvector2", B),
    Row<float>("float", F), Row<int>("int", I), Row<unsigned int>("uint", U), Row<bool>("bool", B)};

} // namespace

// Every SetValue writes exactly its struct's bytes over whatever the buffer
// held; assignment carries the untouched tail along.
TEST(QzBasicVariant, TablesAndByteCopiesMatchEveryValueStruct)
{
    ASSERT_EQ(sizeof kRows / sizeof kRows[0], size_t(V::type_count));
    unsigned char before[64], value[64];
    for (int i = 0; i < 64; ++i)
    {
        before[i] = (unsigned char)(0xA0 + i);
        value[i] = (unsigned char)(i % 2); // valid bool bytes everywhere
    }
    for (int t = 0; t < V::type_count; ++t)
    {
        SRow const& row = kRows[t];
        V::EType const type = V::EType(t);
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(V::IsValidEType(type) && V::GetETypeEnumFromName(row.name) == type);
        EXPECT_STREQ(V::GetETypeName(type), row.name);
        EXPECT_TRUE(V::GetETypeByteSize(type) == row.size && V::GetETypeComponentScalarType(type) == row.component);
        EXPECT_EQ(V::GetETypeNumComponents(type), row.size / (row.component == B ? 1 : 4));

        V v;
        v.SetValueFromMemory(before, V::TYPE_MATRIX4X4);
        row.set(v, value);
        EXPECT_TRUE(v.GetEType() == type && v.ByteSize() == row.size);
        unsigned char const* bytes = static_cast<unsigned char const*>(v.GetConstDataPtr());
        EXPECT_TRUE(std::memcmp(bytes, value, row.size) == 0 &&
                    std::memcmp(bytes + row.size, before + row.size, 64 - row.size) == 0);
        V copy;
        copy = v;
        EXPECT_TRUE(copy.GetEType() == type && std::memcmp(copy.GetMutableDataPtr(), bytes, 64) == 0);
        unsigned char out[65];
        std::memset(out, 0x5A, sizeof out);
        copy.MemoryCopyTo(out);
        EXPECT_EQ(std::memcmp(out, value, row.size), 0);
        EXPECT_EQ(out[row.size], 0x5A) << "wrote past the value";
    }
    EXPECT_FALSE(V::IsValidEType(V::EType(22)) || V::IsValidEType(V::TYPE_INVALID));
    EXPECT_TRUE(V::GetETypeEnumFromName("BOOL") == V::TYPE_INVALID && V::GetETypeEnumFromName("") == V::TYPE_INVALID);
}
