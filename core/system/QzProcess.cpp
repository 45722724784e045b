// QzProcess.cpp: the empty process record.
#include "system/QzProcess.h"

CQzProcess::CQzProcess()
    : m_settings{0, 0, 0, 0}, m_information{nullptr, nullptr, 0, 0}, m_status(STATUS_NOT_STARTED), m_lastWord(0)
{
}
