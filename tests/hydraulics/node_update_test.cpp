// The node updates on the worked channel: B = 10, m = 2, Jf = 0.001,
// n = 0.03, hn = 2, LT = 1000 divided into 100 steps.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "driver/run_state.h"
#include "hydraulics/boundary_nodes.h"
#include "hydraulics/initial_state.h"
#include "hydraulics/interior_nodes.h"
#include "hydraulics/section.h"
#include "support/worked_channel.h"

namespace floodwave {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kUnset = -12345.0f;  // marks a slot that must stay untouched

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

RunData WorkedChannel(float DT) { return floodwave::testing::WorkedChannel(101, DT); }

// The initial uniform state, with every new-level slot marked.
FlowState Uniform(const RunData& run) {
  FlowState state;
  state.H.fill(kUnset);
  state.U.fill(kUnset);
  state.Q.fill(kUnset);
  SetInitialState(run, state);
  return state;
}

TEST(InitialState, FillsTheCurrentLevelOfTheNodesInUse) {
  for (int NN : {101, 2, 0, -3}) {
    SCOPED_TRACE(NN);
    RunData run = WorkedChannel(0.1f);
    run.NN = NN;
    const FlowState state = Uniform(run);
    for (int i = 1; i <= kNodeCapacity; ++i) {
      const bool used = i <= NN;
      EXPECT_EQ(Bits(state.h(1, i)), Bits(used ? run.hn : kUnset)) << i;
      EXPECT_EQ(Bits(state.u(1, i)), Bits(used ? run.Uo : kUnset)) << i;
      EXPECT_EQ(Bits(state.q(1, i)), Bits(used ? run.Qo : kUnset)) << i;
      EXPECT_EQ(state.h(2, i), kUnset);
    }
  }
}

TEST(NodeUpdate, UniformFlowIsReproducedBitForBit) {
  const RunData run = WorkedChannel(0.43f);
  FlowState state = Uniform(run);
  UpdateUpstreamNode(run, run.Qo, state);
  ASSERT_EQ(UpdateInteriorNodes(run, state), RunCheck::kPassed);
  UpdateDownstreamNode(run, state);
  for (int i = 2; i <= run.NN; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Bits(state.h(2, i)), Bits(run.hn));
    EXPECT_EQ(Bits(state.u(2, i)), Bits(run.Uo));
    EXPECT_EQ(Bits(state.q(2, i)), Bits(run.Qo));
  }
  // Upstream, the depth is exact and the discharge is the inflow; the
  // velocity comes from the unrounded area, not from Manning.
  EXPECT_EQ(Bits(state.h(2, 1)), Bits(run.hn));
  EXPECT_EQ(Bits(state.q(2, 1)), Bits(run.Qo));
  EXPECT_EQ(Bits(state.u(2, 1)), Bits(static_cast<float>(run.Qo / 28.0)));
  // Level 1 is only read.
  for (int i = 1; i <= run.NN; ++i) {
    EXPECT_EQ(Bits(state.h(1, i)), Bits(run.hn));
    EXPECT_EQ(Bits(state.u(1, i)), Bits(run.Uo));
  }
}

TEST(NodeUpdate, UpstreamTakesTheInflowUnrounded) {
  const RunData run = WorkedChannel(0.43f);
  FlowState state = Uniform(run);
  // Not a float, and one whose quotient by the area (28) rounds otherwise
  // than the quotient of its rounded value.
  const double Qin = 41.000001908;
  const float rounded = static_cast<float>(Qin);
  ASSERT_NE(static_cast<double>(rounded), Qin);
  UpdateUpstreamNode(run, Qin, state);
  EXPECT_EQ(Bits(state.q(2, 1)), Bits(rounded));
  EXPECT_EQ(Bits(state.u(2, 1)), Bits(static_cast<float>(Qin / 28.0)));
  EXPECT_NE(Bits(state.u(2, 1)), Bits(static_cast<float>(rounded / 28.0)));
}

