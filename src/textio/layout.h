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
// (takes exactly a float), I<w> integer field (takes exactly a
// std::int32_t), A text field (takes a text: anything convertible to
// std::string_view, or a contiguous run of char such as std::array<char, N>),
// Slash new-record mark, Dollar stay-on-the-line mark (last item only),
// Group<n, items...> repeated group.
//
// Records end with CR LF; a write whose layout ends with Dollar leaves its
// last record open. A record holds the characters from column 1 to the last
// column that received one: a skip places blanks only when something
// follows it in the same record.
//
// The operations:
//   WriteLayout(unit, layout, values...)   one whole write to a channel
//   WriteFree(unit) / WriteFree(unit, text) a record " " or " text"
//   WriteIntoText(field, F<w, d>{} or I<w>{}, value)  edit into memory
//   ComposeLayout / FormatLayout / FormatFree  the same bytes, in memory
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "textio/fixed_edit.h"
#include "textio/output_channel.h"

namespace floodwave::textio {

template <std::size_t N>
struct FixedString {
  char text[N];
  constexpr FixedString(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
  constexpr std::string_view view() const { return {text, N - 1}; }
};

template <FixedString S>
struct Lit {
  static constexpr std::string_view kText = S.view();
};
template <int N>
struct X {
  static constexpr int kColumns = N;
};
template <int W, int D>
struct F {
  static constexpr int kWidth = W;
  static constexpr int kDecimals = D;
};
template <int W>
struct I {
  static constexpr int kWidth = W;
};
struct A {};
struct Slash {};
struct Dollar {};
template <int N, class... Items>
struct Group {};

template <class... Items>
struct Layout {};

// Room kept on the stack for each text field of a write; a longer text is
// composed on the heap instead, never cut.
inline constexpr std::size_t kTextFieldReserve = 256;

// ---------------------------------------------------------------------------
// Layout analysis, all at compile time.
namespace layout_detail {

template <class...>
inline constexpr bool kAlwaysFalse = false;

template <class... T>
struct List {};

template <class... L>
struct Concat;
template <>
struct Concat<> {
  using type = List<>;
};
template <class... T>
struct Concat<List<T...>> {
  using type = List<T...>;
};
template <class... T, class... U, class... Rest>
struct Concat<List<T...>, List<U...>, Rest...> {
  using type = typename Concat<List<T..., U...>, Rest...>::type;
};

template <int N, class L>
struct Repeat {
  using type = typename Concat<L, typename Repeat<N - 1, L>::type>::type;
};
template <class L>
struct Repeat<0, L> {
  using type = List<>;
};

enum class Kind { kLiteral, kSkip, kFixed, kInteger, kText, kSlash, kDollar };

template <class Item>
struct Traits {
  static_assert(kAlwaysFalse<Item>,
                "not a layout item: use Lit, X, F, I, A, Slash, Dollar or Group");
};
template <FixedString S>
constexpr bool IsPrintableAscii() {
  for (char c : S.view()) {
    if (c < ' ' || c > '~') return false;
  }
  return true;
}

template <FixedString S>
struct Traits<Lit<S>> {
  // Record ends come only from Slash and the end of the layout.
  static_assert(IsPrintableAscii<S>(), "a literal text holds printable ASCII only");
  static constexpr Kind kKind = Kind::kLiteral;
  static constexpr std::size_t kBytes = S.view().size();
};
template <int N>
struct Traits<X<N>> {
  static_assert(N >= 1 && N <= 1000, "a skip X<n> needs 1 <= n <= 1000");
  static constexpr Kind kKind = Kind::kSkip;
  static constexpr std::size_t kBytes = static_cast<std::size_t>(N);
};
template <int W, int D>
struct Traits<F<W, D>> {
  static_assert(W >= 1 && W <= kMaxEditWidth, "F<w, d> needs 1 <= w <= 40");
  static_assert(D >= 0 && D <= kMaxEditDecimals, "F<w, d> needs 0 <= d <= 9");
  static_assert(D < W, "F<w, d> needs d < w: the point takes a column");
  static constexpr Kind kKind = Kind::kFixed;
  static constexpr std::size_t kBytes = static_cast<std::size_t>(W);
};
template <int W>
struct Traits<I<W>> {
  static_assert(W >= 1 && W <= kMaxEditWidth, "I<w> needs 1 <= w <= 40");
  static constexpr Kind kKind = Kind::kInteger;
  static constexpr std::size_t kBytes = static_cast<std::size_t>(W);
};
template <>
struct Traits<A> {
  static constexpr Kind kKind = Kind::kText;
  static constexpr std::size_t kBytes = 0;  // known only from the value
};
template <>
struct Traits<Slash> {
  static constexpr Kind kKind = Kind::kSlash;
  static constexpr std::size_t kBytes = 2;
};
template <>
struct Traits<Dollar> {
  static constexpr Kind kKind = Kind::kDollar;
  static constexpr std::size_t kBytes = 0;
};

template <class Item>
inline constexpr bool kIsField = Traits<Item>::kKind == Kind::kFixed ||
                                 Traits<Item>::kKind == Kind::kInteger ||
                                 Traits<Item>::kKind == Kind::kText;

// A group becomes its items written out n times.
template <class Item>
struct Expand {
  using type = List<Item>;
};
template <int N, class... Items>
struct Expand<Group<N, Items...>> {
  static_assert(N >= 1, "a group needs a count of at least 1");
  static_assert(N <= 100, "a group count above 100 is not supported");
  static_assert(sizeof...(Items) >= 1, "a group needs at least one item");
  using type = typename Repeat<N, typename Concat<typename Expand<Items>::type...>::type>::type;
};

template <class L>
struct Flatten;
template <class... Items>
struct Flatten<Layout<Items...>> {
  using type = typename Concat<typename Expand<Items>::type...>::type;
};

template <class L>
struct Info;
template <class... T>
struct Info<List<T...>> {
  static constexpr std::size_t kItems = sizeof...(T);
  static constexpr std::size_t kFields = (std::size_t{0} + ... + (kIsField<T> ? 1u : 0u));
  static constexpr std::size_t kTexts =
      (std::size_t{0} + ... + (Traits<T>::kKind == Kind::kText ? 1u : 0u));
  static constexpr std::size_t kDollars =
      (std::size_t{0} + ... + (Traits<T>::kKind == Kind::kDollar ? 1u : 0u));
  static constexpr bool kLastIsDollar = [] {
    constexpr Kind kinds[] = {Kind::kLiteral, Traits<T>::kKind...};
    return sizeof...(T) > 0 && kinds[sizeof...(T)] == Kind::kDollar;
  }();
  // Bytes of the write apart from its text fields, the last terminator
  // included: an upper bound, since a final skip places nothing.
  static constexpr std::size_t kFixedBytes = (std::size_t{2} + ... + Traits<T>::kBytes);
  // For the item at each position, the number of the value it takes.
  static constexpr std::array<std::size_t, sizeof...(T) + 1> kValueIndex = [] {
    constexpr bool fields[] = {false, kIsField<T>...};
    std::array<std::size_t, sizeof...(T) + 1> index{};
    std::size_t count = 0;
    for (std::size_t k = 0; k < sizeof...(T); ++k) {
      index[k] = count;
      if (fields[k + 1]) ++count;
    }
    index[sizeof...(T)] = count;
    return index;
  }();

