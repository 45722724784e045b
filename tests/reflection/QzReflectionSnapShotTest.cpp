// Snapshots and states over every member type they keep: what is captured
// (variant type, bytes, a zero tail), BackUp as undo and redo, write-back
// of a state, the types they leave alone, and CQzRTTI's two words.
#include "reflection/QzRTTI.h"
#include "reflection/QzReflectionSnapShot.h"
#include "reflection/QzReflectionState.h"

#include "QzReflectionTestAccessors.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace qztest;
typedef CQzReflectionInformation RI;
typedef CQzBasicVariant V;

struct SKept
{
    RI::EType member;
    V::EType variant;
    bool inState;
};

SKept const kKept[] = {
    {RI::REFLECTION_BOOL, V::TYPE_BOOL, true},          {RI::REFLECTION_INT, V::TYPE_INT, true},
    {RI::REFLECTION_FLOAT, V::TYPE_FLOAT, true},        {RI::REFLECTION_COLOR, V::TYPE_RGBAF, true},
    {RI::REFLECTION_VECTOR2, V::TYPE_VECTOR2, true},    {RI::REFLECTION_VECTOR3, V::TYPE_VECTOR3, true},
    {RI::REFLECTION_VECTOR4, V::TYPE_VECTOR4, true},    {RI::REFLECTION_MATRIX22, V::TYPE_MATRIX2X2, false},
    {RI::REFLECTION_MATRIX33, V::TYPE_MATRIX3X3, false}, {RI::REFLECTION_MATRIX44, V::TYPE_MATRIX4X4, false},
    {RI::REFLECTION_EULER_ANGLES, V::TYPE_EULERANGLES, true}, {RI::REFLECTION_DATA_SET_ENUM, V::TYPE_INT, false}};

} // namespace

TEST(QzReflectionSnapShot, KeptTypesSwapWithBackUpAndStatesWriteThemBack)
{
    int const offset = 16;
    for (SKept const& kept : kKept)
    {
        size_t const size = V::GetETypeByteSize(kept.variant);
        for (bool accessors : {false, true})
        {
            SCOPED_TRACE(testing::Message() << "member type " << kept.member << (accessors ? " accessors" : ""));
            alignas(16) unsigned char object[96] = {}, a[64] = {}, b[64] = {};
            Pattern(a, size, 1);
            Pattern(b, size, 2);
            unsigned char* const member = accessors ? g_log.store : object + offset;
            g_log = SAccessorLog();
            g_log.size = size;
            RI const record(CQzIdentifier("m"), kept.member, offset, nullptr, nullptr, nullptr,
                            accessors ? &CountingSetter : nullptr, accessors ? &CountingGetter : nullptr);
            std::memcpy(member, a, size);

            CQzReflectionInformationSnapShot snap(record, object);
            EXPECT_EQ(snap.GetTarget(), object);
            EXPECT_EQ(snap.GetSavedValue().GetEType(), kept.variant);
            unsigned char const* saved = static_cast<unsigned char const*>(snap.GetSavedValue().GetConstDataPtr());
            unsigned char const zeros[64] = {};
            EXPECT_EQ(std::memcmp(saved, a, size), 0);
            EXPECT_EQ(std::memcmp(saved + size, zeros, 64 - size), 0) << "the tail stays zero";

            CQzArray<RI> list;
            list.Add(record);
            CQzReflectionState const state(object, list);
            ASSERT_EQ(state.GetValues().GetCount(), 1);
            EXPECT_EQ(state.GetValues()[0].GetType(), kept.member);
            EXPECT_EQ(std::memcmp(state.GetValues()[0].GetData(), kept.inState ? a : zeros, kept.inState ? size : 16), 0);

            // undo, then redo: the same call
            std::memcpy(member, b, size);
            snap.BackUp();
            EXPECT_EQ(std::memcmp(member, a, size), 0);
            EXPECT_EQ(std::memcmp(saved, b, size), 0);
            snap.BackUp();
            EXPECT_EQ(std::memcmp(member, b, size), 0);
            EXPECT_EQ(std::memcmp(saved, a, size), 0);
            EXPECT_EQ(std::memcmp(saved + size, zeros, 64 - size), 0);
            // two captures (the state reads only what it keeps), two exchanges
            EXPECT_TRUE(!accessors || (g_log.sets == 2 && g_log.gets == (kept.inState ? 4 : 3))) << g_log.sets;
            EXPECT_EQ(std::memcmp(object, zeros, accessors ? 64 : offset), 0) << "written past the member";

            // a copy takes the whole variant; the state writes back what it kept
            CQzReflectionInformationSnapShot copy;
            copy = snap;
            EXPECT_EQ(std::memcmp(copy.GetSavedValue().GetConstDataPtr(), saved, 64), 0);
            state.Restore(object);
            EXPECT_EQ(std::memcmp(member, kept.inState ? a : b, size), 0);
        }
    }
}

