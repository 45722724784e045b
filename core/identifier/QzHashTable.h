// QzHashTable.h: TQzHashTable, an open-addressing table of entry pointers
// with linear probing, kept at most a quarter full; lookups run on any
// number of threads while one thread at a time changes the table.
#ifndef QZCORE_IDENTIFIER_QZHASHTABLE_H
#define QZCORE_IDENTIFIER_QZHASHTABLE_H

#include <atomic>
#include <cstddef>

// TPolicy gives the key of an entry (GetKey), whether an entry has a key
// (MatchKey) and the 32-bit hash of a key (CreateHash). The table stores
// pointers and never owns, copies or frees the entries.
//
// Threads: Find may run on any thread at any time, also while another
// thread inserts, grows or clears; it then sees the table as it was before
// or after that change. Every other operation belongs to one thread at a
// time (the caller's lock). The destructor runs once no thread uses the
// table any more.
//
// Bucket arrays that readers may still be walking are never freed while
// the table lives: growing and clearing retire the old array, and a later
// array of the same size reuses it. Memory therefore stays within twice
// the largest array the table has held.
template <typename TEntry, typename TKey, typename TPolicy>
class TQzHashTable
{
public:
    static constexpr int kInitialSizeExponent = 8;

    // Empty; the first insertion allocates 256 buckets.
    TQzHashTable() = default;
    ~TQzHashTable()
    {
        FreeList(m_pBuckets.load(std::memory_order_relaxed));
        FreeList(m_pRetired);
    }

    // Readers hold the table's address, so it neither copies nor moves.
    TQzHashTable(TQzHashTable const&) = delete;
    TQzHashTable& operator=(TQzHashTable const&) = delete;

    // ---- lookup (any thread) ----

    // The entry whose key matches, or null.
    TEntry* Find(TKey key) const
    {
        SBuckets const* const buckets = m_pBuckets.load(std::memory_order_acquire);
        if (buckets == nullptr)
            return nullptr;
        unsigned int const mask = buckets->mask;
        unsigned int index = unsigned(TPolicy::CreateHash(key)) & mask;
        // the bound only matters to a reader whose array is being reused
        for (unsigned int probes = 0; probes <= mask; ++probes, index = (index + 1) & mask)
        {
            TEntry* const entry = buckets->slots[index].load(std::memory_order_acquire);
            if (entry == nullptr || TPolicy::MatchKey(entry, key))
                return entry;
        }
        return nullptr;
    }

    // ---- changes (one thread at a time) ----

    // Grows first when a quarter full, then probes from the entry's key:
    // true when the entry is stored (or was already), false when another
    // entry holds its key (the table is then unchanged).
    bool Insert(TEntry* entry)
    {
        return FindOrInsert(TPolicy::GetKey(entry), [entry] { return entry; }) == entry;
    }

    // As Insert, for an entry made by make() only when no entry holds key:
    // returns the entry that holds key afterwards.
    template <typename TMake>
    TEntry* FindOrInsert(TKey key, TMake&& make)
    {
        if (m_pBuckets.load(std::memory_order_relaxed) == nullptr)
            Publish(TakeArray(kInitialSizeExponent));
        else if (m_entryCount * 4 >= GetBucketCount())
            Grow();
        SBuckets* const buckets = m_pBuckets.load(std::memory_order_relaxed);
        unsigned int index = unsigned(TPolicy::CreateHash(key)) & buckets->mask;
        for (;; index = (index + 1) & buckets->mask)
        {
            TEntry* const held = buckets->slots[index].load(std::memory_order_relaxed);
            if (held == nullptr)
                break;
            if (TPolicy::MatchKey(held, key))
                return held;
        }
        TEntry* const entry = make();
        // release: a reader that sees the pointer sees the whole entry
        buckets->slots[index].store(entry, std::memory_order_release);
        ++m_entryCount;
        return entry;
    }

