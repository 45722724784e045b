// QzParameter.cpp: the parameters' copies, display texts and the gradient
// table.
#include "reflection/QzParameter.h"

#include "foundation/internal/QzCLocale.h"
#include "reflection/internal/QzParameterText.h"

#include <cstdio>

// ---- the base ----

CQzParameter::CQzParameter(TQzString<char> const& name) : m_name(name)
{
}

CQzParameter::CQzParameter(CQzParameter const& other) : m_name(other.m_name)
{
}

CQzParameter& CQzParameter::operator=(CQzParameter const& other) = default;

CQzParameter::~CQzParameter() = default;

// ---- int ----

CQzParameterInt::CQzParameterInt(TQzString<char> const& name, int value, int minValue, int maxValue, int step)
    : CQzParameter(name), m_value(value), m_min(minValue), m_max(maxValue), m_step(step)
{
}

CQzParameterInt& CQzParameterInt::operator=(CQzParameterInt const& other) = default;

CQzParameterInt::~CQzParameterInt() = default;

void CQzParameterInt::GetValueAsText(char* buffer, int bufferSize)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_value);
    QzCopyCutText(text, buffer, bufferSize);
}

// ---- float ----

CQzParameterFloat::CQzParameterFloat(TQzString<char> const& name, float value, float minValue, float maxValue,
                                     float step)
    : CQzParameter(name), m_value(value), m_min(minValue), m_max(maxValue), m_step(step)
{
}

CQzParameterFloat& CQzParameterFloat::operator=(CQzParameterFloat const& other) = default;

CQzParameterFloat::~CQzParameterFloat() = default;

void CQzParameterFloat::GetValueAsText(char* buffer, int bufferSize)
{
    // the largest float takes 47 characters in %f
    char text[64];
    {
        CQzCLocaleScope const cLocale;
        std::snprintf(text, sizeof text, "%f", double(m_value));
    }
    QzCopyCutText(text, buffer, bufferSize);
}

// ---- colour ----

CQzParameterColor::CQzParameterColor(TQzString<char> const& name, CQzRGBA<float> const& value)
    : CQzParameter(name), m_value(value)
{
}

CQzParameterColor::CQzParameterColor(TQzString<char> const& name, float r, float g, float b, float a)
    : CQzParameter(name), m_value(r, g, b, a)
{
}

CQzParameterColor& CQzParameterColor::operator=(CQzParameterColor const& other) = default;

CQzParameterColor::~CQzParameterColor() = default;

void CQzParameterColor::GetValueAsText(char* buffer, int bufferSize)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", QzColorChannelTo255(m_value.GetR()),
                  QzColorChannelTo255(m_value.GetG()), QzColorChannelTo255(m_value.GetB()),
                  QzColorChannelTo255(m_value.GetA()));
    QzCopyCutText(text, buffer, bufferSize);
}

// ---- colour gradient ----

CQzParameterColorGradient::CQzParameterColorGradient(TQzString<char> const& name, CQzRGBA<float> const& from,
                                                     CQzRGBA<float> const& to, int steps)
    : CQzParameter(name), m_colours(steps > 0 ? steps : 16)
{
    if (steps <= 0)
        return;
    float const reciprocal = 1.0f / float(steps);
    float const deltaR = (to.GetR() - from.GetR()) * reciprocal;
    float const deltaG = (to.GetG() - from.GetG()) * reciprocal;
    float const deltaB = (to.GetB() - from.GetB()) * reciprocal;
    float const deltaA = (to.GetA() - from.GetA()) * reciprocal;
    CQzRGBA<float> colour = from;
    m_colours.Add(colour);
    for (int i = 1; i < steps; ++i)
    {
        colour.SetRGBA(colour.GetR() + deltaR, colour.GetG() + deltaG, colour.GetB() + deltaB,
                       colour.GetA() + deltaA);
        m_colours.Add(colour);
    }
}

CQzParameterColorGradient::CQzParameterColorGradient(TQzString<char> const& name,
                                                     CQzArray<CQzRGBA<float>> const& colours)
    : CQzParameter(name), m_colours(colours)
{
}

CQzParameterColorGradient& CQzParameterColorGradient::operator=(CQzParameterColorGradient const& other) = default;

CQzParameterColorGradient::~CQzParameterColorGradient() = default;

void CQzParameterColorGradient::GetValueAsText(char* buffer, int bufferSize)
{
    QzCopyCutText("GRADIENT", buffer, bufferSize);
}
