// expect: an I field takes exactly a std::int32_t
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<I<5>>{}, value); }
