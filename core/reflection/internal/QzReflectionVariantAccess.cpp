// QzReflectionVariantAccess.cpp: a member's value to and from packed bytes
// of its variant type, through the record's typed operations.
#include "reflection/internal/QzReflectionVariantAccess.h"

#include <cstring>

namespace {

typedef CQzReflectionInformation RI;
typedef CQzBasicVariant BV;

template <int N>
struct SFloats
{
    float f[N];
};

template <int N>
SFloats<N> Floats(void const* bytes)
{
    SFloats<N> out;
    std::memcpy(out.f, bytes, sizeof out.f);
    return out;
}

} // namespace

CQzBasicVariant::EType QzVariantTypeOfMember(CQzReflectionInformation::EType type)
{
    switch (type)
    {
    case RI::REFLECTION_BOOL: return BV::TYPE_BOOL;
    case RI::REFLECTION_INT: return BV::TYPE_INT;
    case RI::REFLECTION_FLOAT: return BV::TYPE_FLOAT;
    case RI::REFLECTION_COLOR: return BV::TYPE_RGBAF;
    case RI::REFLECTION_VECTOR2: return BV::TYPE_VECTOR2;
    case RI::REFLECTION_VECTOR3: return BV::TYPE_VECTOR3;
    case RI::REFLECTION_VECTOR4: return BV::TYPE_VECTOR4;
    case RI::REFLECTION_MATRIX22: return BV::TYPE_MATRIX2X2;
    case RI::REFLECTION_MATRIX33: return BV::TYPE_MATRIX3X3;
    case RI::REFLECTION_MATRIX44: return BV::TYPE_MATRIX4X4;
    case RI::REFLECTION_EULER_ANGLES: return BV::TYPE_EULERANGLES;
    case RI::REFLECTION_DATA_SET_ENUM: return BV::TYPE_INT;
    default: return BV::TYPE_INVALID;
    }
}

bool QzReadMemberAsVariant(CQzReflectionInformation const& info, void* object, CQzBasicVariant& out)
{
    BV::EType const variantType = QzVariantTypeOfMember(info.GetType());
    switch (info.GetType())
    {
    case RI::REFLECTION_BOOL: out.SetValue(info.GetValueBool(object)); return true;
    case RI::REFLECTION_INT: out.SetValue(info.GetValueInt(object)); return true;
    case RI::REFLECTION_FLOAT: out.SetValue(info.GetValueFloat(object)); return true;
    case RI::REFLECTION_DATA_SET_ENUM: out.SetValue(info.GetValueDataSetEnum(object)); return true;
    case RI::REFLECTION_COLOR: out.SetValueFromMemory(&info.GetValueColor(object), variantType); return true;
    case RI::REFLECTION_VECTOR2: out.SetValueFromMemory(&info.GetValueVector2(object), variantType); return true;
    case RI::REFLECTION_VECTOR3: out.SetValueFromMemory(&info.GetValueVector3(object), variantType); return true;
    case RI::REFLECTION_VECTOR4: out.SetValueFromMemory(&info.GetValueVector4(object), variantType); return true;
    case RI::REFLECTION_MATRIX22: out.SetValueFromMemory(&info.GetValueMatrix22(object), variantType); return true;
    case RI::REFLECTION_MATRIX33: out.SetValueFromMemory(&info.GetValueMatrix33(object), variantType); return true;
    case RI::REFLECTION_MATRIX44: out.SetValueFromMemory(&info.GetValueMatrix44(object), variantType); return true;
    case RI::REFLECTION_EULER_ANGLES:
        out.SetValueFromMemory(&info.GetValueEulerAngles(object), variantType);
        return true;
    default: return false;
    }
}

bool QzWriteMemberFromBytes(CQzReflectionInformation const& info, void* object, void const* bytes)
{
    switch (info.GetType())
    {
    case RI::REFLECTION_BOOL:
    {
        bool value;
        std::memcpy(&value, bytes, sizeof value);
        info.SetValueBool(object, value);
        return true;
    }
    case RI::REFLECTION_INT:
    case RI::REFLECTION_DATA_SET_ENUM:
    {
        int value;
        std::memcpy(&value, bytes, sizeof value);
        if (info.GetType() == RI::REFLECTION_INT)
            info.SetValueInt(object, value);
        else
            info.SetValueDataSetEnum(object, value);
        return true;
    }
    case RI::REFLECTION_FLOAT: info.SetValueFloat(object, Floats<1>(bytes).f[0]); return true;
    case RI::REFLECTION_COLOR:
    {
        SFloats<4> const c = Floats<4>(bytes);
        info.SetValueColor(object, CQzRGBA<float>(c.f[0], c.f[1], c.f[2], c.f[3]));
        return true;
    }
    case RI::REFLECTION_VECTOR2:
    {
        SFloats<2> const v = Floats<2>(bytes);
        info.SetValueVector2(object, CQzVector2(v.f[0], v.f[1]));
        return true;
    }
    case RI::REFLECTION_VECTOR3:
    {
        SFloats<3> const v = Floats<3>(bytes);
        info.SetValueVector3(object, CQzVector3(v.f[0], v.f[1], v.f[2]));
        return true;
    }
    case RI::REFLECTION_VECTOR4:
    {
        SFloats<4> const v = Floats<4>(bytes);
        info.SetValueVector4(object, CQzVector4(v.f[0], v.f[1], v.f[2], v.f[3]));
        return true;
    }
    case RI::REFLECTION_MATRIX22:
    {
        SFloats<4> const m = Floats<4>(bytes);
        info.SetValueMatrix22(object, CQzMatrix22(m.f[0], m.f[1], m.f[2], m.f[3]));
        return true;
    }
    case RI::REFLECTION_MATRIX33:
    {
        SFloats<9> const m = Floats<9>(bytes);
        info.SetValueMatrix33(object, CQzMatrix33(m.f[0], m.f[1], m.f[2], m.f[3], m.f[4], m.f[5], m.f[6],
                                                  m.f[7], m.f[8]));
        return true;
    }
    case RI::REFLECTION_MATRIX44:
    {
        SFloats<16> const m = Floats<16>(bytes);
        info.SetValueMatrix44(object, CQzMatrix44(m.f[0], m.f[1], m.f[2], m.f[3], m.f[4], m.f[5], m.f[6],
                                                  m.f[7], m.f[8], m.f[9], m.f[10], m.f[11], m.f[12], m.f[13],
                                                  m.f[14], m.f[15]));
        return true;
    }
    case RI::REFLECTION_EULER_ANGLES:
    {
        SFloats<3> const e = Floats<3>(bytes);
        info.SetValueEulerAngles(object, CQzEulerAngles(e.f[0], e.f[1], e.f[2]));
        return true;
    }
    default: return false;
    }
}

void QzClearVariant(CQzBasicVariant& variant)
{
    static unsigned char const zeros[CQzBasicVariant::max_value_byte_size] = {};
    variant.SetValueFromMemory(zeros, CQzBasicVariant::TYPE_MATRIX4X4);
}
