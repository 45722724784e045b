// QzMemCounter.cpp: adding and removing allocations.
#include "system/QzMemCounter.h"

void CQzMemCounter::Add(unsigned int ram, unsigned int vram)
{
    m_ram += ram;
    m_vram += vram;
    m_count += 1;
    if (m_ram > m_peakRam)
        m_peakRam = m_ram;
    if (m_vram > m_peakVram)
        m_peakVram = m_vram;
}

void CQzMemCounter::Sub(unsigned int ram, unsigned int vram)
{
    m_ram -= ram;
    m_vram -= vram;
    m_count -= 1;
}
