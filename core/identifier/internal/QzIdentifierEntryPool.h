// QzIdentifierEntryPool.h (internal): where the registry's entries live.
// Entries are made in blocks and stay put until the pool goes, so the texts
// that identifiers point at outlive any Release of the table.
#ifndef QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERENTRYPOOL_H
#define QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERENTRYPOOL_H

#include "identifier/QzIdentifierHashEntry.h"

#include <cstddef>
#include <new>
#include <utility>

// One thread at a time (the registry's writer lock).
class CQzIdentifierEntryPool
{
public:
    CQzIdentifierEntryPool() = default;
    ~CQzIdentifierEntryPool()
    {
        while (m_pBlocks != nullptr)
        {
            SBlock* const block = m_pBlocks;
            for (int i = 0; i < block->used; ++i)
                block->At(i)->~CQzIdentifierHashEntry();
            m_pBlocks = block->pNext;
            delete block;
        }
    }
    CQzIdentifierEntryPool(CQzIdentifierEntryPool const&) = delete;
    CQzIdentifierEntryPool& operator=(CQzIdentifierEntryPool const&) = delete;

    // A new entry made from the arguments of a CQzIdentifierHashEntry
    // constructor.
    template <typename... TArgs>
    CQzIdentifierHashEntry* New(TArgs&&... args)
    {
        if (m_pBlocks == nullptr || m_pBlocks->used == kBlockEntries)
            m_pBlocks = new SBlock(m_pBlocks);
        void* const place = m_pBlocks->storage + std::size_t(m_pBlocks->used) * sizeof(CQzIdentifierHashEntry);
        CQzIdentifierHashEntry* const entry = new (place) CQzIdentifierHashEntry(std::forward<TArgs>(args)...);
        ++m_pBlocks->used;
        return entry;
    }

private:
    // 256 entries of 16 bytes: a block is one page-sized allocation, and the
    // entries a lookup touches sit four to a cache line
    static constexpr int kBlockEntries = 256;

    struct SBlock
    {
        explicit SBlock(SBlock* next) : pNext(next) {}
        CQzIdentifierHashEntry* At(int i)
        {
            return std::launder(reinterpret_cast<CQzIdentifierHashEntry*>(storage) + i);
        }

        alignas(CQzIdentifierHashEntry) unsigned char storage[kBlockEntries * sizeof(CQzIdentifierHashEntry)];
        SBlock* pNext;
        int used = 0;
    };

    SBlock* m_pBlocks = nullptr; // newest first
};

#endif // QZCORE_IDENTIFIER_INTERNAL_QZIDENTIFIERENTRYPOOL_H
