// QzParameterClone.h: a heap copy of any parameter, for the deep copies of
// groups (internal, never installed).
#ifndef QZCORE_REFLECTION_INTERNAL_QZPARAMETERCLONE_H
#define QZCORE_REFLECTION_INTERNAL_QZPARAMETERCLONE_H

#include "reflection/QzParameter.h"

// A new parameter of the same kind with the same name and values; null for
// null (or when the heap refuses).
CQzParameter* QzCloneParameter(CQzParameter* parameter);

#endif // QZCORE_REFLECTION_INTERNAL_QZPARAMETERCLONE_H
