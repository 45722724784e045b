// QzBasicVariant.cpp: the type tables and the byte copies of CQzBasicVariant.
#include "reflection/QzBasicVariant.h"

#include "foundation/QzStringCompare.h"

#include <cstring>

char const* CQzBasicVariant::TypeName[type_count] = {
    "matrix4x4", "matrix3x3", "matrix2x2", "vector4",  "ivector4", "uvector4", "bvector4", "rgbaf",
    "vector3",   "eulerangles", "ivector3", "uvector3", "bvector3", "rgbf",   "vector2",  "ivector2",
    "uvector2",  "bvector2",  "float",     "int",      "uint",     "bool"};

unsigned int const CQzBasicVariant::TypeSize[type_count] = {
    64, 36, 16, 16, 16, 16, 4, 16, 12, 12, 12, 12, 3, 12, 8, 8, 8, 2, 4, 4, 4, 1};

CQzBasicVariant::EType const CQzBasicVariant::TypeComponentScalarType[type_count] = {
    TYPE_FLOAT, TYPE_FLOAT, TYPE_FLOAT, TYPE_FLOAT, TYPE_INT,   TYPE_UINT,  TYPE_BOOL, TYPE_FLOAT,
    TYPE_FLOAT, TYPE_FLOAT, TYPE_INT,   TYPE_UINT,  TYPE_BOOL,  TYPE_FLOAT, TYPE_FLOAT, TYPE_INT,
    TYPE_UINT,  TYPE_BOOL,  TYPE_FLOAT, TYPE_INT,   TYPE_UINT,  TYPE_BOOL};

CQzBasicVariant::EType CQzBasicVariant::GetETypeEnumFromName(char const* name)
{
    for (int t = 0; t < type_count; ++t)
    {
        if (qzStrcmp(name, TypeName[t]) == 0)
            return EType(t);
    }
    return TYPE_INVALID;
}

CQzBasicVariant::CQzBasicVariant() : m_type(TYPE_INVALID), m_value()
{
}

void CQzBasicVariant::MemoryCopyTo(void* dst) const
{
    std::memcpy(dst, m_value, TypeSize[m_type]);
}

void CQzBasicVariant::Store(void const* src, EType t)
{
    m_type = t;
    std::memcpy(m_value, src, TypeSize[t]);
}
