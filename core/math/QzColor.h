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

// ---- what the four layouts share ----
namespace qzcolor {

// Channel storage in memory order; the colour classes add behaviour only, so
// each colour is exactly its channels (standard layout, trivially copyable).
template <typename T> struct SRGBChannels { static constexpr bool kAlpha = false; T m_r; T m_g; T m_b; };
template <typename T> struct SBGRChannels { static constexpr bool kAlpha = false; T m_b; T m_g; T m_r; };
template <typename T> struct SARGBChannels { static constexpr bool kAlpha = true; T m_a; T m_r; T m_g; T m_b; };
template <typename T> struct SRGBAChannels { static constexpr bool kAlpha = true; T m_r; T m_g; T m_b; T m_a; };

// Red, green and blue by name, luminance, dot products and the channel by
// channel arithmetic (alpha included where the layout has it), written once
// for the colour class C that derives from it.
template <typename C, typename T, typename Channels>
class TColour : protected Channels
{
public:
    static constexpr unsigned int e_max = Channels::kAlpha ? 4 : 3;

    T GetR() const { return this->m_r; }
    T GetG() const { return this->m_g; }
    T GetB() const { return this->m_b; }
    void SetR(T r) { this->m_r = r; }
    void SetG(T g) { this->m_g = g; }
    void SetB(T b) { this->m_b = b; }

    void ClampR(T min, T max) { this->m_r = Clamp(this->m_r, min, max); }
    void ClampG(T min, T max) { this->m_g = Clamp(this->m_g, min, max); }
    void ClampB(T min, T max) { this->m_b = Clamp(this->m_b, min, max); }

    // Alpha takes no part in luminance or grey scale.
    T GetLuminance() const { return Luminance(this->m_r, this->m_g, this->m_b); }
    void SetGrayScale() { this->m_r = this->m_g = this->m_b = GetLuminance(); }

    T DotProduct(T r, T g, T b) const { return Dot(this->m_r, r, this->m_g, g, this->m_b, b); }
    T DotProduct(C const& o) const
    {
        if constexpr (Channels::kAlpha)
            return Dot(this->m_r, o.m_r, this->m_g, o.m_g, this->m_b, o.m_b, this->m_a, o.m_a);
        else
            return DotProduct(o.m_r, o.m_g, o.m_b);
    }

    // ---- arithmetic, channel by channel ----
    C operator+(C const& o) const { return Combine(o, &Add<T>); }
    C operator-(C const& o) const { return Combine(o, &Sub<T>); }
    C operator*(C const& o) const { return Combine(o, &Mul<T>); }
    C operator/(C const& o) const { return Combine(o, &Div<T>); }
    C operator+(T s) const { return Combine(Uniform(s), &Add<T>); }
    C operator-(T s) const { return Combine(Uniform(s), &Sub<T>); }
    C operator*(T s) const { return Combine(Uniform(s), &Mul<T>); }
    C operator/(T s) const { return Combine(Uniform(Divisor(s)), &DivideBy<T>); }
    void operator+=(C const& o) { Self() = *this + o; }
    void operator-=(C const& o) { Self() = *this - o; }
    void operator*=(C const& o) { Self() = *this * o; }
    void operator/=(C const& o) { Self() = *this / o; }
    void operator+=(T s) { Self() = *this + s; }
    void operator-=(T s) { Self() = *this - s; }
    void operator*=(T s) { Self() = *this * s; }
    void operator/=(T s) { Self() = *this / s; }

    bool operator==(C const& o) const
    {
        bool const rgb = this->m_r == o.m_r && this->m_g == o.m_g && this->m_b == o.m_b;
        if constexpr (Channels::kAlpha)
            return rgb && this->m_a == o.m_a;
        else
            return rgb;
    }
    bool operator!=(C const& o) const { return !(*this == o); }

protected:
    C& Self() { return static_cast<C&>(*this); }

private:
    static C Uniform(T s)
    {
        C c;
        c.m_r = c.m_g = c.m_b = s;
        if constexpr (Channels::kAlpha)
            c.m_a = s;
        return c;
    }

    template <typename F> C Combine(C const& o, F f) const
    {
        C c;
        c.m_r = f(this->m_r, o.m_r);
        c.m_g = f(this->m_g, o.m_g);
        c.m_b = f(this->m_b, o.m_b);
        if constexpr (Channels::kAlpha)
            c.m_a = f(this->m_a, o.m_a);
        return c;
    }
};

// Alpha by name, for the two layouts that have it.
template <typename C, typename T, typename Channels>
class TColourWithAlpha : public TColour<C, T, Channels>
{
public:
    using TColour<C, T, Channels>::DotProduct;

    T GetA() const { return this->m_a; }
    void SetA(T a) { this->m_a = a; }
    // Alpha unchanged.
    void SetRGB(T r, T g, T b) { this->m_r = r; this->m_g = g; this->m_b = b; }

    void ClampA(T min, T max) { this->m_a = Clamp(this->m_a, min, max); }
    void ClampRGB(T min, T max) { this->ClampR(min, max); this->ClampG(min, max); this->ClampB(min, max); }

    T DotProduct(T r, T g, T b, T a) const
    {
        return Dot(this->m_r, r, this->m_g, g, this->m_b, b, this->m_a, a);
    }

protected:
    void Set(T r, T g, T b, T a) { SetRGB(r, g, b); this->m_a = a; }
};

} // namespace qzcolor

