// QzBasicVariant.h: CQzBasicVariant, one value of 22 basic types (scalars,
// small vectors, colours, Euler angles, square matrices) with its type tag,
// and the value structs that carry those types in and out.
#ifndef QZCORE_REFLECTION_QZBASICVARIANT_H
#define QZCORE_REFLECTION_QZBASICVARIANT_H

#include "QzApi.h"

// ---- the value structs: plain components in memory order ----
struct BasicFloat2 { float x, y; };
struct BasicFloat3 { float x, y, z; };
struct BasicFloat4 { float x, y, z, w; };
struct BasicInt2 { int x, y; };
struct BasicInt3 { int x, y, z; };
struct BasicInt4 { int x, y, z, w; };
struct BasicUint2 { unsigned int x, y; };
struct BasicUint3 { unsigned int x, y, z; };
struct BasicUint4 { unsigned int x, y, z, w; };
struct BasicBool2 { bool v[2]; };
struct BasicBool3 { bool v[3]; };
struct BasicBool4 { bool v[4]; };
struct BasicRGBf { float r, g, b; };
struct BasicRGBAf { float r, g, b, a; };
struct BasicEulerAngles { float x, y, z; };
struct BasicMat2x2 { float m[4]; };
struct BasicMat3x3 { float m[9]; };
struct BasicMat4x4 { float m[16]; };

// The value lives inline: the variant never allocates, and every operation
// is a table lookup or a copy of at most 64 bytes. A plain value: any
// thread may use its own variants; the tables are read-only in use.
class QZ_API CQzBasicVariant
{
public:
    // From the largest type down to the scalars, which are their own
    // component type.
    enum EType : int
    {
        TYPE_INVALID = -1,
        TYPE_MATRIX4X4 = 0,
        TYPE_MATRIX3X3,
        TYPE_MATRIX2X2,
        TYPE_VECTOR4,
        TYPE_IVECTOR4,
        TYPE_UVECTOR4,
        TYPE_BVECTOR4,
        TYPE_RGBAF,
        TYPE_VECTOR3,
        TYPE_EULERANGLES,
        TYPE_IVECTOR3,
        TYPE_UVECTOR3,
        TYPE_BVECTOR3,
        TYPE_RGBF,
        TYPE_VECTOR2,
        TYPE_IVECTOR2,
        TYPE_UVECTOR2,
        TYPE_BVECTOR2,
        TYPE_FLOAT,
        TYPE_INT,
        TYPE_UINT,
        TYPE_BOOL
    };

    static constexpr int type_count = 22;
    static constexpr unsigned int max_value_byte_size = 64;

    // Indexed by EType: "matrix4x4" ... "bool", the byte sizes and the
    // component types (TYPE_FLOAT, TYPE_INT, TYPE_UINT or TYPE_BOOL).
    static char const* TypeName[type_count];
    static unsigned int const TypeSize[type_count];
    static EType const TypeComponentScalarType[type_count];

    // ---- the type tables (only IsValidEType and GetETypeEnumFromName
    // judge their argument; the others take a valid type) ----

    static bool IsValidEType(EType t) { return unsigned(t) < unsigned(type_count); }
    static unsigned int GetETypeByteSize(EType t) { return TypeSize[t]; }
    static char const* GetETypeName(EType t) { return TypeName[t]; }
    static EType GetETypeComponentScalarType(EType t) { return TypeComponentScalarType[t]; }
    static unsigned int GetETypeNumComponents(EType t) { return TypeSize[t] / TypeSize[TypeComponentScalarType[t]]; }
    // Exact, case-sensitive; TYPE_INVALID when no name matches.
    static EType GetETypeEnumFromName(char const* name);

    // Type TYPE_INVALID and 64 zero bytes.
    CQzBasicVariant();

    // ---- the value ----

    EType GetEType() const { return m_type; }
    unsigned int ByteSize() const { return TypeSize[m_type]; }
    void const* GetConstDataPtr() const { return m_value; }
    void* GetMutableDataPtr() { return m_value; }

    // Each copies the value's bytes to the start of the buffer and sets the
    // type; the bytes beyond keep what they held.
    void SetValue(BasicMat4x4 const& v) { Store(&v, TYPE_MATRIX4X4); }
    void SetValue(BasicMat3x3 const& v) { Store(&v, TYPE_MATRIX3X3); }
    void SetValue(BasicMat2x2 const& v) { Store(&v, TYPE_MATRIX2X2); }
    void SetValue(BasicFloat4 const& v) { Store(&v, TYPE_VECTOR4); }
    void SetValue(BasicInt4 const& v) { Store(&v, TYPE_IVECTOR4); }
    void SetValue(BasicUint4 const& v) { Store(&v, TYPE_UVECTOR4); }
    void SetValue(BasicBool4 const& v) { Store(&v, TYPE_BVECTOR4); }
    void SetValue(BasicRGBAf const& v) { Store(&v, TYPE_RGBAF); }
    void SetValue(BasicFloat3 const& v) { Store(&v, TYPE_VECTOR3); }
    void SetValue(BasicEulerAngles const& v) { Store(&v, TYPE_EULERANGLES); }
    void SetValue(BasicInt3 const& v) { Store(&v, TYPE_IVECTOR3); }
    void SetValue(BasicUint3 const& v) { Store(&v, TYPE_UVECTOR3); }
    void SetValue(BasicBool3 const& v) { Store(&v, TYPE_BVECTOR3); }
    void SetValue(BasicRGBf const& v) { Store(&v, TYPE_RGBF); }
    void SetValue(BasicFloat2 const& v) { Store(&v, TYPE_VECTOR2); }
    void SetValue(BasicInt2 const& v) { Store(&v, TYPE_IVECTOR2); }
    void SetValue(BasicUint2 const& v) { Store(&v, TYPE_UVECTOR2); }
    void SetValue(BasicBool2 const& v) { Store(&v, TYPE_BVECTOR2); }
    void SetValue(float const& v) { Store(&v, TYPE_FLOAT); }
    void SetValue(int const& v) { Store(&v, TYPE_INT); }
    void SetValue(unsigned int const& v) { Store(&v, TYPE_UINT); }
    void SetValue(bool const& v) { Store(&v, TYPE_BOOL); }

    // type := t, then TypeSize[t] bytes from src.
    void SetValueFromMemory(void const* src, EType t) { Store(src, t); }
    // ByteSize() bytes to dst.
    void MemoryCopyTo(void* dst) const;

    // The implicit copy and assignment take the type and all 64 bytes,
    // whatever the type.

private:
    void Store(void const* src, EType t);

    EType m_type;
    unsigned char m_value[max_value_byte_size];
};

static_assert(sizeof(BasicMat4x4) == 64 && sizeof(BasicMat3x3) == 36 && sizeof(BasicMat2x2) == 16,
              "matrices are packed floats");
static_assert(sizeof(BasicBool4) == 4 && sizeof(BasicBool3) == 3 && sizeof(BasicBool2) == 2,
              "booleans are one byte each");
static_assert(sizeof(BasicRGBAf) == 16 && sizeof(BasicRGBf) == 12 && sizeof(BasicEulerAngles) == 12,
              "colours and angles are packed floats");

#endif // QZCORE_REFLECTION_QZBASICVARIANT_H
