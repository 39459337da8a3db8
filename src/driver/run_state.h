// The run state shared by the dialogue, the computation and the report:
// the build-time constants, the data of one run (RunData) and the flow at
// every node (FlowState). Plain data only, so that every layer above the
// text layer can name it without depending on anything else.
#pragma once

#include <array>
#include <cstdint>

namespace floodwave {

// Greatest number of space steps; changing it means rebuilding the program,
// and the dialogue says so.
inline constexpr std::int32_t MAXDIV = 100;
inline constexpr std::int32_t kNodeCapacity = MAXDIV + 1;
// Gravitational acceleration, m/s2, held in single precision.
inline constexpr float g = 9.81f;
inline constexpr std::int32_t kResultsChannel = 5;
inline constexpr std::int32_t kLogChannel = 7;
inline constexpr int kOutfileLength = 50;

// What the dialogue collects and derives. Written only by the dialogue.
// Fields without a question of their own start at zero, so that an answer
// that supplies no value never leaves one undefined.
struct RunData {
  float B = 0;       // bottom width, m
  float m = 0;       // side slope, horizontal per unit height
  float Jf = 0;      // bottom slope
  float n = 0;       // Manning coefficient, m^-1/3 s
  float hn = 0;      // uniform-flow depth, m
  float LT = 0;      // channel length, m
  float Qo = 0;      // uniform-flow discharge, m3/s
  float Uo = 0;      // uniform-flow velocity, m/s
  float Co = 0;      // gravity-wave celerity, m/s
  float TPEAK = 0;   // t', time to the peak of the inflow, s
  float QMAX = 0;    // peak inflow, m3/s
  float TDECAY = 0;  // t'', time from the peak back to Qo, s
  std::int32_t NDIV = 0;
  std::int32_t NN = 0;
  float DX = 0;      // space step, m
  float DT = 0;      // time step, s
  float TMAX = 0;    // duration, s
  std::array<std::int32_t, 3> NSTAT{0, 0, 0};
  std::int32_t NFREQ = 0;
  std::array<char, kOutfileLength> OUTFILE{};
};

// Discharge, depth and velocity at every node, at the current level (time
// T) and the new level (time T + DT). The two levels of one node are
// adjacent in storage; levels and nodes are numbered from 1 as the
// equations number them.
struct FlowState {
  static constexpr int kCurrent = 1;
  static constexpr int kNew = 2;

  std::array<float, 2 * kNodeCapacity> Q{};
  std::array<float, 2 * kNodeCapacity> H{};
  std::array<float, 2 * kNodeCapacity> U{};

  static constexpr std::size_t Index(int level, int node) {
    return static_cast<std::size_t>((node - 1) * 2 + (level - 1));
  }
  float& q(int level, int node) { return Q[Index(level, node)]; }
  float& h(int level, int node) { return H[Index(level, node)]; }
  float& u(int level, int node) { return U[Index(level, node)]; }
  float q(int level, int node) const { return Q[Index(level, node)]; }
  float h(int level, int node) const { return H[Index(level, node)]; }
  float u(int level, int node) const { return U[Index(level, node)]; }
};

}  // namespace floodwave
