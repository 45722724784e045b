// QzMathBench: the hot linear-algebra operations against glm on the same
// data in the same run: 4×4 product and inverse, a million points through a
// 4×4 matrix, quaternion product, quaternion to matrix and vector
// normalisation. A table of QzCore/glm time ratios ends the run.
//
// Row-major matrices with row vectors on the left hold the same sixteen
// floats as glm's column-major ones with column vectors on the right, so
// both sides read the very same bytes: this·b here is glm's b * this.
#include "math/QzMatrix44.h"
#include "math/QzQuaternion.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"
#include "QzBenchMedians.h"

#include <benchmark/benchmark.h>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

static_assert(sizeof(CQzMatrix44) == sizeof(glm::mat4), "same sixteen floats");
static_assert(sizeof(CQzQuaternion) == sizeof(glm::quat), "same four floats");

int const kBatch = 1024;
int const kPoints = 1000000;

template <typename To, typename From>
std::vector<To> SameBytes(std::vector<From> const& from)
{
    static_assert(sizeof(To) == sizeof(From), "same layout");
    std::vector<To> to(from.size());
    std::memcpy(static_cast<void*>(to.data()), from.data(), from.size() * sizeof(From));
    return to;
}

// Invertible affine matrices: a rotation, a scale of 0.5 to 2 and a move.
std::vector<CQzMatrix44> const& QzMatrices(unsigned seed)
{
    static std::map<unsigned, std::vector<CQzMatrix44>> pools;
    std::vector<CQzMatrix44>& pool = pools[seed];
    if (pool.empty())
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> angle(-3.0f, 3.0f), scale(0.5f, 2.0f), move(-10.0f, 10.0f);
        for (int i = 0; i < kBatch; ++i)
        {
            CQzMatrix44 m(1);
            m.setRotation(angle(random), angle(random), angle(random), CQzMatrix44::ROTATION_ORDER_XYZ);
            m.scale(CQzVector3(scale(random), scale(random), scale(random)));
            m.setTranslationOnly(CQzVector3(move(random), move(random), move(random)));
            pool.push_back(m);
        }
    }
    return pool;
}

std::vector<CQzQuaternion> const& QzQuaternions(unsigned seed)
{
    static std::map<unsigned, std::vector<CQzQuaternion>> pools;
    std::vector<CQzQuaternion>& pool = pools[seed];
    if (pool.empty())
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> c(-1.0f, 1.0f);
        for (int i = 0; i < kBatch; ++i)
        {
            CQzQuaternion q(c(random), c(random), c(random), c(random));
            q.normalize();
            pool.push_back(q);
        }
    }
    return pool;
}

std::vector<CQzVector3> const& QzPoints()
{
    static std::vector<CQzVector3> const points = [] {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> c(-100.0f, 100.0f);
        std::vector<CQzVector3> v(kPoints);
        for (CQzVector3& p : v)
            p.SetXYZ(c(random), c(random), c(random));
        return v;
    }();
    return points;
}

void Items(benchmark::State& state, int perIteration)
{
    state.SetItemsProcessed(std::int64_t(state.iterations()) * perIteration);
}

// Runs one operation over the batch per iteration; the results land in out,
// which the optimiser must assume is read.
template <typename Out, typename Operation>
void RunBatch(benchmark::State& state, std::vector<Out>& out, Operation operation)
{
    for (auto _ : state)
    {
        for (int i = 0; i < kBatch; ++i)
            operation(i);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Items(state, kBatch);
}

// ---- 4×4 product ----

void Qz_MatrixProduct(benchmark::State& state)
{
    auto const& a = QzMatrices(1);
    auto const& b = QzMatrices(2);
    std::vector<CQzMatrix44> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = a[i].MultiplyCorrect(b[i]); });
}

void Glm_MatrixProduct(benchmark::State& state)
{
    auto const a = SameBytes<glm::mat4>(QzMatrices(1));
    auto const b = SameBytes<glm::mat4>(QzMatrices(2));
    std::vector<glm::mat4> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = b[i] * a[i]; });
}

// ---- 4×4 inverse ----

void Qz_MatrixInverse(benchmark::State& state)
{
    auto const& a = QzMatrices(3);
    std::vector<CQzMatrix44> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = a[i].getInverseGeneric(); });
}

void Glm_MatrixInverse(benchmark::State& state)
{
    auto const a = SameBytes<glm::mat4>(QzMatrices(3));
    std::vector<glm::mat4> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = glm::inverse(a[i]); });
}

// ---- a million points through one matrix ----

