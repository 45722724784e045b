// QzGeometryBench: CQzSphere::ComputeFrom with each method on 1,000, 100,000
// and 1,000,000 points (uniform in a cube, on a sphere's surface, clustered)
// beside CGAL's exact Min_sphere_of_spheres_d on the same points, and the
// frustum's box and sphere tests on a million of each beside a plain glm
// loop. A table of points per second, time ratios to CGAL and radius
// differences from CGAL's ends the run.
#include "foundation/QzArray.h"
#include "geometry/QzFrustum3.h"
#include "geometry/QzSphere.h"
#include "QzBenchMedians.h"

#include <CGAL/Cartesian.h>
#include <CGAL/Min_sphere_of_spheres_d.h>
#include <CGAL/Min_sphere_of_spheres_d_traits_3.h>
#include <benchmark/benchmark.h>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

typedef CGAL::Cartesian<double> Kernel;
typedef CGAL::Min_sphere_of_spheres_d_traits_3<Kernel, double, CGAL::Tag_true> Traits;
typedef CGAL::Min_sphere_of_spheres_d<Traits> CgalMinSphere;

char const* const kKinds[] = {"cube", "surface", "clustered"};
int const kSizes[] = {1000, 100000, 1000000};
int const kItems = 1000000;

// Seeded point sets: uniform in a cube of side 200, on a sphere of radius
// 100 around (5, -3, 2), or in twenty tight clusters spread over the cube.
CQzArray<CQzVector3> const& Points(int kind, int count)
{
    static std::map<std::pair<int, int>, CQzArray<CQzVector3>> sets;
    CQzArray<CQzVector3>& set = sets[{kind, count}];
    if (set.GetCount() == 0)
    {
        std::mt19937 random(unsigned(kind * 7919 + count));
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        std::normal_distribution<float> normal(0.0f, 1.0f);
        std::vector<CQzVector3> centres;
        for (int i = 0; i < 20; ++i)
            centres.push_back(CQzVector3(unit(random) * 100, unit(random) * 100, unit(random) * 100));
        for (int i = 0; i < count; ++i)
        {
            if (kind == 0)
                set.Add(CQzVector3(unit(random) * 100, unit(random) * 100, unit(random) * 100));
            else if (kind == 1)
            {
                CQzVector3 d(normal(random), normal(random), normal(random));
                d.Normalize();
                set.Add(CQzVector3(5 + d.x * 100, -3 + d.y * 100, 2 + d.z * 100));
            }
            else
            {
                CQzVector3 const& c = centres[i % 20];
                set.Add(CQzVector3(c.x + normal(random) * 2, c.y + normal(random) * 2, c.z + normal(random) * 2));
            }
        }
    }
    return set;
}

double CgalRadius(CQzArray<CQzVector3> const& points)
{
    std::vector<Traits::Sphere> spheres;
    spheres.reserve(size_t(points.GetCount()));
    for (int i = 0; i < points.GetCount(); ++i)
        spheres.emplace_back(Kernel::Point_3(points[i].x, points[i].y, points[i].z), 0.0);
    CgalMinSphere ms(spheres.begin(), spheres.end()); // radius() is not const
    return ms.radius();
}

