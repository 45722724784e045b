// QzIdentifierWriter.h (internal): what the registry's writers share: the
// lock they take turns on and the pool their entries live in.
#ifndef QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERWRITER_H
#define QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERWRITER_H

#include "identifier/QzIdentifierManager.h"
#include "identifier/internal/QzIdentifierEntryPool.h"

#include <mutex>

struct CQzIdentifierManager::SWriter
{
    std::mutex lock;
    CQzIdentifierEntryPool entries;
};

#endif // QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERWRITER_H
