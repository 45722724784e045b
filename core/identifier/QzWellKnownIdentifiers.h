// QzWellKnownIdentifiers.h: QZID, the process-wide table of ready-made
// identifiers for the engine's well-known names, so that a CRC is compared
// with, say, QZID::GetSingleton()->position_x without hashing a text.
#ifndef QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H
#define QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H

#include "QzApi.h"
#include "identifier/QzIdentifier.h"

// One identifier per well-known name, named after its text, except
// "@camera_perspective" (camera_perspective_at) and "template" (template_).
// Members and texts come from one list, QzWellKnownIdentifierList.h.
struct SQzWellKnownIdentifiers
{
#define QZ_WELL_KNOWN_IDENTIFIER(member, text) CQzIdentifier member;
#include "identifier/QzWellKnownIdentifierList.h"
#undef QZ_WELL_KNOWN_IDENTIFIER
};

// Made on the first GetSingleton call, which registers every well-known
// text (and the empty one) with the identifier manager; constant after.
//
// Threads: GetSingleton may be called from any thread, the first call
// included; the members are read-only and may be read from any thread.
class QZ_API QZID : public SQzWellKnownIdentifiers
{
public:
    static QZID* GetSingleton();

    // Copies every identifier; pEmpty keeps pointing where the source's does.
    QZID(QZID const& other) = default;

    CQzIdentifier empty;    // the empty text: the null identifier
    CQzIdentifier* pEmpty;  // points at empty

private:
    // Only GetSingleton makes the table, and nothing destroys it.
    QZID();
    virtual ~QZID();
};

#endif // QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H
