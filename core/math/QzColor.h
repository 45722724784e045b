// QzColor.h: the colour value types CQzRGB<T>, CQzBGR<T>, CQzARGB<T> and
// CQzRGBA<T> for channels of unsigned char, unsigned short or float.
#ifndef QZCORE_MATH_QZCOLOR_H
#define QZCORE_MATH_QZCOLOR_H

#include <algorithm>
#include <climits>

// The four layouts differ only in which channels they hold and in their
// memory order; constructors, setters and indices always take red, green,
// blue, alpha in that order. Integer channels wrap (nothing saturates) and
// divide truncating; float channels follow IEEE arithmetic.
//
// Colours are plain values: any thread may use its own, none is shared.

// ---- channel arithmetic shared by the four layouts ----
namespace qzcolor {

// Integer channels compute in 32-bit unsigned arithmetic and narrow back,
// so sums, differences, products and dot products wrap modulo the
// channel's range. Only the three channel types are defined.
template <typename T> struct Wide;
template <> struct Wide<unsigned char> { typedef unsigned int Type; };
template <> struct Wide<unsigned short> { typedef unsigned int Type; };
template <> struct Wide<float> { typedef float Type; };
template <typename T> using WideT = typename Wide<T>::Type;

template <typename T> inline T Add(T a, T b) { return T(WideT<T>(a) + WideT<T>(b)); }
template <typename T> inline T Sub(T a, T b) { return T(WideT<T>(a) - WideT<T>(b)); }
template <typename T> inline T Mul(T a, T b) { return T(WideT<T>(a) * WideT<T>(b)); }

// Integer division truncates; a zero divisor gives the channel's largest
// value (as a float channel runs to infinity) instead of trapping.
template <typename T> inline T Div(T a, T b) { return b != 0 ? T(a / b) : T(~0u); }
template <> inline float Div<float>(float a, float b) { return a / b; }

// A scalar divisor is prepared once: float channels then multiply by its
// reciprocal, integer channels divide by it.
template <typename T> inline T Divisor(T s) { return s; }
template <> inline float Divisor<float>(float s) { return 1.0f / s; }
template <typename T> inline T DivideBy(T c, T divisor) { return Div(c, divisor); }
template <> inline float DivideBy<float>(float c, float reciprocal) { return c * reciprocal; }

// max(lo, min(c, hi)): when lo > hi the result is lo.
template <typename T> inline T Clamp(T c, T lo, T hi) { return std::max(lo, std::min(c, hi)); }

template <typename T> inline T Dot(T r0, T r1, T g0, T g1, T b0, T b1)
{
    typedef WideT<T> W;
    return T(W(r0) * W(r1) + W(g0) * W(g1) + W(b0) * W(b1));
}

template <typename T> inline T Dot(T r0, T r1, T g0, T g1, T b0, T b1, T a0, T a1)
{
    typedef WideT<T> W;
    return T(W(r0) * W(r1) + W(g0) * W(g1) + W(b0) * W(b1) + W(a0) * W(a1));
}

float const kLuminanceRed = 0.299f;
float const kLuminanceGreen = 0.587f;
float const kLuminanceBlue = 0.114f;

// Summed in single precision, green term first, then truncated toward zero
// for integer channels: white stays white (255 or 65535).
template <typename T> inline T Luminance(T r, T g, T b)
{
    float const green = kLuminanceGreen * float(g);
    float const red = kLuminanceRed * float(r);
    float const blue = kLuminanceBlue * float(b);
    return T(green + red + blue);
}

// Truncates toward zero; saturates where int cannot hold the value and maps
// NaN to 0, so extrapolating far with an integer Lerp stays defined.
inline int TruncToInt(float x)
{
    if (x != x)
        return 0;
    if (x <= float(INT_MIN))
        return INT_MIN;
    if (x >= -float(INT_MIN))
        return INT_MAX;
    return int(x);
}

// Integer channels step from a by the truncated share of their distance,
// toward b whichever way it lies, so a decreasing channel stays between a
// and b for t in [0, 1]. The step wraps like all integer arithmetic.
template <typename T> inline T Lerp(T a, T b, float t)
{
    if (b >= a)
        return T(unsigned(a) + unsigned(TruncToInt(float(b - a) * t)));
    return T(unsigned(a) - unsigned(TruncToInt(float(a - b) * t)));
}
template <> inline float Lerp<float>(float a, float b, float t) { return a + (b - a) * t; }

} // namespace qzcolor

