// QzReflectionInformation.h: CQzReflectionInformation, the description of
// one member of a client class (name, type, offset or accessors, optional
// limits, enumeration entries or nested records) and the typed operations
// that read and write that member in any object of the class.
#ifndef QZCORE_REFLECTION_QZREFLECTIONINFORMATION_H
#define QZCORE_REFLECTION_QZREFLECTIONINFORMATION_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "foundation/QzString.h"
#include "identifier/QzIdentifier.h"
#include "math/QzColor.h"
#include "math/QzEulerAngles.h"
#include "math/QzMatrix22.h"
#include "math/QzMatrix33.h"
#include "math/QzMatrix44.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"
#include "reflection/QzReflectionClientTypes.h"

// Writes go through the setter when the record has one, else to object +
// offset; reads likewise through the getter (which returns the value's
// address), else from object + offset. Offsets and accessors are trusted:
// apply a record only to objects of the class it describes.
//
// Threads: a record is a value; the value operations are const but update
// the is-null flag of the pointer families, so one record is used by one
// thread at a time (or under the client's lock).
class QZ_API CQzReflectionInformation
{
public:
    // The member's type. Snapshots keep BOOL, INT, FLOAT, COLOR to
    // EULER_ANGLES and DATA_SET_ENUM in a variant, STRING as text and
    // RESOURCE as the pointer; states keep a part of these (see
    // QzReflectionState.h); every other type they leave alone.
    enum EType : int
    {
        REFLECTION_NONE = 0,           // no value: a heading or placeholder in an editor
        REFLECTION_STRUCT = 1,         // a nested structure described by the sub information
        REFLECTION_BOOL = 2,
        REFLECTION_INT = 3,
        REFLECTION_UINT = 4,
        REFLECTION_INT64 = 5,
        REFLECTION_UINT64 = 6,
        REFLECTION_FLOAT = 7,
        REFLECTION_ENUM = 8,           // a plain 32-bit enumeration value
        REFLECTION_COLOR = 9,
        REFLECTION_VECTOR2 = 10,
        REFLECTION_VECTOR3 = 11,
        REFLECTION_VECTOR4 = 12,
        REFLECTION_MATRIX22 = 13,
        REFLECTION_MATRIX33 = 14,
        REFLECTION_MATRIX44 = 15,
        REFLECTION_EULER_ANGLES = 16,
        REFLECTION_DATA_SET_ENUM = 17, // an index into the enumeration entries
        REFLECTION_UUID = 18,
        REFLECTION_STRING = 19,
        REFLECTION_WSTRING = 20,
        REFLECTION_OBJECT = 21,        // a CQzManaged *
        REFLECTION_RESOURCE_ARRAY = 22,
        REFLECTION_SUB_OBJECT = 23,    // an embedded object reached by GetValueSubObject
        REFLECTION_ACTION = 24,        // no value: an editor command
        REFLECTION_SEPARATOR = 25,     // no value: an editor separator
        REFLECTION_RESOURCE = 26       // a CQzResource *
    };

    typedef void (*Setter)(void* object, void const* value);
    typedef void const* (*Getter)(void const* object);

    // ---- construction (the two lists start empty, is null starts true) ----

