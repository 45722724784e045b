// QzReflectionValueAccess.cpp: the SetValue.../GetValue... families of
// CQzReflectionInformation: through the accessors when the record has
// them, else at object + offset.
#include "reflection/QzReflectionInformation.h"

#include <cstring>

namespace {

// Scalars are copied bytewise: members need not be aligned for their type.
template <typename T>
T ReadScalar(void const* address)
{
    T value;
    std::memcpy(&value, address, sizeof(T));
    return value;
}

} // namespace

void const* CQzReflectionInformation::ReadAddress(void* object) const
{
    return m_getter != nullptr ? m_getter(object) : MemberAddress(object);
}

void CQzReflectionInformation::WriteBytes(void* object, void const* value, unsigned int size) const
{
    if (m_setter != nullptr)
        m_setter(object, value);
    else
        std::memcpy(MemberAddress(object), value, size);
}

void CQzReflectionInformation::WriteFloats(void* object, void const* value, int count) const
{
    if (m_setter != nullptr)
    {
        m_setter(object, value);
        return;
    }
    unsigned char* const dst = static_cast<unsigned char*>(MemberAddress(object));
    unsigned char const* const src = static_cast<unsigned char const*>(value);
    for (int i = 0; i < count; ++i)
        std::memcpy(dst + i * sizeof(float), src + i * sizeof(float), sizeof(float));
}

// ---- scalars ----

void CQzReflectionInformation::SetValueBool(void* object, bool value) const { WriteBytes(object, &value, sizeof value); }
bool CQzReflectionInformation::GetValueBool(void* object) const { return ReadScalar<bool>(ReadAddress(object)); }

void CQzReflectionInformation::SetValueInt(void* object, int value) const { WriteBytes(object, &value, sizeof value); }
void CQzReflectionInformation::SetValueUInt(void* object, unsigned int value) const { WriteBytes(object, &value, sizeof value); }
void CQzReflectionInformation::SetValueEnum(void* object, int value) const { WriteBytes(object, &value, sizeof value); }
void CQzReflectionInformation::SetValueDataSetEnum(void* object, int value) const { WriteBytes(object, &value, sizeof value); }
int CQzReflectionInformation::GetValueInt(void* object) const { return ReadScalar<int>(ReadAddress(object)); }
unsigned int CQzReflectionInformation::GetValueUInt(void* object) const { return ReadScalar<unsigned int>(ReadAddress(object)); }
int CQzReflectionInformation::GetValueEnum(void* object) const { return ReadScalar<int>(ReadAddress(object)); }
int CQzReflectionInformation::GetValueDataSetEnum(void* object) const { return ReadScalar<int>(ReadAddress(object)); }

void CQzReflectionInformation::SetValueInt64(void* object, long long value) const { WriteBytes(object, &value, sizeof value); }
void CQzReflectionInformation::SetValueUInt64(void* object, unsigned long long value) const { WriteBytes(object, &value, sizeof value); }
long long CQzReflectionInformation::GetValueInt64(void* object) const { return ReadScalar<long long>(ReadAddress(object)); }
unsigned long long CQzReflectionInformation::GetValueUInt64(void* object) const
{
    return ReadScalar<unsigned long long>(ReadAddress(object));
}

void CQzReflectionInformation::SetValueUUID(void* object, qzUUID value) const { WriteBytes(object, &value, sizeof value); }
qzUUID CQzReflectionInformation::GetValueUUID(void* object) const { return ReadScalar<qzUUID>(ReadAddress(object)); }

void CQzReflectionInformation::SetValueFloat(void* object, float value) const { WriteBytes(object, &value, sizeof value); }
float CQzReflectionInformation::GetValueFloat(void* object) const { return ReadScalar<float>(ReadAddress(object)); }

// ---- value classes, by reference ----

void CQzReflectionInformation::SetValueColor(void* object, CQzRGBA<float> const& value) const { WriteFloats(object, &value, 4); }
void CQzReflectionInformation::SetValueVector2(void* object, CQzVector2 const& value) const { WriteFloats(object, &value, 2); }
void CQzReflectionInformation::SetValueVector3(void* object, CQzVector3 const& value) const { WriteFloats(object, &value, 3); }
void CQzReflectionInformation::SetValueVector4(void* object, CQzVector4 const& value) const { WriteFloats(object, &value, 4); }
void CQzReflectionInformation::SetValueMatrix22(void* object, CQzMatrix22 const& value) const { WriteFloats(object, &value, 4); }
void CQzReflectionInformation::SetValueMatrix33(void* object, CQzMatrix33 const& value) const { WriteFloats(object, &value, 9); }
void CQzReflectionInformation::SetValueMatrix44(void* object, CQzMatrix44 const& value) const { WriteFloats(object, &value, 16); }