// ---- red, green, blue ----
template <typename T>
class CQzRGB
{
public:
    static constexpr unsigned int e_max = 3;

    CQzRGB() = default; // channels unset: arrays of colours stay cheap
    CQzRGB(T r, T g, T b) : m_r(r), m_g(g), m_b(b) {}

    T GetR() const { return m_r; }
    T GetG() const { return m_g; }
    T GetB() const { return m_b; }
    void SetR(T r) { m_r = r; }
    void SetG(T g) { m_g = g; }
    void SetB(T b) { m_b = b; }
    void SetRGB(T r, T g, T b) { m_r = r; m_g = g; m_b = b; }

    // 0 red, 1 green, any other index blue.
    T& operator[](unsigned int i) { return i == 0 ? m_r : i == 1 ? m_g : m_b; }
    T operator[](unsigned int i) const { return i == 0 ? m_r : i == 1 ? m_g : m_b; }

    void ClampR(T min, T max) { m_r = qzcolor::Clamp(m_r, min, max); }
    void ClampG(T min, T max) { m_g = qzcolor::Clamp(m_g, min, max); }
    void ClampB(T min, T max) { m_b = qzcolor::Clamp(m_b, min, max); }
    void ClampRGB(T min, T max) { ClampR(min, max); ClampG(min, max); ClampB(min, max); }

    T GetLuminance() const { return qzcolor::Luminance(m_r, m_g, m_b); }
    void SetGrayScale() { m_r = m_g = m_b = GetLuminance(); }

    T DotProduct(T r, T g, T b) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b); }
    T DotProduct(CQzRGB const& o) const { return DotProduct(o.m_r, o.m_g, o.m_b); }

    // ---- arithmetic, channel by channel ----
    CQzRGB operator+(CQzRGB const& o) const { return Combine(o, &qzcolor::Add<T>); }
    CQzRGB operator-(CQzRGB const& o) const { return Combine(o, &qzcolor::Sub<T>); }
    CQzRGB operator*(CQzRGB const& o) const { return Combine(o, &qzcolor::Mul<T>); }
    CQzRGB operator/(CQzRGB const& o) const { return Combine(o, &qzcolor::Div<T>); }
    CQzRGB operator+(T s) const { return Combine(CQzRGB(s, s, s), &qzcolor::Add<T>); }
    CQzRGB operator-(T s) const { return Combine(CQzRGB(s, s, s), &qzcolor::Sub<T>); }
    CQzRGB operator*(T s) const { return Combine(CQzRGB(s, s, s), &qzcolor::Mul<T>); }
    CQzRGB operator/(T s) const
    {
        T const d = qzcolor::Divisor(s);
        return Combine(CQzRGB(d, d, d), &qzcolor::DivideBy<T>);
    }
    void operator+=(CQzRGB const& o) { *this = *this + o; }
    void operator-=(CQzRGB const& o) { *this = *this - o; }
    void operator*=(CQzRGB const& o) { *this = *this * o; }
    void operator/=(CQzRGB const& o) { *this = *this / o; }
    void operator+=(T s) { *this = *this + s; }
    void operator-=(T s) { *this = *this - s; }
    void operator*=(T s) { *this = *this * s; }
    void operator/=(T s) { *this = *this / s; }

    bool operator==(CQzRGB const& o) const { return m_r == o.m_r && m_g == o.m_g && m_b == o.m_b; }
    bool operator!=(CQzRGB const& o) const { return !(*this == o); }

private:
    template <typename F> CQzRGB Combine(CQzRGB const& o, F f) const
    {
        return CQzRGB(f(m_r, o.m_r), f(m_g, o.m_g), f(m_b, o.m_b));
    }

    T m_r;
    T m_g;
    T m_b;
};

// ---- blue, green, red in memory ----
template <typename T>
class CQzBGR
{
public:
    static constexpr unsigned int e_max = 3;

    CQzBGR() = default; // channels unset
    CQzBGR(T r, T g, T b) : m_b(b), m_g(g), m_r(r) {}

    T GetR() const { return m_r; }
    T GetG() const { return m_g; }
    T GetB() const { return m_b; }
    void SetR(T r) { m_r = r; }
    void SetG(T g) { m_g = g; }
    void SetB(T b) { m_b = b; }
    // Red first, like every setter, whatever the memory order.
    void SetBGR(T r, T g, T b) { m_r = r; m_g = g; m_b = b; }

