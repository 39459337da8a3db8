// The upstream boundary: a triangular inflow hydrograph on top of Qo. No
// answer is range-checked.

#include "dialogue/dialogue.h"
#include "dialogue/dialogue_channel.h"

namespace floodwave {
namespace {

using namespace textio;

constexpr Layout<Slash, Slash, Slash,
                 Lit<" READING OF THE DATA CONCERNING THE CONDITIONS AT BOUNDARIES :">, Slash,
                 Lit<" IT ADMITS A TRIANGULAR HYDROGRAPH DEFINED BY THREE PARAMETERS :">, Slash>
    kHydrograph{};

constexpr Layout<Lit<" TIME TO THE PEAK ?          t' (s) = ">, Dollar> kAskTPeak{};
constexpr Layout<Lit<" PEAK DISCHARGE ?     QMAX (m3/s) = ">, Dollar> kAskQMax{};
constexpr Layout<Lit<" TIME OF DECAY ?       t'' (s) = ">, Dollar> kAskTDecay{};

// No leading empty record: on the console it follows the answer's line, in
// DIALOG.DAT it continues the line of the three prompts.
constexpr Layout<Lit<" ATTENTION ! ...">, Slash,
                 Lit<" FOR t > (t' + t'') = ">, F<10, 3>,
                 Lit<" (s), IT IS ASSUMED THAT Q = Qo">, Slash, Slash, Slash>
    kAttention{};

}  // namespace

void AskHydrograph(RunData& run) {
  ShowBlock(kHydrograph);
  AskNumber(run.TPEAK, kAskTPeak);
  AskNumber(run.QMAX, kAskQMax);
  AskNumber(run.TDECAY, kAskTDecay);

  const float end_of_hydrograph =
      static_cast<float>(static_cast<double>(run.TPEAK) + static_cast<double>(run.TDECAY));
  ShowBlock(kAttention, end_of_hydrograph);
}

}  // namespace floodwave
