// Ownership of parameters by groups and of groups by the list: removal with
// and without destroy, destruction, deep copies and moves. Under
// AddressSanitizer a leak or a double free fails these tests.
#include "reflection/QzParameterGroup.h"

#include <gtest/gtest.h>

namespace {

int g_destroyed = 0;

struct SCounted : CQzParameterInt
{
    SCounted() : CQzParameterInt("counted", 1, 0, 2, 1) {}
    ~SCounted() override { ++g_destroyed; }
};

void Fill(CQzParameterGroup& group)
{
    group.AddParameterInt("count", 3, 0, 10, 1);
    group.AddParameterFloat("gain", 0.5f, 0.0f, 1.0f, 0.1f);
    group.AddParameterColor("tint", 1.0f, 0.5f, 0.25f, 1.0f);
    group.AddParameterColorGradient("ramp", CQzRGBA<float>(0, 0, 0, 1), CQzRGBA<float>(1, 1, 1, 1), 4);
}

// Same names, kinds and texts, but never the same objects.
void ExpectDeepCopy(CQzParameterGroup const& a, CQzParameterGroup const& b)
{
    EXPECT_STREQ(a.GetName().GetCString(), b.GetName().GetCString());
    ASSERT_EQ(a.GetParameterCount(), b.GetParameterCount());
    for (int i = 0; i < a.GetParameterCount(); ++i)
    {
        CQzParameter* const p = a.GetParameter(i);
        CQzParameter* const q = b.GetParameter(i);
        char pt[32], qt[32];
        p->GetValueAsText(pt, sizeof pt);
        q->GetValueAsText(qt, sizeof qt);
        EXPECT_TRUE(p != q && p->GetType() == q->GetType() && p->GetName().GetLength() == q->GetName().GetLength());
        EXPECT_STREQ(pt, qt);
    }
}

} // namespace

TEST(QzParameterGroup, AddsInOrderAndRemovesWithOrWithoutDestroying)
{
    CQzParameterGroup group("light");
    CQzParameterInt* const a = group.AddParameterInt("a", 1, 0, 9, 1);
    CQzParameterFloat* const b = group.AddParameterFloat("b", 2.0f, 0, 9, 1);
    CQzParameterColor* const c = group.AddParameterColor("c", 0, 0, 0, 1);
    ASSERT_EQ(group.GetParameterCount(), 3);
    EXPECT_TRUE(group.GetParameter(0) == a && group.GetParameter(1) == b && group.GetParameter(2) == c);
    group.RemoveParameter(b, false); // the caller owns it now
    ASSERT_EQ(group.GetParameterCount(), 2);
    EXPECT_TRUE(group.GetParameter(0) == a && group.GetParameter(1) == c);
    EXPECT_EQ(b->GetValue(), 2.0f);
    delete b;
    group.RemoveParameter(a, true);
    ASSERT_EQ(group.GetParameterCount(), 1);
    EXPECT_EQ(group.GetParameter(0), c);
    // one the group does not hold: the group stays, the object goes
    g_destroyed = 0;
    group.RemoveParameter(new SCounted, true);
    group.RemoveParameter(nullptr, true);
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(group.GetParameterCount(), 1);

    Fill(group);
    CQzParameter* kept[5];
    for (int i = 0; i < 5; ++i)
        kept[i] = group.GetParameter(i);
    group.RemoveAllParameters(false);
    EXPECT_EQ(group.GetParameterCount(), 0);
    for (CQzParameter* p : kept)
        delete p;
    Fill(group);
    group.RemoveAllParameters(true);
    EXPECT_EQ(group.GetParameterCount(), 0);
    group.AddParameterInt("again", 1, 0, 1, 1);
    group.SetName("renamed");
    EXPECT_STREQ(group.GetName().GetCString(), "renamed");
}

TEST(QzParameterGroup, CopiesAreDeepAndEveryOwnerFreesItsOwn)
{
    CQzParameterGroup original("light");
    Fill(original);
    CQzParameterGroup copy(original), assigned("old");
    ExpectDeepCopy(original, copy);
    static_cast<CQzParameterInt*>(copy.GetParameter(0))->SetValue(99);
    EXPECT_EQ(static_cast<CQzParameterInt*>(original.GetParameter(0))->GetValue(), 3);
    assigned.AddParameterInt("replaced", 0, 0, 0, 0);
    assigned = original;
    assigned = static_cast<CQzParameterGroup const&>(assigned);
    ExpectDeepCopy(original, assigned);
    CQzParameterGroup moved(std::move(assigned));
    ExpectDeepCopy(original, moved);
    moved = CQzParameterGroup("empty");
    EXPECT_EQ(moved.GetParameterCount(), 0);
}

// Destroying the list destroys its groups and their parameters (AddressSanitizer
// reports any that stay); copies hold copies of the groups.
TEST(QzParameterGroupList, OwnsItsGroupsAndCopiesThemDeeply)
{
    CQzParameterGroupList list, assigned;
    CQzParameterGroup* const lights = list.AddParameterGroup("lights");
    Fill(*lights);
    list.AddParameterGroup("fog")->AddParameterFloat("density", 0.1f, 0.0f, 1.0f, 0.01f);
    ASSERT_EQ(list.GetParameterGroupCount(), 2);
    EXPECT_EQ(list.GetParameterGroup(0), lights);
    CQzParameterGroupList copy(list);
    ExpectDeepCopy(*lights, *copy.GetParameterGroup(0));
    ExpectDeepCopy(*list.GetParameterGroup(1), *copy.GetParameterGroup(1));
    assigned.AddParameterGroup("replaced")->AddParameterInt("x", 0, 0, 0, 0);
    assigned = list;
    assigned = static_cast<CQzParameterGroupList const&>(assigned);
    lights->RemoveAllParameters(true);
    ASSERT_EQ(assigned.GetParameterGroupCount(), 2);
    EXPECT_EQ(assigned.GetParameterGroup(0)->GetParameterCount(), 4);
    CQzParameterGroupList moved(std::move(copy));
    EXPECT_EQ(moved.GetParameterGroupCount(), 2);
}
