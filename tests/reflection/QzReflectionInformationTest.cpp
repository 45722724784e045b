// Records applied to raw objects, with the accessors (counted, the object never
// touched) and without (exact bytes at the offset); constructors, copies, lists.
#include "reflection/QzReflectionInformation.h"

#include "QzReflectionTestAccessors.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

using namespace qztest;
typedef CQzReflectionInformation RI;

TEST(QzReflectionInformation, ValueFamiliesUseTheOffsetOrElseOnlyTheAccessors)
{
    struct SHolder
    {
        TQzString<char> text;
        TQzString<qzwchar_t> wide;
        CQzResource* resource = nullptr;
        CQzArray<CQzResource*> resources;
        CQzVector3 embedded;
        unsigned long long scalar[2] = {};
    };
    CQzResource resource;
    CQzManaged managed;
    CQzArray<CQzResource*> list;
    list.Add(&resource);
    list.Add(nullptr);
    for (bool accessors : {false, true})
    {
        SCOPED_TRACE(accessors ? "accessors" : "offsets");
        SHolder h;
        g_log = SAccessorLog();
        // the scalar families the snapshots leave alone (they test the others):
        // each value differs from the one before in every byte read back
        RI const scalar = Record(RI::REFLECTION_NONE, offsetof(SHolder, scalar), accessors);
        g_log.size = 4;
        scalar.SetValueUInt(&h, 0xFFFFFFFEu);
        EXPECT_EQ(scalar.GetValueUInt(&h), 0xFFFFFFFEu);
        scalar.SetValueEnum(&h, 0x01020304);
        EXPECT_EQ(scalar.GetValueEnum(&h), 0x01020304);
        g_log.size = 8;
        scalar.SetValueInt64(&h, -0x0102030405060708ll);
        EXPECT_EQ(scalar.GetValueInt64(&h), -0x0102030405060708ll);
        scalar.SetValueUInt64(&h, 0x1122334455667788ull);
        EXPECT_EQ(scalar.GetValueUInt64(&h), 0x1122334455667788ull);
        EXPECT_EQ(h.scalar[0], accessors ? 0ull : 0x1122334455667788ull);
        g_log.size = 16;
        qzUUID const id = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
        scalar.SetValueUUID(&h, id);
        EXPECT_EQ(std::memcmp(scalar.GetValueUUID(&h).bytes, id.bytes, 16), 0);
        g_log.size = 8;
        scalar.SetValueObject(&h, &managed);
        EXPECT_TRUE(scalar.GetValueObject(&h) == &managed && !scalar.IsNull());
        scalar.SetValueObject(&h, nullptr);
        EXPECT_TRUE(scalar.IsNull() && g_log.sets == (accessors ? 7 : 0) && g_log.gets == (accessors ? 6 : 0));

        Record(RI::REFLECTION_STRING, offsetof(SHolder, text), accessors).SetValueString(&h, "lamp");
        EXPECT_STREQ(h.text.GetCString(), accessors ? "" : "lamp");
        TQzString<qzwchar_t> const wide(u"wide");
        RI const wideText = Record(RI::REFLECTION_WSTRING, offsetof(SHolder, wide), accessors);
        wideText.SetValueWString(&h, wide);
        EXPECT_EQ(std::u16string(h.wide.GetCString()), accessors ? u"" : u"wide");
        EXPECT_EQ(g_log.setValue, accessors ? static_cast<void const*>(&wide) : nullptr);
        EXPECT_EQ(&wideText.GetValueWString(&h), accessors ? static_cast<void const*>(g_log.store) : &h.wide);

        // the resource's setter gets the pointer itself; is null follows it
        RI const res = Record(RI::REFLECTION_RESOURCE, offsetof(SHolder, resource), accessors);
        res.SetValueResource(&h, &resource);
        EXPECT_TRUE(!res.IsNull() && h.resource == (accessors ? nullptr : &resource));
        EXPECT_EQ(g_log.setValue, accessors ? static_cast<void const*>(&resource) : nullptr);
        res.SetValueResource(&h, nullptr);
        EXPECT_TRUE(res.IsNull() && h.resource == nullptr);

        // a null array only says so; a real one is assigned or handed over
        RI arr = Record(RI::REFLECTION_RESOURCE_ARRAY, offsetof(SHolder, resources), accessors);
        int const setsBefore = g_log.sets;
        arr.SetIsNull(false);
        arr.SetValueResourceArray(&h, nullptr);
        EXPECT_TRUE(arr.IsNull() && g_log.sets == setsBefore);
        arr.SetValueResourceArray(&h, &list);
        EXPECT_TRUE(!arr.IsNull() && g_log.sets == (accessors ? setsBefore + 1 : 0));
        EXPECT_EQ(g_log.setValue, accessors ? static_cast<void const*>(&list) : nullptr);
        EXPECT_EQ(h.resources.GetCount(), accessors ? 0 : 2);
        EXPECT_TRUE(accessors || h.resources.GetData() != list.GetData()) << "copied, not shared";

        // a sub-object is always at the offset; the getter is not asked
        int const getsBefore = g_log.gets;
        EXPECT_EQ(Record(RI::REFLECTION_SUB_OBJECT, offsetof(SHolder, embedded), accessors).GetValueSubObject(&h),
                  &h.embedded);
        EXPECT_EQ(g_log.gets, getsBefore);
    }
}

