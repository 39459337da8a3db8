// expect: an I field takes exactly a std::int32_t
#include <cstdint>
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(std::int64_t value) { (void)FormatLayout(Layout<I<5>>{}, value); }
