// QzParameter.h: CQzParameter, a named value a tool edits in a panel, and
// its four kinds: an int or a float with range and step, an RGBA colour and
// a colour gradient. Each renders its value as text for display.
#ifndef QZCORE_REFLECTION_QZPARAMETER_H
#define QZCORE_REFLECTION_QZPARAMETER_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "foundation/QzString.h"
#include "math/QzColor.h"

// Minimum, maximum and step are kept for the host's editing widgets; the
// parameters never clamp or step a value. Not thread-safe: parameters are
// edited and rendered from one thread (the tool's user-interface thread).
class QZ_API CQzParameter
{
public:
    enum EType : int
    {
        PARAMETER_INT = 0,
        PARAMETER_FLOAT = 1,
        PARAMETER_COLOR = 2,
        PARAMETER_COLOR_GRADIENT = 3
    };

    explicit CQzParameter(TQzString<char> const& name);
    CQzParameter(CQzParameter const& other);
    CQzParameter& operator=(CQzParameter const& other);
    virtual ~CQzParameter();

    virtual EType GetType() = 0;
    // The value as text, cut to bufferSize - 1 characters and always
    // terminated (bufferSize is at least 1). Numbers use '.' whatever the
    // process locale.
    virtual void GetValueAsText(char* buffer, int bufferSize) = 0;

    TQzString<char> const& GetName() const { return m_name; }

private:
    TQzString<char> m_name;
};

// "%d".
class QZ_API CQzParameterInt : public CQzParameter
{
public:
    CQzParameterInt(TQzString<char> const& name, int value, int minValue, int maxValue, int step);
    CQzParameterInt(CQzParameterInt const& other) = default;
    CQzParameterInt& operator=(CQzParameterInt const& other);
    ~CQzParameterInt() override;

    EType GetType() override { return PARAMETER_INT; }
    void GetValueAsText(char* buffer, int bufferSize) override;

    int GetValue() const { return m_value; }
    void SetValue(int value) { m_value = value; }
    int GetValueMin() const { return m_min; }
    void SetValueMin(int value) { m_min = value; }
    int GetValueMax() const { return m_max; }
    void SetValueMax(int value) { m_max = value; }
    int GetValueStep() const { return m_step; }
    void SetValueStep(int value) { m_step = value; }

private:
    int m_value;
    int m_min;
    int m_max;
    int m_step;
};

// "%f": six decimals.
class QZ_API CQzParameterFloat : public CQzParameter
{
public:
    CQzParameterFloat(TQzString<char> const& name, float value, float minValue, float maxValue, float step);
    CQzParameterFloat(CQzParameterFloat const& other) = default;
    CQzParameterFloat& operator=(CQzParameterFloat const& other);
    ~CQzParameterFloat() override;

    EType GetType() override { return PARAMETER_FLOAT; }
    void GetValueAsText(char* buffer, int bufferSize) override;

    float GetValue() const { return m_value; }
    void SetValue(float value) { m_value = value; }
    float GetValueMin() const { return m_min; }
    void SetValueMin(float value) { m_min = value; }
    float GetValueMax() const { return m_max; }
    void SetValueMax(float value) { m_max = value; }
    float GetValueStep() const { return m_step; }
    void SetValueStep(float value) { m_step = value; }

private:
    float m_value;
    float m_min;
    float m_max;
    float m_step;
};

// "r,g,b,a", each channel × 255 in single precision, truncated toward zero
// and not clamped (2.0 gives 510); beyond int's range it saturates.
class QZ_API CQzParameterColor : public CQzParameter
{
public:
    CQzParameterColor(TQzString<char> const& name, CQzRGBA<float> const& value);
    CQzParameterColor(TQzString<char> const& name, float r, float g, float b, float a);
    CQzParameterColor(CQzParameterColor const& other) = default;
    CQzParameterColor& operator=(CQzParameterColor const& other);
    ~CQzParameterColor() override;

    EType GetType() override { return PARAMETER_COLOR; }
    void GetValueAsText(char* buffer, int bufferSize) override;

    CQzRGBA<float> const& GetValue() const { return m_value; }
    void SetValue(CQzRGBA<float> const& value) { m_value = value; }
    void SetValue(float r, float g, float b, float a) { m_value.SetRGBA(r, g, b, a); }

private:
    CQzRGBA<float> m_value;
};

// "GRADIENT". The table from/to/steps holds steps evenly spaced colours
// from `from`, each the previous plus (to - from) × (1 / steps), so the last
// stops one step short of `to`; steps of 0 or less give an empty table.
class QZ_API CQzParameterColorGradient : public CQzParameter
{
public:
    CQzParameterColorGradient(TQzString<char> const& name, CQzRGBA<float> const& from, CQzRGBA<float> const& to,
                              int steps);
    // Copies the colours and the array's initial capacity.
    CQzParameterColorGradient(TQzString<char> const& name, CQzArray<CQzRGBA<float>> const& colours);
    CQzParameterColorGradient(CQzParameterColorGradient const& other) = default;
    CQzParameterColorGradient& operator=(CQzParameterColorGradient const& other);
    ~CQzParameterColorGradient() override;

    EType GetType() override { return PARAMETER_COLOR_GRADIENT; }
    void GetValueAsText(char* buffer, int bufferSize) override;

    CQzArray<CQzRGBA<float>> const& GetValue() const { return m_colours; }
    void SetValue(CQzArray<CQzRGBA<float>> const& colours) { m_colours = colours; }

private:
    CQzArray<CQzRGBA<float>> m_colours;
};

#endif // QZCORE_REFLECTION_QZPARAMETER_H