    // 0 red, 1 green, any other index blue.
    T& operator[](unsigned int i) { return i == 0 ? m_r : i == 1 ? m_g : m_b; }
    T operator[](unsigned int i) const { return i == 0 ? m_r : i == 1 ? m_g : m_b; }

    void ClampR(T min, T max) { m_r = qzcolor::Clamp(m_r, min, max); }
    void ClampG(T min, T max) { m_g = qzcolor::Clamp(m_g, min, max); }
    void ClampB(T min, T max) { m_b = qzcolor::Clamp(m_b, min, max); }
    void ClampBGR(T min, T max) { ClampR(min, max); ClampG(min, max); ClampB(min, max); }

    T GetLuminance() const { return qzcolor::Luminance(m_r, m_g, m_b); }
    void SetGrayScale() { m_r = m_g = m_b = GetLuminance(); }

    T DotProduct(T r, T g, T b) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b); }
    T DotProduct(CQzBGR const& o) const { return DotProduct(o.m_r, o.m_g, o.m_b); }

    // ---- arithmetic, channel by channel ----
    CQzBGR operator+(CQzBGR const& o) const { return Combine(o, &qzcolor::Add<T>); }
    CQzBGR operator-(CQzBGR const& o) const { return Combine(o, &qzcolor::Sub<T>); }
    CQzBGR operator*(CQzBGR const& o) const { return Combine(o, &qzcolor::Mul<T>); }
    CQzBGR operator/(CQzBGR const& o) const { return Combine(o, &qzcolor::Div<T>); }
    CQzBGR operator+(T s) const { return Combine(CQzBGR(s, s, s), &qzcolor::Add<T>); }
    CQzBGR operator-(T s) const { return Combine(CQzBGR(s, s, s), &qzcolor::Sub<T>); }
    CQzBGR operator*(T s) const { return Combine(CQzBGR(s, s, s), &qzcolor::Mul<T>); }
    CQzBGR operator/(T s) const
    {
        T const d = qzcolor::Divisor(s);
        return Combine(CQzBGR(d, d, d), &qzcolor::DivideBy<T>);
    }
    void operator+=(CQzBGR const& o) { *this = *this + o; }
    void operator-=(CQzBGR const& o) { *this = *this - o; }
    void operator*=(CQzBGR const& o) { *this = *this * o; }
    void operator/=(CQzBGR const& o) { *this = *this / o; }
    void operator+=(T s) { *this = *this + s; }
    void operator-=(T s) { *this = *this - s; }
    void operator*=(T s) { *this = *this * s; }
    void operator/=(T s) { *this = *this / s; }

    bool operator==(CQzBGR const& o) const { return m_r == o.m_r && m_g == o.m_g && m_b == o.m_b; }
    bool operator!=(CQzBGR const& o) const { return !(*this == o); }

private:
    template <typename F> CQzBGR Combine(CQzBGR const& o, F f) const
    {
        return CQzBGR(f(m_r, o.m_r), f(m_g, o.m_g), f(m_b, o.m_b));
    }

    T m_b;
    T m_g;
    T m_r;
};

// ---- alpha, red, green, blue in memory ----
template <typename T>
class CQzARGB
{
public:
    static constexpr unsigned int e_max = 4;

    CQzARGB() = default; // channels unset
    CQzARGB(T r, T g, T b, T a) : m_a(a), m_r(r), m_g(g), m_b(b) {}
    CQzARGB(CQzRGB<T> const& rgb, T a) : m_a(a), m_r(rgb.GetR()), m_g(rgb.GetG()), m_b(rgb.GetB()) {}

    T GetR() const { return m_r; }
    T GetG() const { return m_g; }
    T GetB() const { return m_b; }
    T GetA() const { return m_a; }
    void SetR(T r) { m_r = r; }
    void SetG(T g) { m_g = g; }
    void SetB(T b) { m_b = b; }
    void SetA(T a) { m_a = a; }
    void SetRGB(T r, T g, T b) { m_r = r; m_g = g; m_b = b; }
    // Alpha last, like every setter, whatever the memory order.
    void SetARGB(T r, T g, T b, T a) { SetRGB(r, g, b); m_a = a; }

    // 0 red, 1 green, 2 blue, 3 alpha. A larger index writes alpha but
    // reads as 0 from a const colour.
    T& operator[](unsigned int i) { return i == 0 ? m_r : i == 1 ? m_g : i == 2 ? m_b : m_a; }
    T operator[](unsigned int i) const { return i == 0 ? m_r : i == 1 ? m_g : i == 2 ? m_b : i == 3 ? m_a : T(0); }

