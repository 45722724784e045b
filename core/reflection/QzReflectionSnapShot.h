// QzReflectionSnapShot.h: CQzReflectionInformationSnapShot, one member's
// value of one object saved through its record, exchanged with the live
// value by BackUp: undo and redo are the same call.
#ifndef QZCORE_REFLECTION_QZREFLECTIONSNAPSHOT_H
#define QZCORE_REFLECTION_QZREFLECTIONSNAPSHOT_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "foundation/QzString.h"
#include "reflection/QzBasicVariant.h"
#include "reflection/QzReflectionInformation.h"

// Captured by member type: bool, int, float, the colour, vectors, matrices,
// Euler angles and data-set enumerations (as an int) in the variant with
// their variant type; strings in the saved text; a resource as the pointer
// itself at the start of the variant's value buffer. Other types capture
// nothing and BackUp leaves them alone. The variant is all zero bytes
// before a capture, so the unused tail of its buffer stays zero.
//
// The snapshot holds the object's raw address: it is valid only while the
// object lives, and one thread uses it at a time, like the object.
class QZ_API CQzReflectionInformationSnapShot
{
public:
    // A default record, no object, a zero variant, an empty text.
    CQzReflectionInformationSnapShot();
    // Copies the record and saves the member's current value.
    CQzReflectionInformationSnapShot(CQzReflectionInformation const& information, void* object);
    // Copies take the record, the object pointer, the whole variant (all 64
    // value bytes) and the text.
    CQzReflectionInformationSnapShot(CQzReflectionInformationSnapShot const& other);
    CQzReflectionInformationSnapShot(CQzReflectionInformationSnapShot&& other);
    CQzReflectionInformationSnapShot& operator=(CQzReflectionInformationSnapShot const& other);
    CQzReflectionInformationSnapShot& operator=(CQzReflectionInformationSnapShot&& other);
    virtual ~CQzReflectionInformationSnapShot();

    // Writes the saved value to the object through the record (its setter
    // runs) and keeps the value the object held instead.
    void BackUp();

    // For each i below objects' count, one heap snapshot per record of
    // lists[i] for objects[i], appended to out in order. lists has at least
    // as many entries as objects; out owns the new snapshots (delete them).
    static void SaveReflectionInformation(CQzArray<CQzArray<CQzReflectionInformation>>& lists,
                                          CQzArray<void*> objects,
                                          CQzArray<CQzReflectionInformationSnapShot*>& out);

    // ---- what is saved ----

    CQzReflectionInformation const& GetInformation() const { return m_information; }
    void* GetTarget() const { return m_object; }
    CQzBasicVariant const& GetSavedValue() const { return m_value; }
    TQzString<char> const& GetSavedText() const { return m_text; }
    // The pointer kept for a resource member (null for other types).
    CQzResource* GetSavedResource() const;

private:
    void Capture();
    void SetSavedResource(CQzResource* resource);

    CQzReflectionInformation m_information;
    void* m_object; // not owned
    CQzBasicVariant m_value;
    TQzString<char> m_text;
};

#endif // QZCORE_REFLECTION_QZREFLECTIONSNAPSHOT_H
