// QzCubicInterpolator.cpp: the coefficients from basis and values, and the
// arc lengths: exact for the scalar curve, by Gauss-Legendre quadrature of
// the speed for the planar and spatial ones.
#include "geometry/QzCubicInterpolator.h"

#include "geometry/internal/QzGaussLegendre.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Orders the few cuts (at most seven) by insertion.
void SortCuts(double* first, double* last)
{
    for (double* i = first + 1; i < last; ++i)
        for (double* j = i; j > first && j[-1] > *j; --j)
            std::swap(j[-1], *j);
}

} // namespace

CQzCubicInterpolator::~CQzCubicInterpolator() {}

void CQzCubicInterpolator::Set(CQzMatrix44 const& basis, CQzVector4 const& values)
{
    for (int i = 0; i < 4; ++i)
        m_k[i] = basis(i, 0) * values.x + basis(i, 1) * values.y + basis(i, 2) * values.z + basis(i, 3) * values.w;
}

int CQzCubicInterpolator::AddSlopeZeros(double a, double b, double* cuts) const
{
    double const qa = 3.0 * m_k[0], qb = 2.0 * m_k[1], qc = m_k[2];
    double zeros[2];
    int found = 0;
    if (qa != 0.0)
    {
        double const disc = qb * qb - 4.0 * qa * qc;
        if (disc > 0.0)
        {
            double const r = std::sqrt(disc);
            zeros[found++] = (-qb - r) / (2.0 * qa);
            zeros[found++] = (-qb + r) / (2.0 * qa);
        }
    }
    else if (qb != 0.0)
        zeros[found++] = -qc / qb;
    int added = 0;
    for (int i = 0; i < found; ++i)
        if (zeros[i] > a && zeros[i] < b)
            cuts[added++] = zeros[i];
    return added;
}

float CQzCubicInterpolator::ComputeArcLength(float t) const
{
    double const a = std::min(0.0, double(t)), b = std::max(0.0, double(t));
    // the value is monotone between the zeros of the slope, so the distance
    // travelled is the sum of the value changes over those pieces
    double cuts[4] = {a};
    int count = 1 + AddSlopeZeros(a, b, cuts + 1);
    SortCuts(cuts + 1, cuts + count);
    cuts[count++] = b;
    auto const value = [this](double s) { return s * ((double(m_k[0]) * s + m_k[1]) * s + m_k[2]) + m_k[3]; };
    double length = 0.0;
    for (int i = 1; i < count; ++i)
        length += std::fabs(value(cuts[i]) - value(cuts[i - 1]));
    return float(length);
}

namespace {

// The integral of the speed over [cuts[0], b] in pieces between the cuts
// (the slope zeros of the axes, unsorted, after cuts[0]): the speed can only
// have a kink where it vanishes, which is at such a zero of every axis.
template <typename Speed>
float IntegratePieces(double* cuts, int count, double b, Speed const& speed)
{
    SortCuts(cuts + 1, cuts + count);
    cuts[count++] = b;
    double length = 0.0;
    for (int i = 1; i < count; ++i)
        length += qzgeometry::IntegrateGaussLegendre(speed, cuts[i - 1], cuts[i], 8);
    return float(length);
}

} // namespace

float CQzCubicInterpolator2::ComputeArcLength(float t) const
{
    double const a = std::min(0.0, double(t)), b = std::max(0.0, double(t));
    double cuts[6] = {a};
    int count = 1 + m_x.AddSlopeZeros(a, b, cuts + 1);
    count += m_y.AddSlopeZeros(a, b, cuts + count);
    auto const speed = [this](double s) { return std::hypot(m_x.Slope(s), m_y.Slope(s)); };
    return IntegratePieces(cuts, count, b, speed);
}

float CQzCubicInterpolator3::ComputeArcLength(float t) const
{
    double const a = std::min(0.0, double(t)), b = std::max(0.0, double(t));
    double cuts[8] = {a};
    int count = 1 + m_x.AddSlopeZeros(a, b, cuts + 1);
    count += m_y.AddSlopeZeros(a, b, cuts + count);
    count += m_z.AddSlopeZeros(a, b, cuts + count);
    auto const speed = [this](double s) {
        double const dx = m_x.Slope(s), dy = m_y.Slope(s), dz = m_z.Slope(s);
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    return IntegratePieces(cuts, count, b, speed);
}
