// One station row (3X,F10.2,3(5X,F10.3,1X,F10.3,1X,F10.3)) composed into a
// buffer by the layout engine, against the same ten values edited with
// snprintf. The values are typical of a run: times, discharges in the tens
// to hundreds, depths of a few metres, velocities near 1.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>

#include "report/station_row.h"
#include "textio/layout.h"

namespace {

// The program's own row layout, so that the two cannot drift apart.
using floodwave::kStationRow;

constexpr int kRows = 1024;

struct RowValues {
  float v[10];
};

std::array<RowValues, kRows> MakeRows() {
  std::array<RowValues, kRows> rows{};
  std::mt19937 random(42u);
  std::uniform_real_distribution<float> discharge(30.0f, 300.0f);
  std::uniform_real_distribution<float> depth(1.0f, 6.0f);
  std::uniform_real_distribution<float> velocity(0.5f, 2.5f);
  for (int r = 0; r < kRows; ++r) {
    RowValues& row = rows[static_cast<std::size_t>(r)];
    row.v[0] = static_cast<float>(r) * 60.0f;
    for (int s = 0; s < 3; ++s) {
      row.v[1 + 3 * s] = discharge(random);
      row.v[2 + 3 * s] = depth(random);
      row.v[3 + 3 * s] = velocity(random);
    }
  }
  return rows;
}

void BM_StationRowLayout(benchmark::State& state) {
  const auto rows = MakeRows();
  std::array<char, 128> buffer{};
  std::size_t r = 0;
  for (auto _ : state) {
    const float* v = rows[r].v;
    const std::size_t size =
        floodwave::textio::ComposeLayout(std::span<char>(buffer), kStationRow, v[0], v[1], v[2],
                                         v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
    benchmark::DoNotOptimize(size);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
    r = (r + 1) % kRows;
  }
}
BENCHMARK(BM_StationRowLayout);

void BM_StationRowSnprintf(benchmark::State& state) {
  const auto rows = MakeRows();
  std::array<char, 160> buffer{};
  std::size_t r = 0;
  for (auto _ : state) {
    const float* v = rows[r].v;
    char* p = buffer.data();
    std::memset(p, ' ', 3);
    p += 3;
    p += std::snprintf(p, 11, "%10.2f", static_cast<double>(v[0]));
    for (int s = 0; s < 3; ++s) {
      std::memset(p, ' ', 5);
      p += 5;
      p += std::snprintf(p, 11, "%10.3f", static_cast<double>(v[1 + 3 * s]));
      *p++ = ' ';
      p += std::snprintf(p, 11, "%10.3f", static_cast<double>(v[2 + 3 * s]));
      *p++ = ' ';
      p += std::snprintf(p, 11, "%10.3f", static_cast<double>(v[3 + 3 * s]));
    }
    *p++ = '\r';
    *p++ = '\n';
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
    r = (r + 1) % kRows;
  }
}
BENCHMARK(BM_StationRowSnprintf);

}  // namespace