  static_assert(kDollars == 0 || (kDollars == 1 && kLastIsDollar),
                "Dollar may only be the last item of a layout");
};

template <class V>
inline constexpr bool kIsText = std::is_convertible_v<const V&, std::string_view> ||
                                std::is_constructible_v<std::span<const char>, const V&>;

template <class V>
std::string_view AsText(const V& value) {
  if constexpr (std::is_convertible_v<const V&, std::string_view>) {
    return std::string_view(value);
  } else {
    const std::span<const char> chars(value);
    return std::string_view(chars.data(), chars.size());
  }
}

// The record being composed: characters go straight into the output; a
// skip is only remembered, and becomes blanks when something follows it.
class Composer {
 public:
  explicit Composer(char* out) : start_(out), end_(out) {}

  char* Place(std::size_t count) {
    for (; pending_blanks_ > 0; --pending_blanks_) *end_++ = ' ';
    char* at = end_;
    end_ += count;
    return at;
  }
  void Skip(int columns) { pending_blanks_ += columns; }
  void EndRecord() {
    pending_blanks_ = 0;
    *end_++ = '\r';
    *end_++ = '\n';
  }
  std::size_t size() const { return static_cast<std::size_t>(end_ - start_); }

 private:
  char* start_;
  char* end_;
  int pending_blanks_ = 0;
};

template <class Item, std::size_t Index, class Values>
inline void Emit(Composer& out, const Values& values) {
  constexpr Kind kind = Traits<Item>::kKind;
  if constexpr (kind == Kind::kLiteral) {
    constexpr std::string_view text = Item::kText;
    char* at = out.Place(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) at[i] = text[i];
  } else if constexpr (kind == Kind::kSkip) {
    out.Skip(Item::kColumns);
  } else if constexpr (kind == Kind::kSlash) {
    out.EndRecord();
  } else if constexpr (kind == Kind::kDollar) {
    // The end of the write looks at the layout's last item.
  } else {
    using V = std::remove_cvref_t<std::tuple_element_t<Index, Values>>;
    const auto& value = std::get<Index>(values);
    if constexpr (kind == Kind::kFixed) {
      static_assert(std::is_same_v<V, float>,
                    "an F field takes exactly a float: round with static_cast<float> "
                    "where the value is stored");
      EditFixed<Item::kWidth, Item::kDecimals>(out.Place(Item::kWidth), value);
    } else if constexpr (kind == Kind::kInteger) {
      static_assert(std::is_same_v<V, std::int32_t>,
                    "an I field takes exactly a std::int32_t");
      EditInteger<Item::kWidth>(out.Place(Item::kWidth), value);
    } else {
      static_assert(kIsText<V>, "an A field takes a text (std::string_view or char array)");
      const std::string_view text = AsText(value);
      char* at = out.Place(text.size());
      for (std::size_t i = 0; i < text.size(); ++i) at[i] = text[i];
    }
  }
}

template <class Item, std::size_t Index, class Values>
inline std::size_t TextBytes(const Values& values) {
  if constexpr (Traits<Item>::kKind == Kind::kText) {
    return AsText(std::get<Index>(values)).size();
  } else {
    return 0;
  }
}

template <class... T, std::size_t... K, class Values>
inline std::size_t Capacity(List<T...>, std::index_sequence<K...>, const Values& values) {
  using In = Info<List<T...>>;
  return (In::kFixedBytes + ... + TextBytes<T, In::kValueIndex[K]>(values));
}

template <class... T, std::size_t... K, class Values>
inline std::size_t Compose(char* out, List<T...>, std::index_sequence<K...>,
                           const Values& values) {
  using In = Info<List<T...>>;
  Composer composer(out);
  (Emit<T, In::kValueIndex[K]>(composer, values), ...);
  if constexpr (!In::kLastIsDollar) composer.EndRecord();
  return composer.size();
}

template <class L, class... Values>
struct Checked {
  using Flat = typename Flatten<L>::type;
  using In = Info<Flat>;
  static_assert(sizeof...(Values) == In::kFields,
                "the number of values differs from the number of fields of the layout "
                "(a group counts its fields n times)");
  using Sequence = std::make_index_sequence<In::kItems>;
};

}  // namespace layout_detail

// ---------------------------------------------------------------------------
// Composition in memory.

// The most bytes one write of `layout` with these values can compose.
template <class... Items, class... Values>
std::size_t LayoutCapacity(const Layout<Items...>&, const Values&... values) {
  using C = layout_detail::Checked<Layout<Items...>, Values...>;
  return layout_detail::Capacity(typename C::Flat{}, typename C::Sequence{},
                                 std::forward_as_tuple(values...));
}

// Composes the whole write (every record, CR LF after each but an open last
// one) into `out`, and returns the number of bytes. When `out` is smaller
// than LayoutCapacity, nothing is composed and the result is 0.
template <class... Items, class... Values>
std::size_t ComposeLayout(std::span<char> out, const Layout<Items...>& layout,
                          const Values&... values) {
  using C = layout_detail::Checked<Layout<Items...>, Values...>;
  if (out.size() < LayoutCapacity(layout, values...)) return 0;
  return layout_detail::Compose(out.data(), typename C::Flat{}, typename C::Sequence{},
                                std::forward_as_tuple(values...));
}

// The bytes of one write, as a string.
template <class... Items, class... Values>
std::string FormatLayout(const Layout<Items...>& layout, const Values&... values) {
  std::string bytes(LayoutCapacity(layout, values...), '\0');
  bytes.resize(ComposeLayout(std::span<char>(bytes), layout, values...));
  return bytes;
}

// The bytes of free-format output: one blank, the text, CR LF.
std::string FormatFree(std::string_view text = {});

// ---------------------------------------------------------------------------
// Output.

// One whole write to channel `unit`. A layout without text fields is
// composed straight into the channel (ComposeToChannel); one with text
// fields is composed on the stack (on the heap only for text fields longer
// than kTextFieldReserve), then handed to the channel in one piece. A
// refused write ends the program (WriteToChannel).
template <class... Items, class... Values>
void WriteLayout(int unit, const Layout<Items...>& layout, const Values&... values) {
  using C = layout_detail::Checked<Layout<Items...>, Values...>;
  constexpr std::size_t kStackBytes = C::In::kFixedBytes + C::In::kTexts * kTextFieldReserve;
  if constexpr (C::In::kTexts == 0) {
    // Its size known when the program is built: composed straight into the
    // channel's buffer. The values are numbers, taken along by copy so that
    // the composition reads them in one step.
    ComposeToChannel(unit, C::In::kFixedBytes, [values...](char* out) {
      return layout_detail::Compose(out, typename C::Flat{}, typename C::Sequence{},
                                    std::forward_as_tuple(values...));
    });
  } else {
    auto compose = [&](char* out) {
      return layout_detail::Compose(out, typename C::Flat{}, typename C::Sequence{},
                                    std::forward_as_tuple(values...));
    };
    if (LayoutCapacity(layout, values...) <= kStackBytes) {
      char buffer[kStackBytes];
      WriteToChannel(unit, std::string_view(buffer, compose(buffer)));
    } else {
      WriteToChannel(unit, FormatLayout(layout, values...));
    }
  }
}

// Free-format output of one record: a blank, then the text if any.
void WriteFree(int unit);
void WriteFree(int unit, std::string_view text);

// Edits one value by F<w, d> or I<w> into `field`, replacing every character
// of it: blanks first, then the w edited characters from the start. A field
// narrower than w cannot hold the value and is filled with asterisks.
template <int W, int D, class V>
void WriteIntoText(std::span<char> field, F<W, D>, const V& value) {
  static_assert(std::is_same_v<V, float>, "an F field takes exactly a float");
  [[maybe_unused]] layout_detail::Traits<F<W, D>> check;
  constexpr std::size_t kWidth = static_cast<std::size_t>(W);
  for (char& c : field) c = ' ';
  if (field.size() < kWidth) {
    for (char& c : field) c = '*';
    return;
  }
  EditFixed<W, D>(field.data(), value);
}

template <int W, class V>
void WriteIntoText(std::span<char> field, I<W>, const V& value) {
  static_assert(std::is_same_v<V, std::int32_t>, "an I field takes exactly a std::int32_t");
  [[maybe_unused]] layout_detail::Traits<I<W>> check;
  constexpr std::size_t kWidth = static_cast<std::size_t>(W);
  for (char& c : field) c = ' ';
  if (field.size() < kWidth) {
    for (char& c : field) c = '*';
    return;
  }
  EditInteger<W>(field.data(), value);
}

}  // namespace floodwave::textio
