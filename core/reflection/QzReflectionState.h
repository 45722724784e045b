// QzReflectionState.h: CQzReflectionState, the values of a list of members
// of one object captured at once (one CQzReflectionValue per record), and
// written back on request.
#ifndef QZCORE_REFLECTION_QZREFLECTIONSTATE_H
#define QZCORE_REFLECTION_QZREFLECTIONSTATE_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "reflection/QzReflectionInformation.h"

// One captured value: the record's type and up to 16 bytes packed from the
// start. A plain value, copied as is.
class QZ_API CQzReflectionValue
{
public:
    static constexpr unsigned int value_byte_size = 16;

    // Type REFLECTION_NONE, zero bytes.
    CQzReflectionValue();
    // size bytes (at most value_byte_size) from value; the rest zero.
    CQzReflectionValue(CQzReflectionInformation::EType type, void const* value, unsigned int size);

    CQzReflectionInformation::EType GetType() const { return m_type; }
    void const* GetData() const { return m_value; }

private:
    CQzReflectionInformation::EType m_type;
    unsigned char m_value[value_byte_size];
};

// Captures bool (one byte), int and float (one word), the colour and
// vector4 (four floats), vector2 (two), vector3 and Euler angles (three).
// Other types get a value of their type with zero bytes, which Restore
// skips. The state owns copies of the records; like a snapshot it is used
// by one thread at a time.
class QZ_API CQzReflectionState
{
public:
    // No records, no values.
    CQzReflectionState();
    CQzReflectionState(void* object, CQzArray<CQzReflectionInformation> const& information);
    CQzReflectionState(CQzReflectionState const& other);
    CQzReflectionState(CQzReflectionState&& other) noexcept;
    CQzReflectionState& operator=(CQzReflectionState const& other);
    CQzReflectionState& operator=(CQzReflectionState&& other) noexcept;
    // Releases the values, then the records.
    virtual ~CQzReflectionState();

    CQzArray<CQzReflectionInformation> const& GetInformation() const { return m_information; }
    CQzArray<CQzReflectionValue> const& GetValues() const { return m_values; }

    // Writes every captured value back to object through its record (setters
    // run), in record order: the object returns to the state it was
    // captured in, for the captured types.
    void Restore(void* object) const;

private:
    CQzArray<CQzReflectionInformation> m_information;
    CQzArray<CQzReflectionValue> m_values;
};

#endif // QZCORE_REFLECTION_QZREFLECTIONSTATE_H
