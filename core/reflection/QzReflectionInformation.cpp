// QzReflectionInformation.cpp: construction and copying of the member
// records, their two lists.
#include "reflection/QzReflectionInformation.h"

#include <utility>

CQzReflectionInformation::CQzReflectionInformation()
    : m_type(REFLECTION_INT), m_enumEntries(nullptr), m_valueOffset(0), m_defaultValue(nullptr),
      m_minValue(nullptr), m_maxValue(nullptr), m_isNull(true), m_setter(nullptr), m_getter(nullptr)
{
}

CQzReflectionInformation::CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset,
                                                   void* defaultValue, void* minValue, void* maxValue,
                                                   Setter setter, Getter getter)
    : m_identifier(id), m_type(type), m_enumEntries(nullptr), m_valueOffset(offset),
      m_defaultValue(defaultValue), m_minValue(minValue), m_maxValue(maxValue), m_isNull(true),
      m_setter(setter), m_getter(getter)
{
}

CQzReflectionInformation::CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset,
                                                   void* defaultValue, void* minValue, void* maxValue,
                                                   CQzIdentifier const& subType, Setter setter, Getter getter)
    : CQzReflectionInformation(id, type, offset, defaultValue, minValue, maxValue, setter, getter)
{
    m_subType = subType;
}

CQzReflectionInformation::CQzReflectionInformation(CQzIdentifier const& id, int offset, void* defaultValue,
                                                   void* minValue, void* maxValue, SQzEnum const* enumeration,
                                                   Setter setter, Getter getter)
    : CQzReflectionInformation(id, offset, defaultValue, minValue, maxValue, enumeration->GetEntries(), setter,
                               getter)
{
}

CQzReflectionInformation::CQzReflectionInformation(CQzIdentifier const& id, int offset, void* defaultValue,
                                                   void* minValue, void* maxValue,
                                                   SQzEnum::SEntry const* entries, Setter setter, Getter getter)
    : CQzReflectionInformation(id, REFLECTION_DATA_SET_ENUM, offset, defaultValue, minValue, maxValue, setter,
                               getter)
{
    m_enumEntries = entries;
}

CQzReflectionInformation::CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset,
                                                   CQzArray<CQzReflectionInformation> const& subInformation,
                                                   Setter setter, Getter getter)
    : CQzReflectionInformation(id, type, offset, nullptr, nullptr, nullptr, setter, getter)
{
    m_subInformation = subInformation;
}

CQzReflectionInformation::CQzReflectionInformation(CQzReflectionInformation const& other)
    : m_attributes(other.m_attributes), m_aliases(other.m_aliases), m_identifier(other.m_identifier),
      m_type(other.m_type), m_subType(other.m_subType), m_enumEntries(other.m_enumEntries),
      m_valueOffset(other.m_valueOffset), m_defaultValue(other.m_defaultValue), m_minValue(other.m_minValue),
      m_maxValue(other.m_maxValue), m_subInformation(other.m_subInformation), m_isNull(other.m_isNull),
      m_setter(other.m_setter), m_getter(other.m_getter)
{
}

CQzReflectionInformation::CQzReflectionInformation(CQzReflectionInformation&& other) noexcept
    : m_attributes(std::move(other.m_attributes)), m_aliases(std::move(other.m_aliases)),
      m_identifier(other.m_identifier), m_type(other.m_type), m_subType(other.m_subType),
      m_enumEntries(other.m_enumEntries), m_valueOffset(other.m_valueOffset),
      m_defaultValue(other.m_defaultValue), m_minValue(other.m_minValue), m_maxValue(other.m_maxValue),
      m_subInformation(std::move(other.m_subInformation)), m_isNull(other.m_isNull), m_setter(other.m_setter),
      m_getter(other.m_getter)
{
}

// other may be one of this record's own sub records, which replacing the
// sub information frees: both assignments take everything from it first.
CQzReflectionInformation& CQzReflectionInformation::operator=(CQzReflectionInformation const& other)
{
    if (this != &other)
    {
        CQzReflectionInformation copy(other);
        Take(copy);
    }
    return *this;
}

CQzReflectionInformation& CQzReflectionInformation::operator=(CQzReflectionInformation&& other) noexcept
{
    if (this != &other)
    {
        CQzReflectionInformation taken(std::move(other));
        Take(taken);
    }
    return *this;
}

void CQzReflectionInformation::Take(CQzReflectionInformation& from) noexcept
{
    m_attributes = std::move(from.m_attributes);
    m_aliases = std::move(from.m_aliases);
    m_identifier = from.m_identifier;
    m_type = from.m_type;
    m_subType = from.m_subType;
    m_enumEntries = from.m_enumEntries;
    m_valueOffset = from.m_valueOffset;
    m_defaultValue = from.m_defaultValue;
    m_minValue = from.m_minValue;
    m_maxValue = from.m_maxValue;
    m_subInformation = std::move(from.m_subInformation);
    m_isNull = from.m_isNull;
    m_setter = from.m_setter;
    m_getter = from.m_getter;
}

CQzReflectionInformation::~CQzReflectionInformation() = default;

bool CQzReflectionInformation::HasAttribute(unsigned int attribute) const
{
    for (int i = 0; i < m_attributes.GetCount(); ++i)
    {
        if (m_attributes[i] == attribute)
            return true;
    }
    return false;
}

bool CQzReflectionInformation::IsKnownAs(CQzIdentifier const& name) const
{
    if (name == m_identifier)
        return true;
    unsigned int const hash = (unsigned int)name.HashTable_CreateHash();
    for (int i = 0; i < m_aliases.GetCount(); ++i)
    {
        if (m_aliases[i] == hash)
            return true;
    }
    return false;
}
