// QzDynamicLibrary.cpp: loading, symbol look-up and release.
#include "system/QzDynamicLibrary.h"

#include "system/platform/QzPlatformLibrary.h"

CQzDynamicLibrary::CQzDynamicLibrary(TQzString<char> const& fileName) : m_fileName(fileName), m_module(nullptr) {}

CQzDynamicLibrary::CQzDynamicLibrary(CQzDynamicLibrary const& other)
    : m_fileName(other.m_fileName), m_module(qzplatform::AddLibraryReference(other.m_module))
{
}

CQzDynamicLibrary& CQzDynamicLibrary::operator=(CQzDynamicLibrary const& other)
{
    if (this != &other)
    {
        // the new reference is taken first: both may hold the same library
        void* const module = qzplatform::AddLibraryReference(other.m_module);
        Release();
        m_fileName = other.m_fileName;
        m_module = module;
    }
    return *this;
}

CQzDynamicLibrary::~CQzDynamicLibrary()
{
    Release();
}

bool CQzDynamicLibrary::Initialize()
{
    Release();
    m_module = qzplatform::LoadLibrary(m_fileName.GetCString());
    return m_module != nullptr;
}

void* CQzDynamicLibrary::GetFunctionAddress(TQzString<char> const& name) const
{
    return qzplatform::FindSymbol(m_module, name.GetCString());
}

void CQzDynamicLibrary::Release()
{
    if (m_module != nullptr)
    {
        qzplatform::FreeLibrary(m_module);
        m_module = nullptr;
    }
}
