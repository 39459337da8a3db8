// PowF against the C library's powf on the operands of the computation:
// hydraulic radii from 0.1 to 10 m raised to the single-precision 2/3 and
// 4/3. Both run over the same array; the ratio of the times is the figure
// of interest.

#include <benchmark/benchmark.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "hydraulics/power.h"

namespace {

constexpr float kTwoThirds = std::bit_cast<float>(0x3F2AAAABu);
constexpr float kFourThirds = std::bit_cast<float>(0x3FAAAAABu);

const std::vector<float>& Radii() {
  static const std::vector<float> radii = [] {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(std::log(0.1), std::log(10.0));
    std::vector<float> v(4096);
    for (float& r : v) r = static_cast<float>(std::exp(u(rng)));
    return v;
  }();
  return radii;
}

template <float (*Pow)(float, float)>
void Run(benchmark::State& state, float y) {
  const std::vector<float>& radii = Radii();
  for (auto _ : state) {
    float sum = 0;
    for (float R : radii) sum += Pow(R, y);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() *
                          static_cast<long>(radii.size()));
}

float LibraryPow(float x, float y) { return ::powf(x, y); }

void BM_PowF_TwoThirds(benchmark::State& s) { Run<floodwave::PowF>(s, kTwoThirds); }
void BM_powf_TwoThirds(benchmark::State& s) { Run<LibraryPow>(s, kTwoThirds); }
void BM_PowF_FourThirds(benchmark::State& s) { Run<floodwave::PowF>(s, kFourThirds); }
void BM_powf_FourThirds(benchmark::State& s) { Run<LibraryPow>(s, kFourThirds); }

// On a shared machine the fastest repetition is the least disturbed one.
double Fastest(const std::vector<double>& v) {
  double m = v.empty() ? 0.0 : v.front();
  for (double x : v) m = x < m ? x : m;
  return m;
}

BENCHMARK(BM_PowF_TwoThirds)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_powf_TwoThirds)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PowF_FourThirds)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_powf_FourThirds)->ComputeStatistics("min", Fastest);

}  // namespace