    void ClampR(T min, T max) { m_r = qzcolor::Clamp(m_r, min, max); }
    void ClampG(T min, T max) { m_g = qzcolor::Clamp(m_g, min, max); }
    void ClampB(T min, T max) { m_b = qzcolor::Clamp(m_b, min, max); }
    void ClampA(T min, T max) { m_a = qzcolor::Clamp(m_a, min, max); }
    void ClampRGB(T min, T max) { ClampR(min, max); ClampG(min, max); ClampB(min, max); }
    void ClampARGB(T min, T max) { ClampRGB(min, max); ClampA(min, max); }

    // Alpha takes no part in luminance.
    T GetLuminance() const { return qzcolor::Luminance(m_r, m_g, m_b); }
    void SetGrayScale() { m_r = m_g = m_b = GetLuminance(); }

    T DotProduct(T r, T g, T b) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b); }
    T DotProduct(T r, T g, T b, T a) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b, m_a, a); }
    T DotProduct(CQzARGB const& o) const { return DotProduct(o.m_r, o.m_g, o.m_b, o.m_a); }

    // ---- arithmetic, channel by channel, alpha included ----
    CQzARGB operator+(CQzARGB const& o) const { return Combine(o, &qzcolor::Add<T>); }
    CQzARGB operator-(CQzARGB const& o) const { return Combine(o, &qzcolor::Sub<T>); }
    CQzARGB operator*(CQzARGB const& o) const { return Combine(o, &qzcolor::Mul<T>); }
    CQzARGB operator/(CQzARGB const& o) const { return Combine(o, &qzcolor::Div<T>); }
    CQzARGB operator+(T s) const { return Combine(CQzARGB(s, s, s, s), &qzcolor::Add<T>); }
    CQzARGB operator-(T s) const { return Combine(CQzARGB(s, s, s, s), &qzcolor::Sub<T>); }
    CQzARGB operator*(T s) const { return Combine(CQzARGB(s, s, s, s), &qzcolor::Mul<T>); }
    CQzARGB operator/(T s) const
    {
        T const d = qzcolor::Divisor(s);
        return Combine(CQzARGB(d, d, d, d), &qzcolor::DivideBy<T>);
    }
    void operator+=(CQzARGB const& o) { *this = *this + o; }
    void operator-=(CQzARGB const& o) { *this = *this - o; }
    void operator*=(CQzARGB const& o) { *this = *this * o; }
    void operator/=(CQzARGB const& o) { *this = *this / o; }
    void operator+=(T s) { *this = *this + s; }
    void operator-=(T s) { *this = *this - s; }
    void operator*=(T s) { *this = *this * s; }
    void operator/=(T s) { *this = *this / s; }

    bool operator==(CQzARGB const& o) const
    {
        return m_a == o.m_a && m_r == o.m_r && m_g == o.m_g && m_b == o.m_b;
    }
    bool operator!=(CQzARGB const& o) const { return !(*this == o); }

private:
    template <typename F> CQzARGB Combine(CQzARGB const& o, F f) const
    {
        return CQzARGB(f(m_r, o.m_r), f(m_g, o.m_g), f(m_b, o.m_b), f(m_a, o.m_a));
    }

    T m_a;
    T m_r;
    T m_g;
    T m_b;
};

// ---- red, green, blue, alpha: the colour of parameters and vertices ----
template <typename T>
class CQzRGBA
{
public:
    static constexpr unsigned int e_max = 4;

    CQzRGBA() = default; // channels unset
    CQzRGBA(T r, T g, T b, T a) : m_r(r), m_g(g), m_b(b), m_a(a) {}
    CQzRGBA(CQzRGB<T> const& rgb, T a) : m_r(rgb.GetR()), m_g(rgb.GetG()), m_b(rgb.GetB()), m_a(a) {}

    T GetR() const { return m_r; }
    T GetG() const { return m_g; }
    T GetB() const { return m_b; }
    T GetA() const { return m_a; }
    void SetR(T r) { m_r = r; }
    void SetG(T g) { m_g = g; }
    void SetB(T b) { m_b = b; }
    void SetA(T a) { m_a = a; }
    // Alpha unchanged.
    void SetRGB(T r, T g, T b) { m_r = r; m_g = g; m_b = b; }
    void SetRGBA(T r, T g, T b, T a) { SetRGB(r, g, b); m_a = a; }
    CQzRGB<T> GetRGB() const { return CQzRGB<T>(m_r, m_g, m_b); }

