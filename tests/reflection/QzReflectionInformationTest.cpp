// Records applied to raw objects: every SetValue/GetValue family with the
// accessors (counted, never touching the object) and without (exact bytes
// at the offset, nothing else); the text, pointer and array families; the
// constructors, copies and the two lists.
#include "reflection/QzReflectionInformation.h"

#include "QzReflectionTestAccessors.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

using namespace qztest;
typedef CQzReflectionInformation RI;

// One family: writes value (false when a setter of a by-reference family
// was not handed the caller's own object) and reads into out (returning the
// address it read, null for the by-value families).
struct SFamily
{
    char const* name;
    size_t size;
    bool (*set)(RI const&, void*, unsigned char const*);
    void const* (*get)(RI const&, void*, unsigned char* out);
};

template <typename T, void (RI::*S)(void*, T) const, T (RI::*G)(void*) const>
SFamily ByValue(char const* name)
{
    auto set = [](RI const& ri, void* o, unsigned char const* bytes) {
        T v;
        std::memcpy(&v, bytes, sizeof v);
        (ri.*S)(o, v);
        return true;
    };
    auto get = [](RI const& ri, void* o, unsigned char* out) -> void const* {
        T const v = (ri.*G)(o);
        std::memcpy(out, &v, sizeof v);
        return nullptr;
    };
    return SFamily{name, sizeof(T), set, get};
}

template <typename T, void (RI::*S)(void*, T const&) const, T const& (RI::*G)(void*) const>
SFamily ByReference(char const* name)
{
    auto set = [](RI const& ri, void* o, unsigned char const* bytes) {
        T v;
        std::memcpy(static_cast<void*>(&v), bytes, sizeof v);
        (ri.*S)(o, v);
        return g_log.sets == 0 || g_log.setValue == static_cast<void const*>(&v);
    };
    auto get = [](RI const& ri, void* o, unsigned char* out) -> void const* {
        void const* const at = &(ri.*G)(o);
        std::memcpy(out, at, sizeof(T));
        return at;
    };
    return SFamily{name, sizeof(T), set, get};
}

SFamily const kFamilies[] = {
    ByValue<bool, &RI::SetValueBool, &RI::GetValueBool>("bool"),
    ByValue<int, &RI::SetValueInt, &RI::GetValueInt>("int"),
    ByValue<unsigned int, &RI::SetValueUInt, &RI::GetValueUInt>("uint"),
    ByValue<int, &RI::SetValueEnum, &RI::GetValueEnum>("enum"),
    ByValue<int, &RI::SetValueDataSetEnum, &RI::GetValueDataSetEnum>("data set enum"),
    ByValue<long long, &RI::SetValueInt64, &RI::GetValueInt64>("int64"),
    ByValue<unsigned long long, &RI::SetValueUInt64, &RI::GetValueUInt64>("uint64"),
    ByValue<qzUUID, &RI::SetValueUUID, &RI::GetValueUUID>("uuid"),
    ByValue<float, &RI::SetValueFloat, &RI::GetValueFloat>("float"),
    ByValue<CQzManaged*, &RI::SetValueObject, &RI::GetValueObject>("object"),
    ByReference<CQzRGBA<float>, &RI::SetValueColor, &RI::GetValueColor>("colour"),
    ByReference<CQzVector2, &RI::SetValueVector2, &RI::GetValueVector2>("vector2"),
    ByReference<CQzVector3, &RI::SetValueVector3, &RI::GetValueVector3>("vector3"),
    ByReference<CQzVector4, &RI::SetValueVector4, &RI::GetValueVector4>("vector4"),
    ByReference<CQzMatrix22, &RI::SetValueMatrix22, &RI::GetValueMatrix22>("matrix22"),
    ByReference<CQzMatrix33, &RI::SetValueMatrix33, &RI::GetValueMatrix33>("matrix33"),
    ByReference<CQzMatrix44, &RI::SetValueMatrix44, &RI::GetValueMatrix44>("matrix44"),
    ByReference<CQzEulerAngles, &RI::SetValueEulerAngles, &RI::GetValueEulerAngles>("euler angles")};

} // namespace

