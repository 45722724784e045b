// QzParameterClone.cpp: the kind of a parameter picks its copy constructor.
#include "reflection/internal/QzParameterClone.h"

#include <new>

CQzParameter* QzCloneParameter(CQzParameter* parameter)
{
    if (parameter == nullptr)
        return nullptr;
    switch (parameter->GetType())
    {
    case CQzParameter::PARAMETER_INT:
        return new (std::nothrow) CQzParameterInt(*static_cast<CQzParameterInt*>(parameter));
    case CQzParameter::PARAMETER_FLOAT:
        return new (std::nothrow) CQzParameterFloat(*static_cast<CQzParameterFloat*>(parameter));
    case CQzParameter::PARAMETER_COLOR:
        return new (std::nothrow) CQzParameterColor(*static_cast<CQzParameterColor*>(parameter));
    case CQzParameter::PARAMETER_COLOR_GRADIENT:
        return new (std::nothrow) CQzParameterColorGradient(*static_cast<CQzParameterColorGradient*>(parameter));
    }
    return nullptr;
}
