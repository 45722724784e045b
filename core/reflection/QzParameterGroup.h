// QzParameterGroup.h: CQzParameterGroup, a named list of parameters that it
// owns, and CQzParameterGroupList, the groups of a panel, which it owns.
#ifndef QZCORE_REFLECTION_QZPARAMETERGROUP_H
#define QZCORE_REFLECTION_QZPARAMETERGROUP_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "foundation/QzString.h"
#include "math/QzColor.h"
#include "reflection/QzParameter.h"

// The group deletes its parameters when it is destroyed, or when they are
// removed with destroy set. Copies are deep: a copied group holds copies of
// the parameters (null entries stay null), never the same objects, so no
// parameter is ever deleted twice. Not thread-safe: one thread (the tool's
// user-interface thread) edits a group.
class QZ_API CQzParameterGroup
{
public:
    CQzParameterGroup();
    explicit CQzParameterGroup(TQzString<char> const& name);
    CQzParameterGroup(CQzParameterGroup const& other);
    CQzParameterGroup(CQzParameterGroup&& other);
    CQzParameterGroup& operator=(CQzParameterGroup const& other);
    CQzParameterGroup& operator=(CQzParameterGroup&& other);
    // Deletes every parameter, in index order.
    virtual ~CQzParameterGroup();

    TQzString<char> const& GetName() const { return m_name; }
    void SetName(TQzString<char> const& name) { m_name = name; }

    // Each creates the parameter on the heap, appends it and returns it
    // (null, and a null entry appended, when the heap refuses).
    CQzParameterInt* AddParameterInt(TQzString<char> const& name, int value, int minValue, int maxValue, int step);
    CQzParameterFloat* AddParameterFloat(TQzString<char> const& name, float value, float minValue, float maxValue,
                                         float step);
    CQzParameterColor* AddParameterColor(TQzString<char> const& name, float r, float g, float b, float a);
    CQzParameterColorGradient* AddParameterColorGradient(TQzString<char> const& name, CQzRGBA<float> const& from,
                                                         CQzRGBA<float> const& to, int steps);

    int GetParameterCount() const { return m_parameters.GetCount(); }
    // No bounds check: index is 0 to count - 1.
    CQzParameter* GetParameter(int index) const { return m_parameters[index]; }

    // Takes the first entry holding parameter out, keeping the order of the
    // rest; with destroy, deletes parameter as well (even one the group did
    // not hold). Without destroy the caller owns it from now on.
    void RemoveParameter(CQzParameter* parameter, bool destroy);
    // Empties the group (its buffer stays), deleting the parameters first
    // when destroy is set.
    void RemoveAllParameters(bool destroy);

private:
    void DeleteParameters();
    void CopyParametersOf(CQzParameterGroup const& other);

    TQzString<char> m_name;
    CQzArray<CQzParameter*> m_parameters;
};

// The list deletes its groups (and so their parameters) when it is
// destroyed. Copies are deep, as for groups. One thread at a time.
class QZ_API CQzParameterGroupList
{
public:
    CQzParameterGroupList();
    CQzParameterGroupList(CQzParameterGroupList const& other);
    CQzParameterGroupList(CQzParameterGroupList&& other) noexcept;
    CQzParameterGroupList& operator=(CQzParameterGroupList const& other);
    CQzParameterGroupList& operator=(CQzParameterGroupList&& other) noexcept;
    // Deletes every group, in index order.
    virtual ~CQzParameterGroupList();

    // Creates a group with that name on the heap, appends and returns it
    // (null, and a null entry appended, when the heap refuses).
    CQzParameterGroup* AddParameterGroup(TQzString<char> const& name);
    int GetParameterGroupCount() const { return m_groups.GetCount(); }
    // No bounds check: index is 0 to count - 1.
    CQzParameterGroup* GetParameterGroup(int index) { return m_groups[index]; }

private:
    void DeleteGroups();

    CQzArray<CQzParameterGroup*> m_groups;
};

#endif // QZCORE_REFLECTION_QZPARAMETERGROUP_H
