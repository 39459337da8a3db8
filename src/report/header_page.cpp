#include "report/header_page.h"

#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

#include "textio/layout.h"
#include "textio/program_end.h"

namespace floodwave {
namespace {

using textio::A;
using textio::F;
using textio::I;
using textio::Layout;

// Where one value goes on the page, and the template characters it covers
// (blanks unless named: three fields overwrite the end of their own label).
struct Place {
  int line;
  int from;
  int to;
  std::string_view covers;
};

template <class Item>
struct HeaderField {
  Item item;
  Place place;
};

consteval void Require(bool condition) {
  if (!condition) throw "header field disagrees with the template";
}

// A field whose columns are exactly as wide as its edit item and which
// covers exactly the template characters it is said to cover.
template <class Item>
consteval HeaderField<Item> At(int line, int from, int to, std::string_view covers = "") {
  Require(line >= 1 && line <= kHeaderLineCount);
  Require(from >= 1 && to <= kHeaderLineLength);
  Require(to - from + 1 == Item::kWidth);
  const HeaderLine& text = kHeaderTemplate[static_cast<std::size_t>(line - 1)];
  for (int c = from; c <= to; ++c) {
    const auto i = static_cast<std::size_t>(c - from);
    const char expected = i < covers.size() ? covers[i] : ' ';
    Require(text[static_cast<std::size_t>(c - 1)] == expected);
  }
  return {Item{}, {line, from, to, covers}};
}

// clang-format off
//                                   line from  to
constexpr auto kB      = At<F<7, 3>>   ( 7,  45,  51);
constexpr auto kn      = At<F<6, 4>>   ( 7, 109, 114);
constexpr auto km      = At<F<7, 3>>   ( 8,  45,  51);
constexpr auto khn     = At<F<6, 3>>   ( 8, 109, 114);
constexpr auto kJf     = At<F<8, 5>>   ( 9,  45,  52, "-) =");
constexpr auto kLT     = At<F<8, 3>>   ( 9, 109, 116);
constexpr auto kQo     = At<F<8, 3>>   (11,  47,  54, ") = .XXX");
constexpr auto kUo     = At<F<8, 3>>   (11, 101, 108);
constexpr auto kCo     = At<F<8, 3>>   (12,  78,  85);
constexpr auto kTPEAK  = At<F<9, 2>>   (14,  85,  93);
constexpr auto kQMAX   = At<F<8, 3>>   (15,  85,  92);
constexpr auto kTDECAY = At<F<9, 2>>   (16,  85,  93);
constexpr auto kSteps  = At<I<3>>      (18,  29,  31);
constexpr auto kDX     = At<F<8, 3>>   (18,  73,  80);
constexpr auto kNN     = At<I<3>>      (18, 120, 122);
constexpr auto kDT     = At<F<7, 3>>   (19,  29,  35);
constexpr auto kTMAX   = At<F<11, 3>>  (19,  73,  83, "s) =");
constexpr auto kNFREQ  = At<I<5>>      (19, 120, 124);
constexpr auto kNode1  = At<I<3>>      (22,  31,  33);
constexpr auto kX1     = At<F<8, 3>>   (22,  43,  50);
constexpr auto kNode2  = At<I<3>>      (22,  68,  70);
constexpr auto kX2     = At<F<8, 3>>   (22,  80,  87);
constexpr auto kNode3  = At<I<3>>      (22, 105, 107);
constexpr auto kX3     = At<F<8, 3>>   (22, 117, 124);

constexpr std::array kPlaces = {
    kB.place, kn.place, km.place, khn.place, kJf.place, kLT.place,
    kQo.place, kUo.place, kCo.place, kTPEAK.place, kQMAX.place, kTDECAY.place,
    kSteps.place, kDX.place, kNN.place, kDT.place, kTMAX.place, kNFREQ.place,
    kNode1.place, kX1.place, kNode2.place, kX2.place, kNode3.place, kX3.place};
// clang-format on

consteval bool NoFieldsOverlap() {
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    for (std::size_t j = i + 1; j < kPlaces.size(); ++j) {
      const Place& a = kPlaces[i];
      const Place& b = kPlaces[j];
      if (a.line == b.line && a.from <= b.to && b.from <= a.to) return false;
    }
  }
  return true;
}
static_assert(NoFieldsOverlap());

template <class Item, class Value>
void Fill(HeaderPage& page, const HeaderField<Item>& field, Value value) {
  HeaderLine& line = page[static_cast<std::size_t>(field.place.line - 1)];
  const std::span<char> columns(line.data() + (field.place.from - 1),
                                static_cast<std::size_t>(Item::kWidth));
  textio::WriteIntoText(columns, field.item, value);
}

// NN - 1 without overflow; an NN so far out that the step count has no
// 32-bit value gives a value that fills I3 with asterisks all the same.
std::int32_t StepCount(std::int32_t NN) {
  return NN == std::numeric_limits<std::int32_t>::min() ? NN : NN - 1;
}

constexpr Layout<A> kLineLayout{};

}  // namespace

float StationDistance(std::int32_t node, float DX) {
  // The subtraction is made in 64 bits so that no node number can overflow;
  // for every 32-bit result it is the integer NSTAT(k) - 1 itself.
  const std::int64_t steps = static_cast<std::int64_t>(node) - 1;
  return static_cast<float>(static_cast<double>(steps) * static_cast<double>(DX));
}

HeaderPage BuildHeaderPage(const RunData& run) {
  HeaderPage page = kHeaderTemplate;
  Fill(page, kB, run.B);
  Fill(page, kn, run.n);
  Fill(page, km, run.m);
  Fill(page, khn, run.hn);
  Fill(page, kJf, run.Jf);
  Fill(page, kLT, run.LT);
  Fill(page, kQo, run.Qo);
  Fill(page, kUo, run.Uo);
  Fill(page, kCo, run.Co);
  Fill(page, kTPEAK, run.TPEAK);
  Fill(page, kQMAX, run.QMAX);
  Fill(page, kTDECAY, run.TDECAY);
  Fill(page, kSteps, StepCount(run.NN));
  Fill(page, kDX, run.DX);
  Fill(page, kNN, run.NN);
  Fill(page, kDT, run.DT);
  Fill(page, kTMAX, run.TMAX);
  Fill(page, kNFREQ, run.NFREQ);
  Fill(page, kNode1, run.NSTAT[0]);
  Fill(page, kX1, StationDistance(run.NSTAT[0], run.DX));
  Fill(page, kNode2, run.NSTAT[1]);
  Fill(page, kX2, StationDistance(run.NSTAT[1], run.DX));
  Fill(page, kNode3, run.NSTAT[2]);
  Fill(page, kX3, StationDistance(run.NSTAT[2], run.DX));
  return page;
}

void WriteHeaderPage(const RunData& run, int unit) {
  const textio::ActiveCall call("WriteHeaderPage");
  const HeaderPage page = BuildHeaderPage(run);
  for (const HeaderLine& line : page) {
    textio::WriteLayout(unit, kLineLayout, line);
  }
}

}  // namespace floodwave
