// expect: (compiles)
#include <array>
#include <cstdint>
#include <string_view>

#include "textio/layout.h"

using namespace floodwave::textio;

void Use(float value, std::int32_t count, std::string_view text, std::array<char, 8>& field) {
  (void)FormatLayout(Layout<Lit<" A = ">, F<8, 3>, X<1>, I<3>, Slash, A, Dollar>{}, value,
                     count, text);
  (void)FormatLayout(Layout<Group<3, F<10, 3>, X<1>>>{}, value, value, value);
  WriteIntoText(field, F<8, 5>{}, value);
  WriteIntoText(field, I<8>{}, count);
}