TEST(NodeUpdate, CourantFactorOfFourOnTheWorkedChannel) {
  // DTMAX = 1.7249789: the dialogue accepts all of these, but the check
  // wants 4*DT below DX / (c + |Un|).
  struct Case {
    float DT;
    RunCheck check;
  };
  for (const Case& c : {Case{0.43f, RunCheck::kPassed},
                        Case{0.44f, RunCheck::kCourant},
                        Case{1.0f, RunCheck::kCourant},
                        Case{1.7f, RunCheck::kCourant}}) {
    SCOPED_TRACE(c.DT);
    const RunData run = WorkedChannel(c.DT);
    FlowState state = Uniform(run);
    EXPECT_EQ(UpdateInteriorNodes(run, state), c.check);
    if (c.check == RunCheck::kCourant) {
      // Stopped at node 2: its depth and velocity are stored, not its
      // discharge, and no later node is touched.
      EXPECT_EQ(Bits(state.h(2, 2)), Bits(run.hn));
      EXPECT_EQ(Bits(state.u(2, 2)), Bits(run.Uo));
      EXPECT_EQ(state.q(2, 2), kUnset);
      EXPECT_EQ(state.h(2, 3), kUnset);
      EXPECT_EQ(state.u(2, 3), kUnset);
    }
  }
}

// Three nodes, DT/DX = 1, still water of depth 1 except the velocity at
// node 3: continuity gives Hn = 1 + 0.5*(1*(0 - U3)) = 1 - U3/2 at node 2.
FlowState Diverging(float U3) {
  FlowState state;
  state.H.fill(kUnset);
  state.U.fill(kUnset);
  state.Q.fill(kUnset);
  for (int i = 1; i <= 3; ++i) {
    state.h(1, i) = 1;
    state.u(1, i) = 0;
  }
  state.u(1, 3) = U3;
  return state;
}

RunData ThreeNodes() {
  RunData run = WorkedChannel(1);
  run.NN = 3;
  run.DX = 1;
  return run;
}

TEST(NodeUpdate, DepthCheck) {
  struct Case {
    float U3;
    float Hn;
    RunCheck check;
  };
  for (const Case& c : {Case{4, -1, RunCheck::kDepth},
                        Case{2, 0, RunCheck::kDepth},  // exactly zero stops
                        Case{2.5f, -0.25f, RunCheck::kDepth},
                        Case{1.5f, 0.25f, RunCheck::kCourant}}) {
    SCOPED_TRACE(c.U3);
    FlowState state = Diverging(c.U3);
    EXPECT_EQ(UpdateInteriorNodes(ThreeNodes(), state), c.check);
    EXPECT_EQ(Bits(state.h(2, 2)), Bits(c.Hn));  // stored before the check
    if (c.check == RunCheck::kDepth) {
      EXPECT_EQ(state.u(2, 2), kUnset);
    }
    EXPECT_EQ(state.q(2, 2), kUnset);
  }
}

TEST(NodeUpdate, DepthStopAtALaterNodeKeepsTheEarlierOnes) {
  RunData run = ThreeNodes();
  run.NN = 4;
  run.DT = 0.01f;
  FlowState state = Diverging(0);
  state.h(1, 4) = 1;
  state.u(1, 4) = 400;  // node 3: Hn = 1 + 0.005*(0 - 400) = -1
  EXPECT_EQ(UpdateInteriorNodes(run, state), RunCheck::kDepth);
  EXPECT_NE(state.q(2, 2), kUnset);
  EXPECT_LT(state.h(2, 3), 0.0f);
  EXPECT_EQ(state.u(2, 3), kUnset);
}

