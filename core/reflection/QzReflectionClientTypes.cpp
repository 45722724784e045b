// QzReflectionClientTypes.cpp: the out-of-line destructors that anchor the
// client base classes' virtual tables in the library.
#include "reflection/QzReflectionClientTypes.h"

CQzResource::~CQzResource() = default;
CQzManaged::~CQzManaged() = default;
SQzEnum::~SQzEnum() = default;
