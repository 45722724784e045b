// Ownership of parameters by groups and of groups by the list: removal, deep
// copies and moves. Under AddressSanitizer a leak or double free fails them.
#include "reflection/QzParameterGroup.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Fill(CQzParameterGroup& group)
{
    group.AddParameterInt("count", 3, 0, 10, 1);
    group.AddParameterFloat("gain", 0.5f, 0.0f, 1.0f, 0.1f);
    group.AddParameterColor("tint", 1.0f, 0.5f, 0.25f, 1.0f);
    group.AddParameterColorGradient("ramp", CQzRGBA<float>(0, 0, 0, 1), CQzRGBA<float>(1, 1, 1, 1), 4);
}

// The same name and texts, but never the same objects.
void ExpectDeepCopy(CQzParameterGroup const& a, CQzParameterGroup const& b)
{
    EXPECT_STREQ(a.GetName().GetCString(), b.GetName().GetCString());
    ASSERT_EQ(a.GetParameterCount(), b.GetParameterCount());
    for (int i = 0; i < a.GetParameterCount(); ++i)
    {
        char pt[32], qt[32];
        a.GetParameter(i)->GetValueAsText(pt, sizeof pt);
        b.GetParameter(i)->GetValueAsText(qt, sizeof qt);
        EXPECT_TRUE(a.GetParameter(i) != b.GetParameter(i) && std::strcmp(pt, qt) == 0) << pt << ' ' << qt;
    }
}

} // namespace

TEST(QzParameterGroup, RemovesWithOrWithoutDestroyingAndCopiesDeeply)
{
    CQzParameterGroup group("light");
    CQzParameterInt* const a = group.AddParameterInt("a", 1, 0, 9, 1);
    CQzParameterFloat* const b = group.AddParameterFloat("b", 2.0f, 0, 9, 1);
    CQzParameterColor* const c = group.AddParameterColor("c", 0, 0, 0, 1);
    group.RemoveParameter(b, false); // the caller owns it now
    delete b;
    group.RemoveParameter(a, true);
    group.RemoveParameter(new CQzParameterInt("x", 0, 0, 0, 0), true); // not held: deleted all the same
    group.RemoveParameter(nullptr, true);
    EXPECT_TRUE(group.GetParameterCount() == 1 && group.GetParameter(0) == c);
    group.RemoveAllParameters(true); // c, and only c: removal leaves stale pointers behind the count
    CQzParameter* const kept = group.AddParameterInt("kept", 0, 0, 0, 0);
    group.RemoveAllParameters(false);
    EXPECT_EQ(group.GetParameterCount(), 0);
    delete kept;

    Fill(group);
    CQzParameterGroup assigned("old"); // assignment copies, then moves the copy in
    assigned.AddParameterInt("replaced", 0, 0, 0, 0);
    assigned = group;
    assigned = static_cast<CQzParameterGroup const&>(assigned);
    ExpectDeepCopy(group, assigned);
    CQzParameterGroup moved(std::move(assigned));
    ExpectDeepCopy(group, moved);
    moved = CQzParameterGroup("empty");
    EXPECT_EQ(moved.GetParameterCount(), 0);
}

TEST(QzParameterGroupList, OwnsItsGroupsAndCopiesThemDeeply)
{
    CQzParameterGroupList list, assigned;
    CQzParameterGroup* const lights = list.AddParameterGroup("lights");
    Fill(*lights);
    list.AddParameterGroup("fog")->AddParameterFloat("density", 0.1f, 0.0f, 1.0f, 0.01f);
    EXPECT_TRUE(list.GetParameterGroupCount() == 2 && list.GetParameterGroup(0) == lights);
    CQzParameterGroupList copy(list);
    ExpectDeepCopy(*lights, *copy.GetParameterGroup(0));
    assigned.AddParameterGroup("replaced")->AddParameterInt("x", 0, 0, 0, 0);
    assigned = list;
    assigned = static_cast<CQzParameterGroupList const&>(assigned);
    lights->RemoveAllParameters(true);
    ASSERT_TRUE(assigned.GetParameterGroupCount() == 2 && assigned.GetParameterGroup(0)->GetParameterCount() == 4);
    CQzParameterGroupList moved(std::move(copy));
    moved = std::move(assigned); // the groups moved over go
    EXPECT_EQ(moved.GetParameterGroupCount(), 2);
}
