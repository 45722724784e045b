// Snapshots and states over every member type they keep: capture, BackUp as undo
// and redo, write-back of a state, the types they leave alone; CQzRTTI.
#include "reflection/QzRTTI.h"
#include "reflection/QzReflectionSnapShot.h"
#include "reflection/QzReflectionState.h"

#include "QzReflectionTestAccessors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace qztest;
typedef CQzReflectionInformation RI;
typedef CQzBasicVariant V;
typedef CQzReflectionInformationSnapShot SnapShot;

std::string Text(TQzString<char> const& text) { return text.GetCString(); }

struct SKept
{
    RI::EType member;
    int number; // saved data holds it
    V::EType variant;
    bool inState;
};

SKept const kKept[] = {
    {RI::REFLECTION_BOOL, 2, V::TYPE_BOOL, true}, {RI::REFLECTION_INT, 3, V::TYPE_INT, true},
    {RI::REFLECTION_FLOAT, 7, V::TYPE_FLOAT, true}, {RI::REFLECTION_COLOR, 9, V::TYPE_RGBAF, true},
    {RI::REFLECTION_VECTOR2, 10, V::TYPE_VECTOR2, true}, {RI::REFLECTION_VECTOR3, 11, V::TYPE_VECTOR3, true},
    {RI::REFLECTION_VECTOR4, 12, V::TYPE_VECTOR4, true}, {RI::REFLECTION_MATRIX22, 13, V::TYPE_MATRIX2X2, false},
    {RI::REFLECTION_MATRIX33, 14, V::TYPE_MATRIX3X3, false}, {RI::REFLECTION_MATRIX44, 15, V::TYPE_MATRIX4X4, false},
    {RI::REFLECTION_EULER_ANGLES, 16, V::TYPE_EULERANGLES, true}, {RI::REFLECTION_DATA_SET_ENUM, 17, V::TYPE_INT, false}};

} // namespace

