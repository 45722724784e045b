// QzRefCount.cpp: the out-of-line destructor that anchors the class.
#include "system/QzRefCount.h"

CQzRefCount::~CQzRefCount()
{
    m_count = 0;
}
