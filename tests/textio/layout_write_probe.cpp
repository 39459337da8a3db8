// Writes a fixed sequence of layouts and free-format records to the console
// and to a new file RESULTS, as the program would, then stops; the layout
// write test compares the bytes.
#include <cstdint>
#include <string>

#include "textio/layout.h"
#include "textio/open_new.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"

namespace {

using namespace floodwave::textio;

constexpr int kResults = 5;

inline constexpr Layout<Lit<" TIME TO THE PEAK ?          t' (s) = ">, Dollar> kPeakPrompt{};
inline constexpr Layout<Lit<" ATTENTION ! ...">, Slash, Lit<" FOR t > (t' + t'') = ">, F<10, 3>,
                        Lit<" (s), IT IS ASSUMED THAT Q = Qo">, Slash, Slash, Slash>
    kAttention{};
inline constexpr Layout<Slash, Slash, Lit<" NAME OF THE OUTPUT FILE ? = ">, Dollar> kFilePrompt{};
inline constexpr Layout<A> kLine{};
inline constexpr Layout<X<3>, F<10, 2>, Group<3, X<5>, F<10, 3>, X<1>, F<10, 3>, X<1>, F<10, 3>>>
    kStationRow{};
inline constexpr Layout<Slash, Slash, Lit<" NORMAL TERMINATION OF PROGRAM">> kNormalEnd{};

void Sequence(int unit) {
  WriteLayout(unit, kPeakPrompt);
  WriteLayout(unit, kAttention, 2400.0f);
  WriteLayout(unit, kFilePrompt);
  WriteLayout(unit, kFilePrompt);
  WriteFree(unit);
  WriteFree(unit, "PRESS RETURN TO FINISH THE PROGRAM.");
  WriteFree(unit, std::string(300, 'w'));
  WriteLayout(unit, kLine, std::string(131, ' '));
  WriteLayout(unit, kLine, std::string(1000, 'a'));
  const float q = 40.90665f;
  const float h = 2.5f;
  const float u = 1.090844f;
  WriteLayout(unit, kStationRow, 0.0f, q, h, u, q, h, u, q, h, u);
  WriteLayout(unit, Layout<Lit<" NN = ">, I<3>, Dollar>{}, std::int32_t{101});
  WriteLayout(unit, kNormalEnd);
}

}  // namespace

int main() {
  StartTextLayer();
  OpenNew(kResults, "RESULTS", OnError::kReport);
  Sequence(kConsoleOutput);
  Sequence(kResults);
  StopProgram();
}