void CQzReflectionInformation::SetValueEulerAngles(void* object, CQzEulerAngles const& value) const
{
    if (m_setter == nullptr && MemberAddress(object) == &value)
        return;
    WriteFloats(object, &value, 3);
}

CQzRGBA<float> const& CQzReflectionInformation::GetValueColor(void* object) const
{
    return *static_cast<CQzRGBA<float> const*>(ReadAddress(object));
}
CQzVector2 const& CQzReflectionInformation::GetValueVector2(void* object) const
{
    return *static_cast<CQzVector2 const*>(ReadAddress(object));
}
CQzVector3 const& CQzReflectionInformation::GetValueVector3(void* object) const
{
    return *static_cast<CQzVector3 const*>(ReadAddress(object));
}
CQzVector4 const& CQzReflectionInformation::GetValueVector4(void* object) const
{
    return *static_cast<CQzVector4 const*>(ReadAddress(object));
}
CQzMatrix22 const& CQzReflectionInformation::GetValueMatrix22(void* object) const
{
    return *static_cast<CQzMatrix22 const*>(ReadAddress(object));
}
CQzMatrix33 const& CQzReflectionInformation::GetValueMatrix33(void* object) const
{
    return *static_cast<CQzMatrix33 const*>(ReadAddress(object));
}
CQzMatrix44 const& CQzReflectionInformation::GetValueMatrix44(void* object) const
{
    return *static_cast<CQzMatrix44 const*>(ReadAddress(object));
}
CQzEulerAngles const& CQzReflectionInformation::GetValueEulerAngles(void* object) const
{
    return *static_cast<CQzEulerAngles const*>(ReadAddress(object));
}

// ---- texts ----

void CQzReflectionInformation::SetValueString(void* object, TQzString<char> const& value) const
{
    if (m_setter != nullptr)
        m_setter(object, &value);
    else
        *static_cast<TQzString<char>*>(MemberAddress(object)) = value;
}

void CQzReflectionInformation::SetValueWString(void* object, TQzString<qzwchar_t> const& value) const
{
    if (m_setter != nullptr)
        m_setter(object, &value);
    else
        *static_cast<TQzString<qzwchar_t>*>(MemberAddress(object)) = value;
}

TQzString<char> const& CQzReflectionInformation::GetValueString(void* object) const
{
    return *static_cast<TQzString<char> const*>(ReadAddress(object));
}

TQzString<qzwchar_t> const& CQzReflectionInformation::GetValueWString(void* object) const
{
    return *static_cast<TQzString<qzwchar_t> const*>(ReadAddress(object));
}

// ---- pointers ----

void CQzReflectionInformation::SetValueObject(void* object, CQzManaged* value) const
{
    WriteBytes(object, &value, sizeof value);
    m_isNull = value == nullptr;
}

void CQzReflectionInformation::SetValueResource(void* object, CQzResource* value) const
{
    if (m_setter != nullptr)
        m_setter(object, value);
    else
        std::memcpy(MemberAddress(object), &value, sizeof value);
    m_isNull = value == nullptr;
}

CQzManaged* CQzReflectionInformation::GetValueObject(void* object) const
{
    return ReadScalar<CQzManaged*>(ReadAddress(object));
}

CQzResource* CQzReflectionInformation::GetValueResource(void* object) const
{
    return ReadScalar<CQzResource*>(ReadAddress(object));
}

void CQzReflectionInformation::SetValueResourceArray(void* object, CQzArray<CQzResource*>* value) const
{
    m_isNull = value == nullptr;
    if (value == nullptr)
        return;
    if (m_setter != nullptr)
        m_setter(object, value);
    else
        *static_cast<CQzArray<CQzResource*>*>(MemberAddress(object)) = *value;
}

CQzArray<CQzResource*> const& CQzReflectionInformation::GetValueResourceArray(void* object) const
{
    return *static_cast<CQzArray<CQzResource*> const*>(ReadAddress(object));
}

void* CQzReflectionInformation::GetValueSubObject(void* object) const
{
    return MemberAddress(object);
}