// The library has no point-times-matrix call; a caller writes p·M with the
// matrix rows as CQzVector4s: x·row 0 + y·row 1 + z·row 2 + row 3.
void Qz_TransformPoints(benchmark::State& state)
{
    CQzMatrix44 const m = QzMatrices(4)[0];
    auto const& in = QzPoints();
    std::vector<CQzVector4> out(kPoints);
    for (auto _ : state)
    {
        // Rows read per pass, as a caller would per call, so they live in
        // registers across the loop rather than behind the memory barrier.
        CQzVector4 const r0(m(0, 0), m(0, 1), m(0, 2), m(0, 3));
        CQzVector4 const r1(m(1, 0), m(1, 1), m(1, 2), m(1, 3));
        CQzVector4 const r2(m(2, 0), m(2, 1), m(2, 2), m(2, 3));
        CQzVector4 const r3(m(3, 0), m(3, 1), m(3, 2), m(3, 3));
        for (int i = 0; i < kPoints; ++i)
        {
            CQzVector3 const& p = in[i];
            out[i] = r0 * p.x + r1 * p.y + r2 * p.z + r3;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Items(state, kPoints);
}

void Glm_TransformPoints(benchmark::State& state)
{
    glm::mat4 m;
    std::memcpy(static_cast<void*>(&m), &QzMatrices(4)[0], sizeof m);
    auto const in = SameBytes<glm::vec3>(QzPoints());
    std::vector<glm::vec4> out(kPoints);
    for (auto _ : state)
    {
        for (int i = 0; i < kPoints; ++i)
            out[i] = m * glm::vec4(in[i], 1.0f);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Items(state, kPoints);
}

// ---- quaternion product ----

void Qz_QuaternionProduct(benchmark::State& state)
{
    auto const& a = QzQuaternions(5);
    auto const& b = QzQuaternions(6);
    std::vector<CQzQuaternion> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = a[i] * b[i]; });
}

void Glm_QuaternionProduct(benchmark::State& state)
{
    auto const a = SameBytes<glm::quat>(QzQuaternions(5));
    auto const b = SameBytes<glm::quat>(QzQuaternions(6));
    std::vector<glm::quat> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = a[i] * b[i]; });
}

// ---- quaternion to matrix ----

// glm assumes a unit quaternion; setRotation divides by the squared length
// so that any nonzero quaternion gives a rotation.
void Qz_QuaternionToMatrix(benchmark::State& state)
{
    auto const& q = QzQuaternions(7);
    std::vector<CQzMatrix44> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i].setRotation(q[i], 1); });
}

void Glm_QuaternionToMatrix(benchmark::State& state)
{
    auto const q = SameBytes<glm::quat>(QzQuaternions(7));
    std::vector<glm::mat4> out(kBatch);
    RunBatch(state, out, [&](int i) { out[i] = glm::mat4_cast(q[i]); });
}

// ---- vector normalisation ----

// Both normalise the same vectors in place, pass after pass (unit vectors
// from the second pass on, which costs the same).
void Qz_Normalize(benchmark::State& state)
{
    std::vector<CQzVector3> work(QzPoints().begin(), QzPoints().begin() + kBatch);
    for (auto _ : state)
    {
        for (int i = 0; i < kBatch; ++i)
            work[i].Normalize();
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
    Items(state, kBatch);
}

void Glm_Normalize(benchmark::State& state)
{
    std::vector<glm::vec3> work = SameBytes<glm::vec3>(
        std::vector<CQzVector3>(QzPoints().begin(), QzPoints().begin() + kBatch));
    for (auto _ : state)
    {
        for (int i = 0; i < kBatch; ++i)
            work[i] = glm::normalize(work[i]);
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
    Items(state, kBatch);
}

char const* const kPairs[] = {"MatrixProduct", "MatrixInverse", "TransformPoints",
                              "QuaternionProduct", "QuaternionToMatrix", "Normalize"};

} // namespace

BENCHMARK(Qz_MatrixProduct);
BENCHMARK(Glm_MatrixProduct);
BENCHMARK(Qz_MatrixInverse);
BENCHMARK(Glm_MatrixInverse);
BENCHMARK(Qz_TransformPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(Glm_TransformPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(Qz_QuaternionProduct);
BENCHMARK(Glm_QuaternionProduct);
BENCHMARK(Qz_QuaternionToMatrix);
BENCHMARK(Glm_QuaternionToMatrix);
BENCHMARK(Qz_Normalize);
BENCHMARK(Glm_Normalize);

int main(int argc, char** argv)
{
    if (!qzbench::InitializeRepeated(argc, argv, 7))
        return 1;
    qzbench::CMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nmedian CPU time per operation\n%-20s %14s %14s %8s\n", "operation", "QzCore ns",
                "glm ns", "Qz/glm");
    for (char const* name : kPairs)
    {
        double const qz = reporter.Time(std::string("Qz_") + name + "/");
        double const glm = reporter.Time(std::string("Glm_") + name + "/");
        if (qz == 0.0 || glm == 0.0)
            continue;
        // Times come in each benchmark's display unit (ms for the points).
        bool const points = std::strcmp(name, "TransformPoints") == 0;
        double const nsPerOp = points ? 1e6 / kPoints : 1.0 / kBatch;
        std::printf("%-20s %14.3f %14.3f %8.3f\n", name, qz * nsPerOp, glm * nsPerOp, qz / glm);
    }
    return 0;
}