TEST(QzReflectionInformation, ConstructorsFillTheirFieldsAndCopiesAreDeep)
{
    EXPECT_TRUE(RI().GetType() == RI::REFLECTION_INT && RI().IsNull() && !RI().HasAttribute(0u));
    float hi = 10.0f;
    RI const withSub(CQzIdentifier("Mesh"), RI::REFLECTION_RESOURCE, 24, nullptr, nullptr, &hi,
                     CQzIdentifier("CMesh"), &CountingSetter, &CountingGetter);
    EXPECT_TRUE(withSub.GetSubType() == CQzIdentifier("cmesh") && withSub.GetMaxValue() == &hi);
    static SQzEnum::SEntry const entries[] = {{0, "red"}, {1, "green"}};
    struct SColours : SQzEnum
    {
        SEntry const* GetEntries() const override { return entries; }
    } const colours;
    RI const byObject(CQzIdentifier("tint"), 4, nullptr, nullptr, nullptr, &colours, nullptr, nullptr);
    EXPECT_TRUE(byObject.GetType() == RI::REFLECTION_DATA_SET_ENUM && byObject.GetEnumReflexionInformation() == entries);

    CQzArray<RI> members;
    members.Add(withSub);
    members.Add(byObject);
    RI nested(CQzIdentifier("light"), RI::REFLECTION_STRUCT, 8, members, nullptr, nullptr);
    members.RemoveAll();
    nested.AddAttribute(7u);
    nested.AddAlias(CQzIdentifier("oldLight"));
    RI copy(nested);
    nested.AddAttribute(9u);
    EXPECT_TRUE(copy.HasAttribute(7u) && !copy.HasAttribute(9u) && copy.GetAttributes().GetCount() == 1);
    EXPECT_TRUE(copy.IsKnownAs(CQzIdentifier("LIGHT")) && copy.IsKnownAs(CQzIdentifier("oldlight")) &&
                !copy.IsKnownAs(CQzIdentifier("newLight")));
    ASSERT_EQ(copy.GetSubReflectionInformation().GetCount(), 2);
    EXPECT_EQ(copy.GetSubReflectionInformation()[1].GetEnumReflexionInformation(), entries);

    RI assigned;
    assigned = copy;
    RI const& same = assigned;
    assigned = same;
    EXPECT_TRUE(assigned.GetType() == RI::REFLECTION_STRUCT && assigned.GetValueOffset() == 8);
    EXPECT_TRUE(assigned.HasAttribute(7u) && assigned.IsKnownAs(CQzIdentifier("oldlight")));
    // a record may take the place of the structure it is part of
    assigned = assigned.GetSubReflectionInformation()[0];
    EXPECT_TRUE(assigned.GetIdentifier() == CQzIdentifier("mesh") && assigned.GetMaxValue() == &hi);
    EXPECT_EQ(assigned.GetSubReflectionInformation().GetCount() + assigned.GetAttributes().GetCount(), 0);
}
