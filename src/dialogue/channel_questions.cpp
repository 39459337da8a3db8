// The channel data and the uniform flow that fills the channel before the
// wave arrives. No answer is range-checked: any readable value is taken.

#include "dialogue/dialogue.h"
#include "dialogue/dialogue_channel.h"
#include "hydraulics/section.h"

namespace floodwave {
namespace {

using namespace textio;

constexpr Layout<Slash, Slash,
                 Lit<"  PROGRAM TO CALCULATE UNSTEADY FLOWS IN CHANNELS">, Slash, Slash,
                 Lit<"           SYSTEM OF UNITS : METRIC">, Slash, Slash>
    kBanner{};

constexpr Layout<Lit<" DATA CONCERNING THE CHANNEL :">, Slash,
                 Lit<" THE CHANNEL MAY BE TRAPEZOIDAL, RECTANGULAR(m = 0) OR">, Slash,
                 Lit<" TRIANGULAR (B = 0).">, Slash, Slash>
    kChannelData{};

// Every prompt is 53 characters, so that the symbols line up and every
// answer is typed from column 54 on.
constexpr Layout<Lit<" WIDTH OF THE CHANNEL ?                      B (m) = ">, Dollar> kAskB{};
constexpr Layout<Lit<" SLOPE OF SIDES OF CROSS SECTION ?           m (-) = ">, Dollar> kAskM{};
constexpr Layout<Lit<" CHANNEL SLOPE ?                            Jf (-) = ">, Dollar> kAskJf{};
constexpr Layout<Lit<" MANNING COEFFICIENT ?                n (m^-1/3 s) = ">, Dollar> kAskN{};
constexpr Layout<Lit<" UNIFORM FLOW DEPTH ?                       hn (m) = ">, Dollar> kAskHn{};
constexpr Layout<Lit<" TOTAL LENGTH OF CHANNEL ?                  LT (m) = ">, Dollar> kAskLT{};

constexpr Layout<Slash, Slash,
                 Lit<" UTILIZING MANNINGS FORMULA ">, Slash,
                 Lit<" THE DISCHARGE FOR THE UNIFORM FLOW IS,  Qo (m3/s) = ">, F<8, 3>>
    kUniformFlow{};

}  // namespace

void AskChannel(RunData& run) {
  ShowBlock(kBanner);
  ShowBlock(kChannelData);
  AskNumber(run.B, kAskB);
  AskNumber(run.m, kAskM);
  AskNumber(run.Jf, kAskJf);
  AskNumber(run.n, kAskN);
  AskNumber(run.hn, kAskHn);
  AskNumber(run.LT, kAskLT);

  const UniformFlow uniform = ManningFlow(run.hn, MakeSection(run.B, run.m, run.Jf, run.n));
  run.Uo = static_cast<float>(uniform.V);
  run.Qo = static_cast<float>(uniform.Qn);
  ShowBlock(kUniformFlow, run.Qo);
}

}  // namespace floodwave