TEST(QzReflectionSnapShot, TextsResourcesAndOtherTypes)
{
    struct SHolder
    {
        TQzString<char> name{"before"};
        CQzResource* mesh = nullptr;
        int untouched = 5;
    } h;
    CQzReflectionInformationSnapShot text(RI(CQzIdentifier("name"), RI::REFLECTION_STRING, offsetof(SHolder, name),
                                             nullptr, nullptr, nullptr, nullptr, nullptr), &h);
    EXPECT_STREQ(text.GetSavedText().GetCString(), "before");
    EXPECT_EQ(text.GetSavedValue().GetEType(), V::TYPE_MATRIX4X4) << "all zero bytes";
    h.name = "after";
    text.BackUp();
    EXPECT_STREQ(h.name.GetCString(), "before");
    EXPECT_STREQ(text.GetSavedText().GetCString(), "after");
    text.BackUp();
    EXPECT_STREQ(h.name.GetCString(), "after");

    CQzResource mesh;
    h.mesh = &mesh;
    CQzReflectionInformationSnapShot pointer(RI(CQzIdentifier("mesh"), RI::REFLECTION_RESOURCE, offsetof(SHolder, mesh),
                                                nullptr, nullptr, nullptr, nullptr, nullptr), &h);
    EXPECT_EQ(pointer.GetSavedResource(), &mesh);
    h.mesh = nullptr;
    pointer.BackUp();
    EXPECT_TRUE(h.mesh == &mesh && pointer.GetSavedResource() == nullptr && !pointer.GetInformation().IsNull());
    pointer.BackUp();
    EXPECT_TRUE(h.mesh == nullptr && pointer.GetSavedResource() == &mesh && pointer.GetInformation().IsNull());

    // a type without a kept form: nothing captured, nothing written, no call
    g_log = SAccessorLog();
    for (RI::EType other : {RI::REFLECTION_NONE, RI::REFLECTION_UINT, RI::REFLECTION_INT64, RI::REFLECTION_UUID})
    {
        CQzArray<RI> list;
        list.Add(RI(CQzIdentifier("u"), other, offsetof(SHolder, untouched), nullptr, nullptr, nullptr, &CountingSetter,
                    &CountingGetter));
        CQzReflectionInformationSnapShot(list[0], &h).BackUp();
        CQzReflectionState(&h, list).Restore(&h);
    }
    EXPECT_EQ(g_log.sets + g_log.gets, 0);
    EXPECT_EQ(h.untouched, 5);
}

TEST(QzReflectionSnapShot, SaveReflectionInformationWalksObjectsInOrder)
{
    int one[2] = {1, 10}, two[2] = {2, 20};
    CQzArray<CQzArray<RI>> lists;
    lists.Add(CQzArray<RI>());
    for (int offset : {0, 4, 0})
        lists[0].Add(RI(CQzIdentifier("n"), RI::REFLECTION_INT, offset, nullptr, nullptr, nullptr, nullptr, nullptr));
    lists.Add(CQzArray<RI>()); // 3 and 0 records: all three for the first object
    CQzArray<void*> objects;
    objects.Add(one);
    objects.Add(two);
    CQzArray<CQzReflectionInformationSnapShot*> out;
    CQzReflectionInformationSnapShot::SaveReflectionInformation(lists, objects, out);
    lists[1].Add(lists[0][1]); // then two gets the three, one the last
    objects[0] = two;
    objects[1] = one;
    CQzReflectionInformationSnapShot::SaveReflectionInformation(lists, objects, out);
    int const expected[] = {1, 10, 1, 2, 20, 2, 10};
    ASSERT_EQ(out.GetCount(), 7);
    for (int i = 0; i < 7; ++i)
    {
        int saved;
        std::memcpy(&saved, out[i]->GetSavedValue().GetConstDataPtr(), sizeof saved);
        EXPECT_TRUE(saved == expected[i] && out[i]->GetTarget() == (i >= 3 && i < 6 ? two : one)) << i;
        delete out[i];
    }
}

TEST(QzRTTI, HoldsTheClassIdentifierInTwoWords)
{
    EXPECT_TRUE(CQzRTTI().IsNull() && CQzRTTI().GetClassIdentifier().IsNull());
    for (char const* name : {"CLight", "CMesh", "a", "CQzParticleSystemEmitter"})
    {
        CQzIdentifier const id(name);
        CQzRTTI copy;
        copy = CQzRTTI(id);
        EXPECT_EQ(copy.GetCrc64(), id.GetCrc64()) << name;
        EXPECT_STREQ(copy.GetClassIdentifier().DebugCString(), id.DebugCString());
        EXPECT_TRUE(copy.IsA(CQzIdentifier(name)) && !copy.IsA(CQzIdentifier("CCamera")) && !copy.IsNull());
        EXPECT_TRUE(copy == CQzRTTI(id) && copy != CQzRTTI(CQzIdentifier("CCamera")));
    }
}