// ---- red, green, blue ----
template <typename T>
class CQzRGB : public qzcolor::TColour<CQzRGB<T>, T, qzcolor::SRGBChannels<T>>
{
public:
    CQzRGB() = default; // channels unset: arrays of colours stay cheap
    CQzRGB(T r, T g, T b) { SetRGB(r, g, b); }

    void SetRGB(T r, T g, T b) { this->m_r = r; this->m_g = g; this->m_b = b; }
    void ClampRGB(T min, T max) { this->ClampR(min, max); this->ClampG(min, max); this->ClampB(min, max); }

    // 0 red, 1 green, any other index blue.
    T& operator[](unsigned int i) { return i == 0 ? this->m_r : i == 1 ? this->m_g : this->m_b; }
    T operator[](unsigned int i) const { return i == 0 ? this->m_r : i == 1 ? this->m_g : this->m_b; }
};

// ---- blue, green, red in memory ----
template <typename T>
class CQzBGR : public qzcolor::TColour<CQzBGR<T>, T, qzcolor::SBGRChannels<T>>
{
public:
    CQzBGR() = default; // channels unset
    CQzBGR(T r, T g, T b) { SetBGR(r, g, b); }

    // Red first, like every setter, whatever the memory order.
    void SetBGR(T r, T g, T b) { this->m_r = r; this->m_g = g; this->m_b = b; }
    void ClampBGR(T min, T max) { this->ClampR(min, max); this->ClampG(min, max); this->ClampB(min, max); }

    // 0 red, 1 green, any other index blue.
    T& operator[](unsigned int i) { return i == 0 ? this->m_r : i == 1 ? this->m_g : this->m_b; }
    T operator[](unsigned int i) const { return i == 0 ? this->m_r : i == 1 ? this->m_g : this->m_b; }
};

// ---- alpha, red, green, blue in memory ----
template <typename T>
class CQzARGB : public qzcolor::TColourWithAlpha<CQzARGB<T>, T, qzcolor::SARGBChannels<T>>
{
public:
    CQzARGB() = default; // channels unset
    CQzARGB(T r, T g, T b, T a) { this->Set(r, g, b, a); }
    CQzARGB(CQzRGB<T> const& rgb, T a) { this->Set(rgb.GetR(), rgb.GetG(), rgb.GetB(), a); }

    // Alpha last, like every setter, whatever the memory order.
    void SetARGB(T r, T g, T b, T a) { this->Set(r, g, b, a); }
    void ClampARGB(T min, T max) { this->ClampRGB(min, max); this->ClampA(min, max); }

    // 0 red, 1 green, 2 blue, 3 alpha. A larger index writes alpha but
    // reads as 0 from a const colour.
    T& operator[](unsigned int i) { return i == 0 ? this->m_r : i == 1 ? this->m_g : i == 2 ? this->m_b : this->m_a; }
    T operator[](unsigned int i) const
    {
        return i == 0 ? this->m_r : i == 1 ? this->m_g : i == 2 ? this->m_b : i == 3 ? this->m_a : T(0);
    }
};

// ---- red, green, blue, alpha: the colour of parameters and vertices ----
template <typename T>
class CQzRGBA : public qzcolor::TColourWithAlpha<CQzRGBA<T>, T, qzcolor::SRGBAChannels<T>>
{
public:
    CQzRGBA() = default; // channels unset
    CQzRGBA(T r, T g, T b, T a) { this->Set(r, g, b, a); }
    CQzRGBA(CQzRGB<T> const& rgb, T a) { this->Set(rgb.GetR(), rgb.GetG(), rgb.GetB(), a); }

    void SetRGBA(T r, T g, T b, T a) { this->Set(r, g, b, a); }
    CQzRGB<T> GetRGB() const { return CQzRGB<T>(this->m_r, this->m_g, this->m_b); }
    void ClampRGBA(T min, T max) { this->ClampRGB(min, max); this->ClampA(min, max); }

    // 0 red, 1 green, 2 blue, any other index alpha.
    T& operator[](unsigned int i) { return i == 0 ? this->m_r : i == 1 ? this->m_g : i == 2 ? this->m_b : this->m_a; }
    T operator[](unsigned int i) const { return i == 0 ? this->m_r : i == 1 ? this->m_g : i == 2 ? this->m_b : this->m_a; }

    // Alpha takes no part in the highest channel.
    T GetHighestChannelValue() const
    {
        T const rg = this->m_r > this->m_g ? this->m_r : this->m_g;
        return rg > this->m_b ? rg : this->m_b;
    }

    // this = a at t = 0, b at t = 1; t is not clamped, so it extrapolates.
    void Lerp(CQzRGBA const& a, CQzRGBA const& b, float t)
    {
        this->m_r = qzcolor::Lerp(a.m_r, b.m_r, t);
        this->m_g = qzcolor::Lerp(a.m_g, b.m_g, t);
        this->m_b = qzcolor::Lerp(a.m_b, b.m_b, t);
        this->m_a = qzcolor::Lerp(a.m_a, b.m_a, t);
    }
};

#endif // QZCORE_MATH_QZCOLOR_H
