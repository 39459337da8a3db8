// Fixed-point editing of arbitrary bit patterns, checked against the exact
// method: the C library's "%.*f" is correctly rounded, and the field rules
// are applied to its text here (no minus on a rounded zero, the zero before
// the point only when there is room, asterisks when the text is too long).
//
// Each 4 bytes of input are one float and one 32-bit integer. Every float
// goes through every Fw.d the program's layouts use (the compile-time
// editors the layouts call, and the run-time one), the integer through I3
// and I5, and both once through a field of any width and decimals chosen
// by the next byte.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "support/reference_field.h"
#include "textio/fixed_edit.h"

namespace {

using floodwave::textio::EditFixed;
using floodwave::textio::EditInteger;
using floodwave::textio::kMaxEditDecimals;
using floodwave::textio::kMaxEditWidth;

using floodwave::testing::ReferenceFixed;
using floodwave::testing::ReferenceInteger;
using floodwave::testing::Stars;

[[noreturn]] void Mismatch(const char* kind, int w, int d, std::uint32_t bits,
                           const std::string& got, const std::string& want) {
  std::fprintf(stderr, "%s%d.%d of bits %08x: edited \"%s\", expected \"%s\"\n", kind, w, d,
               static_cast<unsigned>(bits), got.c_str(), want.c_str());
  std::abort();
}

// The field in a heap block of exactly its width: a write past it is caught.
template <class Edit>
std::string Edited(int w, Edit edit) {
  const auto size = static_cast<std::size_t>(w);
  auto field = std::make_unique<char[]>(size);
  std::memset(field.get(), '?', size);
  edit(field.get());
  return std::string(field.get(), size);
}

template <int W, int D>
void CheckField(float value, std::uint32_t bits) {
  const std::string want = ReferenceFixed(value, W, D);
  const std::string fixed = Edited(W, [&](char* f) { EditFixed<W, D>(f, value); });
  if (fixed != want) Mismatch("F", W, D, bits, fixed, want);
  const std::string run_time = Edited(W, [&](char* f) { EditFixed(f, W, D, value); });
  if (run_time != want) Mismatch("F", W, D, bits, run_time, want);
}

template <int W>
void CheckInteger(std::int32_t value, std::uint32_t bits) {
  const std::string want = ReferenceInteger(value, W);
  const std::string fixed = Edited(W, [&](char* f) { EditInteger<W>(f, value); });
  if (fixed != want) Mismatch("I", W, 0, bits, fixed, want);
  const std::string run_time = Edited(W, [&](char* f) { EditInteger(f, W, value); });
  if (run_time != want) Mismatch("I", W, 0, bits, run_time, want);
}

void CheckAll(std::uint32_t bits, std::uint8_t choice) {
  const float value = std::bit_cast<float>(bits);
  CheckField<4, 3>(value, bits);
  CheckField<5, 3>(value, bits);
  CheckField<6, 3>(value, bits);
  CheckField<7, 3>(value, bits);
  CheckField<8, 3>(value, bits);
  CheckField<9, 3>(value, bits);
  CheckField<10, 3>(value, bits);
  CheckField<11, 3>(value, bits);
  CheckField<6, 4>(value, bits);
  CheckField<8, 5>(value, bits);
  CheckField<9, 2>(value, bits);
  CheckField<10, 2>(value, bits);
  CheckField<7, 2>(value, bits);
  CheckInteger<3>(std::bit_cast<std::int32_t>(bits), bits);
  CheckInteger<5>(std::bit_cast<std::int32_t>(bits), bits);

  // Any width and decimals, through the run-time editor.
  const int w = 1 + choice % kMaxEditWidth;
  const int d = (choice / kMaxEditWidth) % (kMaxEditDecimals + 1);
  const std::string got = Edited(w, [&](char* f) { EditFixed(f, w, d, value); });
  const std::string want = d < w ? ReferenceFixed(value, w, d) : Stars(w);
  if (got != want) Mismatch("F", w, d, bits, got, want);
  const std::string integer = Edited(w, [&](char* f) { EditInteger(f, w, std::bit_cast<std::int32_t>(bits)); });
  if (integer != ReferenceInteger(std::bit_cast<std::int32_t>(bits), w)) {
    Mismatch("I", w, 0, bits, integer, ReferenceInteger(std::bit_cast<std::int32_t>(bits), w));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (std::size_t at = 0; at + 4 <= size; at += 5) {
    std::uint32_t bits;
    std::memcpy(&bits, data + at, 4);
    CheckAll(bits, at + 4 < size ? data[at + 4] : 0);
  }
  return 0;
}