    // Forgets every entry; the next insertion starts again at 256 buckets.
    void Clear()
    {
        SBuckets* const buckets = m_pBuckets.load(std::memory_order_relaxed);
        m_pBuckets.store(nullptr, std::memory_order_release);
        Retire(buckets);
        m_entryCount = 0;
    }

    // Calls visit(entry) for each entry in bucket order, index 0 upward.
    template <typename TVisit>
    void ForEachEntry(TVisit&& visit) const
    {
        SBuckets const* const buckets = m_pBuckets.load(std::memory_order_relaxed);
        if (buckets == nullptr)
            return;
        for (unsigned int i = 0; i <= buckets->mask; ++i)
            if (TEntry* const entry = buckets->slots[i].load(std::memory_order_relaxed))
                visit(entry);
    }

    // ---- size (one thread at a time) ----

    // 8 and 256 before the first insertion, as for a fresh table.
    int GetSizeExponent() const
    {
        SBuckets const* const buckets = m_pBuckets.load(std::memory_order_relaxed);
        return buckets != nullptr ? buckets->sizeExponent : kInitialSizeExponent;
    }
    int GetBucketCount() const { return 1 << GetSizeExponent(); }
    int GetEntryCount() const { return m_entryCount; }

private:
    // One bucket array; its size never changes, even when it is reused.
    struct SBuckets
    {
        explicit SBuckets(int exponent)
            : sizeExponent(exponent), mask((1u << exponent) - 1),
              slots(new std::atomic<TEntry*>[std::size_t(1) << exponent]())
        {
        }
        ~SBuckets() { delete[] slots; }

        int const sizeExponent;
        unsigned int const mask;
        std::atomic<TEntry*>* const slots;
        SBuckets* pNextRetired = nullptr;
    };

    // A zero-filled array of 1 << exponent buckets, reused when one of that
    // size is retired.
    SBuckets* TakeArray(int exponent)
    {
        for (SBuckets** link = &m_pRetired; *link != nullptr; link = &(*link)->pNextRetired)
        {
            SBuckets* const buckets = *link;
            if (buckets->sizeExponent != exponent)
                continue;
            *link = buckets->pNextRetired;
            buckets->pNextRetired = nullptr;
            for (unsigned int i = 0; i <= buckets->mask; ++i)
                buckets->slots[i].store(nullptr, std::memory_order_relaxed);
            return buckets;
        }
        return new SBuckets(exponent);
    }

    // Doubles the bucket count and inserts every entry again, walking the
    // old buckets from index 0 upward; readers switch to the new array only
    // once it is complete.
    void Grow()
    {
        SBuckets* const old = m_pBuckets.load(std::memory_order_relaxed);
        SBuckets* const grown = TakeArray(old->sizeExponent + 1);
        for (unsigned int i = 0; i <= old->mask; ++i)
        {
            TEntry* const entry = old->slots[i].load(std::memory_order_relaxed);
            if (entry == nullptr)
                continue;
            unsigned int index = unsigned(TPolicy::CreateHash(TPolicy::GetKey(entry))) & grown->mask;
            while (grown->slots[index].load(std::memory_order_relaxed) != nullptr)
                index = (index + 1) & grown->mask;
            // release: a reader still walking a reused array may meet it here
            grown->slots[index].store(entry, std::memory_order_release);
        }
        Publish(grown);
        Retire(old);
    }

    void Publish(SBuckets* buckets) { m_pBuckets.store(buckets, std::memory_order_release); }

    void Retire(SBuckets* buckets)
    {
        if (buckets == nullptr)
            return;
        buckets->pNextRetired = m_pRetired;
        m_pRetired = buckets;
    }

    static void FreeList(SBuckets* buckets)
    {
        while (buckets != nullptr)
        {
            SBuckets* const next = buckets->pNextRetired;
            delete buckets;
            buckets = next;
        }
    }

    std::atomic<SBuckets*> m_pBuckets{nullptr}; // what readers walk
    SBuckets* m_pRetired = nullptr;             // arrays readers may still walk
    int m_entryCount = 0;
};

#endif // QZCORE_IDENTIFIER_QZHASHTABLE_H