    // 0 red, 1 green, 2 blue, any other index alpha.
    T& operator[](unsigned int i) { return i == 0 ? m_r : i == 1 ? m_g : i == 2 ? m_b : m_a; }
    T operator[](unsigned int i) const { return i == 0 ? m_r : i == 1 ? m_g : i == 2 ? m_b : m_a; }

    void ClampR(T min, T max) { m_r = qzcolor::Clamp(m_r, min, max); }
    void ClampG(T min, T max) { m_g = qzcolor::Clamp(m_g, min, max); }
    void ClampB(T min, T max) { m_b = qzcolor::Clamp(m_b, min, max); }
    void ClampA(T min, T max) { m_a = qzcolor::Clamp(m_a, min, max); }
    void ClampRGB(T min, T max) { ClampR(min, max); ClampG(min, max); ClampB(min, max); }
    void ClampRGBA(T min, T max) { ClampRGB(min, max); ClampA(min, max); }

    // Alpha takes no part in luminance, grey scale or the highest channel.
    T GetLuminance() const { return qzcolor::Luminance(m_r, m_g, m_b); }
    void SetGrayScale() { m_r = m_g = m_b = GetLuminance(); }
    T GetHighestChannelValue() const
    {
        T const rg = m_r > m_g ? m_r : m_g;
        return rg > m_b ? rg : m_b;
    }

    T DotProduct(T r, T g, T b) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b); }
    T DotProduct(T r, T g, T b, T a) const { return qzcolor::Dot(m_r, r, m_g, g, m_b, b, m_a, a); }
    T DotProduct(CQzRGBA const& o) const { return DotProduct(o.m_r, o.m_g, o.m_b, o.m_a); }

    // this = a at t = 0, b at t = 1; t is not clamped, so it extrapolates.
    void Lerp(CQzRGBA const& a, CQzRGBA const& b, float t)
    {
        m_r = qzcolor::Lerp(a.m_r, b.m_r, t);
        m_g = qzcolor::Lerp(a.m_g, b.m_g, t);
        m_b = qzcolor::Lerp(a.m_b, b.m_b, t);
        m_a = qzcolor::Lerp(a.m_a, b.m_a, t);
    }

    // ---- arithmetic, channel by channel, alpha included ----
    CQzRGBA operator+(CQzRGBA const& o) const { return Combine(o, &qzcolor::Add<T>); }
    CQzRGBA operator-(CQzRGBA const& o) const { return Combine(o, &qzcolor::Sub<T>); }
    CQzRGBA operator*(CQzRGBA const& o) const { return Combine(o, &qzcolor::Mul<T>); }
    CQzRGBA operator/(CQzRGBA const& o) const { return Combine(o, &qzcolor::Div<T>); }
    CQzRGBA operator+(T s) const { return Combine(CQzRGBA(s, s, s, s), &qzcolor::Add<T>); }
    CQzRGBA operator-(T s) const { return Combine(CQzRGBA(s, s, s, s), &qzcolor::Sub<T>); }
    CQzRGBA operator*(T s) const { return Combine(CQzRGBA(s, s, s, s), &qzcolor::Mul<T>); }
    CQzRGBA operator/(T s) const
    {
        T const d = qzcolor::Divisor(s);
        return Combine(CQzRGBA(d, d, d, d), &qzcolor::DivideBy<T>);
    }
    void operator+=(CQzRGBA const& o) { *this = *this + o; }
    void operator-=(CQzRGBA const& o) { *this = *this - o; }
    void operator*=(CQzRGBA const& o) { *this = *this * o; }
    void operator/=(CQzRGBA const& o) { *this = *this / o; }
    void operator+=(T s) { *this = *this + s; }
    void operator-=(T s) { *this = *this - s; }
    void operator*=(T s) { *this = *this * s; }
    void operator/=(T s) { *this = *this / s; }

    bool operator==(CQzRGBA const& o) const
    {
        return m_r == o.m_r && m_g == o.m_g && m_b == o.m_b && m_a == o.m_a;
    }
    bool operator!=(CQzRGBA const& o) const { return !(*this == o); }

private:
    template <typename F> CQzRGBA Combine(CQzRGBA const& o, F f) const
    {
        return CQzRGBA(f(m_r, o.m_r), f(m_g, o.m_g), f(m_b, o.m_b), f(m_a, o.m_a));
    }

    T m_r;
    T m_g;
    T m_b;
    T m_a;
};

#endif // QZCORE_MATH_QZCOLOR_H
