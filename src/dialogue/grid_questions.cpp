// The space division, the time step under its Courant limit and the
// duration. A refused answer brings back its whole block, silently.

#include <cmath>

#include "dialogue/dialogue.h"
#include "dialogue/dialogue_channel.h"
#include "hydraulics/section.h"

namespace floodwave {
namespace {

using namespace textio;

constexpr Layout<Slash,
                 Lit<" READING OF DATA CONCERNING THE SPATIAL STEP, DX :">, Slash,
                 Lit<" THE CHANNEL LENGTH IS                              LT (m) = ">, F<7, 2>, Slash,
                 Lit<" MAXIMUM NUMBER OF STEPS ALLOWED BY THE PROGRAM,    MAXDIV = ">, I<3>, Slash,
                 Lit<" THE MINIMUM VALUE OF DX IS,                    LT / MAXDIV = ">, F<7, 2>,
                 Lit<"(m)">, Slash, Slash,
                 Lit<" (Important note! In you want to have more steps modify">, Slash,
                 Lit<"  the value of the parameter MAXDIV on the main program)">, Slash, Slash,
                 Lit<" DO YOU AGREE WITH THIS VALUE ? ANSWER O/CR OR N = ">, Dollar>
    kDivision{};

constexpr Layout<Lit<" WHAT IS THE NUMBER OF STEPS,  NDIV ? = ">, Dollar> kAskNDiv{};

constexpr Layout<Slash,
                 Lit<" THE VALUE OF DX IS, THEN,                        LT / NDIV = ">, F<7, 2>,
                 Lit<"(m)">, Slash,
                 Lit<" THE NUMBER OF NODES IS,                    NN = NDIV + 1 = ">, I<3>>
    kNodes{};

constexpr Layout<Slash, Slash,
                 Lit<" READING OF DATA CONCERNING THE TIME STEP, DT :">, Slash, Slash,
                 Lit<" THE DISCHARGE OF UNIFORM FLOW IS,                 Qo (m3/s) = ">, F<8, 3>, Slash,
                 Lit<" THE FLOW AVERAGED VELOCITY VALUE IS, Uo (m/s) = Q / S      = ">, F<8, 3>, Slash,
                 Lit<" THE CELERITY OF A GRAVITY WAVE IS,   Co (m/s) = (g*hn)^0.5 = ">, F<8, 3>, Slash,
                 Slash,
                 Lit<" THE COURANT STABILITY CONDITION SAYS THAT DT < (DX / (ABS(Uo) + Co)">, Slash,
                 Lit<" THE MAXIMUM VALUE OF DT IS: DTMAX= DX / (ABS(Uo) + Co) : ">, F<8, 3>,
                 Lit<" s">, Slash, Slash>
    kTimeStep{};

constexpr Layout<Lit<" WHICH IS THE VALUE OF DT (s) ? = ">, Dollar> kAskDT{};

constexpr Layout<Slash, Slash, Lit<" INPUT THE COMPUTATION TIME, TMAX (s) ? = ">, Dollar>
    kAskTMax{};

bool IsNOrSmallN(char answer) { return answer == 'N' || answer == 'n'; }

void AskDivision(RunData& run) {
  run.NDIV = MAXDIV;
  run.NN = kNodeCapacity;
  run.DX = static_cast<float>(static_cast<double>(run.LT) / MAXDIV);
  for (;;) {
    std::array<char, 1> answer{};
    AskText(answer, kDivision, run.LT, MAXDIV, run.DX);
    if (!IsNOrSmallN(answer[0])) return;
    AskNumber(run.NDIV, kAskNDiv);
    if (run.NDIV <= 0 || run.NDIV > MAXDIV) continue;
    run.DX = static_cast<float>(static_cast<double>(run.LT) / static_cast<double>(run.NDIV));
    run.NN = run.NDIV + 1;
    ShowBlock(kNodes, run.DX, run.NN);
    return;
  }
}

void AskTimeStep(RunData& run) {
  const double c = WaveCelerity(run.hn);
  run.Co = static_cast<float>(c);
  const float DTMAX =
      static_cast<float>(static_cast<double>(run.DX) / (std::fabs(static_cast<double>(run.Uo)) + c));
  run.DT = DTMAX;
  for (;;) {
    ShowBlock(kTimeStep, run.Qo, run.Uo, run.Co, DTMAX);
    AskNumber(run.DT, kAskDT);
    // An infinite or not-a-number time step is refused like any other step
    // out of range: with one the run could never end.
    if (run.DT <= 0 || run.DT > DTMAX || !std::isfinite(run.DT)) continue;
    return;
  }
}

void AskDuration(RunData& run) {
  do {
    AskNumber(run.TMAX, kAskTMax);
  } while (run.DT > run.TMAX || !std::isfinite(run.TMAX));
}

}  // namespace

void AskGrid(RunData& run) {
  AskDivision(run);
  AskTimeStep(run);
  AskDuration(run);
}

}  // namespace floodwave
