// QzGaussLegendre.h: composite Gauss-Legendre quadrature in double, the
// arc-length integrator of the curves.
#ifndef QZCORE_GEOMETRY_INTERNAL_QZGAUSSLEGENDRE_H
#define QZCORE_GEOMETRY_INTERNAL_QZGAUSSLEGENDRE_H

namespace qzgeometry {

// ∫ f over [a, b] by the five-point rule on `panels` equal panels: exact
// for polynomials up to degree nine on each panel.
template <typename F>
double IntegrateGaussLegendre(F const& f, double a, double b, int panels = 16)
{
    static constexpr double kNodes[5] = {-0.9061798459386640, -0.5384693101056831, 0.0, 0.5384693101056831,
                                         0.9061798459386640};
    static constexpr double kWeights[5] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889,
                                           0.4786286704993665, 0.2369268850561891};
    double const h = (b - a) / panels;
    double sum = 0.0;
    for (int p = 0; p < panels; ++p)
    {
        double const mid = a + (p + 0.5) * h;
        for (int i = 0; i < 5; ++i)
            sum += kWeights[i] * f(mid + 0.5 * h * kNodes[i]);
    }
    return sum * 0.5 * h;
}

} // namespace qzgeometry

#endif // QZCORE_GEOMETRY_INTERNAL_QZGAUSSLEGENDRE_H