TEST(NodeUpdate, TwoNodesHaveNoInteriorAndNoCheck) {
  RunData run = WorkedChannel(1000);  // a step no check would let through
  run.NN = 2;
  FlowState state = Uniform(run);
  EXPECT_EQ(UpdateInteriorNodes(run, state), RunCheck::kPassed);
  for (int i = 1; i <= kNodeCapacity; ++i) EXPECT_EQ(state.h(2, i), kUnset);
  // The ends update each other.
  UpdateUpstreamNode(run, run.Qo, state);
  UpdateDownstreamNode(run, state);
  EXPECT_EQ(Bits(state.h(2, 1)), Bits(run.hn));
  EXPECT_EQ(Bits(state.h(2, 2)), Bits(run.hn));
  EXPECT_EQ(Bits(state.u(2, 2)), Bits(run.Uo));
  EXPECT_EQ(Bits(state.q(2, 2)), Bits(run.Qo));
  EXPECT_EQ(state.h(2, 3), kUnset);
}

TEST(NodeUpdate, FewerThanTwoNodesTouchNothing) {
  for (int NN : {1, 0, -1}) {
    RunData run = WorkedChannel(0.1f);
    run.NN = NN;
    FlowState state = Uniform(WorkedChannel(0.1f));
    UpdateUpstreamNode(run, run.Qo, state);
    EXPECT_EQ(UpdateInteriorNodes(run, state), RunCheck::kPassed);
    UpdateDownstreamNode(run, state);
    for (int i = 1; i <= kNodeCapacity; ++i) EXPECT_EQ(state.h(2, i), kUnset);
  }
}

TEST(NodeUpdate, NotANumberPassesBothChecks) {
  // A not-a-number depth next to node 2 makes its depth not a number.
  RunData run = WorkedChannel(1.7f);  // would fail the Courant check
  FlowState state = Uniform(run);
  state.h(1, 1) = kNaN;
  EXPECT_EQ(UpdateInteriorNodes(run, state), RunCheck::kCourant);
  EXPECT_TRUE(std::isnan(state.h(2, 2)));
  EXPECT_TRUE(std::isnan(state.u(2, 2)));
  EXPECT_TRUE(std::isnan(state.q(2, 2)));
  EXPECT_EQ(Bits(state.h(2, 3)), Bits(run.hn));  // node 3 stops the run
  EXPECT_EQ(state.q(2, 3), kUnset);

  // A strongly negative explicit velocity: 4*K + F < 0 gives a
  // not-a-number velocity everywhere, and the run goes on.
  run = WorkedChannel(1);
  state = Uniform(run);
  for (int i = 1; i <= run.NN; ++i) state.u(1, i) = -60;
  EXPECT_EQ(UpdateInteriorNodes(run, state), RunCheck::kPassed);
  for (int i = 2; i < run.NN; ++i) {
    EXPECT_EQ(Bits(state.h(2, i)), Bits(run.hn)) << i;
    EXPECT_TRUE(std::isnan(state.u(2, i))) << i;
    EXPECT_TRUE(std::isnan(state.q(2, i))) << i;
  }
}

TEST(NodeUpdate, DownstreamIsUniformFlowAtTheNewDepth) {
  const RunData run = WorkedChannel(0.43f);
  FlowState state = Uniform(run);
  // Water rising from upstream: a deeper node NN-1.
  state.h(1, run.NN - 1) = 2.5f;
  UpdateDownstreamNode(run, state);
  const double Hn = 2.0 + (((2.5 - 2.0) * run.Uo) * (0.43f / 10.0));
  EXPECT_EQ(Bits(state.h(2, run.NN)), Bits(static_cast<float>(Hn)));
  const UniformFlow flow =
      ManningFlow(Hn, MakeSection(run.B, run.m, run.Jf, run.n));
  EXPECT_EQ(Bits(state.u(2, run.NN)), Bits(static_cast<float>(flow.V)));
  EXPECT_EQ(Bits(state.q(2, run.NN)), Bits(static_cast<float>(flow.Qn)));
  EXPECT_GT(state.q(2, run.NN), run.Qo);
}

}  // namespace
}  // namespace floodwave
