// QzCubicInterpolator.cpp: the coefficients from basis and values, and the
// arc lengths: exact for the scalar curve, by Gauss-Legendre quadrature of
// the speed for the planar and spatial ones.
#include "geometry/QzCubicInterpolator.h"

#include "geometry/internal/QzGaussLegendre.h"

#include <algorithm>
#include <cmath>

CQzCubicInterpolator::~CQzCubicInterpolator() {}

void CQzCubicInterpolator::Set(CQzMatrix44 const& basis, CQzVector4 const& values)
{
    for (int i = 0; i < 4; ++i)
        m_k[i] = basis(i, 0) * values.x + basis(i, 1) * values.y + basis(i, 2) * values.z + basis(i, 3) * values.w;
}

float CQzCubicInterpolator::ComputeArcLength(float t) const
{
    double const a = std::min(0.0, double(t)), b = std::max(0.0, double(t));
    // the value is monotone between the roots of the slope, so the distance
    // travelled is the sum of the value changes over those pieces
    double cuts[4] = {a, b, b, b};
    int count = 1;
    double const qa = 3.0 * m_k[0], qb = 2.0 * m_k[1], qc = m_k[2];
    if (qa != 0.0)
    {
        double const disc = qb * qb - 4.0 * qa * qc;
        if (disc > 0.0)
        {
            double const r = std::sqrt(disc);
            for (double root : {(-qb - r) / (2.0 * qa), (-qb + r) / (2.0 * qa)})
                if (root > a && root < b)
                    cuts[count++] = root;
        }
    }
    else if (qb != 0.0 && -qc / qb > a && -qc / qb < b)
        cuts[count++] = -qc / qb;
    cuts[count++] = b;
    std::sort(cuts + 1, cuts + count - 1);
    auto const value = [this](double s) { return s * ((double(m_k[0]) * s + m_k[1]) * s + m_k[2]) + m_k[3]; };
    double length = 0.0;
    for (int i = 1; i < count; ++i)
        length += std::fabs(value(cuts[i]) - value(cuts[i - 1]));
    return float(length);
}

float CQzCubicInterpolator2::ComputeArcLength(float t) const
{
    auto const speed = [this](double s) { return std::hypot(m_x.Slope(s), m_y.Slope(s)); };
    return float(qzgeometry::IntegrateGaussLegendre(speed, std::min(0.0, double(t)), std::max(0.0, double(t))));
}

float CQzCubicInterpolator3::ComputeArcLength(float t) const
{
    auto const speed = [this](double s) {
        double const dx = m_x.Slope(s), dy = m_y.Slope(s), dz = m_z.Slope(s);
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    return float(qzgeometry::IntegrateGaussLegendre(speed, std::min(0.0, double(t)), std::max(0.0, double(t))));
}
