// QzWellKnownTexts.h (internal): the texts of the well-known identifiers,
// one for each member of SQzWellKnownIdentifiers, from the same list.
#ifndef QZCORE_IDENTIFIER_INTERNAL_QZWELLKNOWNTEXTS_H
#define QZCORE_IDENTIFIER_INTERNAL_QZWELLKNOWNTEXTS_H

namespace qzidentifier {

inline constexpr char const* kWellKnownTexts[] = {
#define QZ_WELL_KNOWN_IDENTIFIER(member, text) text,
#include "identifier/QzWellKnownIdentifierList.h"
#undef QZ_WELL_KNOWN_IDENTIFIER
};

inline constexpr int kWellKnownCount = int(sizeof kWellKnownTexts / sizeof kWellKnownTexts[0]);

} // namespace qzidentifier

#endif // QZCORE_IDENTIFIER_INTERNAL_QZWELLKNOWNTEXTS_H
