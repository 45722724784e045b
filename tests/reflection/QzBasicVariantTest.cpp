// The variant's tables against the value structs and name lookup; the byte
// copies of SetValue, MemoryCopyTo and assignment.
#include "reflection/QzBasicVariant.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

typedef CQzBasicVariant V;

struct SRow
{
    V::EType type;
    char const* name;
    size_t size;
    V::EType component;
    void (*set)(V&, unsigned char const*); // SetValue of the row's struct
};

template <typename T>
SRow Row(V::EType type, char const* name, V::EType component)
{
    return SRow{type, name, sizeof(T), component, [](V& v, unsigned char const* bytes) {
                    T value;
                    std::memcpy(&value, bytes, sizeof value);
                    v.SetValue(value);
                }};
}

SRow const kRows[] = {
    Row<BasicMat4x4>(V::TYPE_MATRIX4X4, "matrix4x4", V::TYPE_FLOAT), Row<BasicMat3x3>(V::TYPE_MATRIX3X3, "matrix3x3", V::TYPE_FLOAT),
    Row<BasicMat2x2>(V::TYPE_MATRIX2X2, "matrix2x2", V::TYPE_FLOAT), Row<BasicFloat4>(V::TYPE_VECTOR4, "vector4", V::TYPE_FLOAT),
    Row<BasicInt4>(V::TYPE_IVECTOR4, "ivector4", V::TYPE_INT), Row<BasicUint4>(V::TYPE_UVECTOR4, "uvector4", V::TYPE_UINT),
    Row<BasicBool4>(V::TYPE_BVECTOR4, "bvector4", V::TYPE_BOOL), Row<BasicRGBAf>(V::TYPE_RGBAF, "rgbaf", V::TYPE_FLOAT),
    Row<BasicFloat3>(V::TYPE_VECTOR3, "vector3", V::TYPE_FLOAT), Row<BasicEulerAngles>(V::TYPE_EULERANGLES, "eulerangles", V::TYPE_FLOAT),
    Row<BasicInt3>(V::TYPE_IVECTOR3, "ivector3", V::TYPE_INT), Row<BasicUint3>(V::TYPE_UVECTOR3, "uvector3", V::TYPE_UINT),
    Row<BasicBool3>(V::TYPE_BVECTOR3, "bvector3", V::TYPE_BOOL), Row<BasicRGBf>(V::TYPE_RGBF, "rgbf", V::TYPE_FLOAT),
    Row<BasicFloat2>(V::TYPE_VECTOR2, "vector2", V::TYPE_FLOAT), Row<BasicInt2>(V::TYPE_IVECTOR2, "ivector2", V::TYPE_INT),
    Row<BasicUint2>(V::TYPE_UVECTOR2, "uvector2", V::TYPE_UINT), Row<BasicBool2>(V::TYPE_BVECTOR2, "bvector2", V::TYPE_BOOL),
    Row<float>(V::TYPE_FLOAT, "float", V::TYPE_FLOAT), Row<int>(V::TYPE_INT, "int", V::TYPE_INT),
    Row<unsigned int>(V::TYPE_UINT, "uint", V::TYPE_UINT), Row<bool>(V::TYPE_BOOL, "bool", V::TYPE_BOOL)};

} // namespace

TEST(QzBasicVariant, TablesDescribeEveryValueStruct)
{
    ASSERT_EQ(sizeof kRows / sizeof kRows[0], size_t(V::type_count));
    for (int t = 0; t < V::type_count; ++t)
    {
        SRow const& row = kRows[t];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.type, V::EType(t));
        EXPECT_TRUE(V::IsValidEType(row.type));
        EXPECT_STREQ(V::GetETypeName(row.type), row.name);
        EXPECT_EQ(V::GetETypeByteSize(row.type), row.size);
        EXPECT_EQ(V::GetETypeComponentScalarType(row.type), row.component);
        EXPECT_EQ(V::GetETypeNumComponents(row.type), row.size / (row.component == V::TYPE_BOOL ? 1 : 4));
        EXPECT_EQ(V::GetETypeEnumFromName(row.name), row.type);
    }
    EXPECT_FALSE(V::IsValidEType(V::EType(22)));
    EXPECT_FALSE(V::IsValidEType(V::TYPE_INVALID));
    for (char const* wrong : {"BOOL", "Int", "", "bool ", "matrix4", "eulerangle"})
        EXPECT_EQ(V::GetETypeEnumFromName(wrong), V::TYPE_INVALID) << '"' << wrong << '"';
}

// Every SetValue writes exactly its struct's bytes over whatever the buffer
// held; assignment carries the untouched tail along.
TEST(QzBasicVariant, SetValueWritesOnlyItsBytesAndCopiesCarryTheWholeBuffer)
{
    unsigned char before[64], value[64], zeros[64] = {};
    for (int i = 0; i < 64; ++i)
    {
        before[i] = (unsigned char)(0xA0 + i);
        value[i] = (unsigned char)(i % 2); // valid bool bytes everywhere
    }
    V fresh;
    EXPECT_EQ(fresh.GetEType(), V::TYPE_INVALID);
    EXPECT_EQ(std::memcmp(fresh.GetConstDataPtr(), zeros, 64), 0);
    for (SRow const& row : kRows)
    {
        SCOPED_TRACE(row.name);
        V v;
        v.SetValueFromMemory(before, V::TYPE_MATRIX4X4);
        row.set(v, value);
        EXPECT_EQ(v.GetEType(), row.type);
        EXPECT_EQ(v.ByteSize(), row.size);
        unsigned char const* bytes = static_cast<unsigned char const*>(v.GetConstDataPtr());
        EXPECT_EQ(std::memcmp(bytes, value, row.size), 0);
        EXPECT_EQ(std::memcmp(bytes + row.size, before + row.size, 64 - row.size), 0);
        V copy;
        copy = v;
        EXPECT_EQ(copy.GetEType(), row.type);
        EXPECT_EQ(std::memcmp(copy.GetMutableDataPtr(), bytes, 64), 0);
        unsigned char out[65];
        std::memset(out, 0x5A, sizeof out);
        copy.MemoryCopyTo(out);
        EXPECT_EQ(std::memcmp(out, value, row.size), 0);
        EXPECT_EQ(out[row.size], 0x5A) << "wrote past the value";
    }
}
