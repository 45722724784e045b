// QzReflectionState.cpp: capture of a list of members into packed values,
// and their write-back.
#include "reflection/QzReflectionState.h"

#include "reflection/internal/QzReflectionVariantAccess.h"

#include <cstring>
#include <utility>

namespace {

// The types a state keeps; they all fit the value's 16 bytes.
bool IsStateType(CQzReflectionInformation::EType type)
{
    switch (type)
    {
    case CQzReflectionInformation::REFLECTION_BOOL:
    case CQzReflectionInformation::REFLECTION_INT:
    case CQzReflectionInformation::REFLECTION_FLOAT:
    case CQzReflectionInformation::REFLECTION_COLOR:
    case CQzReflectionInformation::REFLECTION_VECTOR2:
    case CQzReflectionInformation::REFLECTION_VECTOR3:
    case CQzReflectionInformation::REFLECTION_VECTOR4:
    case CQzReflectionInformation::REFLECTION_EULER_ANGLES:
        return true;
    default:
        return false;
    }
}

} // namespace

CQzReflectionValue::CQzReflectionValue() : m_type(CQzReflectionInformation::REFLECTION_NONE), m_value()
{
}

CQzReflectionValue::CQzReflectionValue(CQzReflectionInformation::EType type, void const* value, unsigned int size)
    : m_type(type), m_value()
{
    if (size != 0)
        std::memcpy(m_value, value, size < value_byte_size ? size : value_byte_size);
}

CQzReflectionState::CQzReflectionState() = default;

CQzReflectionState::CQzReflectionState(void* object, CQzArray<CQzReflectionInformation> const& information)
    : m_information(information)
{
    for (int i = 0; i < m_information.GetCount(); ++i)
    {
        CQzReflectionInformation const& record = m_information[i];
        CQzBasicVariant value;
        if (IsStateType(record.GetType()) && QzReadMemberAsVariant(record, object, value))
            m_values.Add(CQzReflectionValue(record.GetType(), value.GetConstDataPtr(), value.ByteSize()));
        else
            m_values.Add(CQzReflectionValue(record.GetType(), nullptr, 0));
    }
}

CQzReflectionState::CQzReflectionState(CQzReflectionState const& other) = default;
CQzReflectionState::CQzReflectionState(CQzReflectionState&& other) noexcept = default;
CQzReflectionState& CQzReflectionState::operator=(CQzReflectionState const& other) = default;
CQzReflectionState& CQzReflectionState::operator=(CQzReflectionState&& other) noexcept = default;
CQzReflectionState::~CQzReflectionState() = default;

void CQzReflectionState::Restore(void* object) const
{
    for (int i = 0; i < m_information.GetCount() && i < m_values.GetCount(); ++i)
    {
        if (IsStateType(m_values[i].GetType()))
            QzWriteMemberFromBytes(m_information[i], object, m_values[i].GetData());
    }
}
