// QzMemCounter.h: CQzMemCounter, a tally of main-memory (RAM) and
// video-memory (VRAM) bytes in use, their peaks and the live allocations.
#ifndef QZCORE_SYSTEM_QZMEMCOUNTER_H
#define QZCORE_SYSTEM_QZMEMCOUNTER_H

#include "QzApi.h"

// All arithmetic wraps modulo 2^32; nothing checks for going below zero.
class QZ_API CQzMemCounter
{
public:
    CQzMemCounter() : m_ram(0), m_vram(0), m_peakRam(0), m_peakVram(0), m_count(0) {}
    CQzMemCounter& operator=(CQzMemCounter const&) = default;

    // One allocation more; the peaks follow the amounts up.
    void Add(unsigned int ram, unsigned int vram);
    // One allocation less; the peaks stay.
    void Sub(unsigned int ram, unsigned int vram);

    unsigned int AmountRAM() const { return m_ram; }
    unsigned int AmountVRAM() const { return m_vram; }
    unsigned int AmountTotal() const { return m_ram + m_vram; }
    unsigned int PeakRAM() const { return m_peakRam; }
    unsigned int PeakVRAM() const { return m_peakVram; }
    unsigned int PeakTotal() const { return m_peakRam + m_peakVram; }
    unsigned int Count() const { return m_count; }

private:
    unsigned int m_ram;
    unsigned int m_vram;
    unsigned int m_peakRam;
    unsigned int m_peakVram;
    unsigned int m_count;
};

#endif // QZCORE_SYSTEM_QZMEMCOUNTER_H