    // An int member at offset 0 with the null identifier and nothing else.
    CQzReflectionInformation();
    CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset, void* defaultValue, void* minValue,
                             void* maxValue, Setter setter, Getter getter);
    CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset, void* defaultValue, void* minValue,
                             void* maxValue, CQzIdentifier const& subType, Setter setter, Getter getter);
    // A data-set enumeration whose entries the enumeration object supplies.
    CQzReflectionInformation(CQzIdentifier const& id, int offset, void* defaultValue, void* minValue,
                             void* maxValue, SQzEnum const* enumeration, Setter setter, Getter getter);
    CQzReflectionInformation(CQzIdentifier const& id, int offset, void* defaultValue, void* minValue,
                             void* maxValue, SQzEnum::SEntry const* entries, Setter setter, Getter getter);
    // A nested structure: the sub information is copied.
    CQzReflectionInformation(CQzIdentifier const& id, EType type, int offset,
                             CQzArray<CQzReflectionInformation> const& subInformation, Setter setter,
                             Getter getter);

    // Copies every field; the arrays element by element.
    CQzReflectionInformation(CQzReflectionInformation const& other);
    CQzReflectionInformation(CQzReflectionInformation&& other) noexcept;
    CQzReflectionInformation& operator=(CQzReflectionInformation const& other);
    CQzReflectionInformation& operator=(CQzReflectionInformation&& other) noexcept;
    virtual ~CQzReflectionInformation();

    // ---- the description ----

    CQzIdentifier const& GetIdentifier() const { return m_identifier; }
    CQzIdentifier const& GetSubType() const { return m_subType; }
    EType GetType() const { return m_type; }
    int GetValueOffset() const { return m_valueOffset; }
    // Not owned: they point at values of the member's type, or are null.
    void* GetDefaultValue() const { return m_defaultValue; }
    void* GetMinValue() const { return m_minValue; }
    void* GetMaxValue() const { return m_maxValue; }
    SQzEnum::SEntry const* GetEnumReflexionInformation() const { return m_enumEntries; }
    CQzArray<CQzReflectionInformation> const& GetSubReflectionInformation() const { return m_subInformation; }
    bool IsNull() const { return m_isNull; }
    void SetIsNull(bool isNull) { m_isNull = isNull; }

    // The first list: client-defined 32-bit attribute words (editor hints,
    // serialisation flags), in the order added.
    void AddAttribute(unsigned int attribute) { m_attributes.Add(attribute); }
    CQzArray<unsigned int> const& GetAttributes() const { return m_attributes; }
    bool HasAttribute(unsigned int attribute) const;

    // The second list: names the member was known by before, as the low 32
    // bits of their identifiers (HashTable_CreateHash), so that data saved
    // under an old name still finds the member.
    void AddAlias(CQzIdentifier const& formerName) { m_aliases.Add((unsigned int)formerName.HashTable_CreateHash()); }
    CQzArray<unsigned int> const& GetAliases() const { return m_aliases; }
    // The identifier itself, or one whose low 32 bits are an alias.
    bool IsKnownAs(CQzIdentifier const& name) const;

    // ---- reading and writing the member of object ----

    void SetValueBool(void* object, bool value) const;
    bool GetValueBool(void* object) const;

    void SetValueInt(void* object, int value) const;
    void SetValueUInt(void* object, unsigned int value) const;
    void SetValueEnum(void* object, int value) const;
    void SetValueDataSetEnum(void* object, int value) const;
    int GetValueInt(void* object) const;
    unsigned int GetValueUInt(void* object) const;
    int GetValueEnum(void* object) const;
    int GetValueDataSetEnum(void* object) const;

    void SetValueInt64(void* object, long long value) const;
    void SetValueUInt64(void* object, unsigned long long value) const;
    long long GetValueInt64(void* object) const;
    unsigned long long GetValueUInt64(void* object) const;

    void SetValueUUID(void* object, qzUUID value) const;
    qzUUID GetValueUUID(void* object) const;

    void SetValueFloat(void* object, float value) const;
    float GetValueFloat(void* object) const;

    // The setter receives the caller's own object; without one the floats
    // are copied one by one.
    void SetValueColor(void* object, CQzRGBA<float> const& value) const;
    void SetValueVector2(void* object, CQzVector2 const& value) const;
    void SetValueVector3(void* object, CQzVector3 const& value) const;
    void SetValueVector4(void* object, CQzVector4 const& value) const;
    void SetValueMatrix22(void* object, CQzMatrix22 const& value) const;
    void SetValueMatrix33(void* object, CQzMatrix33 const& value) const;
    void SetValueMatrix44(void* object, CQzMatrix44 const& value) const;
    // Copying a value onto itself is skipped.
    void SetValueEulerAngles(void* object, CQzEulerAngles const& value) const;
    // These return the member itself (or what the getter points at).
    CQzRGBA<float> const& GetValueColor(void* object) const;
    CQzVector2 const& GetValueVector2(void* object) const;
    CQzVector3 const& GetValueVector3(void* object) const;
    CQzVector4 const& GetValueVector4(void* object) const;
    CQzMatrix22 const& GetValueMatrix22(void* object) const;
    CQzMatrix33 const& GetValueMatrix33(void* object) const;
    CQzMatrix44 const& GetValueMatrix44(void* object) const;
    CQzEulerAngles const& GetValueEulerAngles(void* object) const;

    void SetValueString(void* object, TQzString<char> const& value) const;
    void SetValueWString(void* object, TQzString<qzwchar_t> const& value) const;
    TQzString<char> const& GetValueString(void* object) const;
    TQzString<qzwchar_t> const& GetValueWString(void* object) const;

    // These also set is null to whether the pointer is null, whichever path
    // wrote it. The resource's setter receives the pointer itself, the
    // object's setter the address of a copy of it.
    void SetValueObject(void* object, CQzManaged* value) const;
    void SetValueResource(void* object, CQzResource* value) const;
    CQzManaged* GetValueObject(void* object) const;
    CQzResource* GetValueResource(void* object) const;

    // A non-null array is passed to the setter as is, or assigned to the
    // member; a null one only sets is null.
    void SetValueResourceArray(void* object, CQzArray<CQzResource*>* value) const;
    CQzArray<CQzResource*> const& GetValueResourceArray(void* object) const;

    // Always object + offset: the getter is not asked.
    void* GetValueSubObject(void* object) const;

private:
    void* MemberAddress(void* object) const { return static_cast<char*>(object) + m_valueOffset; }
    // where reads come from: the getter's answer, else the member
    void const* ReadAddress(void* object) const;
    void WriteBytes(void* object, void const* value, unsigned int size) const;
    void WriteFloats(void* object, void const* value, int count) const;
    // moves every field of from (which belongs to no array of this record)
    void Take(CQzReflectionInformation& from) noexcept;

    CQzArray<unsigned int> m_attributes;
    CQzArray<unsigned int> m_aliases;
    CQzIdentifier m_identifier;
    EType m_type;
    CQzIdentifier m_subType;
    SQzEnum::SEntry const* m_enumEntries; // not owned
    int m_valueOffset;
    void* m_defaultValue;                 // not owned
    void* m_minValue;                     // not owned
    void* m_maxValue;                     // not owned
    CQzArray<CQzReflectionInformation> m_subInformation;
    mutable bool m_isNull;                // written by the const pointer setters
    Setter m_setter;
    Getter m_getter;
};

#endif // QZCORE_REFLECTION_QZREFLECTIONINFORMATION_H