TEST(QzReflectionSnapShot, KeptTypesSwapWithBackUpAndStatesWriteThemBack)
{
    int const offset = 16;
    unsigned char const zeros[64] = {};
    for (SKept const& kept : kKept)
    {
        size_t const size = V::GetETypeByteSize(kept.variant);
        EXPECT_EQ(kept.member, kept.number);
        for (bool accessors : {false, true})
        {
            SCOPED_TRACE(testing::Message() << "member type " << kept.member << (accessors ? " accessors" : ""));
            alignas(16) unsigned char object[96], a[64] = {}, b[64] = {};
            std::memset(object, 0xCC, sizeof object);
            Pattern(a, size, 1);
            Pattern(b, size, 2);
            unsigned char* const member = accessors ? g_log.store : object + offset;
            g_log = SAccessorLog();
            g_log.size = size;
            RI const record = Record(kept.member, offset, accessors);
            std::memcpy(member, a, size);

            SnapShot snap(record, object);
            unsigned char const* saved = static_cast<unsigned char const*>(snap.GetSavedValue().GetConstDataPtr());
            EXPECT_TRUE(snap.GetTarget() == object && snap.GetSavedValue().GetEType() == kept.variant);
            EXPECT_EQ(std::memcmp(saved, a, size), 0);
            EXPECT_EQ(std::memcmp(saved + size, zeros, 64 - size), 0) << "the tail stays zero";

            CQzArray<RI> list;
            list.Add(record);
            CQzReflectionState const state(object, list);
            ASSERT_TRUE(state.GetValues().GetCount() == 1 && state.GetValues()[0].GetType() == kept.member);
            EXPECT_EQ(std::memcmp(state.GetValues()[0].GetData(), kept.inState ? a : zeros, kept.inState ? size : 16), 0);

            // undo, then redo: the same call
            std::memcpy(member, b, size);
            snap.BackUp();
            EXPECT_TRUE(std::memcmp(member, a, size) == 0 && std::memcmp(saved, b, size) == 0);
            snap.BackUp();
            EXPECT_TRUE(std::memcmp(member, b, size) == 0 && std::memcmp(saved, a, size) == 0);
            // two captures (the state reads only what it keeps), two exchanges
            EXPECT_TRUE(!accessors || (g_log.sets == 2 && g_log.gets == (kept.inState ? 4 : 3))) << g_log.sets;
            for (size_t i = 0; i < sizeof object; ++i)
                EXPECT_TRUE(object[i] == 0xCC || (!accessors && i - offset < size)) << "wrote byte " << i;

            // copies take the whole variant; the state writes back what it kept
            SnapShot copy, moved;
            copy = snap;
            moved = std::move(copy);
            EXPECT_TRUE(moved.GetTarget() == object && moved.GetSavedValue().GetEType() == kept.variant);
            EXPECT_EQ(std::memcmp(moved.GetSavedValue().GetConstDataPtr(), saved, 64), 0);
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
    EXPECT_EQ(SnapShot().GetSavedValue().GetEType(), V::TYPE_MATRIX4X4) << "all zero bytes";
    SnapShot text(Record(RI::REFLECTION_STRING, offsetof(SHolder, name), false), &h);
    EXPECT_TRUE(text.GetSavedValue().GetEType() == V::TYPE_MATRIX4X4 && Text(text.GetSavedText()) == "before");
    h.name = "after";
    text.BackUp();
    EXPECT_TRUE(Text(h.name) == "before" && Text(text.GetSavedText()) == "after");
    SnapShot moved;
    moved = std::move(text);
    moved.BackUp();
    EXPECT_TRUE(Text(h.name) == "after" && Text(moved.GetSavedText()) == "before");

    CQzResource mesh;
    h.mesh = &mesh;
    SnapShot pointer(Record(RI::REFLECTION_RESOURCE, offsetof(SHolder, mesh), false), &h);
    EXPECT_EQ(pointer.GetSavedResource(), &mesh);
    h.mesh = nullptr;
    pointer.BackUp();
    EXPECT_TRUE(h.mesh == &mesh && pointer.GetSavedResource() == nullptr && !pointer.GetInformation().IsNull());
    pointer.BackUp();
    EXPECT_TRUE(h.mesh == nullptr && pointer.GetSavedResource() == &mesh && pointer.GetInformation().IsNull());

    // a type without a kept form: nothing captured, nothing written, no call
    EXPECT_TRUE(RI::REFLECTION_STRING == 19 && RI::REFLECTION_RESOURCE == 26);
    g_log = SAccessorLog();
    for (RI::EType other : {RI::REFLECTION_NONE, RI::REFLECTION_STRUCT, RI::REFLECTION_UINT, RI::REFLECTION_INT64,
                            RI::REFLECTION_UINT64, RI::REFLECTION_ENUM, RI::REFLECTION_UUID, RI::REFLECTION_WSTRING,
                            RI::REFLECTION_OBJECT, RI::REFLECTION_RESOURCE_ARRAY, RI::REFLECTION_SUB_OBJECT,
                            RI::REFLECTION_ACTION, RI::REFLECTION_SEPARATOR})
    {
        CQzArray<RI> list;
        list.Add(Record(other, offsetof(SHolder, untouched), true));
        SnapShot(list[0], &h).BackUp();
        CQzReflectionState(&h, list).Restore(&h);
    }
    EXPECT_TRUE(g_log.sets + g_log.gets == 0 && h.untouched == 5);
}

TEST(QzReflectionSnapShot, SaveReflectionInformationWalksObjectsInOrder)
{
    int one = 1, two = 2;
    CQzArray<CQzArray<RI>> lists; // two records for the first object, one for the second
    lists.Add(CQzArray<RI>());
    lists.Add(CQzArray<RI>());
    lists[0].Add(Record(RI::REFLECTION_INT, 0, false));
    lists[0].Add(lists[0][0]);
    lists[1].Add(lists[0][0]);
    CQzArray<void*> objects;
    objects.Add(&one);
    objects.Add(&two);
    CQzArray<SnapShot*> out;
    SnapShot::SaveReflectionInformation(lists, objects, out);
    ASSERT_EQ(out.GetCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(*static_cast<int const*>(out[i]->GetSavedValue().GetConstDataPtr()), i < 2 ? 1 : 2) << i;
        EXPECT_EQ(out[i]->GetTarget(), i < 2 ? static_cast<void*>(&one) : &two) << i;
        delete out[i];
    }
}

TEST(QzRTTI, HoldsTheClassIdentifierInTwoWords)
{
    EXPECT_TRUE(CQzRTTI().IsNull() && CQzRTTI().GetClassIdentifier().IsNull());
    for (unsigned long long crc : {0x0123456789ABCDEFull, 0xFFFFFFFF00000000ull, 0x00000000FFFFFFFFull})
    {
        CQzIdentifier const id(crc), other("CCamera");
        CQzRTTI const rtti(id);
        EXPECT_TRUE(rtti.GetCrc64() == crc && rtti.GetClassIdentifier() == id && !rtti.IsNull()) << crc;
        EXPECT_TRUE(rtti.IsA(id) && !rtti.IsA(other) && rtti == CQzRTTI(id) && rtti != CQzRTTI(other));
    }
}
