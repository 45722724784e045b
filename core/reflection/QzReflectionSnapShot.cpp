// QzReflectionSnapShot.cpp: capture by member type, the exchange of BackUp
// and the snapshots of many objects at once.
#include "reflection/QzReflectionSnapShot.h"

#include "reflection/internal/QzReflectionVariantAccess.h"

#include <cstring>
#include <utility>

CQzReflectionInformationSnapShot::CQzReflectionInformationSnapShot() : m_object(nullptr)
{
    QzClearVariant(m_value);
}

CQzReflectionInformationSnapShot::CQzReflectionInformationSnapShot(CQzReflectionInformation const& information,
                                                                   void* object)
    : m_information(information), m_object(object)
{
    QzClearVariant(m_value);
    Capture();
}

CQzReflectionInformationSnapShot::CQzReflectionInformationSnapShot(CQzReflectionInformationSnapShot const& other)
    : m_information(other.m_information), m_object(other.m_object), m_value(other.m_value), m_text(other.m_text)
{
}

CQzReflectionInformationSnapShot::CQzReflectionInformationSnapShot(CQzReflectionInformationSnapShot&& other)
    : m_information(std::move(other.m_information)), m_object(other.m_object), m_value(other.m_value),
      m_text(other.m_text)
{
}

CQzReflectionInformationSnapShot& CQzReflectionInformationSnapShot::operator=(
    CQzReflectionInformationSnapShot const& other)
{
    if (this != &other)
    {
        m_information = other.m_information;
        m_object = other.m_object;
        m_value = other.m_value;
        m_text = other.m_text;
    }
    return *this;
}

CQzReflectionInformationSnapShot& CQzReflectionInformationSnapShot::operator=(CQzReflectionInformationSnapShot&& other)
{
    if (this != &other)
    {
        m_information = std::move(other.m_information);
        m_object = other.m_object;
        m_value = other.m_value;
        m_text = other.m_text;
    }
    return *this;
}

CQzReflectionInformationSnapShot::~CQzReflectionInformationSnapShot() = default;

CQzResource* CQzReflectionInformationSnapShot::GetSavedResource() const
{
    if (m_information.GetType() != CQzReflectionInformation::REFLECTION_RESOURCE)
        return nullptr;
    CQzResource* resource;
    std::memcpy(&resource, m_value.GetConstDataPtr(), sizeof resource);
    return resource;
}

void CQzReflectionInformationSnapShot::SetSavedResource(CQzResource* resource)
{
    std::memcpy(m_value.GetMutableDataPtr(), &resource, sizeof resource);
}

void CQzReflectionInformationSnapShot::Capture()
{
    switch (m_information.GetType())
    {
    case CQzReflectionInformation::REFLECTION_STRING:
        m_text = m_information.GetValueString(m_object);
        break;
    case CQzReflectionInformation::REFLECTION_RESOURCE:
        // pointers are wider than the type word here, so the pointer sits
        // in the value buffer and the type word stays zero
        SetSavedResource(m_information.GetValueResource(m_object));
        break;
    default:
        QzReadMemberAsVariant(m_information, m_object, m_value);
        break;
    }
}

void CQzReflectionInformationSnapShot::BackUp()
{
    switch (m_information.GetType())
    {
    case CQzReflectionInformation::REFLECTION_STRING:
    {
        TQzString<char> live(m_information.GetValueString(m_object));
        m_information.SetValueString(m_object, m_text);
        m_text = live;
        break;
    }
    case CQzReflectionInformation::REFLECTION_RESOURCE:
    {
        CQzResource* const live = m_information.GetValueResource(m_object);
        m_information.SetValueResource(m_object, GetSavedResource());
        SetSavedResource(live);
        break;
    }
    default:
    {
        CQzBasicVariant live;
        QzClearVariant(live);
        if (!QzReadMemberAsVariant(m_information, m_object, live))
            return;
        QzWriteMemberFromBytes(m_information, m_object, m_value.GetConstDataPtr());
        m_value = live;
        break;
    }
    }
}

void CQzReflectionInformationSnapShot::SaveReflectionInformation(
    CQzArray<CQzArray<CQzReflectionInformation>>& lists, CQzArray<void*> objects,
    CQzArray<CQzReflectionInformationSnapShot*>& out)
{
    for (int i = 0; i < objects.GetCount(); ++i)
    {
        CQzArray<CQzReflectionInformation> const& list = lists[i];
        for (int j = 0; j < list.GetCount(); ++j)
            out.Add(new CQzReflectionInformationSnapShot(list[j], objects[i]));
    }
}
