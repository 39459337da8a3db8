// The three output stations, the output frequency and the results file. A
// refused answer brings back its whole block, silently.

#include <string_view>

#include "dialogue/dialogue.h"
#include "dialogue/dialogue_channel.h"
#include "textio/open_new.h"

namespace floodwave {
namespace {

using namespace textio;

constexpr Layout<Slash, Slash,
                 Lit<" YOU HAVE ">, I<3>, Lit<" STATIONS ALONG THE CHANNEL;">, Slash,
                 Lit<" WHERE DO YOU WANT TO HAVE THE RESULTS ?">, Slash,
                 Lit<" WRITE THE NUMBERS OF 3 STATIONS IN FREE FOMAT = ">, Dollar>
    kAskStations{};

constexpr Layout<Slash, Slash,
                 Lit<" AT WHICH FREQUENCY DO YOU WANT TO WRITE YOUR RESULTS ? = ">, Dollar>
    kAskFrequency{};

constexpr Layout<Slash, Slash, Lit<" NAME OF THE OUTPUT FILE ? = ">, Dollar> kAskFileName{};

bool IsNode(std::int32_t node, std::int32_t NN) { return node >= 1 && node <= NN; }

void AskStations(RunData& run) {
  for (;;) {
    AskNumber(run.NSTAT, kAskStations, run.NN);
    if (IsNode(run.NSTAT[0], run.NN) && IsNode(run.NSTAT[1], run.NN) &&
        IsNode(run.NSTAT[2], run.NN)) {
      return;
    }
  }
}

void AskFrequency(RunData& run) {
  for (;;) {
    AskNumber(run.NFREQ, kAskFrequency);
    if (run.NFREQ <= 0) continue;
    // The quotient of the two single values, not rounded to single.
    const double steps = static_cast<double>(run.TMAX) / static_cast<double>(run.DT);
    if (static_cast<double>(run.NFREQ) > steps) continue;
    return;
  }
}

void CreateResultsFile(RunData& run) {
  do {
    AskText(run.OUTFILE, kAskFileName);
  } while (OpenNew(kResultsChannel, std::string_view(run.OUTFILE.data(), run.OUTFILE.size()),
                   OnError::kReturn) > 0);
}

}  // namespace

void AskOutput(RunData& run) {
  AskStations(run);
  AskFrequency(run);
  CreateResultsFile(run);
}

}  // namespace floodwave