TEST(QzReflectionInformation, EveryFamilyUsesTheOffsetOrElseOnlyTheAccessors)
{
    int const offset = 16;
    for (SFamily const& family : kFamilies)
    {
        SCOPED_TRACE(family.name);
        alignas(16) unsigned char value[64], read[64], object[128], untouched[128];
        Pattern(value, family.size, 1);
        std::memset(object, 0xCC, sizeof object);
        std::memcpy(untouched, object, sizeof object);

        // no accessors: exactly the member's bytes change, and reads see them
        g_log = SAccessorLog();
        RI const plain(CQzIdentifier("member"), RI::REFLECTION_NONE, offset, nullptr, nullptr, nullptr, nullptr,
                       nullptr);
        EXPECT_TRUE(family.set(plain, object, value));
        EXPECT_EQ(std::memcmp(object + offset, value, family.size), 0);
        EXPECT_EQ(std::memcmp(object, untouched, offset), 0);
        EXPECT_EQ(std::memcmp(object + offset + family.size, untouched, sizeof object - offset - family.size), 0);
        void const* const at = family.get(plain, object, read);
        EXPECT_EQ(std::memcmp(read, value, family.size), 0);
        EXPECT_TRUE(at == nullptr || at == object + offset);

        // accessors: one call each, the object itself is never written
        std::memcpy(object, untouched, sizeof object);
        g_log = SAccessorLog();
        g_log.size = family.size;
        RI const accessed(CQzIdentifier("member"), RI::REFLECTION_NONE, offset, nullptr, nullptr, nullptr,
                          &CountingSetter, &CountingGetter);
        EXPECT_TRUE(family.set(accessed, object, value)) << "not the caller's object";
        EXPECT_TRUE(g_log.sets == 1 && g_log.gets == 0 && g_log.object == object);
        EXPECT_EQ(std::memcmp(g_log.store, value, family.size), 0);
        EXPECT_EQ(std::memcmp(object, untouched, sizeof object), 0);
        g_log.object = nullptr;
        std::memset(read, 0, sizeof read);
        void const* const from = family.get(accessed, object, read);
        EXPECT_TRUE(g_log.sets == 1 && g_log.gets == 1 && g_log.object == object);
        EXPECT_EQ(std::memcmp(read, value, family.size), 0);
        EXPECT_TRUE(from == nullptr || from == g_log.store);
    }
}

namespace {

struct SHolder
{
    TQzString<char> text;
    TQzString<qzwchar_t> wide;
    CQzResource* resource = nullptr;
    CQzManaged* managed = nullptr;
    CQzArray<CQzResource*> resources;
    CQzVector3 embedded;
};

RI Record(RI::EType type, size_t offset, bool accessors)
{
    return RI(CQzIdentifier("holder"), type, int(offset), nullptr, nullptr, nullptr,
              accessors ? &CountingSetter : nullptr, accessors ? &CountingGetter : nullptr);
}

} // namespace

