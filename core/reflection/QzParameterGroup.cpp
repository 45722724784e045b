// QzParameterGroup.cpp: ownership of parameters by groups and of groups by
// the list: creation, removal, deep copies and destruction.
#include "reflection/QzParameterGroup.h"

#include "reflection/internal/QzParameterClone.h"

#include <new>
#include <utility>

// ---- group ----

CQzParameterGroup::CQzParameterGroup() = default;

CQzParameterGroup::CQzParameterGroup(TQzString<char> const& name) : m_name(name)
{
}

CQzParameterGroup::CQzParameterGroup(CQzParameterGroup const& other)
    : m_name(other.m_name), m_parameters(other.m_parameters.GetInitialCapacity())
{
    CopyParametersOf(other);
}

CQzParameterGroup::CQzParameterGroup(CQzParameterGroup&& other)
    : m_name(other.m_name), m_parameters(std::move(other.m_parameters))
{
}

CQzParameterGroup& CQzParameterGroup::operator=(CQzParameterGroup const& other)
{
    if (this != &other)
    {
        // copy first, so that a copy the heap refuses leaves this group whole
        CQzParameterGroup copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CQzParameterGroup& CQzParameterGroup::operator=(CQzParameterGroup&& other)
{
    if (this != &other)
    {
        DeleteParameters();
        m_name = other.m_name;
        m_parameters = std::move(other.m_parameters);
    }
    return *this;
}

CQzParameterGroup::~CQzParameterGroup()
{
    DeleteParameters();
}

void CQzParameterGroup::DeleteParameters()
{
    for (int i = 0; i < m_parameters.GetCount(); ++i)
    {
        delete m_parameters[i];
        m_parameters[i] = nullptr;
    }
    m_parameters.RemoveAll();
}

void CQzParameterGroup::CopyParametersOf(CQzParameterGroup const& other)
{
    for (int i = 0; i < other.m_parameters.GetCount(); ++i)
        m_parameters.Add(QzCloneParameter(other.m_parameters[i]));
}

CQzParameterInt* CQzParameterGroup::AddParameterInt(TQzString<char> const& name, int value, int minValue,
                                                    int maxValue, int step)
{
    CQzParameterInt* const parameter = new (std::nothrow) CQzParameterInt(name, value, minValue, maxValue, step);
    m_parameters.Add(parameter);
    return parameter;
}

CQzParameterFloat* CQzParameterGroup::AddParameterFloat(TQzString<char> const& name, float value, float minValue,
                                                        float maxValue, float step)
{
    CQzParameterFloat* const parameter =
        new (std::nothrow) CQzParameterFloat(name, value, minValue, maxValue, step);
    m_parameters.Add(parameter);
    return parameter;
}

CQzParameterColor* CQzParameterGroup::AddParameterColor(TQzString<char> const& name, float r, float g, float b,
                                                        float a)
{
    CQzParameterColor* const parameter = new (std::nothrow) CQzParameterColor(name, r, g, b, a);
    m_parameters.Add(parameter);
    return parameter;
}

CQzParameterColorGradient* CQzParameterGroup::AddParameterColorGradient(TQzString<char> const& name,
                                                                        CQzRGBA<float> const& from,
                                                                        CQzRGBA<float> const& to, int steps)
{
    CQzParameterColorGradient* const parameter = new (std::nothrow) CQzParameterColorGradient(name, from, to, steps);
    m_parameters.Add(parameter);
    return parameter;
}

void CQzParameterGroup::RemoveParameter(CQzParameter* parameter, bool destroy)
{
    m_parameters.Remove(parameter);
    if (destroy && parameter != nullptr)
        delete parameter;
}

void CQzParameterGroup::RemoveAllParameters(bool destroy)
{
    if (destroy)
        DeleteParameters();
    m_parameters.RemoveAll();
}

// ---- group list ----

CQzParameterGroupList::CQzParameterGroupList() = default;

CQzParameterGroupList::CQzParameterGroupList(CQzParameterGroupList const& other)
    : m_groups(other.m_groups.GetInitialCapacity())
{
    for (int i = 0; i < other.m_groups.GetCount(); ++i)
    {
        CQzParameterGroup const* const group = other.m_groups[i];
        m_groups.Add(group != nullptr ? new (std::nothrow) CQzParameterGroup(*group) : nullptr);
    }
}

CQzParameterGroupList::CQzParameterGroupList(CQzParameterGroupList&& other) noexcept
    : m_groups(std::move(other.m_groups))
{
}

CQzParameterGroupList& CQzParameterGroupList::operator=(CQzParameterGroupList const& other)
{
    if (this != &other)
    {
        // copy first, so that a copy the heap refuses leaves this list whole
        CQzParameterGroupList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CQzParameterGroupList& CQzParameterGroupList::operator=(CQzParameterGroupList&& other) noexcept
{
    if (this != &other)
    {
        DeleteGroups();
        m_groups = std::move(other.m_groups);
    }
    return *this;
}

CQzParameterGroupList::~CQzParameterGroupList()
{
    DeleteGroups();
}

void CQzParameterGroupList::DeleteGroups()
{
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        delete m_groups[i];
        m_groups[i] = nullptr;
    }
    m_groups.RemoveAll();
}

CQzParameterGroup* CQzParameterGroupList::AddParameterGroup(TQzString<char> const& name)
{
    CQzParameterGroup* const group = new (std::nothrow) CQzParameterGroup(name);
    m_groups.Add(group);
    return group;
}
