#include "quiver/shortestpaths.h"

#include <limits>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#define QUIVER_X86_64 1
#endif

namespace quiver::detail {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

using Index = Eigen::Index;

// The two kernels every algorithm here spends its time in:
//   target[h] = min(target[h], offset + source[h])
//   sum_h c[h] / d[h]
// They exist in AVX, SSE and plain versions; the AVX ones are picked at run
// time so that one build runs everywhere. Distances are never NaN, so the
// min instruction's NaN rule does not matter.
using MinPlusKernel = void (*)(float* target, const float* source, float offset, Index n);
using InverseSumKernel = float (*)(const float* c, const float* d, Index n);

[[maybe_unused]] void minPlusPlain(float* target, const float* source, float offset, Index n)
{
    for (Index h = 0; h < n; ++h) {
        const float candidate = offset + source[h];
        target[h] = candidate < target[h] ? candidate : target[h];
    }
}

[[maybe_unused]] float inverseSumPlain(const float* c, const float* d, Index n)
{
    float sum = 0.0f;
    for (Index h = 0; h < n; ++h)
        sum += c[h] / d[h];
    return sum;
}

#ifdef QUIVER_X86_64

void minPlusSse(float* target, const float* source, float offset, Index n)
{
    const __m128 o = _mm_set1_ps(offset);
    Index h = 0;
    for (; h + 4 <= n; h += 4) {
        const __m128 candidate = _mm_add_ps(o, _mm_loadu_ps(source + h));
        _mm_storeu_ps(target + h, _mm_min_ps(candidate, _mm_loadu_ps(target + h)));
    }
    minPlusPlain(target + h, source + h, offset, n - h);
}

float inverseSumSse(const float* c, const float* d, Index n)
{
    __m128 sum = _mm_setzero_ps();
    Index h = 0;
    for (; h + 4 <= n; h += 4)
        sum = _mm_add_ps(sum, _mm_div_ps(_mm_loadu_ps(c + h), _mm_loadu_ps(d + h)));
    float lanes[4];
    _mm_storeu_ps(lanes, sum);
    return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]) + inverseSumPlain(c + h, d + h, n - h);
}

#if defined(__GNUC__)
#define QUIVER_HAS_AVX 1

__attribute__((target("avx"))) void minPlusAvx(float* target, const float* source, float offset, Index n)
{
    const __m256 o = _mm256_set1_ps(offset);
    Index h = 0;
    for (; h + 16 <= n; h += 16) {
        const __m256 a = _mm256_add_ps(o, _mm256_loadu_ps(source + h));
        const __m256 b = _mm256_add_ps(o, _mm256_loadu_ps(source + h + 8));
        _mm256_storeu_ps(target + h, _mm256_min_ps(a, _mm256_loadu_ps(target + h)));
        _mm256_storeu_ps(target + h + 8, _mm256_min_ps(b, _mm256_loadu_ps(target + h + 8)));
    }
    for (; h + 8 <= n; h += 8) {
        const __m256 a = _mm256_add_ps(o, _mm256_loadu_ps(source + h));
        _mm256_storeu_ps(target + h, _mm256_min_ps(a, _mm256_loadu_ps(target + h)));
    }
    minPlusPlain(target + h, source + h, offset, n - h);
}

__attribute__((target("avx"))) float inverseSumAvx(const float* c, const float* d, Index n)
{
    __m256 sum = _mm256_setzero_ps();
    Index h = 0;
    for (; h + 8 <= n; h += 8)
        sum = _mm256_add_ps(sum, _mm256_div_ps(_mm256_loadu_ps(c + h), _mm256_loadu_ps(d + h)));
    // Unaligned: some Windows compilers do not align AVX data on the stack.
    float lanes[8];
    _mm256_storeu_ps(lanes, sum);
    float total = 0.0f;
    for (float lane : lanes)
        total += lane;
    return total + inverseSumPlain(c + h, d + h, n - h);
}

bool hasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}
#endif // __GNUC__
#endif // QUIVER_X86_64

struct Kernels {
    MinPlusKernel minPlus;
    InverseSumKernel inverseSum;
};

Kernels kernelsOf(KernelSet set)
{
    switch (set) {
#if defined(QUIVER_HAS_AVX)
    case KernelSet::Avx:
        return {minPlusAvx, inverseSumAvx};
#endif
#if defined(QUIVER_X86_64)
    case KernelSet::Sse:
        return {minPlusSse, inverseSumSse};
#endif
    default:
        return {minPlusPlain, inverseSumPlain};
    }
}

Kernels kernels = kernelsOf(supportedKernelSets().back());

// sum_{h != j} c[h] / d[h] over column j of d.
float inverseSumOffDiagonal(const float* c, const Eigen::MatrixXf& d, Index j)
{
    const float* column = d.col(j).data();
    const Index n = d.rows();
    return kernels.inverseSum(c, column, j) + kernels.inverseSum(c + j + 1, column + j + 1, n - j - 1);
}

} // namespace

Eigen::MatrixXf edgeLengths(const Eigen::MatrixXf& weights)
{
    Eigen::MatrixXf d = (weights.array() > 0.0f).select(weights.array().inverse(), kInfinity);
    d.diagonal().setZero();
    return d;
}

void relaxThrough(Eigen::MatrixXf& d, Index k)
{
    const Index n = d.rows();
    const float* throughK = d.col(k).data();
    for (Index i = 0; i < n; ++i) {
        // d(k, i) == d(i, k); column k itself cannot improve (d(k, k) = 0).
        const float toK = throughK[i];
        if (i != k && toK != kInfinity)
            kernels.minPlus(d.col(i).data(), throughK, toK, n);
    }
}

void shortestPathLengths(Eigen::MatrixXf& d)
{
    for (Index k = 0; k < d.rows(); ++k)
        relaxThrough(d, k);
}

double pairEfficiencySum(const Eigen::MatrixXf& d, const Eigen::VectorXf& c)
{
    double sum = 0.0;
    for (Index j = 0; j < d.cols(); ++j) {
        if (c[j] != 0.0f)
            sum += double(c[j]) * inverseSumOffDiagonal(c.data(), d, j);
    }
    return sum;
}

Eigen::ArrayXf inverseDistanceSums(const Eigen::MatrixXf& d)
{
    const Eigen::VectorXf ones = Eigen::VectorXf::Ones(d.rows());
    Eigen::ArrayXf sums(d.cols());
    for (Index j = 0; j < d.cols(); ++j)
        sums[j] = inverseSumOffDiagonal(ones.data(), d, j);
    return sums;
}

std::vector<KernelSet> supportedKernelSets()
{
    std::vector<KernelSet> sets{KernelSet::Plain};
#if defined(QUIVER_X86_64)
    sets.push_back(KernelSet::Sse);
#endif
#if defined(QUIVER_HAS_AVX)
    if (hasAvx())
        sets.push_back(KernelSet::Avx);
#endif
    return sets;
}

void useKernelSet(KernelSet set)
{
    kernels = kernelsOf(set);
}

} // namespace quiver::detail
