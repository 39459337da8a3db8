// Layouts: the record lists that every block of output is written from.
//
// A layout is a type made of items, so that a block in the code reads like
// the records it prints and a malformed layout, or a wrong number or kind of
// values, is an error when the program is built:
//
//   inline constexpr Layout<Slash, Slash,
//                           Lit<" UTILIZING MANNINGS FORMULA ">, Slash,
//                           Lit<" THE DISCHARGE FOR THE UNIFORM FLOW IS,  Qo (m3/s) = ">,
//                           F<8, 3>>
//       kQoBlock{};
//   WriteLayout(kConsoleOutput, kQoBlock, run.Qo);
//
// Items: Lit<"text"> literal text, X<n> skip, F<w, d> fixed-point field
// (takes a float), I<w> integer field (takes a std::int32_t), A text field
// (takes a std::string_view), Slash new-record mark, Dollar stay-on-the-line
// mark (last item only), Group<n, items...> repeated group.
//
// Records end with CR LF; a write whose layout ends with Dollar leaves its
// last record open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace floodwave::textio {

template <std::size_t N>
struct FixedString {
  char text[N];
  constexpr FixedString(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
  constexpr std::string_view view() const { return {text, N - 1}; }
};

template <FixedString S> struct Lit {};
template <int N> struct X {};
template <int W, int D> struct F {};
template <int W> struct I {};
struct A {};
struct Slash {};
struct Dollar {};
template <int N, class... Items> struct Group {};

template <class... Items> struct Layout {};

}  // namespace floodwave::textio
