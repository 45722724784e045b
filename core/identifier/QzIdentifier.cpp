// QzIdentifier.cpp: building identifiers from names and CRCs, appending,
// and the debug texts with their warnings.
#include "identifier/QzIdentifier.h"

#include "identifier/QzIdentifierManager.h"
#include "identifier/internal/QzNameCrc.h"
#include "system/QzLog.h"

#include <cstdio>
#include <cstring>

namespace {

char const* const kNoDebugText = "<empty>";

void WarnMissingText(unsigned long long crc)
{
    QzLog(LOG_WARNING, LOG_TYPE_IDENTIFIER, 0, "MISSING DEBUG STRING FOR CRC64: <%016llx>", crc);
}

} // namespace

// ---- construction ----

CQzIdentifier::CQzIdentifier(unsigned long long crc)
    : m_crc64(crc), m_pName(CQzIdentifierManager::GetInstance()->FindNameForCrc64(crc))
{
}

CQzIdentifier::CQzIdentifier(unsigned long long crc, char const* name) : m_crc64(crc), m_pName(name)
{
    CQzIdentifierManager::GetInstance()->CheckCrc64ForUniqueness(name, false);
}

CQzIdentifier::CQzIdentifier(char const* name)
{
    Set(name);
}

CQzIdentifier::CQzIdentifier(TQzString<char> const& name)
{
    Set(name.GetCString());
}

void CQzIdentifier::Set(char const* name)
{
    if (name == nullptr)
        name = TQzString<char>::EMPTY;
    m_crc64 = qzidentifier::NameCrc64(name, std::strlen(name));
    // one probe: registering returns the text stored for the CRC
    m_pName = CQzIdentifierManager::GetInstance()->RegisterName(name, m_crc64);
}

void CQzIdentifier::Set(TQzString<char> const& name)
{
    Set(name.GetCString());
}

// ---- names ----

CQzIdentifier CQzIdentifier::Append(char const* suffix) const
{
    if (suffix == nullptr)
        suffix = TQzString<char>::EMPTY;
    CQzIdentifierManager* const manager = CQzIdentifierManager::GetInstance();

    CQzIdentifier result;
    result.m_crc64 = qzidentifier::NameCrc64(suffix, std::strlen(suffix), m_crc64);

    // the whole text is registered under its own CRC, which is the result's
    // unless the registry's text for this identifier came from elsewhere
    TQzString<char> whole(manager->FindNameForCrc64(m_crc64));
    whole.Append(suffix);
    manager->CheckCrc64ForUniqueness(whole.GetCString(), false);

    result.m_pName = manager->FindNameForCrc64(result.m_crc64);
    return result;
}

char const* CQzIdentifier::DebugCString() const
{
    if (char const* const text = CQzIdentifierManager::GetInstance()->FindNameForCrc64(m_crc64))
        return text;
    WarnMissingText(m_crc64);
    return kNoDebugText;
}

TQzString<char> CQzIdentifier::DebugString() const
{
    if (char const* const text = CQzIdentifierManager::GetInstance()->FindNameForCrc64(m_crc64))
        return TQzString<char>(text);
    char hex[24];
    std::snprintf(hex, sizeof hex, "CRC<%8.8X%8.8X>", unsigned(m_crc64 >> 32), unsigned(m_crc64 & 0xFFFFFFFFu));
    WarnMissingText(m_crc64);
    return TQzString<char>(hex);
}
