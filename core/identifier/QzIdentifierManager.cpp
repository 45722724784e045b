// QzIdentifierManager.cpp: the registry of identifier texts, safe to use
// from many threads at once.
//
// Engines build identifiers on their worker threads while they load assets,
// so lookups must not wait: FindNameForCrc64 (and the lookup every
// identifier built from a name does first) reads the table without a lock.
// The table publishes its bucket array with a release store and each entry
// with a release store into its bucket; a reader's acquire loads then see
// the whole array and whole entries. Nothing a reader may touch is ever
// freed while the manager lives:
// - entries are made once, never changed and never freed (the pool keeps
//   them, Release included), which is also what identifiers rely on when
//   they keep a pointer to the text;
// - a bucket array that growing or Release replaces is retired, not freed,
//   because a reader may still be probing it. The next array of the same
//   size reuses it, so retired arrays never take more than the largest
//   array once more. Reclaiming them instead (hazard pointers, epochs)
//   would cost every lookup a store or a shared counter, which is exactly
//   what makes lookups stop scaling across threads.
// A reader on a retired array that is being reused finds either a real
// entry with the CRC it asked for or no entry: a stale answer of the kind
// any lookup racing with a change may give, never a wrong text.
//
// Writers (registration of a name that is not there yet, loading, saving,
// Release) take turns on one mutex; registration of a name already present
// is a lookup and takes no lock.
#include "identifier/QzIdentifierManager.h"

#include "identifier/internal/QzIdentifierWriter.h"
#include "identifier/internal/QzNameCrc.h"

#include <cstring>

// ---- life cycle ----

CQzIdentifierManager* CQzIdentifierManager::GetInstance()
{
    // made by whichever thread comes first and never destroyed: identifiers
    // held by other static objects may look names up while the process ends
    static CQzIdentifierManager* const instance = new CQzIdentifierManager();
    return instance;
}

CQzIdentifierManager::CQzIdentifierManager() : m_pWriter(new SWriter)
{
}

CQzIdentifierManager::~CQzIdentifierManager()
{
    delete m_pWriter;
}

void CQzIdentifierManager::Initialize()
{
}

// ---- names ----

char const* CQzIdentifierManager::FindNameForCrc64(unsigned long long crc) const
{
    CQzIdentifierHashEntry const* const entry = m_table.Find(crc);
    return entry != nullptr ? entry->name.GetCString() : nullptr;
}

void CQzIdentifierManager::CheckCrc64ForUniqueness(char const* name, bool /*flag*/)
{
    if (name == nullptr)
        return;
    RegisterName(name, qzidentifier::NameCrc64(name, std::strlen(name)));
}

char const* CQzIdentifierManager::RegisterName(char const* name, unsigned long long crc)
{
    if (CQzIdentifierHashEntry const* const known = m_table.Find(crc))
        return known->name.GetCString();

    std::lock_guard<std::mutex> const turn(m_pWriter->lock);
    // another writer may have stored it since the lookup above
    if (CQzIdentifierHashEntry const* const known = m_table.Find(crc))
        return known->name.GetCString();
    CQzIdentifierHashEntry* const entry = m_table.FindOrInsert(crc, [&] {
        CQzIdentifierHashEntry* const made = m_pWriter->entries.New(name, crc);
        made->name.ToLower();
        return made;
    });
    return entry->name.GetCString();
}

void CQzIdentifierManager::Release()
{
    std::lock_guard<std::mutex> const turn(m_pWriter->lock);
    m_table.Clear();
}