void QzMethod(benchmark::State& state, CQzSphere::EBoundingComputationType type)
{
    CQzArray<CQzVector3> const& points = Points(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
    {
        CQzSphere sphere;
        sphere.ComputeFrom(points, type);
        benchmark::DoNotOptimize(sphere);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * points.GetCount());
}

void Qz_Welzl(benchmark::State& state) { QzMethod(state, CQzSphere::BOUNDING_COMPUTATION_WELZL); }
void Qz_Average(benchmark::State& state) { QzMethod(state, CQzSphere::BOUNDING_COMPUTATION_AVERAGE); }
void Qz_AABB(benchmark::State& state) { QzMethod(state, CQzSphere::BOUNDING_COMPUTATION_AABB); }

// CGAL takes spheres; the conversion of the points is part of its cost, as
// it would be for a caller holding float points.
void Cgal_MinSphere(benchmark::State& state)
{
    CQzArray<CQzVector3> const& points = Points(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CgalRadius(points));
    state.SetItemsProcessed(std::int64_t(state.iterations()) * points.GetCount());
}

// ---- frustum culling ----

struct SCullData
{
    CQzFrustum3 frustum;
    glm::vec4 planes[6];
    std::vector<CQzVector3> mins, maxs, centres;
    std::vector<float> radii;
};

// A camera's frustum (planes from the view-projection matrix, normals inward)
// and boxes and spheres scattered around it, about a third of them visible.
SCullData const& CullData()
{
    static SCullData data;
    if (data.mins.empty())
    {
        glm::mat4 const vp = glm::perspective(1.0f, 1.5f, 0.5f, 120.0f) *
                             glm::lookAt(glm::vec3(0, -60, 10), glm::vec3(0, 0, 0), glm::vec3(0, 0, 1));
        for (int i = 0; i < 6; ++i)
        {
            glm::vec4 const row(vp[0][i / 2], vp[1][i / 2], vp[2][i / 2], vp[3][i / 2]);
            glm::vec4 const w(vp[0][3], vp[1][3], vp[2][3], vp[3][3]);
            glm::vec4 p = (i % 2 == 0) ? w + row : w - row;
            p /= glm::length(glm::vec3(p));
            data.planes[i] = p;
            data.frustum.SetPlane(CQzFrustum3::EPlane(i), CQzPlane(CQzVector3(p.x, p.y, p.z), p.w));
        }
        std::mt19937 random(99);
        std::uniform_real_distribution<float> where(-70.0f, 70.0f), size(0.1f, 3.0f);
        for (int i = 0; i < kItems; ++i)
        {
            CQzVector3 const c(where(random), where(random), where(random) * 0.5f);
            CQzVector3 const e(size(random), size(random), size(random));
            data.mins.push_back(c - e);
            data.maxs.push_back(c + e);
            data.centres.push_back(c);
            data.radii.push_back(size(random));
        }
    }
    return data;
}

void Qz_ContainsAABB(benchmark::State& state)
{
    SCullData const& d = CullData();
    for (auto _ : state)
    {
        int sum = 0;
        for (int i = 0; i < kItems; ++i)
            sum += d.frustum.ContainsAABB(d.mins[size_t(i)], d.maxs[size_t(i)]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kItems);
}

// The textbook positive/negative-vertex loop over glm vectors.
int GlmContainsAABB(glm::vec4 const (&planes)[6], glm::vec3 const& lo, glm::vec3 const& hi)
{
    int result = 1;
    for (glm::vec4 const& p : planes)
    {
        glm::vec3 const n(p);
        glm::vec3 const positive(n.x > 0 ? hi.x : lo.x, n.y > 0 ? hi.y : lo.y, n.z > 0 ? hi.z : lo.z);
        glm::vec3 const negative(n.x > 0 ? lo.x : hi.x, n.y > 0 ? lo.y : hi.y, n.z > 0 ? lo.z : hi.z);
        if (glm::dot(n, negative) + p.w < 0)
            result = 2;
        if (glm::dot(n, positive) + p.w <= 0)
            return 0;
    }
    return result;
}

void Glm_ContainsAABB(benchmark::State& state)
{
    SCullData const& d = CullData();
    for (auto _ : state)
    {
        int sum = 0;
        for (int i = 0; i < kItems; ++i)
        {
            CQzVector3 const& lo = d.mins[size_t(i)];
            CQzVector3 const& hi = d.maxs[size_t(i)];
            sum += GlmContainsAABB(d.planes, glm::vec3(lo.x, lo.y, lo.z), glm::vec3(hi.x, hi.y, hi.z));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kItems);
}

void Qz_ContainsSphere(benchmark::State& state)
{
    SCullData const& d = CullData();
    for (auto _ : state)
    {
        int sum = 0;
        for (int i = 0; i < kItems; ++i)
            sum += d.frustum.ContainsSphere(d.centres[size_t(i)], d.radii[size_t(i)]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kItems);
}

void Glm_ContainsSphere(benchmark::State& state)
{
    SCullData const& d = CullData();
    for (auto _ : state)
    {
        int sum = 0;
        for (int i = 0; i < kItems; ++i)
        {
            CQzVector3 const& c = d.centres[size_t(i)];
            glm::vec3 const centre(c.x, c.y, c.z);
            bool inside = true;
            for (glm::vec4 const& p : d.planes)
                if (glm::dot(glm::vec3(p), centre) + p.w + d.radii[size_t(i)] < 0)
                {
                    inside = false;
                    break;
                }
            sum += inside;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kItems);
}

void RegisterSphereBenchmarks()
{
    for (auto const& method : {std::make_pair("Qz_Welzl", Qz_Welzl), std::make_pair("Qz_Average", Qz_Average),
                               std::make_pair("Qz_AABB", Qz_AABB), std::make_pair("Cgal_MinSphere", Cgal_MinSphere)})
        for (int kind = 0; kind < 3; ++kind)
            for (int size : kSizes)
                benchmark::RegisterBenchmark(method.first, method.second)->Args({kind, size})->Unit(benchmark::kMillisecond);
    for (auto const& cull : {std::make_pair("Qz_ContainsAABB", Qz_ContainsAABB), std::make_pair("Glm_ContainsAABB", Glm_ContainsAABB),
                             std::make_pair("Qz_ContainsSphere", Qz_ContainsSphere), std::make_pair("Glm_ContainsSphere", Glm_ContainsSphere)})
        benchmark::RegisterBenchmark(cull.first, cull.second)->Unit(benchmark::kMillisecond);
}

// Seconds of a benchmark timed in milliseconds; 0 when it did not run.
double Seconds(qzbench::CMedianReporter const& reporter, std::string const& name)
{
    return reporter.Time(name) * 1e-3;
}

void PrintSummary(qzbench::CMedianReporter const& reporter)
{
    std::printf("\nbounding spheres: million points per second, time ratio to CGAL, radius minus CGAL's\n");
    std::printf("%-10s %8s %-8s %10s %10s %14s\n", "points", "count", "method", "Mpts/s", "t/CGAL", "r - r(CGAL)");
    for (int kind = 0; kind < 3; ++kind)
        for (int size : kSizes)
        {
            std::string const args = std::to_string(kind) + "/" + std::to_string(size);
            double const cgal = Seconds(reporter, "Cgal_MinSphere/" + args);
            if (cgal == 0.0)
                continue;
            double const cgalRadius = CgalRadius(Points(kind, size));
            char const* const names[] = {"Welzl", "Average", "AABB"};
            for (int m = 0; m < 3; ++m)
            {
                double const t = Seconds(reporter, std::string("Qz_") + names[m] + "/" + args);
                CQzSphere sphere;
                sphere.ComputeFrom(Points(kind, size), CQzSphere::EBoundingComputationType(m));
                std::printf("%-10s %8d %-8s %10.2f %10.3f %14.6f\n", kKinds[kind], size, names[m], size / t * 1e-6,
                            t / cgal, sphere.GetRadius() - cgalRadius);
            }
            std::printf("%-10s %8d %-8s %10.2f %10.3f %14.6f\n", kKinds[kind], size, "CGAL", size / cgal * 1e-6, 1.0, 0.0);
        }
    double const welzl = Seconds(reporter, "Qz_Welzl/1/1000000"), average = Seconds(reporter, "Qz_Average/1/1000000");
    if (welzl > 0.0 && average > 0.0)
        std::printf("\nexact / average on 1,000,000 surface points: %.2f (bound 10)\n", welzl / average);

    std::printf("\nfrustum tests on %d items: million per second, QzCore / glm time\n", kItems);
    for (char const* test : {"ContainsAABB", "ContainsSphere"})
    {
        double const qz = Seconds(reporter, std::string("Qz_") + test + "/"), glm = Seconds(reporter, std::string("Glm_") + test + "/");
        if (qz > 0.0 && glm > 0.0)
            std::printf("%-16s QzCore %8.1f   glm %8.1f   ratio %6.3f\n", test, kItems / qz * 1e-6, kItems / glm * 1e-6, qz / glm);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!qzbench::InitializeRepeated(argc, argv, 3))
        return 1;
    RegisterSphereBenchmarks();
    qzbench::CMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintSummary(reporter);
    return 0;
}
