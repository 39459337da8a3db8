// One free-format answer read (ParseFree) from lines held in memory: the
// dialogue's typical answers, a plain number, exponent forms, the three
// station numbers on one line, a repeat count and a lone slash. Reads are
// never in a loop of the program; this is here to keep them in view.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "textio/free_format_parser.h"
#include "textio/free_input.h"

namespace floodwave::textio {
namespace {

// Hands out the same line for ever.
class RepeatedLine final : public LineSource {
 public:
  explicit RepeatedLine(std::string_view line) : line_(line) {}
  std::optional<std::string_view> NextLine() override { return line_; }

 private:
  std::string_view line_;
};

void BM_ReadOneReal(benchmark::State& bench, std::string_view line) {
  RepeatedLine lines(line);
  float value = 0;
  const std::array<FreeItem, 1> items{&value};
  for (auto _ : bench) {
    const int status = ParseFree(lines, items);
    benchmark::DoNotOptimize(status);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK_CAPTURE(BM_ReadOneReal, plain, std::string_view("2.5"));
BENCHMARK_CAPTURE(BM_ReadOneReal, small_with_blanks, std::string_view("   0.0005   "));
BENCHMARK_CAPTURE(BM_ReadOneReal, exponent_d, std::string_view("1.5D3"));
BENCHMARK_CAPTURE(BM_ReadOneReal, bare_signed_exponent, std::string_view("1.5+3"));
BENCHMARK_CAPTURE(BM_ReadOneReal, lone_slash, std::string_view("/"));

void BM_ReadStations(benchmark::State& bench, std::string_view line) {
  RepeatedLine lines(line);
  std::array<std::int32_t, 3> NSTAT{};
  const std::array<FreeItem, 3> items{&NSTAT[0], &NSTAT[1], &NSTAT[2]};
  for (auto _ : bench) {
    const int status = ParseFree(lines, items);
    benchmark::DoNotOptimize(status);
    benchmark::DoNotOptimize(NSTAT);
  }
}
BENCHMARK_CAPTURE(BM_ReadStations, three_numbers, std::string_view("1 51 101"));
BENCHMARK_CAPTURE(BM_ReadStations, repeat_count, std::string_view("3*51"));

}  // namespace
}  // namespace floodwave::textio