TEST(QzReflectionInformation, TextPointerAndArrayFamiliesFollowTheirOwnRules)
{
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
        g_log.size = sizeof(CQzManaged*); // the only setter argument that is copied
        RI const text = Record(RI::REFLECTION_STRING, offsetof(SHolder, text), accessors);
        text.SetValueString(&h, "lamp");
        EXPECT_STREQ(h.text.GetCString(), accessors ? "" : "lamp");
        TQzString<qzwchar_t> const wide(u"wide");
        RI const wideText = Record(RI::REFLECTION_WSTRING, offsetof(SHolder, wide), accessors);
        wideText.SetValueWString(&h, wide);
        EXPECT_EQ(std::u16string(h.wide.GetCString()), accessors ? u"" : u"wide");
        EXPECT_EQ(g_log.setValue, accessors ? static_cast<void const*>(&wide) : nullptr);
        void const* const read = &wideText.GetValueWString(&h);
        EXPECT_EQ(read, accessors ? static_cast<void const*>(g_log.store) : &h.wide);

        // the resource's setter gets the pointer itself, the object's the
        // address of a copy; is null follows the pointer on either path
        RI const res = Record(RI::REFLECTION_RESOURCE, offsetof(SHolder, resource), accessors);
        res.SetValueResource(&h, &resource);
        EXPECT_FALSE(res.IsNull());
        EXPECT_EQ(h.resource, accessors ? nullptr : &resource);
        EXPECT_EQ(g_log.setValue, accessors ? static_cast<void const*>(&resource) : nullptr);
        res.SetValueResource(&h, nullptr);
        EXPECT_TRUE(res.IsNull() && h.resource == nullptr);
        RI const obj = Record(RI::REFLECTION_OBJECT, offsetof(SHolder, managed), accessors);
        obj.SetValueObject(&h, &managed);
        EXPECT_FALSE(obj.IsNull());
        EXPECT_EQ(obj.GetValueObject(&h), &managed);
        obj.SetValueObject(&h, nullptr);
        EXPECT_TRUE(obj.IsNull());

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
        RI const sub = Record(RI::REFLECTION_SUB_OBJECT, offsetof(SHolder, embedded), accessors);
        EXPECT_EQ(sub.GetValueSubObject(&h), &h.embedded);
        EXPECT_EQ(g_log.gets, getsBefore);
    }
}

namespace {

struct SColours : SQzEnum
{
    mutable int asked = 0;
    SEntry const* GetEntries() const override { return ++asked, kEntries; }
    static constexpr SEntry kEntries[] = {{0, "red"}, {1, "green"}};
};
constexpr SQzEnum::SEntry SColours::kEntries[];

} // namespace

TEST(QzReflectionInformation, ConstructorsFillTheirFieldsAndCopiesAreDeep)
{
    EXPECT_EQ(RI().GetType(), RI::REFLECTION_INT);
    float hi = 10.0f;
    RI const withSub(CQzIdentifier("Mesh"), RI::REFLECTION_RESOURCE, 24, nullptr, nullptr, &hi,
                     CQzIdentifier("CMesh"), &CountingSetter, &CountingGetter);
    EXPECT_TRUE(withSub.GetSubType() == CQzIdentifier("cmesh") && withSub.GetMaxValue() == &hi);
    SColours colours;
    RI const byObject(CQzIdentifier("tint"), 4, nullptr, nullptr, nullptr, &colours, nullptr, nullptr);
    EXPECT_TRUE(colours.asked == 1 && byObject.GetType() == RI::REFLECTION_DATA_SET_ENUM);
    EXPECT_EQ(byObject.GetEnumReflexionInformation(), SColours::kEntries);

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
    EXPECT_TRUE(copy.IsKnownAs(CQzIdentifier("LIGHT")) && copy.IsKnownAs(CQzIdentifier("oldlight")));
    EXPECT_FALSE(copy.IsKnownAs(CQzIdentifier("newLight")));
    ASSERT_EQ(copy.GetSubReflectionInformation().GetCount(), 2);
    EXPECT_EQ(copy.GetSubReflectionInformation()[1].GetEnumReflexionInformation(), SColours::kEntries);

    RI assigned;
    assigned = copy;
    RI const& same = assigned;
    assigned = same;
    EXPECT_TRUE(assigned.GetType() == RI::REFLECTION_STRUCT && assigned.GetValueOffset() == 8);
    // a record may take the place of the structure it is part of
    assigned = assigned.GetSubReflectionInformation()[0];
    EXPECT_TRUE(assigned.GetIdentifier() == CQzIdentifier("mesh") && assigned.GetMaxValue() == &hi);
    EXPECT_EQ(assigned.GetSubReflectionInformation().GetCount() + assigned.GetAttributes().GetCount(), 0);
}
