// QzVector3.cpp: the sign-extension tables of the packed normal.
#include "math/QzVector3.h"

unsigned int const CQzHENDN3::SignExtendXY[2] = {0x00000000u, 0xFFFFF800u};
unsigned int const CQzHENDN3::SignExtendZ[2] = {0x00000000u, 0xFFFFFC00u};
