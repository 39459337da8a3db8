// One value of a free-format answer: how far it runs, whether its text is
// well formed, and what it stores into a real or integer item.
//
// A number is an optional sign, digits with at most one decimal point, and
// an optional exponent: E, D or Q (either case) with an optionally signed
// integer, or a sign directly followed by digits ("1.5-3" is 1.5E-3). Any
// other text is malformed (59); so are the forms no user needs: a lone
// point or sign (".", "+", "-."), an exponent without digits ("1.5E",
// "1.5-"), a parenthesised pair ("(1,2)"). A value starting with I or N
// (after an optional sign) must be Inf, Infinity or NaN in any case mix
// (otherwise 64). A value starting with T, t, F or f, or a point and one of
// these, is a logical constant, whatever follows: true -1, false 0.
//
// Real items get the decimal text rounded once, to nearest even, directly
// to single precision (never through double, which would round twice). A
// magnitude beyond the single range fails (64) and leaves plus or minus
// infinity; one below the smallest subnormal gives a zero of the same sign.
// "-NaN" is a NaN with its sign bit set.
//
// Integer items: without point or exponent the number converts exactly, or
// fails (64) outside -2147483648..2147483647 and the item holds 0. With a
// point or an exponent the text is rounded to double (beyond the double
// range: infinity or zero), truncated toward zero, and a result outside the
// 32-bit range stores -2147483648 without failure. Inf and NaN fail (64)
// and the item holds 0.
#pragma once

#include <cstddef>
#include <string_view>

#include "textio/free_input.h"

namespace floodwave::textio {

// The characters that end a value (a line end ends one too). A number also
// ends at a closing parenthesis.
bool EndsValue(char c);

// True when `text` starts a logical constant: T, t, F or f, possibly after a
// decimal point.
bool StartsLogical(std::string_view text);

// Length of the value at the start of `rest` (which starts with neither a
// blank nor a separator nor a quote).
std::size_t ValueLength(std::string_view rest);

// Checks the value `text` (as cut by ValueLength) and stores it into `item`.
// Returns 0, kMalformedValue (59) or kUnconvertibleValue (64). After 59 the
// item keeps its value; after 64 an integer item holds 0 and a real item
// holds plus or minus infinity when its number was too large (and keeps its
// value when the text was a word other than Inf, Infinity or NaN).
int StoreValue(std::string_view text, const FreeItem& item);

}  // namespace floodwave::textio
